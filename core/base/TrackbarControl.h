#pragma once

namespace kivo {

// A trackbar (slider) as the numeric-entry checks see it.
class TrackbarControl {
public:
    virtual ~TrackbarControl() = default;
    virtual int minimum() const = 0;
    virtual int maximum() const = 0;
    virtual int position() const = 0;
    virtual void setPosition(int position) = 0;
};

} // namespace kivo
