#include "gui/presentations/PresentationPage.h"

#include "gui/base/CheckedEdit.h"
#include "gui/base/ControlId.h"
#include "gui/base/QtStrings.h"
#include "gui/base/SharedFont.h"
#include "gui/base/WaitCursor.h"
#include "gui/presentations/PresentationPageIds.h"
#include "gui/screen/CanvasWidget.h"

#include "core/base/KeyState.h"
#include "core/base/Prompter.h"
#include "core/panel/PanelSession.h"
#include "core/presentations/CommandScript.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

namespace kivo::gui {
namespace {

namespace ids = presentationPageIds;

constexpr int holdTimeCharacters = 7;
constexpr int playerButtonPadding = 16;
constexpr int infoPointSize = 10;
const QColor infoColour(0, 0, 170);

constexpr std::array<StringId, PresentationPage::windowButtons> windowCaptions{
    StringId::window1Caption,  StringId::window2Caption, StringId::window3Caption,
    StringId::window4Caption,  StringId::window5Caption, StringId::window6Caption,
    StringId::window7Caption,  StringId::window8Caption, StringId::window9Caption,
    StringId::window10Caption,
};

// The player buttons' captions keep their two lines apart with a carriage return.
QString twoLines(StringId caption)
{
    QString text = qtString(caption);
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

CheckedEdit* makeEdit(int id, CheckedEdit::Mode mode, int maxLength, QWidget* parent)
{
    auto* edit = withId(new CheckedEdit(id, mode, parent), id);
    edit->setMaxLength(maxLength);
    return edit;
}

// The list shows `names` with `current` chosen; it is filled again only when they differ, so
// an unchanged list keeps its scroll position.
void showList(QListWidget& list, const std::vector<std::string>& names, int current)
{
    QStringList wanted;
    for (const std::string& name : names)
        wanted << qtText(name);
    QStringList shown;
    for (int row = 0; row < list.count(); ++row)
        shown << list.item(row)->text();
    if (shown != wanted) {
        list.clear();
        list.addItems(wanted);
    }
    if (current >= 0 && current < list.count()) {
        list.setCurrentRow(current);
    } else {
        list.setCurrentRow(-1);
        list.clearSelection();
    }
}

// Puts the panel's text into a box; the box then counts as not typed in.
void showBox(QLineEdit& box, const std::string& text)
{
    const QString wanted = qtText(text);
    if (box.text() != wanted)
        box.setText(wanted);
}

} // namespace

PresentationPage::PresentationPage(PanelSession& session, VirtualScreen& screen, QWidget* parent)
    : PropertyPage(StringId::presentationEngineCaption, helpContextId, parent),
      mirror_(session.mirror()), app_(session.app()), keys_(session.seams().keys),
      prompter_(session.seams().prompter), progressSink_(session.seams().progress),
      store_(session.profile()), display_({session.app(), session.channel(), session.state(),
                                           session.seams().prompter, session.seams().keys},
                                          screen, session.seams().clock),
      player_(store_, display_, session.seams().clock, session.seams().prompter),
      editor_(store_, display_, player_, session.mirror(), session.seams().prompter)
{
    layOut(session, screen);
    player_.setState(PlayerState::building);
    showAll();
    // The player's clock beats as long as the page lives; a tick does nothing unless it plays.
    playerTimer_.setInterval(playerIntervalMs);
    connect(&playerTimer_, &QTimer::timeout, this, &PresentationPage::playerTick);
    playerTimer_.start();
}

void PresentationPage::layOut(PanelSession& session, VirtualScreen& screen)
{
    auto* grid = new QGridLayout(this);
    grid->addWidget(createCanvasGroup(session, screen), 0, 0);
    grid->addWidget(createControlGroup(), 1, 0);
    grid->addLayout(createPresentationColumn(), 0, 1, 2, 1);
    grid->addLayout(createShotColumn(), 0, 2, 2, 1);
    grid->setRowStretch(0, 1);
    grid->setColumnStretch(0, 1);
}

QGroupBox* PresentationPage::createCanvasGroup(PanelSession& session, VirtualScreen& screen)
{
    auto* group = withId(new QGroupBox(this), ids::canvasGroup);
    canvas_ = new CanvasWidget(session, screen, group);
    canvas_->setPlaying([this] { return player_.playing(); });
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(canvas_);
    // A double-click or a drag can switch or restack windows: their buttons follow.
    connect(canvas_, &CanvasWidget::windowsChanged, this, &PresentationPage::showWindowButtons);
    return group;
}

QPushButton* PresentationPage::addPlayerButton(StringId caption, int id, void (Player::*step)())
{
    auto* button = withId(new QPushButton(twoLines(caption), controlGroup_), id);
    button->setAutoDefault(false);
    // Six in a row under the canvas: as narrow as their captions allow, not the style's width.
    button->setMinimumWidth(
        button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width() +
        playerButtonPadding);
    connect(button, &QPushButton::clicked, this, [this, step] { playerStep(step); });
    return button;
}

QGroupBox* PresentationPage::createControlGroup()
{
    controlGroup_ = withId(new QGroupBox(qtString(StringId::presentationControlGroup), this),
                           ids::controlGroup);
    playerButtons_ = {
        addPlayerButton(StringId::rewindCaption, ids::rewind, &Player::rewind),
        addPlayerButton(StringId::previousCaption, ids::previous, &Player::previous),
        addPlayerButton(StringId::pauseCaption, ids::pause, &Player::pause),
        addPlayerButton(StringId::nextCaption, ids::next, &Player::next),
        addPlayerButton(StringId::playCaption, ids::play, &Player::play),
        addPlayerButton(StringId::fastCaption, ids::fast, &Player::fast),
    };
    auto* players = new QHBoxLayout;
    for (QPushButton* button : playerButtonList())
        players->addWidget(button);

    info_ = withId(new QLabel(controlGroup_), ids::info);
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(infoPointSize);
    font.setBold(true);
    font.setItalic(true);
    info_->setFont(font);
    // The state, and below it what the operator should know about the shot shown.
    info_->setWordWrap(true);
    QPalette palette = info_->palette();
    palette.setColor(QPalette::WindowText, infoColour);
    info_->setPalette(palette);

    progressBar_ = withId(new QProgressBar(controlGroup_), ids::progress);
    progressBar_->setRange(0, 100);
    progressBar_->setTextVisible(false);
    // The bar keeps its room while hidden, so the controls below do not jump at Play.
    QSizePolicy kept = progressBar_->sizePolicy();
    kept.setRetainSizeWhenHidden(true);
    progressBar_->setSizePolicy(kept);

    auto* windows = new QHBoxLayout;
    windows->setSpacing(2);
    for (int i = 0; i < windowButtons; ++i) {
        const int number = i + 1;
        auto* button =
            withId(new QPushButton(qtString(windowCaptions.at(static_cast<std::size_t>(i))),
                                   controlGroup_),
                   ids::windowButton(number));
        button->setAutoDefault(false);
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("10d")) +
                                12);
        button->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
        windowButtons_.at(static_cast<std::size_t>(i)) = button;
        windows->addWidget(button);
        connect(button, &QPushButton::clicked, this,
                [this, number] { windowButtonClicked(number); });
    }

