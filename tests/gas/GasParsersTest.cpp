#include "gas/GasParsers.h"
#include "QtPrinters.h"
#include "gas/GasStatusText.h"
#include "link/MctcFrame.h"
#include "link/MctcMeasuringReplies.h"
#include "shared/Globals.h"

#include <gtest/gtest.h>

namespace {

// Data fields joined with the ETB separator, as an analyser sends them.
QByteArray fields(std::initializer_list<QByteArray> parts) {
    return QList<QByteArray>(parts).join('\x17');
}

QByteArray reply(const QByteArray& command, const QByteArray& data) {
    return BuildMctcFrame("GAS", command, "1", data);
}

TEST(GasParsersTest, MeasurementReplyReadsNineFieldsInOrder) {
    const QByteArray frame =
        reply("@VA", fields({"0.52", "0.61", "14.3", "123", "0.80", "1.012", "85.5", "780", "45"}));
    const gas::MeasurementReply m = gas::ParseMeasurementReply(frame, 3, 1);
    ASSERT_TRUE(m.complete());
    const double expected[] = {0.52, 0.61, 14.3, 123, 0.80, 1.012, 85.5, 780, 45};
    for (int i = 0; i < gas::MeasurementReply::FieldCount; ++i)
        EXPECT_DOUBLE_EQ(m.values[i], expected[i]) << i;
}

// The split leaves one empty field after the last one sent, as the station's
// frames always did: it reads 0, with no reading in it.
TEST(GasParsersTest, MeasurementReplyStopsAtTheFirstMissingField) {
    struct Case {
        const char* name;
        QByteArray data;
        int count;
    };
    const Case cases[] = {
        {"three fields", fields({"1", "2", "3"}), 4},
        {"no data", QByteArray(), 0},
        {"seven fields", fields({"1", "2", "3", "4", "5", "6", "7"}), 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const gas::MeasurementReply m = gas::ParseMeasurementReply(reply("@VA", c.data), 3, 1);
        EXPECT_EQ(m.count, c.count);
        EXPECT_FALSE(m.complete());
        for (int i = 0; i + 1 < c.count; ++i)
            EXPECT_DOUBLE_EQ(m.values[i], i + 1);
        if (c.count > 0) {
            EXPECT_EQ(m.values[c.count - 1], 0);
            EXPECT_FALSE(m.readable[c.count - 1]);
        }
    }
    // A frame too short for its header and command reads nothing.
    EXPECT_EQ(gas::ParseMeasurementReply("\x02GAS\x17", 3, 1).count, 0);
}

TEST(GasParsersTest, MeasurementReplyReadsAnEmptyOrUnreadableFieldAsZeroAndGoesOn) {
    const QByteArray frame = reply("@VA", fields({"0.52", "", "14.3", "Out", "0.80", "1.012", "- - -", "780", " "}));
    const gas::MeasurementReply m = gas::ParseMeasurementReply(frame, 3, 1);
    EXPECT_TRUE(m.complete());
    const double values[] = {0.52, 0, 14.3, 0, 0.80, 1.012, 0, 780, 0};
    const bool readable[] = {true, false, true, false, true, true, false, true, false};
    for (int i = 0; i < gas::MeasurementReply::FieldCount; ++i) {
        EXPECT_DOUBLE_EQ(m.values[i], values[i]) << i;
        EXPECT_EQ(m.readable[i], readable[i]) << i;
    }
}

TEST(GasParsersTest, LeakStatusDateAndTime) {
    struct Case {
        const char* name;
        QByteArray data;
        const char* status;
        const char* date;
        const char* time;
    };
    const Case cases[] = {
        {"valid test", fields({"R", "05032024", "1015"}), "R", "05/03/2024", "10:15"},
        {"day and month 00", fields({"I", "00002024", "0000"}), "I", "01/01/2024", "00:00"},
        {"month 00 alone", fields({"R", "15002024", "2359"}), "R", "15/01/2024", "23:59"},
        {"one field only", fields({"R"}), " ", "01/01/2000", " "},
        {"no data", QByteArray(), " ", "01/01/2000", " "},
        {"an empty status", fields({"", "05032024", "1015"}), " ", "05/03/2024", "10:15"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const gas::LeakStatus leak = gas::ParseLeakStatusReply(reply("ET", c.data), 2, 1);
        EXPECT_EQ(leak.status, c.status);
        EXPECT_EQ(leak.date, c.date);
        EXPECT_EQ(leak.time, c.time);
    }
    // Unsplittable: shorter than its own header.
    const gas::LeakStatus broken = gas::ParseLeakStatusReply("\x02GAS\x17", 2, 1);
    EXPECT_EQ(broken.status, " ");
    EXPECT_EQ(broken.date, "01/01/2000");
    EXPECT_EQ(broken.time, " ");
}

TEST(GasParsersTest, ErrorReplyTakesCharacterCodes) {
    const auto error = gas::ParseErrorReply(reply("@RS", QByteArray("\xA3\x17\x05", 3)), 3, 1);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->errorCode, 35); // 0xA3 without bit 7
    EXPECT_EQ(error->faultyChannelMask, 5);
    EXPECT_EQ(gas::ParseErrorReply(reply("@RS", QByteArray("\x0C", 1)), 3, 1), std::nullopt);
}

TEST(GasParsersTest, SettingsParameterPressureResidueAndStatus) {
    const auto record =
        gas::ParseSettingsReply(reply("@LA", fields({"METANO", "CAT", "04", "2", "4.000", "0.000"})), 3, 1);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->fuelName, "METANO");
    EXPECT_EQ(record->catalystText, "CAT");
    EXPECT_EQ(record->field3, "04");
    EXPECT_EQ(record->strokes, "2");
    EXPECT_EQ(record->hydrogenCarbonRatio, "4.000");
    EXPECT_EQ(record->oxygenCarbonRatio, "0.000");
    EXPECT_EQ(gas::ParseSettingsReply(reply("@LA", fields({"METANO", "CAT", "04"})), 3, 1), std::nullopt);

    const auto parameter = gas::ParseParameterReply(reply("@LU", fields({"1234", "047"})), 3, 1);
    ASSERT_TRUE(parameter);
    EXPECT_EQ(parameter->value, "1234");
    EXPECT_EQ(parameter->parameterNumber, 47.0);
    EXPECT_EQ(gas::ParseParameterReply(reply("@LI", "77"), 3, 1)->parameterNumber, std::nullopt);

    EXPECT_EQ(gas::ParsePressureReply(reply("@LS", fields({"-12", "x"})), 3, 1), -12);
    EXPECT_EQ(gas::ParsePressureReply(reply("@LS", "99999999999"), 3, 1), std::nullopt);
    EXPECT_EQ(gas::ParseHcResidueReply(reply("EH", "E"), 2, 1), "E");
    // The analyser's status goes through the link's shared status reader.
    EXPECT_EQ(MctcStatusByte(reply("@ST", "\x48"), 3, 1), 8);
    EXPECT_EQ(MctcStatusByte(reply("@ST", ""), 3, 1), std::nullopt);
}

TEST(GasStatusTextTest, StandByAndZeroingInstructionsByErrorCode) {
    LanguageState lang;
    lang.UiText[9] = "Fase";
    lang.UiText[65] = "Errore conn.";
    lang.UiText[159] = "Tensione rete";
    lang.UiText[162] = "Canale guasto:";
    struct Case {
        int code;
        int mask;
        const char* standBy;
        bool standByRed;
        const char* zeroing;
        bool zeroingRed;
    };
    const Case cases[] = {
        {0, 0, "Fase", false, "Fase", false},
        {9, 0, "Errore conn.", true, "Fase", false},
        {12, 0, "Tensione rete", true, "Tensione rete", true},
        {13, 0, "ERRORE OUT-RANGE", true, "ERRORE OUT", true},
        {31, 0, "ERRORE OUT-RANGE", true, "ERRORE OUT", true},
        {32, 0, "ERRORE OUT-RANGE", true, "ERRORE OUT", true},
        {33, 0, "ERRORE TIME-OUT W-U", true, "Fase", false},
        {34, 0, "ERRORE TIME-OUT A-Z", true, "Fase", false},
        {35, 0b1111, "Canale guasto: CO CO2 HC O2", true, "Fase", false},
        {35, 0b0110, "Canale guasto: CO2 HC", true, "Fase", false},
        {30, 0, "Fase", false, "Fase", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const gas::InstructionLine standBy = gas::StandByInstruction(c.code, c.mask, lang);
        EXPECT_EQ(standBy.text, c.standBy);
        EXPECT_EQ(standBy.backColour, c.standByRed ? ui::colour::Red : ui::colour::White);
        const gas::InstructionLine zeroing = gas::ZeroingInstruction(c.code, lang);
        EXPECT_EQ(zeroing.text, c.zeroing);
        EXPECT_EQ(zeroing.backColour, c.zeroingRed ? ui::colour::Red : ui::colour::White);
    }
}

} // namespace
