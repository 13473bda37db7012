#include "gui/screen/VirtualScreenPage.h"

#include "gui/base/CheckedEdit.h"
#include "gui/base/ControlId.h"
#include "gui/base/QtStrings.h"
#include "gui/screen/ArrangementIcon.h"
#include "gui/screen/CanvasWidget.h"
#include "gui/screen/VirtualScreenPageIds.h"

#include "core/panel/PanelSession.h"
#include "core/screen/VirtualScreen.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kivo::gui {
namespace {

namespace ids = virtualScreenPageIds;

constexpr int maxEditCharacters = 22;
constexpr int editCharacters = 16;
const QSize arrangeIconSize(40, 30);

constexpr std::array<StringId, VirtualScreenPage::windowBoxes> windowCaptions{
    StringId::window1Caption,  StringId::window2Caption, StringId::window3Caption,
    StringId::window4Caption,  StringId::window5Caption, StringId::window6Caption,
    StringId::window7Caption,  StringId::window8Caption, StringId::window9Caption,
    StringId::window10Caption,
};
constexpr std::array<StringId, VirtualScreenPage::userArrangements> userCaptions{
    StringId::user1Caption, StringId::user2Caption, StringId::user3Caption, StringId::user4Caption};

// An Arrange button: its control, its preset, and where it sits in the group (the corner
// layouts in the corners of a square, the grid and the centre layout beside them). Listed row
// by row, the order Tab follows.
struct ArrangeButton {
    int id;
    StringId caption;
    Preset preset;
    int row;
    int column;
};
constexpr std::array<ArrangeButton, 6> arrangeButtons{{
    {ids::topLeft, StringId::topLeftCaption, Preset::topLeft, 0, 0},
    {ids::topRight, StringId::topRightCaption, Preset::topRight, 0, 1},
    {ids::grid, StringId::gridCaption, Preset::grid, 0, 2},
    {ids::bottomLeft, StringId::bottomLeftCaption, Preset::bottomLeft, 1, 0},
    {ids::bottomRight, StringId::bottomRightCaption, Preset::bottomRight, 1, 1},
    {ids::centre, StringId::centreCaption, Preset::centre, 1, 2},
}};

CheckedEdit* makeEdit(int id, QWidget* parent)
{
    auto* edit = withId(new CheckedEdit(id, CheckedEdit::Mode::routed, parent), id);
    edit->setMaxLength(maxEditCharacters);
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * editCharacters);
    return edit;
}

} // namespace

VirtualScreenPage::VirtualScreenPage(PanelSession& session, VirtualScreen& screen, QWidget* parent)
    : PropertyPage(StringId::virtualScreenCaption, helpContextId, parent),
      mirror_(session.mirror()), state_(session.state()), screen_(screen)
{
    layOut(session);
    immediately_->setChecked(true);
    modeChosen();
    showWindowStates();
    drawArrangementIcons();
}

void VirtualScreenPage::layOut(PanelSession& session)
{
    // The groups are made in the order Tab visits them: the top row from left to right (the
    // canvas, the windows, then the column beside them from its top), then the row below.
    QGroupBox* canvasGroup = createCanvasGroup(session);
    QGroupBox* windowsGroup = createWindowsGroup();
    auto* right = new QVBoxLayout;
    right->addWidget(createMoveGroup());
    right->addWidget(createSizingGroup());
    right->addWidget(createArrangeGroup());
    right->addStretch(1);
    auto* grid = new QGridLayout(this);
    grid->addWidget(canvasGroup, 0, 0);
    grid->addWidget(windowsGroup, 0, 1);
    // The long caption of the user arrangements spans the canvas and the windows.
    grid->addWidget(createUserGroup(), 1, 0, 1, 2);
    grid->addLayout(right, 0, 2, 2, 1);
    grid->setRowStretch(0, 1);
    grid->setColumnStretch(0, 1);
}

QGroupBox* VirtualScreenPage::createCanvasGroup(PanelSession& session)
{
    auto* group = withId(new QGroupBox(this), ids::canvasGroup);
    canvas_ = new CanvasWidget(session, screen_, group);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(canvas_);
    connect(canvas_, &CanvasWidget::windowsChanged, this, &VirtualScreenPage::showWindowStates);
    return group;
}

