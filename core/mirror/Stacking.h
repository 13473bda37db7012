#pragma once

namespace kivo {

struct DeviceMirror;

// Closes the gaps that switched-off windows leave in the stacking order: the windows that are
// on get 1, 2, 3, ... in their present order, at most as many as the device has; every other
// window is off (0). Two windows at one place keep their window order, so no two ever share
// a place afterwards. A swap waiting on a window that is now off is dropped. Returns the number
// of the front window, 0 when every window is off.
int renumberPriorities(DeviceMirror& mirror);

// How many windows are on (have a place in the stack).
unsigned countWindowsOn(const DeviceMirror& mirror);

} // namespace kivo
