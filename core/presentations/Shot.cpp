#include "core/presentations/Shot.h"

#include "core/base/Text.h"
#include "core/protocol/NumberCursor.h"
#include "core/protocol/NumberScan.h"

#include <algorithm>

namespace kivo {
namespace {

constexpr std::size_t shortestShotLine = 3;
// Far beyond any canvas, yet small enough that no sum of two coordinates overflows.
constexpr int coordinateLimit = 1 << 16;

std::string_view nameOf(std::string_view line)
{
    std::size_t at = 0;
    while (at < line.size() && isDigit(line[at]))
        ++at;
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
        ++at;
    const std::size_t end = line.find(Shot::shotNameDelimiter, at);
    return end == std::string_view::npos ? std::string_view{} : line.substr(at, end - at);
}

void readWindows(std::string_view line, Shot& shot)
{
    const std::size_t delimiter = line.find(Shot::shotNameDelimiter);
    if (delimiter == std::string_view::npos)
        return;
    NumberCursor numbers(line, delimiter);
    for (int place = 1; place <= Shot::windows && !numbers.atEnd(); ++place) {
        const int window = numbers.take();
        if (window < 1 || window > Shot::windows)
            continue;
        const std::size_t slot = static_cast<std::size_t>(window - 1);
        Rect r;
        for (int* edge : {&r.left, &r.top, &r.right, &r.bottom})
            *edge = std::clamp(numbers.take(0), -coordinateLimit, coordinateLimit);
        shot.priority[slot] = place;
        shot.rect[slot] = r.normalized();
    }
}

} // namespace

std::string formatShotLine(const Shot& shot)
{
    std::string line = std::to_string(shot.msecs) + " " + shot.name + Shot::shotNameDelimiter;
    for (int place = 1; place <= Shot::windows; ++place) {
        const auto at = std::find(shot.priority.begin(), shot.priority.end(), place);
        if (at == shot.priority.end())
            continue;
        const std::size_t slot = static_cast<std::size_t>(at - shot.priority.begin());
        const Rect& r = shot.rect[slot];
        for (int value : {static_cast<int>(slot) + 1, r.left, r.top, r.right, r.bottom})
            line += " " + std::to_string(value);
    }
    return line;
}

std::optional<Shot> parseShotLine(std::string_view line)
{
    if (line.size() < shortestShotLine)
        return std::nullopt;
    const int msecs = integerAt(line, 0);
    if (msecs < 0)
        return std::nullopt;
    Shot shot;
    shot.msecs = Shot::validMsecs(msecs) ? msecs : Shot::fallbackMsecs;
    shot.name = std::string(firstCharacters(nameOf(line), Shot::maxNameLength));
    readWindows(line, shot);
    return shot;
}

} // namespace kivo
