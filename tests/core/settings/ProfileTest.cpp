#include "tests/support/TempDir.h"

#include "core/settings/Profile.h"

#include <gmock/gmock.h>

#include <ctime>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

namespace kivo::test {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;

TEST(Profile, ReadsLikeAWindowsProfileFile)
{
    TempDir dir;
    dir.write("p.ini", "[SerialPort]\r\n  Port =  /dev/ttyUSB0  \r\nDesc=\"  padded  \"\r\n"
                       "[OTHER]\nx=1\n");
    const Profile profile(dir.file("p.ini"));
    EXPECT_EQ(profile.loadError(), "");
    EXPECT_EQ(profile.readString("SERIALPORT", "port"), "/dev/ttyUSB0");
    EXPECT_EQ(profile.readString("serialport", "DESC"), "  padded  ");
    EXPECT_EQ(profile.readString("OTHER", "missing", "fallback"), "fallback");
    EXPECT_EQ(profile.readInt("OTHER", "x", 7), 1);
    EXPECT_EQ(profile.readInt("OTHER", "missing", 7), 7);
}

TEST(Profile, WritesGoThroughAndReadBackAfterReopening)
{
    TempDir dir;
    {
        Profile profile(dir.file("sub/Kivo.ini"));
        ASSERT_TRUE(profile.writeString("DESCRIPTIONS", "desc1", "Camera one"));
        ASSERT_TRUE(profile.writeString("DESCRIPTIONS", "desc2", "  leading blanks"));
    }
    const Profile reopened(dir.file("sub/Kivo.ini"));
    EXPECT_EQ(reopened.readString("descriptions", "DESC1"), "Camera one");
    EXPECT_EQ(reopened.readString("DESCRIPTIONS", "desc2"), "  leading blanks");
}

TEST(Profile, UnreadableFileIsNeverWrittenOver)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    TempDir dir;
    dir.write("locked.ini", "[A]\nkey=keep\n");
    ::chmod(dir.file("locked.ini").c_str(), 0);
    Profile profile(dir.file("locked.ini"));
    EXPECT_NE(profile.loadError(), "");
    EXPECT_FALSE(profile.writeString("A", "key", "lost"));
    ::chmod(dir.file("locked.ini").c_str(), 0600);
    EXPECT_EQ(dir.read("locked.ini"), "[A]\nkey=keep\n");
}

TEST(Profile, FailedWriteLeavesFileAndMemoryAsTheyWere)
{
    TempDir dir;
    Profile profile(dir.file("Kivo.ini"));
    ASSERT_TRUE(profile.writeString("A", "key", "old"));
    // A file where the directory should be makes every later write fail.
    Profile blocked(dir.file("Kivo.ini/inner.ini"));
    EXPECT_FALSE(blocked.writeString("A", "key", "new"));
    EXPECT_NE(blocked.lastWriteError(), "");
    EXPECT_EQ(blocked.readString("A", "key"), "");
    EXPECT_EQ(profile.readString("A", "key"), "old");
}

// Lines the reader does not understand, in the shapes a hand-edited file has them.
struct KeptLinesCase {
    const char* name;
    const char* content;
};

class KeptLines : public ::testing::TestWithParam<KeptLinesCase> {};

