#pragma once

#include <vector>

namespace kivo {

class CommandChannel;
class ProgressSink;
class Prompter;
class TimingListCache;
struct TimingList;

// Refills a timing list and its drop-down rows from the list's source: the device (which
// also rewrites the ini cache, and empties its keys of settings the device lists as empty)
// or the ini cache alone.
class TimingListLoader {
public:
    TimingListLoader(CommandChannel& channel, TimingListCache& cache, Prompter& prompter);
    void setProgress(ProgressSink* progress) { progress_ = progress; }

    // Both return false when the device was asked and its list could not be read.
    bool loadOutputList(TimingList& list);
    bool loadInputList(TimingList& list);

private:
    bool queryDevice(TimingList& list);
    // The device has none of the settings `numbers`: neither the list nor its cache keeps them.
    void forgetSettings(TimingList& list, const std::vector<int>& numbers);
    void placeRows(TimingList& list, int firstRowNumber) const;

    CommandChannel& channel_;
    TimingListCache& cache_;
    Prompter& prompter_;
    ProgressSink* progress_ = nullptr;
};

} // namespace kivo
