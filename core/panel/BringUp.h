#pragma once

#include "core/base/PanelContext.h"
#include "core/base/Strings.h"
#include "core/mirror/WindowReadback.h"
#include "core/output/OutputSettings.h"
#include "core/protocol/Reply.h"
#include "core/timing/TimingListCache.h"
#include "core/timing/TimingListLoader.h"

#include <string>
#include <string_view>
#include <vector>

namespace kivo {

struct HostStatus;

// The reset routine: at start-up and after a reset from the Serial Port page it walks the
// device through the fixed query sequence that fills the mirror, both timing lists and every
// page, with progress on the Terminal page; without a link it sets up the no-connection state.
// The order matters: later replies are read with what earlier ones set (window count, output
// size).
class BringUp final : public OutputStatusReader {
public:
    explicit BringUp(PanelContext context);

    // `echoQuery` is true at start-up: the device's echo state is asked and given back at exit.
    void reset(bool echoQuery);
    void noConnection();
    void bringUp(bool echoQuery);
    // Asks the device for its output status and timing and shows what it answers.
    void queryOutputStatus() override;
    // Takes the output status and timing from a "host" reply another exchange brought.
    void readOutputStatus(std::string_view hostReply) override;

    // Whether the last bring-up read the device's answers: its output timing, its baud rate, or
    // the rectangles of at least half of the window queries.
    bool deviceUnderstood() const { return understood_; }
    // The start-up queries of the last bring-up whose answers could not be read, as sent.
    const std::vector<std::string>& unreadQueries() const { return unreadQueries_; }

    WindowReadback& readback() { return readback_; }
    TimingListCache& listCache() { return cache_; }
    TimingListLoader& listLoader() { return lists_; }

private:
    // Asks the first question of a bring-up and returns its answer.
    Reply askEchoState(bool echoQuery);
    // Nothing on the port spoke (`why` takes the port and the rate): the panel waits without
    // a link.
    void giveUpOnPort(StringId why);
    void showProgressText(StringId text);
    void readWindowCoordinates();
    // The rectangles of the device's windows, in output pixels, read again.
    void readDestinations();
    // Both return whether the output timing was read.
    bool askOutputStatus();
    bool takeOutputStatus(std::string_view hostReply);
    void storeOutputTiming(const HostStatus& status);
    void readSerialPortControls();
    // Keeps `query` among the unread ones unless `read`; returns `read`.
    bool noteAnswer(std::string query, bool read);
    // Says which answers could not be read, or that the device never stopped paging.
    void reportUnreadAnswers();

    PanelContext c_;
    WindowReadback readback_;
    TimingListCache cache_;
    TimingListLoader lists_;
    // The device's "id" reply: asked by a reset from the Serial Port page, kept for the next.
    std::string deviceIdReply_;
    bool understood_ = false;
    std::vector<std::string> unreadQueries_;
};

} // namespace kivo