    auto* layout = new QVBoxLayout(controlGroup_);
    layout->addLayout(players);
    layout->addWidget(info_);
    layout->addWidget(progressBar_);
    layout->addLayout(windows);
    return controlGroup_;
}

QPushButton* PresentationPage::addButton(StringId caption, int id,
                                         void (PresentationEditor::*step)())
{
    auto* button = withId(new QPushButton(qtString(caption), this), id);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, step] { edit(step); });
    return button;
}

QLayout* PresentationPage::createPresentationColumn()
{
    presentationCount_ = withId(new QLabel(this), ids::presentationCount);
    presentationName_ = makeEdit(ids::presentationName, CheckedEdit::Mode::routed,
                                 static_cast<int>(PresentationStore::maxNameLength), this);
    presentations_ = withId(new QListWidget(this), ids::presentationList);
    renamePresentation_ = addButton(StringId::renamePresentationCaption, ids::renamePresentation,
                                    &PresentationEditor::renamePresentation);
    addPresentation_ = addButton(StringId::addPresentationCaption, ids::addPresentation,
                                 &PresentationEditor::addPresentation);
    copyPresentation_ = addButton(StringId::copyPresentationCaption, ids::copyPresentation,
                                  &PresentationEditor::copyPresentation);
    removePresentation_ = addButton(StringId::removePresentationCaption, ids::removePresentation,
                                    &PresentationEditor::removePresentation);
    loop_ = withId(new QCheckBox(qtString(StringId::loopCaption), this), ids::loop);
    saveAs_ = withId(new QPushButton(qtString(StringId::saveAsInitialCaption), this), ids::saveAs);
    saveAs_->setAutoDefault(false);
    saveAs_->setFont(sharedFont());

    connect(presentationName_, &QLineEdit::textEdited, this, [this](const QString& text) {
        editor_.presentationName = {text.toStdString(), true};
        showEditingButtons();
    });
    connect(presentations_, &QListWidget::currentRowChanged, this,
            &PresentationPage::presentationChosen);
    connect(presentations_, &QListWidget::itemDoubleClicked, this,
            [this] { playerStep(&Player::play); });
    connect(loop_, &QCheckBox::clicked, this, &PresentationPage::loopClicked);
    connect(saveAs_, &QPushButton::clicked, this, &PresentationPage::saveAsClicked);

    auto* buttons = new QGridLayout;
    buttons->addWidget(renamePresentation_, 0, 0);
    buttons->addWidget(addPresentation_, 0, 1);
    buttons->addWidget(copyPresentation_, 1, 0);
    buttons->addWidget(removePresentation_, 1, 1);
    auto* column = new QVBoxLayout;
    column->addWidget(presentationCount_);
    column->addWidget(presentationName_);
    column->addWidget(presentations_, 1);
    column->addLayout(buttons);
    column->addWidget(loop_);
    column->addWidget(saveAs_);
    return column;
}

