#pragma once

#include <QObject>

#include <array>

class QSocketNotifier;

namespace kivo::gui {

// Turns SIGTERM, SIGHUP and SIGINT (a kill, a logout, Ctrl-C in the terminal that started the
// panel) into a Qt signal on the GUI thread, so the panel can end in order. The handler only
// writes the signal's number into a pipe; a socket notifier reads it when the events are next
// processed, which a device exchange under way does too. One exists at a time.
class StopSignalNotifier final : public QObject {
    Q_OBJECT
public:
    explicit StopSignalNotifier(QObject* parent = nullptr);
    // The signals end the process again, as they did before.
    ~StopSignalNotifier() override;

Q_SIGNALS:
    void stopRequested(int signal);

private:
    void readSignal();

    std::array<int, 2> pipe_{-1, -1};
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace kivo::gui
