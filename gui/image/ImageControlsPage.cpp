#include "gui/image/ImageControlsPage.h"

#include "gui/base/ArrowPicture.h"
#include "gui/base/CheckedEdit.h"
#include "gui/base/ControlId.h"
#include "gui/base/LineEditControl.h"
#include "gui/base/QtStrings.h"
#include "gui/base/SharedFont.h"
#include "gui/base/SliderControl.h"
#include "gui/base/WaitCursor.h"
#include "gui/image/AutoRepeatButton.h"
#include "gui/image/ImageControlsPageIds.h"

#include "core/base/Prompter.h"
#include "core/panel/PanelSession.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace kivo::gui {
namespace {

namespace ids = imageControlsPageIds;

constexpr int sourceBoxCharacters = 20;
constexpr int levelEditWidthCharacters = 8;
const QSize arrowIconSize(18, 18);

// A zoom or pan button: its control and where it sits in the group's cross of arrows, with
// In and Out in the column beside it.
struct ZoomButton {
    ZoomKind kind;
    int id;
    int row;
    int column;
    StringId caption;
};
constexpr std::array<ZoomButton, zoomKindCount> zoomButtonTable{{
    {ZoomKind::in, ids::zoomIn, 0, 3, StringId::zoomInCaption},
    {ZoomKind::out, ids::zoomOut, 2, 3, StringId::zoomOutCaption},
    {ZoomKind::left, ids::panLeft, 1, 0, StringId::panLeftName},
    {ZoomKind::right, ids::panRight, 1, 2, StringId::panRightName},
    {ZoomKind::up, ids::panUp, 0, 1, StringId::panUpName},
    {ZoomKind::down, ids::panDown, 2, 1, StringId::panDownName},
}};

// A level's trackbar and edit.
struct LevelIds {
    int slider;
    int edit;
    int editCharacters;
};
constexpr std::array<LevelIds, allLevels.size()> levelIds{{
    {ids::brightnessSlider, ids::brightnessEdit, 4},
    {ids::contrastSlider, ids::contrastEdit, 3},
    {ids::colourSlider, ids::colourEdit, 4},
    {ids::saturationSlider, ids::saturationEdit, 3},
    {ids::gammaSlider, ids::gammaEdit, 4},
}};

std::size_t slot(Level level) { return static_cast<std::size_t>(level); }
std::size_t slot(ZoomKind kind) { return static_cast<std::size_t>(kind) - 1; }

bool isPan(ZoomKind kind) { return kind != ZoomKind::in && kind != ZoomKind::out; }

} // namespace

ImageControlsPage::ImageControlsPage(PanelSession& session, VirtualScreen& screen, QWidget* parent)
    : PropertyPage(StringId::imageControlsCaption, helpContextId, parent),
      prompter_(session.seams().prompter), controls_(session, screen)
{
    layOut();
    deferredTimer_.setObjectName(QStringLiteral("timer%1").arg(deferredTimerId));
    deferredTimer_.setSingleShot(true);
    deferredTimer_.setInterval(ImageControls::deferredRefreshMs);
    connect(&deferredTimer_, &QTimer::timeout, this, &ImageControlsPage::deferredTick);
    drawAll();
}

void ImageControlsPage::layOut()
{
    auto* middle = new QVBoxLayout;
    middle->addWidget(createZoomGroup());
    middle->addWidget(
        createSourceGroup(StringId::sourceRectangleGroup, ids::sourceBox, sourceBox_));
    middle->addWidget(
        createSourceGroup(StringId::fullSourceRectangleGroup, ids::fullSourceBox, fullSourceBox_));
    auto* restoreSize =
        createButton(StringId::restoreInitialSizeCaption, ids::restoreInitialSize, this);
    middle->addWidget(restoreSize);
    middle->addStretch(1);
    connect(restoreSize, &QPushButton::clicked, this,
            [this] { act([this] { controls_.restoreInitialSize(); }); });

    auto* right = new QVBoxLayout;
    for (Level level : allLevels)
        right->addWidget(createLevelGroup(level));
    right->addLayout(createLevelButtons());
    right->addStretch(1);

    auto* page = new QHBoxLayout(this);
    page->addWidget(createWindowGroup());
    page->addLayout(middle);
    page->addLayout(right, 1);
}

