#include "sim/ReplyPager.h"

#include "sim/ReplyFormats.h"

namespace kivo::sim {

ReplyPager::ReplyPager(int pageLines) : pageLines_(pageLines) {}

std::string ReplyPager::start(std::string_view reply)
{
    lines_.clear();
    while (!reply.empty()) {
        const std::size_t end = reply.find('\n');
        const std::size_t length = end == std::string_view::npos ? reply.size() : end + 1;
        lines_.emplace_back(reply.substr(0, length));
        reply.remove_prefix(length);
    }
    started_ = true;
    lastPage_.clear();
    return next();
}

std::string ReplyPager::next()
{
    std::string page;
    for (int n = 0; !lines_.empty() && (pageLines_ == 0 || n < pageLines_); ++n) {
        page += lines_.front();
        lines_.pop_front();
    }
    if (page.empty() && endless_)
        page = lastPage_;
    lastPage_ = page;
    if (pending())
        page += replies::moreMarker;
    return page;
}

} // namespace kivo::sim
