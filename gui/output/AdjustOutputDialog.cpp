#include "gui/output/AdjustOutputDialog.h"

#include "gui/base/ControlId.h"
#include "gui/base/QtStrings.h"
#include "gui/output/AdjustOutputDialogIds.h"

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
    withId(this, adjustOutputDialogIds::dialog);
    setWindowTitle(qtString(StringId::adjustOutputTitle));
    auto* keys = new QHBoxLayout;
    keys->addWidget(
        createArrowPad(StringId::adjustVideoGroup,
                       keyButton(StringId::switchImagesCaption, adjustOutputDialogIds::switchImages,
                                 AdjustKey::switchImages, this)));
    finishLayout(keys, StringId::adjustOutputInstruction);
}

} // namespace kivo::gui
