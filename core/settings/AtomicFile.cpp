#include "core/settings/AtomicFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace kivo {
namespace {

// A temporary file this old beside its target was left by a run that was killed mid-write:
// a write takes milliseconds.
constexpr auto staleAfter = std::chrono::minutes(1);

std::string describeErrno(const std::string& what, const std::filesystem::path& path)
{
    return what + " " + path.string() + ": " + std::strerror(errno);
}

// The file a write lands in: a symbolic link is followed to its target, so that the link
// stays a link, even when the target does not exist yet.
std::filesystem::path resolveLinks(const std::filesystem::path& path)
{
    std::filesystem::path target = path;
    std::error_code ec;
    for (int hops = 0; hops < 40 && std::filesystem::is_symlink(target, ec); ++hops) {
        const std::filesystem::path next = std::filesystem::read_symlink(target, ec);
        if (ec)
            break;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

bool isOurTemporaryName(const std::string& name, const std::string& base)
{
    if (name.size() != base.size() + 7 || !name.starts_with(base) || name[base.size()] != '.')
        return false;
    return std::all_of(name.begin() + static_cast<long>(base.size()) + 1, name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

// Removes the temporary files ("Kivo.ini.XXXXXX") of earlier runs that were killed between
// creating one and renaming it: only our own regular files of exactly that name, old enough
// that no live run can still be writing them.
void removeStaleTemporaries(const std::filesystem::path& target)
{
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const std::string base = target.filename().string();
    const auto now = std::chrono::system_clock::now();
    while (const dirent* entry = ::readdir(dir)) {
        if (!isOurTemporaryName(entry->d_name, base))
            continue;
        struct stat info {};
        if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode) || info.st_uid != ::geteuid())
            continue;
        const auto modified = std::chrono::system_clock::from_time_t(info.st_mtime);
        if (now - modified > staleAfter)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

} // namespace

std::string replaceFileAtomically(const std::filesystem::path& path, const std::string& text,
                                  const ReplaceOptions& options)
{
    const std::filesystem::path target = options.followLinks ? resolveLinks(path) : path;
    struct stat old {};
    // A link that is not followed is replaced like a file that was not there.
    const bool existed = options.followLinks
                             ? ::stat(target.c_str(), &old) == 0
                             : ::lstat(target.c_str(), &old) == 0 && !S_ISLNK(old.st_mode);
    if (existed) {
        if (!S_ISREG(old.st_mode))
            return "Cannot write " + target.string() + ": it is not a regular file";
        // The mode bits count even for root, who passes every access check: a file nobody
        // may write was made read-only on purpose.
        if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(target.c_str(), W_OK))
            return "Cannot write " + target.string() + ": the file is read-only";
    }
    std::error_code ec;
    if (target.has_parent_path() && options.createFolders)
        std::filesystem::create_directories(target.parent_path(), ec);
    else if (target.has_parent_path() && !std::filesystem::is_directory(target.parent_path(), ec))
        return "Cannot write " + target.string() + ": there is no folder " +
               target.parent_path().string();
    removeStaleTemporaries(target);
    std::string temp = target.string() + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return describeErrno("Cannot create a temporary file beside", target);
    if (existed) {
        // Only root may give a file away; anyone in its group may keep the group.
        [[maybe_unused]] const bool ownerKept =
            ::fchown(fd, old.st_uid, old.st_gid) == 0 ||
            ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        ::fchmod(fd, options.newFileMode);
    }
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

} // namespace kivo
