#include "gui/inputs/AdjustInputDialog.h"

#include "gui/base/ControlId.h"
#include "gui/base/QtStrings.h"
#include "gui/inputs/AdjustInputDialogIds.h"

#include "core/inputs/InputTimingTarget.h"
#include "core/panel/PanelSession.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>

#include <array>

namespace kivo::gui {
namespace {

struct SizeButton {
    StringId caption;
    int id;
    AdjustKey key;
};
// Two rows: width, then height; increase on the left.
constexpr std::array<SizeButton, 4> sizeButtons{{
    {StringId::increaseWidthCaption, adjustInputDialogIds::increaseWidth, AdjustKey::increaseWidth},
    {StringId::decreaseWidthCaption, adjustInputDialogIds::decreaseWidth, AdjustKey::decreaseWidth},
    {StringId::increaseHeightCaption, adjustInputDialogIds::increaseHeight,
     AdjustKey::increaseHeight},
    {StringId::decreaseHeightCaption, adjustInputDialogIds::decreaseHeight,
     AdjustKey::decreaseHeight},
}};

} // namespace

AdjustInputDialog::AdjustInputDialog(PanelSession& session, int window, QWidget* parent)
    : AdjustDialog(
          std::make_unique<InputTimingTarget>(window, session.mirror().window(window).inputTiming,
                                              session.inputWindows()),
          [&session](TimingTarget& input) {
              return PositionAdjuster::forInput(adjusterSeams(session), input);
          },
          parent)
{
    withId(this, adjustInputDialogIds::dialog);
    setWindowTitle(QString::fromStdString(formatString(StringId::inputAdjustTitle, window)));
    auto* keys = new QHBoxLayout;
    keys->addWidget(createArrowPad(StringId::adjustInputGroup, nullptr));
    keys->addWidget(createSizeGroup());
    finishLayout(keys, StringId::adjustInputInstruction);
}

QGroupBox* AdjustInputDialog::createSizeGroup()
{
    auto* group = withId(new QGroupBox(qtString(StringId::adjustSizeGroup), this),
                         adjustInputDialogIds::sizeGroup);
    auto* grid = new QGridLayout(group);
    for (std::size_t i = 0; i < sizeButtons.size(); ++i) {
        const SizeButton& size = sizeButtons[i];
        grid->addWidget(keyButton(size.caption, size.id, size.key, group), static_cast<int>(i / 2),
                        static_cast<int>(i % 2));
    }
    return group;
}

} // namespace kivo::gui
