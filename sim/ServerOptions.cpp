#include "sim/ServerOptions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <functional>
#include <string_view>
#include <utility>

namespace kivo::sim {

namespace {

constexpr std::array<int, 8> baudRates{1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
constexpr std::array<int, 5> windowCounts{2, 4, 6, 8, 10};
constexpr long maxNumber = 1000000000;

std::optional<long> number(std::string_view text)
{
    long value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty())
        return std::nullopt;
    return value;
}

// Reads a value into an option; returns the complaint about it, or nothing when good.
using Setter = std::function<std::string(ServerOptions&, std::string_view)>;

template <typename Field>
Setter numberIn(Field ServerOptions::*field, long min, long max, std::string complaint)
{
    return [=](ServerOptions& o, std::string_view text) {
        const std::optional<long> value = number(text);
        if (!value || *value < min || *value > max)
            return complaint;
        o.*field = static_cast<Field>(*value);
        return std::string();
    };
}

template <std::size_t N>
Setter oneOf(int ServerOptions::*field, const std::array<int, N>& allowed, std::string complaint)
{
    return [=](ServerOptions& o, std::string_view text) {
        const std::optional<long> value = number(text);
        if (!value || std::find(allowed.begin(), allowed.end(), *value) == allowed.end())
            return complaint;
        o.*field = static_cast<int>(*value);
        return std::string();
    };
}

Setter factoryReply()
{
    return [](ServerOptions& o, std::string_view value) {
        constexpr std::array<std::pair<std::string_view, FactoryReply>, 3> replies{{
            {"prompt", FactoryReply::prompt},
            {"banner", FactoryReply::banner},
            {"none", FactoryReply::none},
        }};
        const auto found = std::find_if(replies.begin(), replies.end(),
                                        [value](const auto& r) { return r.first == value; });
        if (found == replies.end())
            return "must be prompt, banner or none, not \"" + std::string(value) + "\"";
        o.factoryReply = found->second;
        return std::string();
    };
}

Setter misbehaviour()
{
    return [](ServerOptions& o, std::string_view value) {
        const std::optional<Misbehaviour> mode = misbehaviourNamed(value);
        if (!mode)
            return "must be " + std::string(misbehaviourNames()) + ", not \"" + std::string(value) +
                   "\"";
        o.misbehaviour = *mode;
        return std::string();
    };
}

Setter text(std::string ServerOptions::*field)
{
    return [=](ServerOptions& o, std::string_view value) {
        if (value.empty())
            return std::string("needs a non-empty value");
        o.*field = std::string(value);
        return std::string();
    };
}

struct OptionEntry {
    std::string_view name;
    Setter set;
};

const std::array<OptionEntry, 14>& optionTable()
{
    static const std::array<OptionEntry, 14> table{{
        {"--pty", text(&ServerOptions::ptyPath)},
        {"--tcp", numberIn(&ServerOptions::tcpPort, 1, 65535, "must be a port from 1 to 65535")},
        {"--log", text(&ServerOptions::logPath)},
        {"--baud", oneOf(&ServerOptions::baud, baudRates,
                         "must be 1200, 2400, 4800, 9600, 19200, 38400, 57600 or 115200")},
        {"--latency", numberIn(&ServerOptions::latencyMs, 0, 60000,
                               "must be a whole number of milliseconds from 0 to 60000")},
        {"--page-lines",
         numberIn(&ServerOptions::pageLines, 0, 10000, "must be a number from 0 to 10000")},
        {"--windows", oneOf(&ServerOptions::windows, windowCounts, "must be 2, 4, 6, 8 or 10")},
        {"--silent-after",
         numberIn(&ServerOptions::silentAfter, 0, maxNumber, "must be a number of 0 or more")},
        {"--endless-paging", numberIn(&ServerOptions::endlessPagingAfter, 0, maxNumber,
                                      "must be a number of 0 or more")},
        {"--replies", text(&ServerOptions::repliesPath)},
        {"--autosync-ms", numberIn(&ServerOptions::autosyncMs, -1, 600000,
                                   "must be -1 (never locks) or 0 to 600000")},
        {"--factory-reply", factoryReply()},
        {"--misbehave", misbehaviour()},
        {"--misbehave-from", text(&ServerOptions::misbehaveFrom)},
    }};
    return table;
}

// Applies one option and its value; returns the complaint, or nothing when good.
std::string apply(ServerOptions& options, std::string_view name, std::string_view value)
{
    const auto& table = optionTable();
    const auto entry = std::find_if(table.begin(), table.end(),
                                    [&](const OptionEntry& e) { return e.name == name; });
    if (entry == table.end())
        return "unknown option " + std::string(name) + " (try --help)";
    const std::string complaint = entry->set(options, value);
    return complaint.empty() ? complaint : std::string(name) + " " + complaint;
}

} // namespace

std::optional<ServerOptions> ServerOptions::parse(std::span<const char* const> args,
                                                  std::string& error)
{
    ServerOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        if (arg == "--help") {
            options.help = true;
            return options;
        }
        std::string_view value;
        if (const std::size_t equals = arg.find('=');
            arg.starts_with("--") && equals != std::string_view::npos) {
            value = arg.substr(equals + 1);
            arg = arg.substr(0, equals);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            error = std::string(arg) +
                    (arg.starts_with("--") ? " needs a value" : " is not an option (try --help)");
            return std::nullopt;
        }
        error = apply(options, arg, value);
        if (!error.empty())
            return std::nullopt;
    }
    if (options.ptyPath.empty() == (options.tcpPort == 0)) {
        error = "give exactly one of --pty PATH and --tcp PORT";
        return std::nullopt;
    }
    return options;
}

