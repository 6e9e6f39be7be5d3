// The ready-made certification runs: what the engine and the exhaust do when,
// against the program's default limits (idle speed up to 1000, accelerated
// 2000-2500, lambda 0.97-1.03, corrected CO 0.5 at idle and 0.3 accelerated).
#include "sim/GasScenarioRuns.h"
#include "sim/GasAnalyserOptions.h"

#include <gtest/gtest.h>

namespace {

using sim::GasQuantity;
using sim::Millis;

double at(const sim::GasScenario& s, GasQuantity quantity, Millis time) {
    return s.readingsAt(time, 15.0)[quantity].number;
}

struct Window {
    Millis from;
    Millis to;
};

// The lowest and highest of a reading over a window, sampled every 100 ms.
std::pair<double, double> range(const sim::GasScenario& s, GasQuantity quantity, Window w) {
    double low = at(s, quantity, w.from);
    double high = low;
    for (Millis t = w.from; t <= w.to; t += 100) {
        low = std::min(low, at(s, quantity, t));
        high = std::max(high, at(s, quantity, t));
    }
    return {low, high};
}

constexpr int Seconds = 20;
constexpr Millis Measurement = Seconds * 1000;
// Idle measurement, its verdict and pause; then the accelerated measurement and its grace.
constexpr Window IdleWindow{0, Measurement + 1000 + 3500};
constexpr Window AcceleratedWindow{Measurement + 1000 + 3500 + 2000, 2 * Measurement + 1000 + 3500 + 2000 + 15000};

TEST(CertificationRuns, PassHoldsCleanIdleThenCleanAcceleratedIdle) {
    const auto run = sim::CertificationRunScenario(u"pass", sim::GasProtocol::Mctc, Seconds);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->origin(), sim::ScenarioOrigin::Residue);
    EXPECT_EQ(range(*run, GasQuantity::EngineSpeed, IdleWindow), std::pair(850.0, 850.0));
    EXPECT_LE(range(*run, GasQuantity::COcorr, IdleWindow).second, 0.5);
    const auto speed = range(*run, GasQuantity::EngineSpeed, AcceleratedWindow);
    EXPECT_GE(speed.first, 2000);
    EXPECT_LE(speed.second, 2500);
    const auto lambda = range(*run, GasQuantity::Lambda, AcceleratedWindow);
    EXPECT_GE(lambda.first, 0.97);
    EXPECT_LE(lambda.second, 1.03);
    EXPECT_LE(range(*run, GasQuantity::COcorr, AcceleratedWindow).second, 0.3);
    // Back at idle afterwards.
    EXPECT_EQ(at(*run, GasQuantity::EngineSpeed, AcceleratedWindow.to + 20000), 850);
}

TEST(CertificationRuns, FailingRunsBreakOneLimitWhereTheyShould) {
    const auto idleFail = sim::CertificationRunScenario(u"idle-fail", sim::GasProtocol::Maker, Seconds);
    ASSERT_TRUE(idleFail);
    EXPECT_EQ(idleFail->origin(), sim::ScenarioOrigin::Zeroed);
    EXPECT_GT(range(*idleFail, GasQuantity::COcorr, IdleWindow).first, 0.5);

    const auto lambdaFail = sim::CertificationRunScenario(u"lambda-fail", sim::GasProtocol::Mctc, Seconds);
    ASSERT_TRUE(lambdaFail);
    EXPECT_LE(range(*lambdaFail, GasQuantity::COcorr, IdleWindow).second, 0.5);
    EXPECT_GT(range(*lambdaFail, GasQuantity::Lambda, AcceleratedWindow).first, 1.03);
}

TEST(CertificationRuns, DilutedRunTakesTheProbeOutThenLeavesAWholeMeasurementOfGoodSample) {
    const auto run = sim::CertificationRunScenario(u"diluted", sim::GasProtocol::Mctc, Seconds);
    ASSERT_TRUE(run);
    const Millis out = Measurement / 2;
    EXPECT_GT(at(*run, GasQuantity::O2, out + 1500), 15);
    EXPECT_LT(at(*run, GasQuantity::CO2, out + 1500), 3);
    EXPECT_LT(at(*run, GasQuantity::O2, out - 1), 15);
    const Window goodSample{out + 3000, out + 3000 + Measurement};
    EXPECT_LT(range(*run, GasQuantity::O2, goodSample).second, 15);
    EXPECT_EQ(range(*run, GasQuantity::EngineSpeed, goodSample), std::pair(850.0, 850.0));
}

TEST(CertificationRuns, UnknownNamesAndDurationsAreRefused) {
    EXPECT_EQ(sim::CertificationRunNames(), QStringList({"pass", "idle-fail", "lambda-fail", "diluted"}));
    EXPECT_FALSE(sim::CertificationRunScenario(u"fast", sim::GasProtocol::Mctc, Seconds));
    EXPECT_FALSE(sim::CertificationRunScenario(u"pass", sim::GasProtocol::Mctc, 0));
    EXPECT_FALSE(sim::CertificationRunScenario(u"pass", sim::GasProtocol::Mctc, 820));
    EXPECT_TRUE(sim::CertificationRunScenario(u"pass", sim::GasProtocol::Mctc, 819));
}

TEST(CertificationRuns, CommandLineRunIsTimedForTheGivenDurationAndTheModelsProtocol) {
    QString error;
    const auto options = sim::ParseGasAnalyserOptions(
        {"--link", "/tmp/gas", "--model", "1", "--run", "lambda-fail", "--test-seconds", "30"}, &error);
    ASSERT_TRUE(options) << error.toStdString();
    const sim::GasScenario& s = options->scenario;
    EXPECT_EQ(s.origin(), sim::ScenarioOrigin::Zeroed);
    // Still at idle through a 30 s idle measurement, accelerated after it.
    EXPECT_EQ(at(s, GasQuantity::EngineSpeed, 30000), 850);
    EXPECT_EQ(at(s, GasQuantity::EngineSpeed, 40000), 2300);
    EXPECT_GT(at(s, GasQuantity::Lambda, 40000), 1.03);
}

} // namespace
