#include "tests/gui/MainWindowFixture.h"

#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

#include "gui/image/ImageControlsPage.h"
#include "gui/inputs/InputsPage.h"
#include "gui/output/OutputPage.h"
#include "gui/panel/HelpWindow.h"
#include "gui/panel/WindowPlace.h"
#include "gui/presentations/PresentationPage.h"
#include "gui/screen/VirtualScreenPage.h"
#include "gui/serial/SerialPortPage.h"
#include "gui/terminal/TerminalEdit.h"
#include "gui/timing/DropDownList.h"
#include "gui/timing/TimingListView.h"

#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <sys/stat.h>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

using MainWindow = MainWindowFixture;

struct PageCase {
    const char* caption;
    int helpContext;
    bool (*isClass)(gui::PropertyPage&);
};

template <typename Page> bool is(gui::PropertyPage& page)
{
    return dynamic_cast<Page*>(&page) != nullptr;
}

const std::vector<PageCase> pageCases = {
    {"Virtual Screen", 3, is<gui::VirtualScreenPage>},
    {"Presentation Engine", 37, is<gui::PresentationPage>},
    {"Image Controls", 4, is<gui::ImageControlsPage>},
    {"Quadrix Output", 5, is<gui::OutputPage>},
    {"Quadrix Inputs", 6, is<gui::InputsPage>},
    {"Serial Port and Resets", 7, is<gui::SerialPortPage>},
    {"Terminal  ", 8, is<gui::TerminalPage>},
};

QPushButton& button(gui::MainWindow& window, const char* name)
{
    return *window.findChild<QPushButton*>(QString::fromLatin1(name));
}

TEST_F(MainWindow, PagesComeInTheirOrderWithTheirCaptions)
{
    auto* tabs = window->findChild<QTabWidget*>();
    ASSERT_EQ(tabs->count(), static_cast<int>(pageCases.size()));
    for (int index = 0; index < tabs->count(); ++index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(tabs->tabText(index).toStdString(), pageCases[index].caption);
        EXPECT_TRUE(pageCases[index].isClass(window->page(static_cast<Page>(index))));
        EXPECT_EQ(window->page(static_cast<Page>(index)).helpContext(),
                  pageCases[index].helpContext);
    }
}

TEST_F(MainWindow, NoTwoControlsOfAPageShareAnId)
{
    for (int index = 0; index < pageCount; ++index)
        EXPECT_THAT(sharedControlIds(window->page(static_cast<Page>(index))), IsEmpty())
            << pageCases[index].caption;
}

TEST_F(MainWindow, StartsOnTheTerminalWithExitAndHelpAndTheLinkStillClosed)
{
    EXPECT_EQ(window->activePage(), Page::terminal);
    EXPECT_TRUE(window->session().terminal().terminalActive);
    EXPECT_TRUE(button(*window, "ok").isHidden());
    EXPECT_FALSE(button(*window, "ok").isEnabled());
    EXPECT_EQ(button(*window, "exit").text(), "E&xit");
    EXPECT_EQ(button(*window, "help").text(), "&Help");
    EXPECT_TRUE(window->startupTimer().isActive());
    EXPECT_TRUE(window->startupTimer().isSingleShot());
    EXPECT_EQ(window->startupTimer().interval(), 100);
    EXPECT_FALSE(app().connected());
    EXPECT_EQ(window->windowTitle(), gui::MainWindow::caption());
    EXPECT_THAT(window->windowTitle().toStdString(), HasSubstr("Kivo "));
}

TEST_F(MainWindow, StartUpTimerOpensTheLinkOnce)
{
    QTRY_VERIFY(app().connected());
    EXPECT_TRUE(app().idle);
    EXPECT_FALSE(window->startupTimer().isActive());
    EXPECT_FALSE(terminal().edit().isHidden());
    EXPECT_FALSE(app().logOpen());
}

TEST_F(MainWindow, BringUpFillsTheTimingListsAndEndsOnTheVirtualScreen)
{
    startUp();
    EXPECT_EQ(window->activePage(), Page::virtualScreen);
    EXPECT_FALSE(terminal().edit().isHidden());
    EXPECT_TRUE(terminal().progressBar().isHidden());
    auto& output = dynamic_cast<gui::OutputPage&>(window->page(Page::output)).listView();
    auto& inputs = dynamic_cast<gui::InputsPage&>(window->page(Page::inputs)).listView();
    EXPECT_EQ(output.header().text(),
              "    NAME              HFP HS  HBP HACT VFP VS VBP VACT HFREQ SY HP VP IL");
    EXPECT_TRUE(QFontInfo(output.rows().font()).fixedPitch());
    // The 27 settings, then the current output timing.
    ASSERT_EQ(output.rows().count(), 28);
    EXPECT_EQ(output.rows().itemText(0).toStdString(), window->state().outputList.slots[0].rowText);
    EXPECT_TRUE(output.rows().itemText(27).startsWith("Current Output Timing "));
    EXPECT_EQ(inputs.rows().count(), 50);
    EXPECT_EQ(output.rows().currentIndex(), -1);
    EXPECT_EQ(window->mirror().outputTiming.HACT, 1024);
}

