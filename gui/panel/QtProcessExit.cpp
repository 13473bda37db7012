#include "gui/panel/QtProcessExit.h"

#include <QWidget>

#include <cstdlib>

namespace kivo::gui {

void QtProcessExit::endProcess(int exitCode)
{
    if (window_)
        window_->close();
    // The call stack below is a device exchange that must not go on: leave without unwinding it.
    std::exit(stopStatus_ != 0 ? stopStatus_ : exitCode);
}

} // namespace kivo::gui
