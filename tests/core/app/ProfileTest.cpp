#include "tests/support/TempDir.h"

#include "core/app/Profile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace kivo::test {
namespace {

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

} // namespace
} // namespace kivo::test
