#pragma once

#include <string_view>

namespace kivo {

// Where the channel echoes the traffic other pages cause, so the operator sees it later on the
// Terminal page. The channel lies below the Terminal, so it knows the Terminal only by this.
class TrafficEcho {
public:
    virtual ~TrafficEcho() = default;
    // While the Terminal is on screen it shows the traffic itself as it arrives.
    virtual bool showsTrafficItself() const = 0;
    // A command another page sends, on its own line behind a prompt.
    virtual void echoCommand(std::string_view command) = 0;
    // Device text as it is collected.
    virtual void echo(std::string_view deviceText) = 0;
};

} // namespace kivo
