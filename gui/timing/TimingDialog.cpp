#include "gui/timing/TimingDialog.h"

#include "gui/base/ControlId.h"
#include "gui/base/QtStrings.h"
#include "gui/base/WaitCursor.h"
#include "gui/inputs/InputTimingDialogIds.h"
#include "gui/output/OutputTimingDialogIds.h"
#include "gui/timing/TimingDialogIds.h"

#include "core/panel/PanelSession.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace kivo::gui {
namespace {

namespace ids = timingDialogIds;

} // namespace

const TimingDialog::Setup TimingDialog::outputSetup{
    outputTimingForm,
    CheckedEdit::Mode::outputTiming,
    {outputTimingDialogIds::fourWire, outputTimingDialogIds::fiveWire},
    &PanelState::outputList};
const TimingDialog::Setup TimingDialog::inputSetup{
    inputTimingForm,
    CheckedEdit::Mode::inputTiming,
    {inputTimingDialogIds::fourWire, inputTimingDialogIds::fiveWire},
    &PanelState::inputList};

TimingDialog::TimingDialog(const Setup& setup, std::unique_ptr<TimingTarget> target,
                           PanelSession& session, QWidget* parent)
    : QDialog(parent), target_(std::move(target)),
      editor_(new TimingEditor(setup.mode, setup.syncIds, this)),
      form_(setup.kind, {session.channel(), session.seams().prompter, session.numericEntry()},
            *target_, session.state().*setup.list, editor_->boxes())
{
    editor_->setCheck([this](int box) { return form_.check(box); });
    connect(editor_, &TimingEditor::radiosClicked, this, &TimingDialog::radiosClicked);
    auto* buttons = new QVBoxLayout;
    QPushButton* apply =
        addButton(StringId::applyChangesCaption, ids::apply, *buttons, [this] { form_.apply(); });
    addButton(StringId::cancelChangesCaption, ids::cancelChanges, *buttons,
              [this] { form_.cancelChanges(); });
    addButton(StringId::resetCaption, ids::reset, *buttons, [this] { form_.reset(); });
    buttons->addStretch();
    addButton(StringId::dialogDoneCaption, ids::done, *buttons, [this] { accept(); });
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(editor_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    apply->setEnabled(form_.canApply());
    openOnTiming();
}

void TimingDialog::run()
{
    {
        const WaitCursor busy;
        target_->readBack();
    }
    openOnTiming();
    exec();
}

void TimingDialog::openOnTiming()
{
    // A read of the output status may have changed the mode, and with it what may be typed.
    editor_->setSignalEditable(form_.signalEditable());
    form_.open();
    showForm();
}

QPushButton* TimingDialog::addButton(StringId caption, int id, QVBoxLayout& column,
                                     const std::function<void()>& action)
{
    auto* button = withId(new QPushButton(qtString(caption), this), id);
    // Enter in a box commits the box; it never presses a button.
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, action] {
        action();
        showForm();
    });
    column.addWidget(button);
    return button;
}

void TimingDialog::showForm() { editor_->showRadios(form_.radios()); }

void TimingDialog::radiosClicked()
{
    TimingRadios chosen = editor_->radios();
    // No sync button is checked while the device reports a wire count none stands for.
    if (chosen.sync < 0)
        chosen.sync = form_.radios().sync;
    form_.setRadios(chosen);
}

} // namespace kivo::gui
