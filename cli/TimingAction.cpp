#include "cli/TimingAction.h"

#include "cli/CliSession.h"

#include "core/timing/CurrentTimingRow.h"
#include "core/timing/OutputSettings.h"
#include "core/timing/TimingList.h"

#include <ostream>

namespace kivo::cli {
namespace {

// Carries the request out; the settings have told the operator why when it returns false.
bool carryOut(OutputSettings& settings, const TimingRequest& request)
{
    switch (request.kind) {
    case TimingRequest::Kind::recall:
        return settings.recall(request.setting - 1);
    case TimingRequest::Kind::save:
        return settings.add(std::to_string(request.setting), request.name);
    case TimingRequest::Kind::remove:
        return settings.remove(request.setting - 1);
    case TimingRequest::Kind::freeRun:
        settings.switchToFreeRun();
        return true;
    case TimingRequest::Kind::autosync:
        return settings.switchToAutosync() != OutputSettings::AutosyncOutcome::noReference;
    }
    return false;
}

} // namespace

int runTimingAction(CliSession& session, const TimingRequest& request, std::ostream& out,
                    std::ostream& err)
{
    PanelSession& panel = session.panel();
    const TimingList& list = panel.state().outputList;
    if (request.kind == TimingRequest::Kind::recall && request.setting > list.count) {
        err << "kivo-cli: the Quadrix has " << list.count << " output settings, not "
            << request.setting << '\n';
        return exitUsage;
    }
    session.prompter().confirmQuestions();
    if (!carryOut(panel.outputSettings(), request))
        return exitNoReply;
    const DeviceMirror& mirror = panel.mirror();
    out << (mirror.outputFreeRun ? "free-run: " : "autosync: ")
        << currentOutputRowText(mirror.outputTiming) << '\n';
    return exitDone;
}

} // namespace kivo::cli
