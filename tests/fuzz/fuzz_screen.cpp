#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzPanel.h"

#include "core/link/Link.h"
#include "core/screen/CanvasMouse.h"
#include "core/screen/CanvasScene.h"
#include "core/screen/VirtualScreen.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

using kivo::fuzz::check;

namespace {

// A device that takes every command and never answers.
class SinkLink final : public kivo::Link {
public:
    long write(std::string_view bytes) override { return static_cast<long>(bytes.size()); }
    long read(std::span<char>) override { return 0; }
    int readTimeoutMs() const override { return 10; }
    std::string errorText() const override { return {}; }
    std::size_t purgeReceive() override { return 0; }
    void close() override {}
};

// Reads the input as small signed numbers, then zeros once it runs out.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool more() const { return at_ < size_; }
    int byte() { return at_ < size_ ? data_[at_++] : 0; }
    int coordinate() { return static_cast<std::int16_t>(byte() << 8 | byte()); }
    kivo::Point point() { return {coordinate() % 500, coordinate() % 400}; }
    kivo::Rect rect() { return {coordinate(), coordinate(), coordinate(), coordinate()}; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// The windows that are on hold the places 1..m, each once.
bool stackIsWhole(const kivo::DeviceMirror& mirror)
{
    std::array<int, 11> holders{};
    int on = 0;
    for (const kivo::WindowRecord& w : mirror.windows) {
        if (w.priority < 0 || w.priority > static_cast<int>(mirror.windowCount))
            return false;
        if (w.priority > 0) {
            ++on;
            ++holders[static_cast<std::size_t>(w.priority)];
        }
    }
    for (int place = 1; place <= on; ++place)
        if (holders[static_cast<std::size_t>(place)] != 1)
            return false;
    return true;
}

void runOne(kivo::VirtualScreen& screen, kivo::CanvasMouse& mouse, kivo::PanelState& state,
            Input& in)
{
    const int window = in.byte() % 10 + 1;
    switch (in.byte() % 14) {
    case 0:
        mouse.press(in.point());
        break;
    case 1:
        mouse.move(in.point());
        break;
    case 2:
        mouse.release(in.point());
        break;
    case 3:
        mouse.doubleClick(in.point());
        break;
    case 4:
        mouse.rightPress(in.point());
        break;
    case 5:
        mouse.rightRelease();
        break;
    case 6:
        mouse.escape();
        break;
    case 7:
        mouse.captureLost();
        break;
    case 8:
        screen.arrange(in.byte() % 9);
        break;
    case 9:
        screen.switchWindow(window, in.byte() % 2 == 0);
        break;
    case 10:
        screen.setOnApplyOnly(!screen.onApplyOnly());
        screen.apply();
        break;
    case 11:
        screen.place(window, in.rect());
        break;
    case 12: {
        // A hand-edited arrangement, within the range the ini reader lets through.
        kivo::UserArrangement& a = state.arrangements[static_cast<std::size_t>(window % 4)];
        a.set = true;
        a.rects[static_cast<std::size_t>(window - 1)] = in.rect();
        a.priorities[static_cast<std::size_t>(window - 1)] = in.byte() % 11;
        screen.userArrangement(window % 4 + 1);
        break;
    }
    default:
        state.mirror.window(window).viewRect = in.rect();
        screen.sendWindowPlacement(window);
    }
}

} // namespace

// The bytes are a device (window count, output size) and a stream of mouse events and page
// actions; after each one the stack must be whole and the canvas must draw.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kivo::fuzz::FuzzPanel panel;
    kivo::PanelSession& session = panel.session();
    session.app().serialHandle = std::make_unique<SinkLink>();
    session.app().idle = true;

    Input in(data, size);
    kivo::DeviceMirror& mirror = session.mirror();
    mirror.windowCount = static_cast<unsigned>(in.byte() % 5 + 1) * 2;
    mirror.firmwareRevision = in.byte() % 2 == 0 ? 3.1 : 2.9;
    mirror.outputTiming.HACT = mirror.outputWidth = in.coordinate();
    mirror.outputTiming.VACT = mirror.outputHeight = in.coordinate();
    for (int n = 1; n <= static_cast<int>(mirror.windowCount); ++n) {
        mirror.window(n).present = true;
        mirror.window(n).priority = n;
    }
    kivo::VirtualScreen screen(session);
    kivo::CanvasMouse mouse(mirror, session.app(), screen);
    while (in.more()) {
        runOne(screen, mouse, session.state(), in);
        check(stackIsWhole(mirror), "every window that is on holds one place of the stack");
        kivo::buildCanvasScene(mirror, {});
    }
    return 0;
}