QPushButton* ImageControlsPage::createButton(StringId caption, int id, QWidget* parent)
{
    auto* button = withId(new QPushButton(qtString(caption), parent), id);
    button->setAutoDefault(false);
    return button;
}

QGroupBox* ImageControlsPage::createWindowGroup()
{
    auto* group = new QGroupBox(qtString(StringId::imageWindowGroup), this);
    auto* layout = new QVBoxLayout(group);
    for (int i = 0; i < windowRadios; ++i) {
        const int number = i + 1;
        auto* radio = withId(new QRadioButton(group), ids::windowRadio(number));
        windowRadios_.at(static_cast<std::size_t>(i)) = radio;
        layout->addWidget(radio);
        connect(radio, &QRadioButton::clicked, this, [this, number] {
            // The window's refresh is done here; a deferred one would only repeat it.
            deferredTimer_.stop();
            act([this, number] { controls_.selectWindow(number); });
        });
    }
    layout->addStretch(1);
    return group;
}

AutoRepeatButton* ImageControlsPage::createZoomButton(ZoomKind kind, int id, QWidget* parent)
{
    auto* button = withId(new AutoRepeatButton(kind, parent), id);
    zoomButtons_.at(slot(kind)) = button;
    connect(button, &QPushButton::pressed, this, [this, button] { zoomPressed(*button); });
    connect(button, &AutoRepeatButton::beat, this, [this, button] { zoomBeat(*button); });
    connect(button, &QPushButton::released, this, &ImageControlsPage::drawButtons);
    connect(button, &QPushButton::clicked, this,
            [this, kind] { act([this, kind] { controls_.step(kind); }); });
    return button;
}

QGroupBox* ImageControlsPage::createZoomGroup()
{
    auto* group = new QGroupBox(qtString(StringId::zoomAndPanGroup), this);
    auto* arrows = new QGridLayout;
    for (const ZoomButton& entry : zoomButtonTable) {
        AutoRepeatButton* button = createZoomButton(entry.kind, entry.id, group);
        if (isPan(entry.kind)) {
            button->setIconSize(arrowIconSize);
            button->setToolTip(qtString(entry.caption));
            button->setAccessibleName(qtString(entry.caption));
        } else {
            button->setText(qtString(entry.caption));
        }
        arrows->addWidget(button, entry.row, entry.column);
    }
    auto* unzoom = createButton(StringId::unzoomCaption, ids::unzoom, group);
    centerHorizontal_ =
        createButton(StringId::centerHorizontalCaption, ids::centerHorizontal, group);
    centerVertical_ = createButton(StringId::centerVerticalCaption, ids::centerVertical, group);
    connect(unzoom, &QPushButton::clicked, this, [this] { act([this] { controls_.unzoom(); }); });
    connect(centerHorizontal_, &QPushButton::clicked, this,
            [this] { act([this] { controls_.centerHorizontally(); }); });
    connect(centerVertical_, &QPushButton::clicked, this,
            [this] { act([this] { controls_.centerVertically(); }); });

    auto* layout = new QVBoxLayout(group);
    layout->addLayout(arrows);
    for (QPushButton* button : {unzoom, centerHorizontal_, centerVertical_})
        layout->addWidget(button);
    return group;
}

QGroupBox* ImageControlsPage::createSourceGroup(StringId caption, int id, QLineEdit*& box)
{
    auto* group = new QGroupBox(qtString(caption), this);
    if (id == ids::sourceBox) {
        box = new CheckedEdit(id, CheckedEdit::Mode::routed, group);
    } else {
        box = new QLineEdit(group);
        box->setReadOnly(true);
    }
    withId(box, id);
    box->setMaxLength(sourceBoxCharacters);
    box->setFont(sharedFont());
    box->setMinimumWidth(box->fontMetrics().averageCharWidth() * (sourceBoxCharacters - 2));
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(box);
    return group;
}

