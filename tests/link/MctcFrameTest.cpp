#include "link/GenMCTCNET.h"

#include "link/FrameBytes.h"
#include "link/ReplyText.h"
#include "shared/Globals.h"

#include <QByteArrayList>

#include <gtest/gtest.h>

#include <limits>

namespace {

const QByteArray Etb(1, FrameByte::Etb);

// A reply as an instrument sends it: header, command, separator, data, any
// two checksum characters, ETX.
QByteArray reply(const QByteArray& device, const QByteArray& command, const QByteArray& data,
                 const QByteArray& checksum = "00") {
    return QByteArray(1, FrameByte::Stx) + device + Etb + "1" + Etb + command + Etb + data + checksum +
           QByteArray(1, FrameByte::Etx);
}

QByteArray fields(const QByteArrayList& parts) {
    return parts.join(FrameByte::Etb);
}

struct RequestCase {
    const char* device;
    const char* command;
    QByteArray data;
    QByteArray expected;
};

class MctcRequestTest : public ::testing::TestWithParam<RequestCase> {};

TEST_P(MctcRequestTest, BuildsTheFrameByteForByte) {
    const RequestCase& c = GetParam();
    EXPECT_EQ(BuildMctcFrame(c.device, c.command, "1", c.data).toHex(' '), c.expected.toHex(' '));
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, MctcRequestTest,
    ::testing::Values(RequestCase{"GAS", "ID", {}, QByteArray::fromHex("024741531731174944433703")},
                      RequestCase{"OPA", "ID", {}, QByteArray::fromHex("024F50411731174944434303")},
                      RequestCase{"RPM", "ID", {}, QByteArray::fromHex("0252504D1731174944444203")},
                      RequestCase{"GAS", "@LU", "193",
                                  QByteArray("\x02GAS\x17"
                                             "1\x17@LU\x17"
                                             "193CF\x03")}));

TEST(MctcRequest, EmptyDataAddsNoSeparatorAfterTheCommand) {
    const QByteArray frame = BuildMctcFrame("GAS", "AZ", "1", {});
    EXPECT_EQ(frame.count(FrameByte::Etb), 2);
    EXPECT_EQ(frame.mid(7, 2), "AZ");
    EXPECT_EQ(frame.size(), 12);
}

TEST(MctcRequest, DataHoldingSeparatorsGoesOutUnchanged) {
    const QByteArray data = "01022030" + Etb + "101500";
    const QByteArray frame = BuildMctcFrame("GAS", "@SD", "1", data);
    EXPECT_EQ(frame.mid(11, data.size()), data);
    EXPECT_EQ(frame.size(), 11 + data.size() + 3);
    EXPECT_EQ(frame.right(3), MctcChecksum(frame.left(frame.size() - 3)));
}

TEST(MctcRequest, ChecksumIsTheByteSumAfterStxModulo256) {
    // 0xFF + 0xFF + 0x03 = 0x201: only the low byte counts, STX never does.
    EXPECT_EQ(MctcChecksum(QByteArray("\x02\xFF\xFF\x03")), QByteArray("01\x03"));
    EXPECT_EQ(MctcChecksum(QByteArray("\x7F\x0A")), QByteArray("0A\x03"));
    EXPECT_EQ(MctcChecksum(QByteArray(1, FrameByte::Stx)), QByteArray("00\x03"));
}

TEST(MctcReply, HeaderMatchesOnlyTheRightDeviceFollowedByEtb) {
    const QByteArray good = reply("GAS", "ID", "x");
    EXPECT_TRUE(MctcHeaderMatches(good, "GAS"));
    EXPECT_FALSE(MctcHeaderMatches(good, "OPA"));
    QByteArray noSeparator = good;
    noSeparator[4] = 'X';
    EXPECT_FALSE(MctcHeaderMatches(noSeparator, "GAS"));
    for (const QByteArray& shortFrame : {QByteArray("\x03"), QByteArray("\x02GAS"), QByteArray()})
        EXPECT_FALSE(MctcHeaderMatches(shortFrame, "GAS")) << shortFrame.toHex().constData();
}

TEST(MctcReply, CommandFieldIsReadWithTheLengthOfTheLastCommand) {
    const QByteArray frame = reply("GAS", "@LU", "000123");
    EXPECT_EQ(MctcReplyCommand(frame, 3, 1), "@LU");
    EXPECT_EQ(MctcReplyCommand(frame, 2, 1), "@L");
    // Cut short: what is there matches no command of that length.
    EXPECT_EQ(MctcReplyCommand(QByteArray("\x02GAS\x17"
                                          "1\x17@"),
                               3, 1),
              "@");
}

TEST(MctcReply, ChecksumDigitsAreNotVerified) {
    Globals g;
    const QByteArray data = fields({"MAKER", "MODEL", "HOM", "SN", "01022030", "1.50", "X"});
    ParseIdentityReply(g.link, reply("GAS", "ID", data, "ZZ"), 2, 1);
    EXPECT_EQ(g.link.InstrumentIdentity.Maker, "MAKER");
    EXPECT_EQ(g.link.VersionThousandths, 1500);
}

TEST(MctcSplit, FieldsEndAtTheLastSeparator) {
    const auto split = SplitMctcData(reply("RPM", "VE", fields({"850", "72"})), 2, 1);
    ASSERT_TRUE(split.has_value());
    EXPECT_EQ(split->field(1), "850");
    EXPECT_EQ(split->field(2), "72");
    // One empty field follows the last one, and nothing after that.
    EXPECT_EQ(split->field(3), QByteArray());
    EXPECT_FALSE(split->field(4).has_value());
    EXPECT_FALSE(split->field(0).has_value());
}

TEST(MctcSplit, FrameTooShortForItsDataFieldFails) {
    EXPECT_FALSE(SplitMctcData(QByteArray("\x02RPM\x17"
                                          "1\x17VA\x03"),
                               2, 1)
                     .has_value());
    EXPECT_FALSE(SplitMctcData(QByteArray(), 2, 1).has_value());
    EXPECT_FALSE(SplitMctcData(reply("RPM", "VA", "1"), -5, 1).has_value());
    // Exactly long enough: an empty data field.
    const auto empty = SplitMctcData(reply("RPM", "VA", ""), 2, 1);
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->field(1), QByteArray());
}

