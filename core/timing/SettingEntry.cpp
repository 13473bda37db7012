#include "core/timing/SettingEntry.h"

#include "core/base/Clock.h"
#include "core/base/Prompter.h"
#include "core/base/Strings.h"
#include "core/base/Text.h"
#include "core/protocol/CommandChannel.h"
#include "core/protocol/NumberScan.h"
#include "core/protocol/Reply.h"
#include "core/timing/TimingList.h"
#include "core/timing/TimingListCache.h"
#include "core/timing/TimingText.h"

#include <algorithm>

namespace kivo {
namespace {

constexpr int firstNumber = 1;
constexpr std::size_t longestName = 17;
constexpr std::size_t longestPlaceholder = 19;

std::optional<int> wholeNumber(std::string_view text)
{
    if (text.empty() || text.size() > 2 || !std::all_of(text.begin(), text.end(), isDigit))
        return std::nullopt;
    return integerAt(text, 0);
}

const char* listWord(const TimingList& list)
{
    return list.kind == TimingList::Kind::output ? "output" : "input";
}

} // namespace

SettingEntryFault settingEntryFault(std::string_view numberText, std::string_view typedName,
                                    int lastNumber)
{
    const std::string name = operatorText(typedName, longestName);
    numberText = trim(numberText);
    const auto number = wholeNumber(numberText);
    if (numberText.empty() && name.empty())
        return SettingEntryFault::numberAndName;
    if (!number || *number < firstNumber || *number > lastNumber)
        return SettingEntryFault::number;
    if (name.empty())
        return SettingEntryFault::name;
    return SettingEntryFault::none;
}

std::optional<SettingEntry> readSettingEntry(Prompter& prompter, std::string_view numberText,
                                             std::string_view typedName, int lastNumber)
{
    switch (settingEntryFault(numberText, typedName, lastNumber)) {
    case SettingEntryFault::numberAndName:
        prompter.tell(formatString(StringId::needNumberAndName, firstNumber, lastNumber));
        return std::nullopt;
    case SettingEntryFault::number:
        prompter.tell(formatString(StringId::needSettingNumber, firstNumber, lastNumber));
        return std::nullopt;
    case SettingEntryFault::name:
        prompter.tell(formatString(StringId::needSettingName, static_cast<int>(longestName)));
        return std::nullopt;
    case SettingEntryFault::none:
        break;
    }
    const std::string name = operatorText(typedName, longestName);
    const int number = *wholeNumber(trim(numberText));
    const bool quoted = name.size() >= 2 && name.front() == '"' && name.back() == '"';
    return SettingEntry{number, quoted ? name : formatString(StringId::quotedName, name.c_str()),
                        quoted ? name.substr(1, name.size() - 2) : name};
}

bool isPlaceholderRow(std::string_view rowText) { return rowText.size() <= longestPlaceholder; }

bool confirmed(Prompter& prompter, const std::string& question, bool okCancel)
{
    const auto answer =
        prompter.ask(question, okCancel ? Prompter::Buttons::okCancel : Prompter::Buttons::yesNo,
                     Prompter::Icon::question, {});
    return answer == Prompter::Answer::yes || answer == Prompter::Answer::ok;
}

void refreshSettingRow(TimingList& list, int number)
{
    const std::size_t slot = static_cast<std::size_t>(number - 1);
    TimingRecord& record = list.slots.at(slot);
    record.rowText = record.HACT > 0 ? formatRowText(number, record) : placeholderRow(number);
    if (slot < list.rows.size())
        list.rows[slot] = record.rowText;
}

bool deviceTook(CommandChannel& channel, Clock& clock, const std::vector<std::string>& commands,
                int pauseMs)
{
    for (std::size_t sent = 0; sent < commands.size(); ++sent) {
        if (sent > 0)
            clock.sleepMs(pauseMs);
        if (!tookCommand(channel.sendTextAndCollect(commands[sent], false)))
            return false;
    }
    return true;
}

void tellNotStored(Prompter& prompter, const TimingList& list, const SettingEntry& entry)
{
    prompter.tell(formatString(StringId::settingNotStored, listWord(list), entry.number,
                               entry.plainName.c_str()));
}

void tellNotDeleted(Prompter& prompter, const TimingList& list, int number)
{
    prompter.tell(formatString(StringId::settingNotDeleted, listWord(list), number));
}

void showStoredSetting(TimingList& list, TimingListCache& cache, int number)
{
    refreshSettingRow(list, number);
    list.selection = number - 1;
    list.deleteEnabled = true;
    cache.saveSetting(list, number);
}

void forgetSetting(TimingList& list, TimingListCache& cache, int number)
{
    list.slots.at(static_cast<std::size_t>(number - 1)).HACT = 0;
    refreshSettingRow(list, number);
    list.selection = -1;
    list.deleteEnabled = false;
    cache.saveSetting(list, number);
}

} // namespace kivo
