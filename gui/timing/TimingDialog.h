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
    void showForm();
    void radiosClicked();

    std::unique_ptr<TimingTarget> target_;
    TimingEditor* editor_;
    TimingForm form_;
};

} // namespace kivo::gui
