#pragma once

#include "core/app/ProcessExit.h"

class QWidget;

namespace kivo::gui {

// Ends the panel from deep inside a device exchange (lost link, Alt+Shift abort): the core has
// already shut down in order, so the main window is closed and the process ends at once.
class QtProcessExit final : public ProcessExit {
public:
    void setMainWindow(QWidget* window) { window_ = window; }
    [[noreturn]] void endProcess(int exitCode) override;

private:
    QWidget* window_ = nullptr;
};

} // namespace kivo::gui
