#pragma once

#include "core/base/CaptionControl.h"
#include "core/base/EditControl.h"
#include "core/base/TrackbarControl.h"

#include <string>

namespace kivo::test {

// An edit box the operator has just typed into.
class FakeEdit final : public EditControl {
public:
    std::string text() const override { return content; }
    void replaceText(const std::string& text) override { content = text; }
    void selectAll() override { selected = true; }
    bool isModified() const override { return modified; }
    void clearModified() override { modified = false; }
    void takeFocus() override { focused = true; }

    std::string content;
    bool modified = true;
    bool selected = false;
    bool focused = false;
};

class FakeTrackbar final : public TrackbarControl {
public:
    FakeTrackbar(int low, int high, int at) : low_(low), high_(high), position_(at) {}
    int minimum() const override { return low_; }
    int maximum() const override { return high_; }
    int position() const override { return position_; }
    void setPosition(int position) override { position_ = position; }

private:
    int low_;
    int high_;
    int position_;
};

class FakeCaption final : public CaptionControl {
public:
    void setCaption(const std::string& text) override { caption = text; }
    std::string caption = "Un&Freeze Image";
};

} // namespace kivo::test
