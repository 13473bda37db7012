#pragma once

class QButtonGroup;

namespace kivo::gui {

// Checks the button of `index` in the group, or none when no button stands for the index
// (a value the device reported that the page has no button for).
void showChoice(QButtonGroup& group, int index);

} // namespace kivo::gui
