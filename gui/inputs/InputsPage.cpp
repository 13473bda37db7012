#include "gui/inputs/InputsPage.h"

#include "gui/base/CheckedEdit.h"
#include "gui/base/ControlId.h"
#include "gui/base/QtStrings.h"
#include "gui/inputs/AdjustInputDialog.h"
#include "gui/inputs/InputTimingDialog.h"
#include "gui/inputs/InputsPageIds.h"
#include "gui/timing/DropDownList.h"
#include "gui/timing/TimingListView.h"
#include "gui/timing/TimingPageControls.h"

#include "core/panel/PanelSession.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>

namespace kivo::gui {
namespace {

namespace ids = inputsPageIds;

constexpr int rgbTypeIndex = 3;

constexpr std::array<StringId, 4> typeCaptions{StringId::compositeCaption, StringId::svideoCaption,
                                               StringId::autoInputCaption, StringId::rgbCaption};

} // namespace

InputsPage::InputsPage(PanelSession& session, QWidget* parent)
    : PropertyPage(StringId::quadrixInputsCaption, helpContextId, parent), session_(session),
      model_({session.app(), session.inputSettings(), session.inputWindows(),
              session.bringUp().listLoader()},
             session.state().inputList, session.mirror()),
      listView_(new TimingListView(this))
{
    layOut();
    DropDownList& list = listView_->rows();
    connect(&list, &DropDownList::droppedDown, this, [this] {
        model_.dropDown();
        draw();
    });
    connect(&list, &DropDownList::closedUp, this, [this] {
        model_.closeUp();
        draw();
    });
    connect(&list, &QComboBox::activated, this,
            [this](int row) { act([this, row] { model_.choose(row); }); });
    refreshTimer_.setSingleShot(true);
    refreshTimer_.setInterval(refreshDelayMs);
    connect(&refreshTimer_, &QTimer::timeout, this, &InputsPage::refreshTimerFired);
    drawWindowButtons();
    draw();
}

void InputsPage::layOut()
{
    locked_ = withId(new QCheckBox(qtString(StringId::lockedCaption), this), ids::locked);
    // It shows what the device says; the operator cannot change it.
    locked_->setEnabled(false);
    loadImageSettings_ = withId(new QCheckBox(qtString(StringId::loadImageSettingsCaption), this),
                                ids::loadImageSettings);
    connect(loadImageSettings_, &QCheckBox::toggled, this,
            [this](bool on) { model_.loadImageSettings = on; });
    delete_ = makePageButton(StringId::deleteSettingCaption, ids::deleteSetting, this);
    connect(delete_, &QPushButton::clicked, this, [this] { act([this] { model_.remove(); }); });
    auto* checks = new QVBoxLayout;
    checks->addWidget(createTypeGroup());
    checks->addWidget(locked_);
    checks->addWidget(loadImageSettings_);
    checks->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(createWindowGroup(), 1);
    top->addLayout(checks);
    auto* middle = new QHBoxLayout;
    middle->addWidget(createAddGroup(), 1);
    middle->addWidget(createTimingGroup());
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(createSourceGroup());
    bottom->addStretch(1);
    bottom->addWidget(delete_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(listView_);
    layout->addLayout(middle);
    layout->addLayout(bottom);
    layout->addStretch(1);
}

QGroupBox* InputsPage::createWindowGroup()
{
    auto* group = new QGroupBox(qtString(StringId::selectWindowGroup), this);
    auto* layout = new QGridLayout(group);
    layout->setVerticalSpacing(2);
    constexpr int rows = windowButtons / 2;
    for (int i = 0; i < windowButtons; ++i) {
        auto* button = withId(new QRadioButton(group), ids::firstWindowButton + i);
        windowButtons_.at(static_cast<std::size_t>(i)) = button;
        layout->addWidget(button, i % rows, i / rows);
        connect(button, &QRadioButton::clicked, this,
                [this, number = i + 1] { act([this, number] { model_.chooseWindow(number); }); });
    }
    return group;
}

QGroupBox* InputsPage::createTypeGroup()
{
    auto* group = new QGroupBox(qtString(StringId::inputTypeGroup), this);
    auto* layout = new QVBoxLayout(group);
    for (int i = 0; i < static_cast<int>(typeButtons_.size()); ++i) {
        auto* button =
            withId(new QRadioButton(qtString(typeCaptions.at(static_cast<std::size_t>(i))), group),
                   ids::firstType + i);
        typeButtons_.at(static_cast<std::size_t>(i)) = button;
        layout->addWidget(button);
        if (i == rgbTypeIndex)
            continue;
        connect(button, &QRadioButton::clicked, this, [this, i] {
            act([this, i] { model_.chooseConnector(static_cast<InputConnector>(i)); });
        });
    }
    return group;
}

QGroupBox* InputsPage::createAddGroup()
{
    const AddGroup controls =
        gui::createAddGroup(StringId::inputAddGroup, ids::number, StringId::inputNameLabel, this);
    addGroup_ = controls.group;
    number_ = controls.number;
    name_ = controls.name;
    connect(controls.add, &QPushButton::clicked, this, &InputsPage::addClicked);
    return addGroup_;
}

QGroupBox* InputsPage::createTimingGroup()
{
    const TimingGroup controls =
        gui::createTimingGroup(StringId::inputTimingGroup, ids::interactiveAdjustment, this);
    interactiveAdjustment_ = controls.interactiveAdjustment;
    advanced_ = controls.advanced;
    // The dialogs talk to the device while they run; timer 5 waits for them.
    connect(interactiveAdjustment_, &QPushButton::clicked, this, [this] {
        act([this] { AdjustInputDialog(session_, model_.currentWindow(), this).run(); });
    });
    connect(advanced_, &QPushButton::clicked, this, [this] {
        act([this] { InputTimingDialog(session_, model_.currentWindow(), this).run(); });
    });
    return controls.group;
}

QGroupBox* InputsPage::createSourceGroup()
{
    return createListSourceGroup(this, [this](bool fromDevice) {
        act([this, fromDevice] { model_.loadList(fromDevice); });
    });
}

void InputsPage::onSetActive()
{
    inFront_ = true;
    if (model_.activate())
        refreshTimer_.start();
    drawWindowButtons();
    drawAddBoxes();
    draw();
}

void InputsPage::onKillActive() { inFront_ = false; }

void InputsPage::refreshTimerFired()
{
    // The panel stays responsive while it waits for the device: the timer may fire in the
    // middle of another exchange, and its own must wait for that one to end.
    if (acting_) {
        refreshTimer_.start();
        return;
    }
    act([this] { model_.refreshTiming(inFront_); });
}

void InputsPage::act(const std::function<void()>& step)
{
    acting_ = true;
    step();
    acting_ = false;
    draw();
}

void InputsPage::windowTimingRead()
{
    model_.windowTimingRead(inFront_);
    draw();
}

void InputsPage::listLoaded() { draw(); }

void InputsPage::addClicked()
{
    act([this] { model_.add(number_->text().toStdString(), name_->text().toStdString()); });
    drawAddBoxes();
    moveFocus();
}

void InputsPage::drawWindowButtons()
{
    for (int number = 1; number <= windowButtons; ++number) {
        QRadioButton& button = *windowButtons_.at(static_cast<std::size_t>(number - 1));
        button.setText(QString::fromStdString(model_.windowButtonCaption(number)));
        button.setVisible(model_.windowButtonShown(number));
    }
}

void InputsPage::draw()
{
    const InputWindowView view = model_.view();
    windowButtons_.at(static_cast<std::size_t>(model_.currentWindow() - 1))->setChecked(true);
    listView_->showRows(model_.rows(), model_.shownRow);
    const bool rgb = model_.settingsEnabled();
    for (QWidget* control :
         std::initializer_list<QWidget*>{listView_, addGroup_, interactiveAdjustment_, advanced_})
        control->setEnabled(rgb);
    for (std::size_t i = 0; i < typeButtons_.size(); ++i)
        typeButtons_.at(i)->setEnabled(i != rgbTypeIndex && view.videoConnectorsEnabled);
    typeButtons_.at(static_cast<std::size_t>(view.typeRadio))->setChecked(true);
    locked_->setChecked(view.locked);
    locked_->setVisible(rgb);
    loadImageSettings_->setVisible(rgb);
    delete_->setEnabled(model_.deleteEnabled());
}

void InputsPage::drawAddBoxes()
{
    showAddBox(*number_, model_.numberText);
    showAddBox(*name_, model_.nameText);
}

void InputsPage::moveFocus()
{
    CheckedEdit* box = nullptr;
    switch (std::exchange(model_.focus, TimingPageFocus::unchanged)) {
    case TimingPageFocus::numberBox:
        box = number_;
        break;
    case TimingPageFocus::nameBox:
        box = name_;
        break;
    default:
        return;
    }
    // The operator corrects the value: it is selected and counts as not typed.
    box->setFocus();
    box->selectAll();
    box->setModified(false);
}

} // namespace kivo::gui
