#include "core/mirror/WindowReadback.h"

#include "core/app/Clock.h"
#include "core/app/CommandChannel.h"
#include "core/app/PanelApp.h"
#include "core/app/Profile.h"
#include "core/app/ProgressSink.h"
#include "core/app/Text.h"
#include "core/mirror/CanvasMapping.h"
#include "core/mirror/PanelPages.h"
#include "core/mirror/PanelState.h"
#include "core/timing/NumberCursor.h"
#include "core/timing/NumberScan.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kivo {
namespace {

constexpr int rgbInput = 2;
constexpr int pauseBeforeRectQueryMs = 100;

bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

std::string formatRect(int a, int b, int c, int d)
{
    return std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(c) + " " +
           std::to_string(d);
}

// The value a level reply carries: its first number, or the second when the first is the
// window number the device repeats in front of it.
std::optional<std::size_t> levelPosition(std::string_view reply)
{
    std::optional<std::size_t> at = 0;
    if (reply.empty() || !(isDigit(reply[0]) || reply[0] == '-' || reply[0] == '.'))
        at = nextNumber(reply, 0);
    if (at && countNumbers(reply, *at) > 1)
        at = nextNumber(reply, *at);
    return at;
}

int levelInteger(std::string_view reply, int fallback)
{
    const auto at = levelPosition(reply);
    return at ? integerAt(reply, *at) : fallback;
}

struct LevelItem {
    StringId progress;
    StringId query;
    bool askedOfRgb;
    void (*store)(WindowRecord& window, std::string_view reply);
};

constexpr std::array<LevelItem, 8> levelItems{{
    {StringId::brightnessProgress, StringId::brightnessQuery, true,
     [](WindowRecord& w, std::string_view r) { w.brightness = levelInteger(r, w.brightness); }},
    {StringId::contrastProgress, StringId::contrastQuery, true,
     [](WindowRecord& w, std::string_view r) { w.contrast = levelInteger(r, w.contrast); }},
    {StringId::saturationProgress, StringId::saturationQuery, false,
     [](WindowRecord& w, std::string_view r) { w.saturation = levelInteger(r, w.saturation); }},
    {StringId::hueProgress, StringId::hueQuery, false,
     [](WindowRecord& w, std::string_view r) { w.hue = levelInteger(r, w.hue); }},
    {StringId::gammaProgress, StringId::gammaQuery, true,
     [](WindowRecord& w, std::string_view r) {
         if (const auto at = levelPosition(r))
             w.gamma = realAt(r, *at);
     }},
    {StringId::motionProgress, StringId::motionQuery, false,
     [](WindowRecord& w, std::string_view r) { w.motionFilterOn = contains(r, "on"); }},
    {StringId::freezeProgress, StringId::freezeQuery, true,
     [](WindowRecord& w, std::string_view r) { w.frozen = contains(r, "on"); }},
    {StringId::inputProgress, StringId::inputQuery, false,
     [](WindowRecord& w, std::string_view r) {
         w.inputConnector = w.inputAuto ? 2 : contains(r, "svideo") ? 1 : 0;
     }},
}};

// Input sizes a window can really have; anything else is taken for 640 x 480.
bool plausibleInputSize(int width, int height)
{
    return width >= height && width <= 2 * height && width >= 200 && height >= 150;
}

} // namespace

WindowReadback::WindowReadback(PanelContext context) : c_(context) {}

unsigned WindowReadback::readWindowTypes()
{
    DeviceMirror& mirror = c_.state.mirror;
    if (!c_.app.connected())
        return DeviceMirror::maxWindows;
    std::string rest = toLower(c_.app.deviceIdReply);
    unsigned found = 0;
    for (;;) {
        const auto comp = rest.find("comp");
        const auto rgb = rest.find("rgb");
        if (comp == std::string::npos && rgb == std::string::npos)
            break;
        const bool video = comp < rgb;
        if (found < DeviceMirror::maxWindows)
            mirror.windows[found].inputType = video ? 0 : rgbInput;
        ++found;
        rest.erase(0, (video ? comp : rgb) + 2);
    }
    const unsigned count =
        found == 0 || found > DeviceMirror::maxWindows ? DeviceMirror::maxWindows : found;
    for (unsigned i = 0; i < count; ++i)
        mirror.windows[i].present = true;
    return count;
}

