#include "core/timing/TimingCalculator.h"

#include "core/base/Strings.h"
#include "core/protocol/NumberScan.h"

#include <bit>
#include <cstdint>

namespace kivo {
namespace {

constexpr int largestDerived = 2048;
constexpr int horizontal = 0;
constexpr int vertical = 1;

int bit(TimingField field) { return 1 << field; }

// The calculation of one dialog: the values, which boxes were empty, and what it wrote.
class Calculation {
public:
    explicit Calculation(const std::array<std::string, timingFieldCount>& texts)
    {
        for (int index = 0; index < timingFieldCount; ++index) {
            const std::string& text = texts[static_cast<std::size_t>(index)];
            if (text.empty()) {
                result_.values[static_cast<std::size_t>(index)] = -1;
                empty_[static_cast<std::size_t>(index / timingFieldsPerDirection)] |=
                    1 << (index % timingFieldsPerDirection);
            } else {
                result_.values[static_cast<std::size_t>(index)] = readTimingBox(text);
            }
        }
    }

    TimingCalculation run()
    {
        result_.complete = completeBlank(horizontal) && completeBlank(vertical) &&
                           completeTotal(horizontal) && completeTotal(vertical);
        return result_;
    }

private:
    std::int64_t value(int direction, TimingField field) const
    {
        return result_
            .values[static_cast<std::size_t>(direction * timingFieldsPerDirection + field)];
    }

    bool fail(StringId message)
    {
        result_.message = std::string(loadString(message));
        return false;
    }

    // Writes a derived value into its box, when it is one a timing can have.
    bool store(int direction, TimingField field, std::int64_t derived)
    {
        if (derived < 0 || derived > largestDerived) {
            result_.message = formatString(StringId::timingValueOutOfRange,
                                           static_cast<int>(derived), largestDerived);
            return false;
        }
        const auto index = static_cast<std::size_t>(direction * timingFieldsPerDirection + field);
        result_.values[index] = static_cast<int>(derived);
        result_.derived[index] = true;
        return true;
    }

    bool completeBlank(int direction)
    {
        int& empty = empty_[static_cast<std::size_t>(direction)];
        const int onePartAndBlank = empty & (bit(frontPorch) | bit(sync) | bit(backPorch));
        // One part and the blank missing, but active and total given: the blank follows first.
        if (empty == (onePartAndBlank | bit(blank)) &&
            std::has_single_bit(static_cast<unsigned>(onePartAndBlank))) {
            if (!store(direction, blank, value(direction, total) - value(direction, active)))
                return false;
            empty &= ~bit(blank);
        }
        const std::int64_t parts =
            value(direction, frontPorch) + value(direction, sync) + value(direction, backPorch);
        switch (empty & (bit(active) - 1)) {
        case 0:
            return parts == value(direction, blank) || store(direction, blank, parts);
        case 1 << frontPorch:
            return store(direction, frontPorch,
                         value(direction, blank) - value(direction, backPorch) -
                             value(direction, sync));
        case 1 << sync:
            return store(direction, sync,
                         value(direction, blank) - value(direction, backPorch) -
                             value(direction, frontPorch));
        case 1 << backPorch:
            return store(direction, backPorch,
                         value(direction, blank) - value(direction, frontPorch) -
                             value(direction, sync));
        case 1 << blank:
            return store(direction, blank, parts);
        default:
            return fail(direction == horizontal ? StringId::horizontalBlankUnknown
                                                : StringId::verticalBlankUnknown);
        }
    }

    bool completeTotal(int direction)
    {
        const int empty = empty_[static_cast<std::size_t>(direction)] >> active;
        const std::int64_t blankValue = value(direction, blank);
        switch (empty) {
        case 0:
            return blankValue + value(direction, active) == value(direction, total) ||
                   store(direction, total, blankValue + value(direction, active));
        case 1:
            return store(direction, active, value(direction, total) - blankValue);
        case 2:
            return store(direction, total, blankValue + value(direction, active));
        default:
            return fail(direction == horizontal ? StringId::horizontalTotalUnknown
                                                : StringId::verticalTotalUnknown);
        }
    }

    TimingCalculation result_;
    std::array<int, 2> empty_{};
};

} // namespace

int readTimingBox(const std::string& text)
{
    const auto start = text.find_first_not_of(" \t");
    return start == std::string::npos ? 0 : integerAt(text, start);
}

TimingCalculation calculateTiming(const std::array<std::string, timingFieldCount>& texts)
{
    return Calculation(texts).run();
}

} // namespace kivo
