#include "gui/output/AdjustOutputDialog.h"

#include "gui/base/ControlId.h"
#include "gui/base/QtStrings.h"

#include "core/output/OutputTimingTarget.h"
#include "core/panel/PanelSession.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>

namespace kivo::gui {

AdjustOutputDialog::AdjustOutputDialog(PanelSession& session, QWidget* parent)
    : AdjustDialog(
          std::make_unique<OutputTimingTarget>(session.mirror().outputTiming,
                                               session.mirror().outputFreeRun, session.bringUp()),
          [&session](TimingTarget& output) {
              return PositionAdjuster::forOutput(adjusterSeams(session), output,
                                                 session.mirror().firmwareRevision);
          },
          parent)
{
    constexpr int dialogId = 150;
    constexpr int switchId = 1123;
    withId(this, dialogId);
    setWindowTitle(qtString(StringId::adjustOutputTitle));
    auto* keys = new QHBoxLayout;
    keys->addWidget(createArrowPad(
        StringId::adjustVideoGroup,
        keyButton(StringId::switchImagesCaption, switchId, AdjustKey::switchImages, this)));
    finishLayout(keys, StringId::adjustOutputInstruction);
}

} // namespace kivo::gui
