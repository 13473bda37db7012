#include "tests/support/PanelFixture.h"

#include <gmock/gmock.h>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;

// Records what the page would be told to draw.
class RecordingView final : public TerminalView {
public:
    void textAppended(std::string_view added) override { appended.emplace_back(added); }
    void textReplaced() override { ++replaced; }
    std::vector<std::string> appended;
    int replaced = 0;
};

struct CutCase {
    const char* name;
    std::size_t before;
    std::size_t added;
    std::size_t after;
};

void PrintTo(const CutCase& c, std::ostream* out) { *out << c.name; }

class TerminalCutBack : public ::testing::TestWithParam<CutCase> {};

TEST_P(TerminalCutBack, KeepsItsTailOncePastTheLimit)
{
    TerminalModel model;
    RecordingView view;
    model.setText(std::string(GetParam().before, 'a'));
    model.setView(&view);
    model.echo(std::string(GetParam().added, 'b'));
    EXPECT_EQ(model.text().size(), GetParam().after);
    EXPECT_EQ(model.text().back(), 'b');
    // A cut changes the text before its end: the page draws it whole.
    EXPECT_EQ(view.replaced, GetParam().after < GetParam().before + GetParam().added ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, TerminalCutBack,
                         ::testing::Values(CutCase{"atTheLimit", 16383, 1, 16384},
                                           CutCase{"oneCharacterPast", 16000, 385, 8192},
                                           CutCase{"longChunk", 0, 20000, 8192}),
                         [](const auto& info) { return std::string(info.param.name); });

struct LineCase {
    const char* name;
    std::string shown;
    std::string typed;
    std::string sent;
    std::string after;
};

void PrintTo(const LineCase& c, std::ostream* out) { *out << c.name; }

class TerminalLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(TerminalLine, EnterHandsOnWhatGoesToTheDevice)
{
    TerminalModel model;
    model.setText(GetParam().shown);
    model.type(GetParam().typed);
    EXPECT_EQ(model.finishLine(), GetParam().sent);
    EXPECT_EQ(model.text(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TerminalLine,
    ::testing::Values(LineCase{"typedLine", "x\r\r\n> ", "win 1 on", "> win 1 on",
                               "x\r\r\n> win 1 on\r\r\n"},
                      LineCase{"moreLineAsksForTheNextPage", "a\r\r\n----- MORE -----", "", "\n",
                               "a\r\r\n----- MORE -----\r\r\n"},
                      LineCase{"controlCharactersNeverTyped", "> ", "id\x1b\r\t\x7f\xc3\xa9",
                               "> id", "> id\r\r\n"},
                      LineCase{"longLineCutToTheBuffer", "", std::string(300, 'w'),
                               std::string(249, 'w'), std::string(300, 'w') + "\r\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TerminalModelTest, EraseNeverTakesThePromptOrAnEarlierLine)
{
    TerminalModel model;
    model.setText("> id\r\r\nQuadrix\r\r\n> ");
    model.erase();
    EXPECT_EQ(model.text(), "> id\r\r\nQuadrix\r\r\n> ");
    model.type("ab");
    model.erase();
    EXPECT_EQ(model.text(), "> id\r\r\nQuadrix\r\r\n> a");
    model.setText("ok\r\r\n");
    model.erase();
    EXPECT_EQ(model.text(), "ok\r\r\n");
}

TEST(TerminalModelTest, PromptIsAddedOnlyAfterALineWithoutOne)
{
    TerminalModel model;
    model.ensurePrompt();
    EXPECT_EQ(model.text(), "") << "a single line gets no prompt";
    for (const std::string last : {"> ", "----- MORE -----"}) {
        model.setText("x\r\r\n" + last);
        model.ensurePrompt();
        EXPECT_EQ(model.text(), "x\r\r\n" + last);
    }
    model.setText("x\r\r\nok\r\r\n");
    model.ensurePrompt();
    EXPECT_EQ(model.text(), "x\r\r\nok\r\r\n> ");
}

TEST(TerminalModelTest, EchoedCommandDoesNotDoubleAPromptTheDevicePrinted)
{
    TerminalModel model;
    model.echoCommand("wsr 3");
    model.echo("ok\n> ");
    model.echoCommand("wdr 2");
    EXPECT_EQ(model.text(), "> wsr 3\r\r\nok\r\r\n> wdr 2\r\r\n");
}

using TerminalConsoleTest = PanelFixture;

TEST_F(TerminalConsoleTest, ReaderShowsChunksAsTheyArriveWithoutLoggingOrCounting)
{
    terminal.setText("> id\r\r\n");
    link->queue("  Quadrix\n");
    link->queue("> ");
    EXPECT_TRUE(console.ReadCommForTerm(CommandChannel::replyLimit));
    EXPECT_EQ(terminal.text(), "> id\r\r\nQuadrix\r\r\n> ");
    EXPECT_EQ(link->reads, 3);
    EXPECT_EQ(app.failedReads, 0);
    EXPECT_EQ(clock.now, 0) << "no pause before the first read";
}

TEST_F(TerminalConsoleTest, ReaderGivesUpAfterTenEmptyReadsAndReportsAFailureWithItsReason)
{
    EXPECT_TRUE(console.ReadCommForTerm(CommandChannel::replyLimit));
    EXPECT_EQ(link->reads, 10);
    EXPECT_EQ(app.failedReads, 0);
    link->queueFailure();
    EXPECT_FALSE(console.ReadCommForTerm(CommandChannel::replyLimit));
    EXPECT_THAT(prompter.titles, ElementsAre("Bad read in function ReadCommForTerm()"));
    EXPECT_THAT(prompter.texts, ElementsAre(app.serialHandle->errorText()));
}

TEST_F(TerminalConsoleTest, PastedLinesGoOutInTurnEachWithItsAnswer)
{
    app.idle = true;
    terminal.terminalActive = true;
    terminal.setText("> baud\r\r\nBaud rate: 9600\r\r\n> ");
    link->queueReply("one\r\n> ");
    link->queueReply("two\r\n> ");
    console.paste("wsr 1\nwsr 2\r\nwsr");
    EXPECT_THAT(wire(), ElementsAre("wsr 1\n", "wsr 2\n"));
    EXPECT_EQ(terminal.text(), "> baud\r\r\nBaud rate: 9600\r\r\n> wsr 1\r\r\none\r\r\n"
                               "> wsr 2\r\r\ntwo\r\r\n> wsr");
}

} // namespace
} // namespace kivo::test
