#pragma once

#include "gui/app/PropertyPage.h"

#include "core/app/ProgressSink.h"
#include "core/app/TerminalSink.h"

#include <cstddef>

class QLabel;
class QProgressBar;

namespace kivo {
class CommandChannel;
class PanelApp;
} // namespace kivo

namespace kivo::gui {

class TerminalEdit;

// The Terminal page: a plain terminal on the Quadrix's command line. The operator types after
// the prompt and sees the replies as they arrive; the commands the other pages send are echoed
// here too. During a bring-up the page shows its progress bar and labels instead.
class CPage9 final : public PropertyPage, public TerminalSink, public ProgressSink {
    Q_OBJECT
public:
    static constexpr int helpContextId = 8;
    static constexpr int editId = 1000;

    CPage9(PanelApp& app, CommandChannel& channel, QWidget* parent);

    void onSetActive() override;
    void onKillActive() override;

    // The text box during normal work, the progress controls during a bring-up.
    void showBringUpProgress(bool shown);
    void showAbortHint(const std::string& text);

    TerminalEdit& edit() { return *edit_; }
    QProgressBar& progressBar() { return *progressBar_; }
    QLabel& progressLabel() { return *progressLabel_; }
    QLabel& abortHintLabel() { return *abortHint_; }
    bool ready() const { return ready_; }
    int lineCount() const { return lineCount_; }
    int textLength() const { return textLength_; }

    // TerminalSink: the text as the channel sees it, lines broken by "\r\r\n".
    std::string text() const override;
    void setText(const std::string& text, std::size_t caret) override;
    void appendText(const std::string& text) override;

    // ProgressSink
    void stepProgress() override;
    void setProgressPosition(int position) override;
    void setProgressStep(int step) override;
    void showProgressText(const std::string& text) override;

private:
    void createProgressControls();
    void textEdited();
    void sendFinishedLine();
    void ensurePrompt();

    PanelApp& app_;
    CommandChannel& channel_;
    TerminalEdit* edit_;
    QProgressBar* progressBar_ = nullptr;
    QLabel* progressLabel_ = nullptr;
    QLabel* abortHint_ = nullptr;
    bool ready_ = false;
    int lineCount_ = 1;
    int textLength_ = 0;
    int progressStep_ = 7;
};

} // namespace kivo::gui
