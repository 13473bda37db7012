#include "gui/inputs/InputTimingDialog.h"

#include "gui/base/ControlId.h"
#include "gui/inputs/InputTimingDialogIds.h"

#include "core/inputs/InputTimingTarget.h"
#include "core/panel/PanelSession.h"

namespace kivo::gui {

InputTimingDialog::InputTimingDialog(PanelSession& session, int window, QWidget* parent)
    : TimingDialog(inputSetup,
                   std::make_unique<InputTimingTarget>(
                       window, session.mirror().window(window).inputTiming, session.inputWindows()),
                   session, parent)
{
    withId(this, inputTimingDialogIds::dialog);
    setWindowTitle(QString::fromStdString(formatString(StringId::inputTimingTitle, window)));
}

} // namespace kivo::gui
