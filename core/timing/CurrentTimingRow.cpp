#include "core/timing/CurrentTimingRow.h"

#include "core/base/Strings.h"
#include "core/timing/TimingList.h"
#include "core/timing/TimingText.h"

#include <algorithm>
#include <tuple>

namespace kivo {
namespace {

auto timingNumbers(const TimingRecord& t)
{
    return std::tie(t.HFP, t.HS, t.HBP, t.HACT, t.VFP, t.VS, t.VBP, t.VACT, t.HFREQ, t.SYNC, t.HPOL,
                    t.VPOL, t.IL);
}

} // namespace

bool sameTimingNumbers(const TimingRecord& a, const TimingRecord& b)
{
    return timingNumbers(a) == timingNumbers(b);
}

std::optional<int> matchingSlot(const TimingList& list, const TimingRecord& timing)
{
    const int shown = std::min(list.shownSettings(), static_cast<int>(list.slots.size()));
    for (int slot = 0; slot < shown; ++slot) {
        const TimingRecord& setting = list.slots[static_cast<std::size_t>(slot)];
        // A deleted setting keeps its other numbers; its row is a placeholder, never a match.
        if (setting.HACT > 0 && sameTimingNumbers(setting, timing))
            return slot;
    }
    return std::nullopt;
}

std::string currentOutputRowText(const TimingRecord& t)
{
    if (!t.locked)
        return std::string(loadString(StringId::outputNotLocked));
    return formatString(StringId::currentOutputRow, t.HFP, t.HS, t.HBP, t.HACT, t.VFP, t.VS, t.VBP,
                        t.VACT, t.HFREQ, t.SYNC, t.HPOL, t.VPOL, t.IL);
}

std::string currentInputRowText(int window, const TimingRecord& t)
{
    if (!t.locked)
        return formatString(StringId::inputNotLocked, window);
    return formatString(StringId::currentInputRow, window, t.HFP, t.HS, t.HBP, t.HACT, t.VFP, t.VS,
                        t.VBP, t.VACT, t.HFREQ, t.SYNC, t.HPOL, t.VPOL, t.IL);
}

void showCurrentRow(TimingList& list, const std::string& rowText, const TimingRecord& timing,
                    bool reselect)
{
    const std::size_t settings = static_cast<std::size_t>(list.shownSettings());
    // A list not read yet still has a row per setting, so the current row keeps its place.
    for (std::size_t row = list.rows.size(); row < settings; ++row)
        list.rows.push_back(placeholderRow(static_cast<int>(row) + 1));
    list.rows.resize(settings);
    list.rows.push_back(rowText);
    if (reselect)
        list.selection = matchingSlot(list, timing).value_or(list.shownSettings());
}

} // namespace kivo
