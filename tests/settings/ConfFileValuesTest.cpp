#include "ConfFixture.h"

#include "settings/RCLIni.h"
#include "settings/Scramble.h"
#include "shared/Globals.h"

#include <QLocale>

// The protected system options and the number formats of the limit sections.
namespace {

const QLocale Italian(QLocale::Italian, QLocale::Italy);

class ConfValuesTest : public ConfFileTest {
  protected:
    // IMPOSTAZIONI lines holding the scrambled form of each plain text given.
    void writeOptions(const std::optional<QString>& bits, const std::optional<QString>& quad,
                      const std::optional<QString>& lin) const {
        QStringList lines = {"[IMPOSTAZIONI]"};
        if (bits)
            lines << "AbiM=" + ScrambleSetting(*bits);
        if (quad)
            lines << "Kquad=" + ScrambleSetting(*quad);
        if (lin)
            lines << "Klin=" + ScrambleSetting(*lin);
        writeConf(lines);
    }

    QString plainOption(const QString& key) const {
        RCLIni ini;
        ini.File = confPath();
        ini.Section = "IMPOSTAZIONI";
        ini.key = key;
        return ini.GetValue() ? ScrambleSetting(ini.Value) : QString();
    }

    // Globals whose options differ from everything the tests store.
    static Globals withStaleOptions() {
        Globals g;
        g.settings.SystemOptions = 3;
        g.settings.HcRangeQuadCoeff = 42.0;
        g.settings.HcRangeLinCoeff = 43.0;
        return g;
    }
};

TEST_F(ConfValuesTest, OptionBitsComeFromTheFirstDigitOnly) {
    struct Case {
        QString stored;
        std::uint8_t bits;
    };
    const Case cases[] = {{"5Tulo", 5}, {"0Tulo", 0}, {"4Tulo", 4}, {"7", 7}, {"27Tulo", 2}};
    for (const Case& c : cases) {
        writeOptions(c.stored, "1E-08", "0.01");
        Globals g = withStaleOptions();
        EXPECT_TRUE(LoadSystemOptions(g)) << c.stored.toStdString();
        EXPECT_EQ(g.settings.SystemOptions, c.bits) << c.stored.toStdString();
        EXPECT_DOUBLE_EQ(g.settings.HcRangeQuadCoeff, 1e-08);
        EXPECT_DOUBLE_EQ(g.settings.HcRangeLinCoeff, 0.01);
    }
    writeOptions(QString("5Tulo"), std::nullopt, std::nullopt);
    Globals g;
    ASSERT_TRUE(LoadSystemOptions(g));
    EXPECT_TRUE(g.settings.SystemOptions & 1);
    EXPECT_FALSE(g.settings.SystemOptions & 2);
    EXPECT_TRUE(g.settings.SystemOptions & 4);
}

TEST_F(ConfValuesTest, AbsentOptionsTakeTheDefaults) {
    Globals g = withStaleOptions();
    EXPECT_TRUE(LoadSystemOptions(g)); // no Conf.ini at all
    EXPECT_EQ(g.settings.SystemOptions, 0);
    EXPECT_DOUBLE_EQ(g.settings.HcRangeQuadCoeff, 1e-09);
    EXPECT_DOUBLE_EQ(g.settings.HcRangeLinCoeff, 0.008);

    // Each key falls back on its own; a key read before it never leaks into it.
    writeOptions(QString("6Tulo"), std::nullopt, QString("0.02"));
    g = withStaleOptions();
    EXPECT_TRUE(LoadSystemOptions(g));
    EXPECT_EQ(g.settings.SystemOptions, 6);
    EXPECT_DOUBLE_EQ(g.settings.HcRangeQuadCoeff, 1e-09);
    EXPECT_DOUBLE_EQ(g.settings.HcRangeLinCoeff, 0.02);

    writeOptions(std::nullopt, QString("3E-09"), std::nullopt);
    g = withStaleOptions();
    EXPECT_TRUE(LoadSystemOptions(g));
    EXPECT_EQ(g.settings.SystemOptions, 0);
    EXPECT_DOUBLE_EQ(g.settings.HcRangeQuadCoeff, 3e-09);
    EXPECT_DOUBLE_EQ(g.settings.HcRangeLinCoeff, 0.008);
}

// A corrupt protected option is reported; the bits keep their previous value,
// a coefficient falls back to its default, and the other options still load.
TEST_F(ConfValuesTest, CorruptOptionIsReportedWithoutSpoilingTheOthers) {
    struct Case {
        std::optional<QString> bits, quad, lin;
        std::uint8_t expectedBits;
        double expectedQuad, expectedLin;
    };
    const Case cases[] = {
        {QString("XTulo"), QString("1E-08"), QString("0.01"), 3, 1e-08, 0.01},
        {QString("1Tulo"), QString("abc"), QString("0.01"), 1, 1e-09, 0.01},
        {QString("1Tulo"), QString("1E-08"), QString("0.01x"), 1, 1e-08, 0.008},
        // A coefficient stored without scrambling does not read as a number.
        {QString("1Tulo"), QString(ScrambleSetting("0.5")), QString("0.01"), 1, 1e-09, 0.01},
    };
    for (const Case& c : cases) {
        writeOptions(c.bits, c.quad, c.lin);
        Globals g = withStaleOptions();
        EXPECT_FALSE(LoadSystemOptions(g));
        EXPECT_EQ(g.settings.SystemOptions, c.expectedBits);
        EXPECT_DOUBLE_EQ(g.settings.HcRangeQuadCoeff, c.expectedQuad);
        EXPECT_DOUBLE_EQ(g.settings.HcRangeLinCoeff, c.expectedLin);
    }
}

TEST_F(ConfValuesTest, SavedOptionsAreScrambledAndReadBackUnderEitherLocale) {
    for (const QLocale& locale : {QLocale::c(), Italian}) {
        SCOPED_TRACE(locale.name().toStdString());
        QLocale::setDefault(locale);
        EXPECT_TRUE(SaveSystemOptions(6, 2.5e-09, 0.0125));
        EXPECT_FALSE(confBytes().contains("Tulo"));
        EXPECT_EQ(plainOption("AbiM"), "6Tulo");
        EXPECT_EQ(plainOption("Kquad"), locale.toString(2.5) + "E-09");
        EXPECT_EQ(plainOption("Klin"), "0" + locale.decimalPoint() + "0125");

        Globals g = withStaleOptions();
        EXPECT_TRUE(LoadSystemOptions(g));
        EXPECT_EQ(g.settings.SystemOptions, 6);
        EXPECT_DOUBLE_EQ(g.settings.HcRangeQuadCoeff, 2.5e-09);
        EXPECT_DOUBLE_EQ(g.settings.HcRangeLinCoeff, 0.0125);
    }
}

TEST_F(ConfValuesTest, DecimalCommaLocaleWritesACommaAndReadsItBack) {
    QLocale::setDefault(Italian);
    Globals g;
    g.settings.LambdaLI = 1.5;
    g.settings.LCOcorMin = 0.3;
    ASSERT_TRUE(SaveGasLimits(g));
    EXPECT_TRUE(confBytes().contains("\r\nLI=1,5\r\n"));
    EXPECT_TRUE(confBytes().contains("\r\nLN=0,3\r\n"));

    Globals loaded;
    EXPECT_TRUE(LoadGasLimits(loaded));
    EXPECT_EQ(loaded.settings.LambdaLI, 1.5);
    EXPECT_EQ(loaded.settings.LCOcorMin, 0.3);

    // A file written under a decimal point locale still reads the same.
    writeConf({"[LO]", "RN=800", "MX=4500", "ON=1.125", "VK=2.5"});
    EXPECT_TRUE(LoadOpacityLimits(loaded));
    EXPECT_EQ(loaded.settings.OpacityThreshold, 1.125);
}

TEST_F(ConfValuesTest, GasLimitsRoundTripWithTheirStoredForms) {
    Globals g;
    SettingsState& s = g.settings;
    s.RPMmin = 1000;
    s.RPMmaccLI = 2000;
    s.RPMmaccLS = 2500.5; // stored as the nearest whole number, halves to even
    s.LambdaLI = 0.97;
    s.LambdaLS = 1.0300000001; // stored with single precision
    s.RpmCheck = 1;
    s.LCOcorMin = 4.5;
    s.LCOcorMinacc = 0.123456789;
    s.TestDurationTicks = 5800;
    ASSERT_TRUE(SaveGasLimits(g));
    EXPECT_EQ(confBytes(), "[IA]\r\nRN=1000\r\nCGLPP=2000\r\nGV=2500\r\nLI=0.97\r\nAS=1.03\r\nAM=1\r\nLN=4.5\r\n"
                           "RC=0.1234568\r\nMCS=5800\r\n");

    Globals loaded;
    ASSERT_TRUE(LoadGasLimits(loaded));
    const SettingsState& l = loaded.settings;
    EXPECT_EQ(l.RPMmin, 1000);
    EXPECT_EQ(l.RPMmaccLI, 2000);
    EXPECT_EQ(l.RPMmaccLS, 2500);
    EXPECT_EQ(l.LambdaLI, 0.97);
    EXPECT_EQ(l.LambdaLS, 1.03);
    EXPECT_EQ(l.RpmCheck, 1);
    EXPECT_EQ(l.LCOcorMin, 4.5);
    EXPECT_EQ(l.LCOcorMinacc, 0.1234568);
    EXPECT_EQ(l.TestDurationTicks, 5800);
}

TEST_F(ConfValuesTest, OpacitySpeedLimitsAreStoredWhole) {
    Globals g;
    g.settings.LimitRpmMin = 850.5f;
    g.settings.LimitRpmMax = 4500.7f;
    g.settings.OpacityThreshold = 2.5;
    g.settings.OpacityLimitK = 1e300; // beyond a single: stored as the largest one, not garbage
    ASSERT_TRUE(SaveOpacityLimits(g));
    EXPECT_EQ(confBytes(), "[LO]\r\nRN=850\r\nMX=4501\r\nON=2.5\r\nVK=3.402823E+38\r\n");

    Globals loaded;
    ASSERT_TRUE(LoadOpacityLimits(loaded));
    EXPECT_EQ(loaded.settings.LimitRpmMin, 850.0f);
    EXPECT_EQ(loaded.settings.LimitRpmMax, 4501.0f);
    EXPECT_EQ(loaded.settings.OpacityThreshold, 2.5);
    EXPECT_DOUBLE_EQ(loaded.settings.OpacityLimitK, 3.402823e38);
}

TEST_F(ConfValuesTest, IntegerKeysRoundDecimalsAndRefuseWiderNumbers) {
    struct Case {
        QString stored;
        bool loads;
        int model;
    };
    const Case cases[] = {{"3", true, 3},      {"2.5", true, 2},    {"3.5", true, 4},  {"-32768", true, -32768},
                          {"32768", false, 9}, {"99999", false, 9}, {"0x10", false, 9}};
    for (const Case& c : cases) {
        writeConf({"[MODOPA]", "Modello=" + c.stored, "[MODKAPRO]", "Modello=1"});
        Globals g;
        g.settings.SmokeModel = 9;
        EXPECT_EQ(LoadInstrumentModels(g), c.loads) << c.stored.toStdString();
        EXPECT_EQ(g.settings.SmokeModel, c.model) << c.stored.toStdString();
    }
}

} // namespace
