#pragma once

#include "core/base/ProcessExit.h"

class QWidget;

namespace kivo::gui {

// Ends the panel from deep inside a device exchange (lost link, Alt+Shift abort): the core has
// already shut down in order, so the main window is closed and the process ends at once.
class QtProcessExit final : public ProcessExit {
public:
    void setMainWindow(QWidget* window) { window_ = window; }
    [[noreturn]] void endProcess(int exitCode) override;
    // From now on the panel ends with the shell's status for `signal`, 128 + its number.
    void stoppedBy(int signal) { stopStatus_ = 128 + signal; }
    // 0 until a signal asked the panel to end.
    int stopStatus() const { return stopStatus_; }

private:
    QWidget* window_ = nullptr;
    int stopStatus_ = 0;
};

} // namespace kivo::gui
