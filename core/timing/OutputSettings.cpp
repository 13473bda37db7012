#include "core/timing/OutputSettings.h"

#include "core/app/Clock.h"
#include "core/app/CommandChannel.h"
#include "core/app/Prompter.h"
#include "core/app/Strings.h"
#include "core/app/Text.h"
#include "core/timing/NumberScan.h"
#include "core/timing/TimingList.h"
#include "core/timing/TimingListCache.h"
#include "core/timing/TimingText.h"

#include <algorithm>
#include <optional>

namespace kivo {
namespace {

constexpr int firstUserSetting = 1;
constexpr int lastUserSetting = 10;
constexpr std::size_t longestName = 17;
// A row this short is a placeholder: a setting number and " ---".
constexpr std::size_t longestPlaceholder = 19;
constexpr int afterNameMs = 100;
constexpr int afterModeChangeMs = 1200;
constexpr int lockWaitMs = 15000;

bool refused(std::string_view reply) { return contains(reply, loadString(StringId::errorWord)); }

bool yes(Prompter& prompter, const std::string& question, Prompter::Buttons buttons)
{
    const auto answer = prompter.ask(question, buttons, Prompter::Icon::question, {});
    return answer == Prompter::Answer::yes || answer == Prompter::Answer::ok;
}

// The setting number typed, when it is a whole number and nothing else.
std::optional<int> settingNumber(std::string_view text)
{
    text = trim(text);
    if (text.empty() || text.size() > 2 || !std::all_of(text.begin(), text.end(), isDigit))
        return std::nullopt;
    return integerAt(text, 0);
}

} // namespace

std::string outputTimingLine(const TimingRecord& timing, bool freeRun)
{
    TimingRecord t = timing;
    keepDivisorsNonZero(t);
    const int sync = t.SYNC >= 3 && t.SYNC <= 5 ? t.SYNC : 4;
    if (freeRun)
        return formatString(StringId::freeOutputLine, t.HFP, t.HS, t.HBP, t.HACT, t.VFP, t.VS,
                            t.VBP, t.VACT, t.HFREQ, sync, t.HPOL, t.VPOL, t.IL);
    return formatString(StringId::autosyncOutputLine, t.HFP, t.HS, t.HBP, t.HACT, t.VFP, t.VS,
                        t.VBP, t.VACT);
}

bool saysLocked(std::string_view reply)
{
    const std::string_view word = loadString(StringId::lockedWord);
    for (std::size_t at = reply.find(word); at != std::string_view::npos;
         at = reply.find(word, at + 1)) {
        const std::size_t after = at + word.size();
        if (after >= reply.size() || reply[after] != '_')
            return true;
    }
    return false;
}

OutputSettings::OutputSettings(Seams seams, TimingList& list, TimingListCache& cache,
                               TimingRecord& outputTiming, bool& outputFreeRun)
    : s_(seams), list_(list), cache_(cache), outputTiming_(outputTiming),
      outputFreeRun_(outputFreeRun)
{
}

bool OutputSettings::recall(int position)
{
    if (position < 0 || position >= list_.count)
        return false;
    const std::size_t slot = static_cast<std::size_t>(position);
    if (list_.rows.at(slot).size() <= longestPlaceholder) {
        s_.prompter.tell(formatString(StringId::emptyOutputPreset, position + 1));
        return false;
    }
    const Reply reply = list_.fromDevice
                            ? s_.channel.sendTextAndCollect(
                                  formatString(StringId::outputRecallCommand, position + 1), true)
                            : s_.channel.sendTextAndCollect(
                                  outputTimingLine(list_.slots.at(slot), outputFreeRun_), true);
    if (refused(reply.text)) {
        s_.prompter.tell(reply.text);
        return false;
    }
    list_.selection = position;
    s_.status.queryOutputStatus();
    list_.deleteEnabled = position < lastUserSetting;
    return true;
}

bool OutputSettings::add(const std::string& numberText, const std::string& typedName)
{
    // The name goes on a command line: nothing in it may end or break that line.
    const std::string name = operatorText(typedName, longestName);
    const auto number = settingNumber(numberText);
    if (trim(numberText).empty() && name.empty()) {
        s_.prompter.tell(
            formatString(StringId::needNumberAndName, firstUserSetting, lastUserSetting));
        return false;
    }
    if (!number || *number < firstUserSetting || *number > lastUserSetting) {
        s_.prompter.tell(
            formatString(StringId::needSettingNumber, firstUserSetting, lastUserSetting));
        return false;
    }
    if (name.empty()) {
        s_.prompter.tell(formatString(StringId::needSettingName, static_cast<int>(longestName)));
        return false;
    }
    const bool quoted = name.size() >= 2 && name.front() == '"' && name.back() == '"';
    const std::string sent = quoted ? name : formatString(StringId::quotedName, name.c_str());
    const std::string plain = quoted ? name.substr(1, name.size() - 2) : name;
    TimingRecord& slot = list_.slots.at(static_cast<std::size_t>(*number - 1));
    if (slot.HACT > 0 && !yes(s_.prompter, formatString(StringId::overwriteOutputQuestion, *number),
                              Prompter::Buttons::okCancel))
        return false;
    s_.channel.sendCommand(formatString(StringId::outputNameCommand, sent.c_str()));
    s_.clock.sleepMs(afterNameMs);
    s_.channel.sendCommand(formatString(StringId::outputSaveCommand, *number));
    copyTimingNumbers(outputTiming_, slot);
    slot.NAME = plain;
    refreshRow(*number);
    list_.selection = *number - 1;
    list_.deleteEnabled = true;
    cache_.saveSetting(list_, *number);
    return true;
}

void OutputSettings::refreshRow(int number)
{
    const std::size_t slot = static_cast<std::size_t>(number - 1);
    TimingRecord& record = list_.slots.at(slot);
    record.rowText = record.HACT > 0 ? formatRowText(number, record) : placeholderRow(number);
    if (slot < list_.rows.size())
        list_.rows[slot] = record.rowText;
}

bool OutputSettings::remove(int position)
{
    if (position < 0) {
        s_.prompter.tell(std::string(loadString(StringId::noOutputSelected)));
        return false;
    }
    if (position >= lastUserSetting) {
        s_.prompter.tell(std::string(loadString(StringId::standardOutputSetting)));
        return false;
    }
    const int number = position + 1;
    if (!yes(s_.prompter, formatString(StringId::deleteOutputQuestion, number),
             Prompter::Buttons::yesNo))
        return false;
    s_.channel.sendCommand(formatString(StringId::outputDeleteCommand, number));
    list_.slots.at(static_cast<std::size_t>(position)).HACT = 0;
    refreshRow(number);
    list_.selection = -1;
    list_.deleteEnabled = false;
    cache_.saveSetting(list_, number);
    return true;
}

bool OutputSettings::switchToFreeRun()
{
    if (outputFreeRun_ || !yes(s_.prompter, std::string(loadString(StringId::freeRunQuestion)),
                               Prompter::Buttons::yesNo))
        return false;
    list_.selection = -1;
    list_.deleteEnabled = false;
    outputFreeRun_ = true;
    s_.channel.sendCommand(std::string(loadString(StringId::freeRunCommand)));
    s_.clock.sleepMs(afterModeChangeMs);
    s_.status.queryOutputStatus();
    return true;
}

OutputSettings::AutosyncOutcome OutputSettings::switchToAutosync()
{
    if (!outputFreeRun_ || !yes(s_.prompter, std::string(loadString(StringId::autosyncQuestion)),
                                Prompter::Buttons::yesNo))
        return AutosyncOutcome::declined;
    list_.selection = -1;
    list_.deleteEnabled = false;
    s_.channel.sendCommand(std::string(loadString(StringId::autosyncCommand)));
    const std::int64_t sent = s_.clock.nowMs();
    Reply reply;
    do {
        s_.clock.sleepMs(afterModeChangeMs);
        reply = s_.channel.sendAndCollect(StringId::hostQuery, true);
    } while (!saysLocked(reply.text) && s_.clock.nowMs() - sent < lockWaitMs);
    if (!saysLocked(reply.text)) {
        s_.prompter.tell(std::string(loadString(StringId::noReferenceSignal)));
        s_.channel.sendCommand(std::string(loadString(StringId::freeRunCommand)));
        s_.clock.sleepMs(afterModeChangeMs);
        s_.status.queryOutputStatus();
        return AutosyncOutcome::noReference;
    }
    outputFreeRun_ = false;
    s_.status.readOutputStatus(reply.text);
    return AutosyncOutcome::locked;
}

} // namespace kivo
