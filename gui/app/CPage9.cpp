#include "gui/app/CPage9.h"

#include "gui/app/QtStrings.h"
#include "gui/app/SharedFont.h"
#include "gui/app/TerminalEdit.h"

#include "core/app/CommandChannel.h"
#include "core/app/PanelApp.h"
#include "core/app/TerminalText.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

namespace kivo::gui {
namespace {

constexpr int progressBarId = 1210;
constexpr int progressLabelId = 1211;
constexpr int abortHintId = 1212;
// A typed line is fetched into a buffer of this size; anything longer is cut.
constexpr int lineBufferSize = 250;
const QColor progressColour(0, 0, 128);
const QColor abortHintColour(128, 0, 128);

// The page was laid out in dialog units; these are their pixels at the panel's font.
QRect dialogUnits(int x, int y, int width, int height)
{
    return {x * 3 / 2, y * 13 / 8, width * 3 / 2, height * 13 / 8};
}

QLabel* makeBanner(int id, const QColor& colour, bool italic, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setProperty("controlId", id);
    label->setFont(bannerFont(italic));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

// The widget keeps plain line feeds; the channel's copy of the text breaks lines with "\r\r\n".
QString toWidgetText(const std::string& text)
{
    QString widgetText = QString::fromStdString(text);
    widgetText.remove(QLatin1Char('\r'));
    return widgetText;
}

std::string fromWidgetText(const QString& text) { return toDisplayLineBreaks(text.toStdString()); }

} // namespace

CPage9::CPage9(PanelApp& app, CommandChannel& channel, QWidget* parent)
    : PropertyPage(StringId::terminalCaption, helpContextId, parent), app_(app), channel_(channel),
      edit_(new TerminalEdit(editId, this))
{
    createProgressControls();
    edit_->setFont(sharedFont());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->addWidget(edit_);
    connect(edit_, &QPlainTextEdit::textChanged, this, &CPage9::textEdited);
    ready_ = true;
    // The first bring-up shows the text again when it ends.
    showBringUpProgress(true);
    edit_->setFocus();
}

void CPage9::createProgressControls()
{
    progressBar_ = new QProgressBar(this);
    progressBar_->setProperty("controlId", progressBarId);
    progressBar_->setRange(0, 100);
    progressBar_->setValue(0);
    progressBar_->setTextVisible(false);
    progressBar_->setGeometry(dialogUnits(6, 126, 405, 13));
    progressLabel_ = makeBanner(progressLabelId, progressColour, true, this);
    progressLabel_->setText(qtString(StringId::establishingConnection));
    progressLabel_->setGeometry(dialogUnits(12, 109, 401, 14));
    abortHint_ = makeBanner(abortHintId, abortHintColour, false, this);
    abortHint_->setText(qtString(StringId::abortHint));
    abortHint_->setGeometry(dialogUnits(9, 181, 406, 17));
}

void CPage9::showBringUpProgress(bool shown)
{
    edit_->setVisible(!shown);
    progressBar_->setVisible(shown);
    progressLabel_->setVisible(shown);
    abortHint_->setVisible(shown);
    if (!shown)
        edit_->setFocus();
}

void CPage9::showAbortHint(const std::string& text)
{
    abortHint_->setText(QString::fromStdString(text));
}

void CPage9::onSetActive()
{
    app_.terminalActive = true;
    lineCount_ = edit_->lineCount();
    ensurePrompt();
}

void CPage9::onKillActive() { app_.terminalActive = false; }

void CPage9::textEdited()
{
    if (!ready_)
        return;
    ready_ = false;
    const int lines = edit_->lineCount();
    if (lines != lineCount_) {
        // A new line means the operator pressed Enter: the line just finished goes out.
        if (lines > lineCount_)
            sendFinishedLine();
        lineCount_ = edit_->lineCount();
        ensurePrompt();
    }
    textLength_ = static_cast<int>(edit_->toPlainText().size());
    ready_ = true;
}

void CPage9::sendFinishedLine()
{
    const QString line = edit_->line(lineCount_ - 1).left(lineBufferSize - 1);
    if (line.contains(qtString(StringId::moreMarker)))
        channel_.sendCommand("\n"); // the device prints its next page
    else
        channel_.sendCommand(line.toStdString());
    channel_.ReadCommForTerm();
}

void CPage9::ensurePrompt()
{
    const QString last = edit_->lastLine();
    if (last.contains(qtString(StringId::prompt)) ||
        last.contains(qtString(StringId::moreMarker)) || edit_->lineCount() <= 1)
        return;
    edit_->moveCaretToEnd();
    edit_->insertPlainText(qtString(StringId::prompt));
}

void CPage9::appendText(const std::string& text)
{
    edit_->moveCaretToEnd();
    edit_->insertPlainText(toWidgetText(text));
    edit_->ensureCursorVisible();
    // Replies should show as they arrive, not when the whole exchange is over.
    edit_->repaint();
}

std::string CPage9::text() const { return fromWidgetText(edit_->toPlainText()); }

void CPage9::setText(const std::string& text, std::size_t caret)
{
    const bool wasReady = ready_;
    ready_ = false;
    edit_->setPlainText(toWidgetText(text));
    // The caret counts the channel's characters; the widget has no carriage returns.
    const auto carriageReturns =
        std::count(text.begin(), text.begin() + std::min(caret, text.size()), '\r');
    QTextCursor cursor = edit_->textCursor();
    cursor.setPosition(static_cast<int>(std::min(caret, text.size()) - carriageReturns));
    edit_->setTextCursor(cursor);
    edit_->ensureCursorVisible();
    lineCount_ = edit_->lineCount();
    textLength_ = static_cast<int>(edit_->toPlainText().size());
    ready_ = wasReady;
}

void CPage9::stepProgress()
{
    setProgressPosition(std::min(progressBar_->value() + progressStep_, progressBar_->maximum()));
}

void CPage9::setProgressPosition(int position)
{
    progressBar_->setValue(position);
    progressBar_->repaint();
}

void CPage9::setProgressStep(int step) { progressStep_ = step; }

void CPage9::showProgressText(const std::string& text)
{
    progressLabel_->setText(QString::fromStdString(text));
    // The bring-up holds the event loop; the label must change while it runs.
    progressLabel_->repaint();
}

} // namespace kivo::gui
