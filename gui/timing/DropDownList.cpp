#include "gui/timing/DropDownList.h"

namespace kivo::gui {

void DropDownList::showPopup()
{
    Q_EMIT droppedDown();
    QComboBox::showPopup();
}

void DropDownList::hidePopup()
{
    QComboBox::hidePopup();
    Q_EMIT closedUp();
}

} // namespace kivo::gui