QLayout* PresentationPage::createShotColumn()
{
    shotCount_ = withId(new QLabel(this), ids::shotCount);
    shotName_ = makeEdit(ids::shotName, CheckedEdit::Mode::routed,
                         static_cast<int>(Shot::maxNameLength), this);
    holdTime_ = makeEdit(ids::holdTime, CheckedEdit::Mode::routedNumber, holdTimeCharacters, this);
    holdTime_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), holdTime_));
    shots_ = withId(new QListWidget(this), ids::shotList);
    renameShot_ =
        addButton(StringId::renameShotCaption, ids::renameShot, &PresentationEditor::renameShot);
    addShot_ = addButton(StringId::addShotCaption, ids::addShot, &PresentationEditor::addShot);
    copyShot_ = addButton(StringId::copyShotCaption, ids::copyShot, &PresentationEditor::copyShot);
    removeShot_ =
        addButton(StringId::removeShotCaption, ids::removeShot, &PresentationEditor::removeShot);
    assign_ = addButton(StringId::assignCaption, ids::assign, &PresentationEditor::assign);
    up_ = addButton(StringId::upCaption, ids::up, &PresentationEditor::moveShotUp);
    down_ = addButton(StringId::downCaption, ids::down, &PresentationEditor::moveShotDown);

    connect(shotName_, &QLineEdit::textEdited, this, [this](const QString& text) {
        editor_.shotName = {text.toStdString(), true};
        showEditingButtons();
    });
    connect(holdTime_, &QLineEdit::textEdited, this,
            [this](const QString& text) { editor_.holdTime = text.toStdString(); });
    connect(shots_, &QListWidget::currentRowChanged, this, &PresentationPage::shotChosen);

    auto* hold = new QHBoxLayout;
    hold->addWidget(holdTime_, 1);
    hold->addWidget(new QLabel(qtString(StringId::holdTimeUnit), this));
    auto* buttons = new QGridLayout;
    buttons->addWidget(renameShot_, 0, 0);
    buttons->addWidget(addShot_, 0, 1);
    buttons->addWidget(copyShot_, 1, 0);
    buttons->addWidget(removeShot_, 1, 1);
    buttons->addWidget(assign_, 2, 0, 1, 2);
    buttons->addWidget(up_, 3, 0);
    buttons->addWidget(down_, 3, 1);
    auto* column = new QVBoxLayout;
    column->addWidget(shotCount_);
    column->addWidget(shotName_);
    column->addLayout(hold);
    column->addWidget(shots_, 1);
    column->addLayout(buttons);
    return column;
}

