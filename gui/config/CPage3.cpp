#include "gui/config/CPage3.h"

namespace kivo::gui {

CPage3::CPage3(QWidget* parent) : PropertyPage(StringId::serialPortCaption, helpContextId, parent)
{
}

} // namespace kivo::gui
