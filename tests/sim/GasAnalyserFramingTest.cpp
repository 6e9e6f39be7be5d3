#include "sim/GasFraming.h"

#include "link/MakerFrame.h"
#include "link/MctcFrame.h"

#include <gtest/gtest.h>

namespace {

using Frames = std::vector<QByteArray>;

constexpr int Address = 0x31;

Frames pushInPieces(sim::Framing& framing, const QByteArray& bytes, int piece) {
    Frames frames;
    for (qsizetype offset = 0; offset < bytes.size(); offset += piece) {
        for (QByteArray& frame : framing.push(bytes.mid(offset, piece)))
            frames.push_back(std::move(frame));
    }
    return frames;
}

const QByteArray Status = BuildMakerFrame(Address, 0x3F, {});
// Data bytes 2 and 3 inside a binary frame do not cut it.
const QByteArray Fuel = BuildMakerFrame(Address, 0x26, QByteArray("\x03", 1));
const QByteArray List = BuildMakerFrame(Address, 0x23, QByteArray::fromHex("08020A0D0E0C070603"));
const QByteArray Identify = BuildMctcFrame("GAS", "ID", "1", {});
const QByteArray Parameter = BuildMctcFrame("GAS", "@LU", "1", "193");

TEST(GasFraming, BothKindsArriveWholeWhateverThePieces) {
    const QByteArray stream = Identify + Status + Fuel + Parameter + List;
    for (const int piece : {1, 2, 3, 7, 1000}) {
        sim::GasFraming framing(Address);
        EXPECT_EQ(pushInPieces(framing, stream, piece), (Frames{Identify, Status, Fuel, Parameter, List}))
            << "pieces of " << piece;
        EXPECT_EQ(framing.discardedBytes(), 0);
        EXPECT_EQ(framing.buffered(), 0);
    }
}

TEST(GasFraming, NoiseFalseStartsAndCutShortFramesAreDropped) {
    sim::GasFraming framing(Address);
    const QByteArray noise = "\r\nzz";
    QByteArray badEnd = Status;
    badEnd[badEnd.size() - 1] = 'x'; // the length byte promised an ETX there
    const QByteArray impossibleLength = QByteArray::fromHex("023100") + QByteArray::fromHex("3F0001");
    const QByteArray cutShort = Identify.left(6);
    EXPECT_EQ(framing.push(noise + badEnd + impossibleLength + cutShort + Parameter + Status),
              (Frames{Parameter, Status}));
    EXPECT_EQ(framing.discardedBytes(), noise.size() + badEnd.size() + impossibleLength.size() + cutShort.size());
}

TEST(GasFraming, AFrameForAnotherAddressDoesNotHideTheNextRequest) {
    // Model 2's address on a model 0 line is not ours: whatever is made of it,
    // the analyser's own request after it comes through whole.
    sim::GasFraming framing(Address);
    const Frames frames = framing.push(BuildMakerFrame(0x21, 0x3F, QByteArray::fromHex("0203")) + Status);
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back(), Status);
    for (std::size_t i = 0; i + 1 < frames.size(); ++i)
        EXPECT_NE(frames[i].size() > 1 ? static_cast<unsigned char>(frames[i][1]) : 0, Address);
}

TEST(GasFraming, UnendingTextIsDroppedAtItsLimitAndResetForgetsAHalfFrame) {
    sim::GasFraming framing(Address);
    const QByteArray endless = QByteArray(1, 2) + QByteArray(sim::GasFraming::MaxTextFrameBytes + 10, 'A');
    EXPECT_TRUE(framing.push(endless).empty());
    EXPECT_LT(framing.buffered(), sim::GasFraming::MaxTextFrameBytes);
    EXPECT_EQ(framing.push(Identify), (Frames{Identify}));

    framing.push(Status.left(4));
    EXPECT_EQ(framing.buffered(), 4);
    framing.reset();
    EXPECT_EQ(framing.buffered(), 0);
    // Without the reset these bytes would have completed the status request.
    const Frames rest = framing.push(Status.mid(4));
    EXPECT_EQ(std::find(rest.begin(), rest.end(), Status), rest.end());
    EXPECT_EQ(framing.push(Identify), (Frames{Identify}));
}

TEST(GasFraming, HoldsABoundedNumberOfBytesWhateverArrives) {
    sim::GasFraming framing(Address);
    unsigned seed = 12345;
    QByteArray noise;
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 1103515245u + 12345u;
        // Plenty of STX and address bytes to make false starts.
        const int pick = (seed >> 16) % 8;
        noise += pick == 0 ? '\x02' : pick == 1 ? '\x31' : static_cast<char>(seed >> 8);
    }
    for (qsizetype offset = 0; offset < noise.size(); offset += 997) {
        framing.push(noise.mid(offset, 997));
        ASSERT_LE(framing.buffered(), 2 * sim::GasFraming::MaxTextFrameBytes);
    }
    framing.reset();
    EXPECT_EQ(framing.push(Status), (Frames{Status}));
}

} // namespace
