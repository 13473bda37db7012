#include "gui/app/PropertyPage.h"

#include "gui/app/QtStrings.h"

namespace kivo::gui {

PropertyPage::PropertyPage(StringId caption, int helpContext, QWidget* parent)
    : QWidget(parent), caption_(qtString(caption)), helpContext_(helpContext)
{
}

} // namespace kivo::gui
