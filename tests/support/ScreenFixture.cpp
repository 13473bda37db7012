#include "tests/support/ScreenFixture.h"

namespace kivo::test {

ScreenFixture::ScreenFixture()
{
    DeviceMirror& m = state.mirror;
    m.firmwareRevision = 3.1;
    m.outputTiming.HACT = m.outputWidth = 640;
    m.outputTiming.VACT = m.outputHeight = 480;
    setWindowCount(4);
    stack({1, 2, 3, 4});
    app.idle = true;
}

void ScreenFixture::setWindowCount(unsigned count)
{
    DeviceMirror& m = state.mirror;
    m.windowCount = count;
    m.priorityListLength = count;
    for (int number = 1; number <= static_cast<int>(DeviceMirror::maxWindows); ++number)
        m.window(number).present = number <= static_cast<int>(count);
}

void ScreenFixture::stack(std::initializer_list<int> front)
{
    for (WindowRecord& w : state.mirror.windows)
        w.priority = 0;
    int place = 1;
    for (int number : front)
        window(number).priority = place++;
    state.mirror.windowsOn = static_cast<unsigned>(front.size());
    app.topWindow = front.size() > 0 ? *front.begin() : 0;
}

std::vector<std::string> ScreenFixture::sent()
{
    std::vector<std::string> lines;
    for (; seen_ < wire().size(); ++seen_) {
        std::string line = wire()[seen_];
        if (!line.empty() && line.back() == '\n')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

} // namespace kivo::test
