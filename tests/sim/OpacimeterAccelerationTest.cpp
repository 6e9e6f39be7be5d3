#include "sim/OpacimeterAcceleration.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using sim::AccelerationCadence;
using sim::AccelerationSeries;
using sim::FreeAcceleration;
using sim::Millis;

FreeAcceleration defaultShape(double peak = 1.0) {
    FreeAcceleration shape;
    shape.peakK = peak;
    return shape;
}

struct SpeedCase {
    Millis at;
    double rpm;
};

class FreeAccelerationSpeed : public ::testing::TestWithParam<SpeedCase> {};

TEST_P(FreeAccelerationSpeed, ClimbsHoldsAndFallsBetweenIdleAndGovernedSpeed) {
    // idle 800, governed 4500, rise 1 s, hold 2.5 s, fall 1.5 s
    EXPECT_NEAR(defaultShape().at(GetParam().at).rpm, GetParam().rpm, 1e-9) << GetParam().at;
}

INSTANTIATE_TEST_SUITE_P(OverTime, FreeAccelerationSpeed,
                         ::testing::Values(SpeedCase{-1, 800}, SpeedCase{0, 800}, SpeedCase{500, 2650},
                                           SpeedCase{1000, 4500}, SpeedCase{3499, 4500}, SpeedCase{3500, 4500},
                                           SpeedCase{4250, 2650}, SpeedCase{4999, 800 + 3700.0 / 1500},
                                           SpeedCase{5000, 800}, SpeedCase{60000, 800}));

TEST(FreeAccelerationSmoke, HoldsExactlyThePeakJustAfterTheGovernedSpeedIsReached) {
    const FreeAcceleration shape = defaultShape(1.37);
    ASSERT_EQ(shape.peakStart(), 1200);
    ASSERT_EQ(shape.peakEnd(), 1500);
    for (Millis t = shape.peakStart(); t < shape.peakEnd(); t += 10) {
        EXPECT_DOUBLE_EQ(shape.at(t).k, 1.37) << t;
        EXPECT_DOUBLE_EQ(shape.at(t).rpm, 4500) << t;
    }
    EXPECT_LT(shape.at(shape.peakStart() - 1).k, 1.37);
    EXPECT_DOUBLE_EQ(shape.at(shape.peakEnd()).k, 1.37); // thinning starts from the peak
    EXPECT_LT(shape.at(shape.peakEnd() + 1).k, 1.37);
}

TEST(FreeAccelerationSmoke, NeverExceedsThePeakAndMovesSmoothly) {
    const FreeAcceleration shape = defaultShape(2.0);
    double previous = shape.at(0).k;
    double highest = previous;
    for (Millis t = 1; t <= shape.duration(); ++t) {
        const double k = shape.at(t).k;
        highest = std::max(highest, k);
        // No step anywhere: at most a few hundredths per millisecond.
        EXPECT_LT(std::fabs(k - previous), 0.01) << t;
        previous = k;
    }
    EXPECT_DOUBLE_EQ(highest, 2.0);
}

TEST(FreeAccelerationSmoke, ThinsWhileHeldAndReturnsToIdleLevel) {
    const FreeAcceleration shape = defaultShape(1.0);
    const double settled = 0.08 + (1.0 - 0.08) * FreeAcceleration::SettledShare;
    // Well into the hold the smoke has thinned close to its settled level.
    EXPECT_NEAR(shape.at(3499).k, settled, 0.02);
    EXPECT_GT(shape.at(3499).k, settled);
    // Halfway down it is between that level and idle; at the end idle again.
    EXPECT_GT(shape.at(4250).k, 0.08);
    EXPECT_LT(shape.at(4250).k, shape.at(3499).k);
    EXPECT_DOUBLE_EQ(shape.at(shape.duration()).k, 0.08);
    EXPECT_DOUBLE_EQ(shape.at(-100).k, 0.08);
}

