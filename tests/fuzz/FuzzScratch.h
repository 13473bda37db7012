#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace kivo::fuzz {

// One scratch folder for the whole fuzzing run, made at first use and removed at exit. Each
// input starts from an empty folder, so no input depends on the ones before it.
class Scratch {
public:
    static Scratch& get()
    {
        static Scratch scratch;
        return scratch;
    }
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path file(const std::string& name) const { return path_ / name; }
    void empty() const
    {
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(path_, ec))
            std::filesystem::remove_all(entry.path(), ec);
    }

private:
    Scratch()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kivo-fuzz.XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        path_ = pattern;
    }
    ~Scratch()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::filesystem::path path_;
};

} // namespace kivo::fuzz
