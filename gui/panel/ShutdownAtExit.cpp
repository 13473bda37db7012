#include "gui/panel/ShutdownAtExit.h"

#include "core/link/PanelApp.h"

#include <QtGlobal>

#include <cstdlib>
#include <utility>

namespace kivo::gui {
namespace {

// An exit handler takes no arguments: the panel it ends is kept here while a hook lives.
PanelApp* panelToShutDown = nullptr;

void shutDownPanel()
{
    if (PanelApp* app = std::exchange(panelToShutDown, nullptr))
        app->shutdown();
}

} // namespace

ShutdownAtExit::ShutdownAtExit(PanelApp& app)
{
    static const bool registered = std::atexit(shutDownPanel) == 0;
    if (!registered)
        qWarning("kivo: cannot hook the exit; a lost display ends the panel without its shutdown");
    panelToShutDown = &app;
}

ShutdownAtExit::~ShutdownAtExit() { panelToShutDown = nullptr; }

} // namespace kivo::gui
