#pragma once

#include <QFont>

namespace kivo::gui {

// The panel's fixed-pitch text font ("Courier", 12 pixels, normal weight); where Courier is
// missing, the type-writer hint picks another fixed-pitch face so columns still line up.
QFont sharedFont();

// The big "Courier" 20 bold of the bring-up labels.
QFont bannerFont(bool italic);

} // namespace kivo::gui
