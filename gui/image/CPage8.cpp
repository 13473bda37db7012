#include "gui/image/CPage8.h"

namespace kivo::gui {

CPage8::CPage8(QWidget* parent)
    : PropertyPage(StringId::imageControlsCaption, helpContextId, parent)
{
}

} // namespace kivo::gui