TEST_F(MainWindow, WithoutALinkThePanelWaitsOnTheSerialPortPage)
{
    app().portName = "nowhere";
    startUp();
    EXPECT_FALSE(app().connected());
    EXPECT_EQ(window->activePage(), Page::serialPort);
    for (int number = 1; number <= 10; ++number) {
        EXPECT_EQ(window->mirror().window(number).priority, number);
        EXPECT_TRUE(window->mirror().window(number).present);
    }
    EXPECT_EQ(window->mirror().windowsOn, 10u);
    EXPECT_EQ(window->mirror().windowCount, 10u);
    EXPECT_EQ(terminal().progressLabel().text(), "No connection. Reset from Serial Port page.");
    ASSERT_EQ(prompter.texts.size(), 1u);
    EXPECT_THAT(prompter.texts.front(), HasSubstr("nowhere"));
    EXPECT_TRUE(app().idle);
}

TEST_F(MainWindow, PortWhereNothingAnswersLeavesThePanelWaitingWithoutALink)
{
    opener.addBuiltInDevice("silent", [this] { return std::make_unique<ForwardingLink>(link); });
    app().portName = "silent";
    startUp();
    EXPECT_FALSE(app().connected());
    EXPECT_EQ(window->activePage(), Page::serialPort);
    EXPECT_EQ(terminal().progressLabel().text(), "No connection. Reset from Serial Port page.");
    ASSERT_EQ(prompter.texts.size(), 1u);
    EXPECT_THAT(prompter.texts.front(), HasSubstr("Nothing answered on silent at 9600 baud"));
    EXPECT_THAT(wire(), ElementsAre("echo\n")) << "no extra question, and no echo on at the end";
    EXPECT_LT(clock.now, 3000);
    window->close();
    EXPECT_FALSE(std::filesystem::exists(profile().path()));
}

TEST_F(MainWindow, ClosingWithoutALinkWritesNoSettings)
{
    app().portName = "nowhere";
    startUp();
    window->close();
    EXPECT_FALSE(std::filesystem::exists(profile().path()));
}

TEST_F(MainWindow, ClosingGivesTheDeviceItsEchoBackAndSavesTheSettings)
{
    startUp();
    QTest::mouseClick(&button(*window, "exit"), Qt::LeftButton);
    EXPECT_THAT(wire(), ElementsAre("echo on\n"));
    EXPECT_TRUE(link.closed);
    EXPECT_FALSE(app().connected());
    EXPECT_EQ(profile().readString("SERIALPORT", "baudrate"), "9600");
}

TEST_F(MainWindow, EscapeDoesNotClose)
{
    startUp();
    window->show();
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(app().connected());
}

TEST_F(MainWindow, HelpOpensTheTopicOfThePageInFront)
{
    startUp();
    for (int index = 0; index < pageCount; ++index) {
        SCOPED_TRACE(index);
        window->setActivePage(static_cast<Page>(index));
        QTest::mouseClick(&button(*window, "help"), Qt::LeftButton);
        QTextBrowser& browser = window->help().browser();
        EXPECT_TRUE(window->help().isVisible());
        EXPECT_EQ(browser.source().toString(),
                  gui::HelpWindow::topicPath(pageCases[index].helpContext));
        // The topic is there and is about this page.
        EXPECT_THAT(
            browser.toPlainText().toStdString(),
            HasSubstr(QString::fromLatin1(pageCases[index].caption).trimmed().toStdString()));
    }
}

TEST_F(MainWindow, ComesToTheFrontWhenAskedWhileMinimised)
{
    startUp();
    window->showMinimized();
    window->bringToFront();
    EXPECT_FALSE(window->isMinimized());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindow, NoticeIsPaintedInDarkBlueNearTheBottom)
{
    startUp();
    window->show();
    const QImage image = window->grab().toImage();
    const int top = image.height() * 15 / 16;
    bool found = false;
    for (int y = top; y < image.height() && !found; ++y)
        for (int x = 10; x < image.width() / 2 && !found; ++x)
            found = image.pixelColor(x, y) == QColor(0, 0, 128);
    EXPECT_TRUE(found);
}

