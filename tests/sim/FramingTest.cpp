#include "sim/MakerFraming.h"
#include "sim/MctcFraming.h"

#include "link/MakerFrame.h"
#include "link/MctcFrame.h"

#include <gtest/gtest.h>

namespace {

using Frames = std::vector<QByteArray>;

// Feeds the bytes in pieces of the given size and collects every frame.
Frames pushInPieces(sim::Framing& framing, const QByteArray& bytes, int piece) {
    Frames frames;
    for (qsizetype offset = 0; offset < bytes.size(); offset += piece) {
        for (QByteArray& frame : framing.push(bytes.mid(offset, piece)))
            frames.push_back(std::move(frame));
    }
    return frames;
}

const QByteArray VaRequest = BuildMctcFrame("RPM", "VA", "1", {});
const QByteArray CiRequest = BuildMctcFrame("RPM", "CI", "1", "4");

TEST(MctcFraming, FramesArriveWholeWhateverThePieces) {
    for (const int piece : {1, 2, 5, 100}) {
        sim::MctcFraming framing;
        EXPECT_EQ(pushInPieces(framing, VaRequest + CiRequest, piece), (Frames{VaRequest, CiRequest}))
            << "pieces of " << piece;
        EXPECT_EQ(framing.discardedBytes(), 0);
    }
}

TEST(MctcFraming, NoiseAndCutShortFramesAreDropped) {
    sim::MctcFraming framing;
    const QByteArray noise = "\n\r xyz";
    const QByteArray cutShort = VaRequest.left(6);
    EXPECT_EQ(framing.push(noise + cutShort + CiRequest), (Frames{CiRequest}));
    EXPECT_EQ(framing.discardedBytes(), noise.size() + cutShort.size());
}

TEST(MctcFraming, AFrameThatNeverEndsIsDroppedAtTheLimit) {
    sim::MctcFraming framing;
    const QByteArray endless = QByteArray(1, 2) + QByteArray(sim::MctcFraming::MaxFrameBytes * 3, 'A');
    EXPECT_TRUE(framing.push(endless).empty());
    EXPECT_EQ(framing.discardedBytes(), endless.size());
    // The line is usable again at once.
    EXPECT_EQ(framing.push(VaRequest), (Frames{VaRequest}));
}

TEST(MctcFraming, ResetForgetsAPartialFrame) {
    sim::MctcFraming framing;
    framing.push(VaRequest.left(5));
    framing.reset();
    EXPECT_TRUE(framing.push(VaRequest.mid(5)).empty());
}

TEST(MakerFraming, CompletionFollowsTheLengthByteNotTheBytesInside) {
    // Data holding ETX and STX must not end or restart the frame.
    const QByteArray withControlBytes = BuildMakerFrame(0x31, 35, QByteArray("\x03\x02\x03", 3));
    const QByteArray empty = BuildMakerFrame(0x51, 20, {});
    ASSERT_EQ(empty.size(), 8);
    for (const int piece : {1, 3, 64}) {
        sim::MakerFraming framing;
        EXPECT_EQ(pushInPieces(framing, withControlBytes + empty, piece), (Frames{withControlBytes, empty}))
            << "pieces of " << piece;
    }
}

TEST(MakerFraming, FalseStartsAreSkippedAndTheNextFrameFound) {
    const QByteArray good = BuildMakerFrame(0x41, 7, "ab");
    struct Case {
        const char* what;
        QByteArray junk;
    };
    const Case cases[] = {
        {"noise", "xyz"},
        {"length byte below two", QByteArray("\x02\x31\x00\x05\x00\x01", 6)},
        {"wrong end byte", QByteArray("\x02\x31\x00\x05\x00\x02\x40\x7f", 8)},
    };
    for (const Case& c : cases) {
        sim::MakerFraming framing;
        EXPECT_EQ(framing.push(c.junk + good), (Frames{good})) << c.what;
        EXPECT_GT(framing.discardedBytes(), 0) << c.what;
    }
}

TEST(MakerFraming, AFloodOfStartBytesStaysBoundedAndRecovers) {
    sim::MakerFraming framing;
    EXPECT_TRUE(framing.push(QByteArray(200000, '\x02')).empty());
    const QByteArray good = BuildMakerFrame(0x31, 1, {});
    EXPECT_LT(framing.buffered(), 8);
    // A false start may still promise more bytes than follow; once the line
    // pauses (reset) the next frame is found.
    framing.push(good);
    EXPECT_LE(framing.buffered(), 255 + sim::MakerFraming::HeaderBytes);
    framing.reset();
    EXPECT_EQ(framing.push(good + good), (Frames{good, good}));
}

} // namespace
