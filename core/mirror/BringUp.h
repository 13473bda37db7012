#pragma once

#include "core/mirror/PanelContext.h"
#include "core/mirror/WindowReadback.h"
#include "core/timing/TimingListCache.h"
#include "core/timing/TimingListLoader.h"

namespace kivo {

// The reset routine: at start-up and after a reset from the Serial Port page it walks the
// device through the fixed query sequence that fills the mirror, both timing lists and every
// page, with progress on the Terminal page; without a link it sets up the no-connection state.
// The order matters: later replies are read with what earlier ones set (window count, output
// size).
class BringUp {
public:
    explicit BringUp(PanelContext context);

    // `echoQuery` is true at start-up: the device's echo state is asked and given back at exit.
    void reset(bool echoQuery);
    void noConnection();
    void bringUp(bool echoQuery);
    // Reads the output timing from a "host" reply, asking for one first when `askHost`.
    void queryOutputTiming(bool askHost);

    // The device baud rate radio button for a rate the device reports.
    static int baudRadioIndex(int baud);

private:
    void askEchoState(bool echoQuery);
    void showProgressText(StringId text);
    void readWindowCoordinates();
    void readSerialPortControls();
    void parseOutputTiming(const std::string& reply);

    PanelContext c_;
    WindowReadback readback_;
    TimingListCache cache_;
    TimingListLoader lists_;
};

} // namespace kivo
