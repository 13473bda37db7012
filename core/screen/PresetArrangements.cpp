#include "core/screen/PresetArrangements.h"

namespace kivo {
namespace {

// The cells per row of a square grid that holds `n` cells (2 up to 4, 3 up to 9, 4 beyond).
unsigned gridColumns(unsigned n)
{
    unsigned columns = 1;
    for (unsigned i = 1; i <= 4; ++i)
        if (i * i < n)
            ++columns;
    return columns;
}

Placement cell(unsigned index, unsigned columns, unsigned w, unsigned h)
{
    const unsigned cw = w / columns;
    const unsigned ch = h / columns;
    return {static_cast<int>(cw * (index % columns)), static_cast<int>(ch * (index / columns)),
            static_cast<int>(cw), static_cast<int>(ch)};
}

std::vector<Placement> grid(unsigned n, unsigned w, unsigned h)
{
    std::vector<Placement> placements;
    const unsigned columns = gridColumns(n);
    for (unsigned k = 1; k <= n; ++k)
        placements.push_back(cell(k - 1, columns, w, h));
    return placements;
}

// The front window in the middle, the others in a grid around it; a 3 x 3 grid leaves its
// middle cell free for the front window.
std::vector<Placement> centre(unsigned n, unsigned w, unsigned h)
{
    const int iw = static_cast<int>(w);
    const int ih = static_cast<int>(h);
    std::vector<Placement> placements{{iw / 4, ih / 4, iw / 2, ih / 2}};
    const unsigned columns = gridColumns(n - 1) + (n == 2 ? 1 : 0);
    for (unsigned k = 2; k <= n; ++k) {
        const bool pastMiddle = n >= 6 && n <= 9 && k >= 6;
        placements.push_back(cell(pastMiddle ? k - 1 : k - 2, columns, w, h));
    }
    return placements;
}

struct Offset {
    unsigned x;
    unsigned y;
};

// One large window in a corner and the small ones along the two opposite sides; `c` is the
// number of small cells along a side.
Offset cornerOffset(Preset preset, unsigned k, unsigned c, unsigned cw, unsigned ch)
{
    const unsigned last = c - 1;
    switch (preset) {
    case Preset::topLeft: // down the right column, then leftwards along the bottom row
        return {last * cw - (k > c + 1 ? (k - c - 1) * cw : 0), k > c ? last * ch : (k - 2) * ch};
    case Preset::topRight: // leftwards along the bottom row, then up the left column
        return {last * cw - (k > c ? last * cw : (k - 2) * cw),
                last * ch - (k > c + 1 ? (k - c - 1) * ch : 0)};
    case Preset::bottomRight: // up the left column, then rightwards along the top row
        return {k > c + 1 ? (k - c - 1) * cw : 0, k <= c ? (c - k + 1) * ch : 0};
    default: // bottom left: rightwards along the top row, then down the right column
        return {k > c ? last * cw : (k - 2) * cw, k > c + 1 ? (k - c - 1) * ch : 0};
    }
}

Offset frontOffset(Preset preset, unsigned cw, unsigned ch)
{
    switch (preset) {
    case Preset::topRight:
        return {cw, 0};
    case Preset::bottomRight:
        return {cw, ch};
    case Preset::bottomLeft:
        return {0, ch};
    default:
        return {0, 0};
    }
}

std::vector<Placement> corner(Preset preset, unsigned n, unsigned w, unsigned h)
{
    const unsigned c = n <= 6 ? 3 : (n - 1) / 2 + 1;
    const unsigned cw = w / c;
    const unsigned ch = h / c;
    const Offset front = frontOffset(preset, cw, ch);
    std::vector<Placement> placements{{static_cast<int>(front.x), static_cast<int>(front.y),
                                       static_cast<int>((c - 1) * w / c),
                                       static_cast<int>((c - 1) * h / c)}};
    for (unsigned k = 2; k <= n; ++k) {
        const Offset at = cornerOffset(preset, k, c, cw, ch);
        placements.push_back({static_cast<int>(at.x), static_cast<int>(at.y), static_cast<int>(cw),
                              static_cast<int>(ch)});
    }
    return placements;
}

// Beyond this an output size is garbage, and the products above could overflow.
constexpr unsigned maxOutputSize = 65535;

} // namespace

std::optional<Preset> presetFromMode(int mode)
{
    if (mode < static_cast<int>(Preset::grid) || mode > static_cast<int>(Preset::bottomLeft))
        return std::nullopt;
    return static_cast<Preset>(mode);
}

std::vector<Placement> presetPlacements(Preset preset, unsigned n, unsigned w, unsigned h)
{
    if (n < 2 || n > 10 || w == 0 || h == 0 || w > maxOutputSize || h > maxOutputSize)
        return {};
    switch (preset) {
    case Preset::grid:
        return grid(n, w, h);
    case Preset::centre:
        return centre(n, w, h);
    default:
        return corner(preset, n, w, h);
    }
}

} // namespace kivo
