#include "core/inputs/MirrorInputWindows.h"

#include "core/mirror/DeviceMirror.h"
#include "core/mirror/WindowReadback.h"

namespace kivo {

MirrorInputWindows::MirrorInputWindows(DeviceMirror& mirror, WindowReadback& readback)
    : mirror_(mirror), readback_(readback)
{
}

void MirrorInputWindows::queryTiming(int window) { readback_.readWindowTiming(window); }

const TimingRecord& MirrorInputWindows::timing(int window) const
{
    return mirror_.window(window).inputTiming;
}

TimingRecord MirrorInputWindows::levels(int window) const
{
    const WindowRecord& record = mirror_.window(window);
    TimingRecord levels;
    levels.brightness = record.brightness;
    levels.contrast = record.contrast;
    levels.gamma = record.gamma;
    return levels;
}

void MirrorInputWindows::setLevels(int window, const TimingRecord& levels)
{
    WindowRecord& record = mirror_.window(window);
    record.brightness = levels.brightness;
    record.contrast = levels.contrast;
    record.gamma = levels.gamma;
}

void MirrorInputWindows::setConnector(int window, InputConnector connector)
{
    WindowRecord& record = mirror_.window(window);
    record.inputConnector = connector;
    record.inputAuto = connector == InputConnector::automatic;
}

} // namespace kivo