struct IdentityCase {
    const char* name;
    QByteArray data;
    InstrumentIdentityRecord expected;
    int thousandths;
};

class IdentityReplyTest : public ::testing::TestWithParam<IdentityCase> {};

TEST_P(IdentityReplyTest, FillsTheIdentity) {
    const IdentityCase& c = GetParam();
    Globals g;
    g.link.VersionThousandths = 777;
    ParseIdentityReply(g.link, reply("GAS", "ID", c.data), 2, 1);
    const InstrumentIdentityRecord& id = g.link.InstrumentIdentity;
    EXPECT_EQ(id.Maker, c.expected.Maker);
    EXPECT_EQ(id.Model, c.expected.Model);
    EXPECT_EQ(id.Homologation, c.expected.Homologation);
    EXPECT_EQ(id.SerialNumber, c.expected.SerialNumber);
    EXPECT_EQ(id.ExpiryDate, c.expected.ExpiryDate);
    EXPECT_EQ(id.Version, c.expected.Version);
    EXPECT_EQ(id.Extra, c.expected.Extra);
    EXPECT_EQ(g.link.VersionThousandths, c.thousandths);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, IdentityReplyTest,
    ::testing::Values(IdentityCase{"SevenFields",
                                   fields({"KAPRO", "KAPROGAS-620 ", "OM123", "SN9", "01022030", "1.50", "EXTRA"}),
                                   {"KAPRO", "KAPROGAS-620 ", "OM123", "SN9", "01/02/2030", "1.50", "EXTRA"},
                                   1500},
                      IdentityCase{"SixFieldsLeaveExtraEmpty",
                                   fields({"KAPRO", "M", "H", "S", "31122029", "1.5"}),
                                   {"KAPRO", "M", "H", "S", "31/12/2029", "1.5", ""},
                                   1500},
                      IdentityCase{"FieldsAfterTheSeventhIgnored",
                                   fields({"A", "B", "C", "D", "01012001", "2.25", "G", "H", "I"}),
                                   {"A", "B", "C", "D", "01/01/2001", "2.25", "G"},
                                   2250},
                      IdentityCase{"FiveFieldsBlankEverythingAndKeepTheVersionValue",
                                   fields({"A", "B", "C", "D", "01012001"}),
                                   {" ", " ", " ", " ", " ", " ", " "},
                                   777},
                      IdentityCase{"EmptyDateGivesSlashesOnly",
                                   fields({"A", "B", "C", "D", "", "1.0", ""}),
                                   {"A", "B", "C", "D", "//", "1.0", ""},
                                   1000},
                      IdentityCase{"NonNumericVersionGivesZero",
                                   fields({"A", "B", "C", "D", "01022030", "V1.5", ""}),
                                   {"A", "B", "C", "D", "01/02/2030", "V1.5", ""},
                                   0},
                      IdentityCase{"ControlCharactersBecomeBlanks",
                                   fields({QByteArray("MA\rKER"), QByteArray("MO\nD\x7F"), "H", "S",
                                           "0102\x01"
                                           "030",
                                           "1.5", QByteArray("\x02\x03")}),
                                   {"MA KER", "MO D ", "H", "S", "01/02/ 030", "1.5", "  "},
                                   1500}),
    [](const ::testing::TestParamInfo<IdentityCase>& info) { return std::string(info.param.name); });

