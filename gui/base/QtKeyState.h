#pragma once

#include "core/base/KeyState.h"

namespace kivo::gui {

// Shift and Alt as the keyboard holds them now, not as some queued event saw them.
class QtKeyState final : public KeyState {
public:
    bool shiftHeld() const override;
    bool altHeld() const override;
};

} // namespace kivo::gui
