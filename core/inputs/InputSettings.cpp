#include "core/inputs/InputSettings.h"

#include "core/base/Clock.h"
#include "core/base/Prompter.h"
#include "core/base/Strings.h"
#include "core/protocol/CommandChannel.h"
#include "core/protocol/Reply.h"
#include "core/timing/CurrentTimingRow.h"
#include "core/timing/SettingEntry.h"
#include "core/timing/TimingList.h"
#include "core/timing/TimingListCache.h"
#include "core/timing/TimingText.h"

namespace kivo {
namespace {

constexpr int afterCommandMs = 100;
constexpr int rgbTypeRadio = 3;

StringId connectorCommand(InputConnector connector)
{
    switch (connector) {
    case InputConnector::svideo:
        return StringId::svideoCommand;
    case InputConnector::automatic:
        return StringId::autoInputCommand;
    case InputConnector::composite:
        break;
    }
    return StringId::compositeCommand;
}

} // namespace

std::string inputTimingLine(int window, const TimingRecord& timing)
{
    TimingRecord t = timing;
    keepDivisorsNonZero(t);
    return formatString(StringId::inputTimingLine, window, t.HFP, t.HS, t.HBP, t.HACT, t.VFP, t.VS,
                        t.VBP, t.VACT);
}

InputWindowView inputWindowView(InputType type, InputConnector connector, bool locked)
{
    InputWindowView view;
    view.rgb = type == InputType::rgb;
    view.videoConnectorsEnabled = !view.rgb;
    view.typeRadio = view.rgb ? rgbTypeRadio : static_cast<int>(connector);
    view.locked = locked;
    return view;
}

InputSettings::InputSettings(Seams seams, TimingList& list, TimingListCache& cache)
    : s_(seams), list_(list), cache_(cache)
{
}

bool InputSettings::recall(int window, int position, bool withLevels)
{
    if (position < 0 || position >= list_.count)
        return false;
    const std::size_t slot = static_cast<std::size_t>(position);
    if (slot >= list_.rows.size() || isPlaceholderRow(list_.rows[slot])) {
        s_.prompter.tell(formatString(StringId::emptyInputPreset, position + 1));
        return false;
    }
    const TimingRecord& setting = list_.slots.at(slot);
    const Reply reply = s_.channel.sendTextAndCollect(
        list_.fromDevice ? formatString(StringId::inputRecallCommand, window, position + 1)
                         : inputTimingLine(window, setting),
        true);
    if (isRefusal(reply.text)) {
        s_.prompter.tell(reply.text);
        return false;
    }
    list_.selection = position;
    s_.windows.queryTiming(window);
    list_.deleteEnabled = true;
    if (withLevels)
        sendLevels(window, setting);
    return true;
}

void InputSettings::sendLevels(int window, const TimingRecord& levels)
{
    s_.windows.setLevels(window, levels);
    s_.channel.sendCommand(formatString(StringId::brightnessCommand, window, levels.brightness));
    s_.clock.sleepMs(afterCommandMs);
    s_.channel.sendCommand(formatString(StringId::contrastCommand, window, levels.contrast));
    s_.clock.sleepMs(afterCommandMs);
    s_.channel.sendCommand(formatString(StringId::gammaCommand, window, levels.gamma));
}

bool InputSettings::add(int window, const std::string& numberText, const std::string& typedName)
{
    const auto entry = readSettingEntry(s_.prompter, numberText, typedName, list_.count);
    if (!entry)
        return false;
    s_.windows.queryTiming(window);
    if (!deviceTook(s_.channel, s_.clock,
                    {formatString(StringId::inputNameCommand, window, entry->quotedName.c_str()),
                     formatString(StringId::inputSaveCommand, window, entry->number)},
                    afterCommandMs)) {
        tellNotStored(s_.prompter, list_, *entry);
        return false;
    }
    TimingRecord& slot = list_.slots.at(static_cast<std::size_t>(entry->number - 1));
    const TimingRecord levels = s_.windows.levels(window);
    copyTimingNumbers(s_.windows.timing(window), slot);
    slot.NAME = entry->plainName;
    slot.brightness = levels.brightness;
    slot.contrast = levels.contrast;
    slot.gamma = levels.gamma;
    showStoredSetting(list_, cache_, entry->number);
    return true;
}

bool InputSettings::remove(int position)
{
    // The current-timing row is no setting either.
    if (position < 0 || position >= list_.count) {
        s_.prompter.tell(std::string(loadString(StringId::noInputSelected)));
        return false;
    }
    const int number = position + 1;
    if (!confirmed(s_.prompter, formatString(StringId::deleteInputQuestion, number), false))
        return false;
    if (!deviceTook(s_.channel, s_.clock, {formatString(StringId::inputDeleteCommand, number)},
                    0)) {
        tellNotDeleted(s_.prompter, list_, number);
        return false;
    }
    forgetSetting(list_, cache_, number);
    return true;
}

void InputSettings::chooseConnector(int window, InputConnector connector)
{
    s_.channel.sendCommand(formatString(connectorCommand(connector), window));
    s_.windows.setConnector(window, connector);
}

void InputSettings::showCurrentRow(int window, bool reselect)
{
    const TimingRecord& timing = s_.windows.timing(window);
    kivo::showCurrentRow(list_, currentInputRowText(window, timing), timing,
                         reselect && list_.selection >= 0 && list_.selection <= list_.count);
}

} // namespace kivo