TEST(IdentityReply, FrameTooShortForItsDataBlanksEverything) {
    Globals g;
    g.link.InstrumentIdentity.Maker = "OLD";
    ParseIdentityReply(g.link,
                       QByteArray("\x02GAS\x17"
                                  "1\x17ID\x03"),
                       2, 1);
    EXPECT_EQ(g.link.InstrumentIdentity.Maker, " ");
    EXPECT_EQ(g.link.InstrumentIdentity.Extra, " ");
}

TEST(IdentityReply, VersionThousandthsRoundsAndStaysInRange) {
    EXPECT_EQ(VersionThousandthsOf("1.5"), 1500);
    EXPECT_EQ(VersionThousandthsOf("1.15"), 1150);
    EXPECT_EQ(VersionThousandthsOf(" 2.007beta"), 2007);
    EXPECT_EQ(VersionThousandthsOf("-1.5"), -1500);
    EXPECT_EQ(VersionThousandthsOf(""), 0);
    EXPECT_EQ(VersionThousandthsOf("."), 0);
    EXPECT_EQ(VersionThousandthsOf("99999999999999999999"), std::numeric_limits<int>::max());
}

TEST(IdentityReply, ExpiryDateKeepsWhatArrived) {
    EXPECT_EQ(ExpiryDateText("01022030"), "01/02/2030");
    EXPECT_EQ(ExpiryDateText(""), "//");
    EXPECT_EQ(ExpiryDateText("0102"), "01/02/");
    EXPECT_EQ(ExpiryDateText("0102203099"), "01/02/2030");
}

struct NumberCase {
    QByteArray text;
    double value;
};

class LeadingNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(LeadingNumberTest, ReadsTheNumberAtTheStart) {
    EXPECT_DOUBLE_EQ(LeadingNumber(GetParam().text), GetParam().value) << GetParam().text.constData();
}

INSTANTIATE_TEST_SUITE_P(Texts, LeadingNumberTest,
                         ::testing::Values(NumberCase{"850", 850}, NumberCase{"  72.5", 72.5},
                                           NumberCase{"-12.25xyz", -12.25}, NumberCase{"+3", 3},
                                           NumberCase{"1.2.3", 1.2}, NumberCase{".5", 0.5}, NumberCase{"", 0},
                                           NumberCase{"abc", 0}, NumberCase{"-", 0}, NumberCase{"1,5", 1},
                                           NumberCase{"12 34", 12}));

TEST(LeadingWholeNumber, DropsDecimalsAndRefusesWhatNoIntHolds) {
    EXPECT_EQ(LeadingWholeNumber("20"), 20);
    EXPECT_EQ(LeadingWholeNumber("-7.9"), -7);
    EXPECT_EQ(LeadingWholeNumber("2147483647"), 2147483647);
    EXPECT_EQ(LeadingWholeNumber("-2147483648"), std::numeric_limits<int>::min());
    EXPECT_FALSE(LeadingWholeNumber("2147483648"));
    EXPECT_FALSE(LeadingWholeNumber("-99999999999999999999"));
    EXPECT_EQ(LeadingWholeNumber("x"), 0);
}

TEST(RevCounterParsers, WholeDataFieldIsTheValue) {
    EXPECT_EQ(ParseRevCounterRpm(reply("RPM", "VA", "0850"), 2, 1), 850.0);
    EXPECT_EQ(ParseRevCounterOilTemp(reply("RPM", "TP", "81.5"), 2, 1), 81.5);
    EXPECT_EQ(ParseRevCounterRpm(reply("RPM", "VA", ""), 2, 1), 0.0);
    // A second field is part of the number's text and ends it.
    EXPECT_EQ(ParseRevCounterRpm(reply("RPM", "VA", fields({"900", "70"})), 2, 1), 900.0);
}

TEST(RevCounterParsers, BothReadsSpeedAndTemperature) {
    const auto both = ParseRevCounterBoth(reply("RPM", "VE", fields({"2500", "88.0"})), 2, 1);
    ASSERT_TRUE(both.has_value());
    EXPECT_EQ(both->rpm, 2500.0);
    EXPECT_EQ(both->oilTemperature, 88.0);
    const auto one = ParseRevCounterBoth(reply("RPM", "VE", "780"), 2, 1);
    ASSERT_TRUE(one.has_value());
    EXPECT_EQ(one->rpm, 780.0);
    EXPECT_EQ(one->oilTemperature, 0.0);
}

TEST(RevCounterParsers, FrameTooShortGivesNoValue) {
    const QByteArray tooShort("\x02RPM\x17"
                              "1\x17VA\x03");
    EXPECT_FALSE(ParseRevCounterRpm(tooShort, 2, 1).has_value());
    EXPECT_FALSE(ParseRevCounterOilTemp(tooShort, 2, 1).has_value());
    EXPECT_FALSE(ParseRevCounterBoth(tooShort, 2, 1).has_value());
}

} // namespace
