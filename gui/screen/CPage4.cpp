#include "gui/screen/CPage4.h"

namespace kivo::gui {

CPage4::CPage4(QWidget* parent)
    : PropertyPage(StringId::virtualScreenCaption, helpContextId, parent)
{
}

} // namespace kivo::gui
