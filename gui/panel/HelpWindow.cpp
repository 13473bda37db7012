#include "gui/panel/HelpWindow.h"

#include "gui/base/QtStrings.h"

#include <QTextBrowser>
#include <QVBoxLayout>

namespace kivo::gui {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser(this))
{
    setWindowTitle(qtString(StringId::helpWindowTitle));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    resize(520, 420);
}

QString HelpWindow::topicPath(int context)
{
    return QStringLiteral("qrc:/help/topic%1.html").arg(context);
}

void HelpWindow::showTopic(int context)
{
    browser_->setSource(QUrl(topicPath(context)));
    show();
    raise();
    activateWindow();
}

} // namespace kivo::gui
