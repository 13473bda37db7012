#include "core/protocol/NumberCursor.h"

#include "core/base/Text.h"

#include "core/protocol/NumberScan.h"

namespace kivo {

NumberCursor::NumberCursor(std::string_view text, std::size_t start) : text_(text)
{
    if (numberStartsAt(text, start))
        position_ = start;
    else if (start < text.size())
        position_ = nextNumber(text, start);
}

std::optional<int> NumberCursor::peek() const
{
    if (!position_)
        return std::nullopt;
    return integerAt(text_, *position_);
}

void NumberCursor::skip()
{
    if (position_)
        position_ = nextNumber(text_, *position_);
}

int NumberCursor::take(int missing)
{
    const int value = peek().value_or(missing);
    skip();
    return value;
}

double NumberCursor::takeReal(double missing)
{
    const double value = position_ ? realAt(text_, *position_).value_or(missing) : missing;
    skip();
    return value;
}

} // namespace kivo
