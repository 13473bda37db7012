#pragma once

#include "tests/support/Fakes.h"
#include "tests/support/ScriptedLink.h"
#include "tests/support/TempDir.h"

#include "core/base/Rect.h"
#include "core/link/LinkOpener.h"
#include "core/link/PanelApp.h"
#include "core/settings/Profile.h"
#include "gui/base/ControlId.h"
#include "gui/base/QtBusyHandler.h"
#include "gui/panel/MainWindow.h"
#include "gui/terminal/TerminalPage.h"

#include "sim/SimLink.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace kivo::test {

// A page control by its resource id.
template <typename Control> Control& findControl(QWidget& page, int id)
{
    for (Control* found : page.findChildren<Control*>())
        if (found->property(gui::controlIdProperty).toInt() == id)
            return *found;
    throw std::runtime_error("no control " + std::to_string(id));
}

// The ids that more than one control inside `window` carries, each once.
std::vector<int> sharedControlIds(const QWidget& window);

// The "wdr" line that places window `number` at this output rectangle.
std::string placementLine(int number, const Rect& output);

// The "wdr" line of window `number`, whose output rectangle was `placed`, moved on the canvas
// to `view` without being resized: its corner is mapped from the canvas's fixed mapping, its
// size stays.
std::string moveCommand(int number, const Rect& view, const Rect& placed, int outputWidth,
                        int outputHeight);

// The main window on port "scripted", every seam recorded and the ini file in a temporary
// directory. The bring-up talks to a simulated Quadrix; once it is over, the panel's link is a
// scripted one. Tests call startUp themselves rather than wait for the timer.
class MainWindowFixture : public ::testing::Test {
protected:
    MainWindowFixture();

    // Opens the link and brings the panel up, as the start-up timer would.
    void startUp();
    gui::TerminalPage& terminal() { return window->terminal(); }
    const std::vector<std::string>& wire() const { return link.writes; }

    PanelApp& app() { return window->session().app(); }
    Profile& profile() { return window->session().profile(); }

    TempDir dir;
    ManualClock clock;
    FakeKeyState keys;
    RecordingPrompter prompter;
    RecordingExit processExit;
    gui::QtBusyHandler busy;
    sim::SimLink simulated;
    ScriptedLink link;
    ForwardingLink* panelLink = nullptr;
    LinkOpener opener;
    std::unique_ptr<gui::MainWindow> window;
};

} // namespace kivo::test
