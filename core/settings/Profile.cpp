#include "core/settings/Profile.h"

#include "core/settings/AtomicFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>
#include <vector>

namespace kivo {

namespace {

constexpr const char* utf8Mark = "\xEF\xBB\xBF";
// Far more than any panel writes (a full one holds a few tens of kilobytes); a file this big
// is something else named by mistake, and reading it would slow every start.
constexpr off_t largestFile = 4 * 1024 * 1024;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string trimmed(const std::string& text, std::size_t from = 0,
                    std::size_t to = std::string::npos)
{
    to = std::min(to, text.size());
    while (from < to && isBlank(text[from]))
        ++from;
    while (to > from && isBlank(text[to - 1]))
        --to;
    return text.substr(from, to - from);
}

bool sameName(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

std::string describeErrno(const std::string& what, const std::filesystem::path& path)
{
    return what + " " + path.string() + ": " + std::strerror(errno);
}

// What one line of the file says. Anything but a section header or a key is kept as it is
// and never looked at again: comments, blank lines, a header without "]", stray text.
struct LineMeaning {
    enum Kind { other, header, brokenHeader, key } kind = other;
    std::string name;       // the section or key name
    std::size_t equals = 0; // where the "=" of a key is
};

LineMeaning meaningOf(const std::string& line)
{
    const std::string text = trimmed(line);
    if (text.empty() || text.front() == ';' || text.front() == '#')
        return {};
    if (text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string::npos)
            return {LineMeaning::brokenHeader, {}, 0};
        return {LineMeaning::header, trimmed(text, 1, close), 0};
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos)
        return {};
    std::string name = trimmed(line, 0, equals);
    if (name.empty())
        return {};
    return {LineMeaning::key, std::move(name), equals};
}

std::string valueOf(const std::string& line, std::size_t equals)
{
    std::string value = trimmed(line, equals + 1);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return value;
}

// Blanks at either end, or enclosing quotes, would be lost on reading; quotes keep them.
std::string quotedIfNeeded(const std::string& value)
{
    if (value.empty())
        return value;
    const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
    if (quoted || isBlank(value.front()) || isBlank(value.back()))
        return '"' + value + '"';
    return value;
}

// Why `content` is not an ini file, or empty when it is text.
std::string whyNotText(const std::string& content)
{
    if (content.starts_with("\xFF\xFE") || content.starts_with("\xFE\xFF"))
        return "it is UTF-16 text; save it as plain (ANSI or UTF-8) text";
    const std::size_t nul = content.find('\0');
    if (nul == std::string::npos)
        return {};
    // Latin text in UTF-16 has a NUL in every other byte.
    std::size_t even = 0;
    std::size_t odd = 0;
    for (std::size_t i = 0; i < content.size(); ++i)
        if (content[i] == '\0')
            ++(i % 2 ? odd : even);
    if (std::max(even, odd) * 4 >= content.size())
        return "it looks like UTF-16 text; save it as plain (ANSI or UTF-8) text";
    return "it holds a NUL byte at offset " + std::to_string(nul) + ", so it is not a text file";
}

// Where the line that starts at `at` ends, its line end included: LF, CR LF or a lone CR.
std::size_t endOfLine(const std::string& content, std::size_t at)
{
    const std::size_t end = content.find_first_of("\r\n", at);
    if (end == std::string::npos)
        return content.size();
    if (content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n')
        return end + 2;
    return end + 1;
}

bool endsLine(const std::string& line) { return line.ends_with('\n') || line.ends_with('\r'); }

} // namespace

// The file as its lines, each with its own line ending, so that whatever is not written
// goes back to the disk byte for byte. What each line says is worked out once, on loading.
struct Profile::Document {
    std::string mark; // a UTF-8 byte-order mark, kept as it was
    std::vector<std::string> lines;
    std::vector<LineMeaning> meanings; // one per line
    std::string newline = "\n";        // the file's own, for lines added

