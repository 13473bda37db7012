#pragma once

#include <memory>
#include <string>

namespace kivo::sim {

// The listening socket of quadrix-sim --tcp: 127.0.0.1 only, one client at a time.
class TcpListener {
public:
    // The listener, or nullptr with error set (port in use, ...).
    static std::unique_ptr<TcpListener> open(int port, std::string& error);
    ~TcpListener();
    TcpListener(const TcpListener&) = delete;
    TcpListener& operator=(const TcpListener&) = delete;

    int fd() const { return fd_; }
    // A new client's socket, non-blocking, or -1.
    int accept() const;

private:
    explicit TcpListener(int fd);

    int fd_;
};

} // namespace kivo::sim
