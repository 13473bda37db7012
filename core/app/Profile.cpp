#include "core/app/Profile.h"

// Keys and values are plain bytes (no wide-character conversion), and the template bodies
// come from the header, so no ICU-bound library is needed.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <system_error>
#include <unistd.h>

namespace kivo {

struct Profile::Document {
    CSimpleIniA ini{false, false, false}; // plain bytes, one value per key, no multi-line values
};

namespace {

std::string describeErrno(const std::string& what, const std::filesystem::path& path)
{
    return what + " " + path.string() + ": " + std::strerror(errno);
}

// Writes `text` next to `target` and renames it over the target, so that a reader sees
// either the old file or the new one, never a half-written one.
std::string replaceFileAtomically(const std::filesystem::path& target, const std::string& text)
{
    std::error_code ec;
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path(), ec);
    std::string temp = target.string() + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return describeErrno("Cannot create a temporary file beside", target);
    const char* data = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            const std::string error = describeErrno("Cannot write", temp);
            ::close(fd);
            ::unlink(temp.c_str());
            return error;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        const std::string error = describeErrno("Cannot flush", temp);
        ::unlink(temp.c_str());
        return error;
    }
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
        const std::string error = describeErrno("Cannot replace", target);
        ::unlink(temp.c_str());
        return error;
    }
    return {};
}

} // namespace

Profile::Profile(std::filesystem::path path)
    : path_(std::move(path)), document_(std::make_unique<Document>())
{
    document_->ini.SetQuotes(true);
    std::ifstream file(path_, std::ios::binary);
    if (!file) {
        std::error_code ec;
        if (std::filesystem::exists(path_, ec) || ec)
            loadError_ = describeErrno("Cannot read", path_);
        return;
    }
    std::ostringstream content;
    content << file.rdbuf();
    if (file.bad() || document_->ini.LoadData(content.str()) < 0)
        loadError_ = "Cannot read " + path_.string();
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
    const char* value = document_->ini.GetValue(section.c_str(), key.c_str(), nullptr);
    return value ? std::string(value) : fallback;
}

long Profile::readInt(const std::string& section, const std::string& key, long fallback) const
{
    const char* value = document_->ini.GetValue(section.c_str(), key.c_str(), nullptr);
    if (!value)
        return fallback;
    return std::strtol(value, nullptr, 10);
}

bool Profile::writeString(const std::string& section, const std::string& key,
                          const std::string& value)
{
    if (!loadError_.empty()) {
        lastWriteError_ = loadError_ + "; it is left as it is";
        return false;
    }
    const char* old = document_->ini.GetValue(section.c_str(), key.c_str(), nullptr);
    const std::string previous = old ? old : "";
    const bool existed = old != nullptr;
    document_->ini.SetValue(section.c_str(), key.c_str(), value.c_str());
    if (save())
        return true;
    // Keep memory and disk alike: undo the change that did not reach the file.
    if (existed)
        document_->ini.SetValue(section.c_str(), key.c_str(), previous.c_str());
    else
        document_->ini.Delete(section.c_str(), key.c_str(), true);
    return false;
}

bool Profile::save()
{
    std::string text;
    if (document_->ini.Save(text) < 0) {
        lastWriteError_ = "Cannot format " + path_.string();
        return false;
    }
    lastWriteError_ = replaceFileAtomically(path_, text);
    return lastWriteError_.empty();
}

} // namespace kivo
