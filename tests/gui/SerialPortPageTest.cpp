#include "tests/gui/MainWindowFixture.h"
#include "tests/support/ChildProcess.h"

#include "gui/serial/SerialPortPage.h"
#include "gui/serial/SerialPortPageIds.h"

#include "core/link/SerialSettings.h"

#include <gmock/gmock.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <filesystem>
#include <unistd.h>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace ids = gui::serialPortPageIds;

template <typename Control> Control& control(gui::SerialPortPage& page, int id)
{
    return findControl<Control>(page, id);
}

// The main window over a simulated Quadrix, which gets every line the panel writes. Each
// opening of the port notes the local rate it opened at and finds a device of its own, at the
// rate the one before ran at (closing a link closes its device).
class SerialPortPageGui : public MainWindowFixture {
protected:
    SerialPortPageGui()
    {
        opener.addBuiltInDevice("scripted", [this] {
            openedAt.push_back(app().serial.baudRate);
            const int rate = devices.empty() ? 9600 : devices.back()->device().state().baud;
            devices.push_back(std::make_unique<sim::SimLink>(sim::QuadrixOptions{.baud = rate}));
            return std::make_unique<ForwardingLink>(*devices.back(), &written);
        });
    }
    // The window writes to its link as it closes: it goes before the devices and the record.
    ~SerialPortPageGui() override { window.reset(); }

    void startOnTheDevice()
    {
        window->startUp();
        written.clear();
    }
    gui::SerialPortPage& page() { return window->serialPortPage(); }
    QRadioButton& radio(int id) { return control<QRadioButton>(page(), id); }

    std::vector<unsigned> openedAt;
    std::vector<std::unique_ptr<sim::SimLink>> devices;
    std::vector<std::string> written;
};

TEST_F(SerialPortPageGui, YesToTheDeviceBaudQuestionSendsTheRateAndReopensAtIt)
{
    startOnTheDevice();
    ASSERT_TRUE(radio(ids::deviceBaud(9600)).isChecked());
    radio(ids::deviceBaud(115200)).click();
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(written.front(), "baud 115200\n");
    EXPECT_THAT(openedAt, ElementsAre(9600u, 115200u));
    EXPECT_TRUE(app().connected());
    EXPECT_THAT(prompter.texts, ElementsAre(HasSubstr("Changing the baudrate setting")));
    EXPECT_TRUE(radio(ids::localBaud(115200)).isChecked());
    EXPECT_FALSE(radio(ids::localBaud(115200)).isEnabled()) << "connected again";
}

TEST_F(SerialPortPageGui, NoToTheDeviceBaudQuestionPutsTheButtonsBackAndSendsNothing)
{
    startOnTheDevice();
    prompter.answers = {Prompter::Answer::no};
    radio(ids::deviceBaud(115200)).click();
    EXPECT_THAT(written, IsEmpty());
    EXPECT_TRUE(radio(ids::deviceBaud(9600)).isChecked());
    EXPECT_FALSE(radio(ids::deviceBaud(115200)).isChecked());
    EXPECT_EQ(openedAt.size(), 1u);
    EXPECT_TRUE(app().connected());
}

TEST_F(SerialPortPageGui, TheFrontPanelButtonCaptionFollowsTheLock)
{
    startOnTheDevice();
    auto& button = control<QPushButton>(page(), ids::frontPanel);
    EXPECT_TRUE(button.isEnabled());
    button.click();
    EXPECT_EQ(button.text(), "Enable Quadrix Front &Panel");
    button.click();
    EXPECT_EQ(button.text(), "Disable Quadrix Front &Panel");
    EXPECT_THAT(written, ElementsAre("frontpanel off\n", "frontpanel on\n"));
}

// A panel started with no port saved and none on the command line.
class PanelWithoutAPort : public SerialPortPageGui {
protected:
    PanelWithoutAPort()
        : panel(std::make_unique<gui::MainWindow>(
              SessionOptions{dir.file("Fresh.ini"), std::nullopt,
                             dir.file("FreshLog.txt").string()},
              CommandChannel::Seams{clock, keys, prompter, processExit, busy}, opener))
    {
        panel->startUp();
    }

    gui::SerialPortPage& freshPage() { return panel->serialPortPage(); }

    std::unique_ptr<gui::MainWindow> panel;
};

TEST_F(PanelWithoutAPort, OpensOnTheSerialPortPageAskingForAPort)
{
    EXPECT_EQ(panel->activePage(), Page::serialPort);
    EXPECT_FALSE(panel->session().app().connected());
    EXPECT_THAT(prompter.texts, IsEmpty()) << "the page asks; no message box does";
    auto* problem = freshPage().findChild<QLabel*>(QStringLiteral("portProblem"));
    ASSERT_NE(problem, nullptr);
    EXPECT_THAT(problem->text().toStdString(), HasSubstr("No serial port is set"));
    EXPECT_TRUE(control<QRadioButton>(freshPage(), ids::localBaud(115200)).isEnabled());
    EXPECT_FALSE(control<QPushButton>(freshPage(), ids::frontPanel).isEnabled());
}