std::array<QPushButton*, 6> PresentationPage::playerButtonList() const
{
    const PlayerButtonWidgets& b = playerButtons_;
    return {b.rewind, b.previous, b.pause, b.next, b.play, b.fast};
}

bool PresentationPage::presentationIsChosen() const
{
    return store_.currentPresentation >= 0 && store_.currentPresentation < store_.count();
}

bool PresentationPage::shotIsShown() const
{
    return presentationIsChosen() && store_.currentShot >= 0 &&
           store_.currentShot < store_.shotCount(store_.currentPresentation) &&
           player_.state() != PlayerState::noPresentation &&
           player_.state() != PlayerState::building;
}

void PresentationPage::onSetActive()
{
    if (!presentationIsChosen())
        player_.setState(PlayerState::noPresentation);
    else if (store_.currentShot < 0)
        player_.setState(PlayerState::building);
    else
        player_.setState(PlayerState::paused);
    showAll();
}

void PresentationPage::onKillActive()
{
    // Nobody watches a hidden page: what plays stands still where it is.
    if (player_.playing())
        player_.pause();
    showAll();
}

void PresentationPage::clearPresentationLists()
{
    store_.currentPresentation = -1;
    store_.currentShot = -1;
    editor_.presentationName = {};
    editor_.shotName = {};
    editor_.holdTime.clear();
    player_.setState(PlayerState::building);
    filling_ = true;
    presentations_->clear();
    shots_->clear();
    filling_ = false;
}

void PresentationPage::loadPresentations()
{
    store_.load(progressSink_, app_.progressCounter);
    if (!store_.closeGaps())
        prompter_.ask(store_.writeError(), Prompter::Buttons::ok, Prompter::Icon::warning, {});
    showAll();
}

bool PresentationPage::presentationNameCommitted(CheckedEdit& box)
{
    // Tab only moves on.
    if (box.tabPressed())
        return true;
    edit(editor_.buttons().addPresentation ? &PresentationEditor::addPresentation
                                           : &PresentationEditor::renamePresentation);
    return true;
}

bool PresentationPage::shotNameCommitted(CheckedEdit& box)
{
    if (box.tabPressed())
        return true;
    edit(&PresentationEditor::commitShotName);
    return true;
}

bool PresentationPage::holdTimeCommitted(CheckedEdit& box)
{
    if (!box.isModified())
        return true;
    editor_.commitHoldTime();
    const bool refused = editor_.focus == EditorFocus::holdTime;
    box.setModified(false);
    showAll();
    return !refused;
}

void PresentationPage::playerTick()
{
    if (!player_.playing() || acting_)
        return;
    const QScopedValueRollback<bool> acting(acting_, true);
    const int shot = store_.currentShot;
    const PlayerState state = player_.state();
    player_.tick();
    if (store_.currentShot != shot || player_.state() != state) {
        showCurrentShotInBoxes();
        showAll();
    } else {
        showPlayerControls();
    }
}

void PresentationPage::edit(void (PresentationEditor::*step)())
{
    const QScopedValueRollback<bool> acting(acting_, true);
    (editor_.*step)();
    showAll();
}

