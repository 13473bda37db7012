#include "gui/panel/StopSignalNotifier.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kivo::gui {
namespace {

constexpr std::array stopSignals{SIGTERM, SIGHUP, SIGINT};

// A signal handler can reach only what is global; it is set while a notifier lives.
int signalPipeWriteEnd = -1;

void writeSignal(int signal)
{
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signal);
    // A full pipe already holds a request to stop: losing this one loses nothing.
    [[maybe_unused]] const ssize_t written = ::write(signalPipeWriteEnd, &byte, 1);
    errno = savedErrno;
}

void handleStopSignals(void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    // The device exchange a signal interrupts goes on; the panel ends after it.
    action.sa_flags = SA_RESTART;
    for (const int signal : stopSignals)
        ::sigaction(signal, &action, nullptr);
}

} // namespace

StopSignalNotifier::StopSignalNotifier(QObject* parent) : QObject(parent)
{
    if (::pipe2(pipe_.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning("kivo: no pipe for the stop signals: %s", std::strerror(errno));
        return;
    }
    signalPipeWriteEnd = pipe_[1];
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &StopSignalNotifier::readSignal);
    handleStopSignals(writeSignal);
}

StopSignalNotifier::~StopSignalNotifier()
{
    if (pipe_[0] < 0)
        return;
    handleStopSignals(SIG_DFL);
    signalPipeWriteEnd = -1;
    for (const int end : pipe_)
        ::close(end);
}

void StopSignalNotifier::readSignal()
{
    unsigned char byte = 0;
    while (::read(pipe_[0], &byte, 1) == 1)
        Q_EMIT stopRequested(byte);
}

} // namespace kivo::gui
