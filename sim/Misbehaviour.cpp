#include "sim/Misbehaviour.h"

#include "sim/LineNoise.h"
#include "sim/ReplyFormats.h"

#include <array>
#include <cctype>
#include <utility>

namespace kivo::sim {

namespace {

constexpr std::array<std::pair<std::string_view, Misbehaviour>, 7> names{{
    {"silent", Misbehaviour::silent},
    {"error", Misbehaviour::error},
    {"garbage", Misbehaviour::garbage},
    {"nan", Misbehaviour::nan},
    {"huge", Misbehaviour::huge},
    {"negative", Misbehaviour::negative},
    {"vanish", Misbehaviour::vanish},
}};

bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Replaces every run of digits (with its decimal point and fraction) by what `replace` makes
// of it; a minus sign before a run is kept or dropped by `replace` too.
template <typename Replace> std::string replaceNumbers(std::string_view text, Replace replace)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (!isDigit(text[i])) {
            out += text[i++];
            continue;
        }
        const std::size_t start = i;
        while (i < text.size() && (isDigit(text[i]) || text[i] == '.'))
            ++i;
        const bool negative = !out.empty() && out.back() == '-';
        if (negative)
            out.pop_back();
        out += replace(text.substr(start, i - start), negative);
    }
    return out;
}

} // namespace

std::optional<Misbehaviour> misbehaviourNamed(std::string_view name)
{
    for (const auto& [text, mode] : names)
        if (text == name)
            return mode;
    return std::nullopt;
}

const char* misbehaviourNames() { return "silent, error, garbage, nan, huge, negative or vanish"; }

std::string misprint(Misbehaviour mode, std::string_view printed)
{
    switch (mode) {
    case Misbehaviour::none:
        return std::string(printed);
    case Misbehaviour::silent:
        return {};
    case Misbehaviour::error:
        return std::string(replies::errorBusy) + replies::lineEnd + replies::prompt;
    case Misbehaviour::garbage:
        return garbled(printed);
    case Misbehaviour::nan:
        return replaceNumbers(printed, [](std::string_view, bool) { return "nan"; });
    case Misbehaviour::huge:
        return replaceNumbers(printed, [](std::string_view, bool negative) {
            return std::string(negative ? "-" : "") + "99999999999999999999";
        });
    case Misbehaviour::negative:
        return replaceNumbers(
            printed, [](std::string_view number, bool) { return "-" + std::string(number); });
    case Misbehaviour::vanish:
        return std::string(printed.substr(0, printed.size() / 2));
    }
    return std::string(printed);
}

} // namespace kivo::sim
