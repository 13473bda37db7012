#include "core/serial/SerialPortModel.h"

#include "core/base/Clock.h"
#include "core/base/ProgressSink.h"
#include "core/base/Prompter.h"
#include "core/base/Text.h"
#include "core/link/PanelApp.h"
#include "core/link/PortReopener.h"
#include "core/link/SerialLink.h"
#include "core/link/SerialSettings.h"
#include "core/mirror/DeviceReplies.h"
#include "core/panel/BringUp.h"
#include "core/panel/PanelSession.h"
#include "core/protocol/CommandChannel.h"
#include "core/protocol/Reply.h"
#include "core/settings/Profile.h"
#include "core/terminal/TerminalModel.h"
#include "core/timing/TimingList.h"

namespace kivo {
namespace {

// The device waits this long after "restorefactorydefaults" before it takes the "yes".
constexpr int confirmPauseMs = 300;
// A device that restores its factory defaults runs at this rate.
constexpr int factoryBaud = 9600;

std::string text(StringId id) { return std::string(loadString(id)); }

// The device's last line of an answer, for a message: its prompt and line ends dropped.
std::string lastWords(std::string_view reply)
{
    constexpr std::size_t longestQuote = 80;
    const std::string_view prompt = trim(loadString(StringId::prompt));
    std::string_view words = trimRight(reply);
    if (words.ends_with(prompt))
        words = trimRight(words.substr(0, words.size() - prompt.size()));
    if (const auto lineEnd = words.find_last_of("\r\n"); lineEnd != std::string_view::npos)
        words.remove_prefix(lineEnd + 1);
    return operatorText(trim(words), longestQuote);
}

} // namespace

SerialPortLayout SerialPortLayout::forConnection(bool connected)
{
    return {
        connected, !connected, connected,
        connected ? StringId::deviceParametersTitle : StringId::deviceParametersUnavailableTitle,
        connected ? StringId::localParametersFixedTitle : StringId::localParametersChangeableTitle};
}

SerialPortModel::Seams SerialPortModel::seamsOf(PanelSession& session)
{
    const PanelSeams& seams = session.seams();
    return {session.app(),  session.channel(), session.bringUp(), session.terminal(),
            seams.prompter, seams.clock,       seams.progress,    session};
}

SerialPortModel::SerialPortModel(Seams seams)
    : s_(seams), monitor_(seams.app, seams.channel, seams.prompter)
{
    const SerialSettings& local = s_.app.serial;
    localBaudIndex_ = baudIndex(static_cast<int>(local.baudRate));
    parityIndex_ = local.parity;
    if (local.byteSize == 7 || local.byteSize == 8)
        characterSizeIndex_ = local.byteSize & 1;
    stopBitsIndex_ = local.stopBits;
}

void SerialPortModel::setConnectedLayout(bool connected)
{
    layout_ = SerialPortLayout::forConnection(connected);
}

void SerialPortModel::showDeviceBaud(int rate)
{
    deviceBaudRate_ = rate;
    deviceBaudIndex_ = baudIndex(rate);
}

void SerialPortModel::showDeviceEcho(bool on) { echoIndex_ = on ? 0 : 1; }

void SerialPortModel::chooseLocalBaud(int index)
{
    if (index < 0 || index >= static_cast<int>(baudRates.size()))
        return;
    localBaudIndex_ = index;
    s_.app.serial.baudRate = static_cast<std::uint32_t>(baudRates[static_cast<std::size_t>(index)]);
}

DeviceBaudChange SerialPortModel::changeDeviceBaud(int rate)
{
    if (!isButtonRate(rate))
        return DeviceBaudChange::notOffered;
    if (rate == deviceBaudRate_)
        return DeviceBaudChange::sameRate;
    if (s_.prompter.ask(text(StringId::baudChangeQuestion), Prompter::Buttons::yesNo,
                        Prompter::Icon::question, {}) != Prompter::Answer::yes)
        return DeviceBaudChange::declined;
    // A device that takes the rate answers at the new one, which reads as noise here; only a
    // refusal can be read.
    const Reply answer =
        s_.channel.sendTextAndCollect(formatString(StringId::baudCommand, rate), false);
    if (isRefusal(answer.text)) {
        s_.prompter.tell(formatString(StringId::baudRefused, rate, lastWords(answer.text).c_str()));
        return DeviceBaudChange::refused;
    }
    const std::uint32_t before = s_.app.serial.baudRate;
    // The device now listens at the new rate: the old line is of no more use.
    s_.app.closeLink();
    setConnectedLayout(false);
    // The local buttons show the rate the port opens at next, whether or not it opens now.
    useLocalBaud(static_cast<std::uint32_t>(rate));
    if (!openPortAgain()) {
        waitWithoutLink();
        return DeviceBaudChange::notReconnected;
    }
    if (!deviceConfirmsRate(rate, before)) {
        // Most likely the device is where it was: the panel goes back there.
        useLocalBaud(before);
        reopenLink();
        return DeviceBaudChange::notFollowed;
    }
    showDeviceBaud(rate);
    // Kept the moment the device has it: a panel that ends before the bring-up is over still
    // finds the device at its next start.
    const bool kept = keepRate();
    s_.bringUp.reset(false);
    return kept ? DeviceBaudChange::reconnected : DeviceBaudChange::rateNotSaved;
}

bool SerialPortModel::deviceConfirmsRate(int rate, std::uint32_t before)
{
    const Reply reply = s_.channel.sendAndCollect(StringId::baudQuery, true);
    const char* port = s_.app.portName.c_str();
    if (!reply.answered())
        s_.prompter.tell(formatString(StringId::silentPort, port, s_.app.serial.baudRate));
    else if (!answersInWords(reply.text))
        s_.prompter.tell(formatString(StringId::noisyPort, port, s_.app.serial.baudRate));
    else if (parseBaudReply(reply.text) != rate)
        s_.prompter.tell(
            formatString(StringId::baudNotFollowed, rate, lastWords(reply.text).c_str(), before));
    else
        return true;
    return false;
}

void SerialPortModel::useLocalBaud(std::uint32_t rate)
{
    s_.app.serial.baudRate = rate;
    localBaudIndex_ = baudIndex(static_cast<int>(rate));
}

void SerialPortModel::setEcho(bool on)
{
    s_.channel.sendCommand(text(on ? StringId::echoOn : StringId::echoOff));
    echoIndex_ = on ? 0 : 1;
}

StringId SerialPortModel::frontPanelCaption() const
{
    return frontPanelLocked_ ? StringId::enableFrontPanelCaption
                             : StringId::disableFrontPanelCaption;
}

bool SerialPortModel::setFrontPanelLocked(bool locked)
{
    // The device has no query for its front panel: its answer is all there is to go by.
    const Reply reply = s_.channel.sendTextAndCollect(
        text(locked ? StringId::frontPanelOffCommand : StringId::frontPanelOnCommand), false);
    if (!tookCommand(reply)) {
        s_.prompter.tell(formatString(StringId::frontPanelNotTaken, locked ? "lock" : "unlock"));
        return false;
    }
    frontPanelLocked_ = locked;
    return true;
}

void SerialPortModel::resetPanel()
{
    s_.terminal.setText({});
    takeChosenPort();
    if (s_.app.connected())
        bringUpAndKeepLine();
    else
        reopenLink();
}

void SerialPortModel::takeChosenPort()
{
    if (!chosenPort_.empty() && chosenPort_ != s_.app.portName) {
        s_.app.portName = chosenPort_;
        s_.app.closeLink();
    }
}

bool SerialPortModel::openPortAgain()
{
    s_.app.linkEstablished = false;
    s_.progress.showProgressText(text(StringId::reconnectingProgress));
    if (!s_.reopener.reopenPort(portError_))
        return false;
    portError_.clear();
    return true;
}

void SerialPortModel::waitWithoutLink()
{
    setConnectedLayout(false);
    s_.bringUp.noConnection();
}

void SerialPortModel::reopenLink()
{
    if (openPortAgain())
        bringUpAndKeepLine();
    else
        waitWithoutLink();
}

void SerialPortModel::bringUpAndKeepLine()
{
    s_.bringUp.reset(false);
    // Only a line on which the device was understood is worth the next start.
    if (!s_.app.connected() || !s_.bringUp.deviceUnderstood())
        return;
    keepChosenPort();
    keepRate();
}

std::optional<int> SerialPortModel::findRate()
{
    s_.terminal.setText({});
    takeChosenPort();
    const std::uint32_t before = s_.app.serial.baudRate;
    for (auto rate = baudRates.rbegin(); rate != baudRates.rend(); ++rate) {
        s_.progress.showProgressText(formatString(StringId::tryingRateProgress, *rate));
        useLocalBaud(static_cast<std::uint32_t>(*rate));
        if (!s_.reopener.reopenPort(portError_)) {
            useLocalBaud(before);
            waitWithoutLink();
            return std::nullopt;
        }
        // At another rate than the device's, the question reaches it as noise and is refused.
        if (answersInWords(s_.channel.sendAndCollect(StringId::baudQuery, false).text)) {
            portError_.clear();
            bringUpAndKeepLine();
            return *rate;
        }
    }
    s_.app.closeLink();
    useLocalBaud(before);
    s_.prompter.tell(formatString(StringId::rateNotFound, s_.app.portName.c_str()));
    waitWithoutLink();
    return std::nullopt;
}

void SerialPortModel::keepChosenPort()
{
    if (chosenPort_.empty() || chosenPort_ != s_.app.portName)
        return;
    Profile& profile = s_.app.profile();
    if (!writePortName(profile, chosenPort_))
        s_.prompter.tell(formatString(StringId::portNotSaved, chosenPort_.c_str(),
                                      profile.lastWriteError().c_str()));
}

bool SerialPortModel::keepRate()
{
    Profile& profile = s_.app.profile();
    const std::uint32_t rate = s_.app.serial.baudRate;
    if (readSerialSettings(profile).baudRate == rate)
        return true;
    if (profile.writeString(text(StringId::serialPortSection), "baudrate", std::to_string(rate)))
        return true;
    s_.prompter.tell(formatString(StringId::baudNotSaved, static_cast<int>(rate),
                                  profile.lastWriteError().c_str(), static_cast<int>(rate)));
    return false;
}

FactoryRestore SerialPortModel::restoreFactoryDefaults()
{
    if (s_.prompter.askDefaultNo(text(StringId::factoryDefaultsQuestion), Prompter::Icon::question,
                                 {}) != Prompter::Answer::yes)
        return FactoryRestore::declined;
    const Reply question =
        s_.channel.sendAndCollect(StringId::restoreFactoryDefaultsCommand, false);
    if (isRefusal(question.text)) {
        s_.prompter.tell(
            formatString(StringId::factoryDefaultsRefused, lastWords(question.text).c_str()));
        return FactoryRestore::refused;
    }
    s_.clock.sleepMs(confirmPauseMs);
    s_.channel.sendCommand(text(StringId::confirmRestoreCommand));
    const bool atFactoryRate = s_.app.serial.baudRate == factoryBaud;
    useLocalBaud(factoryBaud);
    showDeviceBaud(factoryBaud);
    s_.app.profile().writeString(text(StringId::serialPortSection), "baudrate",
                                 std::to_string(factoryBaud));
    s_.app.linkEstablished = false;
    emptyTimingCaches();
    // The device restarts at its factory rate: the watch listens there, or hears only noise.
    if (!atFactoryRate)
        s_.reopener.reopenPort(portError_);
    monitor_.start(s_.clock.nowMs());
    return FactoryRestore::started;
}

void SerialPortModel::emptyTimingCaches()
{
    // The device has forgotten the settings these keys copy.
    const auto empty = [this](const char* section, int count, StringId failure) {
        for (int number = 1; number <= count; ++number)
            if (!s_.app.profile().writeString(section, std::to_string(number), {}))
                s_.prompter.tell(formatString(failure, number));
    };
    empty("INPUTLIST", TimingList::inputSlots, StringId::inputCacheWriteFailed);
    empty("OUTPUTLIST", TimingList::cachedOutputSettings, StringId::outputCacheWriteFailed);
}

bool SerialPortModel::monitorTick()
{
    if (!monitor_.tick())
        return monitor_.watching();
    // The device restarted at its factory rate: the panel opens its port again and comes up.
    s_.app.closeLink();
    resetPanel();
    return false;
}

FactoryResetMonitor::Outcome SerialPortModel::waitForFactoryReset()
{
    while (monitor_.watching()) {
        s_.clock.sleepMs(msToNextMonitorBeat());
        monitorTick();
    }
    return monitor_.outcome();
}

int SerialPortModel::msToNextMonitorBeat() const { return monitor_.msToNextBeat(s_.clock.nowMs()); }

const std::string& SerialPortModel::portName() const { return s_.app.portName; }

std::string SerialPortModel::portInUse() const
{
    return s_.app.connected() ? s_.app.portName : std::string();
}

void SerialPortModel::choosePort(const std::string& port) { chosenPort_ = trim(port); }

std::string SerialPortModel::portProblem() const
{
    if (s_.app.connected())
        return {};
    if (s_.app.portName.empty())
        return text(StringId::noPortChosen);
    return portError_;
}

std::vector<std::string> SerialPortModel::machinePorts() { return SerialLink::listPorts(); }

} // namespace kivo
