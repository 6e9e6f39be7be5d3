#include "link/SentMctcRequest.h"
#include "link/FrameBytes.h"
#include "link/MctcFrame.h"

#include <gtest/gtest.h>

namespace {

QByteArray reply(const QByteArray& device, const QByteArray& command, const QByteArray& number = "1") {
    return BuildMctcFrame(device, command, number, "0");
}

struct AnswerCase {
    const char* name;
    SentMctcRequest sent;
    QByteArray frame;
    bool answered;
};

class SentMctcRequestAnswer : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(SentMctcRequestAnswer, TakesOnlyTheReplyToThisRequest) {
    const AnswerCase& c = GetParam();
    EXPECT_EQ(c.sent.isAnsweredBy(c.frame), c.answered);
}

const SentMctcRequest GasValues{"GAS", "1", "@VA"};

INSTANTIATE_TEST_SUITE_P(
    Replies, SentMctcRequestAnswer,
    ::testing::Values(AnswerCase{"SameDeviceAndCommand", GasValues, reply("GAS", "@VA"), true},
                      AnswerCase{"WithoutData", GasValues, BuildMctcFrame("GAS", "@VA", "1", {}), true},
                      AnswerCase{"OtherCommandOfTheSameLength", GasValues, reply("GAS", "@RS"), false},
                      AnswerCase{"OtherDevice", GasValues, reply("OPA", "@VA"), false},
                      // The command field is read with the length of the command sent.
                      AnswerCase{"ShorterCommandSent", {"OPA", "1", "ST"}, reply("OPA", "@ST"), false},
                      AnswerCase{"LongerCommandSent", {"OPA", "1", "@ST"}, reply("OPA", "ST"), false},
                      AnswerCase{"OtherDeviceNumberLength", GasValues, reply("GAS", "@VA", "12"), false},
                      AnswerCase{"CutShort", GasValues,
                                 QByteArray("\x02GAS\x17"
                                            "1\x17@V\x03"),
                                 false},
                      AnswerCase{"HeaderOnly", GasValues, QByteArray("\x02GAS"), false},
                      AnswerCase{"Empty", GasValues, QByteArray(), false},
                      // Before a window's first request a stray frame of its device answers nothing.
                      AnswerCase{"NothingSentYet", {"GAS", "1", {}}, reply("GAS", "@VA"), false},
                      AnswerCase{"NothingAtAll", {}, reply("GAS", "@VA"), false}),
    [](const ::testing::TestParamInfo<AnswerCase>& info) { return std::string(info.param.name); });

} // namespace
