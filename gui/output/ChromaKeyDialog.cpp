#include "gui/output/ChromaKeyDialog.h"

#include "gui/base/CheckedEdit.h"
#include "gui/base/ControlId.h"
#include "gui/base/LineEditControl.h"
#include "gui/base/QtStrings.h"
#include "gui/output/ChromaKeyDialogIds.h"

#include "core/panel/PanelSession.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace kivo::gui {
namespace {

namespace ids = chromaKeyDialogIds;

constexpr int pageStep = 50;
constexpr int editCharacters = 4;
constexpr int sliderWidth = 220;

struct LimitIds {
    int slider;
    int edit;
};
// By ChromaLimit: red, green and blue minimum, then maximum, interleaved as the limits go.
constexpr std::array<LimitIds, chromaLimitCount> limitIds{{
    {ids::redMinSlider, ids::redMinEdit},
    {ids::redMaxSlider, ids::redMaxEdit},
    {ids::greenMinSlider, ids::greenMinEdit},
    {ids::greenMaxSlider, ids::greenMaxEdit},
    {ids::blueMinSlider, ids::blueMinEdit},
    {ids::blueMaxSlider, ids::blueMaxEdit},
}};

constexpr std::array<StringId, 3> colourLabels{StringId::redLabel, StringId::greenLabel,
                                               StringId::blueLabel};

struct PresetButton {
    ChromaPreset preset;
    StringId caption;
    int id;
};
constexpr std::array<PresetButton, 8> presetButtons{{
    {ChromaPreset::white, StringId::whiteCaption, ids::white},
    {ChromaPreset::cyan, StringId::cyanCaption, ids::cyan},
    {ChromaPreset::magenta, StringId::magentaCaption, ids::magenta},
    {ChromaPreset::yellow, StringId::yellowCaption, ids::yellow},
    {ChromaPreset::red, StringId::redCaption, ids::red},
    {ChromaPreset::green, StringId::greenCaption, ids::green},
    {ChromaPreset::blue, StringId::blueCaption, ids::blue},
    {ChromaPreset::black, StringId::blackCaption, ids::black},
}};

std::size_t indexOf(ChromaLimit limit) { return static_cast<std::size_t>(limit); }

} // namespace

