#include "tests/gui/MainWindowFixture.h"

#include "core/mirror/CanvasGeometry.h"

#include <set>

namespace kivo::test {

std::vector<int> sharedControlIds(const QWidget& window)
{
    std::set<int> seen;
    std::set<int> shared;
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        const QVariant id = control->property(gui::controlIdProperty);
        if (id.isValid() && !seen.insert(id.toInt()).second)
            shared.insert(id.toInt());
    }
    return {shared.begin(), shared.end()};
}

std::string placementLine(int number, const Rect& output)
{
    return "wdr " + std::to_string(number) + " " + std::to_string(output.left) + " " +
           std::to_string(output.top) + " " + std::to_string(output.width()) + " " +
           std::to_string(output.height()) + "\n";
}

std::string moveCommand(int number, const Rect& view, const Rect& placed, int outputWidth,
                        int outputHeight)
{
    const int left = (view.left - canvas::mapOrigin.x) * outputWidth / canvas::mapWidth;
    const int top = (view.top - canvas::mapOrigin.y) * outputHeight / canvas::mapHeight;
    return placementLine(number, {left, top, left + placed.width(), top + placed.height()});
}

MainWindowFixture::MainWindowFixture()
{
    opener.addBuiltInDevice("scripted", [this] {
        auto forwarding = std::make_unique<ForwardingLink>(simulated);
        panelLink = forwarding.get();
        return forwarding;
    });
    window = std::make_unique<gui::MainWindow>(
        SessionOptions{dir.file("Kivo.ini"), "scripted", dir.file("Kivolog.txt").string()},
        CommandChannel::Seams{clock, keys, prompter, processExit, busy}, opener);
    // The size the pages' tests were drawn at, whatever the test screen's size.
    window->resize(900, 540);
}

void MainWindowFixture::startUp()
{
    window->startUp();
    if (panelLink)
        panelLink->retarget(link);
}

} // namespace kivo::test
