#pragma once

#include "core/app/Rect.h"

namespace kivo {

struct DeviceMirror;

// Conversions between output pixels and the canvas, in integer arithmetic that multiplies
// first and truncates toward zero, each corner on its own.

// Output rectangle to canvas pixels; an output size that is not positive maps to nothing.
Rect outputToCanvas(const DeviceMirror& mirror, const Rect& output, int hact, int vact);

// Canvas rectangle to output pixels; a maximised window covers the whole output.
Rect canvasToOutput(const DeviceMirror& mirror, const Rect& view, bool maximised, int hact,
                    int vact);

} // namespace kivo
