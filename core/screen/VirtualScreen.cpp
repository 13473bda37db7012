#include "core/screen/VirtualScreen.h"

#include "core/base/KeyState.h"
#include "core/base/Prompter.h"
#include "core/base/Strings.h"
#include "core/base/Text.h"
#include "core/link/PanelApp.h"
#include "core/mirror/CanvasGeometry.h"
#include "core/mirror/PanelState.h"
#include "core/mirror/Stacking.h"
#include "core/panel/PanelSession.h"
#include "core/protocol/CommandChannel.h"
#include "core/screen/PresetArrangements.h"
#include "core/screen/ViewRules.h"
#include "core/settings/Profile.h"

#include <algorithm>
#include <vector>

namespace kivo {
namespace {

constexpr double firstGroupFirmware = 3.0;
constexpr std::size_t maxDescriptionLength = 22;
const char* const descriptionsSection = "DESCRIPTIONS";

std::string descriptionKey(int number) { return "desc" + std::to_string(number); }

} // namespace

VirtualScreen::VirtualScreen(ScreenContext context)
    : c_(context), group_(context.channel, context.state.mirror)
{
    for (WindowRecord& window : c_.state.mirror.windows)
        window.fullRect = canvas::canvasRect;
}

VirtualScreen::VirtualScreen(PanelSession& session)
    : VirtualScreen(ScreenContext{session.app(), session.channel(), session.state(),
                                  session.seams().prompter, session.seams().keys})
{
}

DeviceMirror& VirtualScreen::mirror() { return c_.state.mirror; }

unsigned VirtualScreen::windowCount() const
{
    return std::min(c_.state.mirror.windowCount, DeviceMirror::maxWindows);
}

void VirtualScreen::fitToCanvas(int number)
{
    WindowRecord& window = mirror().window(number);
    window.viewRect = keepVisible(clampToMapSize(window.viewRect));
    viewToOutput(mirror(), number);
}

void VirtualScreen::sendWindowPlacement(int number)
{
    const WindowRecord& window = mirror().window(number);
    fitToCanvas(number);
    if (onApplyOnly_)
        return;
    if (!mirror().applyingArrangement)
        c_.channel.sendCommand(formatString(StringId::priorityCommand, number, window.priority));
    sendPlacementLine(number);
}

void VirtualScreen::sendPlacementLine(int number)
{
    WindowRecord& window = mirror().window(number);
    const Rect& d = window.destRect;
    c_.channel.sendCommand(
        formatString(StringId::placeCommand, number, d.left, d.top, d.width(), d.height()));
    // A new placement restarts the picture.
    window.frozen = false;
}

void VirtualScreen::place(int number, const Rect& output)
{
    mirror().window(number).maximised = false;
    outputToView(mirror(), number, output);
    if (!onApplyOnly_)
        sendPlacementLine(number);
}

void VirtualScreen::renumber() { c_.app.topWindow = renumberPriorities(mirror()); }

void VirtualScreen::raise(int number)
{
    WindowRecord& raised = mirror().window(number);
    if (raised.priority == 1 || raised.priority == 0)
        return;
    for (WindowRecord& window : mirror().windows)
        if (window.priority != 0 && window.priority < raised.priority)
            ++window.priority;
    raised.priority = 1;
    mirror().selectedWindow = number - 1;
    renumber();
    if (!onApplyOnly_)
        c_.channel.sendCommand(formatString(StringId::raiseCommand, number));
}

void VirtualScreen::switchWindow(int number, bool on)
{
    WindowRecord& switched = mirror().window(number);
    if (on == (switched.priority != 0))
        return;
    if (!onApplyOnly_) {
        group_.sendSwitch(number, on);
        if (on)
            c_.channel.sendCommand(formatString(StringId::raiseCommand, number));
    }
    const int place = switched.priority;
    for (WindowRecord& window : mirror().windows) {
        if (on && window.priority != 0)
            ++window.priority;
        else if (!on && window.priority > place)
            --window.priority;
    }
    switched.priority = on ? 1 : 0;
    renumber();
    mirror().windowsOn = countWindowsOn(mirror());
}

void VirtualScreen::apply()
{
    const bool mode = onApplyOnly_;
    onApplyOnly_ = false;
    group_.sendAllState(windowCount(), loadString(StringId::offWord));
    for (int number = 1; number <= static_cast<int>(windowCount()); ++number)
        sendWindowPlacement(number);
    group_.sendAllOnOff(windowCount());
    onApplyOnly_ = mode;
}

void VirtualScreen::restoreInitialSize(int number)
{
    WindowRecord& window = mirror().window(number);
    window.viewRect.right = window.viewRect.left + window.canvasWidth;
    window.viewRect.bottom = window.viewRect.top + window.canvasHeight;
    if (window.priority != 0) {
        sendWindowPlacement(number);
        return;
    }
    // A window that is off has no place in the stack to send, only its rectangle.
    fitToCanvas(number);
    if (!onApplyOnly_)
        sendPlacementLine(number);
}

void VirtualScreen::restoreInitialSizes()
{
    for (int number = 1; number <= static_cast<int>(DeviceMirror::maxWindows); ++number) {
        const WindowRecord& window = mirror().window(number);
        if (window.priority != 0 && window.present)
            restoreInitialSize(number);
    }
}

bool VirtualScreen::arrange(int mode)
{
    const auto preset = presetFromMode(mode);
    if (!preset) {
        c_.prompter.tell(formatString(StringId::unknownArrangementMode, mode));
        return false;
    }
    std::vector<int> stack; // window numbers, the front one first
    for (int place = 1; place <= static_cast<int>(windowCount()); ++place)
        for (int number = 1; number <= static_cast<int>(windowCount()); ++number)
            if (mirror().window(number).priority == place) {
                stack.push_back(number);
                break;
            }
    const std::vector<Placement> placements =
        presetPlacements(*preset, static_cast<unsigned>(stack.size()),
                         static_cast<unsigned>(std::max(mirror().outputWidth, 0)),
                         static_cast<unsigned>(std::max(mirror().outputHeight, 0)));
    if (placements.empty())
        return false;
    const bool groups = !onApplyOnly_ && mirror().firmwareRevision >= firstGroupFirmware;
    if (groups)
        group_.sendAllState(windowCount(), loadString(StringId::offWord));
    for (std::size_t k = 0; k < stack.size(); ++k) {
        const Placement& p = placements[k];
        place(stack[k], {p.left, p.top, p.left + p.width, p.top + p.height});
    }
    if (groups)
        group_.sendAllOnOff(windowCount());
    c_.app.maximisedFlag = false;
    return true;
}

VirtualScreen::UserOutcome VirtualScreen::userArrangement(int number)
{
    const UserArrangement& arrangement =
        c_.state.arrangements.at(static_cast<std::size_t>(number - 1));
    const bool shift = c_.keys.shiftHeld();
    if (arrangement.set && !shift) {
        applyUserArrangement(number);
        return UserOutcome::applied;
    }
    const StringId question = arrangement.set ? StringId::overwriteArrangementQuestion
                              : shift         ? StringId::setArrangementQuestion
                                              : StringId::unsetArrangementQuestion;
    const Prompter::Answer answer = c_.prompter.ask(
        formatString(question, number), Prompter::Buttons::okCancel, Prompter::Icon::question, {});
    if (answer != Prompter::Answer::ok)
        return UserOutcome::declined;
    storeUserArrangement(number);
    return UserOutcome::stored;
}

void VirtualScreen::applyUserArrangement(int number)
{
    const UserArrangement& arrangement =
        c_.state.arrangements.at(static_cast<std::size_t>(number - 1));
    mirror().applyingArrangement = true;
    if (!onApplyOnly_)
        group_.sendAllState(windowCount(), loadString(StringId::offWord));
    mirror().windowsOn = 0;
    for (int b = 1; b <= static_cast<int>(windowCount()); ++b) {
        const std::size_t slot = static_cast<std::size_t>(b - 1);
        WindowRecord& window = mirror().window(b);
        const Rect& stored = arrangement.rects[slot];
        const int place = arrangement.priorities[slot];
        if (stored.isEmpty() || !window.present || place == 0) {
            window.priority = 0;
            continue;
        }
        window.viewRect = stored.normalized();
        window.priority = place;
        ++mirror().windowsOn;
        window.maximised = window.viewRect == window.fullRect;
        if (place == 1)
            c_.app.maximisedFlag = window.maximised;
        sendWindowPlacement(b);
    }
    renumber();
    if (!onApplyOnly_) {
        group_.sendPriorityAll(windowCount());
        group_.sendAllOnOff(windowCount());
    }
    mirror().applyingArrangement = false;
}

void VirtualScreen::storeUserArrangement(int number)
{
    UserArrangement& arrangement = c_.state.arrangements.at(static_cast<std::size_t>(number - 1));
    arrangement.set = true;
    for (int b = 1; b <= static_cast<int>(windowCount()); ++b) {
        const std::size_t slot = static_cast<std::size_t>(b - 1);
        arrangement.rects[slot] = mirror().window(b).viewRect.normalized();
        arrangement.priorities[slot] = mirror().window(b).priority;
    }
    checkWritten(arrangement.write(c_.app.profile(), number, windowCount()));
}

void VirtualScreen::setArrangementName(int number, const std::string& name)
{
    UserArrangement& arrangement = c_.state.arrangements.at(static_cast<std::size_t>(number - 1));
    arrangement.description = operatorText(name, UserArrangement::maxNameLength);
    checkWritten(arrangement.writeName(c_.app.profile(), number));
}

void VirtualScreen::setDescription(int number, const std::string& text)
{
    WindowRecord& window = mirror().window(number);
    window.description = operatorText(text, maxDescriptionLength);
    checkWritten(c_.app.profile().writeString(descriptionsSection, descriptionKey(number),
                                              window.description));
}

bool VirtualScreen::clearDescriptions()
{
    const Prompter::Answer answer =
        c_.prompter.ask(std::string(loadString(StringId::clearDescriptionsQuestion)),
                        Prompter::Buttons::okCancel, Prompter::Icon::question, {});
    if (answer != Prompter::Answer::ok)
        return false;
    std::vector<Profile::Entry> cleared;
    for (int number = 1; number <= static_cast<int>(windowCount()); ++number) {
        mirror().window(number).description.clear();
        cleared.emplace_back(descriptionKey(number), std::string());
    }
    checkWritten(c_.app.profile().writeStrings(descriptionsSection, cleared));
    return true;
}

void VirtualScreen::checkWritten(bool written)
{
    if (!written)
        c_.prompter.ask(c_.app.profile().lastWriteError(), Prompter::Buttons::ok,
                        Prompter::Icon::warning, {});
}

} // namespace kivo
