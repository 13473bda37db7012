#include "MainWindowFixture.h"

namespace kivo::test {

MainWindowFixture::MainWindowFixture()
{
    opener.addBuiltInDevice("scripted", [this] { return std::make_unique<ForwardingLink>(link); });
    app.portName = "scripted";
    app.startUp(dir.file("Kivolog.txt").string());
    window = std::make_unique<gui::CProperty>(
        app, CommandChannel::Seams{clock, keys, prompter, processExit}, opener);
}

} // namespace kivo::test
