#pragma once

#include "sim/CommandTable.h"
#include "sim/DeviceState.h"
#include "sim/ReferenceSignal.h"

#include <optional>
#include <string>
#include <vector>

namespace kivo::sim {

// The timing commands of the simulated Quadrix: the output timing and its 27 settings,
// the RGB windows' input timings and the 50 input settings.
class TimingCommands {
public:
    TimingCommands(DeviceState& state, ReferenceSignal reference);

    void addTo(CommandTable& table);

    // A timing as one row of a list or status reply.
    static std::string listRow(int number, const VideoTiming& t);
    static std::string statusRow(const std::string& label, const VideoTiming& t);

private:
    void addOutput(CommandTable& table);
    void addOutputSettings(CommandTable& table);
    void addInput(CommandTable& table);
    void addInputSettings(CommandTable& table);

    template <std::size_t N>
    static std::string list(const std::array<std::optional<VideoTiming>, N>& settings, int first,
                            int last);
    std::string hostStatus() const;
    bool outputLocked() const;
    std::string windowStatus(int n, const SimWindow& w) const;
    std::string setOutputTiming(const std::vector<int>& values);
    std::string storeOutput(int number);
    std::string deleteOutput(int number);

    // Runs body on window n when it exists and has an RGB input.
    template <typename Body> std::string onRgbWindow(int n, Body body);

    DeviceState& state_;
    ReferenceSignal reference_;
};

} // namespace kivo::sim
