#include "core/timing/TimingList.h"

namespace kivo {

TimingList::TimingList(Kind listKind)
    : kind(listKind), slots(listKind == Kind::output ? outputSlots : inputSlots),
      count(listKind == Kind::output ? outputSlots : inputSlots)
{
}

int TimingList::shownSettings() const
{
    return kind == Kind::output && !fromDevice ? cachedOutputSettings : count;
}

void TimingList::clear()
{
    const std::size_t cleared =
        kind == Kind::output ? static_cast<std::size_t>(count) : slots.size();
    for (std::size_t slot = 0; slot < cleared && slot < slots.size(); ++slot)
        slots[slot] = TimingRecord{};
}

} // namespace kivo
