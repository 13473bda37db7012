#pragma once

#include "core/inputs/InputSettings.h"

namespace kivo {

struct DeviceMirror;
class WindowReadback;

// The Inputs page's view of the windows: the mirror's window records and the readback's
// window timing query.
class MirrorInputWindows final : public InputWindows {
public:
    MirrorInputWindows(DeviceMirror& mirror, WindowReadback& readback);

    void queryTiming(int window) override;
    const TimingRecord& timing(int window) const override;
    TimingRecord levels(int window) const override;
    void setLevels(int window, const TimingRecord& levels) override;
    void setConnector(int window, InputConnector connector) override;

private:
    DeviceMirror& mirror_;
    WindowReadback& readback_;
};

} // namespace kivo
