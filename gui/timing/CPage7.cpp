#include "CPage7.h"

namespace kivo::gui {

CPage7::CPage7(QWidget* parent) : PropertyPage(StringId::quadrixOutputCaption, helpContextId, parent) {}

} // namespace kivo::gui
