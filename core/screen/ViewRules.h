#pragma once

#include "core/base/Rect.h"
#include "core/screen/WindowTracker.h"

namespace kivo {

// The rules that keep a window's view rectangle usable on the canvas. Each takes a rectangle
// and returns the corrected one; none of them needs more than the canvas geometry.

// No wider and no taller than the whole output maps to: the edge that moves is the right one
// (the left one when the window starts left of 0), the bottom one (the top one above 0).
Rect clampToMapSize(Rect view);

// Moved, not resized, until at least the minimum view size of it lies inside the canvas.
Rect keepVisible(Rect view);

// A window that ends within a few pixels of a canvas edge is moved flush with it; left and
// top win over right and bottom. A window nearly as wide (or high) as the canvas stays put.
Rect snapToEdges(Rect view);

// Sizing by a corner keeps a 4:3 picture: the top-right and bottom-left corners set the
// height from the width, the other two the width from the height. Other handles keep it.
Rect applyCornerAspect(Rect view, Handle handle);

// The rectangle a maximised window goes back to: never more than nine tenths of the canvas,
// cut at its right and bottom edges.
Rect restoreSizeFor(Rect view);

// The frame drawn while dragging: the corner rule applied, and kept within reach of the
// canvas by a tenth of its size.
Rect dragFeedback(Rect view, Handle handle);

} // namespace kivo