QGroupBox* VirtualScreenPage::createMoveGroup()
{
    auto* group = new QGroupBox(qtString(StringId::moveVideoImagesGroup), this);
    immediately_ =
        withId(new QRadioButton(qtString(StringId::immediatelyCaption), group), ids::immediately);
    auto* onApplyOnly =
        withId(new QRadioButton(qtString(StringId::onApplyOnlyCaption), group), ids::onApplyOnly);
    apply_ = withId(new QPushButton(qtString(StringId::applyCaption), group), ids::apply);
    apply_->setAutoDefault(false);
    auto* layout = new QGridLayout(group);
    layout->addWidget(immediately_, 0, 0);
    layout->addWidget(onApplyOnly, 1, 0);
    layout->addWidget(apply_, 0, 1, 2, 1);
    connect(immediately_, &QRadioButton::toggled, this, &VirtualScreenPage::modeChosen);
    connect(apply_, &QPushButton::clicked, this, [this] {
        screen_.apply();
        canvas_->refresh();
    });
    return group;
}

QGroupBox* VirtualScreenPage::createSizingGroup()
{
    auto* group = new QGroupBox(qtString(StringId::sizingGroup), this);
    auto* markers =
        withId(new QCheckBox(qtString(StringId::sizingMarkersCaption), group), ids::sizingMarkers);
    markers->setChecked(screen_.sizingMarkers());
    auto* restore = withId(new QPushButton(qtString(StringId::restoreInitialSizesCaption), group),
                           ids::restoreInitialSizes);
    restore->setAutoDefault(false);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(markers);
    layout->addWidget(restore);
    connect(markers, &QCheckBox::toggled, this, [this](bool shown) {
        screen_.setSizingMarkers(shown);
        canvas_->refresh();
    });
    connect(restore, &QPushButton::clicked, this, [this] {
        screen_.restoreInitialSizes();
        canvas_->refresh();
    });
    return group;
}

QGroupBox* VirtualScreenPage::createWindowsGroup()
{
    auto* group = new QGroupBox(qtString(StringId::windowsGroup), this);
    auto* layout = new QGridLayout(group);
    layout->setVerticalSpacing(2);
    for (int i = 0; i < windowBoxes; ++i) {
        const int number = i + 1;
        auto* box =
            withId(new QCheckBox(qtString(windowCaptions.at(static_cast<std::size_t>(i))), group),
                   ids::windowBox(number));
        windowBoxes_.at(static_cast<std::size_t>(i)) = box;
        descriptions_.at(static_cast<std::size_t>(i)) = makeEdit(ids::description(number), group);
        layout->addWidget(box, i, 0);
        layout->addWidget(descriptions_.at(static_cast<std::size_t>(i)), i, 1);
        connect(box, &QCheckBox::clicked, this,
                [this, number](bool on) { windowSwitched(number, on); });
    }
    auto* clear = withId(new QPushButton(qtString(StringId::clearDescriptionsCaption), group),
                         ids::clearDescriptions);
    clear->setAutoDefault(false);
    layout->addWidget(clear, windowBoxes, 0, 1, 2);
    layout->setRowStretch(windowBoxes + 1, 1);
    connect(clear, &QPushButton::clicked, this, &VirtualScreenPage::clearDescriptionsClicked);
    return group;
}

QGroupBox* VirtualScreenPage::createUserGroup()
{
    auto* group = new QGroupBox(qtString(StringId::userArrangementsGroup), this);
    auto* layout = new QGridLayout(group);
    for (int i = 0; i < userArrangements; ++i) {
        const int number = i + 1;
        const auto slot = static_cast<std::size_t>(i);
        auto* button = withId(new QPushButton(qtString(userCaptions.at(slot)), group),
                              ids::userButton(number));
        button->setAutoDefault(false);
        names_.at(slot) = makeEdit(ids::name(number), group);
        layout->addWidget(button, i / 2, (i % 2) * 2);
        layout->addWidget(names_.at(slot), i / 2, (i % 2) * 2 + 1);
        connect(button, &QPushButton::clicked, this,
                [this, number] { userArrangementClicked(number); });
    }
    return group;
}

