#include "cli/PresentationAction.h"

#include "cli/Operands.h"

#include "cli/ActionTable.h"
#include "cli/CliArguments.h"
#include "cli/CliSession.h"
#include "cli/PresentationReport.h"
#include "cli/StopSignal.h"

#include "core/base/Clock.h"
#include "core/base/ProgressSink.h"
#include "core/presentations/CommandScript.h"
#include "core/presentations/Player.h"
#include "core/presentations/PresentationStore.h"
#include "core/presentations/ShotDisplay.h"
#include "core/screen/VirtualScreen.h"

#include <filesystem>
#include <ostream>

namespace kivo::cli {
namespace {

// The page's player timer.
constexpr int tickMs = 100;

// Loads the store without showing progress: there is no bring-up to show it beside. Says
// once what the file holds that the store leaves out.
void load(PresentationStore& store, std::ostream& err)
{
    ProgressSink silent;
    int progressCounter = 0;
    store.load(silent, progressCounter);
    if (const std::string note = store.ignoredNote(); !note.empty())
        err << "kivo-cli: " << note << '\n';
}

std::string storedNames(const PresentationStore& store)
{
    std::string names;
    for (int row = 0; row < store.count(); ++row)
        names += (row == 0 ? "" : ", ") + quoted(store.at(row).name);
    return names.empty() ? "none" : names;
}

// The row of the presentation named `name`; -1 with `error` saying why there is none.
int findPresentation(const PresentationStore& store, const Profile& profile,
                     const std::string& name, std::string& error)
{
    for (int row = 0; row < store.count(); ++row)
        if (store.at(row).name == name)
            return row;
    error = profile.loadError().empty()
                ? "there is no presentation " + quoted(name) + " in " + profile.path().string() +
                      "; it has " + storedNames(store)
                : profile.loadError() + ", so it has no presentation " + quoted(name);
    return -1;
}

// Where export writes: --output, or the file the page would name.
std::optional<std::filesystem::path> scriptPath(const PresentationRequest& request)
{
    if (request.output)
        return std::filesystem::path(*request.output);
    if (const std::optional<std::string> name = scriptFileName(request.name))
        return std::filesystem::path(*name);
    return std::nullopt;
}

// Why the script cannot be written where the request puts it, or empty. Folders are not
// made: a mistyped one would hide the script where nobody looks.
std::string checkScriptPath(const PresentationRequest& request)
{
    const std::optional<std::filesystem::path> path = scriptPath(request);
    if (!path)
        return "the name " + quoted(request.name) +
               " leaves no file name: give one with --output FILE";
    std::error_code ec;
    if (path->has_parent_path() && !std::filesystem::is_directory(path->parent_path(), ec))
        return "--output " + quoted(path->string()) + ": there is no folder " +
               quoted(path->parent_path().string()) + " (kivo-cli makes none)";
    return {};
}

// Why the request cannot be carried out on the presentation in `row`, or empty.
std::string checkRequest(const PresentationStore& store, int row, const CliArguments& arguments)
{
    const PresentationRequest& request = arguments.presentation;
    if (arguments.action == "export")
        return checkScriptPath(request);
    const int shots = store.shotCount(row);
    if (shots < 2)
        return "presentation " + quoted(request.name) + " has " + std::to_string(shots) +
               (shots == 1 ? " shot" : " shots") + ": a presentation needs two shots to be played";
    if (request.fromShot > shots)
        return "--from " + std::to_string(request.fromShot) + ": presentation " +
               quoted(request.name) + " has only " + std::to_string(shots) + " shots";
    return {};
}

int exportScript(PanelSession& panel, const Presentation& presentation,
                 const PresentationRequest& request, std::ostream& out, std::ostream& err)
{
    const std::filesystem::path path = *scriptPath(request);
    if (const std::string error =
            writeCommandScript(path, commandScript(presentation, panel.mirror()));
        !error.empty()) {
        err << "kivo-cli: " << error << '\n';
        return exitNoReply;
    }
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    out << (ec ? path : absolute).string() << '\n';
    return exitDone;
}

// One line for the shot just sent, saying what the device did not take. Returns whether it
// took the shot.
bool reportShot(const PresentationStore& store, const ShotDisplay& display, std::ostream& err)
{
    const int row = store.currentPresentation;
    const Shot& shot = store.shot(row, store.currentShot);
    err << "shot " << store.currentShot + 1 << " of " << store.shotCount(row) << ": "
        << quoted(shot.name) << ", " << shot.msecs << " ms";
    const std::string problem = display.deliveryProblem();
    if (!problem.empty())
        err << ": not taken: " << problem;
    err << std::endl;
    return problem.empty();
}

// Ticks the player as the page's timer does until the run ends: a run without Loop once its
// last shot has been held for its time, any run when a signal asks it to stop, a strict run
// at the first shot the device did not take. Returns the exit status.
int tickUntilDone(Player& player, const ShotDisplay& display, PresentationStore& store,
                  Clock& clock, bool strict, std::ostream& err)
{
    std::int64_t shownAt = clock.nowMs();
    player.play();
    int notTaken = reportShot(store, display, err) ? 0 : 1;
    int shown = store.currentShot;
    while (stopSignal() == 0 && !(strict && notTaken > 0)) {
        const int holdMs = store.shot(store.currentPresentation, shown).msecs;
        if (!player.playing() && clock.nowMs() - shownAt > holdMs)
            break;
        clock.sleepMs(tickMs);
        const std::int64_t tickAt = clock.nowMs();
        player.tick();
        if (store.currentShot != shown) {
            shown = store.currentShot;
            shownAt = tickAt;
            notTaken += reportShot(store, display, err) ? 0 : 1;
        }
    }
    // The shell's way of saying which signal ended the run.
    if (stopSignal() != 0)
        return 128 + stopSignal();
    if (notTaken > 0)
        err << "kivo-cli: the Quadrix did not take " << notTaken
            << (notTaken == 1 ? " shot" : " shots") << (strict ? " (--strict ends the run)" : "")
            << '\n';
    return notTaken == 0 ? exitDone : exitNoReply;
}

int play(PanelSession& panel, PresentationStore& store, int row, const PresentationRequest& request,
         std::ostream& err)
{
    const PanelSeams& seams = panel.seams();
    store.currentPresentation = row;
    store.currentShot = request.fromShot - 1;
    store.setLoopUnsaved(request.loop);
    VirtualScreen screen(panel);
    ShotDisplay display({panel.app(), panel.channel(), panel.state(), seams.prompter, seams.keys},
                        screen, seams.clock);
    Player player(store, display, seams.clock, seams.prompter);
    return tickUntilDone(player, display, store, seams.clock, request.strict, err);
}

} // namespace

int listPresentations(const CliArguments& arguments, std::ostream& out, std::ostream& err)
{
    Profile profile(arguments.options.iniPath());
    if (!profile.loadError().empty()) {
        err << "kivo-cli: " << profile.loadError() << '\n';
        return exitUsage;
    }
    PresentationStore store(profile);
    load(store, err);
    out << (arguments.json ? formatPresentationsJson(store)
                           : formatPresentationsText(store, profile.path().string()));
    return exitDone;
}

int runPresentationAction(CliSession& session, const CliArguments& arguments, std::ostream& out,
                          std::ostream& err)
{
    PanelSession& panel = session.panel();
    PresentationStore store(panel.profile());
    load(store, err);
    std::string error;
    const int row = findPresentation(store, panel.profile(), arguments.presentation.name, error);
    if (row >= 0)
        error = checkRequest(store, row, arguments);
    if (!error.empty()) {
        err << "kivo-cli: " << error << '\n';
        return exitUsage;
    }
    if (const ExitStatus status = startPanel(session, StartUp::bringUp); status != exitDone)
        return status;
    if (arguments.action == "export")
        return exportScript(panel, store.at(row), arguments.presentation, out, err);
    return play(panel, store, row, arguments.presentation, err);
}

} // namespace kivo::cli
