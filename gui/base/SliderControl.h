#pragma once

#include "core/base/TrackbarControl.h"

class QAbstractSlider;

namespace kivo::gui {

// A Qt slider as the core's numeric-entry checks see a trackbar.
class SliderControl final : public TrackbarControl {
public:
    explicit SliderControl(QAbstractSlider& slider) : slider_(slider) {}

    int minimum() const override;
    int maximum() const override;
    int position() const override;
    void setPosition(int position) override;

private:
    QAbstractSlider& slider_;
};

} // namespace kivo::gui
