#include "gui/app/QtPrompter.h"

#include <QApplication>
#include <QMessageBox>

namespace kivo::gui {
namespace {

QMessageBox::StandardButtons standardButtons(Prompter::Buttons buttons)
{
    switch (buttons) {
    case Prompter::Buttons::okCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Prompter::Buttons::yesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Prompter::Buttons::ok:
        break;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon boxIcon(Prompter::Icon icon)
{
    switch (icon) {
    case Prompter::Icon::warning:
        return QMessageBox::Warning;
    case Prompter::Icon::error:
        return QMessageBox::Critical;
    case Prompter::Icon::question:
        return QMessageBox::Question;
    case Prompter::Icon::information:
        break;
    }
    return QMessageBox::Information;
}

Prompter::Answer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Cancel:
        return Prompter::Answer::cancel;
    case QMessageBox::Yes:
        return Prompter::Answer::yes;
    case QMessageBox::No:
        return Prompter::Answer::no;
    default:
        return Prompter::Answer::ok;
    }
}

} // namespace

QtPrompter::QtPrompter(QString defaultTitle) : defaultTitle_(std::move(defaultTitle)) {}

Prompter::Answer QtPrompter::ask(const std::string& text, Buttons buttons, Icon icon,
                                 const std::string& title)
{
    QMessageBox box(boxIcon(icon), title.empty() ? defaultTitle_ : QString::fromStdString(title),
                    QString::fromStdString(text), standardButtons(buttons),
                    QApplication::activeWindow());
    return answerOf(box.exec());
}

} // namespace kivo::gui
