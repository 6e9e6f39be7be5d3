#include "sim/RevCounterOptions.h"

#include <gtest/gtest.h>

namespace {

TEST(RevCounterOptions, LinkAloneTakesTheDefaults) {
    const auto options = sim::ParseRevCounterOptions({"--link", "/tmp/q/rpm"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->linkPath, "/tmp/q/rpm");
    EXPECT_EQ(options->cylinders, 4);
    EXPECT_EQ(options->strokes, 4);
    EXPECT_EQ(options->replyDelayMs, 20);
    EXPECT_FALSE(options->verbose);
    const auto ramp = sim::EngineScenarioNamed(sim::DefaultEngineScenario);
    ASSERT_TRUE(ramp);
    EXPECT_EQ(options->scenario.speed.valueAt(12000), ramp->speed.valueAt(12000));
}

TEST(RevCounterOptions, EveryOptionIsTaken) {
    const auto options = sim::ParseRevCounterOptions({"--cylinders=6", "--strokes", "2", "--delay", "0", "--verbose",
                                                      "--link=/x/rpm", "--oil", "0:30,60:90", "--profile", "snap"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->linkPath, "/x/rpm");
    EXPECT_EQ(options->cylinders, 6);
    EXPECT_EQ(options->strokes, 2);
    EXPECT_EQ(options->replyDelayMs, 0);
    EXPECT_TRUE(options->verbose);
    EXPECT_FALSE(options->waitForCue);
    EXPECT_TRUE(sim::ParseRevCounterOptions({"--link", "/x/rpm", "--cued"})->waitForCue);
    // Points given outright win over the named scenario, wherever they stand.
    EXPECT_DOUBLE_EQ(options->scenario.oil.valueAt(30000), 60);
    EXPECT_DOUBLE_EQ(options->scenario.speed.valueAt(4000), 4500);
}

TEST(RevCounterOptions, NamedScenariosAllExistAndDiffer) {
    const QStringList names = sim::EngineScenarioNames();
    EXPECT_TRUE(names.contains("idle") && names.contains("ramp") && names.contains("snap") && names.contains("off"));
    for (const QString& name : names)
        EXPECT_TRUE(sim::EngineScenarioNamed(name)) << name.toStdString();
    EXPECT_DOUBLE_EQ(sim::EngineScenarioNamed("off")->speed.valueAt(5000), 0);
    EXPECT_DOUBLE_EQ(sim::EngineScenarioNamed("idle")->speed.valueAt(50000), 850);
    EXPECT_FALSE(sim::EngineScenarioNamed("warp"));
}

TEST(RevCounterOptions, HelpNeedsNoLink) {
    const auto options = sim::ParseRevCounterOptions({"--help"});
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->help);
    EXPECT_TRUE(sim::RevCounterUsage().contains("--link PATH"));
}

struct BadCase {
    QStringList args;
    const char* reasonContains;
};

class RevCounterOptionsRejected : public ::testing::TestWithParam<BadCase> {};

TEST_P(RevCounterOptionsRejected, WithAReason) {
    QString error;
    EXPECT_FALSE(sim::ParseRevCounterOptions(GetParam().args, &error));
    EXPECT_TRUE(error.contains(GetParam().reasonContains)) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, RevCounterOptionsRejected,
                         ::testing::Values(BadCase{{}, "--link"}, BadCase{{"--link"}, "needs a value"},
                                           BadCase{{"--link", "--verbose"}, "needs a value"},
                                           BadCase{{"--link", "/x", "--cylinders", "0"}, "1 to 12"},
                                           BadCase{{"--link", "/x", "--cylinders", "four"}, "four"},
                                           BadCase{{"--link", "/x", "--strokes", "3"}, "2 or 4"},
                                           BadCase{{"--link", "/x", "--delay", "-1"}, "--delay"},
                                           BadCase{{"--link", "/x", "--profile", "warp"}, "unknown profile"},
                                           BadCase{{"--link", "/x", "--speed", "0:800,x"}, "--speed"},
                                           BadCase{{"--link", "/x", "--verbose=yes"}, "takes no value"},
                                           BadCase{{"--link", "/x", "--colour"}, "unknown option"},
                                           BadCase{{"--link", "/x", "stray"}, "unexpected argument"}));

} // namespace
