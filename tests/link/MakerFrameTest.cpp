#include "link/MakerFrame.h"
#include "link/FrameBytes.h"

#include <gtest/gtest.h>

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray result;
    for (int v : values)
        result.append(static_cast<char>(v));
    return result;
}

int byteSum(const QByteArray& frame) {
    int sum = 0;
    for (char c : frame)
        sum += static_cast<unsigned char>(c);
    return sum;
}

TEST(MakerRequest, EmptyDataGivesEightBytesWithLengthTwo) {
    const QByteArray frame = BuildMakerFrame(0x31, 35, {});
    EXPECT_EQ(frame, bytes({2, 0x31, 0, 35, 0, 2, 168, 3}));
}

TEST(MakerRequest, ChecksumBringsTheByteSumTo256) {
    EXPECT_EQ(MakerChecksum(0x31, 35, 2, {}), 168);
    const QByteArray list = bytes({8, 10, 13, 14, 12, 7, 6, 5, 2});
    const QByteArray frame = BuildMakerFrame(0x31, 0x23, list);
    ASSERT_EQ(frame.size(), 9 + 8);
    EXPECT_EQ(static_cast<unsigned char>(frame[5]), 11);
    EXPECT_EQ(frame.mid(6, 9), list);
    // Everything but ETX adds up to 256.
    EXPECT_EQ(byteSum(frame.chopped(1)), 256);
    EXPECT_EQ(frame.back(), FrameByte::Etx);
}

TEST(MakerRequest, SumBeyond256WrapsInsteadOfGoingNegative) {
    const QByteArray data = bytes({0xFF, 0xFF});
    const int checksum = MakerChecksum(0x41, 0x50, 4, data);
    EXPECT_EQ((2 + 0x41 + 0x50 + 4 + 0xFF + 0xFF + checksum) % 256, 0);
    EXPECT_EQ(MakerChecksum(0, 0, 254, {}), 0); // sum exactly 256
}

TEST(MakerRequest, DataLongerThanTheLengthByteAllowsIsNotBuilt) {
    EXPECT_EQ(BuildMakerFrame(0x31, 1, QByteArray(MakerMaxDataBytes, 'x')).size(), MakerMaxDataBytes + 8);
    EXPECT_TRUE(BuildMakerFrame(0x31, 1, QByteArray(MakerMaxDataBytes + 1, 'x')).isEmpty());
}

// A reply from the gas analyser at 0x31 to command 0x50 with four data bytes,
// the third of them an ETX value.
const QByteArray GoodReply = bytes({2, 0x31, 6, 0x50, 0, 6, 0x10, 0x20, 3, 0x40, 0x99, 3});

struct ReplyCase {
    const char* name;
    QByteArray buffer;
    MakerReply verdict;
};

class MakerReplyTest : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(MakerReplyTest, JudgesTheBuffer) {
    EXPECT_EQ(CheckMakerReply(GetParam().buffer, 0x31, 0x50), GetParam().verdict);
}

QByteArray withByte(QByteArray frame, int position, int value) {
    frame[position - 1] = static_cast<char>(value);
    return frame;
}

INSTANTIATE_TEST_SUITE_P(
    Buffers, MakerReplyTest,
    ::testing::Values(ReplyCase{"Complete", GoodReply, MakerReply::Complete},
                      ReplyCase{"EmptyWaits", {}, MakerReply::Incomplete},
                      ReplyCase{"SevenBytesWait", GoodReply.left(7), MakerReply::Incomplete},
                      ReplyCase{"EtxInDataDoesNotEndIt", GoodReply.left(9), MakerReply::Incomplete},
                      ReplyCase{"OneShortWaits", GoodReply.chopped(1), MakerReply::Incomplete},
                      ReplyCase{"OneByteMoreDropped", GoodReply + bytes({3}), MakerReply::Invalid},
                      ReplyCase{"WrongAddress", withByte(GoodReply, 2, 0x21), MakerReply::Invalid},
                      ReplyCase{"NotAck", withByte(GoodReply, 3, 0), MakerReply::Invalid},
                      ReplyCase{"WrongEcho", withByte(GoodReply, 4, 0x3F), MakerReply::Invalid},
                      ReplyCase{"WrongEnd", withByte(GoodReply, 12, 4), MakerReply::Invalid},
                      ReplyCase{"ChecksumNotVerified", withByte(GoodReply, 11, 0), MakerReply::Complete},
                      ReplyCase{"LengthByteTooSmallForTheHeader", bytes({2, 0x31, 6, 0x50, 0, 1, 3, 3}),
                                MakerReply::Invalid},
                      ReplyCase{"LengthByteZero", bytes({2, 0x31, 6, 0x50, 0, 0, 3, 3}), MakerReply::Invalid},
                      ReplyCase{"LongestLengthWaits", withByte(GoodReply, 6, 255), MakerReply::Incomplete}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MakerReply, HighAddressAndCommandCompareAsBytes) {
    const QByteArray reply = bytes({2, 0xA1, 6, 0xF0, 0, 2, 0, 3});
    EXPECT_EQ(CheckMakerReply(reply, 0xA1, 0xF0), MakerReply::Complete);
    EXPECT_EQ(CheckMakerReply(reply, 0xA1, 0xF0 - 256), MakerReply::Invalid);
}

} // namespace
