#pragma once

#include "sim/FactoryReset.h"
#include "sim/Misbehaviour.h"

#include <optional>
#include <span>
#include <string>

namespace kivo::sim {

// The command line of quadrix-sim.
struct ServerOptions {
    std::string ptyPath;
    int tcpPort = 0;
    std::string logPath;
    // Bytes a second each way are limited to baud / 10 when set; 0 leaves the line unpaced.
    int baud = 0;
    // Milliseconds from a command's arrival to the start of its answer.
    int latencyMs = 0;
    int pageLines = 20;
    int windows = 10;
    long silentAfter = -1;
    long endlessPagingAfter = -1;
    std::string repliesPath;
    // Milliseconds from "host auto" to a lock on the reference; negative never locks.
    int autosyncMs = 3000;
    FactoryReply factoryReply = FactoryReply::prompt;
    Misbehaviour misbehaviour = Misbehaviour::none;
    std::string misbehaveFrom;
    bool help = false;

    // The options of args (program name excluded), or nothing with error set to one line.
    static std::optional<ServerOptions> parse(std::span<const char* const> args,
                                              std::string& error);
    static const char* usage();
};

} // namespace kivo::sim
