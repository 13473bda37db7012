#pragma once

#include "core/app/DescriptorLink.h"

#include <memory>
#include <string>

namespace kivo {

// A raw TCP connection to a serial-to-Ethernet converter, named "tcp:HOST:PORT".
class TcpLink final : public DescriptorLink {
public:
    static constexpr std::string_view scheme = "tcp:";

    // Connects within a few seconds; on failure returns null and says why in `error`.
    static std::unique_ptr<TcpLink> open(const std::string& name, ReadTimeouts timeouts,
                                         std::string& error);

    void purgeReceive() override;

protected:
    ssize_t writeSome(const char* data, std::size_t size) override;
    std::string hangUpText() const override { return "the converter closed the connection"; }

private:
    TcpLink(int socket, ReadTimeouts timeouts) : DescriptorLink(socket, timeouts) {}
};

} // namespace kivo
