#pragma once

#include <filesystem>
#include <string>
#include <sys/types.h>

namespace kivo {

// How a write treats what it finds on its way.
struct ReplaceOptions {
    mode_t newFileMode = 0600;
    // A symbolic link at the path is followed to its target (a settings file kept elsewhere),
    // or else replaced by the file itself (a file written where a link stands must not land
    // in another folder).
    bool followLinks = true;
    // Folders missing on the way are made, or else the write is refused.
    bool createFolders = true;
};

// Writes `text` next to `path` and renames it over it, so that a reader sees either the old
// file or the new one, never a half-written one. A file that exists keeps its mode and, where
// we may, its owner, and one made read-only is refused; a new file gets the options' mode.
// Temporary files left by killed runs are removed. Returns why the file could not be written,
// or nothing.
std::string replaceFileAtomically(const std::filesystem::path& path, const std::string& text,
                                  const ReplaceOptions& options = {});

} // namespace kivo
