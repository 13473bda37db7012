#pragma once

#include <filesystem>
#include <string>
#include <sys/types.h>

namespace kivo {

// Writes `text` next to `path` and renames it over it, so that a reader sees either the old
// file or the new one, never a half-written one. A symbolic link is followed to its target; a
// file that exists keeps its mode and, where we may, its owner, and one made read-only is
// refused; a new file gets `newFileMode`. Temporary files left by killed runs are removed.
// Returns why the file could not be written, or nothing.
std::string replaceFileAtomically(const std::filesystem::path& path, const std::string& text,
                                  mode_t newFileMode = 0600);

} // namespace kivo
