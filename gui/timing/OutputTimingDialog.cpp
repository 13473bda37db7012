#include "gui/timing/OutputTimingDialog.h"

#include "gui/app/ControlId.h"
#include "gui/app/QtStrings.h"

#include "core/mirror/PanelSession.h"

namespace kivo::gui {

OutputTimingDialog::OutputTimingDialog(PanelSession& session, QWidget* parent)
    : TimingDialog(outputSetup,
                   std::make_unique<OutputTimingTarget>(session.mirror().outputTiming,
                                                        session.mirror().outputFreeRun,
                                                        session.bringUp()),
                   session, parent)
{
    constexpr int dialogId = 142;
    withId(this, dialogId);
    setWindowTitle(qtString(StringId::outputTimingTitle));
}

} // namespace kivo::gui
