#include "sim/InstrumentEngine.h"
#include "link/MakerFrame.h"
#include "sim/MakerFraming.h"

#include <gtest/gtest.h>

namespace {

// A maker-protocol instrument reduced to its framing: answers every request
// with an acknowledgement of the same command, slower for command 99.
class AckingInstrument : public sim::Responder {
  public:
    std::optional<sim::Reply> answer(const QByteArray& request, sim::Millis) override {
        const int command = static_cast<unsigned char>(request[3]);
        QByteArray reply = BuildMakerFrame(static_cast<unsigned char>(request[1]), command, {});
        reply[2] = 6;
        return sim::Reply{reply, command == 99 ? 500 : 0};
    }
};

class MakerEngine : public ::testing::Test {
  protected:
    MakerEngine() {
        engine.setOutput([this](const QByteArray& bytes) { out += bytes; });
    }

    sim::ScenarioClock clock;
    AckingInstrument instrument;
    sim::InstrumentEngine engine{clock, std::make_unique<sim::MakerFraming>(), instrument};
    QByteArray out;
};

TEST_F(MakerEngine, AnswersBinaryFramesThroughTheSameEngine) {
    engine.receive(BuildMakerFrame(0x31, 35, "abc"));
    clock.advanceBy(engine.replyDelay());
    ASSERT_EQ(out.size(), 8);
    EXPECT_EQ(out[1], 0x31);
    EXPECT_EQ(out[2], 6);
    EXPECT_EQ(out[3], 35);
}

TEST_F(MakerEngine, SlowOperationsAddTheirOwnDelay) {
    engine.receive(BuildMakerFrame(0x31, 99, {}));
    clock.advanceBy(engine.replyDelay() + 499);
    EXPECT_TRUE(out.isEmpty());
    clock.advanceBy(1);
    EXPECT_EQ(out.size(), 8);
}

TEST_F(MakerEngine, APauseOnTheLineEndsAFalseStart) {
    // A stray STX whose "length byte" promises 200 bytes would swallow the
    // next request; after a pause the instrument listens afresh.
    engine.receive(QByteArray("\x02\x31\x00\x01\x00\xC8", 6));
    engine.receive(BuildMakerFrame(0x31, 1, {}));
    clock.advanceBy(1000);
    EXPECT_TRUE(out.isEmpty());

    clock.advanceBy(sim::InstrumentEngine::FrameGapLimit);
    engine.receive(BuildMakerFrame(0x31, 2, {}));
    clock.advanceBy(engine.replyDelay());
    ASSERT_EQ(out.size(), 8);
    EXPECT_EQ(out[3], 2);
}

TEST_F(MakerEngine, RequestsKeepComingInPiecesWithinTheGap) {
    const QByteArray request = BuildMakerFrame(0x41, 7, "xyz");
    for (const char byte : request) {
        engine.receive(QByteArray(1, byte));
        clock.advanceBy(sim::InstrumentEngine::FrameGapLimit - 1);
    }
    EXPECT_EQ(engine.requestsSeen(), 1);
    EXPECT_EQ(out.size(), 8);
}

} // namespace