// How the operator asks for the typed port: Reset Kivo, or Enter in the port field.
class PanelWithoutAPortOpening : public PanelWithoutAPort,
                                 public ::testing::WithParamInterface<bool> {};

TEST_P(PanelWithoutAPortOpening, ATypedPseudoTerminalIsOpenedListedAndKept)
{
    const std::string path = dir.file("quadrix").string();
    ChildProcess sim(QUADRIX_SIM_PATH, {"--pty", path, "--baud", "115200"});
    for (int i = 0; i < 500 && !std::filesystem::exists(path); ++i)
        ::usleep(10'000);
    control<QRadioButton>(freshPage(), ids::localBaud(115200)).click();
    QLineEdit& field = *freshPage().portChooser().lineEdit();
    QTest::keyClicks(&field, QString::fromStdString(path));
    const bool byEnter = GetParam();
    if (byEnter) {
        QTest::keyClick(&field, Qt::Key_Return);
    } else {
        control<QPushButton>(freshPage(), ids::reset).click();
    }

    EXPECT_TRUE(panel->session().app().connected());
    EXPECT_EQ(panel->session().app().serial.baudRate, 115200u);
    EXPECT_EQ(panel->session().profile().readString("SERIALPORT", "port"), path);
    EXPECT_GE(freshPage().portChooser().findText(QString::fromStdString(path)), 0);
    auto* inUse = freshPage().findChild<QLabel*>(QStringLiteral("portInUse"));
    ASSERT_NE(inUse, nullptr);
    EXPECT_EQ(inUse->text().toStdString(), "In use: " + path);
    EXPECT_FALSE(control<QRadioButton>(freshPage(), ids::localBaud(115200)).isEnabled());
}

INSTANTIATE_TEST_SUITE_P(ResetKivoOrEnter, PanelWithoutAPortOpening, ::testing::Bool());

TEST_F(PanelWithoutAPort, APortThatCannotOpenShowsItsCauseOnThePage)
{
    QTest::keyClicks(freshPage().portChooser().lineEdit(), QStringLiteral("/dev/ttyNOWHERE9"));
    control<QPushButton>(freshPage(), ids::reset).click();
    EXPECT_FALSE(panel->session().app().connected());
    auto* problem = freshPage().findChild<QLabel*>(QStringLiteral("portProblem"));
    ASSERT_NE(problem, nullptr);
    EXPECT_EQ(problem->text().toStdString(),
              "Cannot open serial port /dev/ttyNOWHERE9: no such device. Is the adapter plugged "
              "in? 'kivo-cli ports' lists the serial ports of this machine.");
    EXPECT_EQ(panel->session().profile().readString("SERIALPORT", "port"), "");
    auto* inUse = freshPage().findChild<QLabel*>(QStringLiteral("portInUse"));
    ASSERT_NE(inUse, nullptr);
    EXPECT_EQ(inUse->text().toStdString(), "In use: none");
}

TEST_F(PanelWithoutAPort, NoiseAtTheChosenRateSavesNothingAndFindTheRateComesUp)
{
    const std::string path = dir.file("quadrix").string();
    ChildProcess sim(QUADRIX_SIM_PATH, {"--pty", path});
    for (int i = 0; i < 500 && !std::filesystem::exists(path); ++i)
        ::usleep(10'000);
    control<QRadioButton>(freshPage(), ids::localBaud(19200)).click();
    QLineEdit& field = *freshPage().portChooser().lineEdit();
    QTest::keyClicks(&field, QString::fromStdString(path));
    control<QPushButton>(freshPage(), ids::reset).click();

    EXPECT_THAT(prompter.texts, ElementsAre("Something answers on " + path +
                                            " at 19200 baud, but not in words: the Quadrix may "
                                            "be set to another rate"));
    EXPECT_FALSE(panel->session().app().connected());
    auto* inUse = freshPage().findChild<QLabel*>(QStringLiteral("portInUse"));
    ASSERT_NE(inUse, nullptr);
    EXPECT_EQ(inUse->text().toStdString(), "In use: none");
    Profile& profile = panel->session().profile();
    EXPECT_EQ(profile.readString("SERIALPORT", "port"), "");

    auto* findRate = freshPage().findChild<QPushButton*>(QStringLiteral("findRate"));
    ASSERT_NE(findRate, nullptr);
    ASSERT_TRUE(findRate->isEnabled());
    prompter.texts.clear();
    findRate->click();
    EXPECT_THAT(prompter.texts, ElementsAre("The Quadrix answers on " + path + " at 9600 baud."));
    EXPECT_TRUE(panel->session().app().connected());
    EXPECT_EQ(inUse->text().toStdString(), "In use: " + path);
    EXPECT_EQ(profile.readString("SERIALPORT", "port"), path);
    EXPECT_EQ(readSerialSettings(profile).baudRate, 9600u);
    EXPECT_FALSE(findRate->isEnabled()) << "connected";
}

} // namespace
} // namespace kivo::test
