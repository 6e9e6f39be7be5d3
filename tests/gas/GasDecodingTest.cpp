#include "gas/GasDecoding.h"
#include "QtPrinters.h"
#include "gas/GasFuels.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

using gas::Reading;

struct ValueCase {
    const char* name;
    Reading (*decode)(int, int);
    int high;
    int low;
    double value;
    const char* text;
};

Reading co(int high, int low) {
    return gas::DecodeConcentration(high, low, 2);
}
Reading co2(int high, int low) {
    return gas::DecodeConcentration(high, low, 1);
}

class GasDecodingTest : public ::testing::Test {
  protected:
    void SetUp() override { QLocale::setDefault(QLocale::c()); }
};

TEST_F(GasDecodingTest, MakerSixteenBitValuesFollowTheirNoValueAndRangeRules) {
    const ValueCase cases[] = {
        // Concentrations: thousandths, 0xFF no value, 0x80..0xFE beyond the signed range.
        {"CO 1.234", co, 0x04, 0xD2, 1.234, "1.23"},
        {"CO rounds half to even", co, 0x00, 0x7D, 0.125, "0.12"},
        {"CO no value", co, 0xFF, 0x10, -1, "Out"},
        {"CO high byte 0x80", co, 0x80, 0x00, -1, "Out"},
        {"CO high byte 0xFE", co, 0xFE, 0xFF, -1, "Out"},
        {"CO high byte 0x7F decoded", co, 0x7F, 0xFF, 32.767, "32.77"},
        {"CO2 one decimal", co2, 0x34, 0xBC, 13.5, "13.5"},
        {"CO2 no value", co2, 0xFF, 0xFF, -1, "Out"},
        // Lambda: above 10 in the high byte is out of range.
        {"lambda 1.005", gas::DecodeLambda, 0x03, 0xED, 1.005, "1"},
        {"lambda high byte 10", gas::DecodeLambda, 10, 0, 2.56, "2.56"},
        {"lambda high byte 11", gas::DecodeLambda, 11, 0, -1, "Out"},
        {"lambda no value", gas::DecodeLambda, 0xFF, 0xFF, -1, "Out"},
        // Engine speed: 0xFF no value at all, 0x50..0xFE out of range, 0x4F still a speed.
        {"speed 850", gas::DecodeEngineSpeed, 0x03, 0x52, 850, "850"},
        {"speed high byte 0x4F", gas::DecodeEngineSpeed, 0x4F, 0xFF, 20479, "20479"},
        {"speed high byte 0x50", gas::DecodeEngineSpeed, 0x50, 0x00, -1, "Out"},
        {"speed high byte 0xFE", gas::DecodeEngineSpeed, 0xFE, 0x00, -1, "Out"},
        {"speed no value", gas::DecodeEngineSpeed, 0xFF, 0x00, -1, "- - -"},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Reading reading = c.decode(c.high, c.low);
        EXPECT_DOUBLE_EQ(reading.value, c.value);
        EXPECT_EQ(reading.text, c.text);
    }
}

TEST_F(GasDecodingTest, OilTemperatureIsThousandthsOfThreeBytesUpToHighByteThree) {
    struct Case {
        int p9, p10, p11;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0x01, 0x41, 0x6C, 82.284, "82.284"},
        {3, 0xFF, 0xFF, 262.143, "262.143"},
        {4, 0, 0, -1, "Out"},
        {0xFF, 0xFF, 0xFF, -1, "Out"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.p9);
        const Reading reading = gas::DecodeOilTemperature(c.p9, c.p10, c.p11);
        EXPECT_DOUBLE_EQ(reading.value, c.value);
        EXPECT_EQ(reading.text, c.text);
    }
}

TEST_F(GasDecodingTest, NormalHcNeedsAHighByteBelow0x80) {
    EXPECT_EQ(gas::DecodeNormalHc(0x01, 0x2C), 300);
    EXPECT_EQ(gas::DecodeNormalHc(0x7F, 0xFF), 32767);
    EXPECT_EQ(gas::DecodeNormalHc(0x80, 0x00), std::nullopt);
    EXPECT_EQ(gas::DecodeNormalHc(0xFF, 0x00), std::nullopt);
}

