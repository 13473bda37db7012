#include "tests/gui/MainWindowFixture.h"

#include "tests/support/ChildProcess.h"

#include "gui/panel/GuiArguments.h"
#include "gui/panel/SingleInstanceGuard.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gmock/gmock.h>

#include <sstream>

namespace kivo::test {
namespace {

constexpr int secondPanelBudgetMs = 2000;
constexpr int firstPanelStartMs = 20000;

// Panels started here find each other only through this test's own temporary directory, so a
// panel the developer has open does not take part.
class SingleInstance : public MainWindowFixture {
protected:
    SingleInstance() : hadTmp_(qEnvironmentVariableIsSet("TMPDIR")), savedTmp_(qgetenv("TMPDIR"))
    {
        qputenv("TMPDIR", sockets_.path().toUtf8());
    }
    ~SingleInstance() override
    {
        if (hadTmp_)
            qputenv("TMPDIR", savedTmp_);
        else
            qunsetenv("TMPDIR");
    }

    void startPanel(QProcess& panel)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TMPDIR"), sockets_.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        panel.setProcessEnvironment(environment);
        panel.setWorkingDirectory(sockets_.path());
        panel.start(QStringLiteral(KIVO_BINARY),
                    {QStringLiteral("--port"), QStringLiteral("sim"), QStringLiteral("--ini"),
                     sockets_.filePath(QStringLiteral("x.ini"))});
        ASSERT_TRUE(panel.waitForStarted());
    }

    // The second panel must leave soon, saying in one line where the panel is.
    void expectSecondPanelLeaves()
    {
        QProcess second;
        startPanel(second);
        QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, secondPanelBudgetMs);
        EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.exitCode(), 0);
        EXPECT_TRUE(second.readAllStandardError().contains(
            "Kivo is already running; it was brought to the front.\n"));
    }

    QString socketPath() const
    {
        return QDir(sockets_.path()).filePath(gui::SingleInstanceGuard::defaultName());
    }

private:
    QTemporaryDir sockets_;
    bool hadTmp_;
    QByteArray savedTmp_;
};

TEST_F(SingleInstance, SecondPanelBringsTheFirstToTheFrontAndLeaves)
{
    gui::SingleInstanceGuard guard(gui::SingleInstanceGuard::defaultName());
    ASSERT_TRUE(guard.claim());
    QObject::connect(&guard, &gui::SingleInstanceGuard::activationRequested, window.get(),
                     &gui::MainWindow::bringToFront);
    QSignalSpy knocks(&guard, &gui::SingleInstanceGuard::activationRequested);
    startUp();
    window->showMinimized();

    expectSecondPanelLeaves();
    QTRY_COMPARE(knocks.count(), 1);
    EXPECT_FALSE(window->isMinimized());
}

TEST_F(SingleInstance, SecondProgramLeavesWhileTheFirstRuns)
{
    QProcess first;
    startPanel(first);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socketPath()), firstPanelStartMs);
    expectSecondPanelLeaves();
    EXPECT_EQ(first.state(), QProcess::Running);
    first.terminate();
    first.waitForFinished();
}

// Without a display Qt cannot start, and must not be asked to before the words are checked.
TEST(KivoProgram, BadOrHelpWordsAreAnsweredWithoutADisplay)
{
    const std::vector<std::string> noDisplay{"-u", "DISPLAY",         "-u",       "WAYLAND_DISPLAY",
                                             "-u", "QT_QPA_PLATFORM", KIVO_BINARY};
    const auto run = [&](std::vector<std::string> words) {
        words.insert(words.begin(), noDisplay.begin(), noDisplay.end());
        return runProgram("/usr/bin/env", words, 20000);
    };
    const ProgramRun bogus = run({"--bogus"});
    EXPECT_EQ(bogus.status, 2);
    EXPECT_EQ(bogus.err, "kivo: unknown argument \"--bogus\" (see --help)\n");
    const ProgramRun help = run({"-platform", "offscreen", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.out, ::testing::HasSubstr("Usage: kivo"));
}

TEST(KivoProgram, UsageLineNamesEveryOptionTheHelpDescribes)
{
    const std::string usage = gui::guiUsageText();
    const std::string usageLine = usage.substr(0, usage.find('\n'));
    std::istringstream words(usage.substr(usage.find("Options:")));
    for (std::string word; words >> word;) {
        if (word.starts_with("--") && word != "--help") {
            EXPECT_THAT(usageLine, ::testing::HasSubstr("[" + word + " ")) << word;
        }
    }
}

TEST(KivoProgram, OwnWordsLeaveQtOptionsAside)
{
    EXPECT_EQ(gui::ownWords({"-platform", "offscreen", "--port", "sim", "-reverse", "--ini", "x"}),
              (std::vector<std::string>{"--port", "sim", "--ini", "x"}));
    EXPECT_EQ(gui::ownWords({"-h"}), (std::vector<std::string>{"-h"}));
}

} // namespace
} // namespace kivo::test