void WindowReadback::readStacking()
{
    DeviceMirror& mirror = c_.state.mirror;
    c_.progress.showProgressText(std::string(loadString(StringId::windowsProgress)));
    for (WindowRecord& window : mirror.windows)
        window.priority = 0;
    if (c_.channel.sendAndCollect(StringId::priorityAllQuery, true) == 0)
        return;
    const std::string& reply = c_.app.collectedReply;
    mirror.priorityListLength =
        std::max(static_cast<unsigned>(countNumbers(reply, 0)), mirror.windowCount);
    NumberCursor numbers(reply, 0);
    const int count = static_cast<int>(mirror.windowCount);
    for (int position = 1; position <= count && !numbers.atEnd(); ++position) {
        const int window = numbers.take();
        if (window < 1 || window > count)
            continue;
        mirror.window(window).priority = position;
        if (position == 1)
            mirror.selectedWindow = window - 1;
    }
}

void WindowReadback::readOnOff()
{
    DeviceMirror& mirror = c_.state.mirror;
    mirror.windowsOn = 0;
    if (c_.channel.sendAndCollect(StringId::winAllQuery, true) == 0)
        return;
    const std::string reply = toLower(c_.app.collectedReply);
    std::size_t at = 0;
    for (unsigned i = 0; i < mirror.windowCount; ++i) {
        at = reply.find('o', at);
        if (at == std::string::npos)
            break;
        if (at + 1 < reply.size() && reply[at + 1] == 'n')
            ++mirror.windowsOn;
        else
            mirror.windows[i].priority = 0;
        ++at;
    }
    renumberPriorities();
}

// Closes the gaps the switched-off windows left: the windows on get 1, 2, 3, ... in their
// stacking order.
void WindowReadback::renumberPriorities()
{
    DeviceMirror& mirror = c_.state.mirror;
    const int count = static_cast<int>(mirror.windowCount);
    int next = 1;
    for (int priority = 1; priority <= 20 && next <= count; ++priority) {
        const auto window =
            std::find_if(mirror.windows.begin(), mirror.windows.end(),
                         [&](const WindowRecord& w) { return w.priority == priority; });
        if (window != mirror.windows.end())
            window->priority = next++;
    }
    for (WindowRecord& window : mirror.windows)
        if (window.priority > count)
            window.priority = 0;
    for (int number = 1; number <= static_cast<int>(DeviceMirror::maxWindows); ++number)
        if (mirror.window(number).priority == 1)
            c_.app.topWindow = number;
}

void WindowReadback::readWindowRect(StringId command, int window)
{
    c_.clock.sleepMs(pauseBeforeRectQueryMs);
    if (c_.channel.sendTextAndCollect(formatString(command, window), true) == 0)
        return;
    const std::string& reply = c_.app.rawReply;
    const int count = countNumbers(reply, 0);
    if (count < 1 || count > 5)
        return;
    NumberCursor numbers(reply, 0);
    if (count == 5)
        numbers.skip(); // the window number
    if (count - (count == 5 ? 1 : 0) < 4)
        return;
    const int left = numbers.take();
    const int top = numbers.take();
    const int width = numbers.take();
    const int height = numbers.take();
    if (command == StringId::windowSourceQuery)
        storeSource(window, left, top, width, height);
    else
        storeDestination(window, left, top, width, height);
}

void WindowReadback::storeSource(int number, int left, int top, int width, int height)
{
    WindowRecord& window = c_.state.mirror.window(number);
    // A source smaller than a tenth of the input cannot be shown; widen it from the right.
    window.sourceRect = {left, top, left + std::max(width, window.inputWidth / 10),
                         top + std::max(height, window.inputHeight / 10)};
    window.sourceWidth = window.sourceRect.width();
    window.sourceHeight = window.sourceRect.height();
    window.sourceText = formatRect(left, top, width, height);
}

