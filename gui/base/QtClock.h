#pragma once

#include "core/base/Clock.h"
#include "core/base/SteadyClock.h"

namespace kivo {
class BusyHandler;
} // namespace kivo

namespace kivo::gui {

// Real time for the panel: a pause is slept in short slices with the window kept alive in
// between, so a second's wait for the device neither freezes the window nor queues clicks.
class QtClock final : public Clock {
public:
    explicit QtClock(BusyHandler& busy) : busy_(busy) {}
    std::int64_t nowMs() const override { return steady_.nowMs(); }
    void sleepMs(int ms) override;

private:
    BusyHandler& busy_;
    SteadyClock steady_;
};

} // namespace kivo::gui
