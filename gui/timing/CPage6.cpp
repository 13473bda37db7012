#include "CPage6.h"

namespace kivo::gui {

CPage6::CPage6(QWidget* parent) : PropertyPage(StringId::quadrixInputsCaption, helpContextId, parent) {}

} // namespace kivo::gui
