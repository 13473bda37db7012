#pragma once

#include "app/StreamLink.h"

#include <memory>
#include <string>

namespace kivo {

// A raw TCP connection to a serial-to-Ethernet converter, named "tcp:HOST:PORT".
class TcpLink final : public StreamLink {
public:
    static constexpr std::string_view scheme = "tcp:";

    ~TcpLink() override;

    // Connects within a few seconds; on failure returns null and says why in `error`.
    static std::unique_ptr<TcpLink> open(const std::string& name, ReadTimeouts timeouts,
                                         std::string& error);

    long write(std::string_view bytes) override;
    void purgeReceive() override;
    void close() override;

protected:
    long readAvailable(std::span<char> buffer, int timeoutMs) override;

private:
    TcpLink(int socket, ReadTimeouts timeouts);

    int socket_;
};

} // namespace kivo
