#include "tests/fuzz/FuzzCheck.h"

#include "core/protocol/NumberCursor.h"
#include "core/protocol/NumberScan.h"
#include "core/timing/TimingList.h"
#include "core/timing/TimingRowParser.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using kivo::fuzz::check;

namespace {

// Every scan from one start position, with the properties the reply parsers rely on: a next
// number lies ahead and inside the text, a walk counts at most fifteen.
void scanFrom(std::string_view text, std::size_t start, int threshold)
{
    if (const auto next = kivo::nextNumber(text, start))
        check(*next >= start && *next < text.size(), "nextNumber stays ahead and inside");
    const int counted = kivo::countNumbers(text, start);
    check(counted >= 0 && counted <= 15, "countNumbers walks at most 15");
    const int above = kivo::countNumbersAbove(text, start, threshold);
    check(above >= 0 && above <= 15, "countNumbersAbove walks at most 15");
    kivo::integerAt(text, start);
    kivo::realAt(text, start);

    // The cursor moves on with every take: it reaches the end in fewer steps than bytes.
    kivo::NumberCursor cursor(text, start);
    std::size_t steps = 0;
    while (!cursor.atEnd()) {
        check(++steps <= text.size() + 1, "NumberCursor reaches the end");
        cursor.peek();
        if (steps % 2 == 0)
            cursor.take();
        else
            cursor.takeReal();
    }
}

} // namespace

// The first two bytes choose a start position and the list options; the rest is the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::size_t start = data[0] % (text.size() + 2);
    const int threshold = static_cast<int>(data[1]) - 128;
    scanFrom(text, start, threshold);
    scanFrom(text, 0, 1);

    kivo::TimingList list(data[1] & 1 ? kivo::TimingList::Kind::output
                                      : kivo::TimingList::Kind::input);
    const int limit = data[0] % 64;
    kivo::parseTimingRows(text, list.slots, limit, (data[1] & 2) != 0);
    // A slot the parser filled has its row text, and divisors that are never 0.
    for (const kivo::TimingRecord& slot : list.slots)
        if (!slot.rowText.empty())
            check(slot.VACT != 0 && slot.HFREQ != 0, "timing divisors are never 0");
    return 0;
}
