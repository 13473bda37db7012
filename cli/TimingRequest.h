#pragma once

#include <string>
#include <vector>

namespace kivo::cli {

// What "output" asks of the Quadrix Output page's settings, or "input" of the Quadrix Inputs
// page's, read from the words that follow.
struct TimingRequest {
    enum class Kind { recall, save, remove, freeRun, autosync, inputRecall };
    Kind kind = Kind::recall;
    int setting = 0;         // recall, save and delete: the setting number
    std::string name;        // save
    int window = 0;          // input recall
    bool withLevels = false; // input recall: the picture levels stored with the setting too
    bool operator==(const TimingRequest&) const = default;
};

// Reads the operands of `action` ("output" or "input") into `request`; returns an error line,
// or an empty string when the operands are usable.
std::string parseTimingRequest(const std::string& action, const std::vector<std::string>& operands,
                               TimingRequest& request);

} // namespace kivo::cli
