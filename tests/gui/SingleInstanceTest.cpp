#include "tests/gui/MainWindowFixture.h"

#include "gui/app/SingleInstanceGuard.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

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

    // The second panel must leave quietly, and soon.
    void expectSecondPanelLeaves()
    {
        QProcess second;
        startPanel(second);
        QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, secondPanelBudgetMs);
        EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.exitCode(), 0);
        EXPECT_TRUE(second.readAllStandardError().isEmpty() ||
                    !second.readAllStandardError().contains("kivo:"));
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
                     &gui::CProperty::bringToFront);
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

} // namespace
} // namespace kivo::test
