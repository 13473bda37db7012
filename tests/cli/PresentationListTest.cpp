#include "cli/CliArguments.h"
#include "cli/CliSession.h"
#include "cli/PresentationAction.h"

#include "tests/support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

namespace kivo::cli {
namespace {

using ::testing::HasSubstr;

struct ListRun {
    int status;
    std::string out;
    std::string err;
};

// presentations on an ini file the test writes.
class PresentationList : public ::testing::Test {
protected:
    ListRun list(const std::vector<std::string>& words)
    {
        std::vector<std::string> all{"--ini", dir.file("Kivo.ini").string(), "presentations"};
        all.insert(all.end(), words.begin(), words.end());
        const ParsedArguments parsed = parseArguments(all);
        EXPECT_EQ(parsed.error, "");
        std::ostringstream out;
        std::ostringstream err;
        const int status = listPresentations(parsed.arguments, out, err);
        return {status, out.str(), err.str()};
    }

    test::TempDir dir;
};

// Two presentations; the second lists window 3 before window 1 with a window 12 between them
// (its place stays empty), has a hold time too short (4000 instead), ends its shots at a
// blanked key although "shots" says more, and has a name with a quote in it.
const char* const twoPresentations = "[PE]\n"
                                     "loop=0\n"
                                     "[P1INFO]\n"
                                     "name=Show\n"
                                     "shots=1\n"
                                     "s1=4000 Intro~ 3 10 20 300 200\n"
                                     "[P2INFO]\n"
                                     "name=Lobby \"B\"\n"
                                     "shots=4\n"
                                     "s1=900 Wide~ 3 300 200 10 20 12 1 0 0 100 100\n"
                                     "s2=700 Blank~\n"
                                     "s3=-1\n"
                                     "s4=800 Lost~ 1 0 0 50 50\n";

TEST_F(PresentationList, JsonHasEveryShotAsTheStoreLoadsIt)
{
    dir.write("Kivo.ini", twoPresentations);
    const ListRun run = list({"--json"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, R"({"loop":false,"presentations":[)"
                       R"({"name":"Show","shots":[{"name":"Intro","msecs":4000,"windows":[)"
                       R"({"window":3,"priority":1,"rect":[10,20,300,200]}]}]},)"
                       R"({"name":"Lobby \"B\"","shots":[{"name":"Wide","msecs":900,"windows":[)"
                       R"({"window":3,"priority":1,"rect":[10,20,300,200]},)"
                       R"({"window":1,"priority":3,"rect":[0,0,100,100]}]},)"
                       R"({"name":"Blank","msecs":4000,"windows":[]}]}]})"
                       "\n");
}

TEST_F(PresentationList, TextHasAHeaderPerPresentationAndALinePerShot)
{
    dir.write("Kivo.ini", twoPresentations);
    const ListRun run = list({});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Loop: off\n"
                       "Presentation 1 \"Show\", 1 shot\n"
                       "  shot 1 \"Intro\", 4000 ms: window 3 priority 1 at 10 20 300 200\n"
                       "Presentation 2 \"Lobby \"B\"\", 2 shots\n"
                       "  shot 1 \"Wide\", 900 ms: window 3 priority 1 at 10 20 300 200, "
                       "window 1 priority 3 at 0 0 100 100\n"
                       "  shot 2 \"Blank\", 4000 ms: no window on\n");
}

TEST_F(PresentationList, FileWithoutPresentationsListsNoneWithLoopOn)
{
    const ListRun run = list({"--json"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "{\"loop\":true,\"presentations\":[]}\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("Kivo.ini"))) << "listing writes nothing";
}

TEST_F(PresentationList, UnreadableFileIsAnErrorNotAnEmptyList)
{
    const std::string broken = std::string("[P1INFO]\nna") + '\0' + "me=Show\n";
    dir.write("Kivo.ini", broken);
    const ListRun run = list({"--json"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_THAT(run.err, HasSubstr(dir.file("Kivo.ini").string()));
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(dir.read("Kivo.ini"), broken);
}

} // namespace
} // namespace kivo::cli
