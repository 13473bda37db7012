#include "core/output/OutputSettings.h"

#include "core/base/Clock.h"
#include "core/base/ProgressSink.h"
#include "core/base/Prompter.h"
#include "core/base/Strings.h"
#include "core/link/PanelApp.h"
#include "core/protocol/CommandChannel.h"
#include "core/protocol/Reply.h"
#include "core/timing/SettingEntry.h"
#include "core/timing/TimingList.h"
#include "core/timing/TimingListCache.h"
#include "core/timing/TimingText.h"

#include <utility>

namespace kivo {
namespace {

constexpr int lastUserSetting = 10;
constexpr int afterNameMs = 100;
constexpr int afterModeChangeMs = 1200;
constexpr int lockWaitMs = 15000;

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
    if (position < 0 || position >= list_.shownSettings())
        return false;
    const std::size_t slot = static_cast<std::size_t>(position);
    if (slot >= list_.rows.size() || isPlaceholderRow(list_.rows[slot])) {
        s_.prompter.tell(formatString(StringId::emptyOutputPreset, position + 1));
        return false;
    }
    const Reply reply = list_.fromDevice
                            ? s_.channel.sendTextAndCollect(
                                  formatString(StringId::outputRecallCommand, position + 1), true)
                            : s_.channel.sendTextAndCollect(
                                  outputTimingLine(list_.slots.at(slot), outputFreeRun_), true);
    if (isRefusal(reply.text)) {
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
    const auto entry = readSettingEntry(s_.prompter, numberText, typedName, lastUserSetting);
    if (!entry)
        return false;
    TimingRecord& slot = list_.slots.at(static_cast<std::size_t>(entry->number - 1));
    if (slot.HACT > 0 &&
        !confirmed(s_.prompter, formatString(StringId::overwriteOutputQuestion, entry->number),
                   true))
        return false;
    if (!deviceTook(s_.channel, s_.clock,
                    {formatString(StringId::outputNameCommand, entry->quotedName.c_str()),
                     formatString(StringId::outputSaveCommand, entry->number)},
                    afterNameMs)) {
        tellNotStored(s_.prompter, list_, *entry);
        return false;
    }
    copyTimingNumbers(outputTiming_, slot);
    slot.NAME = entry->plainName;
    showStoredSetting(list_, cache_, entry->number);
    return true;
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
    if (!confirmed(s_.prompter, formatString(StringId::deleteOutputQuestion, number), false))
        return false;
    if (!deviceTook(s_.channel, s_.clock, {formatString(StringId::outputDeleteCommand, number)},
                    0)) {
        tellNotDeleted(s_.prompter, list_, number);
        return false;
    }
    forgetSetting(list_, cache_, number);
    return true;
}

bool OutputSettings::switchToFreeRun()
{
    if (outputFreeRun_ ||
        !confirmed(s_.prompter, std::string(loadString(StringId::freeRunQuestion)), false))
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
    if (!outputFreeRun_ ||
        !confirmed(s_.prompter, std::string(loadString(StringId::autosyncQuestion)), false))
        return AutosyncOutcome::declined;
    list_.selection = -1;
    list_.deleteEnabled = false;
    s_.channel.sendCommand(std::string(loadString(StringId::autosyncCommand)));
    std::string& giveUpCommand = s_.channel.app().giveUpCommand;
    giveUpCommand = loadString(StringId::freeRunCommand);
    const std::int64_t sent = s_.clock.nowMs();
    Reply reply;
    do {
        showLockWait(formatString(StringId::lockWaitProgress,
                                  static_cast<int>((s_.clock.nowMs() - sent) / 1000)));
        s_.clock.sleepMs(afterModeChangeMs);
        reply = s_.channel.sendAndCollect(StringId::hostQuery, true);
    } while (!saysLocked(reply.text) && s_.clock.nowMs() - sent < lockWaitMs);
    showLockWait({});
    if (!saysLocked(reply.text)) {
        s_.prompter.tell(std::string(loadString(StringId::noReferenceSignal)));
        s_.channel.sendCommand(std::exchange(giveUpCommand, {}));
        s_.clock.sleepMs(afterModeChangeMs);
        s_.status.queryOutputStatus();
        return AutosyncOutcome::noReference;
    }
    giveUpCommand.clear();
    outputFreeRun_ = false;
    s_.status.readOutputStatus(reply.text);
    return AutosyncOutcome::locked;
}

void OutputSettings::showLockWait(const std::string& text)
{
    if (lockWait_)
        lockWait_->showProgressText(text);
}

} // namespace kivo
