#include "tests/gui/MainWindowFixture.h"

#include "gui/terminal/TerminalEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include <gmock/gmock.h>

#include <functional>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

// The panel is up and the operator is on the Terminal page, which shows `shown` as if it
// were earlier traffic.
class TerminalPage : public MainWindowFixture {
protected:
    void showTraffic(const std::string& shown)
    {
        startUp();
        window->setActivePage(Page::terminal);
        model().setText(shown);
    }
    TerminalModel& model() { return window->session().terminal(); }
    void type(const QString& text) { QTest::keyClicks(&terminal().edit(), text); }
    void press(Qt::Key key) { QTest::keyClick(&terminal().edit(), key); }
    void pasteWithTheCaretOn(int position, const QString& text)
    {
        QTextCursor caret = terminal().edit().textCursor();
        caret.setPosition(position);
        terminal().edit().setTextCursor(caret);
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(&terminal().edit(), Qt::Key_V, Qt::ControlModifier);
    }
    std::string shown() { return model().text(); }
    // What the box shows: the model's text with plain line feeds.
    std::string drawn() { return terminal().edit().toPlainText().toStdString(); }
};

std::string withoutCarriageReturns(std::string text)
{
    std::erase(text, '\r');
    return text;
}

struct AnswerCase {
    const char* name;
    std::string answer;
    std::string shownAfter;
};

// Cases show by name in test output.
void PrintTo(const AnswerCase& c, std::ostream* out) { *out << c.name; }

