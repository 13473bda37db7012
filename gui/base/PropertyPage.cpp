#include "gui/base/PropertyPage.h"

#include "gui/base/QtStrings.h"

namespace kivo::gui {

PropertyPage::PropertyPage(StringId caption, int helpContext, QWidget* parent)
    : QWidget(parent), caption_(qtString(caption)), helpContext_(helpContext)
{
}

} // namespace kivo::gui