TEST_P(KeptLines, StayOnceThroughTenSaves)
{
    TempDir dir;
    const std::string original = GetParam().content;
    dir.write("Kivo.ini", original);
    for (int run = 0; run < 10; ++run) {
        Profile profile(dir.file("Kivo.ini"));
        ASSERT_EQ(profile.loadError(), "");
        ASSERT_TRUE(profile.writeString("SERIALPORT", "baudrate", "19200"))
            << profile.lastWriteError();
    }
    std::string expected = original;
    expected.replace(expected.find("9600"), 4, "19200");
    EXPECT_EQ(dir.read("Kivo.ini"), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeptLines,
    ::testing::Values(
        KeptLinesCase{"headerWithoutBracket",
                      "[SERIALPORT]\nbaudrate=9600\n[CUSTOM1\nfoo=bar\n[B]\nx=1\n"},
        KeptLinesCase{"commentsAndStrayText",
                      "; top\n# hash\n[SERIALPORT]\nstray words\nbaudrate=9600\n\n; tail\n"},
        KeptLinesCase{"keyBeforeAnySection", "orphan=1\n[SERIALPORT]\nbaudrate=9600\n"},
        KeptLinesCase{"crLfAndNoFinalLineBreak",
                      "[SERIALPORT]\r\n  baudrate = 9600\r\n[CUSTOM1\r\n; c\r\nx=1"},
        KeptLinesCase{"crOnly", "[SERIALPORT]\r  baudrate = 9600\r[CUSTOM1\r; c\rx=1"},
        KeptLinesCase{"mixedLineEnds", "[A]\nx=1\r\n[SERIALPORT]\rbaudrate=9600\n\r\n"},
        KeptLinesCase{"utf8ByteOrderMark", "\xEF\xBB\xBF[SERIALPORT]\nbaudrate=9600\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Profile, KeysUnderABrokenHeaderAreNotTakenForTheSectionAbove)
{
    TempDir dir;
    dir.write("Kivo.ini", "[SERIALPORT]\nbaudrate=9600\n[CUSTOM1\nport=/dev/ttyS9\n");
    Profile profile(dir.file("Kivo.ini"));
    EXPECT_EQ(profile.readString("SERIALPORT", "port", "none"), "none");
    ASSERT_TRUE(profile.writeString("serialport", "PORT", "/dev/ttyUSB0"));
    EXPECT_EQ(dir.read("Kivo.ini"),
              "[SERIALPORT]\nbaudrate=9600\nPORT=/dev/ttyUSB0\n[CUSTOM1\nport=/dev/ttyS9\n");
}

TEST(Profile, NewKeysAndSectionsFollowTheFilesOwnLineEndings)
{
    TempDir dir;
    dir.write("Kivo.ini", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2");
    Profile profile(dir.file("Kivo.ini"));
    ASSERT_TRUE(profile.writeString("a", "z", "3"));
    ASSERT_TRUE(profile.writeString("B", "y", "\"quoted\""));
    ASSERT_TRUE(profile.writeString("C", "w", "  padded "));
    EXPECT_EQ(dir.read("Kivo.ini"), "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=\"\"quoted\"\"\r\n"
                                    "[C]\r\nw=\"  padded \"\r\n");
    const Profile reopened(dir.file("Kivo.ini"));
    EXPECT_EQ(reopened.readString("B", "y"), "\"quoted\"");
    EXPECT_EQ(reopened.readString("C", "w"), "  padded ");
}

TEST(Profile, LfCrLfAndALoneCrAllEndALine)
{
    for (const std::string newline : {"\n", "\r\n", "\r"}) {
        TempDir dir;
        dir.write("Kivo.ini", "[A]" + newline + "x=1" + newline + "[B]" + newline + "y=2");
        Profile profile(dir.file("Kivo.ini"));
        EXPECT_EQ(profile.readString("A", "x"), "1") << testing::PrintToString(newline);
        EXPECT_EQ(profile.readString("B", "y"), "2") << testing::PrintToString(newline);
        ASSERT_TRUE(profile.writeString("A", "z", "3"));
        EXPECT_EQ(dir.read("Kivo.ini"),
                  "[A]" + newline + "x=1" + newline + "z=3" + newline + "[B]" + newline + "y=2")
            << testing::PrintToString(newline);
    }
}

TEST(Profile, ValueThatWouldBreakTheLineIsRefused)
{
    TempDir dir;
    Profile profile(dir.file("Kivo.ini"));
    ASSERT_TRUE(profile.writeString("A", "key", "kept"));
    EXPECT_FALSE(profile.writeString("A", "key", "two\n[SERIALPORT]\nport=/dev/evil"));
    EXPECT_NE(profile.lastWriteError(), "");
    EXPECT_EQ(dir.read("Kivo.ini"), "[A]\nkey=kept\n");
    EXPECT_EQ(profile.readString("A", "key"), "kept");
}

// Files that are not text: reported in one line that names the file, never written over.
struct NotTextCase {
    const char* name;
    std::string content;
    const char* why;
};

class NotText : public ::testing::TestWithParam<NotTextCase> {};

TEST_P(NotText, IsReportedAndNeverWrittenOver)
{
    TempDir dir;
    dir.write("Kivo.ini", GetParam().content);
    Profile profile(dir.file("Kivo.ini"));
    EXPECT_NE(profile.loadError().find(dir.file("Kivo.ini").string()), std::string::npos)
        << profile.loadError();
    EXPECT_NE(profile.loadError().find(GetParam().why), std::string::npos) << profile.loadError();
    EXPECT_EQ(profile.loadError().find('\n'), std::string::npos);
    EXPECT_EQ(profile.readString("SERIALPORT", "baudrate", "none"), "none");
    EXPECT_FALSE(profile.writeString("SERIALPORT", "baudrate", "9600"));
    EXPECT_EQ(dir.read("Kivo.ini"), GetParam().content);
}

std::string utf16(const std::string& text, bool bigEndian)
{
    std::string wide;
    for (const char c : text)
        wide += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return wide;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NotText,
    ::testing::Values(
        NotTextCase{"nulByte", std::string("[SERIALPORT]\nbaud") + '\0' + "rate=9600\n", "NUL"},
        NotTextCase{"utf16LittleEndianWithMark",
                    "\xFF\xFE" + utf16("[SERIALPORT]\r\nbaudrate=9600\r\n", false), "UTF-16"},
        NotTextCase{"utf16BigEndianWithMark",
                    "\xFE\xFF" + utf16("[SERIALPORT]\r\nbaudrate=9600\r\n", true), "UTF-16"},
        NotTextCase{"utf16WithoutMark", utf16("[SERIALPORT]\r\nbaudrate=9600\r\n", false),
                    "UTF-16"}),
    [](const auto& info) { return std::string(info.param.name); });

// Names that are no ini file: each is said in one line, at once (a FIFO never blocks), and
// left as it is.
TEST(Profile, WhatCannotBeReadIsReportedWithoutWaitingAndNeverReplaced)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("folder.ini"));
    ASSERT_EQ(::mkfifo(dir.file("fifo.ini").c_str(), 0600), 0);
    std::filesystem::create_symlink("loop.ini", dir.file("loop.ini"));
    dir.write("huge.ini", "[A]\nkey=1\n");
    std::filesystem::resize_file(dir.file("huge.ini"), 4 * 1024 * 1024 + 1);
    const struct {
        std::filesystem::path path;
        const char* why;
    } cases[] = {
        {dir.file("folder.ini"), "folder"},  {dir.file("fifo.ini"), "not a regular file"},
        {"/dev/null", "not a regular file"}, {dir.file("loop.ini"), "symbolic links"},
        {dir.file("huge.ini"), "too large"},
    };
    for (const auto& c : cases) {
        Profile profile(c.path);
        EXPECT_THAT(profile.loadError(), AllOf(HasSubstr(c.path.string()), HasSubstr(c.why)))
            << c.path;
        EXPECT_EQ(profile.loadError().find('\n'), std::string::npos);
        EXPECT_FALSE(profile.writeString("A", "key", "value")) << c.path;
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.ini")));
    EXPECT_TRUE(std::filesystem::is_fifo(dir.file("fifo.ini")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("loop.ini")));
    EXPECT_EQ(std::filesystem::file_size(dir.file("huge.ini")), 4u * 1024 * 1024 + 1);
}

TEST(Profile, HeldWritesReachTheDiskTogetherWhenReleased)
{
    TempDir dir;
    dir.write("Kivo.ini", "[A]\nx=1\n");
    Profile profile(dir.file("Kivo.ini"));
    {
        Profile::HeldWrites outer(profile);
        Profile::HeldWrites inner(profile);
        ASSERT_TRUE(profile.writeString("A", "x", "2"));
        ASSERT_TRUE(profile.writeStrings("B", {{"y", "3"}, {"z", "4"}}));
        EXPECT_EQ(profile.readString("B", "z"), "4");
        EXPECT_TRUE(inner.release());
        EXPECT_EQ(dir.read("Kivo.ini"), "[A]\nx=1\n") << "an outer hold still holds";
    }
    EXPECT_EQ(dir.read("Kivo.ini"), "[A]\nx=2\n[B]\ny=3\nz=4\n");
}

TEST(Profile, HeldWritesThatCannotBeSavedAreUndoneInMemory)
{
    TempDir dir;
    dir.write("Kivo.ini", "[A]\nx=1\n");
    Profile profile(dir.file("Kivo.ini"));
    Profile::HeldWrites held(profile);
    ASSERT_TRUE(profile.writeString("A", "x", "2"));
    ::chmod(dir.file("Kivo.ini").c_str(), 0444);
    EXPECT_FALSE(held.release());
    EXPECT_THAT(profile.lastWriteError(), HasSubstr("read-only"));
    EXPECT_EQ(profile.readString("A", "x"), "1");
    EXPECT_EQ(dir.read("Kivo.ini"), "[A]\nx=1\n");
}

struct stat statOf(const std::filesystem::path& path)
{
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info;
}

TEST(Profile, WriteKeepsTheFilesModeAndOwner)
{
    TempDir dir;
    dir.write("Kivo.ini", "[A]\nkey=old\n");
    ::chmod(dir.file("Kivo.ini").c_str(), 0640);
    // Only root can give the file to someone else; others check that their own stays theirs.
    const uid_t owner = ::geteuid() == 0 ? 4321 : ::geteuid();
    const gid_t group = ::geteuid() == 0 ? 4321 : ::getegid();
    ASSERT_EQ(::chown(dir.file("Kivo.ini").c_str(), owner, group), 0);
    Profile profile(dir.file("Kivo.ini"));
    ASSERT_TRUE(profile.writeString("A", "key", "new")) << profile.lastWriteError();
    const struct stat after = statOf(dir.file("Kivo.ini"));
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(after.st_uid, owner);
    EXPECT_EQ(after.st_gid, group);
    EXPECT_EQ(dir.read("Kivo.ini"), "[A]\nkey=new\n");
}

TEST(Profile, WriteGoesThroughASymbolicLinkToItsTarget)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("real"));
    dir.write("real/Kivo.ini", "[A]\nkey=old\n");
    std::filesystem::create_symlink("real/Kivo.ini", dir.file("Kivo.ini"));
    std::filesystem::create_symlink("real/New.ini", dir.file("New.ini")); // no target yet
    Profile linked(dir.file("Kivo.ini"));
    ASSERT_TRUE(linked.writeString("A", "key", "new")) << linked.lastWriteError();
    Profile dangling(dir.file("New.ini"));
    ASSERT_TRUE(dangling.writeString("A", "key", "first")) << dangling.lastWriteError();
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("Kivo.ini")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("New.ini")));
    EXPECT_EQ(dir.read("real/Kivo.ini"), "[A]\nkey=new\n");
    EXPECT_EQ(dir.read("real/New.ini"), "[A]\nkey=first\n");
}