// The real program, with an ini file it cannot read: one line, status 2, and no window left
// waiting on a message box; the port is never opened.
TEST(PanelProgram, UnreadableIniEndsTheStartWithOneLineAndStatusTwo)
{
    TempDir dir;
    const std::string broken = std::string("[SERIALPORT]\nbaud") + '\0' + "rate=9600\n";
    dir.write("broken.ini", broken);
    ASSERT_EQ(::mkfifo(dir.file("fifo.ini").c_str(), 0600), 0);
    // A panel the developer has open must not answer for these.
    const bool hadTmp = qEnvironmentVariableIsSet("TMPDIR");
    const QByteArray savedTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QByteArray::fromStdString(dir.path().string()));
    for (const std::string& ini : {dir.file("broken.ini").string(), dir.file("fifo.ini").string(),
                                   std::string("/dev/null")}) {
        const ProgramRun run = runProgram(
            KIVO_BINARY, {"--ini", ini, "--port", dir.file("no-such-port").string()}, 20000);
        EXPECT_EQ(run.status, 2) << ini << ": " << run.err;
        // Qt may say a word of its own about the environment first.
        const std::size_t said = run.err.find("kivo: ");
        EXPECT_THAT(run.err.substr(std::min(said, run.err.size())),
                    ::testing::StartsWith("kivo: Cannot read " + ini));
        EXPECT_EQ(std::count(run.err.begin() + static_cast<long>(std::min(said, run.err.size())),
                             run.err.end(), '\n'),
                  1)
            << run.err;
    }
    if (hadTmp)
        qputenv("TMPDIR", savedTmp);
    else
        qunsetenv("TMPDIR");
    EXPECT_EQ(dir.read("broken.ini"), broken);
}

struct PlaceCase {
    const char* name;
    std::optional<QRect> saved;
    QRect expected;
};
void PrintTo(const PlaceCase& c, std::ostream* out) { *out << c.name; }

class WindowPlace : public ::testing::TestWithParam<PlaceCase> {};

// Two screens side by side, 1280x1024 and 1920x1080; the window opens on the first by default.
TEST_P(WindowPlace, FitsTheScreenItOpensOn)
{
    const QList<QRect> screens{QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 1080)};
    EXPECT_EQ(gui::windowPlace(GetParam().saved, QSize(900, 540), screens, screens[0]),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowPlace,
    ::testing::Values(
        PlaceCase{"NeverSaved", std::nullopt, QRect(190, 242, 900, 540)},
        PlaceCase{"SavedOnTheSecondScreen", QRect(1400, 100, 1000, 700),
                  QRect(1400, 100, 1000, 700)},
        PlaceCase{"SavedOffEveryScreen", QRect(5000, 3000, 800, 600), QRect(190, 242, 900, 540)},
        PlaceCase{"SavedLargerThanItsScreen", QRect(10, 10, 1622, 996), QRect(0, 10, 1280, 996)},
        PlaceCase{"SavedReachingOverTheEdge", QRect(900, 700, 600, 400),
                  QRect(680, 624, 600, 400)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WindowPlaceInIni, IsReadBackAndIgnoredWhenItIsNotFourNumbers)
{
    TempDir dir;
    Profile profile(dir.file("Kivo.ini"));
    EXPECT_EQ(gui::readWindowPlace(profile), std::nullopt);
    ASSERT_TRUE(gui::writeWindowPlace(profile, QRect(-20, 30, 800, 600)));
    EXPECT_THAT(dir.read("Kivo.ini"),
                HasSubstr("[WINDOW]\nleft=-20\ntop=30\nwidth=800\nheight=600\n"));
    EXPECT_EQ(gui::readWindowPlace(Profile(dir.file("Kivo.ini"))), QRect(-20, 30, 800, 600));
    for (const char* bad : {"1,5", "", "wide", "0"}) {
        profile.writeString("WINDOW", "width", bad);
        EXPECT_EQ(gui::readWindowPlace(profile), std::nullopt) << bad;
    }
}

// At twice the scale a 1280x1024 screen is 640x512 of the window's pixels.
TEST_F(MainWindow, FitsASmallScreenBecauseThePagesScroll)
{
    const QSize smallest = window->minimumSizeHint();
    EXPECT_LE(smallest.width(), 640);
    EXPECT_LE(smallest.height(), 480);
}

TEST_F(MainWindow, OpensWhereItWasLastClosed)
{
    startUp();
    const QRect place(40, 60, 700, 450);
    window->setGeometry(place);
    QTest::mouseClick(&button(*window, "exit"), Qt::LeftButton);
    gui::MainWindow next({dir.file("Kivo.ini"), "scripted", dir.file("Kivolog.txt").string()},
                         {clock, keys, prompter, processExit, busy}, opener);
    EXPECT_EQ(next.geometry(), place);
}

} // namespace
} // namespace kivo::test
