#pragma once

#include "core/base/PanelPages.h"
#include "core/base/ProgressSink.h"

#include <string>

namespace kivo::cli {

// The pages of a panel without a window: the device's baud rate and echo are kept for the
// report; progress goes to stderr when that is a terminal.
class HeadlessPages final : public PanelPages, public ProgressSink {
public:
    explicit HeadlessPages(bool showProgress);
    void showDeviceBaud(int baud, int radioIndex) override;
    void showDeviceEcho(bool on) override;

    void stepProgress() override;
    void setProgressPosition(int position) override;
    void setProgressStep(int step) override { step_ = step; }
    void showProgressText(const std::string& text) override;

    // Clears the progress line before the report is printed.
    void finishProgress();

    int deviceBaud = 0;
    bool deviceEcho = false;

private:
    void drawProgress();

    bool showProgress_;
    int position_ = 0;
    int step_ = 7;
    std::string text_;
};

} // namespace kivo::cli