TEST(FreeAccelerationSmoke, PeakStaysInsideAVeryShortHold) {
    FreeAcceleration shape = defaultShape(1.5);
    shape.hold = 100;
    EXPECT_EQ(shape.peakStart(), 1100);
    EXPECT_EQ(shape.peakEnd(), 1100);
    // The peak is the value at release, and the fall starts from it.
    EXPECT_DOUBLE_EQ(shape.at(1100).k, 0.08 + (1.5 - 0.08) * 1.0);
    EXPECT_LE(shape.at(1099).k, 1.5);
    shape.rise = 0;
    shape.hold = 0;
    EXPECT_DOUBLE_EQ(shape.at(0).k, 1.5); // straight into the fall
    EXPECT_DOUBLE_EQ(shape.at(0).rpm, 4500);
}

TEST(AccelerationSeriesTest, RunsOneAccelerationPerPeriodAfterTheLead) {
    const AccelerationSeries series(defaultShape(), AccelerationCadence{});
    struct Case {
        Millis at;
        std::optional<int> index;
    };
    for (const Case& c : {Case{0, std::nullopt}, Case{5999, std::nullopt}, Case{6000, 0}, Case{20999, 0},
                          Case{21000, 1}, Case{36000, 2}, Case{6000 + 15000 * 40, 40}}) {
        EXPECT_EQ(series.indexAt(c.at), c.index) << c.at;
    }
    EXPECT_EQ(series.at(5999).rpm, 800);
    EXPECT_EQ(series.at(6000 + 2000).rpm, 4500);
    EXPECT_EQ(series.at(6000 + 6000).rpm, 800); // resting between accelerations
}

TEST(AccelerationSeriesTest, EachAccelerationHasItsOwnPeakAndTheLastRepeats) {
    AccelerationCadence cadence;
    cadence.peaks = {0.9, 1.4, 1.1};
    const AccelerationSeries series(defaultShape(), cadence);
    const double expected[] = {0.9, 1.4, 1.1, 1.1, 1.1};
    for (int i = 0; i < 5; ++i) {
        const Millis peakTime = series.startOf(i) + series.shape().peakStart();
        EXPECT_DOUBLE_EQ(series.at(peakTime).k, expected[i]) << i;
        EXPECT_DOUBLE_EQ(series.acceleration(i).peakK, expected[i]) << i;
    }
}

TEST(AccelerationSeriesTest, ACountedSeriesEndsAtIdle) {
    AccelerationCadence cadence;
    cadence.count = 1; // one acceleration, as for a chart of a single one
    cadence.lead = 2000;
    cadence.peaks = {1.2};
    const AccelerationSeries series(defaultShape(), cadence);
    EXPECT_EQ(series.indexAt(2000), 0);
    EXPECT_DOUBLE_EQ(series.at(2000 + 1300).k, 1.2);
    EXPECT_EQ(series.indexAt(2000 + 15000), std::nullopt);
    EXPECT_EQ(series.at(2000 + 15000 + 1300).rpm, 800);
    EXPECT_DOUBLE_EQ(series.at(2000 + 15000 + 1300).k, 0.08);
}

TEST(AccelerationSeriesTest, APeriodShorterThanOneAccelerationIsStretched) {
    AccelerationCadence cadence;
    cadence.period = 1000;
    const AccelerationSeries series(defaultShape(), cadence);
    EXPECT_EQ(series.cadence().period, series.shape().duration());
    // The first acceleration is never cut short by the next.
    EXPECT_EQ(series.at(6000 + 4000).rpm, defaultShape().at(4000).rpm);
}

TEST(OpacityOfK, FollowsTheBeerLambertLawOverTheStandardPath) {
    EXPECT_DOUBLE_EQ(sim::OpacityPercentOfK(0), 0);
    EXPECT_NEAR(sim::OpacityPercentOfK(1.0), 34.95, 0.01);
    EXPECT_NEAR(sim::OpacityPercentOfK(2.5), 65.87, 0.01);
    EXPECT_NEAR(sim::OpacityPercentOfK(9.99), 98.64, 0.01);
}

} // namespace
