#include "core/screen/PresetArrangements.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace kivo::test {
namespace {

struct PresetCase {
    std::string name;
    Preset preset;
    unsigned windows;
    std::vector<Placement> placements;
};

class PresetLayout : public ::testing::TestWithParam<PresetCase> {};

TEST_P(PresetLayout, PlacesTheWindowsInStackingOrderOn640x480)
{
    const PresetCase& c = GetParam();
    EXPECT_EQ(presetPlacements(c.preset, c.windows, 640, 480), c.placements);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PresetLayout,
    ::testing::Values(
        PresetCase{"GridOfTwoSideBySideAlongTheTop",
                   Preset::grid,
                   2,
                   {{0, 0, 320, 240}, {320, 0, 320, 240}}},
        PresetCase{
            "GridOfFour",
            Preset::grid,
            4,
            {{0, 0, 320, 240}, {320, 0, 320, 240}, {0, 240, 320, 240}, {320, 240, 320, 240}}},
        PresetCase{
            "CentreOfFour",
            Preset::centre,
            4,
            {{160, 120, 320, 240}, {0, 0, 320, 240}, {320, 0, 320, 240}, {0, 240, 320, 240}}},
        PresetCase{
            "TopLeftOfFour",
            Preset::topLeft,
            4,
            {{0, 0, 426, 320}, {426, 0, 213, 160}, {426, 160, 213, 160}, {426, 320, 213, 160}}},
        PresetCase{
            "TopRightOfFour",
            Preset::topRight,
            4,
            {{213, 0, 426, 320}, {426, 320, 213, 160}, {213, 320, 213, 160}, {0, 320, 213, 160}}},
        PresetCase{
            "BottomRightOfFour",
            Preset::bottomRight,
            4,
            {{213, 160, 426, 320}, {0, 320, 213, 160}, {0, 160, 213, 160}, {0, 0, 213, 160}}},
        PresetCase{"BottomLeftOfFour",
                   Preset::bottomLeft,
                   4,
                   {{0, 160, 426, 320}, {0, 0, 213, 160}, {213, 0, 213, 160}, {426, 0, 213, 160}}},
        PresetCase{"TopLeftOfTen",
                   Preset::topLeft,
                   10,
                   {{0, 0, 512, 384},
                    {512, 0, 128, 96},
                    {512, 96, 128, 96},
                    {512, 192, 128, 96},
                    {512, 288, 128, 96},
                    {512, 384, 128, 96},
                    {384, 384, 128, 96},
                    {256, 384, 128, 96},
                    {128, 384, 128, 96},
                    {0, 384, 128, 96}}},
        PresetCase{"CentreOfSevenLeavesTheMiddleCellFree",
                   Preset::centre,
                   7,
                   {{160, 120, 320, 240},
                    {0, 0, 213, 160},
                    {213, 0, 213, 160},
                    {426, 0, 213, 160},
                    {0, 160, 213, 160},
                    {426, 160, 213, 160},
                    {0, 320, 213, 160}}}),
    [](const auto& info) { return info.param.name; });

TEST(PresetArrangements, CentreOfTenFillsTheMiddleCell)
{
    const auto placements = presetPlacements(Preset::centre, 10, 640, 480);
    ASSERT_EQ(placements.size(), 10u);
    EXPECT_NE(std::find(placements.begin(), placements.end(), Placement{213, 160, 213, 160}),
              placements.end());
}

TEST(PresetArrangements, NothingForOneWindowOrAnOutputWithoutSize)
{
    EXPECT_TRUE(presetPlacements(Preset::grid, 1, 640, 480).empty());
    EXPECT_TRUE(presetPlacements(Preset::grid, 4, 0, 480).empty());
    EXPECT_TRUE(presetPlacements(Preset::topLeft, 4, 640, 4000000000u).empty());
}

TEST(PresetArrangements, ModesOutsideTwoToSevenAreUnknown)
{
    EXPECT_EQ(presetFromMode(1), std::nullopt);
    EXPECT_EQ(presetFromMode(8), std::nullopt);
    EXPECT_EQ(presetFromMode(2), Preset::grid);
    EXPECT_EQ(presetFromMode(7), Preset::bottomLeft);
}

} // namespace
} // namespace kivo::test
