#pragma once

#include "core/base/PanelContext.h"
#include "core/base/Strings.h"

#include <string_view>

namespace kivo {

class Profile;
struct HostStatus;
struct RectReply;

// Asks the device about its windows and stores the answers in the window records: which
// windows exist and their input kind, stacking, on/off state, rectangles, input size and
// picture levels; and reads the window descriptions and user arrangements from the ini file.
// The replies are read by the parsers of WindowReplies; this only asks and stores.
class WindowReadback {
public:
    explicit WindowReadback(PanelContext context);

    // Sets the input kinds and presence from an "id" reply; returns the window count.
    unsigned readWindowTypes(std::string_view idReply);
    // Both return whether the device's answer could be read.
    bool readStacking();
    bool readOnOff();
    // `command` is StringId::windowSourceQuery ("wsr") or StringId::windowDestQuery ("wdr").
    // Returns whether the reply held a rectangle.
    bool readWindowRect(StringId command, int window);
    void readInputSize(int window);
    // An RGB window's input: whether it is locked to a signal ("rgb N"), its timing, and the
    // input size that follows from it.
    void readWindowTiming(int window);
    // Window 0 means every present window.
    void readImageLevels(int window);
    void loadDescriptions(const Profile& profile);

private:
    void storeSource(int window, const RectReply& rect);
    void storeDestination(int window, const RectReply& rect);
    void storeWindowTiming(int window, const HostStatus& status);

    PanelContext c_;
};

} // namespace kivo
