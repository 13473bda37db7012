#include "tests/gui/MainWindowFixture.h"

#include "core/mirror/CanvasGeometry.h"

namespace kivo::test {

std::string placeCommand(int number, const Rect& view, int outputWidth, int outputHeight)
{
    const auto x = [&](int v) {
        return (v - canvas::mapOrigin.x) * outputWidth / canvas::mapWidth;
    };
    const auto y = [&](int v) {
        return (v - canvas::mapOrigin.y) * outputHeight / canvas::mapHeight;
    };
    const int left = x(view.left);
    const int top = y(view.top);
    return "wdr " + std::to_string(number) + " " + std::to_string(left) + " " +
           std::to_string(top) + " " + std::to_string(x(view.right) - left) + " " +
           std::to_string(y(view.bottom) - top) + "\n";
}

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