    void load(const std::string& content)
    {
        std::size_t at = 0;
        if (content.starts_with(utf8Mark)) {
            mark = utf8Mark;
            at = mark.size();
        }
        while (at < content.size()) {
            const std::size_t end = endOfLine(content, at);
            lines.push_back(content.substr(at, end - at));
            at = end;
        }
        meanings.reserve(lines.size());
        for (const std::string& line : lines)
            meanings.push_back(meaningOf(body(line)));
        for (const std::string& line : lines)
            if (endsLine(line)) {
                newline = line.substr(body(line).size());
                break;
            }
    }

    std::string text() const
    {
        std::string all = mark;
        for (const std::string& line : lines)
            all += line;
        return all;
    }

    static std::string body(const std::string& line)
    {
        std::size_t end = line.size();
        if (end > 0 && line[end - 1] == '\n')
            --end;
        if (end > 0 && line[end - 1] == '\r')
            --end;
        return line.substr(0, end);
    }

    // The line holding `key` in `section`: the first one in any section of that name.
    // Keys under a broken header belong to no section.
    std::optional<std::size_t> findKey(const std::string& section, const std::string& key) const
    {
        bool inSection = false;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const LineMeaning& meaning = meanings[i];
            if (meaning.kind == LineMeaning::header || meaning.kind == LineMeaning::brokenHeader)
                inSection = meaning.kind == LineMeaning::header && sameName(meaning.name, section);
            else if (inSection && meaning.kind == LineMeaning::key && sameName(meaning.name, key))
                return i;
        }
        return std::nullopt;
    }

    // Where a new key of `section` goes: after the last key of its first header, or after
    // the header itself.
    std::optional<std::size_t> endOfSection(const std::string& section) const
    {
        std::optional<std::size_t> end;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const LineMeaning& meaning = meanings[i];
            if (meaning.kind == LineMeaning::header || meaning.kind == LineMeaning::brokenHeader) {
                if (end)
                    break;
                if (meaning.kind == LineMeaning::header && sameName(meaning.name, section))
                    end = i + 1;
            } else if (end && meaning.kind == LineMeaning::key) {
                end = i + 1;
            }
        }
        return end;
    }

    void insert(std::size_t at, const std::string& line)
    {
        if (at > 0 && !endsLine(lines[at - 1]))
            lines[at - 1] += newline;
        lines.insert(lines.begin() + static_cast<long>(at), line + newline);
        meanings.insert(meanings.begin() + static_cast<long>(at), meaningOf(line));
    }

    void set(const std::string& section, const std::string& key, const std::string& value)
    {
        if (const auto found = findKey(section, key)) {
            std::string& line = lines[*found];
            const std::string ending = line.substr(body(line).size());
            // The key as it was spelt and the blanks after "=" stay.
            std::size_t start = meanings[*found].equals + 1;
            while (start < body(line).size() && isBlank(line[start]))
                ++start;
            line = line.substr(0, start) + quotedIfNeeded(value) + ending;
        } else if (const auto end = endOfSection(section)) {
            insert(*end, key + "=" + quotedIfNeeded(value));
        } else {
            insert(lines.size(), "[" + section + "]");
            insert(lines.size(), key + "=" + quotedIfNeeded(value));
        }
    }
};

