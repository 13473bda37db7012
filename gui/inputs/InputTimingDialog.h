#pragma once

#include "gui/timing/TimingDialog.h"

namespace kivo::gui {

// The Input Timing dialog, over RGB window `window`'s input timing: its porches, syncs and
// horizontal active take input; the rest is the source's own.
class InputTimingDialog final : public TimingDialog {
    Q_OBJECT
public:
    InputTimingDialog(PanelSession& session, int window, QWidget* parent);
};

} // namespace kivo::gui
