#pragma once

#include "sim/CommandInterpreter.h"
#include "sim/DeviceState.h"
#include "sim/FixedReplies.h"
#include "sim/Misbehaviour.h"
#include "sim/ReferenceSignal.h"
#include "sim/ReplyPager.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kivo::sim {

// How a simulated Quadrix is built and how it frames its answers.
struct QuadrixOptions {
    int windowCount = 10;
    // Lines of one answer before "----- MORE -----"; 0 never pages.
    int pageLines = 20;
    // Answer nothing after this many commands; negative answers for ever.
    long silentAfter = -1;
    // Page every answer for ever after this many commands, as a device stuck paging; negative
    // never.
    long endlessPagingAfter = -1;
    int baud = 9600;
    FixedReplies fixedReplies = {};
    // Also the device's clock for the restore of factory defaults.
    ReferenceSignal reference = {};
    FactoryReply factoryReply = FactoryReply::prompt;
    // How the device answers from the first command line that begins with misbehaveFrom
    // (blanks around the line ignored, not around misbehaveFrom, so "wsr 3 " is not "wsr 3";
    // empty: from the first command) on.
    Misbehaviour misbehaviour = Misbehaviour::none;
    std::string misbehaveFrom = {};
};

// The simulated Quadrix: bytes in, bytes out. A command ends with its line feed (carriage
// returns are dropped); with echo on the line comes back first; the answer follows, paged,
// then the prompt "> ". In the adjustment mode every byte is a command and nothing is
// echoed. Qt-free and without threads: the caller decides when the device runs.
class QuadrixDevice {
public:
    // Called with the bytes of each command as received, terminator included.
    using CommandObserver = std::function<void(std::string_view)>;

    explicit QuadrixDevice(QuadrixOptions options = {});
    QuadrixDevice(const QuadrixDevice&) = delete;
    QuadrixDevice& operator=(const QuadrixDevice&) = delete;

    void receive(std::string_view bytes);
    // Everything the device has printed since the last call, what it prints on its own by
    // now (the end of a factory restore) included.
    std::string takeOutput();
    // Milliseconds until the device prints something on its own, when it will.
    std::optional<std::int64_t> msUntilOwnOutput() const;
    // Forgets a command line received without its line feed yet, so that a new client's
    // first line is not run as the end of an old one.
    void dropPartialLine() { raw_.clear(); }

    void setCommandObserver(CommandObserver observer) { observer_ = std::move(observer); }
    const DeviceState& state() const { return state_; }
    // True while every byte is a command (the adjustment mode).
    bool byteMode() const { return state_.adjust != AdjustTarget::none; }
    // True once a vanishing device has printed its half answer: the line is to be dropped.
    bool gone() const { return gone_; }

private:
    void printWhatIsDue();
    void receiveByte(char c);
    void endLine();
    void runLine(std::string_view line);
    void runKey(char k);
    // Counts a command; false once the device has fallen silent.
    bool answering();
    void finish(std::string_view page);
    // Runs a command (a line or a key) and misprints what it printed once the device
    // misbehaves; the command that starts the misbehaviour is the first one misprinted.
    void answer(std::string_view command, const std::function<void()>& run);

    QuadrixOptions options_;
    DeviceState state_;
    CommandInterpreter interpreter_;
    ReplyPager pager_;
    std::string raw_;
    long commands_ = 0;
    std::string output_;
    CommandObserver observer_;
    bool misbehaving_ = false;
    bool gone_ = false;
};

} // namespace kivo::sim
