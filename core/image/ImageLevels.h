#pragma once

#include "core/base/Strings.h"
#include "core/timing/TimingRecord.h"

#include <array>
#include <string>

namespace kivo {

struct WindowRecord;

// The picture levels of a window, in the order of their controls.
enum class Level { brightness, contrast, colour, saturation, gamma };
inline constexpr std::array<Level, 5> allLevels{Level::brightness, Level::contrast, Level::colour,
                                                Level::saturation, Level::gamma};

// How a level's trackbar, edit and group box show a window's value.
struct LevelDisplay {
    StringId caption;
    int minimum = 0;
    int maximum = 0;
    int tick = 1;
    int position = 0;
    std::string text; // empty where the level does not apply to the input
    bool enabled = true;
    bool operator==(const LevelDisplay&) const = default;
};
LevelDisplay levelDisplay(const WindowRecord& window, Level level);

// Gamma's trackbar counts tenths.
inline constexpr double gammaScale = 10.0;

// The command that sets a level ("bright %d %d", ..., "gamma %d %.01lf").
StringId levelCommand(Level level);
// A trackbar position stored as the window's level (gamma in tenths).
void storeLevel(WindowRecord& window, Level level, int position);
// The command that sends the window's stored level to window `number`.
std::string levelCommandText(const WindowRecord& window, int number, Level level);

// Whether the motion filter applies: not to an RGB input.
bool motionFilterApplies(const WindowRecord& window);

} // namespace kivo
