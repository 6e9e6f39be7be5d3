// The limit comparisons of the idle and accelerated-idle verdicts: equal to a
// limit is within it, and a missing value (-1, or unreadable) is within none.
#include "gas/GasVerdicts.h"
#include "shared/Globals.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr double Unreadable = std::numeric_limits<double>::quiet_NaN();

gas::GasLimits stationLimits(bool rpmCheck) {
    SettingsState s;
    s.RPMmin = 1000;
    s.RPMmaccLI = 2000;
    s.RPMmaccLS = 2500;
    s.LambdaLI = 0.97;
    s.LambdaLS = 1.03;
    s.LCOcorMin = 0.5;
    s.LCOcorMinacc = 0.3;
    s.RpmCheck = rpmCheck ? 1 : 0;
    return gas::LimitsOf(s);
}

struct IdleCase {
    bool rpmCheck;
    double speed;
    double coCorr;
    bool speedHigh;
    bool coCorrHigh;
};

class IdleVerdicts : public ::testing::TestWithParam<IdleCase> {};

TEST_P(IdleVerdicts, JudgeSpeedOnlyWithTheCheckAndCorrectedCoAlways) {
    const IdleCase& c = GetParam();
    const gas::IdleVerdict verdict = gas::JudgeIdle(stationLimits(c.rpmCheck), c.speed, c.coCorr);
    EXPECT_EQ(verdict.speedHigh, c.speedHigh);
    EXPECT_EQ(verdict.coCorrHigh, c.coCorrHigh);
    EXPECT_EQ(verdict.passed(), !c.speedHigh && !c.coCorrHigh);
}

INSTANTIATE_TEST_SUITE_P(Limits, IdleVerdicts,
                         ::testing::Values(IdleCase{true, 1000, 0.5, false, false}, // both at their limits
                                           IdleCase{true, 1000.5, 0.1, true, false},
                                           IdleCase{true, -1, 0.1, true, false}, // no speed is within no limit
                                           IdleCase{true, Unreadable, 0.1, true, false},
                                           IdleCase{false, -1, 0.1, false, false}, // unchecked speed: not needed
                                           IdleCase{false, 5000, 0.5, false, false},
                                           IdleCase{false, 850, 0.51, false, true},
                                           IdleCase{true, 850, -1, false, true}, // no corrected CO (no CO2)
                                           IdleCase{false, 850, Unreadable, false, true}));

struct AcceleratedCase {
    bool rpmCheck;
    double speed;
    double coCorr;
    double lambda;
    bool idlePassed;
    bool speedOut;
    bool coCorrHigh;
    bool lambdaOut;
};

class AcceleratedVerdicts : public ::testing::TestWithParam<AcceleratedCase> {};

TEST_P(AcceleratedVerdicts, JudgeRangesAndTheIdleResult) {
    const AcceleratedCase& c = GetParam();
    const gas::AcceleratedVerdict verdict =
        gas::JudgeAcceleratedIdle(stationLimits(c.rpmCheck), c.speed, c.coCorr, c.lambda, c.idlePassed);
    EXPECT_EQ(verdict.speedOut, c.speedOut);
    EXPECT_EQ(verdict.coCorrHigh, c.coCorrHigh);
    EXPECT_EQ(verdict.lambdaOut, c.lambdaOut);
    EXPECT_EQ(verdict.valuesWithin(), !c.speedOut && !c.coCorrHigh && !c.lambdaOut);
    EXPECT_EQ(verdict.passed(), verdict.valuesWithin() && c.idlePassed);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, AcceleratedVerdicts,
    ::testing::Values(AcceleratedCase{true, 2000, 0.3, 0.97, true, false, false, false}, // lower ends
                      AcceleratedCase{true, 2500, 0.3, 1.03, true, false, false, false}, // upper ends
                      AcceleratedCase{true, 1999, 0.1, 1.0, true, true, false, false},
                      AcceleratedCase{true, 2501, 0.1, 1.0, true, true, false, false},
                      AcceleratedCase{true, -1, 0.1, 1.0, true, true, false, false}, // no speed: below the range
                      AcceleratedCase{true, Unreadable, 0.1, 1.0, true, true, false, false},
                      AcceleratedCase{false, -1, 0.1, 1.0, true, false, false, false},
                      AcceleratedCase{false, 9000, 0.1, 1.0, true, false, false, false},
                      AcceleratedCase{true, 2300, 0.31, 1.0, true, false, true, false},
                      AcceleratedCase{true, 2300, -1, 1.0, true, false, true, false}, // no corrected CO
                      AcceleratedCase{false, 2300, Unreadable, 1.0, true, false, true, false},
                      AcceleratedCase{true, 2300, 0.1, -1, true, false, false, true}, // no lambda: below LambdaLI
                      AcceleratedCase{false, 2300, 0.1, Unreadable, true, false, false, true},
                      AcceleratedCase{true, 2300, 0.1, 1.05, true, false, false, true},
                      AcceleratedCase{true, 2300, 0.1, 1.0, false, false, false, false})); // failed idle

TEST(GasVerdicts, SampleIsDilutedOnlyWithMuchOxygenAndLittleCarbonDioxide) {
    const struct {
        double o2;
        double co2;
        bool diluted;
    } cases[] = {{15.01, 2.99, true},
                 {15.0, 2.99, false},
                 {15.01, 3.0, false},
                 {20.9, 0.0, true},
                 // Without the reading that would clear it the sample cannot be judged.
                 {-1, -1, true},
                 {-1, 2.0, true},
                 {20.9, Unreadable, true},
                 {-1, 14.8, false},
                 {0.3, -1, false}};
    for (const auto& c : cases)
        EXPECT_EQ(gas::IsDiluted(c.o2, c.co2), c.diluted) << c.o2 << " " << c.co2;
}

TEST(GasVerdicts, IdlePhaseWaitsForTheEngineAndCorrectedCoToBeKnownWithinLimits) {
    const struct {
        bool rpmCheck;
        double speed;
        double coCorr;
        bool speedAwaited;
        bool valuesAwaited;
    } cases[] = {{true, 999, 0.5, false, false},      {true, 1000, 0.1, true, true},
                 {false, 1000, 0.1, true, true}, // back at idle whether or not speed is checked
                 {true, -1, 0.1, true, true},         {true, Unreadable, 0.1, true, true},
                 {false, -1, 0.1, false, false}, // no speed pick-up and no rpm check
                 {true, 850, 0.51, false, true},      {false, 850, -1, false, true},
                 {true, 850, Unreadable, false, true}};
    for (const auto& c : cases) {
        const gas::GasLimits limits = stationLimits(c.rpmCheck);
        EXPECT_EQ(gas::IdleSpeedAwaited(limits, c.speed), c.speedAwaited) << c.rpmCheck << " " << c.speed;
        EXPECT_EQ(gas::IdleValuesAwaited(limits, c.speed, c.coCorr), c.valuesAwaited)
            << c.rpmCheck << " " << c.speed << " " << c.coCorr;
    }
}

} // namespace
