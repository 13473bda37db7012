#include "core/mirror/CanvasMapping.h"

#include "core/mirror/DeviceMirror.h"

namespace kivo {

Rect outputToCanvas(const DeviceMirror& m, const Rect& output, int hact, int vact)
{
    return {output.left * m.canvasWidth / hact + m.canvasLeft,
            output.top * m.canvasHeight / vact + m.canvasTop,
            output.right * m.canvasWidth / hact + m.canvasLeft,
            output.bottom * m.canvasHeight / vact + m.canvasTop};
}

Rect canvasToOutput(const DeviceMirror& m, const Rect& view, bool maximised, int hact, int vact)
{
    if (maximised || m.canvasWidth == 0 || m.canvasHeight == 0)
        return maximised ? Rect{0, 0, hact, vact} : Rect{};
    return {(view.left - m.canvasLeft) * hact / m.canvasWidth,
            (view.top - m.canvasTop) * vact / m.canvasHeight,
            (view.right - m.canvasLeft) * hact / m.canvasWidth,
            (view.bottom - m.canvasTop) * vact / m.canvasHeight};
}

} // namespace kivo
