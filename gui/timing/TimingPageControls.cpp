#include "gui/timing/TimingPageControls.h"

#include "gui/base/ControlId.h"
#include "gui/base/QtStrings.h"
#include "gui/timing/TimingPageIds.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kivo::gui {
namespace {

namespace ids = timingPageIds;

constexpr int numberCharacters = 2;
constexpr int nameCharacters = 17;

} // namespace

QPushButton* makePageButton(StringId caption, int id, QWidget* parent)
{
    auto* button = withId(new QPushButton(qtString(caption), parent), id);
    button->setAutoDefault(false);
    return button;
}

CheckedEdit* makeAddBox(int id, CheckedEdit::Mode mode, int characters, QWidget* parent)
{
    auto* box = withId(new CheckedEdit(id, mode, parent), id);
    box->setMaxLength(characters);
    box->setMinimumWidth(box->fontMetrics().averageCharWidth() * (characters + 3));
    return box;
}

AddGroup createAddGroup(StringId caption, int numberId, StringId nameLabel, QWidget* parent)
{
    auto* group = new QGroupBox(qtString(caption), parent);
    AddGroup controls{
        group,
        makeAddBox(numberId, CheckedEdit::Mode::routedNumber, numberCharacters, group),
        makeAddBox(ids::name, CheckedEdit::Mode::routed, nameCharacters, group),
        makePageButton(StringId::addSettingCaption, ids::add, group),
    };
    auto* layout = new QGridLayout(group);
    layout->addWidget(new QLabel(qtString(StringId::settingNumberLabel), group), 0, 0);
    layout->addWidget(controls.number, 0, 1);
    layout->addWidget(new QLabel(qtString(nameLabel), group), 1, 0);
    layout->addWidget(controls.name, 1, 1);
    layout->addWidget(controls.add, 0, 2, 2, 1);
    layout->setColumnStretch(1, 1);
    return controls;
}

TimingGroup createTimingGroup(StringId caption, int interactiveAdjustmentId, QWidget* parent)
{
    auto* group = new QGroupBox(qtString(caption), parent);
    TimingGroup controls{
        group,
        makePageButton(StringId::interactiveAdjustmentCaption, interactiveAdjustmentId, group),
        makePageButton(StringId::advancedCaption, ids::advanced, group),
    };
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(controls.interactiveAdjustment);
    layout->addWidget(controls.advanced);
    return controls;
}

void showAddBox(CheckedEdit& box, const std::string& text)
{
    if (box.text().toStdString() == text)
        return;
    box.setText(QString::fromStdString(text));
    box.setModified(false);
}

QGroupBox* createListSourceGroup(QWidget* parent, std::function<void(bool)> load)
{
    auto* group = new QGroupBox(qtString(StringId::loadListGroup), parent);
    auto* fromQuadrix = withId(new QRadioButton(qtString(StringId::loadFromQuadrixCaption), group),
                               ids::fromQuadrix);
    auto* fromKivo =
        withId(new QRadioButton(qtString(StringId::loadFromKivoCaption), group), ids::fromKivo);
    fromQuadrix->setChecked(true);
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(fromQuadrix);
    layout->addWidget(fromKivo);
    QObject::connect(fromQuadrix, &QRadioButton::clicked, group, [load] { load(true); });
    QObject::connect(fromKivo, &QRadioButton::clicked, group, [load] { load(false); });
    return group;
}

} // namespace kivo::gui
