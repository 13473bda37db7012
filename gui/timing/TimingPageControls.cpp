#include "gui/timing/TimingPageControls.h"

#include "gui/app/ControlId.h"
#include "gui/app/QtStrings.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>

namespace kivo::gui {
namespace {

constexpr int fromQuadrixId = 1109;
constexpr int fromKivoId = 1110;

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
    auto* fromQuadrix =
        withId(new QRadioButton(qtString(StringId::loadFromQuadrixCaption), group), fromQuadrixId);
    auto* fromKivo =
        withId(new QRadioButton(qtString(StringId::loadFromKivoCaption), group), fromKivoId);
    fromQuadrix->setChecked(true);
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(fromQuadrix);
    layout->addWidget(fromKivo);
    QObject::connect(fromQuadrix, &QRadioButton::clicked, group, [load] { load(true); });
    QObject::connect(fromKivo, &QRadioButton::clicked, group, [load] { load(false); });
    return group;
}

} // namespace kivo::gui