TEST_F(GasDecodingTest, ExtendedHcFromTheRawCountWithTheDefaultCoefficients) {
    struct Case {
        int p14, p15, p16;
        long long x;
        long long hc;
        bool out;
    };
    const double quad = 1e-09;
    const double lin = 0.008;
    const Case cases[] = {
        // The full-scale count is the bottom of the extended range.
        {0x3F, 0xFF, 0xFF, 0, 10477, false},
        // x = 1000000: 10477 + 1000 + 8000.
        {0x30, 0xBD, 0xBF, 1000000, 19477, false},
        // x = 1050000: 10477 + 1102.5 + 8400 = 19979.5, rounded half to even.
        {0x2F, 0xFA, 0x6F, 1050000, 19980, false},
        // x = 1100000: 10477 + 1210 + 8800 = 20487.
        {0x2F, 0x37, 0x1F, 1100000, 20487, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        const gas::ExtendedHc hc = gas::ComputeExtendedHc(c.p14, c.p15, c.p16, quad, lin);
        EXPECT_EQ(hc.raw, 65536LL * c.p14 + 256 * c.p15 + c.p16);
        EXPECT_EQ(hc.x, c.x);
        EXPECT_EQ(hc.hc, c.hc);
        EXPECT_EQ(hc.outOfRange(), c.out);
    }
    // Exactly 20000 is already beyond the range.
    EXPECT_TRUE((gas::ExtendedHc{0, 0, 20000}).outOfRange());
    EXPECT_FALSE((gas::ExtendedHc{0, 0, 19999}).outOfRange());
}

TEST_F(GasDecodingTest, ExtendedRangeNeedsTheOptionAndANewEnoughFirmware) {
    struct Case {
        std::uint8_t options;
        const char* firmware;
        bool inUse;
    };
    const Case cases[] = {
        {2, "5.40", true},  {6, "9.99", true},  {2, "4.90", false}, {2, "5.30", false},
        {1, "5.40", false}, {0, "5.40", false}, {2, "5", false},    {2, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firmware);
        SCOPED_TRACE(c.options);
        EXPECT_EQ(gas::ExtendedHcRangeInUse(c.options, QString::fromLatin1(c.firmware)), c.inUse);
    }
}

TEST_F(GasDecodingTest, CorrectedCOByTheSumOfCOAndCO2) {
    struct Case {
        const char* name;
        double co, co2, k;
        double cocorr;
        bool out;
    };
    const Case cases[] = {
        {"nothing measured", 0.0, 0.0, 15, 0.0, false},
        {"sum below 5", 1.9, 3.0, 15, 65, true},
        {"petrol, truncated not rounded", 1.0, 10.0, 15, 1.3, false},
        {"methane at the constant", 0.5, 13.0, 12, 0.5, false},
        {"sum equal to the constant", 0.26, 14.74, 15, 0.3, false},
        {"LPG", 2.0, 8.0, 14, 2.8, false},
        {"exactly 5", 0.5, 4.5, 15, 1.5, false},
        {"no CO", -1, 10.0, 15, -1, false},
        {"no CO2", 1.0, -1, 15, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const double cocorr = gas::CorrectedCO(c.co, c.co2, c.k);
        EXPECT_DOUBLE_EQ(cocorr, c.cocorr);
        EXPECT_EQ(gas::CorrectedCOOutOfRange(cocorr), c.out);
    }
}

TEST_F(GasDecodingTest, FuelCodesGoBothWays) {
    const int fourStroke[] = {0, 3, 2, 5, 1, 4};
    for (int fuel = 0; fuel < gas::FuelCount; ++fuel) {
        SCOPED_TRACE(fuel);
        EXPECT_EQ(gas::FuelStrokesCode(fuel, 0), fourStroke[fuel]);
        EXPECT_EQ(gas::FuelStrokesCode(fuel, 1), fourStroke[fuel] + 64);
        for (int engine = 0; engine < gas::EngineCount; ++engine) {
            const auto back = gas::FuelSelectionOfCode(gas::FuelStrokesCode(fuel, engine));
            ASSERT_TRUE(back);
            EXPECT_EQ(back->fuel, fuel);
            EXPECT_EQ(back->engine, engine);
        }
    }
    EXPECT_EQ(gas::FuelSelectionOfCode(6), std::nullopt);
    EXPECT_EQ(gas::FuelSelectionOfCode(7 + 64), std::nullopt);
}

TEST_F(GasDecodingTest, FuelConstantsAndSettingsRecordNames) {
    const double k[] = {15, 15, 12, 12, 14, 14};
    const char* names[] = {"BENZINA", "BENZINA", "METANO", "METANO", "GPL", "GPL"};
    const char* ratios[] = {"1.730", "1.730", "4.000", "4.000", "2.570", "2.570"};
    for (int fuel = 0; fuel < gas::FuelCount; ++fuel) {
        SCOPED_TRACE(fuel);
        EXPECT_EQ(gas::FuelConstant(fuel), k[fuel]);
        EXPECT_EQ(gas::McTcFuelName(fuel), names[fuel]);
        EXPECT_EQ(gas::McTcCatalystText(fuel), fuel % 2 ? "CAT" : "NO CAT");
        EXPECT_EQ(gas::McTcHydrogenCarbonRatio(fuel), ratios[fuel]);
        EXPECT_EQ(gas::FuelIndexOfRecord(gas::McTcFuelName(fuel), gas::McTcCatalystText(fuel)), fuel);
    }
    EXPECT_EQ(gas::FuelIndexOfRecord("GASOLIO", "CAT"), std::nullopt);
    EXPECT_EQ(gas::EngineIndexOfStrokes("2"), 1);
    EXPECT_EQ(gas::EngineIndexOfStrokes("4"), 0);
    EXPECT_EQ(gas::EngineIndexOfStrokes("3"), std::nullopt);
}

TEST_F(GasDecodingTest, AcquisitionListByModelAndRange) {
    EXPECT_EQ(gas::AcquisitionList(0, false), QByteArray("\x08\x0A\x0D\x0E\x0C\x07\x06\x05\x02", 9));
    EXPECT_EQ(gas::AcquisitionList(1, true), QByteArray("\x08\x0A\x12\x0E\x0C\x07\x06\x05\x02", 9));
    // Model 2 has no extended range.
    EXPECT_EQ(gas::AcquisitionList(2, true), QByteArray("\x08\x03\x09\x0B\x08\x07\x06\x05\x02", 9));
}

} // namespace