void PresentationPage::playerStep(void (Player::*step)())
{
    const QScopedValueRollback<bool> acting(acting_, true);
    (player_.*step)();
    showCurrentShotInBoxes();
    showAll();
}

void PresentationPage::presentationChosen(int row)
{
    if (filling_)
        return;
    const QScopedValueRollback<bool> acting(acting_, true);
    editor_.choosePresentation(row);
    showAll();
}

void PresentationPage::shotChosen(int index)
{
    if (filling_)
        return;
    const QScopedValueRollback<bool> acting(acting_, true);
    editor_.chooseShot(index);
    showCurrentShotInBoxes();
    showAll();
}

void PresentationPage::windowButtonClicked(int number)
{
    const QScopedValueRollback<bool> acting(acting_, true);
    display_.toggleWindow(number, keys_.altHeld());
    showAll();
}

void PresentationPage::loopClicked(bool on)
{
    player_.setLoop(on);
    showAll();
}

void PresentationPage::saveAsClicked()
{
    if (!presentationIsChosen()) {
        prompter_.tell(std::string(loadString(StringId::selectPresentationFirst)));
        return;
    }
    const Presentation& presentation = store_.at(store_.currentPresentation);
    const auto fileName = scriptFileName(presentation.name);
    if (!fileName) {
        prompter_.tell(std::string(loadString(StringId::noScriptFileName)));
        return;
    }
    std::error_code error;
    const std::filesystem::path directory = std::filesystem::current_path(error);
    const std::filesystem::path path =
        error ? std::filesystem::path(*fileName) : directory / *fileName;
    const std::string shown = path.string();
    if (prompter_.ask(formatString(StringId::exportQuestion, shown.c_str()),
                      Prompter::Buttons::yesNo, Prompter::Icon::question,
                      {}) != Prompter::Answer::yes)
        return;
    std::string failure;
    {
        const WaitCursor wait;
        failure = writeCommandScript(path, commandScript(presentation, mirror_));
    }
    if (failure.empty())
        prompter_.tell(formatString(StringId::exportDone, shown.c_str()));
    else
        prompter_.ask(formatString(StringId::exportFailed, shown.c_str(), failure.c_str()),
                      Prompter::Buttons::ok, Prompter::Icon::warning, {});
}

// The shot the player stands on or shows: its name and hold time go to the shot boxes.
void PresentationPage::showCurrentShotInBoxes()
{
    if (!shotIsShown())
        return;
    const Shot& shot = store_.shot(store_.currentPresentation, store_.currentShot);
    editor_.shotName = {shot.name, false};
    editor_.holdTime = shot.msecs >= Shot::minMsecs ? std::to_string(shot.msecs) : std::string();
}

void PresentationPage::showAll()
{
    showLists();
    showBoxes();
    showEditingButtons();
    showPlayerControls();
    showWindowButtons();
    canvas_->refresh();
    moveFocus();
}

void PresentationPage::showLists()
{
    filling_ = true;
    std::vector<std::string> names;
    for (int row = 0; row < store_.count(); ++row)
        names.push_back(store_.at(row).name);
    showList(*presentations_, names, store_.currentPresentation);
    std::vector<std::string> shotNames;
    if (presentationIsChosen())
        for (const Shot& shot : store_.at(store_.currentPresentation).shots)
            shotNames.push_back(shot.name);
    showList(*shots_, shotNames, store_.currentShot);
    filling_ = false;
    presentationCount_->setText(qtText(editor_.presentationCountLabel()));
    shotCount_->setText(qtText(editor_.shotCountLabel()));
}

void PresentationPage::showBoxes()
{
    showBox(*presentationName_, editor_.presentationName.text);
    showBox(*shotName_, editor_.shotName.text);
    showBox(*holdTime_, editor_.holdTime);
    saveAs_->setText(qtText(editor_.saveAsCaption()));
    loop_->setChecked(store_.loop());
}

