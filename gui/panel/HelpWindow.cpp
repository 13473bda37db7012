#include "gui/panel/HelpWindow.h"

#include "gui/base/QtStrings.h"
#include "gui/image/ImageControlsPage.h"
#include "gui/inputs/InputsPage.h"
#include "gui/output/OutputPage.h"
#include "gui/presentations/PresentationPage.h"
#include "gui/screen/VirtualScreenPage.h"
#include "gui/serial/SerialPortPage.h"
#include "gui/terminal/TerminalPage.h"

#include <QTextBrowser>
#include <QVBoxLayout>

#include <array>

namespace kivo::gui {
namespace {

// Each page asks for help by its context number; its topic is the file named after it.
struct HelpTopic {
    int context;
    const char* file;
};
constexpr std::array<HelpTopic, 7> helpTopics{{
    {VirtualScreenPage::helpContextId, "virtual-screen.html"},
    {PresentationPage::helpContextId, "presentation.html"},
    {ImageControlsPage::helpContextId, "image-controls.html"},
    {OutputPage::helpContextId, "output.html"},
    {InputsPage::helpContextId, "inputs.html"},
    {SerialPortPage::helpContextId, "serial-port.html"},
    {TerminalPage::helpContextId, "terminal.html"},
}};

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser(this))
{
    setWindowTitle(qtString(StringId::helpWindowTitle));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    resize(520, 420);
}

QString HelpWindow::topicPath(int context)
{
    for (const HelpTopic& topic : helpTopics)
        if (topic.context == context)
            return QStringLiteral("qrc:/help/") + QString::fromLatin1(topic.file);
    return {};
}

void HelpWindow::showTopic(int context)
{
    browser_->setSource(QUrl(topicPath(context)));
    show();
    raise();
    activateWindow();
}

} // namespace kivo::gui
