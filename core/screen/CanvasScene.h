#pragma once

#include "core/base/Rect.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kivo {

struct DeviceMirror;
struct WindowRecord;

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Colour&) const = default;
};

namespace canvasColours {
inline constexpr Colour active{0, 0, 170};
inline constexpr Colour inactive{136, 136, 136};
inline constexpr Colour white{255, 255, 255};
inline constexpr Colour black{0, 0, 0};
inline constexpr Colour marker{255, 0, 255};
inline constexpr Colour markerBlink{255, 0, 0};
} // namespace canvasColours

// The three faces the labels use: the title in the system font, the stacking place in a
// 15-pixel font, the coordinates and description in a 12-pixel one.
enum class LabelFont { system, label, small };

struct CanvasLabel {
    std::string text;
    Point baseline; // where the text starts, on its baseline
    LabelFont font = LabelFont::system;
    Rect clip;
    bool operator==(const CanvasLabel&) const = default;
};

// One window as the canvas shows it, in canvas pixels.
struct DrawnWindow {
    int number = 0;
    Rect frame; // filled with `frameColour`
    Colour frameColour;
    Rect inner;                      // filled white inside the frame
    std::optional<Rect> sourceFrame; // outlined one pixel wide in `sourceColour`
    Colour sourceColour;
    std::vector<CanvasLabel> labels;
    std::optional<Rect> marker; // the swap marker square, filled with `markerColour`
    Colour markerColour;
    std::vector<Rect> handles; // filled black
};

// What the canvas shows: everything clipped to the canvas, the windows from the back to the
// front. A widget draws it with one transform from canvas pixels to its own.
struct CanvasScene {
    Rect clip;
    std::vector<DrawnWindow> windows;
};

struct SceneOptions {
    bool sizingMarkers = true;
    bool playing = false;   // a presentation runs: no window is active, none can be swapped
    std::int64_t nowMs = 0; // the blinking marker's phase
};

CanvasScene buildCanvasScene(const DeviceMirror& mirror, const SceneOptions& options);

// Where window's swap marker square is, when it shows: in the top band, inside the canvas.
std::optional<Rect> markerRect(const WindowRecord& window, bool playing);

} // namespace kivo
