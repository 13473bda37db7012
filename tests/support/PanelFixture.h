#pragma once

#include "tests/support/Fakes.h"
#include "tests/support/ScriptedLink.h"
#include "tests/support/TempDir.h"

#include "core/base/BusyHandler.h"
#include "core/link/PanelApp.h"
#include "core/protocol/CommandChannel.h"
#include "core/protocol/NumericEntry.h"
#include "core/settings/Profile.h"
#include "core/terminal/TerminalConsole.h"
#include "core/terminal/TerminalModel.h"

#include <gtest/gtest.h>

namespace kivo::test {

// A connected panel over a scripted link, with every seam recorded and the ini file and the
// raw log in a temporary directory.
class PanelFixture : public ::testing::Test {
protected:
    PanelFixture();

    // The texts written to the link, in order.
    const std::vector<std::string>& wire() const { return link->writes; }

    TempDir dir;
    Profile profile{dir.file("Kivo.ini")};
    PanelApp app{profile};
    ManualClock clock;
    FakeKeyState keys;
    RecordingPrompter prompter;
    RecordingExit processExit;
    RecordingProgress progress;
    TerminalModel terminal;
    BusyHandler busy;
    CommandChannel channel{app, {clock, keys, prompter, processExit, busy}};
    NumericEntry numericEntry{app, channel, prompter};
    TerminalConsole console{terminal, channel, app, prompter};
    ScriptedLink scriptedLink;
    ScriptedLink* link = &scriptedLink;
};

} // namespace kivo::test
