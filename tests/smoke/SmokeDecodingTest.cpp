#include "link/FrameBytes.h"
#include "link/MctcFrame.h"
#include "smoke/MakerStatus.h"
#include "smoke/OpacimeterErrors.h"
#include "smoke/OpacimeterModels.h"
#include "smoke/SmokeDisplay.h"
#include "smoke/SmokeReadings.h"
#include "smoke/SmokeTexts.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct StatusCase {
    const char* name;
    bool firstGeneration;
    MakerStatusBytes bytes; // state code, alarm, flags, auxiliary
    const char* word;
    MakerStatusKind kind;
    int alarm;
    bool warmingUp;
};

class MakerStatusDecoding : public ::testing::TestWithParam<StatusCase> {};

TEST_P(MakerStatusDecoding, GivesWordAlarmAndWarmUp) {
    const StatusCase& c = GetParam();
    const MakerStatus status = DecodeMakerStatus(c.firstGeneration, c.bytes);
    EXPECT_EQ(status.word(), QLatin1String(c.word));
    EXPECT_EQ(status.kind, c.kind);
    EXPECT_EQ(status.alarm, c.alarm);
    EXPECT_EQ(status.warmingUp, c.warmingUp);
}

using K = MakerStatusKind;
INSTANTIATE_TEST_SUITE_P(
    Table, MakerStatusDecoding,
    ::testing::Values(
        // Model 0: the state code decides; the alarm byte is graded in ranges.
        StatusCase{"M0WarmUp", true, {0, 0, 0, 0}, "RSTRI", K::WarmUp, 0, false},
        StatusCase{"M0Zeroing", true, {72, 0, 0, 0}, "RSTAZE", K::Zeroing, 0, false},
        StatusCase{"M0ReadyNoAlarm", true, {128, 1, 0, 0}, "RSTATT", K::Ready, 0, false},
        StatusCase{"M0PressureHighFrom2", true, {128, 2, 0, 0}, "RSTATT", K::Ready, 3, false},
        StatusCase{"M0PressureHighTo3", true, {128, 3, 0, 0}, "RSTATT", K::Ready, 3, false},
        StatusCase{"M0PressureLowFrom4", true, {128, 4, 0, 0}, "RSTATT", K::Ready, 4, false},
        StatusCase{"M0PressureLowTo15", true, {128, 15, 0, 0}, "RSTATT", K::Ready, 4, false},
        StatusCase{"M0EmitterFrom16", true, {128, 16, 0, 0}, "RSTATT", K::Ready, 2, false},
        StatusCase{"M0EmitterTo31", true, {128, 31, 0, 0}, "RSTATT", K::Ready, 2, false},
        StatusCase{"M0OpticsFrom32", true, {128, 32, 0, 0}, "RSTATT", K::Ready, 1, false},
        StatusCase{"M0Failure", true, {240, 0, 0, 0}, "RSTERR", K::Failure, 0, false},
        StatusCase{"M0UnknownCode", true, {5, 40, 0, 0}, "RSTATT", K::Unchanged, 0, false},
        // Models 1-4: states 0 and 16 split on the auxiliary byte, the alarm
        // byte and flag bit 16.
        StatusCase{"M1CheckLowAlarm", false, {0, 15, 16, 50}, "RSTCHK", K::Check, 0, false},
        StatusCase{"M1CheckHighAlarm", false, {16, 64, 16, 0}, "RSTCHK", K::Check, 0, false},
        StatusCase{"M1ZeroingFlagClear", false, {0, 16, 0, 0}, "RSTAZE", K::Zeroing, 0, false},
        StatusCase{"M1ZeroingAuxAbove50", false, {16, 0, 0, 51}, "RSTAZE", K::Zeroing, 0, false},
        StatusCase{"M1ReadyFlagSet", false, {0, 16, 16, 51}, "RSTATT", K::Ready, 2, false},
        StatusCase{"M1ReadyNoAlarm", false, {0, 1, 16, 51}, "RSTATT", K::Ready, 0, false},
        StatusCase{"M1Ready128IsNoAlarm", false, {0, 128, 16, 255}, "RSTATT", K::Ready, 0, false},
        StatusCase{"M1Ready64IsNoAlarm", false, {16, 64, 16, 255}, "RSTATT", K::Ready, 0, false},
        StatusCase{"M1WarmingBit", false, {0, 192 + 1, 16, 60}, "RSTATT", K::Ready, 0, true},
        StatusCase{"M1AuxiliaryFull", false, {0, 128 + 1, 16, 255}, "RSTATT", K::Ready, 1, false},
        StatusCase{"M1EmitterBit", false, {0, 16 + 1, 16, 60}, "RSTATT", K::Ready, 2, false},
        StatusCase{"M1PressureHighBit", false, {0, 128 + 4, 16, 60}, "RSTATT", K::Ready, 3, false},
        StatusCase{"M1PressureLowBit", false, {0, 128 + 2, 16, 60}, "RSTATT", K::Ready, 4, false},
        // Several bits: each is taken off in turn and the last one found stays.
        StatusCase{"M1EmitterThenPressure", false, {0, 16 + 4, 16, 60}, "RSTATT", K::Ready, 3, false},
        StatusCase{"M1AuxiliaryThenEmitter", false, {0, 64 + 16, 16, 255}, "RSTATT", K::Ready, 2, true},
        StatusCase{"M1Zeroing64", false, {64, 0, 16, 0}, "RSTAZE", K::Zeroing, 0, false},
        StatusCase{"M1UnknownCode", false, {128, 40, 16, 0}, "RSTATT", K::Unchanged, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MakerStatusBytesTest, ReadsBytesSevenToElevenAndZeroBeyondTheFrame) {
    const QByteArray frame("\x02\x41\x06\x3F\x00\x07\x80\x05\x10\x99\x2A\x00\x03", 13);
    const MakerStatusBytes bytes = MakerStatusBytesOf(frame);
    EXPECT_EQ(bytes.stateCode, 128);
    EXPECT_EQ(bytes.alarm, 5);
    EXPECT_EQ(bytes.flags, 16);
    EXPECT_EQ(bytes.auxiliary, 42);

    const MakerStatusBytes cut = MakerStatusBytesOf(frame.left(8));
    EXPECT_EQ(cut.alarm, 5);
    EXPECT_EQ(cut.flags, 0);
    EXPECT_EQ(cut.auxiliary, 0);
}

TEST(OpacimeterModelTest, AddressPrefixAndProtocolFollowTheModel) {
    struct Case {
        int index;
        int linkMode;
        int address;
        const char* prefix;
        bool firstGeneration;
    };
    for (const Case& c : {Case{0, 1, 81, "AM", true}, Case{1, 1, 65, "AQ", false}, Case{2, 1, 65, "AN", false},
                          Case{3, 1, 65, "AP", false}, Case{4, 1, 65, "AB", false}, Case{5, 2, 0, "", false},
                          Case{9, 1, 65, "", false}}) {
        const OpacimeterModel m = OpacimeterModelOf(c.index);
        EXPECT_EQ(m.linkMode, c.linkMode) << c.index;
        EXPECT_EQ(m.address, c.address) << c.index;
        EXPECT_EQ(m.identityPrefix, QByteArray(c.prefix)) << c.index;
        EXPECT_EQ(m.firstGeneration, c.firstGeneration) << c.index;
    }
    EXPECT_EQ(MakerChannelList(), QByteArray("\x08\x03\x05\x06\x00\x02\x08\x01\x07", 9));
}

TEST(ChannelRecordsTest, ValuesNoValueMarksAndDamagedRecords) {
    EXPECT_EQ(MakerChannelValue(0, 0), 0);
    EXPECT_EQ(MakerChannelValue(127, 255), 32767);
    EXPECT_EQ(MakerChannelValue(255, 0), -1);
    EXPECT_EQ(MakerChannelValue(128, 0), -1);
    EXPECT_EQ(MakerChannelValue(254, 255), -1);

    ChannelValues channels{};
    channels.fill(7);
    // Header, then records for channels 5 (cell 853), 8 (no value), 12 (no such channel), 1 cut short.
    QByteArray frame("\x02\x41\x06\x50\x00\x00", 6);
    frame.append(QByteArray("\x05\x00\x00\x03\x55", 5));
    frame.append(QByteArray("\x08\x00\x00\xFF\x00", 5));
    frame.append(QByteArray("\x0C\x00\x00\x00\x09", 5));
    frame.append(QByteArray("\x01\x00\x00\x00", 4));
    DecodeChannelRecords(frame, channels);
    EXPECT_EQ(channels[5], 853);
    EXPECT_EQ(channels[8], -1);
    EXPECT_EQ(channels[1], 7);

    channels[1] = 455;
    channels[7] = 125;
    channels[0] = 65;
    channels[6] = 90;
    const SmokeReadings r = ReadingsFromChannels(channels);
    EXPECT_DOUBLE_EQ(r.opacityPercent, 45.5);
    EXPECT_DOUBLE_EQ(r.opacityK, 1.25);
    EXPECT_EQ(r.cellTemperature, 853);
    EXPECT_EQ(r.engineSpeed, -1);
    EXPECT_EQ(r.smokeTemperature, 65);
    EXPECT_EQ(r.oilTemperature, 90);
}

QByteArray reply(const QByteArray& command, const QByteArray& data) {
    QByteArray body("\x02OPA\x17"
                    "1\x17");
    body.append(command).append(FrameByte::Etb).append(data);
    return body + MctcChecksum(body);
}

TEST(MctcSmokeRepliesTest, ValueReplyNeedsSevenFieldsAndReadsLeadingNumbers) {
    const auto full = ParseSmokeValueReply(reply("@VA", "1.25\x17"
                                                        "40.5\x17"
                                                        "2400\x17"
                                                        "x\x17"
                                                        "61\x17"
                                                        "83\x17"
                                                        "9"),
                                           3, 1);
    ASSERT_TRUE(full);
    EXPECT_DOUBLE_EQ(full->opacityK, 1.25);
    EXPECT_DOUBLE_EQ(full->opacityPercent, 40.5);
    EXPECT_EQ(full->engineSpeed, 2400);
    EXPECT_EQ(full->oilTemperature, 0);
    EXPECT_EQ(full->smokeTemperature, 61);
    EXPECT_EQ(full->cellTemperature, 83);
    // Six fields still split (the seventh is empty); five do not.
    EXPECT_TRUE(ParseSmokeValueReply(reply("@VA", "1\x17"
                                                  "2\x17"
                                                  "3\x17"
                                                  "4\x17"
                                                  "5\x17"
                                                  "6"),
                                     3, 1));
    EXPECT_FALSE(ParseSmokeValueReply(reply("@VA", "1\x17"
                                                   "2\x17"
                                                   "3\x17"
                                                   "4\x17"
                                                   "5"),
                                      3, 1));
    EXPECT_FALSE(ParseSmokeValueReply(QByteArray("\x02OPA\x17", 5), 3, 1));

    const QByteArray withError = reply("@VA", "1\x17"
                                              "2\x17"
                                              "3\x17"
                                              "4\x17"
                                              "5\x17"
                                              "6\x17"
                                              "7\x17"
                                              "002");
    EXPECT_EQ(SmokeErrorField(withError, 3, 1, ValueReplyErrorField), QByteArray("002"));
    EXPECT_EQ(SmokeErrorField(reply("AZ", "005"), 2, 1, CommandReplyErrorField), QByteArray("005"));
}

TEST(MctcSmokeRepliesTest, ParameterAndDiagnosticReplies) {
    const auto slide = ParseSmokeParameterReply(reply("@LU", "00016\x17"
                                                             "020"),
                                                3, 1);
    ASSERT_TRUE(slide);
    EXPECT_EQ(slide->value, "00016");
    EXPECT_EQ(slide->parameter, 20);
    EXPECT_FALSE(ParseSmokeParameterReply(QByteArray("\x02OPA\x17"
                                                     "1\x17@LU",
                                                     10),
                                          3, 1));
    // A parameter number no int holds is no reply, not an overflow.
    EXPECT_FALSE(ParseSmokeParameterReply(reply("@LU", "1\x17"
                                                       "99999999999999999999"),
                                          3, 1));
    EXPECT_FALSE(ParseSmokeParameterReply(reply("@LU", "1\x17"
                                                       "-3000000000"),
                                          3, 1));

    const auto voltage = ParseSupplyVoltageReply(reply("@RD", "1\x17"
                                                              "2\x17"
                                                              "3\x17"
                                                              "4\x17"
                                                              "5\x17"
                                                              "12650"),
                                                 3, 1);
    ASSERT_TRUE(voltage);
    EXPECT_DOUBLE_EQ(*voltage, 12.65);
    EXPECT_FALSE(ParseSupplyVoltageReply(reply("@RD", "1\x17"
                                                      "2\x17"
                                                      "3\x17"
                                                      "4"),
                                         3, 1));
}

TEST(HsuConversionTest, RoundsHalvesToEvenAndClampsTheScale) {
    struct Case {
        double percent;
        double hsu;
    };
    for (const Case& c : {Case{0, 0}, Case{100, 100}, Case{50, 71.1}, Case{10, 17.2}, Case{-5, 0}, Case{140, 100},
                          Case{std::nan(""), 0}}) {
        const double hsu = HsuFromOpacityPercent(c.percent);
        EXPECT_FALSE(std::isnan(hsu)) << c.percent;
        EXPECT_DOUBLE_EQ(hsu, c.hsu) << c.percent;
    }
}

TEST(PressureCorrectionTest, OnlyBelowNinetyFourAndAHalf) {
    EXPECT_DOUBLE_EQ(PressureCorrectedK(1.0, "94.5"), 1.0);
    EXPECT_DOUBLE_EQ(PressureCorrectedK(1.0, "94.4"), 0.75);
    EXPECT_DOUBLE_EQ(PressureCorrectedK(1.0, "101.3"), 1.0);
    // A pressure never entered is no reason to lower k.
    EXPECT_DOUBLE_EQ(PressureCorrectedK(1.0, ""), 1.0);
    EXPECT_DOUBLE_EQ(PressureCorrectedK(1.0, "n.d."), 1.0);
}

TEST(LiveCaptionTest, NegativeReadingsAndOutOfRangeTemperatures) {
    EXPECT_EQ(NonNegativeCaption(-1), "0");
    EXPECT_EQ(NonNegativeCaption(-0.01), "0");
    EXPECT_EQ(NonNegativeCaption(1.25), "1.25");
    EXPECT_EQ(TemperatureCaption(888), "OutRange");
    EXPECT_EQ(TemperatureCaption(-5), "-5");
    EXPECT_EQ(TemperatureCaption(887.5), "887.5");
}

TEST(BlockingStateTest, TextColourAndWhetherAnAccelerationMayStart) {
    struct Case {
        const char* operating;
        const char* slide;
        int text; // -1: label left as it is
        ui::Colour colour;
        bool allows;
    };
    using namespace smoke_text;
    for (const Case& c :
         {Case{"00000", "00032", BlkAss, ui::colour::Red, true}, Case{"00001", "00032", EV, ui::colour::Cyan, true},
          Case{"00002", "00016", SlAperta, ui::colour::Green, true},
          Case{"00002", "00032", SlChiusa, ui::colour::Orange, false}, Case{"00002", "00048", -1, 0, false},
          Case{"00003", "00016", -1, 0, false}}) {
        const auto display = BlockingStateDisplay(c.operating, c.slide);
        if (c.text < 0) {
            EXPECT_FALSE(display) << c.operating << c.slide;
        } else {
            ASSERT_TRUE(display) << c.operating << c.slide;
            EXPECT_EQ(display->textIndex, c.text);
            EXPECT_EQ(display->colour, c.colour);
        }
        EXPECT_EQ(BlockingAllowsAcceleration(c.operating, c.slide), c.allows) << c.operating << c.slide;
    }
}

TEST(OpacimeterErrorTest, CodesThatDisarmAndTheMessagesTheyRaise) {
    struct Case {
        const char* code;
        int language;
        bool known;
        const char* title;
        const char* text;
    };
    for (const Case& c :
         {Case{"001", 1, true, nullptr, ""}, Case{"005", 2, true, nullptr, ""}, Case{"008", 1, false, nullptr, ""},
          Case{"", 1, false, nullptr, ""}, Case{"2", 1, false, nullptr, ""},
          Case{"002", 1, true, "ERROR 2", "SPENGERE OPACIMETRO E PULIRE PARTI OTTICHE"},
          Case{"002", 2, true, "ERROR 2", "TURN OF SMOKE METER AND CLEAN OPTICAL PATH"},
          Case{"003", 3, true, "ERROR 3", "SPENGERE OPACIMETRO"},
          Case{"004", 2, true, "ERROR 4", "LIGHT EMITTER NOT OPERATING, TURN OFF SMOKE METER"},
          Case{"006", 1, true, "ERROR 6", "OPERAZIONE NON CONSENTITA"},
          Case{"007", 2, true, "ERROR 7", "TEMPERATURE TOO HIGHT, TURN OFF SMOKE METER"},
          Case{"010", 2, true, "ERROR 10", "cell too cold"}}) {
        const OpacimeterErrorOutcome outcome = EvaluateOpacimeterError(c.code, c.language, "cell too cold");
        EXPECT_EQ(outcome.known, c.known) << c.code;
        EXPECT_EQ(outcome.title.has_value(), c.title != nullptr) << c.code;
        if (c.title) {
            EXPECT_EQ(*outcome.title, QLatin1String(c.title));
            EXPECT_EQ(outcome.text, QLatin1String(c.text));
        }
    }
}

TEST(OpacimeterErrorTest, PortHintInItalianOrEnglishOnly) {
    EXPECT_TRUE(SmokePortHint(1)->startsWith("SCEGLIERE LA PORTA DI COMUNICAZIONE NELLA FINESTRA SET-UP OPACIMETRO"));
    EXPECT_TRUE(SmokePortHint(2)->endsWith(
        "SMOKE-METER SET-UP WINDOW, AFTER CHOOSE THE INSTRUMENT INTO SMOKE ANALYSIS WINDOW "));
    EXPECT_FALSE(SmokePortHint(3));
    EXPECT_FALSE(SmokePortHint(0));
}

} // namespace