ChromaKeyDialog::ChromaKeyDialog(PanelSession& session, QWidget* parent)
    : QDialog(parent),
      control_({session.channel(), session.seams().prompter, session.seams().clock},
               session.mirror().firmwareRevision),
      insert_(withId(new QRadioButton(qtString(StringId::insertCaption), this), ids::insert)),
      chromaKey_(
          withId(new QRadioButton(qtString(StringId::chromaKeyCaption), this), ids::chromaKey))
{
    withId(this, ids::dialog);
    setWindowTitle(qtString(StringId::chromaKeyTitle));
    auto* done = withId(new QPushButton(qtString(StringId::dialogDoneCaption), this), ids::done);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(createPresetsGroup(), 1);
    bottom->addWidget(done, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(createModeGroup());
    layout->addWidget(createLimitsGroup());
    layout->addLayout(bottom);
}

QLayout* ChromaKeyDialog::createModeGroup()
{
    auto* group = new QGroupBox(qtString(StringId::chromaModeGroup), this);
    auto* buttons = new QButtonGroup(group);
    buttons->addButton(insert_);
    buttons->addButton(chromaKey_);
    connect(insert_, &QRadioButton::clicked, this, [this] {
        control_.setChromaKey(false);
        showMode();
    });
    connect(chromaKey_, &QRadioButton::clicked, this, [this] {
        control_.setChromaKey(true);
        showMode();
    });
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(insert_);
    layout->addWidget(chromaKey_);
    auto* row = new QHBoxLayout;
    row->addWidget(group);
    row->addStretch();
    return row;
}

QGroupBox* ChromaKeyDialog::createLimitsGroup()
{
    limitsGroup_ = new QGroupBox(qtString(StringId::chromaLimitsGroup), this);
    auto* grid = new QGridLayout(limitsGroup_);
    grid->addWidget(new QLabel(qtString(StringId::chromaMinimumLabel), limitsGroup_), 0, 1, 1, 2);
    grid->addWidget(new QLabel(qtString(StringId::chromaMaximumLabel), limitsGroup_), 0, 3, 1, 2);
    for (std::size_t colour = 0; colour < colourLabels.size(); ++colour) {
        const int row = static_cast<int>(colour) + 1;
        grid->addWidget(new QLabel(qtString(colourLabels[colour]), limitsGroup_), row, 0);
        addLimitRow(static_cast<ChromaLimit>(2 * colour), limitsGroup_);
        addLimitRow(static_cast<ChromaLimit>(2 * colour + 1), limitsGroup_);
        grid->addWidget(sliders_[2 * colour], row, 1);
        grid->addWidget(edits_[2 * colour], row, 2);
        grid->addWidget(sliders_[2 * colour + 1], row, 3);
        grid->addWidget(edits_[2 * colour + 1], row, 4);
    }
    return limitsGroup_;
}

void ChromaKeyDialog::addLimitRow(ChromaLimit limit, QWidget* parent)
{
    const LimitIds& controlIds = limitIds[indexOf(limit)];
    auto* slider = withId(new QSlider(Qt::Horizontal, parent), controlIds.slider);
    slider->setRange(ChromaKeyLimits::lowest, ChromaKeyLimits::highest);
    slider->setPageStep(pageStep);
    slider->setMinimumWidth(sliderWidth);
    // A drag ends at the release; a key or a click on the groove is a whole move of its own.
    connect(slider, &QSlider::valueChanged, this, [this, limit, slider](int position) {
        limitMoved(limit, position);
        if (!slider->isSliderDown())
            endTracking();
    });
    connect(slider, &QSlider::sliderReleased, this, [this] { endTracking(); });
    auto* edit = withId(new CheckedEdit(controlIds.edit, CheckedEdit::Mode::chromaKey, parent),
                        controlIds.edit);
    edit->setMaxLength(editCharacters);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-0000")) + 12);
    edit->setCheck([this, limit](CheckedEdit& box) { return limitTyped(limit, box); });
    sliders_[indexOf(limit)] = slider;
    edits_[indexOf(limit)] = edit;
}

QGroupBox* ChromaKeyDialog::createPresetsGroup()
{
    presetsGroup_ = new QGroupBox(qtString(StringId::chromaPresetsGroup), this);
    auto* grid = new QGridLayout(presetsGroup_);
    for (std::size_t i = 0; i < presetButtons.size(); ++i) {
        const PresetButton& preset = presetButtons[i];
        auto* button = withId(new QPushButton(qtString(preset.caption), presetsGroup_), preset.id);
        connect(button, &QPushButton::clicked, this, [this, choice = preset.preset] {
            control_.applyPreset(choice);
            showLimits();
        });
        grid->addWidget(button, static_cast<int>(i / 4), static_cast<int>(i % 4));
    }
    return presetsGroup_;
}

void ChromaKeyDialog::initialise()
{
    control_.initialise();
    showMode();
    showLimits();
}

void ChromaKeyDialog::endTracking()
{
    // Limits the device did not take give way to the ones it holds.
    if (!control_.endTracking())
        showLimits();
}

void ChromaKeyDialog::limitMoved(ChromaLimit limit, int position)
{
    const int kept = control_.track(limit, position);
    QSlider& slider = *sliders_[indexOf(limit)];
    if (kept != position) {
        const QSignalBlocker blocker(slider);
        slider.setValue(kept);
        slider.setSliderPosition(kept);
    }
    edits_[indexOf(limit)]->setText(QString::number(kept));
}

bool ChromaKeyDialog::limitTyped(ChromaLimit limit, CheckedEdit& edit)
{
    LineEditControl box(edit);
    const bool accepted = control_.commitEdit(limit, box);
    const QSignalBlocker blocker(sliders_[indexOf(limit)]);
    sliders_[indexOf(limit)]->setValue(control_.limits()[limit]);
    return accepted;
}

void ChromaKeyDialog::showLimits()
{
    for (std::size_t i = 0; i < sliders_.size(); ++i) {
        const int value = control_.limits().values[i];
        const QSignalBlocker blocker(sliders_[i]);
        sliders_[i]->setValue(value);
        edits_[i]->setText(QString::number(value));
        edits_[i]->setModified(false);
    }
}

void ChromaKeyDialog::showMode()
{
    const bool on = control_.chromaKeyOn();
    (on ? chromaKey_ : insert_)->setChecked(true);
    limitsGroup_->setEnabled(on);
    presetsGroup_->setEnabled(on);
}

} // namespace kivo::gui
