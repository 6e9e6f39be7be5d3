#include "link/InstrumentModels.h"

#include <gtest/gtest.h>

TEST(InstrumentModels, GasModelIsRecognisedByItsFirstTwelveCharacters) {
    const std::pair<const char*, int> cases[] = {
        {"KAPROGAS-610", 0},       {"KAPROGAS-620", 1},     {"KAPROGAS-730", 2},
        {"KAPROGAS-620 REV.B", 1}, {"KAPROGAS-7300000", 2}, {"KAPROGAS-62", 3},
        {"kaprogas-610", 3},       {"KAPROGAS-VEGA", 3},    {"", 3},
        {" KAPROGAS-610", 3},
    };
    for (const auto& [model, row] : cases)
        EXPECT_EQ(GasRowOfModel(model), row) << model;
}

TEST(InstrumentModels, OpacimeterModelIsRecognisedWhole) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"OPX-410", 0},
        {"OPX-520", 1},
        {"OPX-520/HD", 2},
        {"OPX-520/HDF", 3},
        {"OPX-520/HF", 4},
        {"OPX-300", 5},
        {"OPX-520/HDX", std::nullopt},
        {"OPX RIGEL", std::nullopt},
        {"OPX-520/H", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [model, row] : cases)
        EXPECT_EQ(OpacimeterRowOfModel(model), row) << model;
}

TEST(InstrumentModels, ListsGiveModeAndAddressPerRow) {
    ASSERT_EQ(GasModelRows().size(), 4u);
    EXPECT_EQ(GasModelRows()[2].binaryAddress, 0x21);
    EXPECT_EQ(GasModelRows()[3].linkMode, 2);
    ASSERT_EQ(OpacimeterModelRows().size(), 6u);
    EXPECT_EQ(OpacimeterModelRows()[0].binaryAddress, 0x51);
    EXPECT_EQ(OpacimeterModelRows()[4].binaryAddress, 0x41);
    EXPECT_EQ(OpacimeterModelRows()[5].linkMode, 2);
    for (const auto& row : OpacimeterModelRows())
        EXPECT_EQ(OpacimeterRowOfModel(row.identityModel).has_value(), true) << row.listText.toStdString();
}

TEST(InstrumentModels, RightTrimmingDropsOnlyTrailingBlanks) {
    EXPECT_EQ(RightTrimmed("OPX-520/HD   "), "OPX-520/HD");
    EXPECT_EQ(RightTrimmed("  OPX "), "  OPX");
    EXPECT_EQ(RightTrimmed("   "), "");
    EXPECT_EQ(RightTrimmed("A\t"), "A\t");
}
