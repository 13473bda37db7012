#pragma once

#include "gui/base/PropertyPage.h"

#include "core/base/ProgressSink.h"
#include "core/terminal/TerminalModel.h"

#include <functional>
#include <string>
#include <string_view>

class QCheckBox;
class QLabel;
class QProgressBar;

namespace kivo {
class PanelSession;
class Prompter;
class TerminalConsole;
class TrafficTrace;
} // namespace kivo

namespace kivo::gui {

class TerminalEdit;

// The Terminal page: a plain terminal on the Quadrix's command line. It draws the Terminal
// model (the traffic, the commands other pages send, the operator's line) and hands what the
// operator types to the console. During a bring-up it shows its progress bar and labels
// instead.
class TerminalPage final : public PropertyPage, public TerminalView, public ProgressSink {
    Q_OBJECT
public:
    static constexpr int helpContextId = 8;

    TerminalPage(PanelSession& session, QWidget* parent);
    ~TerminalPage() override;

    void onSetActive() override;
    void onKillActive() override;

    // The text box during normal work, the progress controls during a bring-up.
    void showBringUpProgress(bool shown);
    void showAbortHint(const std::string& text);

    TerminalEdit& edit() { return *edit_; }
    QProgressBar& progressBar() { return *progressBar_; }
    QLabel& progressLabel() { return *progressLabel_; }
    QLabel& abortHintLabel() { return *abortHint_; }
    QCheckBox& traceBox() { return *traceBox_; }

    // Asks the operator where the traffic trace goes; empty when the choice was cancelled.
    std::function<QString()> chooseTraceFile;

    // TerminalView
    void textAppended(std::string_view added) override;
    void textReplaced() override;

    // ProgressSink
    void stepProgress() override;
    void setProgressPosition(int position) override;
    void setProgressStep(int step) override;
    void showProgressText(const std::string& text) override;

private:
    void createProgressControls();
    QCheckBox* createTraceBox();
    void connectEdit();
    void traceToggled(bool on);
    void showTraceState();

    TerminalModel& model_;
    TerminalConsole& console_;
    TrafficTrace& trace_;
    Prompter& prompter_;
    TerminalEdit* edit_;
    QProgressBar* progressBar_ = nullptr;
    QLabel* progressLabel_ = nullptr;
    QLabel* abortHint_ = nullptr;
    QCheckBox* traceBox_ = nullptr;
    int progressStep_ = 7;
};

} // namespace kivo::gui
