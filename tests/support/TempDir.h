#pragma once

#include <filesystem>
#include <string>

namespace kivo::test {

// A fresh directory under the system temp folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path file(const std::string& name) const { return path_ / name; }
    std::string read(const std::string& name) const;
    void write(const std::string& name, const std::string& content) const;

private:
    std::filesystem::path path_;
};

} // namespace kivo::test
