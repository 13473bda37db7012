#pragma once

#include "core/timing/TimingRecord.h"

#include <string>
#include <string_view>

namespace kivo {

class Clock;
class CommandChannel;
class ProgressSink;
class Prompter;
class TimingListCache;
struct TimingList;

// Reads the device's output status ("host") into the panel and its pages.
class OutputStatusReader {
public:
    virtual ~OutputStatusReader() = default;
    // Asks "host" and reads the answer.
    virtual void queryOutputStatus() = 0;
    // Reads an answer to "host" that another exchange brought.
    virtual void readOutputStatus(std::string_view hostReply) = 0;
};

// The line that gives the device an output timing: all thirteen values in free-run, only the
// porches, syncs and active sizes in autosync (the reference gives the rest).
std::string outputTimingLine(const TimingRecord& timing, bool freeRun);

// Whether a "host" answer says the output is locked to its reference ("locked_" is another
// word).
bool saysLocked(std::string_view hostReply);

// The output settings of the Quadrix Output page without its widgets: recalling a setting,
// storing the current output timing as user setting 1..10, deleting one, and switching the
// output between free-run and autosync with the device's pauses and the 15 s wait for a lock.
class OutputSettings {
public:
    struct Seams {
        CommandChannel& channel;
        Prompter& prompter;
        Clock& clock;
        OutputStatusReader& status;
    };

    OutputSettings(Seams seams, TimingList& list, TimingListCache& cache,
                   TimingRecord& outputTiming, bool& outputFreeRun);

    // Recalls the setting at list position `position`; false when it is empty or refused.
    bool recall(int position);
    // Stores the current output timing as user setting `numberText` named `name`.
    bool add(const std::string& numberText, const std::string& name);
    // Deletes the user setting at list position `position`, after asking.
    bool remove(int position);
    // After asking: false when the operator declined or the output already runs free.
    bool switchToFreeRun();
    enum class AutosyncOutcome { declined, locked, noReference };
    // Until the output locks, an end of the panel puts it back to free-run; `lockWait`, when
    // set, shows how long it has waited so far, and an empty text when the wait is over.
    AutosyncOutcome switchToAutosync();
    void setLockWaitView(ProgressSink* lockWait) { lockWait_ = lockWait; }

private:
    void showLockWait(const std::string& text);

    Seams s_;
    TimingList& list_;
    TimingListCache& cache_;
    TimingRecord& outputTiming_;
    bool& outputFreeRun_;
    ProgressSink* lockWait_ = nullptr;
};

} // namespace kivo
