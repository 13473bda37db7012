#include "core/output/ChromaKey.h"

#include "core/base/Clock.h"
#include "core/base/EditControl.h"
#include "core/base/Prompter.h"
#include "core/base/Strings.h"
#include "core/base/Text.h"
#include "core/protocol/CommandChannel.h"
#include "core/protocol/NumberCursor.h"
#include "core/protocol/NumberScan.h"
#include "core/protocol/NumericEntry.h"
#include "core/protocol/Reply.h"

#include <algorithm>
#include <cctype>

namespace kivo {
namespace {

constexpr int highMinimum = 522;
constexpr std::size_t editLength = 4;
constexpr double limitsCommandRevision = 3.0;

bool isMinimum(ChromaLimit limit) { return static_cast<int>(limit) % 2 == 0; }

ChromaLimit partner(ChromaLimit limit)
{
    return static_cast<ChromaLimit>(static_cast<int>(limit) ^ 1);
}

void setColour(ChromaKeyLimits& limits, ChromaLimit minimum, bool high)
{
    limits[minimum] = high ? highMinimum : ChromaKeyLimits::defaultMinimum;
    limits[partner(minimum)] = high ? ChromaKeyLimits::highest : ChromaKeyLimits::defaultMaximum;
}

// Where the numbers worth reading start: the last six of the reply.
std::size_t lastSixNumbers(std::string_view reply)
{
    std::size_t position = 0;
    while (countNumbers(reply, position) > chromaLimitCount) {
        const auto next = nextNumber(reply, position);
        if (!next || *next == position)
            break;
        position = *next;
    }
    return position;
}

bool isWordCharacter(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

// Whether `word` stands in lower-cased `text` as a word of its own.
bool hasWord(std::string_view text, std::string_view word)
{
    for (std::size_t at = text.find(word); at != std::string_view::npos;
         at = text.find(word, at + 1)) {
        const std::size_t end = at + word.size();
        const bool startsWord = at == 0 || !isWordCharacter(text[at - 1]);
        const bool endsWord = end >= text.size() || !isWordCharacter(text[end]);
        if (startsWord && endsWord)
            return true;
    }
    return false;
}

} // namespace

std::pair<int, int> ChromaKeyLimits::bounds(ChromaLimit limit) const
{
    if (isMinimum(limit))
        return {lowest, (*this)[partner(limit)]};
    return {(*this)[partner(limit)], highest};
}

ChromaKeyLimits presetLimits(ChromaPreset preset)
{
    struct Colours {
        bool red, green, blue;
    };
    static constexpr std::array<Colours, 8> table{{
        {true, true, true},    // white
        {false, true, true},   // cyan
        {true, false, true},   // magenta
        {true, true, false},   // yellow
        {true, false, false},  // red
        {false, true, false},  // green
        {false, false, true},  // blue
        {false, false, false}, // black
    }};
    const Colours& high = table.at(static_cast<std::size_t>(preset));
    ChromaKeyLimits limits;
    setColour(limits, ChromaLimit::redMin, high.red);
    setColour(limits, ChromaLimit::greenMin, high.green);
    setColour(limits, ChromaLimit::blueMin, high.blue);
    return limits;
}

ChromaKeyLimits parseChromaKeyLimits(std::string_view reply)
{
    ChromaKeyLimits limits;
    if (isRefusal(reply))
        return limits;
    NumberCursor numbers(reply, lastSixNumbers(reply));
    for (std::size_t i = 0; i < limits.values.size(); ++i)
        limits.values[i] = std::clamp(numbers.take(limits.values[i]), ChromaKeyLimits::lowest,
                                      ChromaKeyLimits::highest);
    for (const ChromaLimit minimum :
         {ChromaLimit::redMin, ChromaLimit::greenMin, ChromaLimit::blueMin})
        limits[minimum] = std::min(limits[minimum], limits[partner(minimum)]);
    return limits;
}

bool parseChromaKeyOn(std::string_view reply) { return hasWord(toLower(reply), "on"); }

std::optional<bool> readChromaKeyMode(std::string_view reply)
{
    const std::string lower = toLower(reply);
    const bool on = hasWord(lower, "on");
    if (isRefusal(reply) || on == hasWord(lower, "off"))
        return std::nullopt;
    return on;
}

std::optional<ChromaKeyLimits> readChromaKeyLimits(std::string_view reply)
{
    if (isRefusal(reply) || countNumbers(reply, 0) < chromaLimitCount)
        return std::nullopt;
    return parseChromaKeyLimits(reply);
}

std::string chromaLimitsCommand(const ChromaKeyLimits& limits, double firmwareRevision)
{
    const auto& v = limits.values;
    return formatString(firmwareRevision >= limitsCommandRevision
                            ? StringId::chromaLimitsCommand
                            : StringId::oldChromaLimitsCommand,
                        v[0], v[1], v[2], v[3], v[4], v[5]);
}

ChromaKeyControl::ChromaKeyControl(Seams seams, const double& firmwareRevision)
    : s_(seams), firmwareRevision_(firmwareRevision)
{
}

void ChromaKeyControl::initialise()
{
    chromaKeyOn_ = parseChromaKeyOn(s_.channel.sendAndCollect(StringId::chromaKeyQuery, true).text);
    sentLimits_ = limits_ =
        s_.channel.connected()
            ? parseChromaKeyLimits(
                  s_.channel.sendAndCollect(StringId::chromaLimitsQuery, true).text)
            : ChromaKeyLimits{};
    lastEndMs_.reset();
}

bool ChromaKeyControl::setChromaKey(bool on)
{
    // The mode as its radio button names it, without the accelerator mark.
    std::string modeName(loadString(on ? StringId::chromaKeyCaption : StringId::insertCaption));
    std::erase(modeName, '&');
    const Reply reply = s_.channel.sendTextAndCollect(
        std::string(loadString(on ? StringId::chromaKeyOnCommand : StringId::chromaKeyOffCommand)),
        false);
    const std::optional<bool> reported =
        readChromaKeyMode(s_.channel.sendAndCollect(StringId::chromaKeyQuery, true).text);
    if (reported)
        chromaKeyOn_ = *reported;
    if (!tookCommand(reply) || (reported && *reported != on)) {
        s_.prompter.tell(formatString(StringId::chromaModeNotTaken, modeName.c_str()));
        return false;
    }
    if (!reported) {
        s_.prompter.tell(formatString(StringId::chromaModeUnread, modeName.c_str()));
        return false;
    }
    return true;
}

int ChromaKeyControl::track(ChromaLimit limit, int position)
{
    const auto [lower, upper] = limits_.bounds(limit);
    return limits_[limit] = std::clamp(position, lower, upper);
}

bool ChromaKeyControl::endTracking()
{
    const std::int64_t now = s_.clock.nowMs();
    const bool repeated = lastEndMs_ && now - *lastEndMs_ <= repeatedEndMs;
    lastEndMs_ = now;
    return repeated || sendLimits();
}

bool ChromaKeyControl::commitEdit(ChromaLimit limit, EditControl& edit)
{
    if (!edit.isModified())
        return true;
    const std::string text = edit.text();
    const std::string_view typed = trim(text);
    const auto [lower, upper] = limits_.bounds(limit);
    const int value = integerAt(typed, 0);
    const bool accepted = value >= lower && value <= upper &&
                          (value != 0 || (!typed.empty() && typed.front() == '0'));
    if (accepted) {
        limits_[limit] = value;
        sendLimits();
    } else {
        s_.prompter.tell(formatString(StringId::integerRange, lower, upper));
        edit.replaceText(std::to_string(limits_[limit]));
        edit.takeFocus();
        edit.selectAll();
        edit.clearModified();
    }
    NumericEntry::truncateEditText(edit, edit.text(), editLength);
    return accepted;
}

bool ChromaKeyControl::applyPreset(ChromaPreset preset)
{
    limits_ = presetLimits(preset);
    return sendLimits();
}

bool ChromaKeyControl::sendLimits()
{
    const ChromaKeyLimits wanted = limits_;
    const auto& v = wanted.values;
    const Reply reply =
        s_.channel.sendTextAndCollect(chromaLimitsCommand(wanted, firmwareRevision_), false);
    if (isRefusal(reply.text)) {
        limits_ = sentLimits_;
        s_.prompter.tell(
            formatString(StringId::chromaLimitsNotTaken, v[0], v[1], v[2], v[3], v[4], v[5]));
        return false;
    }
    const std::optional<ChromaKeyLimits> reported =
        readChromaKeyLimits(s_.channel.sendAndCollect(StringId::chromaLimitsQuery, true).text);
    if (reported)
        limits_ = sentLimits_ = *reported;
    if (!tookCommand(reply) || (reported && reported->values != v)) {
        s_.prompter.tell(
            formatString(StringId::chromaLimitsNotTaken, v[0], v[1], v[2], v[3], v[4], v[5]));
        return false;
    }
    if (!reported) {
        s_.prompter.tell(
            formatString(StringId::chromaLimitsUnread, v[0], v[1], v[2], v[3], v[4], v[5]));
        return false;
    }
    return true;
}

} // namespace kivo
