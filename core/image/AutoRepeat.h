#pragma once

namespace kivo {

// A zoom or pan button held down: after each beat of its timer it makes one more step, at
// most eight times in one press; the click at release makes the last. Releasing the button
// stops the timer; a step that finds the limit stops the repeat itself.
class AutoRepeat {
public:
    static constexpr int periodMs = 500;
    static constexpr int maxRepeats = 8;

    void press()
    {
        pressed_ = true;
        repeats_ = 0;
    }
    // One beat of the timer: true when it makes a step, false when the timer is to stop.
    bool tick()
    {
        if (!pressed_ || repeats_ >= maxRepeats)
            return false;
        ++repeats_;
        return true;
    }
    void stop() { pressed_ = false; }

    bool pressed() const { return pressed_; }
    int repeats() const { return repeats_; }

private:
    bool pressed_ = false;
    int repeats_ = 0;
};

} // namespace kivo
