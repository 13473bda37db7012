#pragma once

#include "core/base/TrackbarControl.h"

#include <algorithm>

namespace kivo {

// A trackbar without a widget: a range and a position in it, for a caller that has no page.
class RangeTrackbar final : public TrackbarControl {
public:
    RangeTrackbar(int minimum, int maximum, int position)
        : minimum_(minimum), maximum_(maximum), position_(std::clamp(position, minimum, maximum))
    {
    }

    int minimum() const override { return minimum_; }
    int maximum() const override { return maximum_; }
    int position() const override { return position_; }
    void setPosition(int position) override
    {
        position_ = std::clamp(position, minimum_, maximum_);
    }

private:
    int minimum_;
    int maximum_;
    int position_;
};

} // namespace kivo
