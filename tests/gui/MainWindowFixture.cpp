#include "tests/gui/MainWindowFixture.h"

namespace kivo::test {

MainWindowFixture::MainWindowFixture()
{
    opener.addBuiltInDevice("scripted", [this] {
        auto forwarding = std::make_unique<ForwardingLink>(simulated);
        panelLink = forwarding.get();
        return forwarding;
    });
    window = std::make_unique<gui::CProperty>(
        SessionOptions{dir.file("Kivo.ini"), "scripted", dir.file("Kivolog.txt").string()},
        CommandChannel::Seams{clock, keys, prompter, processExit, busy}, opener);
}

void MainWindowFixture::startUp()
{
    window->startUp();
    if (panelLink)
        panelLink->retarget(link);
}

} // namespace kivo::test
