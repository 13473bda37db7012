#include "gui/timing/AdjustDialog.h"

#include "gui/base/ControlId.h"
#include "gui/base/QtStrings.h"
#include "gui/timing/AdjustDialogIds.h"

#include "core/panel/PanelSession.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kivo::gui {
namespace {

namespace ids = adjustDialogIds;

constexpr int arrowSize = 20;
constexpr int arrowButtonWidth = 44;
constexpr int arrowButtonHeight = 32;

} // namespace

AdjustDialog::AdjustDialog(std::unique_ptr<TimingTarget> target, const AdjusterFor& adjusterFor,
                           QWidget* parent)
    : QDialog(parent), target_(std::move(target)), adjuster_(adjusterFor(*target_))
{
}

PositionAdjuster::Seams AdjustDialog::adjusterSeams(PanelSession& session)
{
    return {session.app(), session.channel(), session.seams().prompter};
}

bool AdjustDialog::start() { return adjuster_.start(); }

void AdjustDialog::run()
{
    if (start())
        exec();
}

QPushButton* AdjustDialog::keyButton(StringId caption, int id, AdjustKey key, QWidget* parent)
{
    auto* button = withId(new QPushButton(qtString(caption), parent), id);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, key] { adjuster_.press(key); });
    return button;
}

QPushButton* AdjustDialog::arrowButton(ArrowPicture::Direction direction, int id, AdjustKey key,
                                       QWidget* parent)
{
    auto* button = withId(new QPushButton(parent), id);
    button->setIcon(QIcon(new ArrowPicture(direction)));
    button->setIconSize(QSize(arrowSize, arrowSize));
    button->setFixedSize(arrowButtonWidth, arrowButtonHeight);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, key] { adjuster_.press(key); });
    return button;
}

QGroupBox* AdjustDialog::createArrowPad(StringId caption, QWidget* centre)
{
    auto* group = withId(new QGroupBox(qtString(caption), this), ids::positionGroup);
    auto* grid = new QGridLayout(group);
    grid->addWidget(arrowButton(ArrowPicture::Direction::up, ids::up, AdjustKey::up, group), 0, 1,
                    Qt::AlignCenter);
    grid->addWidget(arrowButton(ArrowPicture::Direction::left, ids::left, AdjustKey::left, group),
                    1, 0, Qt::AlignCenter);
    grid->addWidget(
        arrowButton(ArrowPicture::Direction::right, ids::right, AdjustKey::right, group), 1, 2,
        Qt::AlignCenter);
    grid->addWidget(arrowButton(ArrowPicture::Direction::down, ids::down, AdjustKey::down, group),
                    2, 1, Qt::AlignCenter);
    if (centre) {
        centre->setParent(group);
        grid->addWidget(centre, 1, 1, Qt::AlignCenter);
    }
    return group;
}

void AdjustDialog::finishLayout(QLayout* keys, StringId instruction)
{
    auto* closeButtons = new QVBoxLayout;
    addCloseButtons(*closeButtons);
    auto* top = new QHBoxLayout;
    top->addLayout(keys);
    top->addLayout(closeButtons);
    auto* text = withId(new QLabel(qtString(instruction), this), ids::instruction);
    text->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(text);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AdjustDialog::addCloseButtons(QVBoxLayout& column)
{
    auto* ok = withId(new QPushButton(qtString(StringId::okCaption), this), ids::ok);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = withId(new QPushButton(qtString(StringId::cancelCaption), this), ids::cancel);
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    column.addWidget(ok);
    column.addWidget(cancel);
    column.addStretch();
}

void AdjustDialog::done(int result)
{
    adjuster_.finish(result == QDialog::Accepted);
    QDialog::done(result);
}

} // namespace kivo::gui
