#include "core/protocol/NumericEntry.h"

#include "core/base/CNumbers.h"
#include "core/base/CaptionControl.h"
#include "core/base/EditControl.h"
#include "core/base/Prompter.h"
#include "core/base/Text.h"
#include "core/base/TrackbarControl.h"
#include "core/link/PanelApp.h"
#include "core/protocol/CommandChannel.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

namespace kivo {
namespace {

constexpr std::size_t trackedIntegerLength = 5;
constexpr std::size_t trackedRealLength = 7;

// The number a box holds, only when the whole text (blanks around it aside) is that number:
// "12abc" is no more a level than "abc" is.
template <typename Number> std::optional<Number> readWhole(std::string_view text)
{
    text = trim(text);
    if (text.starts_with('+'))
        text.remove_prefix(1);
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// A zero counts only when the operator typed it: an empty or garbled box also reads as 0.
bool acceptableZero(std::string_view text, double value)
{
    return value != 0.0 || trimLeft(text).starts_with('0');
}

} // namespace

NumericEntry::NumericEntry(PanelApp& app, CommandChannel& channel, Prompter& prompter)
    : app_(app), channel_(channel), prompter_(prompter)
{
}

bool NumericEntry::shouldCheck(const EditControl& edit) const
{
    return app_.idle && edit.isModified();
}

void NumericEntry::refuse(EditControl& edit, const std::string& message,
                          const std::string& restored)
{
    prompter_.tell(message);
    edit.replaceText(restored);
    edit.takeFocus();
    edit.selectAll();
    edit.clearModified();
}

bool NumericEntry::checkTrackedInteger(StringId command, int window, TrackbarControl& trackbar,
                                       EditControl& edit, CaptionControl& freezeButton,
                                       bool& frozen)
{
    if (!shouldCheck(edit))
        return true;
    freezeButton.setCaption(std::string(loadString(StringId::freezeImageCaption)));
    frozen = false;
    const std::string text = edit.text();
    const std::optional<int> value = readWhole<int>(text);
    if (!value || *value < trackbar.minimum() || *value > trackbar.maximum() ||
        !acceptableZero(text, *value)) {
        refuse(edit, formatString(StringId::integerRange, trackbar.minimum(), trackbar.maximum()),
               std::to_string(trackbar.position()));
        return false;
    }
    trackbar.setPosition(*value);
    channel_.sendCommand(formatString(command, window, *value));
    truncateEditText(edit, text, trackedIntegerLength);
    return true;
}

bool NumericEntry::checkTrackedReal(StringId command, int window, TrackbarControl& trackbar,
                                    EditControl& edit, double& stored, double lower, double upper,
                                    double scale)
{
    if (!shouldCheck(edit))
        return true;
    const std::string text = edit.text();
    const std::optional<double> value = readWhole<double>(text);
    if (!value || !std::isfinite(*value) || *value < lower || *value > upper ||
        !acceptableZero(text, *value)) {
        refuse(edit, formatString(StringId::realRange, lower, upper), formatFixed(stored, 2));
        return false;
    }
    trackbar.setPosition(static_cast<int>(*value * scale));
    channel_.sendCommand(formatString(command, window, *value));
    stored = *value;
    truncateEditText(edit, text, trackedRealLength);
    return true;
}

bool NumericEntry::checkRangedInteger(EditControl& edit, int previous, int lower, int upper)
{
    if (!shouldCheck(edit))
        return true;
    const std::string text = edit.text();
    if (!text.empty() && !isDigit(text.front()) && leadingReal(text).value_or(0.0) == 0.0) {
        edit.replaceText({});
        return false;
    }
    const std::optional<int> value = readWhole<int>(text);
    if (!value || *value < lower || *value > upper) {
        refuse(edit, formatString(StringId::integerRange, lower, upper), std::to_string(previous));
        return false;
    }
    app_.timingEdited = true;
    return true;
}

void NumericEntry::truncateEditText(EditControl& edit, const std::string& text,
                                    std::size_t maxLength)
{
    if (text.size() > maxLength)
        edit.replaceText(text.substr(0, maxLength));
}

} // namespace kivo
