#include "sim/Adjuster.h"

#include "sim/ReplyFormats.h"
#include "sim/TextFormat.h"

#include <algorithm>
#include <array>

namespace kivo::sim {

namespace {

struct Move {
    char key;
    int VideoTiming::*changed;
    int VideoTiming::*front;
    int step;
    bool inputOnly;
};

// h/l move the picture left/right and k/j up/down by trading back porch for front
// porch; H/L and J/K change an input's width and height, paid from the front porch.
constexpr std::array<Move, 8> moves{{
    {'h', &VideoTiming::hbp, &VideoTiming::hfp, -1, false},
    {'l', &VideoTiming::hbp, &VideoTiming::hfp, 1, false},
    {'k', &VideoTiming::vbp, &VideoTiming::vfp, -1, false},
    {'j', &VideoTiming::vbp, &VideoTiming::vfp, 1, false},
    {'H', &VideoTiming::hact, &VideoTiming::hfp, -1, true},
    {'L', &VideoTiming::hact, &VideoTiming::hfp, 1, true},
    {'J', &VideoTiming::vact, &VideoTiming::vfp, -1, true},
    {'K', &VideoTiming::vact, &VideoTiming::vfp, 1, true},
}};

} // namespace

Adjuster::Adjuster(DeviceState& state) : state_(state) {}

std::string Adjuster::key(char k)
{
    if (k == 'q') {
        state_.adjust = AdjustTarget::none;
        return formatLine("%s", replies::adjustDone);
    }
    // Only the output shows the two alignment images to switch between.
    if (k == ' ' && state_.adjust == AdjustTarget::output) {
        state_.adjustSecondImage = !state_.adjustSecondImage;
        return formatLine(replies::adjustImage,
                          state_.adjustSecondImage ? "bottom/right" : "top/left");
    }
    const auto move =
        std::find_if(moves.begin(), moves.end(), [k](const Move& m) { return m.key == k; });
    const bool window = state_.adjust == AdjustTarget::window;
    if (move == moves.end() || (move->inputOnly && !window))
        return formatLine("%s", window ? replies::adjustInputKeys : replies::adjustOutputKeys);
    return shift(move->changed, move->front, move->step);
}

std::string Adjuster::shift(int VideoTiming::*changed, int VideoTiming::*front, int step)
{
    VideoTiming& t = target();
    if (t.*front - step >= 0 && t.*changed + step >= 0) {
        t.*changed += step;
        t.*front -= step;
    }
    if (state_.adjust == AdjustTarget::window) {
        SimWindow& w = *state_.window(state_.adjustWindow);
        w.inputWidth = t.hact;
        w.inputHeight = t.vact;
        if (w.source.left + w.source.width > w.inputWidth ||
            w.source.top + w.source.height > w.inputHeight)
            w.source = SimRect{0, 0, w.inputWidth, w.inputHeight};
    }
    return formatLine(replies::adjustValues, t.hfp, t.hbp, t.hact, t.vfp, t.vbp, t.vact);
}

VideoTiming& Adjuster::target()
{
    if (state_.adjust == AdjustTarget::window)
        return state_.window(state_.adjustWindow)->inputTiming;
    return state_.output;
}

} // namespace kivo::sim
