#include "tests/gui/MainWindowFixture.h"

namespace kivo::test {

MainWindowFixture::MainWindowFixture()
{
    opener.addBuiltInDevice("scripted", [this] {
        auto forwarding = std::make_unique<ForwardingLink>(simulated);
        panelLink = forwarding.get();
        return forwarding;
    });
    app.portName = "scripted";
    app.startUp(dir.file("Kivolog.txt").string());
    window = std::make_unique<gui::CProperty>(
        app, CommandChannel::Seams{clock, keys, prompter, processExit}, opener);
}

void MainWindowFixture::startUp()
{
    window->startUp();
    if (panelLink)
        panelLink->retarget(link);
}

} // namespace kivo::test
