#include "core/panel/BringUp.h"

#include "core/base/PanelPages.h"
#include "core/base/ProgressSink.h"
#include "core/base/Prompter.h"
#include "core/base/Text.h"
#include "core/link/PanelApp.h"
#include "core/link/SerialSettings.h"
#include "core/mirror/DeviceReplies.h"
#include "core/mirror/PanelState.h"
#include "core/protocol/CommandChannel.h"
#include "core/settings/Profile.h"
#include "core/timing/TimingText.h"

#include <algorithm>

namespace kivo {
namespace {

constexpr int topLeftArrangement = 4;
constexpr double runningFirmware = 3.1;

} // namespace

BringUp::BringUp(PanelContext context)
    : c_(context), readback_(context), cache_(context.app.profile(), context.prompter),
      lists_(context.channel, cache_, context.prompter)
{
    lists_.setProgress(&context.progress);
}

void BringUp::reset(bool echoQuery)
{
    // What the start-up stores (the timing list caches above all) reaches the ini file in one
    // rewrite, not one per key.
    Profile::HeldWrites held(c_.app.profile());
    c_.pages.clearPresentationLists();
    c_.progress.setProgressPosition(1);
    c_.app.progressCounter = 1;
    c_.pages.loadPresentations();
    if (c_.app.connected())
        bringUp(echoQuery);
    else
        noConnection();
    // The raw log keeps the first start-up exchange only.
    c_.app.logFile.close();
    c_.app.idle = true;
    if (!held.release())
        c_.prompter.tell(c_.app.profile().lastWriteError());
}

void BringUp::noConnection()
{
    DeviceMirror& mirror = c_.state.mirror;
    c_.pages.showPage(Page::serialPort);
    for (int number = 1; number <= static_cast<int>(DeviceMirror::maxWindows); ++number) {
        mirror.window(number).priority = number;
        mirror.window(number).present = true;
    }
    mirror.windowsOn = DeviceMirror::maxWindows;
    mirror.windowCount = DeviceMirror::maxWindows;
    c_.pages.applyArrangement(topLeftArrangement);
    showProgressText(StringId::noConnection);
    c_.pages.redrawWindowControls();
}

void BringUp::bringUp(bool echoQuery)
{
    PanelApp& app = c_.app;
    DeviceMirror& mirror = c_.state.mirror;
    app.progressStepping = false;
    app.idle = false;
    understood_ = false;
    unreadQueries_.clear();
    c_.pages.showSerialPortLayout(true);
    c_.pages.showBringUpProgress(true);
    c_.progress.setProgressPosition(12);
    app.progressCounter = 12;
    c_.pages.showPage(Page::terminal);
    for (WindowRecord& window : mirror.windows)
        window.maximised = false;
    app.maximisedFlag = false;
    const Reply first = askEchoState(echoQuery);
    if (!first.answered()) {
        giveUpOnPort(StringId::silentPort);
        return;
    }
    // A line at another rate than the device's brings noise: the long walk would read nothing.
    if (!answersInWords(first.text)) {
        giveUpOnPort(StringId::noisyPort);
        return;
    }
    c_.pages.showAbortHint(std::string(loadString(StringId::abortHint)));
    mirror.firmwareRevision = runningFirmware;
    c_.state.outputList.count = TimingList::outputSlots;
    // From here on replies carry no echo of their command.
    c_.channel.sendCommand(std::string(loadString(StringId::echoOff)));
    mirror.windowCount = readback_.readWindowTypes(deviceIdReply_);
    app.progressStepping = true;
    app.progressStep = PanelApp::progressStepFor(mirror.windowCount);
    c_.progress.setProgressStep(app.progressStep);
    readback_.loadDescriptions(app.profile());
    noteAnswer(std::string(loadString(StringId::outputListQuery)),
               lists_.loadOutputList(c_.state.outputList));
    noteAnswer(std::string(loadString(StringId::inputListQuery)),
               lists_.loadInputList(c_.state.inputList));
    c_.pages.timingListsLoaded();
    noteAnswer(std::string(loadString(StringId::hostQuery)), askOutputStatus());
    noteAnswer(std::string(loadString(StringId::priorityAllQuery)), readback_.readStacking());
    noteAnswer(std::string(loadString(StringId::winAllQuery)), readback_.readOnOff());
    readWindowCoordinates();
    readback_.readImageLevels(0);
    readSerialPortControls();
    reportUnreadAnswers();
    c_.pages.redrawWindowControls();
    c_.pages.showBringUpProgress(false);
    c_.pages.showPage(Page::virtualScreen);
}

Reply BringUp::askEchoState(bool echoQuery)
{
    if (echoQuery) {
        const Reply reply = c_.channel.sendAndCollect(StringId::echoQuery, true);
        const auto echo = parseEchoReply(reply.text);
        // The device had its echo on: it gets it back at exit.
        if (echo)
            c_.app.restoreEchoOnExit = !echo->saysOff;
        noteAnswer(std::string(loadString(StringId::echoQuery)), echo || !reply.answered());
        return reply;
    }
    c_.pages.repaintTerminal();
    c_.channel.sendCommand(std::string(loadString(StringId::echoOff)));
    const Reply reply = c_.channel.sendAndCollect(StringId::idQuery, true);
    deviceIdReply_ = reply.text;
    return reply;
}

void BringUp::giveUpOnPort(StringId why)
{
    PanelApp& app = c_.app;
    c_.prompter.tell(formatString(why, app.portName.c_str(), app.serial.baudRate));
    // Nothing on the line heard a word: the settings stay as they were and nothing is sent.
    app.closeLink();
    // The local parameters may be what is wrong: the page lets the operator change them.
    c_.pages.showSerialPortLayout(false);
    noConnection();
}

void BringUp::showProgressText(StringId text)
{
    c_.progress.showProgressText(std::string(loadString(text)));
}

void BringUp::readWindowCoordinates()
{
    // Garbage holds a few numbers by chance; a device that speaks gives most rectangles.
    int rectangles = 0;
    const int windows = static_cast<int>(c_.state.mirror.windowCount);
    // A window the device refused to place is one it lacks: it has no rectangles to read.
    const auto readRect = [&](StringId query, int number) {
        const bool read = readback_.readWindowRect(query, number);
        rectangles += read ? 1 : 0;
        noteAnswer(formatString(query, number), read || !c_.state.mirror.window(number).present);
    };
    for (int number = 1; number <= windows; ++number) {
        c_.progress.showProgressText(formatString(StringId::windowCoordinatesProgress, number));
        readRect(StringId::windowDestQuery, number);
        readback_.readInputSize(number);
        readRect(StringId::windowSourceQuery, number);
    }
    understood_ = understood_ || rectangles >= windows;
}

void BringUp::queryOutputStatus() { askOutputStatus(); }

bool BringUp::askOutputStatus()
{
    if (!c_.app.connected())
        return false;
    showProgressText(StringId::outputTimingProgress);
    return takeOutputStatus(c_.channel.sendAndCollect(StringId::hostQuery, true).text);
}

void BringUp::readOutputStatus(std::string_view hostReply) { takeOutputStatus(hostReply); }

bool BringUp::takeOutputStatus(std::string_view hostReply)
{
    const TimingRecord& timing = c_.state.mirror.outputTiming;
    const int width = timing.HACT;
    const int height = timing.VACT;
    // A reply that cannot be read leaves the timing as it was; the page shows it either way.
    const auto status = parseHostReply(hostReply);
    if (status) {
        understood_ = understood_ || status->timing.has_value();
        storeOutputTiming(*status);
    }
    // The canvas pictures the windows at the output's size: after the size changed, it shows
    // what the device now holds. A bring-up reads the rectangles later on its own.
    if (c_.app.idle && (timing.HACT != width || timing.VACT != height))
        readDestinations();
    c_.pages.outputTimingChanged();
    return status && status->timing;
}

void BringUp::readDestinations()
{
    DeviceMirror& mirror = c_.state.mirror;
    const int windows = static_cast<int>(std::min(mirror.windowCount, DeviceMirror::maxWindows));
    for (int number = 1; number <= windows; ++number)
        if (mirror.window(number).present)
            readback_.readWindowRect(StringId::windowDestQuery, number);
}

void BringUp::storeOutputTiming(const HostStatus& status)
{
    DeviceMirror& mirror = c_.state.mirror;
    TimingRecord& timing = mirror.outputTiming;
    mirror.outputFreeRun = status.freeRun;
    timing.locked = status.locked ? 1 : 0;
    if (!status.timing)
        return;
    copyTimingNumbers(*status.timing, timing);
    if ((timing.HACT < 200 || timing.HACT > 2048) && timing.locked)
        c_.prompter.tell(formatString(StringId::badHactOutput, timing.HACT, 200, 2048));
    if ((timing.VACT < 150 || timing.VACT > 2048) && timing.locked)
        c_.prompter.tell(formatString(StringId::badVactOutput, timing.VACT, 150, 2048));
    mirror.outputWidth = timing.HACT;
    mirror.outputHeight = timing.VACT;
    keepDivisorsNonZero(timing);
}

void BringUp::readSerialPortControls()
{
    showProgressText(StringId::serialControlsProgress);
    const auto baud = parseBaudReply(c_.channel.sendAndCollect(StringId::baudQuery, true).text);
    if (noteAnswer(std::string(loadString(StringId::baudQuery)), baud.has_value())) {
        understood_ = true;
        c_.pages.showDeviceBaud(*baud, baudIndex(*baud));
    }
    const auto echo = parseEchoReply(c_.channel.sendAndCollect(StringId::echoQuery, true).text);
    if (noteAnswer(std::string(loadString(StringId::echoQuery)), echo.has_value()))
        c_.pages.showDeviceEcho(echo->saysOn);
}

bool BringUp::noteAnswer(std::string query, bool read)
{
    if (!read)
        unreadQueries_.push_back(std::move(query));
    return read;
}

void BringUp::reportUnreadAnswers()
{
    if (c_.channel.deviceKeptPaging()) {
        c_.prompter.tell(formatString(StringId::deviceKeptPaging, c_.app.portName.c_str()));
        return;
    }
    // A device of which nothing could be read is a failed connection, said as such elsewhere.
    if (!understood_ || unreadQueries_.empty())
        return;
    std::string named;
    for (const std::string& query : unreadQueries_)
        named += (named.empty() ? "\"" : ", \"") + query + "\"";
    c_.prompter.tell(formatString(StringId::unreadStartUpAnswers, named.c_str()));
}

} // namespace kivo
