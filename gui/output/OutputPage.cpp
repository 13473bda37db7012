#include "gui/output/OutputPage.h"

#include "gui/base/CheckedEdit.h"
#include "gui/base/ControlId.h"
#include "gui/base/QtStrings.h"
#include "gui/output/AdjustOutputDialog.h"
#include "gui/output/ChromaKeyDialog.h"
#include "gui/output/OutputPageIds.h"
#include "gui/output/OutputTimingDialog.h"
#include "gui/timing/DropDownList.h"
#include "gui/timing/TimingListView.h"
#include "gui/timing/TimingPageControls.h"

#include "core/panel/PanelSession.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>

namespace kivo::gui {
namespace {

namespace ids = outputPageIds;

} // namespace

OutputPage::OutputPage(PanelSession& session, QWidget* parent)
    : PropertyPage(StringId::quadrixOutputCaption, helpContextId, parent), session_(session),
      model_({session.app(), session.outputSettings(), session.bringUp().listLoader()},
             session.state().outputList, session.mirror().outputTiming,
             session.mirror().outputFreeRun),
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
    connect(&list, &QComboBox::activated, this, [this](int row) {
        model_.choose(row);
        draw();
    });
    session_.outputSettings().setLockWaitView(this);
    draw();
}

OutputPage::~OutputPage() { session_.outputSettings().setLockWaitView(nullptr); }

void OutputPage::layOut()
{
    auto* middle = new QHBoxLayout;
    middle->addWidget(createAddGroup(), 1);
    middle->addWidget(createTimingGroup());
    delete_ = makePageButton(StringId::deleteSettingCaption, ids::deleteSetting, this);
    connect(delete_, &QPushButton::clicked, this, [this] {
        model_.remove();
        draw();
    });
    chromaKey_ = makePageButton(StringId::adjustChromaKeyCaption, ids::chromaKey, this);
    connect(chromaKey_, &QPushButton::clicked, this, [this] {
        ChromaKeyDialog dialog(session_, this);
        dialog.initialise();
        dialog.exec();
    });
    locked_ = withId(new QCheckBox(qtString(StringId::lockedCaption), this), ids::locked);
    // It shows what the device says; the operator cannot change it.
    locked_->setEnabled(false);
    lockWait_ = new QLabel(this);
    lockWait_->setObjectName(QStringLiteral("lockWait"));
    auto* bottom = new QGridLayout;
    bottom->addWidget(createModeGroup(), 0, 0, 2, 1);
    bottom->addWidget(createSourceGroup(), 0, 1);
    bottom->addWidget(delete_, 1, 1);
    bottom->addWidget(chromaKey_, 2, 1);
    bottom->addWidget(locked_, 2, 0);
    bottom->addWidget(lockWait_, 3, 0, 1, 2);
    bottom->setColumnStretch(0, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(listView_);
    layout->addLayout(middle);
    layout->addLayout(bottom);
    layout->addStretch(1);
}

QGroupBox* OutputPage::createAddGroup()
{
    const AddGroup controls =
        gui::createAddGroup(StringId::outputAddGroup, ids::number, StringId::outputNameLabel, this);
    number_ = controls.number;
    name_ = controls.name;
    connect(controls.add, &QPushButton::clicked, this, &OutputPage::addClicked);
    return controls.group;
}

QGroupBox* OutputPage::createTimingGroup()
{
    const TimingGroup controls =
        gui::createTimingGroup(StringId::outputTimingGroup, ids::interactiveAdjustment, this);
    connect(controls.interactiveAdjustment, &QPushButton::clicked, this,
            [this] { AdjustOutputDialog(session_, this).run(); });
    connect(controls.advanced, &QPushButton::clicked, this,
            [this] { OutputTimingDialog(session_, this).run(); });
    return controls.group;
}

QGroupBox* OutputPage::createSourceGroup()
{
    return createListSourceGroup(this, [this](bool fromDevice) {
        model_.loadList(fromDevice);
        draw();
    });
}

QGroupBox* OutputPage::createModeGroup()
{
    auto* group = new QGroupBox(qtString(StringId::outputModeGroup), this);
    freeRun_ = withId(new QRadioButton(qtString(StringId::freeRunCaption), group), ids::freeRun);
    autosync_ = withId(new QRadioButton(qtString(StringId::autosyncCaption), group), ids::autosync);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(freeRun_);
    layout->addWidget(autosync_);
    connect(freeRun_, &QRadioButton::clicked, this,
            [this] { modeClicked(&OutputPageModel::freeRunClicked); });
    connect(autosync_, &QRadioButton::clicked, this,
            [this] { modeClicked(&OutputPageModel::autosyncClicked); });
    return group;
}

void OutputPage::onSetActive()
{
    model_.activate();
    drawAddBoxes();
    draw();
}

void OutputPage::outputTimingChanged()
{
    model_.showCurrentOutputRow();
    draw();
}

void OutputPage::listLoaded() { draw(); }

void OutputPage::showProgressText(const std::string& text) { lockWait_->setText(qtText(text)); }

void OutputPage::addClicked()
{
    model_.add(number_->text().toStdString(), name_->text().toStdString());
    drawAddBoxes();
    draw();
}

void OutputPage::modeClicked(void (OutputPageModel::*step)())
{
    // The model starts from the check as the operator left it.
    model_.modeRadio =
        freeRun_->isChecked() ? OutputPageModel::freeRunRadio : OutputPageModel::autosyncRadio;
    (model_.*step)();
    draw();
}

void OutputPage::draw()
{
    listView_->showRows(model_.rows(), model_.shownRow);
    delete_->setEnabled(model_.deleteEnabled());
    (model_.modeRadio == OutputPageModel::freeRunRadio ? freeRun_ : autosync_)->setChecked(true);
    chromaKey_->setEnabled(model_.chromaKeyEnabled);
    locked_->setChecked(model_.locked());
    moveFocus();
}

void OutputPage::drawAddBoxes()
{
    showAddBox(*number_, model_.numberText);
    showAddBox(*name_, model_.nameText);
}

void OutputPage::moveFocus()
{
    QWidget* target = nullptr;
    switch (std::exchange(model_.focus, TimingPageFocus::unchanged)) {
    case TimingPageFocus::numberBox:
        target = number_;
        break;
    case TimingPageFocus::nameBox:
        target = name_;
        break;
    case TimingPageFocus::freeRun:
        target = freeRun_;
        break;
    case TimingPageFocus::autosync:
        target = autosync_;
        break;
    case TimingPageFocus::unchanged:
        return;
    }
    target->setFocus();
}

} // namespace kivo::gui
