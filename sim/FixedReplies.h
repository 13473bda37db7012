#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace kivo::sim {

// Replies given instead of the model's for chosen command lines, read from a file whose
// lines are a command, a tab and the reply with \r, \n, \t and \\ escapes.
class FixedReplies {
public:
    // The replies of a file's text, or nothing with error saying which line is wrong.
    static std::optional<FixedReplies> parse(std::string_view text, std::string& error);
    // The replies of a file, or nothing with error saying why in one line: the file cannot be
    // read (missing, a directory, not allowed, over 1 MiB) or a line is wrong.
    static std::optional<FixedReplies> load(const std::string& path, std::string& error);

    void add(std::string_view command, std::string_view reply);
    // The reply for a command line (compared without surrounding blanks), or nullptr.
    const std::string* find(std::string_view command) const;

private:
    std::map<std::string, std::string, std::less<>> replies_;
};

} // namespace kivo::sim
