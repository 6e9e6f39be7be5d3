#include "sim/Profile.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

struct ValueCase {
    const char* points;
    sim::Millis at;
    double expected;
};

class ProfileValue : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ProfileValue, FollowsStraightLinesBetweenPoints) {
    const std::optional<sim::Profile> profile = sim::Profile::parse(GetParam().points);
    ASSERT_TRUE(profile);
    EXPECT_DOUBLE_EQ(profile->valueAt(GetParam().at), GetParam().expected);
}

constexpr const char* IdleRampHold = "0:800, 5:800, 8:3200, 18:3200";

INSTANTIATE_TEST_SUITE_P(IdleRampHoldAndRepeat, ProfileValue,
                         ::testing::Values(ValueCase{IdleRampHold, 0, 800}, ValueCase{IdleRampHold, 4999, 800},
                                           ValueCase{IdleRampHold, 6000, 1600}, ValueCase{IdleRampHold, 6500, 2000},
                                           ValueCase{IdleRampHold, 8000, 3200}, ValueCase{IdleRampHold, 60000, 3200},
                                           // before the first point: its value
                                           ValueCase{"2:50, 4:70", 0, 50}, ValueCase{"2:50, 4:70", 3000, 60},
                                           // equal times make a step
                                           ValueCase{"0:10, 1:10, 1:90, 2:90", 999, 10},
                                           ValueCase{"0:10, 1:10, 1:90, 2:90", 1000, 90},
                                           // decimals in time and value
                                           ValueCase{"0:20.5, 0.5:21.5", 250, 21.0},
                                           // repeating wraps at the last point
                                           ValueCase{"0:0, 10:100, repeat", 10000, 100},
                                           ValueCase{"0:0, 10:100, repeat", 15000, 50},
                                           ValueCase{"0:0, 10:100, repeat", 35000, 50},
                                           // a repeat of a single point is a constant
                                           ValueCase{"3:42, repeat", 99999, 42}));

TEST(Profile, EmptyProfileIsZeroAndConstantIsFlat) {
    EXPECT_DOUBLE_EQ(sim::Profile().valueAt(1234), 0.0);
    EXPECT_DOUBLE_EQ(sim::Profile::constant(85).valueAt(0), 85.0);
    EXPECT_DOUBLE_EQ(sim::Profile::constant(85).valueAt(1000000), 85.0);
}

TEST(Profile, PointsGivenOutOfOrderAreSortedByTime) {
    const sim::Profile profile({{2000, 300}, {0, 100}});
    EXPECT_DOUBLE_EQ(profile.valueAt(1000), 200);
}

class ProfileRejects : public ::testing::TestWithParam<const char*> {};

TEST_P(ProfileRejects, TextThatIsNotAPointList) {
    QString error;
    EXPECT_FALSE(sim::Profile::parse(GetParam(), &error));
    EXPECT_FALSE(error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(BadText, ProfileRejects,
                         ::testing::Values("", "repeat", "850", "0:850:1", "a:850", "0:fast", "5:800,2:900", "-1:800",
                                           "0:nan", "0:inf", "999999:1", "0:1e9", "0,850"));

TEST(Profile, TooManyPointsAreRefused) {
    QStringList points;
    for (int i = 0; i <= 1000; ++i)
        points << QStringLiteral("%1:1").arg(i);
    EXPECT_FALSE(sim::Profile::parse(points.join(',')));
}

} // namespace
