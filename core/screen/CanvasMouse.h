#pragma once

#include "core/base/Rect.h"
#include "core/screen/WindowTracker.h"

#include <optional>
#include <vector>

namespace kivo {

class PanelApp;
class VirtualScreen;
struct DeviceMirror;

// The mouse on the canvas, as a state machine fed with events in canvas pixels: a press
// raises the window under it and starts moving or sizing it by the handle it grabbed; the
// release commits the new rectangle; Escape, the right button or a lost capture before any
// movement cancel. A double-click maximises or restores; clicks on the swap markers of two
// windows exchange them; holding the right button outlines the windows hidden behind.
class CanvasMouse {
public:
    CanvasMouse(DeviceMirror& mirror, PanelApp& app, VirtualScreen& screen);

    void press(Point point);
    void move(Point point);
    void release(Point point);
    void doubleClick(Point point);
    void rightPress(Point point);
    void rightRelease();
    void escape();
    // The canvas lost the mouse (another window took it) while the button was down.
    void captureLost();

    bool dragging() const { return drag_.has_value(); }
    // The frame to draw while dragging, in canvas pixels.
    std::optional<Rect> dragFrame() const;

    // While the right button is held: the windows behind the one clicked, outlined within it.
    struct HiddenOutlines {
        Rect clip;
        std::vector<Rect> outlines;
    };
    const std::optional<HiddenOutlines>& hiddenOutlines() const { return hidden_; }

    // What the pointer would grab at `point`: the front window's handle, or nothing while the
    // front window fills the output.
    Handle handleAt(Point point) const;

    // The window under `point`, front to back; 0 when none.
    int hitWindow(Point point) const;

private:
    struct Drag {
        int window;
        Handle handle;
        Rect start;
        Point grab;
        Rect now;
    };

    void toggleSwap(int number);
    void swap(int a, int b);
    void finishDrag(bool keep);

    DeviceMirror& mirror_;
    PanelApp& app_;
    VirtualScreen& screen_;
    std::optional<Drag> drag_;
    std::optional<HiddenOutlines> hidden_;
};

} // namespace kivo