QGroupBox* ImageControlsPage::createLevelGroup(Level level)
{
    const LevelIds& controlIds = levelIds.at(slot(level));
    LevelControls& controls = levelControls(level);
    controls.group = new QGroupBox(this);
    controls.slider = withId(new QSlider(Qt::Horizontal, controls.group), controlIds.slider);
    controls.slider->setTickPosition(QSlider::TicksBelow);
    controls.edit =
        withId(new CheckedEdit(controlIds.edit, CheckedEdit::Mode::routed, controls.group),
               controlIds.edit);
    controls.edit->setMaxLength(controlIds.editCharacters);
    // One width for every level's edit, so the trackbars line up.
    controls.edit->setFixedWidth(controls.edit->fontMetrics().averageCharWidth() *
                                 levelEditWidthCharacters);
    auto* layout = new QHBoxLayout(controls.group);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->addWidget(controls.slider, 1);
    layout->addWidget(controls.edit);
    connect(controls.slider, &QSlider::actionTriggered, this,
            [this, level](int action) { sliderAction(level, action); });
    connect(controls.slider, &QSlider::sliderReleased, this, [this, level] {
        controls_.levelSliderReleased(level);
        drawCaptions();
    });
    return controls.group;
}

QLayout* ImageControlsPage::createLevelButtons()
{
    auto* restoreDefaults =
        createButton(StringId::restoreDefaultsCaption, ids::restoreDefaults, this);
    freeze_ = createButton(StringId::freezeImageCaption, ids::freeze, this);
    motion_ = createButton(StringId::motionFilterOnCaption, ids::motion, this);
    connect(restoreDefaults, &QPushButton::clicked, this,
            [this] { act([this] { controls_.restoreDefaults(); }); });
    connect(freeze_, &QPushButton::clicked, this,
            [this] { act([this] { controls_.toggleFreeze(); }); });
    connect(motion_, &QPushButton::clicked, this,
            [this] { act([this] { controls_.toggleMotionFilter(); }); });
    auto* row = new QHBoxLayout;
    for (QPushButton* button : {restoreDefaults, freeze_, motion_})
        row->addWidget(button);
    return row;
}

ImageControlsPage::LevelControls& ImageControlsPage::levelControls(Level level)
{
    return levels_.at(slot(level));
}

AutoRepeatButton& ImageControlsPage::zoomButton(ZoomKind kind)
{
    return *zoomButtons_.at(slot(kind));
}

template <typename Action> void ImageControlsPage::act(Action action)
{
    {
        WaitCursor wait;
        action();
    }
    drawAll();
}

void ImageControlsPage::onSetActive()
{
    active_ = true;
    act([this] {
        if (controls_.activate())
            deferredTimer_.start();
    });
}

void ImageControlsPage::onKillActive() { active_ = false; }

void ImageControlsPage::deferredTick()
{
    deferredTimer_.stop();
    if (active_)
        act([this] { controls_.deferredRefresh(); });
}

void ImageControlsPage::zoomPressed(AutoRepeatButton& button)
{
    controls_.autoRepeat(button.kind()).press();
    if (!button.startRepeating())
        prompter_.tell(std::string(loadString(StringId::noContinuousZoom)));
}

void ImageControlsPage::zoomBeat(AutoRepeatButton& button)
{
    bool repeating = false;
    act([&] { repeating = controls_.repeatTick(button.kind()); });
    if (!repeating)
        button.stopRepeating();
}

void ImageControlsPage::sliderAction(Level level, int action)
{
    if (action == QAbstractSlider::SliderNoAction)
        return;
    QSlider& slider = *levelControls(level).slider;
    controls_.levelSliderMoved(level, slider.sliderPosition());
    // A key, a click beside the thumb or the wheel moves the slider in one go.
    if (!slider.isSliderDown())
        controls_.levelSliderReleased(level);
    levelControls(level).edit->setText(qtText(controls_.level(level).text));
    drawCaptions();
}

