#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivo {

class Clock;
class CommandChannel;
class Prompter;
class TimingListCache;
struct TimingList;

// What the Add boxes of the Output and Inputs pages give once checked: the setting number,
// the name as it goes on the command line (in double quotes) and as it is stored (without).
struct SettingEntry {
    int number = 0;
    std::string quotedName;
    std::string plainName;
};

// What is missing from the typed number and name, the first fault the operator is told of.
enum class SettingEntryFault { none, numberAndName, number, name };
SettingEntryFault settingEntryFault(std::string_view numberText, std::string_view typedName,
                                    int lastNumber);

// Checks the typed number (1..`lastNumber`) and name; tells the operator what is missing.
// The name loses every control character, so nothing in it can end or break a command line.
std::optional<SettingEntry> readSettingEntry(Prompter& prompter, std::string_view numberText,
                                             std::string_view typedName, int lastNumber);

// A row this short holds no setting, only its number and " ---".
bool isPlaceholderRow(std::string_view rowText);

// Asks a question; true for Yes or OK.
bool confirmed(Prompter& prompter, const std::string& question, bool okCancel);

// Shows setting `number` of the list as its slot now is: its row, or the placeholder of a
// slot without a setting.
void refreshSettingRow(TimingList& list, int number);

// Sends the commands that change a stored setting one after another, `pauseMs` apart, each
// answer read before the next goes out; true when the device took every one.
bool deviceTook(CommandChannel& channel, Clock& clock, const std::vector<std::string>& commands,
                int pauseMs);
// Tell the operator that the device did not store or delete a setting of the list.
void tellNotStored(Prompter& prompter, const TimingList& list, const SettingEntry& entry);
void tellNotDeleted(Prompter& prompter, const TimingList& list, int number);

// After a setting was stored on the device: its row shown and chosen, and its cache written.
void showStoredSetting(TimingList& list, TimingListCache& cache, int number);
// After a setting was deleted on the device: its slot emptied, nothing chosen, and its cache
// key emptied.
void forgetSetting(TimingList& list, TimingListCache& cache, int number);

} // namespace kivo
