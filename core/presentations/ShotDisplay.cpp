#include "core/presentations/ShotDisplay.h"

#include "core/base/Clock.h"
#include "core/base/Strings.h"
#include "core/base/Text.h"
#include "core/link/PanelApp.h"
#include "core/mirror/PanelState.h"
#include "core/mirror/Stacking.h"
#include "core/protocol/CommandChannel.h"

#include <algorithm>

namespace kivo {
namespace {

// Time the device needs between a window's commands, so that it never shows a half-moved
// window.
constexpr int afterPlacementMs = 25;
constexpr int beforeSwitchOnMs = 120;
constexpr int beforeOnOffMs = 100;
// A refused command and the device's words are shown on one line, cut to these lengths.
constexpr std::size_t maxShownCommand = 60;
constexpr std::size_t maxShownAnswer = 60;

constexpr std::array<const char*, Shot::windows> buttonCaptions{"&1", "&2", "&3", "&4", "&5",
                                                                "&6", "&7", "&8", "&9", "1&0"};

} // namespace

ShotDisplay::ShotDisplay(ScreenContext context, VirtualScreen& screen, Clock& clock)
    : c_(context), screen_(screen), clock_(clock), group_(context.channel, context.state.mirror)
{
}

DeviceMirror& ShotDisplay::mirror() const { return c_.state.mirror; }

int ShotDisplay::windowCount() const
{
    return static_cast<int>(std::min(mirror().windowCount, DeviceMirror::maxWindows));
}

int ShotDisplay::shownPriority(const Shot& shot, int number) const
{
    const WindowRecord& w = mirror().window(number);
    const bool unlockedRgb = w.inputType == InputType::rgb && !w.inputTiming.locked;
    return w.disabledByPanel || unlockedRgb ? 0
                                            : shot.priority[static_cast<std::size_t>(number - 1)];
}

void ShotDisplay::findSingleChange(const Shot& shot)
{
    changedWindow_ = -1;
    changeMask_ = 0;
    int changed = 0;
    for (int number = 1; number <= windowCount(); ++number) {
        const WindowRecord& w = mirror().window(number);
        const int shown = shownPriority(shot, number);
        const Rect& rect = shot.rect[static_cast<std::size_t>(number - 1)];
        const bool offInBoth = shown == 0 && w.priority == 0;
        const bool sameOn =
            shown != 0 && w.priority != 0 && rect.normalized() == w.viewRect.normalized();
        if (offInBoth || sameOn)
            continue;
        ++changed;
        changedWindow_ = number;
        changeMask_ = (rect.normalized() != w.viewRect.normalized() ? rectangle : 0) |
                      (shown != w.priority ? priority : 0) | (w.priority == 0 ? goesOn : 0) |
                      (shown == 0 ? goesOff : 0);
    }
    if (changed != 1) {
        changedWindow_ = -1;
        changeMask_ = 0;
    }
}

void ShotDisplay::applyShot(const Shot& shot)
{
    findSingleChange(shot);
    mirror().windowsOn = 0;
    unlockedLeftOff_.clear();
    for (int number = 1; number <= windowCount(); ++number) {
        WindowRecord& w = mirror().window(number);
        w.priority = shownPriority(shot, number);
        if (w.priority == 0 && !w.disabledByPanel &&
            shot.priority[static_cast<std::size_t>(number - 1)] != 0)
            unlockedLeftOff_.push_back(number);
        if (w.priority == 0)
            continue;
        ++mirror().windowsOn;
        w.viewRect = shot.rect[static_cast<std::size_t>(number - 1)].normalized();
        w.maximised = w.viewRect == w.fullRect;
        if (w.priority == 1)
            c_.app.maximisedFlag = w.maximised;
    }
    lastShownMsecs_ = shot.msecs;
    renumber();
}

void ShotDisplay::renumber() { c_.app.topWindow = renumberPriorities(mirror()); }

void ShotDisplay::sendConfiguration()
{
    sentOnApplyOnly_ = screen_.onApplyOnly();
    // Each answer is read as its command goes out: a refused line is told, not passed over.
    c_.channel.beginAnswerCheck();
    sendCommands();
    delivery_ = c_.channel.endAnswerCheck();
}

void ShotDisplay::sendCommands()
{
    mirror().applyingArrangement = true;
    if (changedWindow_ > 0)
        sendSingleWindow();
    else
        sendWhole();
    mirror().applyingArrangement = false;
}

std::string ShotDisplay::deliveryProblem() const
{
    if (delivery_.taken())
        return {};
    const std::string command = operatorText(delivery_.command, maxShownCommand);
    if (delivery_.refused)
        return formatString(StringId::shotRefused, command.c_str(),
                            operatorText(delivery_.answer, maxShownAnswer).c_str());
    return formatString(delivery_.answer.empty() ? StringId::shotUnanswered
                                                 : StringId::shotAnswerUnreadable,
                        command.c_str());
}

std::string ShotDisplay::notes() const
{
    std::vector<std::string> notes;
    if (!unlockedLeftOff_.empty()) {
        std::string numbers;
        for (const int number : unlockedLeftOff_)
            numbers += (numbers.empty() ? "" : ", ") + std::to_string(number);
        notes.push_back(formatString(unlockedLeftOff_.size() == 1
                                         ? StringId::unlockedWindowLeftOff
                                         : StringId::unlockedWindowsLeftOff,
                                     numbers.c_str()));
    }
    if (sentOnApplyOnly_)
        notes.emplace_back(loadString(StringId::shotsNotSentOnApplyOnly));
    if (const std::string problem = deliveryProblem(); !problem.empty())
        notes.push_back(formatString(StringId::shotNotTaken, problem.c_str()));
    std::string text;
    for (const std::string& note : notes)
        text += (text.empty() ? "" : "\n") + note;
    return text;
}

void ShotDisplay::sendSingleWindow()
{
    const int w = changedWindow_;
    const int mask = changeMask_;
    const auto count = static_cast<unsigned>(windowCount());
    if (mask & goesOn) {
        // Only what went out before needs the device to settle.
        bool sent = false;
        if (mask & rectangle) {
            screen_.sendWindowPlacement(w);
            sent = !screen_.onApplyOnly();
        }
        if (mask & priority) {
            if (sent)
                clock_.sleepMs(afterPlacementMs);
            group_.sendPriorityAll(count);
            sent = true;
        }
        if (sent)
            clock_.sleepMs(beforeSwitchOnMs);
        group_.sendSwitch(w, true);
    } else if (mask & goesOff) {
        group_.sendSwitch(w, false);
    } else if (mask & rectangle) {
        group_.sendSwitch(w, false);
        clock_.sleepMs(beforeSwitchOnMs);
        screen_.sendWindowPlacement(w);
        if (mask & priority) {
            clock_.sleepMs(afterPlacementMs);
            group_.sendPriorityAll(count);
        }
        clock_.sleepMs(beforeSwitchOnMs);
        group_.sendSwitch(w, true);
    } else if (mask & priority) {
        group_.sendPriorityAll(count);
    }
}

void ShotDisplay::sendWhole()
{
    const auto count = static_cast<unsigned>(windowCount());
    const bool sending = !screen_.onApplyOnly();
    if (sending)
        group_.sendAllState(count, loadString(StringId::offWord));
    for (int number = 1; number <= windowCount(); ++number) {
        WindowRecord& w = mirror().window(number);
        if (w.viewRect.isEmpty() || !w.present || w.priority == 0 || w.disabledByPanel)
            w.priority = 0;
        else
            screen_.sendWindowPlacement(number);
    }
    if (!sending)
        return;
    group_.sendPriorityAll(count);
    clock_.sleepMs(beforeOnOffMs);
    group_.sendAllOnOff(count);
}

void ShotDisplay::toggleWindow(int number, bool altHeld)
{
    WindowRecord& w = mirror().window(number);
    int& remembered = rememberedPriority_.at(static_cast<std::size_t>(number - 1));
    const bool switchingOn = w.priority == 0;
    if (!switchingOn) {
        remembered = w.priority;
        w.priority = 0;
        w.disabledByPanel = altHeld;
    } else {
        w.disabledByPanel = false;
        const int place = remembered > 0 ? remembered : 1;
        remembered = 0;
        for (WindowRecord& other : mirror().windows)
            if (&other != &w && other.priority >= place)
                ++other.priority;
        w.priority = place;
    }
    group_.sendSwitch(number, switchingOn);
    renumber();
    mirror().windowsOn = countWindowsOn(mirror());
}

std::string ShotDisplay::buttonLabel(int number) const
{
    const WindowRecord& w = mirror().window(number);
    const char* mark = w.disabledByPanel ? "d" : w.priority != 0 ? "+" : "-";
    return std::string(buttonCaptions.at(static_cast<std::size_t>(number - 1))) + mark;
}

std::string ShotDisplay::groupTitle() const
{
    std::string disabled;
    for (int number = 1; number <= static_cast<int>(DeviceMirror::maxWindows); ++number)
        if (mirror().window(number).disabledByPanel)
            disabled += (disabled.empty() ? "" : ", ") + std::to_string(number);
    std::string title(loadString(StringId::presentationControlTitle));
    if (!disabled.empty())
        title += formatString(StringId::disabledWindowsTitle, disabled.c_str());
    return title;
}

} // namespace kivo
