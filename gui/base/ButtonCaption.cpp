#include "gui/base/ButtonCaption.h"

#include <QAbstractButton>

namespace kivo::gui {

void ButtonCaption::setCaption(const std::string& caption)
{
    button_.setText(QString::fromStdString(caption));
}

} // namespace kivo::gui
