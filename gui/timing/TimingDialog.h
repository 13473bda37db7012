#pragma once

#include "core/timing/TimingForm.h"
#include "core/timing/TimingTarget.h"
#include "gui/timing/TimingEditor.h"

#include <QDialog>

#include <functional>
#include <memory>

class QPushButton;
class QVBoxLayout;

namespace kivo {
class PanelSession;
struct PanelState;
} // namespace kivo

namespace kivo::gui {

// What the Output Timing and Input Timing dialogs share: the timing editor over its form and
// the Apply Changes, Cancel Changes, Reset and Done buttons. The dialog opens over the timing
// as it is then.
class TimingDialog : public QDialog {
    Q_OBJECT
public:
    // Reads the timing from the device under the wait cursor, shows it and runs the dialog
    // until it is closed.
    void run();

    struct Setup {
        const TimingFormKind& kind;
        CheckedEdit::Mode mode;
        TimingEditor::SyncButtonIds syncIds;
        TimingList PanelState::*list; // the page's list, whose Delete an Apply disables
    };

protected:
    // The setups of the Output Timing and Input Timing dialogs.
    static const Setup outputSetup;
    static const Setup inputSetup;

    TimingDialog(const Setup& setup, std::unique_ptr<TimingTarget> target, PanelSession& session,
                 QWidget* parent);

private:
    // A button whose action changes the form, which the dialog then shows.
    QPushButton* addButton(StringId caption, int id, QVBoxLayout& column,
                           const std::function<void()>& action);
    // Takes the target's timing as the one the dialog opens with, and shows it.
    void openOnTiming();
    void showForm();
    void radiosClicked();

    std::unique_ptr<TimingTarget> target_;
    TimingEditor* editor_;
    TimingForm form_;
};

} // namespace kivo::gui
