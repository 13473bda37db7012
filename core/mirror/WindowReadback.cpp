#include "core/mirror/WindowReadback.h"

#include "core/base/PanelPages.h"
#include "core/base/ProgressSink.h"
#include "core/base/Prompter.h"
#include "core/link/PanelApp.h"
#include "core/mirror/CanvasGeometry.h"
#include "core/mirror/DeviceReplies.h"
#include "core/mirror/PanelState.h"
#include "core/mirror/Stacking.h"
#include "core/mirror/WindowReplies.h"
#include "core/protocol/CommandChannel.h"
#include "core/settings/Profile.h"
#include "core/timing/TimingText.h"

#include <algorithm>
#include <array>

namespace kivo {
namespace {

constexpr int pauseBeforeRectQueryMs = 100;
// The active sizes a timing can have, and the widest input a window scales from.
constexpr int minActiveWidth = 200;
constexpr int minActiveHeight = 150;
constexpr int maxActive = 2048;
constexpr int maxInputWidth = 4000;

std::string formatRect(int a, int b, int c, int d)
{
    return std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(c) + " " +
           std::to_string(d);
}

// One of the level and state queries of a window, and where its answer goes.
struct LevelItem {
    StringId progress;
    StringId query;
    bool askedOfRgb;
    void (*store)(WindowRecord& window, std::string_view reply);
};

constexpr std::array<LevelItem, 8> levelItems{{
    {StringId::brightnessProgress, StringId::brightnessQuery, true,
     [](WindowRecord& w, std::string_view r) {
         w.brightness = parseLevel(r).value_or(w.brightness);
     }},
    {StringId::contrastProgress, StringId::contrastQuery, true,
     [](WindowRecord& w, std::string_view r) { w.contrast = parseLevel(r).value_or(w.contrast); }},
    {StringId::saturationProgress, StringId::saturationQuery, false,
     [](WindowRecord& w, std::string_view r) {
         w.saturation = parseLevel(r).value_or(w.saturation);
     }},
    {StringId::hueProgress, StringId::hueQuery, false,
     [](WindowRecord& w, std::string_view r) { w.hue = parseLevel(r).value_or(w.hue); }},
    {StringId::gammaProgress, StringId::gammaQuery, true,
     [](WindowRecord& w, std::string_view r) { w.gamma = parseRealLevel(r).value_or(w.gamma); }},
    {StringId::motionProgress, StringId::motionQuery, false,
     [](WindowRecord& w, std::string_view r) {
         w.motionFilterOn = parseSwitch(r).value_or(w.motionFilterOn);
     }},
    {StringId::freezeProgress, StringId::freezeQuery, true,
     [](WindowRecord& w, std::string_view r) { w.frozen = parseSwitch(r).value_or(w.frozen); }},
    {StringId::inputProgress, StringId::inputQuery, false,
     [](WindowRecord& w, std::string_view r) {
         if (const auto svideo = parseSvideo(r))
             w.inputConnector = w.inputAuto ? InputConnector::automatic
                                : *svideo   ? InputConnector::svideo
                                            : InputConnector::composite;
     }},
}};

} // namespace

WindowReadback::WindowReadback(PanelContext context) : c_(context) {}

unsigned WindowReadback::readWindowTypes(std::string_view idReply)
{
    DeviceMirror& mirror = c_.state.mirror;
    if (!c_.app.connected())
        return DeviceMirror::maxWindows;
    const WindowTypes found = parseWindowTypes(idReply);
    for (std::size_t i = 0; i < found.types.size(); ++i)
        mirror.windows[i].inputType = found.types[i];
    for (unsigned i = 0; i < found.count; ++i)
        mirror.windows[i].present = true;
    return found.count;
}

bool WindowReadback::readStacking()
{
    DeviceMirror& mirror = c_.state.mirror;
    c_.progress.showProgressText(std::string(loadString(StringId::windowsProgress)));
    for (WindowRecord& window : mirror.windows)
        window.priority = 0;
    const auto stacking = parseStacking(
        c_.channel.sendAndCollect(StringId::priorityAllQuery, true).text, mirror.windowCount);
    if (!stacking)
        return false;
    mirror.priorityListLength = stacking->listLength;
    for (std::size_t i = 0; i < mirror.windows.size(); ++i)
        mirror.windows[i].priority = stacking->priorities[i];
    if (stacking->front)
        mirror.selectedWindow = *stacking->front;
    return true;
}

bool WindowReadback::readOnOff()
{
    DeviceMirror& mirror = c_.state.mirror;
    mirror.windowsOn = 0;
    const auto on =
        parseOnOff(c_.channel.sendAndCollect(StringId::winAllQuery, true).text, mirror.windowCount);
    if (!on)
        return false;
    for (std::size_t i = 0; i < on->size(); ++i) {
        if ((*on)[i])
            ++mirror.windowsOn;
        else
            mirror.windows[i].priority = 0;
    }
    c_.app.topWindow = renumberPriorities(mirror);
    return true;
}

bool WindowReadback::readWindowRect(StringId command, int window)
{
    c_.channel.pauseBeforeQuery(pauseBeforeRectQueryMs);
    const Reply reply = c_.channel.sendTextAndCollect(formatString(command, window), true);
    // A start-up does not ask how many windows there are: a device with fewer refuses the
    // placement of the ones it lacks, and those are not counted as its windows. Any other
    // refusal says nothing about the window.
    if (command == StringId::windowDestQuery && saysNoSuchWindow(reply.text))
        c_.state.mirror.window(window).present = false;
    const auto rect = parseWindowRect(reply.text);
    if (rect && command == StringId::windowSourceQuery)
        storeSource(window, *rect);
    else if (rect)
        storeDestination(window, *rect);
    return rect.has_value();
}

void WindowReadback::storeSource(int number, const RectReply& rect)
{
    WindowRecord& window = c_.state.mirror.window(number);
    // A source smaller than a tenth of the input cannot be shown; widen it from the right.
    window.sourceRect = {rect.left, rect.top,
                         rect.left + std::max(rect.width, window.inputWidth / 10),
                         rect.top + std::max(rect.height, window.inputHeight / 10)};
    window.sourceWidth = window.sourceRect.width();
    window.sourceHeight = window.sourceRect.height();
    window.sourceText = formatRect(rect.left, rect.top, rect.width, rect.height);
}

void WindowReadback::storeDestination(int number, const RectReply& rect)
{
    DeviceMirror& mirror = c_.state.mirror;
    WindowRecord& window = mirror.window(number);
    outputToView(mirror, number,
                 {rect.left, rect.top, rect.left + rect.width, rect.top + rect.height});
    window.canvasWidth = window.viewRect.width();
    window.canvasHeight = window.viewRect.height();
}

void WindowReadback::readInputSize(int number)
{
    WindowRecord& window = c_.state.mirror.window(number);
    if (window.inputType == InputType::rgb) {
        readWindowTiming(number);
        return;
    }
    const Reply reply =
        c_.channel.sendTextAndCollect(formatString(StringId::windowInputSizeQuery, number), true);
    const auto size = parseInputSize(reply.text);
    if (!size)
        return;
    window.inputType = size->type;
    if (size->type == InputType::rgb) {
        readWindowTiming(number);
        return;
    }
    window.setInputSize(size->width, size->height);
}

void WindowReadback::readWindowTiming(int number)
{
    if (!c_.app.connected())
        return;
    const Reply reply =
        c_.channel.sendTextAndCollect(formatString(StringId::windowTimingQuery, number), true);
    if (const auto status = parseHostReply(reply.text))
        storeWindowTiming(number, *status);
    c_.pages.refreshInputWindow(number);
}

void WindowReadback::storeWindowTiming(int number, const HostStatus& status)
{
    WindowRecord& window = c_.state.mirror.window(number);
    TimingRecord& timing = window.inputTiming;
    timing.locked = status.locked ? 1 : 0;
    if (!status.timing)
        return;
    copyTimingNumbers(*status.timing, timing);
    if (timing.locked && (timing.HACT < minActiveWidth || timing.HACT > maxActive))
        c_.prompter.tell(
            formatString(StringId::badHactInput, number, timing.HACT, minActiveWidth, maxActive));
    if (timing.locked && (timing.VACT < minActiveHeight || timing.VACT > maxActive))
        c_.prompter.tell(
            formatString(StringId::badVactInput, number, timing.VACT, minActiveHeight, maxActive));
    const bool usableWidth = timing.HACT >= minActiveWidth && timing.HACT <= maxInputWidth;
    window.inputWidth = usableWidth ? timing.HACT : 640;
    window.inputHeight = usableWidth ? timing.VACT : 480;
    keepDivisorsNonZero(timing);
}

void WindowReadback::readImageLevels(int only)
{
    DeviceMirror& mirror = c_.state.mirror;
    const int first = only == 0 ? 1 : only;
    const int last = only == 0 ? static_cast<int>(mirror.windowCount) : only;
    for (const LevelItem& item : levelItems) {
        c_.progress.showProgressText(std::string(loadString(item.progress)));
        for (int number = first; number <= last; ++number) {
            WindowRecord& window = mirror.window(number);
            if (window.inputType == InputType::rgb && !item.askedOfRgb)
                continue;
            const Reply reply =
                c_.channel.sendTextAndCollect(formatString(item.query, number), true);
            item.store(window, reply.text);
        }
    }
}

void WindowReadback::loadDescriptions(const Profile& profile)
{
    DeviceMirror& mirror = c_.state.mirror;
    for (int number = 1; number <= UserArrangement::count; ++number)
        c_.state.arrangements[static_cast<std::size_t>(number - 1)].read(profile, number,
                                                                         mirror.windowCount);
    for (int number = 1; number <= static_cast<int>(mirror.windowCount); ++number)
        mirror.window(number).description =
            profile.readString("DESCRIPTIONS", "desc" + std::to_string(number));
    c_.pages.descriptionsLoaded();
}

} // namespace kivo
