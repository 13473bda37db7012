#include "core/config/SerialPortPage.h"

#include "core/app/Clock.h"
#include "core/app/CommandChannel.h"
#include "core/app/PanelApp.h"
#include "core/app/PortReopener.h"
#include "core/app/Profile.h"
#include "core/app/ProgressSink.h"
#include "core/app/Prompter.h"
#include "core/app/Reply.h"
#include "core/app/SerialLink.h"
#include "core/app/SerialSettings.h"
#include "core/app/TerminalModel.h"
#include "core/app/Text.h"
#include "core/mirror/BringUp.h"
#include "core/mirror/PanelSession.h"
#include "core/timing/TimingList.h"

namespace kivo {
namespace {

// The device waits this long after "restorefactorydefaults" before it takes the "yes".
constexpr int confirmPauseMs = 300;
// A device that restores its factory defaults runs at this rate.
constexpr int factoryBaud = 9600;

std::string text(StringId id) { return std::string(loadString(id)); }

} // namespace

SerialPortLayout SerialPortLayout::forConnection(bool connected)
{
    return {
        connected, !connected, connected,
        connected ? StringId::deviceParametersTitle : StringId::deviceParametersUnavailableTitle,
        connected ? StringId::localParametersFixedTitle : StringId::localParametersChangeableTitle};
}

SerialPortPage::Seams SerialPortPage::seamsOf(PanelSession& session)
{
    const PanelSeams& seams = session.seams();
    return {session.app(),  session.channel(), session.bringUp(), session.terminal(),
            seams.prompter, seams.clock,       seams.progress,    session};
}

SerialPortPage::SerialPortPage(Seams seams)
    : s_(seams), monitor_(seams.app, seams.channel, seams.prompter)
{
    const SerialSettings& local = s_.app.serial;
    localBaudIndex_ = baudIndex(static_cast<int>(local.baudRate));
    parityIndex_ = local.parity;
    if (local.byteSize == 7 || local.byteSize == 8)
        characterSizeIndex_ = local.byteSize & 1;
    stopBitsIndex_ = local.stopBits;
}

void SerialPortPage::setConnectedLayout(bool connected)
{
    layout_ = SerialPortLayout::forConnection(connected);
}

void SerialPortPage::showDeviceBaud(int rate)
{
    deviceBaudRate_ = rate;
    deviceBaudIndex_ = baudIndex(rate);
}

void SerialPortPage::showDeviceEcho(bool on) { echoIndex_ = on ? 0 : 1; }

void SerialPortPage::chooseLocalBaud(int index)
{
    if (index < 0 || index >= static_cast<int>(baudRates.size()))
        return;
    localBaudIndex_ = index;
    s_.app.serial.baudRate = static_cast<std::uint32_t>(baudRates[static_cast<std::size_t>(index)]);
}

DeviceBaudChange SerialPortPage::changeDeviceBaud(int rate)
{
    if (!isButtonRate(rate))
        return DeviceBaudChange::notOffered;
    if (rate == deviceBaudRate_)
        return DeviceBaudChange::sameRate;
    if (s_.prompter.ask(text(StringId::baudChangeQuestion), Prompter::Buttons::yesNo,
                        Prompter::Icon::question, {}) != Prompter::Answer::yes)
        return DeviceBaudChange::declined;
    s_.channel.sendCommand(formatString(StringId::baudCommand, rate));
    // The device now listens at the new rate: the old line is of no more use.
    s_.app.closeLink();
    setConnectedLayout(false);
    showDeviceBaud(rate);
    // The local buttons show the rate the port opens at next, whether or not it opens now.
    s_.app.serial.baudRate = static_cast<std::uint32_t>(rate);
    localBaudIndex_ = baudIndex(rate);
    reopenLink();
    return s_.app.connected() ? DeviceBaudChange::reconnected : DeviceBaudChange::notReconnected;
}

void SerialPortPage::setEcho(bool on)
{
    s_.channel.sendCommand(text(on ? StringId::echoOn : StringId::echoOff));
    echoIndex_ = on ? 0 : 1;
}

StringId SerialPortPage::frontPanelCaption() const
{
    return frontPanelLocked_ ? StringId::enableFrontPanelCaption
                             : StringId::disableFrontPanelCaption;
}

bool SerialPortPage::setFrontPanelLocked(bool locked)
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

void SerialPortPage::resetPanel()
{
    s_.terminal.setText({});
    if (!chosenPort_.empty() && chosenPort_ != s_.app.portName) {
        s_.app.portName = chosenPort_;
        s_.app.closeLink();
    }
    if (s_.app.connected()) {
        keepChosenPort();
        s_.bringUp.reset(false);
    } else {
        reopenLink();
    }
}

void SerialPortPage::reopenLink()
{
    s_.app.linkEstablished = false;
    s_.progress.showProgressText(text(StringId::reconnectingProgress));
    if (s_.reopener.reopenPort(portError_)) {
        portError_.clear();
        keepChosenPort();
        s_.bringUp.reset(false);
        return;
    }
    setConnectedLayout(false);
    s_.bringUp.noConnection();
}

void SerialPortPage::keepChosenPort()
{
    if (chosenPort_.empty() || chosenPort_ != s_.app.portName)
        return;
    Profile& profile = s_.app.profile();
    if (!writePortName(profile, chosenPort_))
        s_.prompter.tell(formatString(StringId::portNotSaved, chosenPort_.c_str(),
                                      profile.lastWriteError().c_str()));
}

bool SerialPortPage::restoreFactoryDefaults()
{
    if (s_.prompter.askDefaultNo(text(StringId::factoryDefaultsQuestion), Prompter::Icon::question,
                                 {}) != Prompter::Answer::yes)
        return false;
    s_.channel.sendCommand(text(StringId::restoreFactoryDefaultsCommand));
    s_.clock.sleepMs(confirmPauseMs);
    s_.channel.sendCommand(text(StringId::confirmRestoreCommand));
    s_.app.serial.baudRate = factoryBaud;
    localBaudIndex_ = baudIndex(factoryBaud);
    showDeviceBaud(factoryBaud);
    s_.app.profile().writeString(text(StringId::serialPortSection), "baudrate",
                                 std::to_string(factoryBaud));
    s_.app.linkEstablished = false;
    emptyTimingCaches();
    monitor_.start();
    return true;
}

void SerialPortPage::emptyTimingCaches()
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

bool SerialPortPage::monitorTick()
{
    if (!monitor_.tick())
        return monitor_.watching();
    // The device restarted at its factory rate: the panel opens its port again and comes up.
    s_.app.closeLink();
    resetPanel();
    return false;
}

FactoryResetMonitor::Outcome SerialPortPage::waitForFactoryReset()
{
    while (monitor_.watching()) {
        s_.clock.sleepMs(FactoryResetMonitor::periodMs);
        monitorTick();
    }
    return monitor_.outcome();
}

const std::string& SerialPortPage::portInUse() const { return s_.app.portName; }

void SerialPortPage::choosePort(const std::string& port) { chosenPort_ = trim(port); }

std::string SerialPortPage::portProblem() const
{
    if (s_.app.connected())
        return {};
    if (s_.app.portName.empty())
        return text(StringId::noPortChosen);
    return portError_;
}

std::vector<std::string> SerialPortPage::machinePorts() { return SerialLink::listPorts(); }

} // namespace kivo
