// quadrix-sim: serves the simulated Quadrix on a pseudo-terminal or on a TCP port until
// SIGINT or SIGTERM.

#include "sim/CommandLog.h"
#include "sim/DeviceServer.h"
#include "sim/PseudoTerminal.h"
#include "sim/QuadrixDevice.h"
#include "sim/ServerOptions.h"
#include "sim/TcpListener.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>
#include <poll.h>
#include <span>
#include <string>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

using kivo::sim::DeviceServer;

constexpr int usageError = 2;
constexpr int runError = 1;

int fail(const std::string& message, int status)
{
    std::fprintf(stderr, "quadrix-sim: %s\n", message.c_str());
    return status;
}

void reportOverrun(const char* what)
{
    std::fprintf(stderr, "quadrix-sim: %s (more than %zu bytes waiting)\n", what,
                 DeviceServer::maxBacklog);
}

// SIGINT and SIGTERM arrive as a readable descriptor, so poll() sees them.
int stopDescriptor()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigprocmask(SIG_BLOCK, &signals, nullptr);
    return signalfd(-1, &signals, SFD_CLOEXEC);
}

// False when a signal came first.
bool waitForClient(int listenerFd, int stopFd)
{
    std::array<pollfd, 2> fds{{{listenerFd, POLLIN, 0}, {stopFd, POLLIN, 0}}};
    while (poll(fds.data(), fds.size(), -1) < 0) {
        if (errno != EINTR)
            return false;
    }
    return fds[1].revents == 0;
}

int servePty(DeviceServer& server, const std::string& path, int baud, int stopFd)
{
    std::string error;
    const std::unique_ptr<kivo::sim::PseudoTerminal> pty =
        kivo::sim::PseudoTerminal::open(path, baud, error);
    if (!pty)
        return fail(error, runError);
    server.watchLineSpeed([&pty] { return pty->clientSpeed(); });
    std::printf("quadrix-sim: serving on %s (%s)\n", path.c_str(), pty->slavePath().c_str());
    std::fflush(stdout);
    // The terminal cannot be hung up on: unread answers past the bound are thrown away, as a
    // serial line loses what nobody listens to, and serving goes on.
    DeviceServer::End end;
    while ((end = server.serve(pty->masterFd(), stopFd)) == DeviceServer::End::overrun)
        reportOverrun("dropped the unread answers on the terminal");
    if (end == DeviceServer::End::gone)
        return fail("the device vanished, as asked", 0);
    return end == DeviceServer::End::stopped ? 0 : fail("the terminal failed", runError);
}

int serveTcp(DeviceServer& server, int port, int stopFd)
{
    std::string error;
    const std::unique_ptr<kivo::sim::TcpListener> listener =
        kivo::sim::TcpListener::open(port, error);
    if (!listener)
        return fail(error, runError);
    std::printf("quadrix-sim: serving on 127.0.0.1:%d\n", port);
    std::fflush(stdout);
    // One client at a time; the device and its state stay between clients.
    while (waitForClient(listener->fd(), stopFd)) {
        const int client = listener->accept();
        if (client < 0)
            continue;
        const DeviceServer::End end = server.serve(client, stopFd);
        close(client);
        if (end == DeviceServer::End::overrun)
            reportOverrun("dropped a client that did not read its answers");
        if (end == DeviceServer::End::stopped)
            return 0;
        if (end == DeviceServer::End::gone)
            return fail("the device vanished, as asked", 0);
        if (end == DeviceServer::End::failed)
            return fail("poll failed", runError);
    }
    return 0;
}

std::optional<kivo::sim::QuadrixOptions> deviceOptions(const kivo::sim::ServerOptions& options,
                                                       std::string& error)
{
    kivo::sim::QuadrixOptions device;
    device.windowCount = options.windows;
    device.pageLines = options.pageLines;
    device.silentAfter = options.silentAfter;
    device.endlessPagingAfter = options.endlessPagingAfter;
    device.reference.lockAfterMs = options.autosyncMs;
    device.factoryReply = options.factoryReply;
    device.misbehaviour = options.misbehaviour;
    device.misbehaveFrom = options.misbehaveFrom;
    if (options.baud != 0)
        device.baud = options.baud;
    if (!options.repliesPath.empty()) {
        std::optional<kivo::sim::FixedReplies> replies =
            kivo::sim::FixedReplies::load(options.repliesPath, error);
        if (!replies)
            return std::nullopt;
        device.fixedReplies = std::move(*replies);
    }
    return device;
}

} // namespace

int main(int argc, char** argv)
{
    std::string error;
    const std::span<const char* const> args(const_cast<const char* const*>(argv) + 1,
                                            static_cast<std::size_t>(argc - 1));
    const std::optional<kivo::sim::ServerOptions> options =
        kivo::sim::ServerOptions::parse(args, error);
    if (!options)
        return fail(error, usageError);
    if (options->help) {
        std::fputs(kivo::sim::ServerOptions::usage(), stdout);
        return 0;
    }
    std::optional<kivo::sim::QuadrixOptions> device = deviceOptions(*options, error);
    if (!device)
        return fail(error, usageError);
    std::unique_ptr<kivo::sim::CommandLog> log;
    if (!options->logPath.empty() && !(log = kivo::sim::CommandLog::open(options->logPath, error)))
        return fail(error, usageError);

    kivo::sim::QuadrixDevice quadrix(std::move(*device));
    if (log)
        quadrix.setCommandObserver([&log](std::string_view bytes) { log->record(bytes); });
    std::signal(SIGPIPE, SIG_IGN);
    const int stopFd = stopDescriptor();
    if (stopFd < 0)
        return fail("cannot watch for signals", runError);
    DeviceServer server(quadrix, options->baud != 0, std::chrono::milliseconds(options->latencyMs));
    return options->ptyPath.empty()
               ? serveTcp(server, options->tcpPort, stopFd)
               : servePty(server, options->ptyPath, quadrix.state().baud, stopFd);
}