class TypedCommand : public TerminalPage, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(TypedCommand, GoesOutAloneAndTheAnswerEndsInAPrompt)
{
    showTraffic("> ");
    link.queueReply(GetParam().answer);
    type("win 1 on");
    press(Qt::Key_Return);
    EXPECT_THAT(wire(), ElementsAre("win 1 on\n"));
    EXPECT_EQ(shown(), "> win 1 on\r\r\n" + GetParam().shownAfter);
    EXPECT_EQ(drawn(), withoutCarriageReturns(shown()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TypedCommand,
    ::testing::Values(AnswerCase{"panelAddsThePrompt", "window 1 on\r\n", "window 1 on\r\r\n> "},
                      AnswerCase{"devicePromptIsKept", "window 1 on\r\n> ", "window 1 on\r\r\n> "},
                      AnswerCase{"blanksAfterALineBreakDropped", "\r\n   ok\r\n", "ok\r\r\n> "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TerminalPage, EnterOnAnEmptyLineSendsNothingAndAddsAPrompt)
{
    showTraffic("> ");
    press(Qt::Key_Return);
    EXPECT_THAT(wire(), IsEmpty());
    EXPECT_EQ(shown(), "> \r\r\n> ");
}

TEST_F(TerminalPage, EnterOnAMoreLineAsksForTheNextPage)
{
    showTraffic("> help\r\r\nline one\r\r\n----- MORE -----");
    link.queueReply("line two\r\n> ");
    press(Qt::Key_Return);
    EXPECT_THAT(wire(), ElementsAre("\n"));
    EXPECT_THAT(shown(), EndsWith("----- MORE -----\r\r\nline two\r\r\n> "));
}

TEST_F(TerminalPage, BackspaceCannotEraseThePrompt)
{
    showTraffic("> ");
    press(Qt::Key_Backspace);
    EXPECT_EQ(shown(), "> ");
    type("ab");
    press(Qt::Key_Backspace);
    EXPECT_EQ(shown(), "> a");
}

TEST_F(TerminalPage, TypingOnAnEarlierLineContinuesTheLastOne)
{
    showTraffic("> id\r\r\nQuadrix\r\r\n> ");
    QTextCursor caret = terminal().edit().textCursor();
    caret.setPosition(1);
    terminal().edit().setTextCursor(caret);
    type("x");
    EXPECT_EQ(shown(), "> id\r\r\nQuadrix\r\r\n> x");
}

TEST_F(TerminalPage, LongTrafficKeepsOnlyItsTail)
{
    showTraffic(std::string(16380, 'x'));
    link.queueReply(std::string(10, 'y'));
    EXPECT_TRUE(window->session().console().ReadCommForTerm(CommandChannel::replyLimit));
    EXPECT_EQ(shown(), std::string(8182, 'x') + std::string(10, 'y'));
    EXPECT_EQ(drawn(), shown());
}

TEST_F(TerminalPage, CommandsOfOtherPagesAreEchoedEachOnItsOwnLine)
{
    showTraffic("> ");
    window->setActivePage(Page::virtualScreen);
    window->channel().sendCommand("wsr 3");
    window->channel().sendCommand("wdr 2");
    EXPECT_EQ(shown(), "> wsr 3\r\r\n> wdr 2\r\r\n");
}

TEST_F(TerminalPage, PasteOnAnEarlierLineSendsOnlyThePastedLinesInTurn)
{
    showTraffic("> baud\r\r\nBaud rate: 9600\r\r\n> ");
    link.queueReply("one\r\n> ");
    link.queueReply("two\r\n> ");
    link.queueReply("three\r\n> ");
    pasteWithTheCaretOn(8, QStringLiteral("wsr 1\nwsr 2\nwsr 3\n"));
    EXPECT_THAT(wire(), ElementsAre("wsr 1\n", "wsr 2\n", "wsr 3\n"));
    EXPECT_EQ(shown(), "> baud\r\r\nBaud rate: 9600\r\r\n> wsr 1\r\r\none\r\r\n> wsr 2\r\r\ntwo"
                       "\r\r\n> wsr 3\r\r\nthree\r\r\n> ");
    EXPECT_EQ(drawn(), withoutCarriageReturns(shown()));
}

TEST_F(TerminalPage, PastedTextWithoutALineBreakWaitsForEnter)
{
    showTraffic("> ");
    pasteWithTheCaretOn(0, QStringLiteral("win 2 o"));
    type("n");
    EXPECT_THAT(wire(), IsEmpty());
    link.queueReply("ok\r\n> ");
    press(Qt::Key_Return);
    EXPECT_THAT(wire(), ElementsAre("win 2 on\n"));
}

TEST_F(TerminalPage, TraceBoxStartsAndStopsTheTraceIntoTheChosenFile)
{
    showTraffic("> ");
    const std::function<QString()> chooseForReal = terminal().chooseTraceFile;
    const std::string path = dir.file("chosen.txt").string();
    terminal().chooseTraceFile = [&] { return QString::fromStdString(path); };
    QTest::mouseClick(&terminal().traceBox(), Qt::LeftButton);
    EXPECT_TRUE(terminal().traceBox().isChecked());
    link.queueReply("ok\r\n> ");
    type("id");
    press(Qt::Key_Return);
    QTest::mouseClick(&terminal().traceBox(), Qt::LeftButton);
    EXPECT_FALSE(terminal().traceBox().isChecked());
    type("x");
    press(Qt::Key_Return);
    const std::string trace = dir.read("chosen.txt");
    EXPECT_THAT(trace, HasSubstr("> id\\n"));
    EXPECT_THAT(trace, HasSubstr("< ok\\r\\n> "));
    EXPECT_THAT(trace, Not(HasSubstr("x\\n")));

    terminal().chooseTraceFile = [] { return QString(); };
    QTest::mouseClick(&terminal().traceBox(), Qt::LeftButton);
    EXPECT_FALSE(terminal().traceBox().isChecked()) << "a cancelled choice starts nothing";

    terminal().chooseTraceFile = chooseForReal;
    QString title;
    std::function<void()> closeTheDialog = [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || dialog == window.get())
            return QTimer::singleShot(10, closeTheDialog);
        title = dialog->windowTitle();
        dialog->close();
    };
    QTimer::singleShot(0, closeTheDialog);
    QTest::mouseClick(&terminal().traceBox(), Qt::LeftButton);
    EXPECT_EQ(title.toStdString(), "Trace the traffic to a file");
}

TEST_F(TerminalPage, FailedReadIsReportedUnderItsTitle)
{
    showTraffic("> ");
    link.queueFailure();
    type("id");
    press(Qt::Key_Return);
    EXPECT_THAT(prompter.titles, ElementsAre("Bad read in function ReadCommForTerm()"));
    EXPECT_THAT(shown(), EndsWith("> "));
}

TEST_F(TerminalPage, ProgressControlsShowUntilTheFirstBringUpEnds)
{
    gui::TerminalPage& page = terminal();
    EXPECT_TRUE(page.edit().isHidden());
    EXPECT_FALSE(page.progressLabel().isHidden());
    EXPECT_EQ(page.progressLabel().text(), "Establishing Connection...");
    EXPECT_EQ(page.abortHintLabel().text(), "Hold down the Alt key and Shift key to abort.");
    EXPECT_EQ(page.progressLabel().palette().color(QPalette::WindowText), QColor(0, 0, 128));
    EXPECT_EQ(page.abortHintLabel().palette().color(QPalette::WindowText), QColor(128, 0, 128));
    EXPECT_TRUE(page.progressLabel().font().italic());
    EXPECT_FALSE(page.abortHintLabel().font().italic());
    startUp();
    EXPECT_FALSE(page.edit().isHidden());
    EXPECT_TRUE(page.progressLabel().isHidden());
    EXPECT_TRUE(page.abortHintLabel().isHidden());
}

TEST_F(TerminalPage, ProgressBarStepsWithinItsRange)
{
    gui::TerminalPage& page = terminal();
    page.setProgressPosition(95);
    page.setProgressStep(7);
    page.stepProgress();
    EXPECT_EQ(page.progressBar().value(), 100);
}

} // namespace
} // namespace kivo::test
