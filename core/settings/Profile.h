#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kivo {

// The panel's ini file, read and written by section and key like a Windows profile file:
// names compare without case, blanks around names and values are dropped, a value in double
// quotes loses them, LF, CR LF and a lone CR all end a line. A write changes only the line of
// its key (or adds one); every other line, understood or not, goes back as it was. Every write
// goes through to the disk at once (unless writes are held, below), through a temporary file
// and a rename, so the file on disk is always whole; it keeps the file's mode and owner,
// follows a symbolic link to its target and refuses a read-only file. A file that cannot be
// read, or larger than 4 MiB, is never written.
class Profile {
public:
    explicit Profile(std::filesystem::path path);
    ~Profile();
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;

    // $XDG_CONFIG_HOME/Kivo/Kivo.ini, or ~/.config/Kivo/Kivo.ini.
    static std::filesystem::path defaultPath();

    const std::filesystem::path& path() const { return path_; }

    // Empty when the file was read, or did not exist yet; otherwise, in one line naming the
    // file, why it could not be read (no access, a folder, not text such as UTF-16). A file
    // that exists but cannot be read is never written over.
    const std::string& loadError() const { return loadError_; }

    std::string readString(const std::string& section, const std::string& key,
                           const std::string& fallback = {}) const;
    // Reads the leading decimal number of the value; a key that is missing gives `fallback`,
    // a value that is not a number gives 0.
    long readInt(const std::string& section, const std::string& key, long fallback) const;
    // The names of the file's sections, in the order they stand.
    std::vector<std::string> sectionNames() const;

    // Returns false, with the reason in lastWriteError(), when the file could not be written;
    // the file on disk is then as it was.
    bool writeString(const std::string& section, const std::string& key, const std::string& value);
    // Several keys of one section in one write: either all of them reach the disk or none.
    using Entry = std::pair<std::string, std::string>;
    bool writeStrings(const std::string& section, const std::vector<Entry>& entries);
    const std::string& lastWriteError() const { return lastWriteError_; }

    // While one lives, writes change the file in memory and report success, and all of them
    // reach the disk in one rewrite when it is released: the start-up stores dozens of keys,
    // and every rewrite costs the whole file.
    class HeldWrites {
    public:
        explicit HeldWrites(Profile& profile);
        ~HeldWrites();
        HeldWrites(const HeldWrites&) = delete;
        HeldWrites& operator=(const HeldWrites&) = delete;
        // Writes what was held, unless an outer hold is still alive. On failure, returns false
        // with the reason in lastWriteError(), and memory is put back as the disk holds it.
        bool release();

    private:
        Profile* profile_;
    };

    // Writes what is held now, as the program ends; true when nothing was held.
    bool flush();

private:
    bool save();

    struct Document;
    std::filesystem::path path_;
    std::unique_ptr<Document> document_;
    std::unique_ptr<Document> onDisk_; // while writes are held: the file as it is on the disk
    int holds_ = 0;
    std::string loadError_;
    std::string lastWriteError_;
};

} // namespace kivo
