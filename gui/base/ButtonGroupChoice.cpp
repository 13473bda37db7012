#include "gui/base/ButtonGroupChoice.h"

#include <QAbstractButton>
#include <QButtonGroup>

namespace kivo::gui {

void showChoice(QButtonGroup& group, int index)
{
    if (QAbstractButton* button = group.button(index)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; it lets go only while not exclusive.
    group.setExclusive(false);
    for (QAbstractButton* button : group.buttons())
        button->setChecked(false);
    group.setExclusive(true);
}

} // namespace kivo::gui
