#include "core/mirror/WindowReplies.h"

#include "core/base/Text.h"
#include "core/protocol/NumberCursor.h"
#include "core/protocol/NumberScan.h"
#include "core/protocol/Reply.h"

#include <algorithm>
#include <string>

namespace kivo {
namespace {

bool readable(std::string_view reply) { return !reply.empty() && !isRefusal(reply); }

// Where a level reply's value starts: its first number, or the second when the first is the
// window number the device repeats in front of it.
std::optional<std::size_t> levelPosition(std::string_view reply)
{
    if (!readable(reply))
        return std::nullopt;
    std::optional<std::size_t> at = 0;
    if (!(isDigit(reply[0]) || reply[0] == '-' || reply[0] == '.'))
        at = nextNumber(reply, 0);
    if (at && countNumbers(reply, *at) > 1)
        at = nextNumber(reply, *at);
    return at;
}

// Input sizes a window can really have; anything else is taken for 640 x 480.
bool plausibleInputSize(int width, int height)
{
    // In long long: twice a height the device printed need not fit an int.
    return width >= height && width <= 2LL * height && width >= 200 && height >= 150;
}

bool videoWidth(int width) { return width >= 640 && width <= 800; }

// No device places or crops a window further out than this, in output or input pixels; a
// reply beyond it is garbage, and the arithmetic on it could overflow.
constexpr int maxCoordinate = 65535;

bool plausibleRect(const RectReply& r)
{
    const auto within = [](int value, int low) { return value >= low && value <= maxCoordinate; };
    return within(r.left, -maxCoordinate) && within(r.top, -maxCoordinate) && within(r.width, 0) &&
           within(r.height, 0);
}

std::optional<bool> says(std::string_view reply, std::string_view word)
{
    if (!readable(reply))
        return std::nullopt;
    return contains(toLower(reply), word);
}

} // namespace

WindowTypes parseWindowTypes(std::string_view idReply)
{
    WindowTypes result;
    if (isRefusal(idReply))
        return result;
    const std::string lower = toLower(idReply);
    std::string_view rest = lower;
    unsigned found = 0;
    for (;;) {
        const auto comp = rest.find("comp");
        const auto rgb = rest.find("rgb");
        if (comp == std::string_view::npos && rgb == std::string_view::npos)
            break;
        const bool video = comp < rgb;
        if (found < DeviceMirror::maxWindows)
            result.types.push_back(video ? InputType::video : InputType::rgb);
        ++found;
        rest.remove_prefix((video ? comp : rgb) + 2);
    }
    if (found >= 1 && found <= DeviceMirror::maxWindows)
        result.count = found;
    return result;
}

std::optional<Stacking> parseStacking(std::string_view reply, unsigned windowCount)
{
    if (!readable(reply))
        return std::nullopt;
    Stacking stacking;
    stacking.listLength = std::max(static_cast<unsigned>(countNumbers(reply, 0)), windowCount);
    NumberCursor numbers(reply, 0);
    const int count = static_cast<int>(std::min(windowCount, DeviceMirror::maxWindows));
    for (int position = 1; position <= count && !numbers.atEnd(); ++position) {
        const int window = numbers.take();
        if (window < 1 || window > count)
            continue;
        stacking.priorities[static_cast<std::size_t>(window - 1)] = position;
        if (position == 1)
            stacking.front = window - 1;
    }
    return stacking;
}

std::optional<std::vector<bool>> parseOnOff(std::string_view reply, unsigned windowCount)
{
    if (!readable(reply))
        return std::nullopt;
    const std::string lower = toLower(reply);
    std::vector<bool> on;
    std::size_t at = 0;
    while (on.size() < windowCount) {
        at = lower.find('o', at);
        if (at == std::string::npos)
            break;
        on.push_back(at + 1 < lower.size() && lower[at + 1] == 'n');
        ++at;
    }
    return on;
}

std::optional<RectReply> parseWindowRect(std::string_view reply)
{
    if (!readable(reply))
        return std::nullopt;
    const int count = countNumbers(reply, 0);
    // Five numbers start with the window number; fewer than four cannot make a rectangle.
    if (count < 4 || count > 5)
        return std::nullopt;
    NumberCursor numbers(reply, 0);
    if (count == 5)
        numbers.skip();
    RectReply rect;
    rect.left = numbers.take();
    rect.top = numbers.take();
    rect.width = numbers.take();
    rect.height = numbers.take();
    return plausibleRect(rect) ? std::optional<RectReply>(rect) : std::nullopt;
}

bool saysNoSuchWindow(std::string_view reply)
{
    return isRefusal(reply) && contains(toLower(reply), "no window");
}

std::optional<InputSize> parseInputSize(std::string_view reply)
{
    if (!readable(reply))
        return std::nullopt;
    if (contains(reply, "RGB"))
        return InputSize{InputType::rgb};
    NumberCursor numbers(reply, 0);
    if (isDigit(reply[0]))
        numbers.skip(); // the window number
    // The width is the first number a video input can be wide; the height follows it.
    int width = 0;
    while (!numbers.atEnd() && !videoWidth(width))
        width = numbers.take();
    if (!videoWidth(width))
        width = 0;
    const int height = width != 0 ? numbers.take() : 0;
    InputSize size;
    size.type = width > 640 && width < 800 ? InputType::wideVideo : InputType::video;
    if (plausibleInputSize(width, height)) {
        size.width = width;
        size.height = height;
    }
    return size;
}

std::optional<int> parseLevel(std::string_view reply)
{
    const auto at = levelPosition(reply);
    return at ? std::optional<int>(integerAt(reply, *at)) : std::nullopt;
}

std::optional<double> parseRealLevel(std::string_view reply)
{
    const auto at = levelPosition(reply);
    return at ? realAt(reply, *at) : std::nullopt;
}

std::optional<bool> parseSwitch(std::string_view reply) { return says(reply, "on"); }

std::optional<bool> parseSvideo(std::string_view reply) { return says(reply, "svideo"); }

} // namespace kivo
