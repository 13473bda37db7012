#include "gui/presentations/CPage5.h"

namespace kivo::gui {

CPage5::CPage5(QWidget* parent)
    : PropertyPage(StringId::presentationEngineCaption, helpContextId, parent)
{
}

} // namespace kivo::gui
