#include "smoke/SmokeAcceptance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

RowNumbers rows(const std::vector<double>& peaks) {
    RowNumbers numbers{};
    for (std::size_t i = 0; i < peaks.size() && i < numbers.size(); ++i)
        numbers[i] = peaks[i];
    return numbers;
}

struct RuleCase {
    const char* name;
    std::vector<double> peaks; // rows 0 .. last
    double limit;
    AcceptanceOutcome outcome;
    const char* set; // accepted set label when concluded
    double mean;     // reported mean when concluded
};

std::ostream& operator<<(std::ostream& out, const RuleCase& c) {
    return out << c.name;
}

class AcceptanceRuleTest : public ::testing::TestWithParam<RuleCase> {};

using O = AcceptanceOutcome;

// The row just finished is the last peak given.
const RuleCase ruleCases[] = {
    {"ThirdPassesOnTheFirstThree", {1.0, 1.2, 1.4}, 1.5, O::Pass, "1,2,3", 1.2},
    {"ThirdFailsAtHalfAgainTheLimit", {2.0, 2.3, 2.5}, 1.5, O::Fail, "1,2,3", 6.8 / 3},
    {"MeanExactlyTheLimitPasses", {1.4, 1.5, 1.6}, 1.5, O::Pass, "1,2,3", 1.5},
    {"MeanExactlyHalfAgainTheLimitFails", {2.0, 2.25, 2.5}, 1.5, O::Fail, "1,2,3", 2.25},
    // In binary these means land an ulp past the limit they equal in decimals.
    {"DecimalMeanOnTheLimitPasses", {0.1, 0.2, 0.3}, 0.2, O::Pass, "1,2,3", 0.2},
    {"DecimalMeanOnHalfAgainTheLimitFails", {0.3, 0.3, 0.3}, 0.2, O::Fail, "1,2,3", 0.3},
    {"ThirdBetweenLimitAndHalfAgainGoesOn", {1.6, 1.7, 1.8}, 1.5, O::Continue, "", 0},
    {"FirstAndSecondNeverDecide", {0.1, 0.1}, 1.5, O::Continue, "", 0},
    {"FourthPasses", {1.6, 1.7, 1.6, 1.2}, 1.5, O::Pass, "2,3,4", 1.5},
    {"FourthNeverFails", {1.6, 1.7, 1.8, 9.0}, 1.5, O::Continue, "", 0},
    {"FifthPasses", {1.6, 1.7, 1.8, 1.6, 1.0}, 1.5, O::Pass, "3,4,5", 4.4 / 3},
    {"SixthNeverWidensTheSet", {1.6, 1.7, 0.2, 1.6, 1.7, 1.6}, 1.5, O::Continue, "", 0},
    {"SeventhPassesOnThree", {1.6, 1.7, 1.8, 1.6, 1.7, 1.6, 1.0}, 1.5, O::Pass, "5,6,7", 4.3 / 3},
    {"SeventhPassesOnFour", {1.6, 1.7, 1.8, 1.0, 1.7, 1.6, 1.6}, 1.5, O::Pass, "4,5,6,7", 1.475},
    {"SeventhPassesOnFive", {1.6, 1.7, 0.5, 1.0, 1.8, 1.8, 1.8}, 1.5, O::Pass, "3,4,5,6,7", 1.38},
    {"SeventhWithEqualMeansTakesThree", {1.6, 1.7, 1.5, 1.5, 1.5, 1.5, 1.5}, 1.5, O::Pass, "5,6,7", 1.5},
    {"SeventhOtherwiseGoesOn", {1.6, 1.7, 1.8, 1.6, 1.7, 1.6, 1.7}, 1.5, O::Continue, "", 0},
    {"EighthPassesOnFour", {1.6, 1.7, 1.8, 1.6, 1.1, 1.6, 1.7, 1.6}, 1.5, O::Pass, "5,6,7,8", 1.5},
    {"EighthPassesOnFive", {1.6, 1.7, 1.8, 0.6, 1.6, 1.7, 1.6, 1.6}, 1.5, O::Pass, "4,5,6,7,8", 1.42},
    {"EighthFailsOnTheLastThree", {1.6, 1.6, 1.6, 1.7, 1.7, 1.8, 1.9, 2.0}, 1.5, O::Fail, "6,7,8", 1.9},
    // Rows never filled (or showing no number) count as 0.
    {"UnfilledRowsCountAsZero", {0.0, 0.0, 4.0}, 1.5, O::Pass, "1,2,3", 4.0 / 3},
    {"ZeroLimitPassesOnlyClearRows", {0.0, 0.0, 0.0}, 0.0, O::Pass, "1,2,3", 0.0},
    {"ZeroLimitFailsAtTheThird", {0.1, 0.0, 0.0}, 0.0, O::Fail, "1,2,3", 0.1 / 3},
    {"NegativeLimitFailsAtTheThird", {0.0, 0.0, 0.0}, -1.0, O::Fail, "1,2,3", 0.0},
    // A row without a peak (NaN) is within no limit: no set over it passes,
    // none fails early, and the eighth fails with no mean.
    {"ThirdWithoutAPeakGoesOn", {NaN, 0.1, 0.1}, 1.5, O::Continue, "", 0},
    {"ThirdWithoutAPeakNeverFailsEarly", {4.0, NaN, 4.0}, 1.5, O::Continue, "", 0},
    {"FifthPassesPastARowWithoutAPeak", {1.6, NaN, 1.0, 1.0, 1.0}, 1.5, O::Pass, "3,4,5", 1.0},
    {"SeventhWidensOnlyOverPeaks", {1.0, 1.0, 1.0, NaN, 1.6, 1.6, 1.6}, 1.5, O::Continue, "", 0},
    {"EighthWithoutAPeakFails", {1.6, 1.6, 1.6, 1.7, 1.7, NaN, 0.1, 0.1}, 1.5, O::Fail, "6,7,8", NaN},
};

