#include "tests/gui/MainWindowFixture.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPushButton>

#include <gmock/gmock.h>

namespace kivo::test {
namespace {

// The window while the device keeps it waiting: what the operator does meanwhile arrives as
// events during a read of the scripted link.
class BusyWindow : public MainWindowFixture {
protected:
    // A left click on the Exit button, queued as the window system would deliver it.
    void postExitClick()
    {
        QPushButton& exit = *window->findChild<QPushButton*>(QStringLiteral("exit"));
        const QPointF centre = exit.rect().center();
        const QPointF global = exit.mapToGlobal(centre);
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QCoreApplication::postEvent(&exit, new QMouseEvent(type, centre, global, Qt::LeftButton,
                                                               Qt::LeftButton, Qt::NoModifier));
    }
};

TEST_F(BusyWindow, ClickMadeWhileTheDeviceIsBusyIsNeverCarriedOutAfterwards)
{
    startUp();
    window->show();
    link.atNextRead = [this] { postExitClick(); };
    link.queueReply("3 0 0 720 480\r\n> ");
    EXPECT_TRUE(window->channel().sendTextAndCollect("wsr 3", false).answered());
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(link.closed);

    // The same click made while the panel is idle leaves it.
    postExitClick();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(link.closed);
}

TEST_F(BusyWindow, ClosingTheWindowDuringABringUpShutsDownInOrder)
{
    opener.addBuiltInDevice("slow", [this] { return std::make_unique<ForwardingLink>(link); });
    window->session().app().portName = "slow";
    window->show();
    link.queueReply("Echo is on\r\n> ");
    link.atNextRead = [this] { QCoreApplication::postEvent(window.get(), new QCloseEvent); };
    EXPECT_THROW(window->startUp(), ProcessEnded);
    EXPECT_THAT(processExit.codes, ::testing::ElementsAre(0));
    EXPECT_THAT(wire(), ::testing::ElementsAre("echo\n", "echo on\n"));
    EXPECT_TRUE(link.closed);
    EXPECT_EQ(Profile(dir.file("Kivo.ini")).readString("SERIALPORT", "baudrate"), "9600");
}

} // namespace
} // namespace kivo::test