namespace {

bool holdsLineBreak(const std::string& text)
{
    return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

// Why section, key and value cannot be written as one line that reads back the same.
std::string whyNotWritable(const std::string& section, const std::string& key,
                           const std::string& value)
{
    if (holdsLineBreak(section) || holdsLineBreak(key) || holdsLineBreak(value))
        return "a line break or NUL cannot be stored";
    if (section.find(']') != std::string::npos || trimmed(section) != section)
        return "\"" + section + "\" cannot be a section name";
    if (key.empty() || trimmed(key) != key || key.find('=') != std::string::npos ||
        key.front() == ';' || key.front() == '#' || key.front() == '[')
        return "\"" + key + "\" cannot be a key name";
    return {};
}

} // namespace

Profile::Profile(std::filesystem::path path)
    : path_(std::move(path)), document_(std::make_unique<Document>())
{
    // Not blocking: a FIFO named by mistake must not hang the program.
    const int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT)
            loadError_ = describeErrno("Cannot read", path_);
        return;
    }
    struct stat info {};
    std::string content;
    if (::fstat(fd, &info) != 0) {
        loadError_ = describeErrno("Cannot read", path_);
    } else if (S_ISDIR(info.st_mode)) {
        loadError_ = "Cannot read " + path_.string() + ": it is a folder, not a file";
    } else if (!S_ISREG(info.st_mode)) {
        loadError_ = "Cannot read " + path_.string() + ": it is not a regular file";
    } else if (info.st_size > largestFile) {
        loadError_ = "Cannot read " + path_.string() + ": at " + std::to_string(info.st_size) +
                     " bytes it is too large for an ini file (at most " +
                     std::to_string(largestFile) + ")";
    } else {
        char buffer[65536];
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                loadError_ = describeErrno("Cannot read", path_);
            if (got <= 0)
                break;
            content.append(buffer, static_cast<std::size_t>(got));
        }
    }
    ::close(fd);
    if (!loadError_.empty())
        return;
    if (const std::string why = whyNotText(content); !why.empty())
        loadError_ = "Cannot read " + path_.string() + ": " + why;
    else
        document_->load(content);
}

Profile::~Profile() = default;

std::filesystem::path Profile::defaultPath()
{
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path base;
    if (configHome && *configHome)
        base = configHome;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".config";
    else
        base = ".";
    return base / "Kivo" / "Kivo.ini";
}

std::string Profile::readString(const std::string& section, const std::string& key,
                                const std::string& fallback) const
{
    const auto found = document_->findKey(section, key);
    if (!found)
        return fallback;
    return valueOf(Document::body(document_->lines[*found]), document_->meanings[*found].equals);
}

std::vector<std::string> Profile::sectionNames() const
{
    std::vector<std::string> names;
    for (const std::string& line : document_->lines)
        if (const LineMeaning meaning = meaningOf(Document::body(line));
            meaning.kind == LineMeaning::header)
            names.push_back(meaning.name);
    return names;
}

long Profile::readInt(const std::string& section, const std::string& key, long fallback) const
{
    if (!document_->findKey(section, key))
        return fallback;
    return std::strtol(readString(section, key).c_str(), nullptr, 10);
}

bool Profile::writeString(const std::string& section, const std::string& key,
                          const std::string& value)
{
    return writeStrings(section, {{key, value}});
}

bool Profile::writeStrings(const std::string& section, const std::vector<Entry>& entries)
{
    if (!loadError_.empty()) {
        lastWriteError_ = loadError_ + "; it is left as it is";
        return false;
    }
    for (const auto& [key, value] : entries) {
        if (const std::string why = whyNotWritable(section, key, value); !why.empty()) {
            lastWriteError_ = "Cannot write " + path_.string() + ": " + why;
            return false;
        }
    }
    if (holds_ > 0 && !onDisk_)
        onDisk_ = std::make_unique<Document>(*document_);
    // Keep memory and disk alike: the change is kept only once it is on the disk.
    const Document before = holds_ > 0 ? Document{} : *document_;
    for (const auto& [key, value] : entries)
        document_->set(section, key, value);
    if (holds_ > 0 || save())
        return true;
    *document_ = before;
    return false;
}

bool Profile::flush()
{
    if (!onDisk_)
        return true;
    const std::unique_ptr<Document> onDisk = std::move(onDisk_);
    if (save())
        return true;
    *document_ = *onDisk;
    return false;
}

Profile::HeldWrites::HeldWrites(Profile& profile) : profile_(&profile) { ++profile.holds_; }

Profile::HeldWrites::~HeldWrites() { release(); }

bool Profile::HeldWrites::release()
{
    if (!profile_)
        return true;
    Profile& profile = *std::exchange(profile_, nullptr);
    return --profile.holds_ > 0 || profile.flush();
}

bool Profile::save()
{
    lastWriteError_ = replaceFileAtomically(path_, document_->text());
    if (!lastWriteError_.empty())
        lastWriteError_ += "; it is left as it is";
    return lastWriteError_.empty();
}

} // namespace kivo
