#pragma once

#include <string>
#include <vector>

namespace kivo {

class Profile;
class Prompter;
struct TimingList;

// The lists' copy in the ini file ("OUTPUTLIST" keys 1..10, "INPUTLIST" keys 1..50), so a
// list can be shown without asking the device. A slot that holds too few real values is
// neither written nor read: its old key stays as it was.
class TimingListCache {
public:
    TimingListCache(Profile& profile, Prompter& prompter);

    void save(const TimingList& list);
    void read(TimingList& list) const;
    // Writes setting `number` of the list as it now is; a slot without a setting is written
    // empty. A failed write is reported.
    void saveSetting(const TimingList& list, int number);
    // Empties the keys of settings `numbers` that still hold one: the device has none of them.
    void forget(const TimingList& list, const std::vector<int>& numbers);

private:
    void write(const TimingList& list, int number, const std::string& text);

    Profile& profile_;
    Prompter& prompter_;
};

} // namespace kivo
