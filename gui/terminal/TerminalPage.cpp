#include "gui/terminal/TerminalPage.h"

#include "gui/base/ControlId.h"
#include "gui/base/QtStrings.h"
#include "gui/base/SharedFont.h"
#include "gui/terminal/TerminalEdit.h"
#include "gui/terminal/TerminalPageIds.h"

#include "core/base/Prompter.h"
#include "core/link/PanelApp.h"
#include "core/panel/PanelSession.h"
#include "core/terminal/TerminalConsole.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace kivo::gui {
namespace {

namespace ids = terminalPageIds;

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
    withId(label, id);
    label->setFont(bannerFont(italic));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

// The widget keeps plain line feeds; the model breaks lines with "\r\r\n".
QString toWidgetText(std::string_view text)
{
    QString widgetText = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    widgetText.remove(QLatin1Char('\r'));
    return widgetText;
}

} // namespace

TerminalPage::TerminalPage(PanelSession& session, QWidget* parent)
    : PropertyPage(StringId::terminalCaption, helpContextId, parent), model_(session.terminal()),
      console_(session.console()), trace_(session.app().trace), prompter_(session.seams().prompter),
      edit_(new TerminalEdit(ids::edit, this))
{
    createProgressControls();
    edit_->setFont(sharedFont());
    // The progress controls stand where the text was; the trace box stays at the foot.
    QSizePolicy keepPlace = edit_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    edit_->setSizePolicy(keepPlace);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->addWidget(edit_, 1);
    layout->addWidget(createTraceBox());
    connectEdit();
    model_.setView(this);
    textReplaced();
    // The first bring-up shows the text again when it ends.
    showBringUpProgress(true);
    edit_->setFocus();
}

TerminalPage::~TerminalPage()
{
    model_.setView(nullptr);
    trace_.setFailureHandler({});
}

QCheckBox* TerminalPage::createTraceBox()
{
    traceBox_ = new QCheckBox(qtString(StringId::traceCaption), this);
    traceBox_->setObjectName(QStringLiteral("trace"));
    chooseTraceFile = [this] {
        // The box's caption without its mnemonic, which a title cannot use.
        const QString title = qtString(StringId::traceCaption).remove(QLatin1Char('&'));
        return QFileDialog::getSaveFileName(this, title, QStringLiteral("Kivo-trace.txt"));
    };
    connect(traceBox_, &QCheckBox::clicked, this, &TerminalPage::traceToggled);
    // A trace that cannot be written (a full disk) is said once, after the exchange under way.
    trace_.setFailureHandler([this](const std::string& why) {
        QTimer::singleShot(0, this, [this, why] {
            prompter_.tell(why);
            showTraceState();
        });
    });
    return traceBox_;
}

void TerminalPage::traceToggled(bool on)
{
    if (!on) {
        trace_.stop();
    } else if (const QString path = chooseTraceFile(); !path.isEmpty()) {
        if (std::string error; !trace_.start(path.toStdString(), error))
            prompter_.tell(error);
    }
    showTraceState();
}

void TerminalPage::showTraceState()
{
    traceBox_->setChecked(trace_.isOn());
    traceBox_->setToolTip(QString::fromStdString(trace_.path()));
}

void TerminalPage::connectEdit()
{
    connect(edit_, &TerminalEdit::typed, this,
            [this](const QString& text) { console_.type(text.toStdString()); });
    connect(edit_, &TerminalEdit::erased, this, [this] { console_.erase(); });
    connect(edit_, &TerminalEdit::entered, this, [this] { console_.enter(); });
    connect(edit_, &TerminalEdit::pasted, this,
            [this](const QString& text) { console_.paste(text.toStdString()); });
}

void TerminalPage::createProgressControls()
{
    progressBar_ = new QProgressBar(this);
    withId(progressBar_, ids::progressBar);
    progressBar_->setRange(0, 100);
    progressBar_->setValue(0);
    progressBar_->setTextVisible(false);
    progressBar_->setGeometry(dialogUnits(6, 126, 405, 13));
    progressLabel_ = makeBanner(ids::progressLabel, progressColour, true, this);
    progressLabel_->setText(qtString(StringId::establishingConnection));
    progressLabel_->setGeometry(dialogUnits(12, 109, 401, 14));
    abortHint_ = makeBanner(ids::abortHint, abortHintColour, false, this);
    abortHint_->setText(qtString(StringId::abortHint));
    abortHint_->setGeometry(dialogUnits(9, 181, 406, 17));
}

void TerminalPage::showBringUpProgress(bool shown)
{
    edit_->setVisible(!shown);
    progressBar_->setVisible(shown);
    progressLabel_->setVisible(shown);
    abortHint_->setVisible(shown);
    if (!shown)
        edit_->setFocus();
}

void TerminalPage::showAbortHint(const std::string& text)
{
    abortHint_->setText(QString::fromStdString(text));
}

void TerminalPage::onSetActive()
{
    showTraceState();
    model_.terminalActive = true;
    model_.ensurePrompt();
}

void TerminalPage::onKillActive() { model_.terminalActive = false; }

void TerminalPage::textAppended(std::string_view added)
{
    edit_->moveCaretToEnd();
    edit_->insertPlainText(toWidgetText(added));
    edit_->ensureCursorVisible();
    // Replies should show as they arrive, not when the whole exchange is over.
    edit_->repaint();
}

void TerminalPage::textReplaced()
{
    edit_->setPlainText(toWidgetText(model_.text()));
    edit_->moveCaretToEnd();
    edit_->repaint();
}

void TerminalPage::stepProgress()
{
    setProgressPosition(std::min(progressBar_->value() + progressStep_, progressBar_->maximum()));
}

void TerminalPage::setProgressPosition(int position)
{
    progressBar_->setValue(position);
    progressBar_->repaint();
}

void TerminalPage::setProgressStep(int step) { progressStep_ = step; }

void TerminalPage::showProgressText(const std::string& text)
{
    progressLabel_->setText(QString::fromStdString(text));
    // The bring-up holds the event loop; the label must change while it runs.
    progressLabel_->repaint();
}

} // namespace kivo::gui