void WindowReadback::storeDestination(int number, int left, int top, int width, int height)
{
    WindowRecord& window = c_.state.mirror.window(number);
    const TimingRecord& output = c_.state.mirror.outputTiming;
    if (output.HACT != 0 && output.VACT != 0) {
        Rect view = outputToCanvas(c_.state.mirror, {left, top, left + width, top + height},
                                   output.HACT, output.VACT);
        // Keep the frame big enough to grab on the canvas.
        view.right = std::max(view.right, view.left + WindowRecord::minViewWidth);
        if (view.height() < WindowRecord::minViewHeight)
            view.bottom = view.top + WindowRecord::minViewHeight;
        window.viewRect = view;
    }
    window.canvasWidth = window.viewRect.width();
    window.canvasHeight = window.viewRect.height();
}

void WindowReadback::readInputSize(int number)
{
    WindowRecord& window = c_.state.mirror.window(number);
    if (window.inputType == rgbInput) {
        c_.pages.refreshInputWindow(number);
        return;
    }
    if (c_.channel.sendTextAndCollect(formatString(StringId::windowInputSizeQuery, number), true) ==
        0)
        return;
    const std::string& reply = c_.app.rawReply;
    if (contains(reply, "RGB")) {
        window.inputType = rgbInput;
        c_.pages.refreshInputWindow(number);
        return;
    }
    NumberCursor numbers(reply, 0);
    if (!reply.empty() && isDigit(reply[0]))
        numbers.skip(); // the window number
    // The width is the first number a video input can be wide; the height follows it.
    int width = 0;
    while (!numbers.atEnd() && (width < 640 || width > 800))
        width = numbers.take();
    if (width < 640 || width > 800)
        width = 0;
    const int height = width != 0 ? numbers.take() : 0;
    window.inputType = width > 640 && width < 800 ? 1 : 0;
    const bool plausible = plausibleInputSize(width, height);
    window.inputWidth = plausible ? width : 640;
    window.inputHeight = plausible ? height : 480;
    const int w = window.inputWidth;
    const int h = window.inputHeight;
    window.zoomStepX = w / 20;
    window.zoomStepY = h / 20;
    window.adjustRect = {w / 10, h / 10, w - w / 10, h - h / 10};
    window.inputSizeText = formatRect(0, 0, w, h);
}

void WindowReadback::readImageLevels(int only)
{
    DeviceMirror& mirror = c_.state.mirror;
    for (const LevelItem& item : levelItems) {
        c_.progress.showProgressText(std::string(loadString(item.progress)));
        const int first = only == 0 ? 1 : only;
        const int last = only == 0 ? static_cast<int>(mirror.windowCount) : only;
        for (int number = first; number <= last; ++number) {
            WindowRecord& window = mirror.window(number);
            if (window.inputType == rgbInput && !item.askedOfRgb)
                continue;
            if (c_.channel.sendTextAndCollect(formatString(item.query, number), true) == 0)
                continue;
            item.store(window, toLower(c_.app.rawReply));
        }
    }
}

void WindowReadback::loadDescriptions(const Profile& profile)
{
    for (int number = 1; number <= UserArrangement::count; ++number)
        readArrangement(profile, number);
    DeviceMirror& mirror = c_.state.mirror;
    for (int number = 1; number <= static_cast<int>(mirror.windowCount); ++number)
        mirror.window(number).description =
            profile.readString("DESCRIPTIONS", "desc" + std::to_string(number));
    c_.pages.descriptionsLoaded();
}

void WindowReadback::readArrangement(const Profile& profile, int number)
{
    const std::string section = "CUSTOM" + std::to_string(number);
    UserArrangement& arrangement = c_.state.arrangements[static_cast<std::size_t>(number - 1)];
    arrangement.set = integerAt(profile.readString(section, "Set", "0"), 0) != 0;
    if (!arrangement.set)
        return;
    for (int window = 1; window <= static_cast<int>(c_.state.mirror.windowCount); ++window) {
        const std::size_t slot = static_cast<std::size_t>(window - 1);
        const std::string rect = profile.readString(section, "r" + std::to_string(window));
        NumberCursor numbers(rect, 0);
        Rect& stored = arrangement.rects[slot];
        for (int* edge : {&stored.left, &stored.top, &stored.right, &stored.bottom})
            *edge = numbers.take(*edge);
        arrangement.priorities[slot] =
            integerAt(profile.readString(section, "p" + std::to_string(window), "0"), 0);
    }
    arrangement.description = profile.readString(section, "desc");
}

} // namespace kivo
