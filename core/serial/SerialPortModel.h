#pragma once

#include "core/base/Strings.h"
#include "core/serial/FactoryResetMonitor.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kivo {

class BringUp;
class Clock;
class CommandChannel;
class PanelApp;
class PanelSession;
class PortReopener;
class ProgressSink;
class Prompter;
class TerminalModel;

// Which of the page's controls work, and the titles of its two parameter groups: the local
// baud rate can change only while no device is connected, the device's settings only while
// one is.
struct SerialPortLayout {
    bool deviceSettingsEnabled = false; // the device's baud and echo buttons and their groups
    bool localBaudEnabled = true;       // the local baud buttons and their group
    bool deviceActionsEnabled = false;  // factory defaults and front panel buttons
    StringId deviceGroupTitle = StringId::deviceParametersAtCreationTitle;
    StringId localGroupTitle = StringId::localParametersChangeableTitle;

    static SerialPortLayout forConnection(bool connected);
    bool operator==(const SerialPortLayout&) const = default;
};

// What became of a click on one of the device's baud buttons.
enum class DeviceBaudChange {
    sameRate,       // the device runs at that rate already: nothing asked, nothing sent
    notOffered,     // not one of the buttons' rates: nothing sent
    declined,       // the operator answered No: nothing sent
    refused,        // the device answered "Error": the panel goes on at the old rate
    reconnected,    // the device answers at the new rate, which is saved
    notReconnected, // sent, but the port did not open again; the panel waits without a link
    notFollowed,    // the device did not answer at the new rate, or names another; the panel
                    // opens the port again at the old rate, which stays saved
    rateNotSaved,   // the device answers at the new rate, but the ini file could not keep it
};

// What became of the question to restore the factory defaults.
enum class FactoryRestore {
    declined, // the operator answered No: nothing sent
    refused,  // the device answered "Error": nothing else is sent or changed
    started,  // the device was told, and the monitor watches it
};

// The Serial Port and Resets page without its widgets: the local serial parameters and the
// device's, the panel reset, the device's baud rate with the panel following it, echo, the
// front panel lock, the restoration of factory defaults and its monitor, and the choice of
// the port. Every action runs headless; questions go through the Prompter.
class SerialPortModel {
public:
    struct Seams {
        PanelApp& app;
        CommandChannel& channel;
        BringUp& bringUp;
        TerminalModel& terminal;
        Prompter& prompter;
        Clock& clock;
        ProgressSink& progress;
        PortReopener& reopener;
    };
    // The seams of a whole panel, which reopens its own port.
    static Seams seamsOf(PanelSession& session);

    // Shows the local parameters as the panel read them at start.
    explicit SerialPortModel(Seams seams);

    // The selected buttons; -1 until something is known.
    int localBaudIndex() const { return localBaudIndex_; }
    int deviceBaudIndex() const { return deviceBaudIndex_; }
    int echoIndex() const { return echoIndex_; } // 0 on, 1 off
    int parityIndex() const { return parityIndex_; }
    int stopBitsIndex() const { return stopBitsIndex_; }
    int characterSizeIndex() const { return characterSizeIndex_; } // 0 eight bits, 1 seven
    int deviceBaudRate() const { return deviceBaudRate_; }
    const SerialPortLayout& layout() const { return layout_; }

    void setConnectedLayout(bool connected);
    // What the bring-up read from the device.
    void showDeviceBaud(int rate);
    void showDeviceEcho(bool on);

    // The rate of the next opening of the port; nothing is sent.
    void chooseLocalBaud(int index);
    DeviceBaudChange changeDeviceBaud(int rate);
    void setEcho(bool on);

    // The caption of the front panel button is the only record of the lock.
    bool frontPanelLocked() const { return frontPanelLocked_; }
    StringId frontPanelCaption() const;
    // False, the operator told, when the device refused the change or did not answer it: the
    // caption then stays as it was.
    bool setFrontPanelLocked(bool locked);
    bool toggleFrontPanel() { return setFrontPanelLocked(!frontPanelLocked_); }

    // Reset Kivo: a fresh bring-up on the open port, or the port opened again (on the port
    // the operator chose, with the local parameters as they are now).
    void resetPanel();

    FactoryRestore restoreFactoryDefaults();
    const FactoryResetMonitor& monitor() const { return monitor_; }
    // One beat of the monitor's timer; false when the timer is to stop. The beat that ends
    // the watch resets the panel.
    bool monitorTick();
    // When the monitor's next beat is due, from now.
    int msToNextMonitorBeat() const;
    // For a front end without a timer: beats on the clock until the watch is over.
    FactoryResetMonitor::Outcome waitForFactoryReset();

    // Find the rate: opens the port (the one the operator chose) at each rate, fastest first,
    // asks the device's rate once, and brings the panel up at the first rate answered in
    // words. Returns that rate; without one the panel waits without a link at the old rate.
    std::optional<int> findRate();

    // The port chooser. The operator's choice is used at the next Reset Kivo and kept in the
    // ini file once the panel has come up on it.
    const std::string& portName() const;
    // The port open now; empty when none is.
    std::string portInUse() const;
    void choosePort(const std::string& port);
    // Why the panel has no port open: empty when it has one, or has not tried yet.
    std::string portProblem() const;
    // Told why the port did not open at start-up.
    void portOpenFailed(std::string error) { portError_ = std::move(error); }
    // The machine's serial ports, stable names first.
    static std::vector<std::string> machinePorts();

private:
    void takeChosenPort();
    void useLocalBaud(std::uint32_t rate);
    bool openPortAgain();
    void waitWithoutLink();
    void reopenLink();
    void bringUpAndKeepLine();
    bool deviceConfirmsRate(int rate, std::uint32_t before);
    void keepChosenPort();
    bool keepRate();
    void emptyTimingCaches();

    Seams s_;
    int localBaudIndex_ = -1;
    int deviceBaudIndex_ = -1;
    int echoIndex_ = -1;
    int parityIndex_ = -1;
    int stopBitsIndex_ = -1;
    int characterSizeIndex_ = -1;
    int deviceBaudRate_ = 0;
    SerialPortLayout layout_;
    bool frontPanelLocked_ = false;
    FactoryResetMonitor monitor_;
    std::string chosenPort_;
    std::string portError_;
};

} // namespace kivo
