#include "cli/ScreenAction.h"
#include "cli/CliArguments.h"
#include "cli/CliSession.h"

#include "tests/support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace kivo::cli {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

struct ActionRun {
    int status;
    std::string out;
    std::string err;
};

// kivo-cli's screen actions on one brought-up panel over the simulated Quadrix in this
// process, which keeps its state from one action to the next.
class ScreenAction : public ::testing::Test {
protected:
    ActionRun run(const std::vector<std::string>& words)
    {
        const ParsedArguments parsed = parseArguments(words);
        EXPECT_EQ(parsed.error, "");
        std::ostringstream out;
        std::ostringstream err;
        const int status =
            runScreenAction(session(), parsed.arguments.action, parsed.arguments.screen, out, err);
        return {status, out.str(), err.str()};
    }

    // Started at the first action, so that a test can write the ini file first.
    CliSession& session()
    {
        if (!session_) {
            CliArguments arguments;
            arguments.options.port = "sim";
            arguments.options.ini = dir.file("Kivo.ini").string();
            session_ = std::make_unique<CliSession>(arguments);
            EXPECT_TRUE(session_->open());
            EXPECT_EQ(session_->bringUp(), exitDone);
        }
        return *session_;
    }

    test::TempDir dir;

private:
    std::unique_ptr<CliSession> session_;
};

struct PresetCase {
    const char* name;
    std::string frontWindow; // window 1's line
};

void PrintTo(const PresetCase& c, std::ostream* out) { *out << c.name; }

class ArrangeByName : public ScreenAction, public ::testing::WithParamInterface<PresetCase> {};

TEST_P(ArrangeByName, LaysOutEveryWindowWithTheFrontOneWhereThePresetPutsIt)
{
    const ActionRun arranged = run({"arrange", GetParam().name});
    EXPECT_EQ(arranged.status, exitDone) << arranged.err;
    EXPECT_THAT(arranged.out, HasSubstr(GetParam().frontWindow + "\n"));
    EXPECT_EQ(std::count(arranged.out.begin(), arranged.out.end(), '\n'), 10) << arranged.out;
    EXPECT_EQ(arranged.err, "");
}

// With ten windows a corner preset gives the front one four fifths of each side.
INSTANTIATE_TEST_SUITE_P(Cases, ArrangeByName,
                         ::testing::Values(PresetCase{"grid", "window 1: 0 0 256 192"},
                                           PresetCase{"centre", "window 1: 256 192 512 384"},
                                           PresetCase{"top-left", "window 1: 0 0 819 614"},
                                           PresetCase{"top-right", "window 1: 204 0 819 614"},
                                           PresetCase{"bottom-right", "window 1: 204 153 819 614"},
                                           PresetCase{"bottom-left", "window 1: 0 153 819 614"}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::erase(name, '-');
                             return name;
                         });

TEST_F(ScreenAction, GridFollowsTheStackingThatTheCheckBoxesLeave)
{
    EXPECT_EQ(run({"windows", "off", "2", "3"}).status, exitDone);
    const ActionRun switched = run({"windows", "on", "3"});
    EXPECT_EQ(switched.status, exitDone) << switched.err;
    EXPECT_THAT(switched.out, AllOf(HasSubstr("window 3: "), Not(HasSubstr("window 2: "))));

    const ActionRun arranged = run({"arrange", "grid"});
    EXPECT_EQ(arranged.status, exitDone) << arranged.err;
    // Nine windows make a grid of three by three.
    EXPECT_THAT(arranged.out, HasSubstr("window 3: 0 0 341 256\nwindow 4: 682 0 341 256\n"))
        << "window 3, switched on last, is in front";
    EXPECT_THAT(arranged.out, HasSubstr("window 1: 341 0 341 256\n"));
    EXPECT_EQ(std::count(arranged.out.begin(), arranged.out.end(), '\n'), 9);
}

TEST_F(ScreenAction, PlaceSendsTheRectangleExactlyAndTheDeviceKeepsIt)
{
    const ActionRun placed = run({"place", "3", "-10", "20", "300", "200"});
    EXPECT_EQ(placed.status, exitDone) << placed.err;
    EXPECT_THAT(placed.out, HasSubstr("window 2: 256 0 256 256\nwindow 3: -10 20 300 200\n"));
}

TEST_F(ScreenAction, PlacingAWindowThatIsOffShowsItAsOff)
{
    EXPECT_EQ(run({"windows", "off", "4"}).status, exitDone);
    const ActionRun placed = run({"place", "4", "0", "0", "100", "100"});
    EXPECT_EQ(placed.status, exitDone) << placed.err;
    EXPECT_THAT(placed.out, HasSubstr("window 4: 0 0 100 100 (off)\n"));
}

TEST_F(ScreenAction, RectangleTheDeviceRefusesFailsTheRunWithWhatItKept)
{
    const ActionRun placed = run({"place", "3", "0", "0", "10", "10"});
    EXPECT_EQ(placed.status, exitNoReply);
    EXPECT_EQ(placed.out, "");
    EXPECT_EQ(placed.err, "kivo-cli: the Quadrix did not take the new layout: it has window 3 at "
                          "512 0 256 256, not 0 0 10 10\n");
}

TEST_F(ScreenAction, ArrangementOfOneWindowIsRefusedAndSendsNothing)
{
    EXPECT_EQ(run({"windows", "off", "2", "3", "4", "5", "6", "7", "8", "9", "10"}).status,
              exitDone);
    const ActionRun arranged = run({"arrange", "grid"});
    EXPECT_EQ(arranged.status, exitUsage);
    EXPECT_EQ(arranged.out, "");
    EXPECT_THAT(arranged.err, HasSubstr("at least two windows on, and the Quadrix has 1 on"));
    EXPECT_THAT(run({"windows", "on", "2"}).out, HasSubstr("window 1: 0 0 256 256\n"))
        << "window 1 was not moved";
}

TEST_F(ScreenAction, UserArrangementNotStoredIsReportedWithoutAQuestion)
{
    const ActionRun recalled = run({"arrange", "user", "2"});
    EXPECT_EQ(recalled.status, exitUsage);
    EXPECT_EQ(recalled.out, "");
    EXPECT_EQ(recalled.err, "kivo-cli: user arrangement 2 is not stored in " +
                                dir.file("Kivo.ini").string() +
                                ": store it on the Virtual Screen page first (Shift and the User "
                                "button)\n");
    EXPECT_THAT(dir.read("Kivo.ini"), Not(HasSubstr("CUSTOM2")));
}

TEST_F(ScreenAction, StoredUserArrangementIsRecalledAndTheRestSwitchedOff)
{
    // Two windows side by side across the top half of the canvas, window 2 in front.
    dir.write("Kivo.ini", "[CUSTOM1]\nSet=1\nr1=11 19 188 144\nr2=188 19 365 144\np1=2\np2=1\n");
    const ActionRun recalled = run({"arrange", "user", "1"});
    EXPECT_EQ(recalled.status, exitDone) << recalled.err;
    EXPECT_EQ(recalled.out, "window 1: 0 0 512 382\nwindow 2: 512 0 512 382\n");
    const ActionRun arranged = run({"arrange", "grid"});
    EXPECT_EQ(arranged.out, "window 1: 512 0 512 384\nwindow 2: 0 0 512 384\n")
        << "window 2 is in front";
}

} // namespace
} // namespace kivo::cli
