#include "core/base/CNumbers.h"

#include "core/base/Text.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <locale.h>

namespace kivo {
namespace {

locale_t cLocale()
{
    static const locale_t c = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

// Switches this thread to the C locale for as long as it lives.
class CLocaleScope {
public:
    CLocaleScope() : previous_(cLocale() ? ::uselocale(cLocale()) : nullptr) {}
    ~CLocaleScope()
    {
        if (previous_)
            ::uselocale(previous_);
    }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t previous_;
};

} // namespace

std::string formatPrintfList(const char* format, va_list args)
{
    const CLocaleScope cConventions;
    va_list copy;
    va_copy(copy, args);
    const int size = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (size <= 0)
        return {};
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, args);
    text.resize(static_cast<std::size_t>(size));
    return text;
}

std::string formatPrintf(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = formatPrintfList(format, args);
    va_end(args);
    return text;
}

std::string formatFixed(double value, int decimals)
{
    std::array<char, 400> text{};
    const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value,
                                            std::chars_format::fixed, decimals);
    if (error != std::errc{})
        return formatPrintf("%.*f", decimals, value);
    return std::string(text.data(), end);
}

std::optional<double> leadingReal(std::string_view text)
{
    text = trimLeft(text);
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+'))
        text.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || text.starts_with('-'))
        return std::nullopt;
    return negative ? -value : value;
}

} // namespace kivo
