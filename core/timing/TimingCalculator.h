#pragma once

#include <array>
#include <string>

namespace kivo {

// The six related values of one direction of a timing, as the timing dialogs number them:
// front porch, sync, back porch, blank (their sum), active, total (blank + active); the
// horizontal ones at 0..5, the vertical ones at 6..11.
enum TimingField : int {
    frontPorch = 0,
    sync = 1,
    backPorch = 2,
    blank = 3,
    active = 4,
    total = 5,
};
inline constexpr int timingFieldsPerDirection = 6;
inline constexpr int timingFieldCount = 12;

// What the calculator made of a dialog's twelve boxes.
struct TimingCalculation {
    std::array<int, timingFieldCount> values{};   // -1 where a box stayed empty
    std::array<bool, timingFieldCount> derived{}; // written back into the dialog's box
    bool complete = false;                        // the timing may be sent
    std::string message;                          // why not, when it may not
};

// The number a timing box holds: after leading blanks, a sign and digits; a text without them
// reads as 0.
int readTimingBox(const std::string& text);

// Completes a timing from the boxes the operator filled: a missing porch, sync, blank, active
// or total is derived from the others, and a blank or total that disagrees with its parts is
// replaced by their sum. The horizontal direction is worked out before the vertical one, and
// both blanks before either total; the first step that cannot be done ends the calculation
// with its message, keeping what was derived before it. Every derived value must be 0..2048.
// An empty text is a missing value; other text reads as a decimal number (0 without digits).
TimingCalculation calculateTiming(const std::array<std::string, timingFieldCount>& texts);

} // namespace kivo