const char* ServerOptions::usage()
{
    return "Usage: quadrix-sim (--pty PATH | --tcp PORT) [options]\n"
           "Serves a simulated Quadrix video windowing processor.\n"
           "\n"
           "  --pty PATH          create a pseudo-terminal and a symbolic link PATH to it\n"
           "  --tcp PORT          listen on 127.0.0.1:PORT, one client at a time\n"
           "  --log FILE          write each command received, with milliseconds since start\n"
           "  --baud N            send and receive at most N/10 bytes a second (1200..115200)\n"
           "                      and report N to \"baud\"; on a --pty, a client whose own\n"
           "                      speed differs from the device's rate sends noise and gets\n"
           "                      garbage, and after \"baud r\" the line is held to r even\n"
           "                      without this option\n"
           "  --latency MS        answer MS milliseconds after each command (0..60000, default "
           "0)\n"
           "  --page-lines N      lines per page before \"----- MORE -----\" (default 20, 0 "
           "never)\n"
           "  --windows N         number of windows: 2, 4, 6, 8 or 10 (default 10)\n"
           "  --silent-after N    answer nothing after the N-th command\n"
           "  --endless-paging N  after the N-th command, page every answer for ever: each\n"
           "                      bare line feed prints its last page and the marker again\n"
           "  --replies FILE      fixed replies: command TAB reply (\\r \\n \\t \\\\ escapes)\n"
           "  --autosync-ms MS    after \"host auto\", lock on the reference MS milliseconds "
           "later;\n"
           "                      -1 never locks (default 3000)\n"
           "  --factory-reply R   how a restore of factory defaults ends, 5 s after \"yes\":\n"
           "                      prompt asks \"(y/n)\" and restarts on \"y\", banner restarts\n"
           "                      with the Halvex banner, none restarts silently (default\n"
           "                      prompt); the device then runs at 9600 baud\n"
           "  --misbehave MODE    from the first command of --misbehave-from on, answer as a\n"
           "                      failing device: silent (nothing, and nothing done), error\n"
           "                      (\"Error: busy\", nothing done), garbage (line noise), nan,\n"
           "                      huge or negative (every number of the answer replaced), or\n"
           "                      vanish (half the answer, then the line is gone for good)\n"
           "  --misbehave-from TEXT  the first command line (beginning with TEXT) answered so;\n"
           "                      without it, the first command\n"
           "  --help              show this text\n";
}

} // namespace kivo::sim
