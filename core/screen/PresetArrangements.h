#pragma once

#include <optional>
#include <vector>

namespace kivo {

// The six preset layouts of the Arrange buttons, by the mode numbers the page gives them.
enum class Preset {
    grid = 2,
    centre = 3,
    topLeft = 4,
    topRight = 5,
    bottomRight = 6,
    bottomLeft = 7,
};

std::optional<Preset> presetFromMode(int mode);

// A window's place on the output as a "wdr" command carries it.
struct Placement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Placement&) const = default;
};

// Where each of `windowsOn` windows goes on an output of `outputWidth` x `outputHeight`, in
// stacking order (the front window first). Nothing for fewer than two windows or an output
// without a size.
std::vector<Placement> presetPlacements(Preset preset, unsigned windowsOn, unsigned outputWidth,
                                        unsigned outputHeight);

} // namespace kivo
