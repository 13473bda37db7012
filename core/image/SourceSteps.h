#pragma once

#include "core/base/Rect.h"

#include <optional>
#include <string_view>

namespace kivo {

struct WindowRecord;

// The six zoom and pan buttons, numbered as the buttons know them.
enum class ZoomKind { in = 1, out, left, right, up, down };
inline constexpr int zoomKindCount = 6;

// The arrow buttons' pictures: the plain arrow, and the one shown once the source has reached
// that edge of the input.
enum class ArrowIcon {
    left = 132,
    leftAtLimit = 133,
    right = 134,
    rightAtLimit = 135,
    up = 136,
    upAtLimit = 137,
    down = 138,
    downAtLimit = 139,
};

// What the zoom, pan and centring buttons show for a window's source rectangle.
struct ButtonStates {
    ArrowIcon left = ArrowIcon::left;
    ArrowIcon right = ArrowIcon::right;
    ArrowIcon up = ArrowIcon::up;
    ArrowIcon down = ArrowIcon::down;
    bool centerHorizontal = false;
    bool centerVertical = false;
    bool zoomOut = false;
    bool zoomIn = false;
    bool operator==(const ButtonStates&) const = default;
};
ButtonStates buttonStates(const WindowRecord& window, bool zoomInLimit);

// One click of a zoom or pan button: the new source rectangle, within the window's limits.
struct SourceStep {
    Rect source;
    // After this zoom-in the next one would go below the smallest source.
    bool reachedZoomInLimit = false;
};
// Nothing when the step cannot move (left at the input's left edge, and so on).
std::optional<SourceStep> stepSource(const WindowRecord& window, ZoomKind kind);

// A source rectangle kept inside the input picture (moved back in when a step ran past an
// edge) and within the window's limits: left and top at most a tenth of the input short of its
// far edges, at least a tenth of the input wide and high.
Rect clampSource(const WindowRecord& window, Rect source);

// The source moved to the middle of the input, across or down; its size stays.
Rect centeredHorizontally(const WindowRecord& window);
Rect centeredVertically(const WindowRecord& window);

// A source rectangle as left, top, width and height, as the operator types it.
struct SourceRequest {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const SourceRequest&) const = default;
};
// Exactly four numbers, read from the first one; anything else is no rectangle. Numbers
// beyond 32 bits are held at the nearest bound.
std::optional<SourceRequest> parseSourceText(std::string_view text);

} // namespace kivo
