#include "core/timing/TimingText.h"

#include "core/base/Text.h"

#include "core/base/Strings.h"
#include "core/protocol/NumberCursor.h"
#include "core/protocol/NumberScan.h"

#include <cctype>

namespace kivo {
namespace {

bool isSyncWireCount(int value) { return value >= 3 && value <= 5; }

} // namespace

void readTimingNumbers(NumberCursor& numbers, TimingRecord& timing, SyncColumn sync)
{
    timing.HFP = numbers.take();
    timing.HS = numbers.take();
    timing.HBP = numbers.take();
    timing.HACT = numbers.take(640);
    timing.VFP = numbers.take();
    timing.VS = numbers.take();
    timing.VBP = numbers.take();
    timing.VACT = numbers.take(480);
    timing.HFREQ = numbers.take(1);
    // In a device's reply the sync column is optional: a value that is not a wire count is
    // already HPOL.
    const auto next = numbers.peek();
    const bool hasSync = sync == SyncColumn::always || (next && isSyncWireCount(*next));
    timing.SYNC = hasSync ? numbers.take() : 0;
    timing.HPOL = numbers.take();
    timing.VPOL = numbers.take();
    timing.IL = numbers.take();
}

void copyTimingNumbers(const TimingRecord& from, TimingRecord& to)
{
    to.HFP = from.HFP;
    to.HS = from.HS;
    to.HBP = from.HBP;
    to.HACT = from.HACT;
    to.VFP = from.VFP;
    to.VS = from.VS;
    to.VBP = from.VBP;
    to.VACT = from.VACT;
    to.HFREQ = from.HFREQ;
    to.SYNC = from.SYNC;
    to.HPOL = from.HPOL;
    to.VPOL = from.VPOL;
    to.IL = from.IL;
}

void keepDivisorsNonZero(TimingRecord& timing)
{
    if (timing.VACT == 0)
        timing.VACT = 1;
    if (timing.HFREQ == 0)
        timing.HFREQ = 1;
}

std::string timingListHeader()
{
    constexpr std::size_t numberColumns = 4;
    return std::string(numberColumns, ' ') + std::string(loadString(StringId::timingColumnHeader));
}

std::string formatRowText(int number, const TimingRecord& t)
{
    return formatString(StringId::timingRowFormat, number, t.NAME.c_str(), t.HFP, t.HS, t.HBP,
                        t.HACT, t.VFP, t.VS, t.VBP, t.VACT, t.HFREQ, t.SYNC, t.HPOL, t.VPOL, t.IL);
}

std::string placeholderRow(int number)
{
    return formatString(StringId::placeholderRowFormat, number,
                        std::string(loadString(StringId::emptySettingMark)).c_str());
}

std::string formatOutputCacheText(const TimingRecord& t)
{
    return formatString(StringId::outputCacheFormat, t.NAME.c_str(), t.HFP, t.HS, t.HBP, t.HACT,
                        t.VFP, t.VS, t.VBP, t.VACT, t.HFREQ, t.SYNC, t.HPOL, t.VPOL, t.IL);
}

std::string formatInputCacheText(const TimingRecord& t)
{
    return formatString(StringId::inputCacheFormat, t.NAME.c_str(), t.HFP, t.HS, t.HBP, t.HACT,
                        t.VFP, t.VS, t.VBP, t.VACT, t.HFREQ, t.SYNC, t.HPOL, t.VPOL, t.IL,
                        t.brightness, t.contrast, t.gamma);
}

int rowNumber(std::string_view rowText)
{
    if (rowText.empty() || !isDigit(rowText.front()))
        return 0;
    return integerAt(rowText, 0);
}

} // namespace kivo
