#pragma once

namespace kivo {

// Which modifier keys are held down at this moment (not when an event was queued).
class KeyState {
public:
    virtual ~KeyState() = default;
    virtual bool shiftHeld() const = 0;
    virtual bool altHeld() const = 0;
};

} // namespace kivo
