#pragma once

#include <QList>
#include <QRect>

#include <optional>

namespace kivo {
class Profile;
}

namespace kivo::gui {

// Where the main window opens, in the screens' coordinates. A saved place is kept when its
// centre lies on one of the screens' available areas; a place off every screen (a monitor that
// has gone) is ignored and the window opens at `defaultSize` in the middle of `home`. Either
// way the window is cut to fit its screen and moved onto it whole.
QRect windowPlace(const std::optional<QRect>& saved, QSize defaultSize, const QList<QRect>& screens,
                  const QRect& home);

// The place the window had when it last closed, from the ini file; none when it was never
// saved or is not four numbers with a size above 0.
std::optional<QRect> readWindowPlace(const Profile& profile);
bool writeWindowPlace(Profile& profile, const QRect& place);

} // namespace kivo::gui
