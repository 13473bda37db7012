#pragma once

#include "core/link/Link.h"
#include "core/link/RawLinkLog.h"
#include "core/link/SerialSettings.h"
#include "core/link/TrafficTrace.h"

#include <memory>
#include <string>

namespace kivo {

class Profile;
class LinkOpener;

// What lives as long as the process: the saved serial parameters and the open link, the raw
// link log and the phase flags every page consults. The front end creates exactly one and
// hands out references.
class PanelApp {
public:
    explicit PanelApp(Profile& profile);

    // Reads the saved serial parameters; the raw link log goes to `logPath` once a port opens.
    void startUp(const std::string& logPath = RawLinkLog::fileName);

    // Opens `portName` with the serial parameters. On failure `error` says why and the panel
    // stays unconnected.
    bool openLink(const LinkOpener& opener, std::string& error);

    // Closes the log; when connected, takes the device out of a state the panel left it
    // waiting in (an adjustment that takes single keys, an output waiting for its lock), gives
    // it its echo back, saves the serial parameters and closes the link. Safe to call more
    // than once, and from anywhere: the exchange under way is abandoned, not finished.
    void shutdown();

    // Closes the link without a word to the device and without saving anything: for a port
    // on which nothing answered.
    void closeLink();

    bool connected() const { return serialHandle != nullptr; }
    bool logOpen() const { return logFile.isOpen(); }
    Profile& profile() { return profile_; }

    bool idle = false;
    bool linkEstablished = false;
    bool interactiveMode = false;
    bool progressStepping = false;
    int progressCounter = 10;
    // Ticks a read adds to the counter while stepping: fewer windows, more ticks per read, so
    // the bar fills in about the same time. Set by the bring-up from the window count.
    int progressStep = 3;
    static int progressStepFor(unsigned windowCount)
    {
        return 3 - static_cast<int>(windowCount / 4);
    }
    // Past this the bar is full and reads no longer step it.
    int progressCounterLimit() const { return 100 - progressStep; }
    bool restoreEchoOnExit = true;
    // While the device waits in a state the panel must take back if it ends now (autosync
    // before its lock), the command that takes it back.
    std::string giveUpCommand;
    int failedReads = 0;
    int topWindow = 1;
    int currentWindow = 0;
    bool timingDialogIsOutput = true;
    bool timingEdited = false;
    bool maximisedFlag = false;

    SerialSettings serial;
    std::string portName;

    std::unique_ptr<Link> serialHandle;
    RawLinkLog logFile;
    // Every byte both ways, while the operator has it on; it follows the link across reopens.
    TrafficTrace trace;

private:
    Profile& profile_;
    std::string logPath_ = RawLinkLog::fileName;
    // The log records the first exchange only: it is opened at the first port that opens.
    bool logPending_ = true;
};

} // namespace kivo
