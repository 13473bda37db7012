#pragma once

#include <QLineEdit>

#include <functional>

namespace kivo::gui {

// An edit box that commits its value on Enter or Tab rather than when the focus merely moves.
// The owner's check runs before the key takes effect: a refused value keeps the focus, and
// Enter never reaches the window's default button. The Terminal's command line, which is
// never checked, is the TerminalEdit.
class CheckedEdit : public QLineEdit {
    Q_OBJECT
public:
    // Which check the box uses: the main window's editCommitted router (0 and 2), or the field
    // check of the input timing (6), output timing (7) or chroma-key (8) dialog.
    enum class Mode {
        routed = 0,
        routedNumber = 2,
        inputTiming = 6,
        outputTiming = 7,
        chromaKey = 8
    };
    using Check = std::function<bool(CheckedEdit&)>;

    CheckedEdit(int controlId, Mode mode, QWidget* parent);

    int controlId() const { return controlId_; }
    Mode mode() const { return mode_; }
    // The field check of a dialog box (modes 6, 7 and 8).
    void setCheck(Check check) { check_ = std::move(check); }

    // True when the key that started the running check was Tab, false for Enter.
    bool tabPressed() const { return tabPressed_; }
    // Set by every character typed; cleared when the box loses the focus.
    bool typedSinceFocus() const { return typedSinceFocus_; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool runCheck(bool tab);

    int controlId_;
    Mode mode_;
    Check check_;
    bool tabPressed_ = false;
    bool typedSinceFocus_ = false;
};

} // namespace kivo::gui
