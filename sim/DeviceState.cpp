#include "sim/DeviceState.h"

#include <cmath>

namespace kivo::sim {

namespace {

VideoTiming timing(const char* name, std::array<int, 13> v)
{
    return VideoTiming{name, v[0], v[1], v[2], v[3],  v[4],  v[5],
                       v[6], v[7], v[8], v[9], v[10], v[11], v[12]};
}

// The standard output settings 11..27, VESA-like: HFP HS HBP HACT VFP VS VBP VACT HFREQ SYNC
// HPOL VPOL IL.
const std::array<VideoTiming, 17>& standardTimings()
{
    static const std::array<VideoTiming, 17> table{
        timing("VGA 60Hz", {16, 96, 48, 640, 10, 2, 33, 480, 31469, 4, 0, 0, 0}),
        timing("VGA 72Hz", {24, 40, 128, 640, 9, 3, 28, 480, 37861, 4, 0, 0, 0}),
        timing("VGA 75Hz", {16, 64, 120, 640, 1, 3, 16, 480, 37500, 4, 0, 0, 0}),
        timing("VGA 85Hz", {56, 56, 80, 640, 1, 3, 25, 480, 43269, 4, 0, 0, 0}),
        timing("SVGA 56Hz", {24, 72, 128, 800, 1, 2, 22, 600, 35156, 4, 1, 1, 0}),
        timing("SVGA 60Hz", {40, 128, 88, 800, 1, 4, 23, 600, 37879, 4, 1, 1, 0}),
        timing("SVGA 72Hz", {56, 120, 64, 800, 37, 6, 23, 600, 48077, 4, 1, 1, 0}),
        timing("SVGA 75Hz", {16, 80, 160, 800, 1, 3, 21, 600, 46875, 4, 1, 1, 0}),
        timing("SVGA 85Hz", {32, 64, 152, 800, 1, 3, 27, 600, 53674, 4, 1, 1, 0}),
        timing("XGA 60Hz", {24, 136, 160, 1024, 3, 6, 29, 768, 48363, 4, 0, 0, 0}),
        timing("XGA 70Hz", {24, 136, 144, 1024, 3, 6, 29, 768, 56476, 4, 0, 0, 0}),
        timing("XGA 75Hz", {16, 96, 176, 1024, 1, 3, 28, 768, 60023, 4, 1, 1, 0}),
        timing("XGA 85Hz", {48, 96, 208, 1024, 1, 3, 36, 768, 68677, 4, 1, 1, 0}),
        timing("1152x864 75Hz", {64, 128, 256, 1152, 1, 3, 32, 864, 67500, 4, 1, 1, 0}),
        timing("1280x960 60Hz", {96, 112, 312, 1280, 1, 3, 36, 960, 60000, 4, 1, 1, 0}),
        timing("SXGA 60Hz", {48, 112, 248, 1280, 1, 3, 38, 1024, 63981, 4, 1, 1, 0}),
        timing("SXGA 75Hz", {16, 144, 248, 1280, 1, 3, 38, 1024, 79976, 4, 1, 1, 0}),
    };
    return table;
}

const VideoTiming& standard(const char* name)
{
    for (const VideoTiming& t : standardTimings()) {
        if (t.name == name)
            return t;
    }
    return standardTimings().front();
}

VideoTiming renamed(VideoTiming t, const char* name)
{
    t.name = name;
    return t;
}

// Window types in window order: video and RGB inputs mixed, so that any window count
// has at least one of each.
constexpr std::array<bool, 10> rgbWindows{false, true,  false, false, true,
                                          false, false, true,  false, true};
// This RGB window has no signal: it never locks.
constexpr int unlockedWindow = 8;

void addWindows(DeviceState& state, int count)
{
    static const std::array<const char*, 10> rgbInputs{"", "XGA 60Hz", "",         "", "SVGA 60Hz",
                                                       "", "",         "VGA 60Hz", "", "SXGA 60Hz"};
    static const std::array<SimRect, 3> videoSizes{SimRect{0, 0, 640, 480}, SimRect{0, 0, 768, 576},
                                                   SimRect{0, 0, 720, 480}};
    const int columns = static_cast<int>(std::ceil(std::sqrt(count)));
    const int rows = (count + columns - 1) / columns;
    const int cellWidth = state.output.hact / columns;
    const int cellHeight = state.output.vact / rows;
    for (int i = 0; i < count; ++i) {
        SimWindow w;
        w.rgb = rgbWindows[i];
        if (w.rgb) {
            w.inputTiming = standard(rgbInputs[i]);
            w.inputWidth = w.inputTiming.hact;
            w.inputHeight = w.inputTiming.vact;
            w.locked = (i + 1) != unlockedWindow;
        } else {
            const SimRect& size = videoSizes[i % videoSizes.size()];
            w.inputWidth = size.width;
            w.inputHeight = size.height;
        }
        w.dest =
            SimRect{(i % columns) * cellWidth, (i / columns) * cellHeight, cellWidth, cellHeight};
        w.source = SimRect{0, 0, w.inputWidth, w.inputHeight};
        state.windows.push_back(w);
        state.stack.push_back(i + 1);
    }
}

} // namespace

DeviceState DeviceState::factoryDefaults(int windowCount)
{
    DeviceState state;
    state.output = standard("XGA 60Hz");
    for (std::size_t i = 0; i < standardTimings().size(); ++i)
        state.outputSettings[userOutputSettings + i] = standardTimings()[i];
    state.outputSettings[0] = renamed(standard("XGA 60Hz"), "Lobby wall");
    state.outputSettings[1] = renamed(standard("SVGA 60Hz"), "Projector");
    state.outputSettings[3] = renamed(standard("SXGA 60Hz"), "Studio monitor");
    state.inputSettings[0] = renamed(standard("XGA 60Hz"), "PC XGA 60");
    state.inputSettings[1] = renamed(standard("SVGA 60Hz"), "PC SVGA 60");
    state.inputSettings[2] = renamed(standard("SXGA 60Hz"), "Workstation");
    state.inputSettings[4] = renamed(standard("XGA 75Hz"), "Laptop XGA 75");
    addWindows(state, windowCount);
    return state;
}

SimWindow* DeviceState::window(int n)
{
    return (n >= 1 && n <= windowCount()) ? &windows[static_cast<std::size_t>(n - 1)] : nullptr;
}

const SimWindow* DeviceState::window(int n) const
{
    return (n >= 1 && n <= windowCount()) ? &windows[static_cast<std::size_t>(n - 1)] : nullptr;
}

} // namespace kivo::sim
