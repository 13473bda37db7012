#include "sim/FixedReplies.h"

#include "sim/TextFormat.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kivo::sim {

namespace {

// Far more than any list of replies; a device file such as /dev/zero would never end.
constexpr std::size_t maxFileSize = 1024 * 1024;

// Undoes the escapes of a reply; false for a backslash before anything else.
bool unescape(std::string_view text, std::string& out)
{
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return false;
        switch (text[i]) {
        case 'r':
            out += '\r';
            break;
        case 'n':
            out += '\n';
            break;
        case 't':
            out += '\t';
            break;
        case '\\':
            out += '\\';
            break;
        default:
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<FixedReplies> FixedReplies::parse(std::string_view text, std::string& error)
{
    FixedReplies replies;
    int number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        const std::size_t tab = line.find('\t');
        std::string reply;
        if (tab == std::string_view::npos || trimmed(line.substr(0, tab)).empty()) {
            error = formatText("line %d: expected a command, a tab and the reply", number);
            return std::nullopt;
        }
        if (!unescape(line.substr(tab + 1), reply)) {
            error = formatText(
                "line %d: a backslash must be followed by r, n, t or another backslash", number);
            return std::nullopt;
        }
        replies.add(line.substr(0, tab), reply);
    }
    return replies;
}

std::optional<FixedReplies> FixedReplies::load(const std::string& path, std::string& error)
{
    // Read with plain calls: a stream opens a directory without complaint and then reads
    // nothing, which would serve without the replies instead of refusing.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return std::nullopt;
    }
    std::string text;
    std::array<char, 4096> buffer{};
    ssize_t count = 0;
    while ((count = ::read(fd, buffer.data(), buffer.size())) != 0) {
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 || text.size() + static_cast<std::size_t>(count) > maxFileSize) {
            error = "cannot read " + path + ": " +
                    (count < 0 ? std::strerror(errno) : "larger than 1 MiB");
            ::close(fd);
            return std::nullopt;
        }
        text.append(buffer.data(), static_cast<std::size_t>(count));
    }
    ::close(fd);
    std::optional<FixedReplies> replies = parse(text, error);
    if (!replies)
        error = path + ": " + error;
    return replies;
}

void FixedReplies::add(std::string_view command, std::string_view reply)
{
    replies_[std::string(trimmed(command))] = std::string(reply);
}

const std::string* FixedReplies::find(std::string_view command) const
{
    const auto it = replies_.find(trimmed(command));
    return it == replies_.end() ? nullptr : &it->second;
}

} // namespace kivo::sim
