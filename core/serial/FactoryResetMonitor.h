#pragma once

#include "core/base/Strings.h"

#include <cstdint>
#include <string_view>

namespace kivo {

class CommandChannel;
class PanelApp;
class Prompter;

// What a device restoring its factory defaults has said about it so far.
enum class RestartSign {
    none,
    prompt, // it asks "y/n" and waits for the answer
    banner, // it has restarted and greets with its banner
};

// The prompt counts before the banner: a device that shows both still waits for its answer.
RestartSign findRestartSign(std::string_view reply);

// Watches a device restoring its factory defaults: on each beat of a 1000 ms timer it reads
// what the device has sent, until the device asks "y/n" (answered "y") or shows its restart
// banner, or until the 37th beat finds neither. Then the operator is told, and the owner
// resets the panel.
class FactoryResetMonitor {
public:
    enum class Outcome { notStarted, watching, promptAnswered, bannerSeen, timedOut };

    static constexpr int periodMs = 1000;
    // Beats counted with nothing seen; the beat after the last of them gives up.
    static constexpr int patientTicks = 36;

    FactoryResetMonitor(PanelApp& app, CommandChannel& channel, Prompter& prompter);

    void start(std::int64_t nowMs);
    // Beat n is due n periods after the start, however long the reads of the beats before it
    // took.
    int msToNextBeat(std::int64_t nowMs) const;
    bool watching() const { return outcome_ == Outcome::watching; }
    Outcome outcome() const { return outcome_; }

    // One beat of the timer; true when the watch ended with it.
    bool tick();

private:
    void finish(Outcome outcome, StringId message);

    PanelApp& app_;
    CommandChannel& channel_;
    Prompter& prompter_;
    Outcome outcome_ = Outcome::notStarted;
    int ticks_ = 0;
    std::int64_t startMs_ = 0;
};

} // namespace kivo
