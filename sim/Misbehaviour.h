#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kivo::sim {

// The ways a failing device answers, for trying a panel against one. Each stands for a fault
// seen on real lines: a device that stops answering, refuses everything, is heard through
// line noise, reports numbers no device has, or loses power half way through an answer.
enum class Misbehaviour { none, silent, error, garbage, nan, huge, negative, vanish };

// The mode a name on the command line stands for ("silent", "error", ...), or nothing.
std::optional<Misbehaviour> misbehaviourNamed(std::string_view name);
// The names, for messages and the usage text.
const char* misbehaviourNames();

// What a device in `mode` prints instead of `printed`, the whole output of one command (its
// answer and prompt). silent prints nothing, error a refusal and the prompt, garbage bytes
// with the high bit set and no prompt; nan, huge and negative keep the answer with every
// number replaced; vanish prints the first half only, after which the device is gone.
std::string misprint(Misbehaviour mode, std::string_view printed);

} // namespace kivo::sim