bool ImageControlsPage::sourceTextCommitted(CheckedEdit& box)
{
    LineEditControl edit(box);
    bool accepted = false;
    {
        WaitCursor wait;
        accepted = controls_.sourceTextCommitted(edit);
    }
    if (accepted)
        drawAll();
    return accepted;
}

bool ImageControlsPage::levelEdited(CheckedEdit& box)
{
    const auto level = static_cast<Level>(box.controlId() - ids::firstLevelEdit);
    LineEditControl edit(box);
    SliderControl trackbar(*levelControls(level).slider);
    const bool accepted = controls_.levelEdited(level, edit, trackbar);
    drawCaptions();
    return accepted;
}

void ImageControlsPage::drawAll()
{
    drawWindows();
    drawButtons();
    drawBoxes();
    drawLevels();
    drawCaptions();
}

void ImageControlsPage::drawWindows()
{
    const int current = controls_.window();
    for (int number = 1; number <= windowRadios; ++number) {
        QRadioButton& radio = *windowRadios_.at(static_cast<std::size_t>(number - 1));
        const bool shown = number <= static_cast<int>(controls_.windowCount());
        radio.setVisible(shown);
        if (shown)
            radio.setText(qtText(controls_.windowCaption(number)));
        radio.setChecked(number == current);
    }
}

void ImageControlsPage::drawButtons()
{
    const ButtonStates states = controls_.buttons();
    using Direction = ArrowPicture::Direction;
    struct Arrow {
        ZoomKind kind;
        Direction direction;
        ArrowIcon icon;
        ArrowIcon atLimit;
    };
    const std::array<Arrow, 4> arrows{{
        {ZoomKind::left, Direction::left, states.left, ArrowIcon::leftAtLimit},
        {ZoomKind::right, Direction::right, states.right, ArrowIcon::rightAtLimit},
        {ZoomKind::up, Direction::up, states.up, ArrowIcon::upAtLimit},
        {ZoomKind::down, Direction::down, states.down, ArrowIcon::downAtLimit},
    }};
    // An arrow whose way the source can go no further is drawn hollow.
    for (const Arrow& arrow : arrows)
        zoomButton(arrow.kind)
            .setIcon(QIcon(new ArrowPicture(arrow.direction, arrow.icon == arrow.atLimit)));
    zoomButton(ZoomKind::in).setEnabled(states.zoomIn);
    zoomButton(ZoomKind::out).setEnabled(states.zoomOut);
    centerHorizontal_->setEnabled(states.centerHorizontal);
    centerVertical_->setEnabled(states.centerVertical);
}

void ImageControlsPage::drawBoxes()
{
    sourceBox_->setText(qtText(controls_.sourceBoxText()));
    fullSourceBox_->setText(qtText(controls_.fullSourceText()));
}

void ImageControlsPage::drawLevels()
{
    for (Level level : allLevels) {
        const LevelDisplay shown = controls_.level(level);
        LevelControls& controls = levelControls(level);
        controls.group->setTitle(qtString(shown.caption));
        const QSignalBlocker blocker(controls.slider);
        controls.slider->setRange(shown.minimum, shown.maximum);
        controls.slider->setTickInterval(shown.tick);
        controls.slider->setPageStep(shown.tick);
        controls.slider->setValue(shown.position);
        controls.edit->setText(qtText(shown.text));
        // The trackbar and the edit go with their group box.
        controls.group->setEnabled(shown.enabled);
    }
}

void ImageControlsPage::drawCaptions()
{
    freeze_->setText(qtText(controls_.freezeCaption()));
    motion_->setText(qtText(controls_.motionCaption()));
    motion_->setEnabled(controls_.motionFilterEnabled());
}

} // namespace kivo::gui
