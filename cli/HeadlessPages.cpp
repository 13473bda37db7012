#include "cli/HeadlessPages.h"

#include <algorithm>
#include <cstdio>

namespace kivo::cli {

HeadlessPages::HeadlessPages(bool showProgress) : showProgress_(showProgress) {}

void HeadlessPages::showDeviceBaud(int baud, int) { deviceBaud = baud; }

void HeadlessPages::showDeviceEcho(bool on) { deviceEcho = on; }

void HeadlessPages::stepProgress()
{
    position_ = std::min(position_ + step_, 100);
    drawProgress();
}

void HeadlessPages::setProgressPosition(int position)
{
    position_ = std::clamp(position, 0, 100);
    drawProgress();
}

void HeadlessPages::showProgressText(const std::string& text)
{
    text_ = text;
    drawProgress();
}

void HeadlessPages::drawProgress()
{
    if (showProgress_)
        std::fprintf(stderr, "\r\033[K%3d%%  %s", position_, text_.c_str());
}

void HeadlessPages::finishProgress()
{
    if (showProgress_)
        std::fprintf(stderr, "\r\033[K");
}

} // namespace kivo::cli
