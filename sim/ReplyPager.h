#pragma once

#include <deque>
#include <string>
#include <string_view>

namespace kivo::sim {

// Splits a long answer into pages of pageLines lines, each but the last followed by the
// "----- MORE -----" marker; the device prints the next page on a bare line feed.
class ReplyPager {
public:
    // pageLines 0 never pages.
    explicit ReplyPager(int pageLines);

    // The first page of a new answer; any rest of an earlier answer is dropped.
    std::string start(std::string_view reply);
    // The next page of the current answer.
    std::string next();
    bool pending() const { return !lines_.empty() || (endless_ && started_); }
    void clear()
    {
        lines_.clear();
        started_ = false;
    }
    // A device stuck paging: every page ends in the marker, and past the last one each bare
    // line feed prints that page again.
    void setEndless(bool endless) { endless_ = endless; }

private:
    int pageLines_;
    std::deque<std::string> lines_;
    bool endless_ = false;
    bool started_ = false;
    std::string lastPage_;
};

} // namespace kivo::sim
