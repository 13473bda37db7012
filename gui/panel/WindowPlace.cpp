#include "gui/panel/WindowPlace.h"

#include "core/settings/Profile.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace kivo::gui {
namespace {

const std::string placeSection = "WINDOW";
constexpr const char* placeKeys[] = {"left", "top", "width", "height"};

std::optional<int> readNumber(const Profile& profile, const char* key)
{
    const std::string text = profile.readString(placeSection, key);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

QRect fitInto(QRect place, const QRect& area)
{
    place.setSize(place.size().boundedTo(area.size()));
    place.moveLeft(std::clamp(place.left(), area.left(), area.right() + 1 - place.width()));
    place.moveTop(std::clamp(place.top(), area.top(), area.bottom() + 1 - place.height()));
    return place;
}

} // namespace

QRect windowPlace(const std::optional<QRect>& saved, QSize defaultSize, const QList<QRect>& screens,
                  const QRect& home)
{
    if (saved) {
        const auto holds = [&](const QRect& area) { return area.contains(saved->center()); };
        if (const auto screen = std::find_if(screens.begin(), screens.end(), holds);
            screen != screens.end())
            return fitInto(*saved, *screen);
    }
    QRect place(QPoint(), defaultSize.boundedTo(home.size()));
    place.moveCenter(home.center());
    return fitInto(place, home);
}

std::optional<QRect> readWindowPlace(const Profile& profile)
{
    int values[4] = {};
    for (int i = 0; i < 4; ++i) {
        const std::optional<int> value = readNumber(profile, placeKeys[i]);
        if (!value)
            return std::nullopt;
        values[i] = *value;
    }
    if (values[2] <= 0 || values[3] <= 0)
        return std::nullopt;
    return QRect(values[0], values[1], values[2], values[3]);
}

bool writeWindowPlace(Profile& profile, const QRect& place)
{
    const int values[4] = {place.left(), place.top(), place.width(), place.height()};
    std::vector<Profile::Entry> entries;
    for (int i = 0; i < 4; ++i)
        entries.emplace_back(placeKeys[i], std::to_string(values[i]));
    return profile.writeStrings(placeSection, entries);
}

} // namespace kivo::gui
