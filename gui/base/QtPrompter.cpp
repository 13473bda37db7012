#include "gui/base/QtPrompter.h"

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
    return show(text, buttons, icon, title, false);
}

Prompter::Answer QtPrompter::askDefaultNo(const std::string& text, Icon icon,
                                          const std::string& title)
{
    return show(text, Buttons::yesNo, icon, title, true);
}

Prompter::Answer QtPrompter::show(const std::string& text, Buttons buttons, Icon icon,
                                  const std::string& title, bool noByDefault)
{
    QMessageBox box(boxIcon(icon), title.empty() ? defaultTitle_ : QString::fromStdString(title),
                    QString::fromStdString(text), standardButtons(buttons),
                    QApplication::activeWindow());
    if (noByDefault)
        box.setDefaultButton(QMessageBox::No);
    // A question put while the device is busy is answered with the ordinary pointer.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    QApplication::restoreOverrideCursor();
    // A box closed without a button (the panel is ending) declines whatever it asked.
    if (!box.clickedButton() && buttons != Buttons::ok)
        return buttons == Buttons::yesNo ? Answer::no : Answer::cancel;
    return answerOf(answer);
}

} // namespace kivo::gui
