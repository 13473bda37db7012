#pragma once

#include "sim/QuadrixDevice.h"

#include "core/link/Link.h"

#include <string>

namespace kivo::sim {

// The simulated Quadrix inside the panel's process, behind the same Link as a serial port.
// It has no clock: what was written is run when the panel next reads, so a purge of the
// receive queue, before or after a write, never drops the answer.
class SimLink final : public kivo::Link {
public:
    explicit SimLink(QuadrixOptions options = {});

    long write(std::string_view bytes) override;
    long read(std::span<char> buffer) override;
    std::size_t purgeReceive() override;
    void close() override;
    // A simulated device fails only once it is closed.
    std::string errorText() const override;
    // The device has answered by the time it is read: a read never waits.
    int readTimeoutMs() const override { return 0; }

    QuadrixDevice& device() { return device_; }

private:
    QuadrixDevice device_;
    std::string input_;
    std::string output_;
    bool open_ = true;
};

} // namespace kivo::sim
