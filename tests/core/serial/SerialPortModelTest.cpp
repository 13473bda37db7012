#include "tests/support/PanelFixture.h"

#include "sim/LineNoise.h"
#include "sim/SimLink.h"

#include "core/base/PanelPages.h"
#include "core/link/PortReopener.h"
#include "core/mirror/PanelState.h"
#include "core/panel/BringUp.h"
#include "core/serial/SerialPortModel.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>

namespace kivo::test {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using Outcome = FactoryResetMonitor::Outcome;

TEST(RestartSigns, ThePromptCountsBeforeTheBanner)
{
    const std::vector<std::pair<std::string, RestartSign>> cases{
        {"Restore factory defaults? All user settings will be erased. (y/n) ", RestartSign::prompt},
        {"Halvex Quadrix video windowing processor, firmware 3.1\r\n> ", RestartSign::banner},
        {"Halvex Quadrix\r\nRestore? (y/n) ", RestartSign::prompt},
        {"halvex quadrix\r\n> ", RestartSign::none},
        {"Restoring... (Y/N)", RestartSign::none},
        {"", RestartSign::none},
        {"\xff\xfe garbage at the wrong rate", RestartSign::none},
    };
    for (const auto& [reply, sign] : cases)
        EXPECT_EQ(findRestartSign(reply), sign) << reply;
}

TEST(SerialPortLayouts, OnlyAConnectedPanelChangesTheDevice)
{
    EXPECT_EQ(SerialPortLayout{},
              (SerialPortLayout{false, true, false, StringId::deviceParametersAtCreationTitle,
                                StringId::localParametersChangeableTitle}));
    EXPECT_EQ(SerialPortLayout::forConnection(true),
              (SerialPortLayout{true, false, true, StringId::deviceParametersTitle,
                                StringId::localParametersFixedTitle}));
    EXPECT_EQ(SerialPortLayout::forConnection(false),
              (SerialPortLayout{false, true, false, StringId::deviceParametersUnavailableTitle,
                                StringId::localParametersChangeableTitle}));
}

// Hands what the bring-up reads to the page, as the panel's pages do.
class PagesForSerialPort final : public PanelPages {
public:
    void showPage(Page page) override { shown.push_back(page); }
    void showSerialPortLayout(bool connected) override { page->setConnectedLayout(connected); }
    void showDeviceBaud(int baud, int /*radioIndex*/) override { page->showDeviceBaud(baud); }
    void showDeviceEcho(bool on) override { page->showDeviceEcho(on); }

    SerialPortModel* page = nullptr;
    std::vector<Page> shown;
};

// Opens the port again, or fails to, and notes where and how fast. Behind it is the scripted
// link for as many openings as asked, then a simulated Quadrix at the rate the last one ran at,
// as a device that kept its rate across the reopening.
class FakeReopener final : public PortReopener {
public:
    FakeReopener(PanelApp& app, std::vector<std::string>& written, sim::SimLink& first)
        : app_(app), written_(written), lastDevice_(&first)
    {
    }
    bool reopenPort(std::string& error) override
    {
        app_.closeLink();
        opened.emplace_back(app_.portName, app_.serial.baudRate);
        if (!opens) {
            error = "Cannot open serial port " + app_.portName + ": no such device.";
            return false;
        }
        if (scriptedOpenings > 0) {
            --scriptedOpenings;
            app_.serialHandle = std::make_unique<ForwardingLink>(*script, &written_);
            return true;
        }
        device = std::make_unique<sim::SimLink>(
            sim::QuadrixOptions{.baud = lastDevice_->device().state().baud});
        lastDevice_ = device.get();
        app_.serialHandle = std::make_unique<ForwardingLink>(*device, &written_);
        return true;
    }
    // The rates the port was opened at, in order.
    std::vector<unsigned> rates() const
    {
        std::vector<unsigned> rates;
        for (const auto& [port, rate] : opened)
            rates.push_back(rate);
        return rates;
    }

    void scriptOpenings(ScriptedLink& link, int openings)
    {
        script = &link;
        scriptedOpenings = openings;
    }

