#include "gui/base/LineEditControl.h"

#include <QLineEdit>

namespace kivo::gui {

std::string LineEditControl::text() const { return edit_.text().toStdString(); }

void LineEditControl::replaceText(const std::string& text)
{
    edit_.selectAll();
    edit_.insert(QString::fromStdString(text));
}

void LineEditControl::selectAll() { edit_.selectAll(); }

bool LineEditControl::isModified() const { return edit_.isModified(); }

void LineEditControl::clearModified() { edit_.setModified(false); }

void LineEditControl::takeFocus() { edit_.setFocus(); }

} // namespace kivo::gui
