#pragma once

#include "core/link/DescriptorLink.h"

#include <memory>
#include <string>

namespace kivo {

// A raw TCP connection to a serial-to-Ethernet converter, named "tcp:HOST:PORT".
class TcpLink final : public DescriptorLink {
public:
    static constexpr std::string_view scheme = "tcp:";
    // Converters pack the line into packets, sent when a buffer fills or the line has been
    // quiet for a while, and the network adds its own delays: well over 100 ms between the
    // parts of one reply is common.
    static constexpr int converterPauseMs = 500;

    // Connects within a few seconds; on failure returns null and says why in `error`.
    static std::unique_ptr<TcpLink> open(const std::string& name, ReadTimeouts timeouts,
                                         std::string& error);

    std::size_t purgeReceive() override;
    int pauseMs() const override { return converterPauseMs; }

protected:
    ssize_t writeSome(const char* data, std::size_t size) override;
    std::string hangUpText() const override { return "the converter closed the connection"; }

private:
    TcpLink(int socket, ReadTimeouts timeouts) : DescriptorLink(socket, timeouts) {}
};

} // namespace kivo