    bool opens = true;
    ScriptedLink* script = nullptr;
    int scriptedOpenings = 0;
    std::vector<std::pair<std::string, unsigned>> opened;
    std::unique_ptr<sim::SimLink> device;

private:
    PanelApp& app_;
    std::vector<std::string>& written_;
    sim::SimLink* lastDevice_;
};

// The page of a panel connected on "/dev/ttyUSB0" to a simulated Quadrix that has come up.
class SerialPortPageTest : public PanelFixture {
protected:
    SerialPortPageTest()
    {
        pages.page = &page;
        app.portName = "/dev/ttyUSB0";
        app.serialHandle = std::make_unique<ForwardingLink>(device, &written);
        bringUp.reset(true);
        written.clear();
        pages.shown.clear();
    }

    bool sent(const std::string& line) const
    {
        return std::find(written.begin(), written.end(), line) != written.end();
    }
    // From now on the panel's link is the scripted one.
    void talkToScript() { app.serialHandle = std::make_unique<ForwardingLink>(*link, &written); }

    sim::SimLink device;
    std::vector<std::string> written;
    PanelState state;
    PagesForSerialPort pages;
    BringUp bringUp{{app, channel, state, clock, prompter, pages, progress}};
    FakeReopener reopener{app, written, device};
    SerialPortModel page{{app, channel, bringUp, terminal, prompter, clock, progress, reopener}};
};

TEST_F(SerialPortPageTest, TheBringUpShowsTheDeviceOnTheConnectedLayout)
{
    EXPECT_EQ(page.layout(), SerialPortLayout::forConnection(true));
    EXPECT_EQ(page.deviceBaudRate(), 9600);
    EXPECT_EQ(page.deviceBaudIndex(), 3);
    EXPECT_EQ(page.localBaudIndex(), 3);
    EXPECT_EQ(page.portInUse(), "/dev/ttyUSB0");
}

TEST_F(SerialPortPageTest, TheDeviceRateInUseAsksAndSendsNothing)
{
    EXPECT_EQ(page.changeDeviceBaud(9600), DeviceBaudChange::sameRate);
    EXPECT_EQ(page.changeDeviceBaud(14400), DeviceBaudChange::notOffered);
    EXPECT_THAT(prompter.texts, IsEmpty());
    EXPECT_THAT(written, IsEmpty());
    EXPECT_TRUE(app.connected());
}

TEST_F(SerialPortPageTest, NoToTheBaudQuestionLeavesDeviceAndPageAsTheyWere)
{
    prompter.answers = {Prompter::Answer::no};
    EXPECT_EQ(page.changeDeviceBaud(115200), DeviceBaudChange::declined);
    EXPECT_THAT(prompter.texts, ElementsAre(HasSubstr("Changing the baudrate setting")));
    EXPECT_THAT(written, IsEmpty());
    EXPECT_EQ(page.deviceBaudIndex(), 3);
    EXPECT_EQ(page.localBaudIndex(), 3);
    EXPECT_EQ(app.serial.baudRate, 9600u);
    EXPECT_TRUE(app.connected());
}

TEST_F(SerialPortPageTest, YesToTheBaudQuestionSendsTheRateAndFollowsIt)
{
    EXPECT_EQ(page.changeDeviceBaud(115200), DeviceBaudChange::reconnected);
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(written.front(), "baud 115200\n");
    EXPECT_THAT(reopener.opened,
                ElementsAre(std::pair<std::string, unsigned>{"/dev/ttyUSB0", 115200}));
    EXPECT_EQ(page.localBaudIndex(), 7);
    EXPECT_EQ(app.serial.baudRate, 115200u);
    EXPECT_TRUE(app.connected());
    EXPECT_EQ(page.layout(), SerialPortLayout::forConnection(true)) << "the bring-up ran again";
    EXPECT_TRUE(sent("id\n")) << "a reset from the page asks the device for its id";
    EXPECT_EQ(profile.readString("SERIALPORT", "baudrate"), "115200")
        << "kept as soon as the device answers at it, not at exit";
}

struct UntakenBaudCase {
    const char* name;
    std::string answerToChange;  // what the device answers "baud 115200" with
    std::string answerAtNewRate; // what the port opened at 115200 hears to "baud"
    DeviceBaudChange outcome;
    std::string told;
    std::vector<unsigned> openedAt;
};

void PrintTo(const UntakenBaudCase& c, std::ostream* out) { *out << c.name; }

class UntakenBaudChange : public SerialPortPageTest,
                          public ::testing::WithParamInterface<UntakenBaudCase> {};

TEST_P(UntakenBaudChange, IsFailedAndTheOldRateStaysSaved)
{
    profile.writeString("SERIALPORT", "baudrate", "9600");
    talkToScript();
    reopener.scriptOpenings(*link, 1);
    link->queueReply(GetParam().answerToChange);
    link->queueReply(GetParam().answerAtNewRate);
    EXPECT_EQ(page.changeDeviceBaud(115200), GetParam().outcome);
    EXPECT_THAT(prompter.texts,
                ElementsAre(HasSubstr("Changing the baudrate"), HasSubstr(GetParam().told)));
    EXPECT_EQ(reopener.rates(), GetParam().openedAt) << "back to the old rate when not taken";
    EXPECT_EQ(app.serial.baudRate, 9600u);
    EXPECT_EQ(page.localBaudIndex(), 3);
    EXPECT_EQ(page.deviceBaudRate(), 9600);
    EXPECT_TRUE(app.connected()) << "on the device at the old rate";
    app.shutdown();
    EXPECT_EQ(profile.readString("SERIALPORT", "baudrate"), "9600");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UntakenBaudChange,
    ::testing::Values(
        UntakenBaudCase{"refused",
                        "Error: rate not supported\r\n> ",
                        "",
                        DeviceBaudChange::refused,
                        "The Quadrix refused 115200 baud: Error: rate not supported",
                        {}},
        UntakenBaudCase{"oldRateReported",
                        "> ",
                        "Baud rate: 9600\r\n> ",
                        DeviceBaudChange::notFollowed,
                        "The Quadrix did not move to 115200 baud: asked for its rate, it "
                        "answered \"Baud rate: 9600\". The panel stays at 9600 baud.",
                        {115200, 9600}},
        UntakenBaudCase{"noiseAtTheNewRate",
                        "> ",
                        sim::garbled("Baud rate: 9600\r\n> "),
                        DeviceBaudChange::notFollowed,
                        "Something answers on /dev/ttyUSB0 at 115200 baud, but not in words",
                        {115200, 9600}},
        UntakenBaudCase{"silentAtTheNewRate",
                        "",
                        "",
                        DeviceBaudChange::notFollowed,
                        "Nothing answered on /dev/ttyUSB0 at 115200 baud",
                        {115200, 9600}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SerialPortPageTest, ARateTheIniFileCannotKeepIsToldWithTheDevicesRate)
{
    profile.writeString("SERIALPORT", "baudrate", "9600");
    std::filesystem::permissions(profile.path(), std::filesystem::perms::owner_read);
    EXPECT_EQ(page.changeDeviceBaud(115200), DeviceBaudChange::rateNotSaved);
    ASSERT_GE(prompter.texts.size(), 2u);
    EXPECT_THAT(prompter.texts[1],
                AllOf(HasSubstr("The Quadrix now runs at 115200 baud, but the ini file could not "
                                "keep that rate"),
                      HasSubstr(profile.path().string()), HasSubstr("read-only"),
                      HasSubstr("Start the panel at 115200 baud")));
    EXPECT_TRUE(app.connected()) << "the panel follows the device all the same";
}

TEST_F(SerialPortPageTest, APortThatDoesNotReopenLeavesThePanelWaitingWithTheCause)
{
    reopener.opens = false;
    EXPECT_EQ(page.changeDeviceBaud(57600), DeviceBaudChange::notReconnected);
    EXPECT_FALSE(app.connected());
    EXPECT_EQ(page.layout(), SerialPortLayout::forConnection(false));
    EXPECT_THAT(pages.shown, ElementsAre(Page::serialPort));
    EXPECT_EQ(progress.texts.back(), "No connection. Reset from Serial Port page.");
    EXPECT_EQ(page.portProblem(), "Cannot open serial port /dev/ttyUSB0: no such device.");
    EXPECT_EQ(page.portInUse(), "") << "a port that failed to open is not in use";
    // The local buttons show the rate the port opens at next.
    EXPECT_EQ(page.localBaudIndex(), 6);
    EXPECT_EQ(app.serial.baudRate, 57600u);
}

TEST_F(SerialPortPageTest, TheFrontPanelButtonTogglesAndItsCaptionIsTheState)
{
    const StringId first = page.frontPanelCaption();
    EXPECT_EQ(loadString(first), "Disable Quadrix Front &Panel");
    page.toggleFrontPanel();
    EXPECT_EQ(loadString(page.frontPanelCaption()), "Enable Quadrix Front &Panel");
    page.toggleFrontPanel();
    EXPECT_EQ(page.frontPanelCaption(), first);
    EXPECT_THAT(written, ElementsAre("frontpanel off\n", "frontpanel on\n"));
}

TEST_F(SerialPortPageTest, AFrontPanelChangeNotTakenLeavesTheCaptionAndSaysSo)
{
    talkToScript();
    const StringId first = page.frontPanelCaption();
    for (const char* answer : {"Error: busy\r\n> ", "\xd3\xa1\x9c", "Front"}) {
        link->queueReply(answer);
        EXPECT_FALSE(page.toggleFrontPanel()) << answer;
        EXPECT_EQ(page.frontPanelCaption(), first) << answer;
    }
    link->queueSilence(20); // the first-byte wait and the ten empty reads
    EXPECT_FALSE(page.toggleFrontPanel());
    EXPECT_EQ(page.frontPanelCaption(), first);
    EXPECT_THAT(prompter.texts, ::testing::Each("The Quadrix did not lock its front panel."));
    EXPECT_EQ(prompter.texts.size(), 4U);
}

TEST_F(SerialPortPageTest, EchoButtonsSendAndLeaveTheExitEchoAlone)
{
    const bool restoreEcho = app.restoreEchoOnExit;
    page.setEcho(false);
    EXPECT_EQ(page.echoIndex(), 1);
    page.setEcho(true);
    EXPECT_EQ(page.echoIndex(), 0);
    EXPECT_THAT(written, ElementsAre("echo off\n", "echo on\n"));
    EXPECT_EQ(app.restoreEchoOnExit, restoreEcho);
}

TEST_F(SerialPortPageTest, ResetOnAnOpenPortEmptiesTheTerminalAndBringsThePanelUpThere)
{
    terminal.setText("> typed");
    page.resetPanel();
    EXPECT_EQ(terminal.text(), "");
    EXPECT_THAT(reopener.opened, IsEmpty());
    EXPECT_TRUE(sent("id\n"));
    EXPECT_TRUE(app.connected());
}

TEST_F(SerialPortPageTest, ResetWithoutALinkOpensThePortAtTheChosenLocalRate)
{
    app.closeLink();
    page.setConnectedLayout(false);
    page.chooseLocalBaud(5);
    page.resetPanel();
    EXPECT_THAT(reopener.opened,
                ElementsAre(std::pair<std::string, unsigned>{"/dev/ttyUSB0", 38400}));
    EXPECT_THAT(progress.texts, Contains("Establishing connection..."));
    EXPECT_TRUE(app.connected());
    EXPECT_EQ(page.portProblem(), "");
}

TEST_F(SerialPortPageTest, AChosenPortIsOpenedAndKeptOnlyOnceItOpens)
{
    page.choosePort("  /dev/ttyACM3 ");
    reopener.opens = false;
    page.resetPanel();
    EXPECT_EQ(app.portName, "/dev/ttyACM3");
    EXPECT_EQ(profile.readString("SERIALPORT", "port"), "") << "a port that failed is not kept";
    EXPECT_THAT(page.portProblem(), HasSubstr("/dev/ttyACM3: no such device"));

    reopener.opens = true;
    page.resetPanel();
    EXPECT_TRUE(app.connected());
    EXPECT_EQ(profile.readString("SERIALPORT", "port"), "/dev/ttyACM3");
    EXPECT_THAT(reopener.opened,
                ElementsAre(std::pair<std::string, unsigned>{"/dev/ttyACM3", 9600},
                            std::pair<std::string, unsigned>{"/dev/ttyACM3", 9600}));
}

TEST_F(SerialPortPageTest, APortNobodyChoseOnThePageIsNotKept)
{
    page.resetPanel();
    app.closeLink();
    page.resetPanel();
    EXPECT_TRUE(app.connected());
    EXPECT_EQ(profile.readString("SERIALPORT", "port"), "");
}

TEST_F(SerialPortPageTest, WithoutAPortThePageAsksForOne)
{
    app.closeLink();
    app.portName.clear();
    EXPECT_THAT(page.portProblem(), HasSubstr("No serial port is set"));
}

// Find the rate over a port whose device answers each opening as scripted.
class FindTheRate : public SerialPortPageTest {
protected:
    FindTheRate()
    {
        app.closeLink();
        page.setConnectedLayout(false);
        reopener.scriptOpenings(*link, 8);
    }
};

TEST_F(FindTheRate, TriesTheFastestFirstAndStopsAtTheFirstAnswerInWords)
{
    link->queueReply(sim::garbled("Error: unknown command\r\n> "));
    link->queueSilence(30);
    link->queueReply(sim::garbled("Error: unknown command\r\n> "));
    link->queueReply("Baud rate: 19200\r\n> ");
    EXPECT_EQ(page.findRate(), 19200);
    EXPECT_THAT(reopener.rates(), ElementsAre(115200u, 57600u, 38400u, 19200u));
    EXPECT_THAT(written, Contains("baud\n"));
    EXPECT_EQ(app.serial.baudRate, 19200u);
    EXPECT_EQ(page.localBaudIndex(), 4);
    EXPECT_TRUE(sent("id\n")) << "the panel comes up at the rate found";
}

TEST_F(FindTheRate, WithoutAnAnswerInWordsWaitsAtTheOldRate)
{
    for (int rate = 0; rate < 8; ++rate)
        link->queueReply(sim::garbled("Error: unknown command\r\n> "));
    EXPECT_EQ(page.findRate(), std::nullopt);
    EXPECT_THAT(reopener.rates(),
                ElementsAre(115200u, 57600u, 38400u, 19200u, 9600u, 4800u, 2400u, 1200u));
    EXPECT_THAT(prompter.texts, ElementsAre(HasSubstr("Nothing answered in words on "
                                                      "/dev/ttyUSB0 at any rate")));
    EXPECT_EQ(app.serial.baudRate, 9600u);
    EXPECT_FALSE(app.connected());
    EXPECT_EQ(page.layout(), SerialPortLayout::forConnection(false));
    EXPECT_EQ(page.portInUse(), "");
}

TEST_F(FindTheRate, APortThatDoesNotOpenStopsTheSearchWithItsCause)
{
    reopener.opens = false;
    EXPECT_EQ(page.findRate(), std::nullopt);
    EXPECT_THAT(reopener.rates(), ElementsAre(115200u));
    EXPECT_EQ(page.portProblem(), "Cannot open serial port /dev/ttyUSB0: no such device.");
    EXPECT_EQ(app.serial.baudRate, 9600u);
}

TEST_F(SerialPortPageTest, FactoryDefaultsNeedAYes)
{
    prompter.answers = {Prompter::Answer::no};
    EXPECT_EQ(page.restoreFactoryDefaults(), FactoryRestore::declined);
    EXPECT_THAT(prompter.texts, ElementsAre(HasSubstr("Restoring factory defaults will erase")));
    EXPECT_THAT(written, IsEmpty());
    EXPECT_FALSE(page.monitor().watching());
}

TEST_F(SerialPortPageTest, FactoryDefaultsGoOutAndEmptyTheSavedSettings)
{
    page.chooseLocalBaud(7);
    profile.writeString("OUTPUTLIST", "3", "VGA 640x480 16 96 48 640");
    profile.writeString("INPUTLIST", "50", "XGA 1024x768");
    profile.writeString("DESCRIPTIONS", "1", "Camera one");
    const auto startMs = clock.now;
    ASSERT_EQ(page.restoreFactoryDefaults(), FactoryRestore::started);
    EXPECT_THAT(written, ElementsAre("restorefactorydefaults\n", "yes\n"));
    EXPECT_GE(clock.now - startMs, 300);
    EXPECT_EQ(profile.readString("SERIALPORT", "baudrate"), "9600");
    EXPECT_EQ(app.serial.baudRate, 9600u);
    EXPECT_EQ(page.localBaudIndex(), 3);
    EXPECT_EQ(page.deviceBaudIndex(), 3);
    EXPECT_FALSE(app.linkEstablished);
    for (int n = 1; n <= 50; ++n)
        EXPECT_EQ(profile.readString("INPUTLIST", std::to_string(n), "unset"), "") << n;
    for (int n = 1; n <= 10; ++n)
        EXPECT_EQ(profile.readString("OUTPUTLIST", std::to_string(n), "unset"), "") << n;
    EXPECT_EQ(profile.readString("DESCRIPTIONS", "1"), "Camera one");
    EXPECT_TRUE(page.monitor().watching());
}

TEST_F(SerialPortPageTest, ARefusedRestoreSendsNoYesAndChangesNothing)
{
    profile.writeString("OUTPUTLIST", "3", "VGA 640x480 16 96 48 640");
    app.serial.baudRate = 19200;
    talkToScript();
    link->queueReply("Error: busy\r\n> ");
    EXPECT_EQ(page.restoreFactoryDefaults(), FactoryRestore::refused);
    EXPECT_THAT(written, ElementsAre("restorefactorydefaults\n"));
    EXPECT_THAT(prompter.texts,
                ElementsAre(HasSubstr("Restoring factory defaults will erase"),
                            "The Quadrix refused to restore its factory defaults: Error: busy. "
                            "Nothing was changed."));
    EXPECT_EQ(profile.readString("OUTPUTLIST", "3"), "VGA 640x480 16 96 48 640");
    EXPECT_EQ(profile.readString("SERIALPORT", "baudrate"), "");
    EXPECT_EQ(app.serial.baudRate, 19200u);
    EXPECT_FALSE(page.monitor().watching());
    EXPECT_THAT(reopener.opened, IsEmpty());
}

TEST_F(SerialPortPageTest, ARestoreAtAnotherRateIsWatchedAtTheFactoryRate)
{
    app.serial.baudRate = 115200;
    ASSERT_EQ(page.restoreFactoryDefaults(), FactoryRestore::started);
    EXPECT_THAT(reopener.opened,
                ElementsAre(std::pair<std::string, unsigned>{"/dev/ttyUSB0", 9600}));
    EXPECT_TRUE(app.connected());
    EXPECT_TRUE(page.monitor().watching());
}

// A prompter that makes the ini file writable again after the first failure it reports.
class RecoveringPrompter final : public Prompter {
public:
    Answer ask(const std::string& text, Buttons buttons, Icon, const std::string&) override
    {
        texts.push_back(text);
        if (buttons == Buttons::ok && texts.size() == 2)
            std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        return buttons == Buttons::yesNo ? Answer::yes : Answer::ok;
    }
    std::filesystem::path path;
    std::vector<std::string> texts;
};

TEST_F(SerialPortPageTest, AFailedIniWriteIsToldForItsKeyAndTheRestAreStillWritten)
{
    RecoveringPrompter recovering;
    SerialPortModel ownPage{
        {app, channel, bringUp, terminal, recovering, clock, progress, reopener}};
    profile.writeString("INPUTLIST", "2", "kept until written");
    recovering.path = profile.path();
    std::filesystem::permissions(profile.path(), std::filesystem::perms::owner_read);
    ASSERT_EQ(ownPage.restoreFactoryDefaults(), FactoryRestore::started);
    EXPECT_THAT(recovering.texts, ElementsAre(HasSubstr("Restoring factory defaults"),
                                              "Couldn't write input timing 1 to ini file"));
    EXPECT_EQ(profile.readString("INPUTLIST", "2", "unset"), "");
    EXPECT_EQ(profile.readString("OUTPUTLIST", "10", "unset"), "");
}

TEST_F(SerialPortPageTest, EveryFailedCacheKeyIsToldWithItsNumber)
{
    profile.writeString("INPUTLIST", "1", "kept");
    std::filesystem::permissions(profile.path(), std::filesystem::perms::owner_read);
    ASSERT_EQ(page.restoreFactoryDefaults(), FactoryRestore::started);
    std::vector<std::string> expected{prompter.texts.front()};
    for (int n = 1; n <= 50; ++n)
        expected.push_back("Couldn't write input timing " + std::to_string(n) + " to ini file");
    for (int n = 1; n <= 10; ++n)
        expected.push_back("Couldn't write output timing " + std::to_string(n) + " to ini file");
    EXPECT_EQ(prompter.texts, expected);
}

// The device has taken "restorefactorydefaults" and "yes"; the monitor reads the script.
class FactoryResetTest : public SerialPortPageTest {
protected:
    FactoryResetTest()
    {
        talkToScript();
        page.restoreFactoryDefaults();
        written.clear();
        prompter.texts.clear();
    }

    // Beats until the monitor stops its timer; returns the number of beats.
    int beatsUntilDone()
    {
        int beats = 1;
        while (page.monitorTick())
            ++beats;
        return beats;
    }
};

TEST_F(FactoryResetTest, TheYesNoPromptIsAnsweredAndThePanelResetsAtTheFactoryRate)
{
    link->queueReply("Restore factory defaults? All user settings will be erased. (y/n) ");
    EXPECT_EQ(beatsUntilDone(), 1);
    EXPECT_EQ(page.monitor().outcome(), Outcome::promptAnswered);
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(written.front(), "y\n");
    EXPECT_EQ(prompter.texts.front(), "The Quadrix has completed the restoration of factory "
                                      "defaults. The Kivo will now reset itself.");
    EXPECT_THAT(reopener.opened,
                ElementsAre(std::pair<std::string, unsigned>{"/dev/ttyUSB0", 9600}));
    EXPECT_TRUE(app.connected());
}

TEST_F(FactoryResetTest, TheRestartBannerEndsTheWatchWithoutAnAnswer)
{
    link->queueSilence(30);
    link->queueReply("Halvex Quadrix video windowing processor, firmware 3.1\r\n> ");
    const auto startMs = clock.now;
    EXPECT_EQ(page.waitForFactoryReset(), Outcome::bannerSeen);
    EXPECT_GE(clock.now - startMs, FactoryResetMonitor::periodMs);
    EXPECT_THAT(written, Not(Contains("y\n")));
    EXPECT_THAT(prompter.texts, ElementsAre(HasSubstr("has completed the restoration")));
    EXPECT_EQ(reopener.opened.size(), 1u);
}

TEST_F(FactoryResetTest, ASilentDeviceTimesOutOnTheThirtySeventhBeat)
{
    EXPECT_EQ(beatsUntilDone(), 37);
    EXPECT_EQ(page.monitor().outcome(), Outcome::timedOut);
    EXPECT_THAT(prompter.texts, ElementsAre(HasSubstr(" Kivo monitoring has timed out!")));
    EXPECT_EQ(reopener.opened.size(), 1u) << "the panel resets all the same";
}

TEST_F(FactoryResetTest, BeatsKeepToTheClockHoweverLongTheirReadsTake)
{
    // Every read waits out its time-out, as on a port where nothing arrives.
    std::vector<std::int64_t> readsAt;
    std::function<void()> waitOneRead = [&] {
        readsAt.push_back(clock.now);
        clock.now += link->readTimeoutMs();
        link->atNextRead = waitOneRead;
    };
    link->atNextRead = waitOneRead;
    const std::int64_t startMs = clock.now;
    EXPECT_EQ(page.waitForFactoryReset(), Outcome::timedOut);
    link->atNextRead = nullptr;
    // A beat begins with the first read after a pause.
    std::vector<std::int64_t> beats;
    for (std::size_t i = 0; i < readsAt.size(); ++i)
        if (i == 0 || readsAt[i] - readsAt[i - 1] > link->readTimeoutMs())
            beats.push_back(readsAt[i] - startMs);
    std::vector<std::int64_t> onTheClock;
    for (int beat = 1; beat <= 37; ++beat)
        onTheClock.push_back(beat * FactoryResetMonitor::periodMs);
    EXPECT_EQ(beats, onTheClock);
}

TEST_F(FactoryResetTest, ADeviceThatFallsSilentWhileRestartingDoesNotEndTheProgram)
{
    link->queueReply("Erasing user settings...\r\n");
    EXPECT_EQ(beatsUntilDone(), 37);
    EXPECT_THAT(processExit.codes, IsEmpty());
    EXPECT_EQ(page.monitor().outcome(), Outcome::timedOut);
}

} // namespace
} // namespace kivo::test
