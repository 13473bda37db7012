#pragma once

#include "sim/CommandTable.h"
#include "sim/DeviceState.h"
#include "sim/ReferenceSignal.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kivo::sim {

// How a restore of factory defaults ends, so that a panel can be tried against each ending
// a real device may show: a "y/n" question before the restart, the restart banner, or
// nothing at all.
enum class FactoryReply { prompt, banner, none };

// The restore of factory defaults: "restorefactorydefaults" asks, "yes" starts the restore,
// which takes restoreMs by the device's clock; meanwhile the device is busy and ignores
// what it is sent. Then every setting is back at its factory value, 9600 baud among them,
// and the device ends as its FactoryReply says; after the "y/n" question, "y" restarts.
class FactoryReset {
public:
    static constexpr std::int64_t restoreMs = 5000;

    FactoryReset(DeviceState& state, FactoryReply reply, ReferenceSignal::Clock nowMs);

    void addTo(CommandTable& table);
    // True while the sequence, not the command table, answers the device's lines.
    bool running() const { return phase_ != Phase::idle; }
    // True while the device waits for an answer or is busy: it prints no prompt.
    bool holdsPrompt() const { return running(); }
    std::string line(std::string_view line);
    // Ends a restore whose time has come; returns what the device then prints.
    std::string finishIfDue();
    // Milliseconds until a running restore is over.
    std::optional<std::int64_t> msUntilDue() const;

private:
    enum class Phase { idle, confirming, restoring, askingRestart };

    std::string confirm(std::string_view answer);
    std::string restart();

    DeviceState& state_;
    FactoryReply reply_;
    ReferenceSignal::Clock nowMs_;
    Phase phase_ = Phase::idle;
    std::int64_t restoredAtMs_ = 0;
};

} // namespace kivo::sim
