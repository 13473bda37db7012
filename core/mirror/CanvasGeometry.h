#pragma once

#include "core/base/Rect.h"

#include <optional>

namespace kivo {

struct DeviceMirror;

// Where the picture of the output screen lies, in canvas pixels. It is a constant of the
// panel, the same on every screen: stored arrangements and shots keep view rectangles in
// these pixels, so an ini file lays the windows out the same on every machine. A widget
// scales the canvas to its own size when it draws.
namespace canvas {

// The group box the canvas sits in, in page client pixels.
inline constexpr Rect groupBox{9, 13, 366, 271};
// The group box deflated by its frame and caption: painting and hit testing stay inside it.
inline constexpr Rect canvasRect{groupBox.left + 2, groupBox.top + 6, groupBox.right - 2,
                                 groupBox.bottom - 1};
// The corner the output's (0, 0) maps to, and the size the whole output maps to: one pixel
// wider than the canvas, as tall as it.
inline constexpr Point mapOrigin{groupBox.left + 2, groupBox.top + 6};
inline constexpr int mapWidth = groupBox.right - groupBox.left - 3;
inline constexpr int mapHeight = groupBox.bottom - groupBox.top - 7;

// Smallest frame of a window on the canvas, so that it can always be grabbed.
inline constexpr int minViewWidth = 44;
inline constexpr int minViewHeight = 33;

} // namespace canvas

// Output pixels to canvas pixels, each corner on its own, multiplying first and truncating
// toward zero; the result is at least the minimum view size. Nothing for an output size that
// is not positive.
std::optional<Rect> mapOutputToView(const Rect& output, int outputWidth, int outputHeight);

// Canvas pixels to output pixels; a maximised window covers the whole output.
Rect mapViewToOutput(const Rect& view, bool maximised, int outputWidth, int outputHeight);

// Window `number` takes the output rectangle `output` as its destination, and the view
// rectangle that shows it at the output timing's size.
void outputToView(DeviceMirror& mirror, int number, const Rect& output);

// The output rectangle window `number`'s frame stands for. An edge the frame has not moved
// since the destination was last sent or read keeps its output coordinate, and a frame moved
// without being resized keeps the destination's size; only the edges that moved are mapped
// from canvas pixels, which are far coarser than output pixels.
Rect outputRectOf(const DeviceMirror& mirror, int number);

// Window `number`'s destination rectangle from its view rectangle, as outputRectOf gives it.
void viewToOutput(DeviceMirror& mirror, int number);

} // namespace kivo
