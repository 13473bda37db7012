#pragma once

#include "sim/QuadrixDevice.h"

#include <string>
#include <string_view>

namespace kivo::sim::test {

// Talks to a QuadrixDevice the way a terminal would and hands back what it printed.
class DeviceDriver {
public:
    explicit DeviceDriver(QuadrixOptions options = {}) : device(std::move(options)) {}

    std::string send(std::string_view bytes)
    {
        device.receive(bytes);
        return device.takeOutput();
    }

    // The answer to one command line with echo off, prompt and line end included.
    std::string ask(std::string_view command)
    {
        if (device.state().echo)
            send("echo off\n");
        return send(std::string(command) + "\n");
    }

    QuadrixDevice device;
};

} // namespace kivo::sim::test