void PresentationPage::showEditingButtons()
{
    const EditorButtons b = editor_.buttons();
    renamePresentation_->setEnabled(b.renamePresentation);
    addPresentation_->setEnabled(b.addPresentation);
    copyPresentation_->setEnabled(b.copyPresentation);
    removePresentation_->setEnabled(b.removePresentation);
    presentationName_->setEnabled(b.presentationName);
    shotName_->setEnabled(b.shotName);
    holdTime_->setEnabled(b.holdTime);
    saveAs_->setEnabled(b.saveAs);
    renameShot_->setEnabled(b.renameShot);
    addShot_->setEnabled(b.addShot);
    copyShot_->setEnabled(b.copyShot);
    removeShot_->setEnabled(b.removeShot);
    assign_->setEnabled(b.assign);
    up_->setEnabled(b.up);
    down_->setEnabled(b.down);
}

void PresentationPage::showPlayerControls()
{
    const auto buttons = playerButtonList();
    QWidget* focused = QApplication::focusWidget();
    const bool playerFocused = std::find(buttons.begin(), buttons.end(), focused) != buttons.end();
    const PlayerButtons b = player_.buttons();
    const PlayerButtonWidgets& w = playerButtons_;
    w.rewind->setEnabled(b.rewind);
    w.previous->setEnabled(b.previous);
    w.pause->setEnabled(b.pause);
    w.next->setEnabled(b.next);
    w.play->setEnabled(b.play);
    w.fast->setEnabled(b.fast);
    // A player button that can no longer be pressed hands the focus to the one that most
    // likely comes next.
    if (playerFocused && !focused->isEnabled()) {
        if (player_.state() == PlayerState::paused)
            (b.play ? w.play : w.rewind)->setFocus();
        else
            w.pause->setFocus();
    }
    const std::string text = infoText();
    info_->setText(qtText(text));
    // A wrapped label asks the layout for one line only; the notes below the state need all
    // of theirs. Its width means something only once the page is laid out and shown.
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    const int wrapped = info_->isVisible() ? info_->heightForWidth(info_->width()) : 0;
    info_->setMinimumHeight(std::max(lines * info_->fontMetrics().lineSpacing(), wrapped));
    progressBar_->setValue(std::clamp(player_.progressPercent(), 0, 100));
    progressBar_->setVisible(player_.state() == PlayerState::playing);
}

std::string PresentationPage::infoText() const
{
    std::string text = player_.infoText();
    const std::string shotNotes = shotIsShown() ? display_.notes() : std::string();
    for (const std::string& note : {shotNotes, store_.ignoredNote()})
        if (!note.empty())
            text += "\n" + note;
    return text;
}

void PresentationPage::showWindowButtons()
{
    const int count = static_cast<int>(std::min(mirror_.windowCount, DeviceMirror::maxWindows));
    for (int number = 1; number <= windowButtons; ++number) {
        QPushButton* button = windowButtons_.at(static_cast<std::size_t>(number - 1));
        button->setVisible(number <= count);
        button->setEnabled(!player_.playing());
        // Until the device has been read, the labels would describe windows nobody knows.
        if (app_.idle)
            button->setText(qtText(display_.buttonLabel(number)));
    }
    if (app_.idle)
        controlGroup_->setTitle(qtText(display_.groupTitle()));
}

void PresentationPage::moveFocus()
{
    QWidget* target = nullptr;
    switch (editor_.focus) {
    case EditorFocus::unchanged:
        return;
    case EditorFocus::presentationName:
        target = presentationName_;
        break;
    case EditorFocus::presentationList:
        target = presentations_;
        break;
    case EditorFocus::shotName:
        target = shotName_;
        break;
    case EditorFocus::shotList:
        target = shots_;
        break;
    case EditorFocus::holdTime:
        target = holdTime_;
        break;
    case EditorFocus::upButton:
        target = up_;
        break;
    case EditorFocus::downButton:
        target = down_;
        break;
    }
    editor_.focus = EditorFocus::unchanged;
    target->setFocus();
    // A name box is focused to be typed over.
    if (auto* box = qobject_cast<QLineEdit*>(target))
        box->selectAll();
}

} // namespace kivo::gui
