#include "sim/OpacimeterOptions.h"

#include "support/StationDirs.h"

#include <gtest/gtest.h>

namespace {

struct GoodLine {
    QStringList args;
    int model;
};

class OpacimeterOptionsAccept : public ::testing::TestWithParam<GoodLine> {};

TEST_P(OpacimeterOptionsAccept, ProtocolAndModelImplyEachOther) {
    QString error;
    const std::optional<sim::OpacimeterOptions> options =
        sim::ParseOpacimeterOptions(GetParam().args + QStringList{"--link", "/tmp/q/opa"}, &error);
    ASSERT_TRUE(options) << error.toStdString();
    EXPECT_EQ(options->model, GetParam().model);
    EXPECT_EQ(options->linkPath, "/tmp/q/opa");
}

INSTANTIATE_TEST_SUITE_P(Lines, OpacimeterOptionsAccept,
                         ::testing::Values(GoodLine{{}, 5}, GoodLine{{"--protocol", "mctc"}, 5},
                                           GoodLine{{"--protocol", "maker"}, 0}, GoodLine{{"--model", "3"}, 3},
                                           GoodLine{{"--protocol=maker", "--model=4"}, 4},
                                           GoodLine{{"--model", "5", "--protocol", "mctc"}, 5}));

struct BadLine {
    QStringList args;
    const char* reason;
};

class OpacimeterOptionsReject : public ::testing::TestWithParam<BadLine> {};

TEST_P(OpacimeterOptionsReject, WithAReason) {
    QString error;
    EXPECT_FALSE(sim::ParseOpacimeterOptions(GetParam().args, &error));
    EXPECT_TRUE(error.contains(GetParam().reason)) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Lines, OpacimeterOptionsReject,
    ::testing::Values(BadLine{{}, "--link PATH is required"},
                      BadLine{{"--link", "x", "--protocol", "binary"}, "maker or mctc"},
                      BadLine{{"--link", "x", "--model", "6"}, "from 0 to 5"},
                      BadLine{{"--link", "x", "--protocol", "mctc", "--model", "2"}, "model 2 speaks maker, not mctc"},
                      BadLine{{"--link", "x", "--protocol", "maker", "--model", "5"}, "model 5 speaks mctc, not maker"},
                      BadLine{{"--link", "x", "--scenario", "/nonexistent/opa.scn"}, "/nonexistent/opa.scn"},
                      BadLine{{"--link", "x", "--delay", "-1"}, "--delay"},
                      BadLine{{"--link", "x", "--colour"}, "unknown option --colour"}));

TEST(OpacimeterOptionsHelp, NeedsNoLinkAndNamesEveryModel) {
    const std::optional<sim::OpacimeterOptions> options = sim::ParseOpacimeterOptions({"--help"});
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->help);
    const QString usage = sim::OpacimeterUsage();
    for (const char* text : {"OPX-410", "OPX-520/HF", "OPX-300", "0x51", "0x41", "--scenario", "alarm="})
        EXPECT_TRUE(usage.contains(text)) << text;
}

class OpacimeterOptionsScenario : public StationDirsTest {};

TEST_F(OpacimeterOptionsScenario, ReadsTheScenarioFileAndReportsItsFaults) {
    const QString path = workFile("opa.scn");
    writeBytes(path, "set lead=2 peaks=0.5\n");
    QString error;
    const std::optional<sim::OpacimeterOptions> options =
        sim::ParseOpacimeterOptions({"--link", "x", "--scenario", path, "--delay", "5", "--verbose"}, &error);
    ASSERT_TRUE(options) << error.toStdString();
    EXPECT_EQ(options->scenario.cadence.lead, 2000);
    EXPECT_EQ(options->scenario.cadence.peaks, std::vector<double>{0.5});
    EXPECT_EQ(options->replyDelayMs, 5);
    EXPECT_TRUE(options->verbose);

    writeBytes(path, "set lead=2\nlater alarm=optics\n");
    EXPECT_FALSE(sim::ParseOpacimeterOptions({"--link", "x", "--scenario", path}, &error));
    EXPECT_TRUE(error.contains("line 2")) << error.toStdString();
}

TEST_F(OpacimeterOptionsScenario, ChartPlaysOneAccelerationAfterEachStartAtTheChartsPace) {
    const QString path = workFile("opa.scn");
    writeBytes(path, "set count=5 peaks=1.3\n");
    QString error;
    std::optional<sim::OpacimeterOptions> options =
        sim::ParseOpacimeterOptions({"--link", "x", "--chart", "--scenario", path}, &error);
    ASSERT_TRUE(options) << error.toStdString();
    EXPECT_EQ(options->scenario.cadence.count, 1);
    EXPECT_EQ(options->scenario.cadence.peaks, std::vector<double>{1.3});
    EXPECT_EQ(options->replyDelayMs, sim::ChartPaceReplyDelayMs);

    // A delay given outright wins, wherever it stands.
    options = sim::ParseOpacimeterOptions({"--link", "x", "--delay", "40", "--chart"}, &error);
    ASSERT_TRUE(options) << error.toStdString();
    EXPECT_EQ(options->replyDelayMs, 40);
    EXPECT_EQ(options->scenario.cadence.count, 1);

    EXPECT_FALSE(sim::ParseOpacimeterOptions({"--link", "x", "--chart=yes"}, &error));
    EXPECT_TRUE(error.contains("takes no value")) << error.toStdString();
}

} // namespace
