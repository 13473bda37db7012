#include "core/link/PanelApp.h"

#include "core/base/Strings.h"
#include "core/link/LinkOpener.h"
#include "core/link/TracingLink.h"
#include "core/settings/Profile.h"

#include <utility>

namespace kivo {

PanelApp::PanelApp(Profile& profile) : profile_(profile) {}

void PanelApp::startUp(const std::string& logPath)
{
    serial = readSerialSettings(profile_);
    if (portName.empty())
        portName = readPortName(profile_);
    logPath_ = logPath;
}

bool PanelApp::openLink(const LinkOpener& opener, std::string& error)
{
    closeLink();
    LinkOpener::Result opened = opener.open(portName, serial);
    error = opened.error;
    if (opened.link) {
        // The log of an earlier run is kept until a port opens and there is something to log.
        if (std::exchange(logPending_, false))
            logFile.open(logPath_);
        trace.portOpened();
        serialHandle = std::make_unique<TracingLink>(std::move(opened.link), trace);
    }
    return connected();
}

void PanelApp::shutdown()
{
    logFile.close();
    // The program may end in the middle of a start-up that holds its writes.
    profile_.flush();
    if (!connected())
        return;
    // In interactive adjustment each byte is a key: the device must leave it before a line
    // can reach it.
    if (std::exchange(interactiveMode, false))
        serialHandle->write(std::string(loadString(StringId::adjustQuit)));
    if (!giveUpCommand.empty())
        serialHandle->write(std::exchange(giveUpCommand, {}) + "\n");
    if (restoreEchoOnExit)
        serialHandle->write(std::string(loadString(StringId::echoOn)) + "\n");
    writeSerialSettings(profile_, serial);
    closeLink();
}

void PanelApp::closeLink()
{
    if (serialHandle)
        serialHandle->close();
    serialHandle.reset();
    // A closed link cannot be lost: reads after this are not the device falling silent.
    linkEstablished = false;
}

} // namespace kivo
