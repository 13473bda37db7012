#pragma once

#include "gui/timing/TimingDialog.h"

namespace kivo::gui {

// The Output Timing dialog, over the output's timing: the signal's own values take input
// only while the output runs free.
class OutputTimingDialog final : public TimingDialog {
    Q_OBJECT
public:
    OutputTimingDialog(PanelSession& session, QWidget* parent);
};

} // namespace kivo::gui
