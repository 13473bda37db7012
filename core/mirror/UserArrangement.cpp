#include "core/mirror/UserArrangement.h"

#include "core/protocol/NumberCursor.h"
#include "core/protocol/NumberScan.h"
#include "core/settings/Profile.h"

#include <algorithm>

namespace kivo {
namespace {

// Far beyond any canvas, yet small enough that no sum of two coordinates overflows.
constexpr int coordinateLimit = 1 << 16;

std::string section(int number) { return "CUSTOM" + std::to_string(number); }

std::string key(char prefix, int window) { return prefix + std::to_string(window); }

void readRect(const std::string& text, Rect& rect)
{
    NumberCursor numbers(text, 0);
    for (int* edge : {&rect.left, &rect.top, &rect.right, &rect.bottom})
        *edge = std::clamp(numbers.take(*edge), -coordinateLimit, coordinateLimit);
}

} // namespace

void UserArrangement::read(const Profile& profile, int number, unsigned windowCount)
{
    const std::string name = section(number);
    set = integerAt(profile.readString(name, "Set", "0"), 0) != 0;
    if (!set)
        return;
    const int windows = static_cast<int>(std::min<unsigned>(windowCount, 10));
    for (int window = 1; window <= windows; ++window) {
        const std::size_t slot = static_cast<std::size_t>(window - 1);
        readRect(profile.readString(name, key('r', window)), rects[slot]);
        const int place = integerAt(profile.readString(name, key('p', window), "0"), 0);
        priorities[slot] = place >= 0 && place <= 10 ? place : 0;
    }
    description = profile.readString(name, "desc");
}

bool UserArrangement::write(Profile& profile, int number, unsigned windowCount) const
{
    std::vector<Profile::Entry> entries{{"Set", "1"}};
    const int windows = static_cast<int>(std::min<unsigned>(windowCount, 10));
    for (int window = 1; window <= windows; ++window) {
        const std::size_t slot = static_cast<std::size_t>(window - 1);
        const Rect& r = rects[slot];
        entries.emplace_back(key('r', window),
                             std::to_string(r.left) + " " + std::to_string(r.top) + " " +
                                 std::to_string(r.right) + " " + std::to_string(r.bottom));
        entries.emplace_back(key('p', window), std::to_string(priorities[slot]));
    }
    // One write: a stored arrangement is never half old, half new.
    return profile.writeStrings(section(number), entries);
}

bool UserArrangement::writeName(Profile& profile, int number) const
{
    return profile.writeString(section(number), "desc", description);
}

} // namespace kivo
