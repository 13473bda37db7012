#include "cli/TimingAction.h"

#include "cli/CliSession.h"

#include "core/base/Prompter.h"
#include "core/base/Strings.h"
#include "core/base/Text.h"
#include "core/inputs/InputSettings.h"
#include "core/mirror/DeviceReplies.h"
#include "core/output/OutputSettings.h"
#include "core/timing/CurrentTimingRow.h"
#include "core/timing/TimingList.h"
#include "core/timing/TimingListLoader.h"
#include "core/timing/TimingText.h"

#include <algorithm>
#include <ostream>

namespace kivo::cli {
namespace {

// Carries the request out; the settings have told the operator why when it returns false.
bool carryOut(PanelSession& panel, const TimingRequest& request)
{
    OutputSettings& settings = panel.outputSettings();
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
    case TimingRequest::Kind::inputRecall:
        return panel.inputSettings().recall(request.window, request.setting - 1,
                                            request.withLevels);
    }
    return false;
}

std::string checkRgbWindow(const DeviceMirror& mirror, int window)
{
    const bool present =
        window <= static_cast<int>(mirror.windowCount) && mirror.window(window).present;
    if (!present)
        return "the Quadrix has no window " + std::to_string(window);
    if (mirror.window(window).inputType != InputType::rgb)
        return "window " + std::to_string(window) +
               " takes video, not RGB: it has no input settings";
    return {};
}

// Keeps back what the list loader would tell the operator: the action's own line says it.
class Unspoken final : public Prompter {
public:
    Answer ask(const std::string&, Buttons, Icon, const std::string&) override
    {
        return Answer::ok;
    }
};

// The Quadrix answered "host name", "host save" or "hdel" with its prompt, but only the list
// read back from it tells whether it holds what it was asked to. Returns an error line.
std::string confirmListChange(PanelSession& panel, const TimingRequest& request)
{
    TimingList& list = panel.state().outputList;
    const std::size_t slot = static_cast<std::size_t>(request.setting - 1);
    const std::string stored(trim(list.slots.at(slot).NAME));
    Unspoken unspoken;
    TimingListLoader(panel.channel(), panel.bringUp().listCache(), unspoken).loadOutputList(list);
    const bool read = std::any_of(list.slots.begin(), list.slots.end(),
                                  [](const TimingRecord& t) { return !t.rowText.empty(); });
    const std::string setting = "output setting " + std::to_string(request.setting);
    if (!read)
        return "the Quadrix's output settings could not be read back, so whether it changed " +
               setting + " is not known";
    const TimingRecord& now = list.slots.at(slot);
    if (request.kind == TimingRequest::Kind::remove && !now.rowText.empty())
        return "the Quadrix did not delete " + setting;
    if (request.kind == TimingRequest::Kind::save &&
        (now.rowText.empty() || trim(now.NAME) != stored))
        return "the Quadrix did not store " + setting + " as \"" + escapeBytes(stored) + "\"";
    return {};
}

// The answer to "host" or "rgb N", when it holds a timing a device can have.
std::optional<HostStatus> readTimingBack(PanelSession& panel, const std::string& query)
{
    std::optional<HostStatus> status =
        parseHostReply(panel.channel().sendTextAndCollect(query, true).text);
    if (status && !status->timing)
        status.reset();
    return status;
}

std::string unreadAnswer(const std::string& query, const std::string& whether)
{
    return "the Quadrix's answer to \"" + query + "\" could not be read, so whether " + whether +
           " is not known";
}

const char* modeName(bool freeRun) { return freeRun ? "free-run" : "autosync"; }

// The mode the page reads after a switch is kept even when the answer could not be read, and a
// silent device would leave the old timing shown: both are read once more. On success the
// mirror takes them. Returns an error line.
std::string confirmOutputMode(PanelSession& panel, bool freeRun)
{
    const std::string query(loadString(StringId::hostQuery));
    const std::optional<HostStatus> status = readTimingBack(panel, query);
    if (!status)
        return unreadAnswer(query, std::string("the output runs in ") + modeName(freeRun));
    if (status->freeRun != freeRun)
        return std::string("the Quadrix did not switch to ") + modeName(freeRun) + ": it reports " +
               modeName(status->freeRun);
    panel.mirror().outputFreeRun = status->freeRun;
    copyTimingNumbers(*status->timing, panel.mirror().outputTiming);
    return {};
}

// A recall is sent and its timing read back as from the page, but a silent or garbled answer
// would leave the old timing shown: the timing is read once more and must be the setting's.
// On success `current` takes the numbers read. Returns an error line.
std::string confirmRecalled(PanelSession& panel, const std::string& query,
                            const TimingRecord& stored, const std::string& setting,
                            TimingRecord& current)
{
    const std::optional<HostStatus> status = readTimingBack(panel, query);
    if (!status)
        return unreadAnswer(query, "it recalled " + setting);
    if (!sameTimingNumbers(*status->timing, stored))
        return "the Quadrix did not recall " + setting;
    copyTimingNumbers(*status->timing, current);
    return {};
}

std::string confirmOutputRecalled(PanelSession& panel, const TimingRequest& request)
{
    return confirmRecalled(
        panel, std::string(loadString(StringId::hostQuery)),
        panel.state().outputList.slots.at(static_cast<std::size_t>(request.setting - 1)),
        "output setting " + std::to_string(request.setting), panel.mirror().outputTiming);
}

std::string confirmInputRecalled(PanelSession& panel, const TimingRequest& request)
{
    return confirmRecalled(
        panel, formatString(StringId::windowTimingQuery, request.window),
        panel.state().inputList.slots.at(static_cast<std::size_t>(request.setting - 1)),
        "input setting " + std::to_string(request.setting) + " for window " +
            std::to_string(request.window),
        panel.mirror().window(request.window).inputTiming);
}

// Whether the Quadrix now does what was asked of it; an error line when it does not.
std::string confirmTaken(PanelSession& panel, const TimingRequest& request)
{
    switch (request.kind) {
    case TimingRequest::Kind::save:
    case TimingRequest::Kind::remove:
        return confirmListChange(panel, request);
    case TimingRequest::Kind::freeRun:
        return confirmOutputMode(panel, true);
    case TimingRequest::Kind::autosync:
        return confirmOutputMode(panel, false);
    case TimingRequest::Kind::recall:
        return confirmOutputRecalled(panel, request);
    case TimingRequest::Kind::inputRecall:
        return confirmInputRecalled(panel, request);
    }
    return {};
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
    const DeviceMirror& mirror = panel.mirror();
    if (request.kind == TimingRequest::Kind::inputRecall) {
        if (std::string error = checkRgbWindow(mirror, request.window); !error.empty()) {
            err << "kivo-cli: " << error << '\n';
            return exitUsage;
        }
    }
    session.prompter().confirmQuestions();
    if (!carryOut(panel, request))
        return exitNoReply;
    if (const std::string error = confirmTaken(panel, request); !error.empty()) {
        err << "kivo-cli: " << error << '\n';
        return exitNoReply;
    }
    if (request.kind == TimingRequest::Kind::inputRecall) {
        out << currentInputRowText(request.window, mirror.window(request.window).inputTiming)
            << '\n';
        return exitDone;
    }
    out << (mirror.outputFreeRun ? "free-run: " : "autosync: ")
        << currentOutputRowText(mirror.outputTiming) << '\n';
    return exitDone;
}

} // namespace kivo::cli
