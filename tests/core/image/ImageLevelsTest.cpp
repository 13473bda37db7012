#include "core/image/ImageLevels.h"
#include "core/mirror/WindowRecord.h"

#include <gtest/gtest.h>

#include <ostream>

namespace kivo::test {
namespace {

struct DisplayCase {
    const char* name;
    InputType input;
    Level level;
    LevelDisplay expected;
};
void PrintTo(const DisplayCase& c, std::ostream* out) { *out << c.name; }

class LevelDisplayTest : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(LevelDisplayTest, ShowsTheStoredLevelInTheInputsRange)
{
    WindowRecord window;
    window.inputType = GetParam().input;
    window.brightness = -120;
    window.contrast = 100;
    window.hue = 45;
    window.saturation = 150;
    window.gamma = 1.4;
    EXPECT_EQ(levelDisplay(window, GetParam().level), GetParam().expected);
}

using enum InputType;

INSTANTIATE_TEST_SUITE_P(
    Inputs, LevelDisplayTest,
    ::testing::Values(
        DisplayCase{"Brightness",
                    video,
                    Level::brightness,
                    {StringId::brightnessGroup, -500, 500, 50, -120, "-120", true}},
        DisplayCase{"Contrast",
                    video,
                    Level::contrast,
                    {StringId::contrastGroup, 0, 182, 10, 100, "100", true}},
        DisplayCase{
            "Colour", video, Level::colour, {StringId::colorGroup, -180, 180, 18, 45, "45", true}},
        DisplayCase{"Saturation",
                    video,
                    Level::saturation,
                    {StringId::saturationGroup, 0, 199, 10, 150, "150", true}},
        DisplayCase{
            "Gamma", video, Level::gamma, {StringId::gammaGroup, 5, 20, 1, 14, "1.4", true}},
        // Colour applies to video up to 640 wide only.
        DisplayCase{"WideVideoColour",
                    wideVideo,
                    Level::colour,
                    {StringId::colorGroup, -180, 180, 18, -180, "", false}},
        DisplayCase{"WideVideoSaturation",
                    wideVideo,
                    Level::saturation,
                    {StringId::saturationGroup, 0, 199, 10, 150, "150", true}},
        DisplayCase{"RgbContrast",
                    rgb,
                    Level::contrast,
                    {StringId::rgbContrastGroup, 88, 118, 2, 100, "100", true}},
        DisplayCase{"RgbColour",
                    rgb,
                    Level::colour,
                    {StringId::colorGroup, -180, 180, 18, -180, "", false}},
        DisplayCase{"RgbSaturation",
                    rgb,
                    Level::saturation,
                    {StringId::saturationGroup, 0, 199, 10, 0, "", false}},
        DisplayCase{
            "RgbGamma", rgb, Level::gamma, {StringId::gammaGroup, 5, 20, 1, 14, "1.4", true}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LevelCommandTest, SendsTheStoredLevel)
{
    WindowRecord window;
    storeLevel(window, Level::colour, -30);
    storeLevel(window, Level::gamma, 7);
    EXPECT_EQ(window.hue, -30);
    EXPECT_DOUBLE_EQ(window.gamma, 0.7);
    EXPECT_EQ(levelCommandText(window, 3, Level::colour), "hue 3 -30");
    EXPECT_EQ(levelCommandText(window, 3, Level::gamma), "gamma 3 0.7");
}

} // namespace
} // namespace kivo::test
