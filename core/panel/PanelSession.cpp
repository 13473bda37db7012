#include "core/panel/PanelSession.h"

namespace kivo {

PanelSession::PanelSession(const SessionOptions& options, PanelSeams seams)
    : seams_(seams), profile_(options.iniPath), app_(profile_),
      channel_(app_, {seams.clock, seams.keys, seams.prompter, seams.processExit, seams.busy}),
      console_(terminal_, channel_, app_, seams.prompter),
      numericEntry_(app_, channel_, seams.prompter),
      bringUp_({app_, channel_, state_, seams.clock, seams.prompter, seams.pages, seams.progress}),
      outputSettings_({channel_, seams.prompter, seams.clock, bringUp_}, state_.outputList,
                      bringUp_.listCache(), state_.mirror.outputTiming,
                      state_.mirror.outputFreeRun),
      inputWindows_(state_.mirror, bringUp_.readback()),
      inputSettings_({channel_, seams.prompter, seams.clock, inputWindows_}, state_.inputList,
                     bringUp_.listCache())
{
    if (options.port)
        app_.portName = *options.port;
    app_.startUp(options.logPath);
    channel_.setTerminal(&terminal_);
    channel_.setProgress(&seams.progress);
}

PanelSession::~PanelSession() { app_.shutdown(); }

bool PanelSession::openLink(const LinkOpener& opener, std::string& error)
{
    opener_ = opener;
    return app_.openLink(opener_, error);
}

bool PanelSession::reopenPort(std::string& error) { return app_.openLink(opener_, error); }

} // namespace kivo