TEST(Profile, ReadOnlyFileIsRefusedAndLeftAsItIs)
{
    TempDir dir;
    dir.write("Kivo.ini", "[A]\nkey=old\n");
    ::chmod(dir.file("Kivo.ini").c_str(), 0444);
    Profile profile(dir.file("Kivo.ini"));
    EXPECT_EQ(profile.loadError(), "");
    EXPECT_FALSE(profile.writeString("A", "key", "new"));
    EXPECT_NE(profile.lastWriteError().find("read-only"), std::string::npos)
        << profile.lastWriteError();
    EXPECT_EQ(profile.readString("A", "key"), "old");
    EXPECT_EQ(dir.read("Kivo.ini"), "[A]\nkey=old\n");
    EXPECT_EQ(statOf(dir.file("Kivo.ini")).st_mode & 07777, 0444u);
}

TEST(Profile, TemporaryFilesOfAKilledRunAreRemovedAndNothingElse)
{
    TempDir dir;
    const std::vector<std::string> stale = {"Kivo.ini.Ab12Cd"};
    const std::vector<std::string> kept = {"Kivo.ini.Fresh1", "Kivo.ini.bak", "Kivo.ini.Ab12Cde",
                                           "Other.ini.Ab12Cd", "Kivo.ini.Ab-2Cd"};
    const std::time_t twoMinutesAgo = std::time(nullptr) - 120;
    const utimbuf old{twoMinutesAgo, twoMinutesAgo};
    for (const std::string& name : kept) {
        dir.write(name, "x");
        if (name != "Kivo.ini.Fresh1")
            ::utime(dir.file(name).c_str(), &old);
    }
    for (const std::string& name : stale) {
        dir.write(name, "x");
        ::utime(dir.file(name).c_str(), &old);
    }
    Profile profile(dir.file("Kivo.ini"));
    ASSERT_TRUE(profile.writeString("A", "key", "value"));
    for (const std::string& name : stale)
        EXPECT_FALSE(std::filesystem::exists(dir.file(name))) << name;
    for (const std::string& name : kept)
        EXPECT_TRUE(std::filesystem::exists(dir.file(name))) << name;
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, kept.size() + 1) << "no temporary file of our own is left";
}

} // namespace
} // namespace kivo::test
