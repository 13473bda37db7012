#include "core/screen/CanvasMouse.h"

#include "core/link/PanelApp.h"
#include "core/mirror/CanvasGeometry.h"
#include "core/mirror/DeviceMirror.h"
#include "core/screen/CanvasScene.h"
#include "core/screen/ViewRules.h"
#include "core/screen/VirtualScreen.h"

#include <algorithm>
#include <utility>

namespace kivo {
namespace {

bool isCorner(Handle handle) { return handle >= Handle::topLeft && handle <= Handle::bottomLeft; }

bool onMarker(const WindowRecord& window, Point point)
{
    const auto marker = markerRect(window, false);
    return marker && marker->contains(point);
}

} // namespace

CanvasMouse::CanvasMouse(DeviceMirror& mirror, PanelApp& app, VirtualScreen& screen)
    : mirror_(mirror), app_(app), screen_(screen)
{
}

int CanvasMouse::hitWindow(Point point) const
{
    if (!canvas::canvasRect.contains(point))
        return 0;
    const int count = static_cast<int>(std::min(mirror_.windowCount, DeviceMirror::maxWindows));
    for (int place = 1; place <= count; ++place)
        for (int number = 1; number <= static_cast<int>(DeviceMirror::maxWindows); ++number) {
            const WindowRecord& w = mirror_.window(number);
            if (w.present && w.priority == place && w.viewRect.contains(point))
                return number;
        }
    return 0;
}

void CanvasMouse::press(Point point)
{
    if (drag_)
        return;
    const int number = hitWindow(point);
    if (number == 0)
        return;
    WindowRecord& window = mirror_.window(number);
    if (onMarker(window, point)) {
        toggleSwap(number);
        return;
    }
    screen_.raise(number);
    mirror_.selectedWindow = number - 1;
    if (window.maximised)
        return;
    window.restoreRect = window.viewRect;
    const Handle handle = WindowTracker::hitTest(window.viewRect, point);
    if (handle == Handle::none)
        return;
    drag_ = Drag{number, handle, window.viewRect, point, window.viewRect};
}

void CanvasMouse::move(Point point)
{
    if (drag_)
        drag_->now = WindowTracker::dragged(drag_->start, drag_->handle, drag_->grab, point);
}

void CanvasMouse::release(Point point)
{
    if (!drag_)
        return;
    move(point);
    finishDrag(true);
}

void CanvasMouse::escape()
{
    if (drag_)
        finishDrag(false);
}

void CanvasMouse::captureLost()
{
    // Where the pointer had got to stays, as if released there; a press that never moved
    // leaves the window as it was.
    if (drag_)
        finishDrag(drag_->now != drag_->start);
}

void CanvasMouse::finishDrag(bool keep)
{
    const Drag drag = *std::exchange(drag_, std::nullopt);
    if (!keep)
        return;
    WindowRecord& window = mirror_.window(drag.window);
    Rect final = drag.now.normalized();
    const bool changed = final != drag.start;
    // Even a corner clicked without moving takes the 4:3 shape, on the canvas only.
    if (isCorner(drag.handle))
        final = applyCornerAspect(final, drag.handle);
    window.viewRect = final;
    if (!changed)
        return;
    window.viewRect = snapToEdges(window.viewRect);
    screen_.sendWindowPlacement(drag.window);
}

std::optional<Rect> CanvasMouse::dragFrame() const
{
    if (!drag_)
        return std::nullopt;
    return dragFeedback(drag_->now, drag_->handle);
}

void CanvasMouse::doubleClick(Point point)
{
    if (drag_)
        finishDrag(false);
    const int number = hitWindow(point);
    if (number == 0)
        return;
    WindowRecord& window = mirror_.window(number);
    if (onMarker(window, point))
        return;
    screen_.raise(number);
    app_.topWindow = number;
    mirror_.selectedWindow = number - 1;
    if (window.maximised) {
        window.viewRect = window.restoreRect;
        window.maximised = false;
    } else {
        window.restoreRect = restoreSizeFor(window.viewRect);
        window.viewRect = window.fullRect;
        window.maximised = true;
    }
    app_.maximisedFlag = window.maximised;
    screen_.sendWindowPlacement(number);
}

void CanvasMouse::rightPress(Point point)
{
    // The right button during a drag cancels it.
    if (drag_) {
        finishDrag(false);
        return;
    }
    const int number = hitWindow(point);
    if (number == 0)
        return;
    const WindowRecord& hit = mirror_.window(number);
    HiddenOutlines hidden{hit.viewRect, {}};
    for (const WindowRecord& w : mirror_.windows)
        if (w.present && w.priority > hit.priority)
            hidden.outlines.push_back(w.viewRect);
    hidden_ = hidden;
}

void CanvasMouse::rightRelease() { hidden_.reset(); }

Handle CanvasMouse::handleAt(Point point) const
{
    if (app_.maximisedFlag)
        return Handle::none;
    const int front = app_.topWindow >= 1 && app_.topWindow <= 10 ? app_.topWindow : 1;
    return WindowTracker::hitTest(mirror_.window(front).viewRect, point);
}

void CanvasMouse::toggleSwap(int number)
{
    WindowRecord& window = mirror_.window(number);
    if (window.blink) {
        window.blink = false;
        mirror_.blinkEnabled = 0;
    } else if (mirror_.blinkEnabled == 0) {
        window.blink = true;
        mirror_.blinkEnabled = number;
    } else {
        swap(mirror_.blinkEnabled, number);
    }
}

void CanvasMouse::swap(int a, int b)
{
    WindowRecord& first = mirror_.window(a);
    WindowRecord& second = mirror_.window(b);
    // Each takes the other's place exactly, in output pixels as on the canvas.
    std::swap(first.viewRect, second.viewRect);
    std::swap(first.placedView, second.placedView);
    std::swap(first.destRect, second.destRect);
    std::swap(first.restoreRect, second.restoreRect);
    std::swap(first.maximised, second.maximised);
    std::swap(first.priority, second.priority);
    first.blink = second.blink = false;
    mirror_.blinkEnabled = 0;
    screen_.sendWindowPlacement(a);
    screen_.sendWindowPlacement(b);
    if (first.priority == 1)
        app_.topWindow = a;
    if (second.priority == 1)
        app_.topWindow = b;
}

} // namespace kivo
