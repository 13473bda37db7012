#pragma once

#include "core/timing/TimingRecord.h"
#include "core/timing/WindowInput.h"

#include <string>

namespace kivo {

class Clock;
class CommandChannel;
class Prompter;
class TimingListCache;
struct TimingList;

// The windows as the Inputs page works with them: what the panel knows of each window's input
// and the query that reads an RGB window's input timing from the device.
class InputWindows {
public:
    virtual ~InputWindows() = default;
    // Asks the device for window `window`'s input timing ("rgb N") and keeps the answer.
    virtual void queryTiming(int window) = 0;
    virtual const TimingRecord& timing(int window) const = 0;
    // The window's picture levels, in the level fields of a record.
    virtual TimingRecord levels(int window) const = 0;
    virtual void setLevels(int window, const TimingRecord& levels) = 0;
    virtual void setConnector(int window, InputConnector connector) = 0;
};

// The line that gives window `window` an input timing: porches, syncs and active sizes.
std::string inputTimingLine(int window, const TimingRecord& timing);

// What the Inputs page shows for its chosen window: an RGB window has a timing and the list;
// a video window a connector to choose.
struct InputWindowView {
    bool rgb = false;
    bool videoConnectorsEnabled = true; // Composite, S-Video and Auto; RGB is never clickable
    int typeRadio = 0;                  // 0 composite, 1 S-video, 2 auto, 3 RGB
    bool locked = false;
};
InputWindowView inputWindowView(InputType type, InputConnector connector, bool locked);

// The input settings of the Quadrix Inputs page without its widgets: recalling a setting into
// a window (with its picture levels if asked), storing a window's input timing as setting
// 1..50, deleting one, the connector of a video window and the window's current-timing row.
class InputSettings {
public:
    struct Seams {
        CommandChannel& channel;
        Prompter& prompter;
        Clock& clock;
        InputWindows& windows;
    };

    InputSettings(Seams seams, TimingList& list, TimingListCache& cache);

    // Recalls the setting at list position `position` into window `window`; false when it is
    // empty or refused.
    bool recall(int window, int position, bool withLevels);
    // Stores window `window`'s input timing and levels as setting `numberText` named `name`.
    bool add(int window, const std::string& numberText, const std::string& name);
    // Deletes the setting at list position `position`, after asking.
    bool remove(int position);
    void chooseConnector(int window, InputConnector connector);
    // Shows the window's timing as the list's last row; with `reselect`, selects the setting
    // that matches it.
    void showCurrentRow(int window, bool reselect);

private:
    void sendLevels(int window, const TimingRecord& levels);

    Seams s_;
    TimingList& list_;
    TimingListCache& cache_;
};

} // namespace kivo
