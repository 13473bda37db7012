#include "gui/timing/TimingEditor.h"

#include "gui/base/ButtonGroupChoice.h"
#include "gui/base/ControlId.h"
#include "gui/base/QtStrings.h"
#include "gui/timing/TimingDialogIds.h"

#include "core/base/EditControl.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QValidator>

namespace kivo::gui {
namespace {

namespace ids = timingDialogIds;

constexpr int partCharacters = 3;
constexpr int sumCharacters = 4;
constexpr int frequencyCharacters = 5;

constexpr std::array<StringId, timingFieldsPerDirection> rowLabels{
    StringId::frontPorchLabel, StringId::syncWidthLabel, StringId::backPorchLabel,
    StringId::blankLabel,      StringId::activeLabel,    StringId::totalLabel};

int boxId(int box) { return box == frequencyBox ? ids::frequency : ids::firstValue + box; }

bool isSum(int box)
{
    const int field = box % timingFieldsPerDirection;
    return box < timingFieldCount && (field == blank || field == total);
}

int typingLimit(int box)
{
    if (box == frequencyBox)
        return frequencyCharacters;
    const int field = box % timingFieldsPerDirection;
    return field < blank ? partCharacters : sumCharacters;
}

// Limits what the operator types, never what the panel shows: a value from the device longer
// than the box's limit is shown whole, and can still be shortened.
class TypingLimit final : public QValidator {
public:
    TypingLimit(int characters, QLineEdit& edit)
        : QValidator(&edit), characters_(characters), edit_(edit)
    {
    }

    State validate(QString& input, int&) const override
    {
        return input.size() <= characters_ || input.size() <= edit_.text().size() ? Acceptable
                                                                                  : Invalid;
    }

private:
    int characters_;
    QLineEdit& edit_;
};

// A timing box as the form sees it. The panel's own text goes in whole, past the typing limit.
class TimingBoxControl final : public EditControl {
public:
    explicit TimingBoxControl(QLineEdit& edit) : edit_(edit) {}

    std::string text() const override { return edit_.text().toStdString(); }
    void replaceText(const std::string& text) override
    {
        edit_.setText(QString::fromStdString(text));
        edit_.setModified(true);
    }
    void selectAll() override { edit_.selectAll(); }
    bool isModified() const override { return edit_.isModified(); }
    void clearModified() override { edit_.setModified(false); }
    void takeFocus() override { edit_.setFocus(); }

private:
    QLineEdit& edit_;
};

} // namespace

TimingEditor::TimingEditor(CheckedEdit::Mode mode, SyncButtonIds syncIds, QWidget* parent)
    : QWidget(parent)
{
    for (int box = 0; box < timingBoxCount; ++box) {
        const int id = boxId(box);
        auto* edit = withId(new CheckedEdit(id, mode, this), id);
        edit->setValidator(new TypingLimit(typingLimit(box), *edit));
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
        edit->setEnabled(!isSum(box));
        edit->setCheck([this, box](CheckedEdit&) { return !check_ || check_(box); });
        const auto index = static_cast<std::size_t>(box);
        edits_[index] = edit;
        controls_[index] = std::make_unique<TimingBoxControl>(*edit);
        boxes_[index] = controls_[index].get();
    }
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(createValueGrid(), 0, Qt::AlignTop);
    layout->addWidget(createRadioGroups(syncIds), 0, Qt::AlignTop);
}

TimingEditor::~TimingEditor() = default;

QWidget* TimingEditor::createValueGrid()
{
    auto* values = new QWidget(this);
    auto* grid = new QGridLayout(values);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(qtString(StringId::horizontalHeading), values), 0, 1);
    grid->addWidget(new QLabel(qtString(StringId::verticalHeading), values), 0, 2);
    for (int field = 0; field < timingFieldsPerDirection; ++field) {
        const auto row = static_cast<std::size_t>(field);
        grid->addWidget(new QLabel(qtString(rowLabels[row]), values), field + 1, 0);
        edits_[row]->setParent(values);
        edits_[row + timingFieldsPerDirection]->setParent(values);
        grid->addWidget(edits_[row], field + 1, 1);
        grid->addWidget(edits_[row + timingFieldsPerDirection], field + 1, 2);
    }
    auto* frequency = edits_[frequencyBox];
    frequency->setParent(values);
    grid->addWidget(new QLabel(qtString(StringId::frequencyLabel), values),
                    timingFieldsPerDirection + 1, 0);
    grid->addWidget(frequency, timingFieldsPerDirection + 1, 1);
    grid->setRowStretch(timingFieldsPerDirection + 2, 1);
    return values;
}

QWidget* TimingEditor::createRadioGroups(SyncButtonIds syncIds)
{
    radioGroups_ = new QWidget(this);
    auto* column = new QVBoxLayout(radioGroups_);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(createRadioGroup(StringId::syncModeGroup, sync_,
                                       {{StringId::threeWireCaption, ids::threeWire},
                                        {StringId::fourWireCaption, syncIds.fourWire},
                                        {StringId::fiveWireCaption, syncIds.fiveWire}}));
    auto* polarities = new QHBoxLayout;
    polarities->addWidget(
        createRadioGroup(StringId::horizontalPolarityGroup, hpol_,
                         {{StringId::horizontalPositiveCaption, ids::horizontalPositive},
                          {StringId::horizontalNegativeCaption, ids::horizontalNegative}}));
    polarities->addWidget(
        createRadioGroup(StringId::verticalPolarityGroup, vpol_,
                         {{StringId::verticalPositiveCaption, ids::verticalPositive},
                          {StringId::verticalNegativeCaption, ids::verticalNegative}}));
    column->addLayout(polarities);
    column->addWidget(createRadioGroup(StringId::interlacedGroup, interlaced_,
                                       {{StringId::interlacedYesCaption, ids::interlacedYes},
                                        {StringId::interlacedNoCaption, ids::interlacedNo}}));
    column->addStretch();
    return radioGroups_;
}

QGroupBox* TimingEditor::createRadioGroup(StringId caption, QButtonGroup*& group,
                                          std::initializer_list<std::pair<StringId, int>> buttons)
{
    auto* box = new QGroupBox(qtString(caption), radioGroups_);
    auto* layout = new QHBoxLayout(box);
    group = new QButtonGroup(box);
    int index = 0;
    for (const auto& [text, id] : buttons) {
        auto* button = withId(new QRadioButton(qtString(text), box), id);
        group->addButton(button, index++);
        layout->addWidget(button);
    }
    connect(group, &QButtonGroup::idClicked, this, &TimingEditor::radiosClicked);
    return box;
}

void TimingEditor::setCheck(std::function<bool(int box)> check) { check_ = std::move(check); }

TimingRadios TimingEditor::radios() const
{
    return {sync_->checkedId(), hpol_->checkedId(), vpol_->checkedId(), interlaced_->checkedId()};
}

void TimingEditor::showRadios(const TimingRadios& radios)
{
    showChoice(*sync_, radios.sync);
    showChoice(*hpol_, radios.hpol);
    showChoice(*vpol_, radios.vpol);
    showChoice(*interlaced_, radios.interlaced);
}

void TimingEditor::setSignalEditable(bool editable)
{
    edits_[timingFieldsPerDirection + active]->setEnabled(editable);
    edits_[frequencyBox]->setEnabled(editable);
    radioGroups_->setEnabled(editable);
}

} // namespace kivo::gui
