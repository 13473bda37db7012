#pragma once

#include "core/app/Strings.h"
#include "core/mirror/PanelContext.h"

namespace kivo {

class Profile;

// Turns the device's replies about its windows into window records: which windows exist
// and their input kind, stacking, on/off state, rectangles, input size and picture levels;
// and reads the window descriptions and user arrangements from the ini file.
class WindowReadback {
public:
    explicit WindowReadback(PanelContext context);

    // Returns the window count that the last "id" reply names (10 when it names none).
    unsigned readWindowTypes();
    void readStacking();
    void readOnOff();
    // `command` is StringId::windowSourceQuery ("wsr") or StringId::windowDestQuery ("wdr").
    void readWindowRect(StringId command, int window);
    void readInputSize(int window);
    // Window 0 means every present window.
    void readImageLevels(int window);
    void loadDescriptions(const Profile& profile);

private:
    void storeSource(int window, int left, int top, int width, int height);
    void storeDestination(int window, int left, int top, int width, int height);
    void renumberPriorities();
    void readArrangement(const Profile& profile, int number);

    PanelContext c_;
};

} // namespace kivo
