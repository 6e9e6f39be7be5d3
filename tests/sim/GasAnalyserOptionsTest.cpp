#include "sim/GasAnalyserOptions.h"
#include "support/StationDirs.h"

#include <gtest/gtest.h>

namespace {

using sim::GasAnalyserOptions;

std::optional<GasAnalyserOptions> parse(const QStringList& args, QString* error = nullptr) {
    return sim::ParseGasAnalyserOptions(args, error);
}

struct ModelCase {
    QStringList args;
    int model;
};

class GasOptionsModel : public ::testing::TestWithParam<ModelCase> {};

TEST_P(GasOptionsModel, ModelAndProtocolSettleEachOther) {
    QString error;
    const std::optional<GasAnalyserOptions> options =
        parse(QStringList{"--link", "/tmp/gas"} + GetParam().args, &error);
    ASSERT_TRUE(options) << error.toStdString();
    EXPECT_EQ(options->settings.model, GetParam().model);
}

INSTANTIATE_TEST_SUITE_P(Lines, GasOptionsModel,
                         ::testing::Values(ModelCase{{}, 3}, ModelCase{{"--protocol", "maker"}, 0},
                                           ModelCase{{"--protocol", "mctc"}, 3}, ModelCase{{"--model", "2"}, 2},
                                           ModelCase{{"--protocol=maker", "--model=1"}, 1},
                                           ModelCase{{"--model", "3", "--protocol", "mctc"}, 3}));

TEST(GasOptions, EveryOptionReachesTheSettings) {
    QString error;
    const std::optional<GasAnalyserOptions> options = parse({"--link",
                                                             "/tmp/l/gas",
                                                             "--model",
                                                             "0",
                                                             "--warmup",
                                                             "0",
                                                             "--zeroing",
                                                             "1500",
                                                             "--leak-test",
                                                             "2500",
                                                             "--hc-test",
                                                             "3500",
                                                             "--serial",
                                                             "SN 42",
                                                             "--firmware",
                                                             "4.37",
                                                             "--version",
                                                             "1.20",
                                                             "--calibration",
                                                             "29022028",
                                                             "--leak",
                                                             "I",
                                                             "--leak-date",
                                                             "01012025",
                                                             "--leak-time",
                                                             "2359",
                                                             "--param",
                                                             "047=-7",
                                                             "--param=123=abc",
                                                             "--hc-quad",
                                                             "2e-9",
                                                             "--hc-lin",
                                                             "0.01",
                                                             "--delay",
                                                             "5",
                                                             "--verbose"},
                                                            &error);
    ASSERT_TRUE(options) << error.toStdString();
    const sim::GasAnalyserSettings& s = options->settings;
    EXPECT_EQ(options->linkPath, "/tmp/l/gas");
    EXPECT_EQ(s.timing.warmUp, 0);
    EXPECT_EQ(s.timing.zeroing, 1500);
    EXPECT_EQ(s.timing.leakTest, 2500);
    EXPECT_EQ(s.timing.hcResidueTest, 3500);
    EXPECT_EQ(s.serial, "SN 42");
    EXPECT_EQ(s.firmware, "4.37");
    EXPECT_EQ(s.version, "1.20");
    EXPECT_EQ(s.expiry, "29022028");
    EXPECT_EQ(s.leak.status, 'I');
    EXPECT_FALSE(s.leak.endedAt);
    EXPECT_EQ(s.leak.date, "01012025");
    EXPECT_EQ(s.leak.time, "2359");
    EXPECT_EQ(s.parameters.at("047"), "-7");
    EXPECT_EQ(s.parameters.at("123"), "abc");
    EXPECT_EQ(s.parameters.at("193"), "-12345") << "defaults stay unless replaced";
    EXPECT_DOUBLE_EQ(s.hcRange.quad, 2e-9);
    EXPECT_DOUBLE_EQ(s.hcRange.lin, 0.01);
    EXPECT_EQ(options->replyDelayMs, 5);
    EXPECT_TRUE(options->verbose);
}

struct BadCase {
    QStringList args;
    const char* reason;
};

class GasOptionsRejects : public ::testing::TestWithParam<BadCase> {};

TEST_P(GasOptionsRejects, NonsenseIsRefusedWithAReason) {
    QString error;
    EXPECT_FALSE(parse(GetParam().args, &error));
    EXPECT_TRUE(error.contains(GetParam().reason)) << error.toStdString();
}

const QStringList L{"--link", "/tmp/gas"};

INSTANTIATE_TEST_SUITE_P(
    Lines, GasOptionsRejects,
    ::testing::Values(BadCase{{}, "--link PATH is required"},
                      BadCase{L + QStringList{"--protocol", "serial"}, "maker or mctc"},
                      BadCase{L + QStringList{"--model", "4"}, "from 0 to 3"},
                      BadCase{L + QStringList{"--protocol", "mctc", "--model", "1"}, "model 1 speaks maker frames"},
                      BadCase{L + QStringList{"--protocol", "maker", "--model", "3"}, "model 3 speaks MCTC-NET"},
                      BadCase{L + QStringList{"--warmup", "-1"}, "--warmup wants"},
                      BadCase{L + QStringList{"--firmware", "540"}, "d.dd"},
                      BadCase{L + QStringList{"--serial", "A\x17z"}, "printable"},
                      BadCase{L + QStringList{"--serial", "12345678901234567"}, "printable"},
                      BadCase{L + QStringList{"--calibration", "31022028"}, "DDMMYYYY"},
                      BadCase{L + QStringList{"--leak", "E"}, "R or I"},
                      BadCase{L + QStringList{"--leak-date", "01012025"}, "go together"},
                      BadCase{L + QStringList{"--leak-date", "01012025", "--leak-time", "2460"}, "HHMM"},
                      BadCase{L + QStringList{"--param", "47=1"}, "NNN=VALUE"},
                      BadCase{L + QStringList{"--hc-quad", "-1"}, "not below 0"},
                      BadCase{L + QStringList{"--colour", "red"}, "unknown option --colour"},
                      BadCase{L + QStringList{"--run", "fast"}, "--run wants one of pass, idle-fail"},
                      BadCase{L + QStringList{"--run", "pass", "--test-seconds", "820"}, "--test-seconds wants"},
                      BadCase{L + QStringList{"--run", "pass", "--scenario", "x.txt"}, "exclude each other"}));

TEST(GasOptions, HelpNeedsNoLinkAndTheUsageDocumentsTheScenarioFormat) {
    const std::optional<GasAnalyserOptions> options = parse({"--help"});
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->help);
    const QString usage = sim::GasAnalyserUsage();
    for (const char* text : {"--protocol", "--model", "--scenario", "--link", "T key=value", "origin",
                             "error=", "vafields", "none", "over"})
        EXPECT_TRUE(usage.contains(text)) << text;
}

class GasOptionsScenario : public StationDirsTest {};

TEST_F(GasOptionsScenario, ScenarioFileIsReadAndItsFaultsReported) {
    const QString path = workFile("gas.txt");
    writeBytes(path, "0 rpm=900\n");
    QString error;
    std::optional<GasAnalyserOptions> options = parse(L + QStringList{"--scenario", path}, &error);
    ASSERT_TRUE(options) << error.toStdString();
    EXPECT_EQ(options->scenario.valueAt(sim::GasQuantity::EngineSpeed, 0), sim::GasValue::of(900));

    writeBytes(path, "0 rpm=900\nlater rpm=1\n");
    EXPECT_FALSE(parse(L + QStringList{"--scenario", path}, &error));
    EXPECT_TRUE(error.contains("line 2")) << error.toStdString();
    EXPECT_FALSE(parse(L + QStringList{"--scenario", workFile("none.txt")}, &error));
    EXPECT_TRUE(error.contains("none.txt")) << error.toStdString();
}

} // namespace