QGroupBox* VirtualScreenPage::createArrangeGroup()
{
    auto* group = new QGroupBox(qtString(StringId::arrangeGroup), this);
    auto* layout = new QGridLayout(group);
    for (std::size_t i = 0; i < arrangeButtons.size(); ++i) {
        const ArrangeButton& entry = arrangeButtons.at(i);
        auto* button = withId(new QPushButton(group), entry.id);
        button->setAutoDefault(false);
        button->setIconSize(arrangeIconSize);
        button->setToolTip(qtString(entry.caption));
        button->setAccessibleName(qtString(entry.caption));
        arrangeButtons_.at(i) = button;
        layout->addWidget(button, entry.row, entry.column);
        const int mode = static_cast<int>(entry.preset);
        connect(button, &QPushButton::clicked, this, [this, mode] { applyArrangement(mode); });
    }
    return group;
}

unsigned VirtualScreenPage::windowCount() const
{
    return std::min(mirror_.windowCount, static_cast<unsigned>(windowBoxes));
}

void VirtualScreenPage::onSetActive() { showWindowStates(); }

void VirtualScreenPage::showWindowStates()
{
    for (int number = 1; number <= windowBoxes; ++number) {
        const auto slot = static_cast<std::size_t>(number - 1);
        const bool shown = number <= static_cast<int>(windowCount());
        windowBoxes_.at(slot)->setChecked(shown && mirror_.window(number).priority != 0);
        windowBoxes_.at(slot)->setVisible(shown);
        descriptions_.at(slot)->setVisible(shown);
    }
}

void VirtualScreenPage::drawArrangementIcons()
{
    for (std::size_t i = 0; i < arrangeButtons.size(); ++i)
        arrangeButtons_.at(i)->setIcon(
            QIcon(new ArrangementIcon(arrangeButtons.at(i).preset, windowCount())));
}

void VirtualScreenPage::windowsChanged()
{
    showWindowStates();
    canvas_->refresh();
}

void VirtualScreenPage::modeChosen()
{
    screen_.setOnApplyOnly(!immediately_->isChecked());
    apply_->setEnabled(screen_.onApplyOnly());
}

void VirtualScreenPage::windowSwitched(int number, bool on)
{
    screen_.switchWindow(number, on);
    windowsChanged();
}

void VirtualScreenPage::userArrangementClicked(int number)
{
    if (screen_.userArrangement(number) == VirtualScreen::UserOutcome::stored) {
        CheckedEdit& name = *names_.at(static_cast<std::size_t>(number - 1));
        name.setFocus();
        name.selectAll();
    }
    windowsChanged();
}

void VirtualScreenPage::clearDescriptionsClicked()
{
    if (!screen_.clearDescriptions())
        return;
    for (int number = 1; number <= static_cast<int>(windowCount()); ++number)
        descriptions_.at(static_cast<std::size_t>(number - 1))->clear();
    canvas_->refresh();
}

void VirtualScreenPage::applyArrangement(int mode)
{
    screen_.arrange(mode);
    canvas_->refresh();
}

void VirtualScreenPage::descriptionsLoaded()
{
    for (int number = 1; number <= windowBoxes; ++number)
        descriptions_.at(static_cast<std::size_t>(number - 1))
            ->setText(QString::fromStdString(mirror_.window(number).description));
    for (std::size_t slot = 0; slot < names_.size(); ++slot)
        names_.at(slot)->setText(QString::fromStdString(state_.arrangements.at(slot).description));
}

void VirtualScreenPage::redrawWindowControls()
{
    showWindowStates();
    drawArrangementIcons();
    canvas_->refresh();
}

bool VirtualScreenPage::descriptionCommitted(CheckedEdit& box)
{
    const int number = box.controlId() - ids::firstDescription + 1;
    screen_.setDescription(number, box.text().toStdString());
    // The stored text is what the canvas shows: control characters are dropped.
    box.setText(QString::fromStdString(mirror_.window(number).description));
    canvas_->refresh();
    return true;
}

bool VirtualScreenPage::arrangementNameCommitted(CheckedEdit& box)
{
    const int number = box.controlId() - ids::firstName + 1;
    screen_.setArrangementName(number, box.text().toStdString());
    box.setText(QString::fromStdString(
        state_.arrangements.at(static_cast<std::size_t>(number - 1)).description));
    return true;
}

} // namespace kivo::gui
