#include "gui/output/OutputTimingDialog.h"

#include "gui/base/ControlId.h"
#include "gui/base/QtStrings.h"
#include "gui/output/OutputTimingDialogIds.h"

#include "core/output/OutputTimingTarget.h"
#include "core/panel/PanelSession.h"

namespace kivo::gui {

OutputTimingDialog::OutputTimingDialog(PanelSession& session, QWidget* parent)
    : TimingDialog(outputSetup,
                   std::make_unique<OutputTimingTarget>(session.mirror().outputTiming,
                                                        session.mirror().outputFreeRun,
                                                        session.bringUp()),
                   session, parent)
{
    withId(this, outputTimingDialogIds::dialog);
    setWindowTitle(qtString(StringId::outputTimingTitle));
}

} // namespace kivo::gui
