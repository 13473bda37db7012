#pragma once

#include "core/image/SourceSteps.h"

#include <QPushButton>
#include <QTimer>

namespace kivo::gui {

// A zoom or pan button that repeats while held: it beats every 500 ms from the press until
// it is released or stopped. Whether a beat makes a step is the core's AutoRepeat's to say;
// the page listens to the beats, and the click at release makes one step more.
class AutoRepeatButton final : public QPushButton {
    Q_OBJECT
public:
    static constexpr int timerId = 2;

    AutoRepeatButton(ZoomKind kind, QWidget* parent);

    ZoomKind kind() const { return kind_; }
    // False when the timer could not be started: the button then only clicks.
    bool startRepeating();
    void stopRepeating() { timer_.stop(); }
    const QTimer& repeatTimer() const { return timer_; }

Q_SIGNALS:
    void beat();

private:
    ZoomKind kind_;
    QTimer timer_;
};

} // namespace kivo::gui
