#include "tests/core/presentations/PresentationFixture.h"
#include "tests/support/TempDir.h"

#include "core/presentations/CommandScript.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace kivo::test {
namespace {

std::string fileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class CommandScriptTest : public PresentationFixture {};

TEST_F(CommandScriptTest, TwoShotsOfOneWindowEachGiveTenLines)
{
    const std::string expected =
        fileText(std::filesystem::path(KIVO_PRESENTATION_DATA) / "Show.txt");
    ASSERT_FALSE(expected.empty());
    const DeviceMirror before = mirror();
    EXPECT_EQ(commandScript(presentation("Show", 2), mirror()), expected);
    // Nothing is sent, and the mirror is left as it was.
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(mirror().window(2).priority, before.window(2).priority);
}

TEST_F(CommandScriptTest, FileNamesStayInsideTheWorkingDirectory)
{
    const std::vector<std::pair<std::string, std::optional<std::string>>> cases{
        {"Show", "Show.txt"},       {"../evil", "_._evil.txt"},    {"a/b", "a_b.txt"},
        {".hidden", "_hidden.txt"}, {"tab\there", "tab_here.txt"}, {"", std::nullopt},
    };
    for (const auto& [name, file] : cases)
        EXPECT_EQ(scriptFileName(name), file) << name;
    const auto longName = scriptFileName(std::string(300, 'x'));
    ASSERT_TRUE(longName);
    EXPECT_EQ(longName->size(), 255u);
}

TEST_F(CommandScriptTest, EachNameWritesOneVisibleFileInTheFolder)
{
    TempDir folder;
    for (const char* name : {"../evil", "a/b", ".hidden"}) {
        const auto file = scriptFileName(name);
        ASSERT_TRUE(file);
        EXPECT_EQ(writeCommandScript(folder.path() / *file, "sleep 800\r\r\n"), "");
    }
    std::vector<std::string> written;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        written.push_back(entry.path().filename().string());
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<std::string>{"_._evil.txt", "_hidden.txt", "a_b.txt"}));
}

TEST_F(CommandScriptTest, AFailedWriteSaysWhyAndLeavesTheOldScript)
{
    TempDir folder;
    const auto path = folder.path() / "Show.txt";
    ASSERT_EQ(writeCommandScript(path, "old\r\r\n"), "");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_NE(writeCommandScript(path, "new\r\r\n").find(path.string()), std::string::npos);
    EXPECT_EQ(fileText(path), "old\r\r\n");
    // A folder that is a file cannot hold the script.
    EXPECT_NE(writeCommandScript(path / "y.txt", "z"), "");
}

TEST_F(CommandScriptTest, ALinkAtTheNameIsReplacedNotWrittenThrough)
{
    TempDir folder;
    TempDir elsewhere;
    elsewhere.write("target.txt", "keep");
    for (const auto& pointsAt :
         {elsewhere.file("target.txt"), elsewhere.file("missing.txt"), elsewhere.path()}) {
        const auto link = folder.path() / "Show.txt";
        std::filesystem::remove(link);
        std::filesystem::create_symlink(pointsAt, link);
        EXPECT_EQ(writeCommandScript(link, "sleep 800\r\r\n"), "") << pointsAt;
        EXPECT_FALSE(std::filesystem::is_symlink(link)) << pointsAt;
        EXPECT_EQ(fileText(link), "sleep 800\r\r\n") << pointsAt;
    }
    EXPECT_EQ(elsewhere.read("target.txt"), "keep");
    EXPECT_FALSE(std::filesystem::exists(elsewhere.file("missing.txt")));
}

TEST_F(CommandScriptTest, AFolderThatDoesNotExistIsRefusedNotMade)
{
    TempDir folder;
    const auto path = folder.path() / "no" / "such" / "Show.txt";
    const std::string error = writeCommandScript(path, "sleep 800\r\r\n");
    EXPECT_NE(error.find("no folder " + (folder.path() / "no" / "such").string()),
              std::string::npos)
        << error;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "no"));
}

} // namespace
} // namespace kivo::test