INSTANTIATE_TEST_SUITE_P(Cases, AcceptanceRuleTest, ::testing::ValuesIn(ruleCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(AcceptanceRuleTest, DecidesByTheRowJustFinished) {
    const RuleCase& c = GetParam();
    const int lastRow = static_cast<int>(c.peaks.size()) - 1;
    const AcceptanceDecision decision = DecideAcceptance(rows(c.peaks), lastRow, c.limit);
    ASSERT_EQ(decision.outcome, c.outcome);
    if (!decision.concluded())
        return;
    EXPECT_EQ(decision.lastRow, lastRow);
    EXPECT_EQ(AcceptedSetLabel(decision.firstRow, decision.lastRow), c.set);
    if (std::isnan(c.mean))
        EXPECT_TRUE(std::isnan(decision.meanK));
    else
        EXPECT_NEAR(decision.meanK, c.mean, 1e-12);
}

TEST(AcceptanceRuleTest, RowsOutsideTheTableDecideNothing) {
    const RowNumbers peaks = rows({0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1});
    for (int lastRow : {-1, 8, 10})
        EXPECT_FALSE(DecideAcceptance(peaks, lastRow, 1.5).concluded()) << lastRow;
}

TEST(AcceptanceRuleTest, UnknownLimitNeverPassesAndFailsOnlyAtTheEighth) {
    const RowNumbers peaks = rows({0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1});
    for (int lastRow = 0; lastRow < 7; ++lastRow)
        EXPECT_FALSE(DecideAcceptance(peaks, lastRow, NaN).concluded()) << lastRow;
    EXPECT_EQ(DecideAcceptance(peaks, 7, NaN).outcome, AcceptanceOutcome::Fail);
}

TEST(AcceptanceRuleTest, MeanOverARowWithoutANumberIsUnknown) {
    const RowNumbers values = rows({3.0, NaN, Inf, 3.0});
    EXPECT_TRUE(std::isnan(MeanOfRows(values, 0, 3)));
    EXPECT_TRUE(std::isnan(MeanOfRows(values, 2, 3)));
    EXPECT_DOUBLE_EQ(MeanOfRows(values, 0, 0), 3.0);
    // A set that runs off the table is held to it.
    EXPECT_DOUBLE_EQ(MeanOfRows(values, -2, 0), 3.0);
    EXPECT_DOUBLE_EQ(MeanOfRows(values, 9, 12), 0.0);
}

struct ShownCase {
    double mean;
    double shown;
};

TEST(AcceptanceFiguresTest, MeanKShowsTwoDecimalsHalvesToEven) {
    const ShownCase cases[] = {{1.2000000000000002, 1.2}, {6.8 / 3, 2.27}, {0.125, 0.12}, {0.375, 0.38},
                               {-0.125, -0.12},           {1.0, 1.0},      {1e300, 1e300}};
    for (const ShownCase& c : cases)
        EXPECT_DOUBLE_EQ(MeanKShown(c.mean), c.shown) << c.mean;
}

struct OpacityCase {
    double meanK;
    int unit;
    double shown;
};

TEST(AcceptanceFiguresTest, OpacityEquivalentInPerCentOrHsu) {
    const OpacityCase cases[] = {
        {1.0, 1, 34.9}, // 349.49 per mille
        {1.0, 0, 21.3}, // 213.37 per mille
        {2.27, 1, 62.3},
        {0.0, 0, 0.0},
        {0.0, 1, 0.0},
        {1.0, 2, 21.3}, // any unit but HSU is per cent
        // Held to the scale: a negative or missing mean is no opacity, a huge one full.
        {-1.0, 1, 0.0},
        {-Inf, 0, 0.0},
        {NaN, 1, 0.0},
        {1e6, 1, 100.0},
        {Inf, 0, 100.0},
    };
    for (const OpacityCase& c : cases) {
        const double shown = OpacityEquivalent(c.meanK, c.unit);
        EXPECT_FALSE(std::isnan(shown));
        EXPECT_DOUBLE_EQ(shown, c.shown) << c.meanK << " unit " << c.unit;
    }
}

} // namespace
