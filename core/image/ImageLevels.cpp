#include "core/image/ImageLevels.h"

#include "core/base/CNumbers.h"
#include "core/mirror/WindowRecord.h"

namespace kivo {
namespace {

// An integer level: its command, the window's field, its range and tick, its caption.
struct IntegerLevel {
    StringId command;
    int WindowRecord::*field;
    int minimum;
    int maximum;
    int tick;
    StringId caption;
};

constexpr IntegerLevel brightness{StringId::brightnessCommand,
                                  &WindowRecord::brightness,
                                  minimumBrightness,
                                  maximumBrightness,
                                  50,
                                  StringId::brightnessGroup};
constexpr IntegerLevel contrast{
    StringId::contrastCommand, &WindowRecord::contrast, minimumContrast, maximumContrast, 10,
    StringId::contrastGroup};
// An RGB input takes a narrower contrast.
constexpr IntegerLevel rgbContrast{StringId::contrastCommand, &WindowRecord::contrast, 88, 118, 2,
                                   StringId::rgbContrastGroup};
constexpr IntegerLevel colour{StringId::hueCommand, &WindowRecord::hue, -180, 180, 18,
                              StringId::colorGroup};
constexpr IntegerLevel saturation{
    StringId::saturationCommand, &WindowRecord::saturation, 0, 199, 10, StringId::saturationGroup};

// The level's entry; contrast's command and field are the same for every input.
const IntegerLevel& integerLevel(Level level)
{
    switch (level) {
    case Level::brightness:
        return brightness;
    case Level::contrast:
        return contrast;
    case Level::colour:
        return colour;
    case Level::saturation:
    case Level::gamma:
        break;
    }
    return saturation;
}

bool isRgb(const WindowRecord& w) { return w.inputType == InputType::rgb; }

LevelDisplay integerDisplay(const WindowRecord& w, const IntegerLevel& level, bool applies)
{
    const int value = w.*level.field;
    // A level that does not apply shows an empty box and its trackbar at the bottom.
    return {level.caption,
            level.minimum,
            level.maximum,
            level.tick,
            applies ? value : level.minimum,
            applies ? std::to_string(value) : std::string(),
            applies};
}

std::string gammaText(double gamma) { return formatFixed(gamma, 1); }

} // namespace

LevelDisplay levelDisplay(const WindowRecord& w, Level level)
{
    switch (level) {
    case Level::brightness:
        return integerDisplay(w, brightness, true);
    case Level::contrast:
        return integerDisplay(w, isRgb(w) ? rgbContrast : contrast, true);
    case Level::colour:
        return integerDisplay(w, colour, w.inputType == InputType::video);
    case Level::saturation:
        return integerDisplay(w, saturation, !isRgb(w));
    case Level::gamma:
        break;
    }
    return {StringId::gammaGroup, 5,   20, 1, static_cast<int>(w.gamma * gammaScale),
            gammaText(w.gamma),   true};
}

StringId levelCommand(Level level)
{
    return level == Level::gamma ? StringId::gammaCommand : integerLevel(level).command;
}

void storeLevel(WindowRecord& window, Level level, int position)
{
    if (level == Level::gamma)
        window.gamma = position / gammaScale;
    else
        window.*integerLevel(level).field = position;
}

std::string levelCommandText(const WindowRecord& window, int number, Level level)
{
    if (level == Level::gamma)
        return formatString(StringId::gammaCommand, number, window.gamma);
    return formatString(integerLevel(level).command, number, window.*integerLevel(level).field);
}

bool motionFilterApplies(const WindowRecord& window) { return !isRgb(window); }

} // namespace kivo
