#include "link/CylinderStepping.h"

#include <gtest/gtest.h>

TEST(CylinderStepping, PlusSkipsTheOddCountsAboveSixAndStopsAtTwelve) {
    const std::pair<int, int> cases[] = {{0, 1},   {1, 2},   {5, 6},   {6, 8},  {8, 10},
                                         {10, 12}, {12, 12}, {15, 15}, {-3, -2}};
    for (const auto& [from, to] : cases)
        EXPECT_EQ(NextCylinderCount(from), to) << "from " << from;
}

TEST(CylinderStepping, MinusSkipsTheOddCountsAboveSixAndStopsAtOne) {
    const std::pair<int, int> cases[] = {{12, 10}, {10, 8}, {8, 6}, {6, 5}, {2, 1}, {1, 1}, {0, 0}, {13, 12}, {9, 8}};
    for (const auto& [from, to] : cases)
        EXPECT_EQ(PreviousCylinderCount(from), to) << "from " << from;
}

TEST(CylinderStepping, WalkingUpAndDownVisitsExactlyTheEngineLayouts) {
    std::vector<int> up{1};
    while (NextCylinderCount(up.back()) != up.back())
        up.push_back(NextCylinderCount(up.back()));
    EXPECT_EQ(up, (std::vector<int>{1, 2, 3, 4, 5, 6, 8, 10, 12}));
    std::vector<int> down{12};
    while (PreviousCylinderCount(down.back()) != down.back())
        down.push_back(PreviousCylinderCount(down.back()));
    EXPECT_EQ(down, (std::vector<int>(up.rbegin(), up.rend())));
}
