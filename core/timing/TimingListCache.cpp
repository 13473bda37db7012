#include "core/timing/TimingListCache.h"

#include "core/base/Prompter.h"
#include "core/base/Strings.h"
#include "core/protocol/NumberCursor.h"
#include "core/protocol/NumberScan.h"
#include "core/settings/Profile.h"
#include "core/timing/TimingList.h"
#include "core/timing/TimingText.h"

#include <algorithm>
#include <string>

namespace kivo {
namespace {

void readLevels(NumberCursor& numbers, TimingRecord& slot)
{
    // They go to the device when the setting is recalled with its levels: a hand-edited value
    // is held within what the device takes, and a missing one is the level's default.
    const TimingRecord defaults;
    slot.brightness =
        std::clamp(numbers.take(defaults.brightness), minimumBrightness, maximumBrightness);
    slot.contrast = std::clamp(numbers.take(defaults.contrast), minimumContrast, maximumContrast);
    slot.gamma = std::clamp(numbers.takeReal(defaults.gamma), minimumGamma, maximumGamma);
}

constexpr std::size_t nameWidth = 18;

bool isOutput(const TimingList& list) { return list.kind == TimingList::Kind::output; }

const char* section(const TimingList& list) { return isOutput(list) ? "OUTPUTLIST" : "INPUTLIST"; }

int cachedSettings(const TimingList& list)
{
    return isOutput(list) ? TimingList::cachedOutputSettings : TimingList::inputSlots;
}

// A cache text counts only with enough values above 1: more than one for an output setting,
// more than four for an input setting (which also carries its picture levels).
bool worthCaching(const TimingList& list, const std::string& text)
{
    return countNumbersAbove(text, 0, 1) > (isOutput(list) ? 1 : 4);
}

} // namespace

TimingListCache::TimingListCache(Profile& profile, Prompter& prompter)
    : profile_(profile), prompter_(prompter)
{
}

void TimingListCache::save(const TimingList& list)
{
    for (int number = 1; number <= cachedSettings(list); ++number) {
        const TimingRecord& slot = list.slots[static_cast<std::size_t>(number - 1)];
        const std::string text =
            isOutput(list) ? formatOutputCacheText(slot) : formatInputCacheText(slot);
        if (worthCaching(list, text))
            write(list, number, text);
    }
}

void TimingListCache::saveSetting(const TimingList& list, int number)
{
    const TimingRecord& slot = list.slots.at(static_cast<std::size_t>(number - 1));
    if (slot.HACT <= 0)
        write(list, number, {});
    else
        write(list, number,
              isOutput(list) ? formatOutputCacheText(slot) : formatInputCacheText(slot));
}

void TimingListCache::forget(const TimingList& list, const std::vector<int>& numbers)
{
    for (const int number : numbers) {
        const std::string key = std::to_string(number);
        if (number <= cachedSettings(list) && !profile_.readString(section(list), key).empty())
            write(list, number, {});
    }
}

void TimingListCache::write(const TimingList& list, int number, const std::string& text)
{
    if (!profile_.writeString(section(list), std::to_string(number), text))
        prompter_.tell(formatString(isOutput(list) ? StringId::outputCacheWriteFailed
                                                   : StringId::inputCacheWriteFailed,
                                    number));
}

void TimingListCache::read(TimingList& list) const
{
    for (int number = 1; number <= cachedSettings(list); ++number) {
        const std::string text = profile_.readString(section(list), std::to_string(number));
        if (!worthCaching(list, text))
            continue;
        TimingRecord& slot = list.slots[static_cast<std::size_t>(number - 1)];
        slot.NAME = text.substr(0, nameWidth);
        NumberCursor numbers(text, nameWidth);
        // The cache writes every column, SYNC 0 included.
        readTimingNumbers(numbers, slot, SyncColumn::always);
        if (!isOutput(list))
            readLevels(numbers, slot);
        keepDivisorsNonZero(slot);
        slot.rowText = formatRowText(number, slot);
    }
}

} // namespace kivo
