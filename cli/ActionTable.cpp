#include "cli/ActionTable.h"

#include "cli/ChromaKeyAction.h"
#include "cli/CliArguments.h"
#include "cli/ConsoleActions.h"
#include "cli/ImageAction.h"
#include "cli/PresentationAction.h"
#include "cli/ScreenAction.h"
#include "cli/SerialAction.h"
#include "cli/TimingAction.h"

#include <algorithm>
#include <ostream>

namespace kivo::cli {
namespace {

using Operands = std::vector<std::string>;

// The column where --help starts what a form does.
constexpr std::size_t summaryColumn = 20;

// Each family of actions reads its operands into its own part of the arguments and runs with it.

std::string parseSend(const std::string&, const Operands& operands, CliArguments& arguments)
{
    return parseSendOperands(operands, arguments);
}

int runSend(ActionContext& c) { return sendCommands(*c.session, c.arguments, c.out, c.err); }

int runStatus(ActionContext& c) { return reportStatus(*c.session, c.arguments, c.out); }

int runPorts(ActionContext& c) { return listPorts(c.out); }

std::string parseScreen(const std::string& action, const Operands& operands,
                        CliArguments& arguments)
{
    return parseScreenRequest(action, operands, arguments.screen);
}

int runScreen(ActionContext& c)
{
    return runScreenAction(*c.session, c.arguments.action, c.arguments.screen, c.out, c.err);
}

int runPresentations(ActionContext& c) { return listPresentations(c.arguments, c.out, c.err); }

std::string parsePresentation(const std::string& action, const Operands& operands,
                              CliArguments& arguments)
{
    return parsePresentationRequest(action, operands, arguments.presentation);
}

int runPresentation(ActionContext& c)
{
    return runPresentationAction(*c.session, c.arguments, c.out, c.err);
}

std::string parseTiming(const std::string& action, const Operands& operands,
                        CliArguments& arguments)
{
    return parseTimingRequest(action, operands, arguments.timing);
}

int runTiming(ActionContext& c)
{
    return runTimingAction(*c.session, c.arguments.timing, c.out, c.err);
}

std::string parseChromaKey(const std::string&, const Operands& operands, CliArguments& arguments)
{
    return parseChromaKeyRequest(operands, arguments.chromaKey);
}

int runChromaKey(ActionContext& c)
{
    return runChromaKeyAction(*c.session, c.arguments.chromaKey, c.out);
}

std::string parseImage(const std::string& action, const Operands& operands, CliArguments& arguments)
{
    return parseImageRequest(action, operands, arguments.image);
}

int runImage(ActionContext& c)
{
    return runImageAction(*c.session, c.arguments.image, c.out, c.err);
}

std::string parseSerial(const std::string& action, const Operands& operands,
                        CliArguments& arguments)
{
    return parseSerialRequest(action, operands, arguments.serial);
}

int runSerial(ActionContext& c)
{
    return runSerialAction(*c.session, c.arguments.action, c.arguments.serial, c.out, c.err);
}

int runFindRate(ActionContext& c) { return findRate(*c.session, c.out, c.err); }

// The forms' lines are broken where --help breaks them; a note is a paragraph of its own.
const std::vector<Action> table{
    {.name = "send",
     .forms = {{"send [--raw] COMMAND...",
                "send each command to the Quadrix and print its answer;\n"
                "--raw prints the reply whole, echo and prompt included"}},
     .startUp = StartUp::port,
     .ownsEveryWord = true,
     .parseOperands = parseSend,
     .run = runSend},
    {.name = "status",
     .forms = {{"status [--json]",
                "walk the Quadrix through the start-up queries and print what it has"}},
     .takesJson = true,
     .run = runStatus},
    {.name = "ports",
     .forms = {{"ports", "list this machine's serial ports, stable names first"}},
     .startUp = StartUp::none,
     .run = runPorts},
    {.name = "arrange",
     .forms = {{"arrange grid|centre|top-left|top-right|bottom-right|bottom-left",
                "lay the windows that are on out as the Arrange buttons do"},
               {"arrange user N", "recall user arrangement N (1 to 4) stored in the ini file"}},
     .notes = "arrange, place and windows start as status does, read the new layout back from\n"
              "the Quadrix, then print one line per window that is on, in output pixels:\n"
              "  window N: LEFT TOP WIDTH HEIGHT\n"
              "place also prints the window it placed while off, ending its line with \"(off)\".",
     .parseOperands = parseScreen,
     .run = runScreen},
    {.name = "place",
     .forms = {{"place N LEFT TOP WIDTH HEIGHT",
                "put window N at this rectangle of the output, in pixels"}},
     .parseOperands = parseScreen,
     .run = runScreen},
    {.name = "windows",
     .forms = {{"windows on|off N...", "switch windows on or off, as their check boxes do"}},
     .parseOperands = parseScreen,
     .run = runScreen},
    {.name = "presentations",
     .forms = {{"presentations [--json]",
                "list the presentations stored in the ini file with their shots;\n"
                "opens no port"}},
     .startUp = StartUp::none,
     .takesJson = true,
     .run = runPresentations},
    {.name = "export",
     .forms = {{"export NAME [--output FILE]",
                "write presentation NAME as a Quadrix command script, by\n"
                "default to NAME.txt in the working directory"}},
     .notes = "export and play start as status does; export prints the path of the script it\n"
              "wrote, play one line per shot on stderr as it is shown. Ctrl-C (or SIGTERM)\n"
              "stops play once the shot on its way is sent, and the panel shuts down in order.",
     .startUp = StartUp::bringUpAfterChecks,
     .parseOperands = parsePresentation,
     .run = runPresentation},
    {.name = "play",
     .forms = {{"play NAME [--loop] [--from SHOT]",
                "play presentation NAME on the Quadrix from shot SHOT (1),\n"
                "each shot held for its time; without --loop it ends once the\n"
                "last shot has been held, with --loop it runs until Ctrl-C"}},
     .startUp = StartUp::bringUpAfterChecks,
     .parseOperands = parsePresentation,
     .run = runPresentation},
    {.name = "output",
     .forms = {{"output recall N", "give the output stored setting N (1 to 27)"},
               {"output save N NAME", "store the output timing as user setting N (1 to 10) named\n"
                                      "NAME (up to 17 characters), over one stored there"},
               {"output delete N", "delete user setting N (1 to 10)"},
               {"output mode free|auto",
                "switch the output to free-run, or to autosync and wait up to\n"
                "15 s for it to lock on the reference (else back to free-run)"}},
     .notes = "output and input start as status does. output answers the Quadrix Output\n"
              "page's questions (overwrite, delete, change of mode) with yes: the command is\n"
              "the answer. output save and delete read the list back to check the Quadrix\n"
              "took them. output prints the output mode and the output timing the Quadrix\n"
              "then reports, input the window's input timing. chromakey prints the mode and\n"
              "the six limits in mV (red, green, blue; minimum then maximum).",
     .parseOperands = parseTiming,
     .run = runTiming},
    {.name = "input",
     .forms = {{"input recall WINDOW N [--with-levels]",
                "give RGB window WINDOW stored input setting N (1 to 50), and\n"
                "with --with-levels the picture levels stored with it"}},
     .parseOperands = parseTiming,
     .run = runTiming},
    {.name = "chromakey",
     .forms = {{"chromakey on|off", "chroma key mode, or insert mode"},
               {"chromakey white|cyan|magenta|yellow|red|green|blue|black",
                "set the six chroma key limits to a colour preset"}},
     .parseOperands = parseChromaKey,
     .run = runChromaKey},
    {.name = "source",
     .forms = {{"source WINDOW LEFT TOP WIDTH HEIGHT",
                "show this part of window WINDOW's input picture, in input\n"
                "pixels, as the Source Rectangle box does (cut at the input's\n"
                "edges)"}},
     .notes = "source and level start as status does, read the window's source or levels back\n"
              "from the Quadrix and print what it holds: \"window N source: L T W H\" or\n"
              "\"window N LEVEL: VALUE\". hue applies to video windows up to 640 wide only,\n"
              "saturation to video windows only.",
     .parseOperands = parseImage,
     .run = runImage},
    {.name = "level",
     .forms = {{"level WINDOW brightness|contrast|saturation|hue|gamma VALUE",
                "set a picture level of window WINDOW as its Image Controls\n"
                "edit does (brightness -500..500, contrast 0..182 or 88..118\n"
                "for RGB, saturation 0..199, hue -180..180, gamma 0.5..2.0)"}},
     .parseOperands = parseImage,
     .run = runImage},
    {.name = "baud",
     .forms = {{"baud N", "change the Quadrix's rate to N (1200, 2400, 4800, 9600,\n"
                          "19200, 38400, 57600 or 115200) and follow it: the port is\n"
                          "opened again at N, the panel comes up there, and N is saved\n"
                          "in the ini file"}},
     .notes = "baud, factory-reset and frontpanel start as status does and use the Serial Port\n"
              "page's own code; its questions count as answered yes. baud exits 1 when the\n"
              "Quadrix refuses the rate, is not found at it or does not report it, or when\n"
              "the ini file cannot keep it (the old rate stays saved otherwise); factory-reset\n"
              "when the Quadrix refuses (nothing is changed) or never said it had restarted\n"
              "(the panel still comes up again at 9600 baud). find-rate opens the port without\n"
              "a bring-up at the saved rate, and exits 1 when no rate is answered in words.",
     .parseOperands = parseSerial,
     .run = runSerial},
    {.name = "factory-reset",
     .forms = {{"factory-reset --yes",
                "restore the Quadrix's factory defaults (every user setting\n"
                "is erased), watch it for up to 37 s until it restarts, then\n"
                "come up again at 9600 baud, saved in the ini file"}},
     .parseOperands = parseSerial,
     .run = runSerial},
    {.name = "frontpanel",
     .forms = {{"frontpanel lock|unlock", "lock or unlock the Quadrix's front panel"}},
     .parseOperands = parseSerial,
     .run = runSerial},
    // The saved rate may be what is wrong: the search starts without a bring-up.
    {.name = "find-rate",
     .forms = {{"find-rate", "find the rate the Quadrix runs at: try the eight rates,\n"
                             "fastest first, with one \"baud\" query each, come up at the\n"
                             "first one answered in words, save it and print it"}},
     .startUp = StartUp::port,
     .parseOperands = parseSerial,
     .run = runFindRate},
};

// Indents every line after the first to the summary column.
std::string indented(std::string_view text)
{
    std::string lines;
    for (const char c : text) {
        lines += c;
        if (c == '\n')
            lines.append(summaryColumn, ' ');
    }
    return lines;
}

// "a, b or c", or "a and b" with `last` "and".
std::string listOf(const std::vector<std::string_view>& names, std::string_view last)
{
    std::string list;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            list += i + 1 == names.size() ? " " + std::string(last) + " " : ", ";
        list += names[i];
    }
    return list;
}

std::vector<std::string_view> namesWhere(bool (*wanted)(const Action&))
{
    std::vector<std::string_view> names;
    for (const Action& action : table)
        if (wanted(action))
            names.push_back(action.name);
    return names;
}

} // namespace

std::span<const Action> actions() { return table; }

const Action* findAction(std::string_view name)
{
    const auto found = std::find_if(table.begin(), table.end(),
                                    [name](const Action& action) { return action.name == name; });
    return found == table.end() ? nullptr : &*found;
}

std::string actionsUsage()
{
    // A usage short enough leaves two blanks before its summary; a longer one has it below.
    const std::size_t shortUsage = summaryColumn - 4;
    std::string usage = "Actions:\n";
    std::string notes;
    for (const Action& action : table) {
        for (const ActionForm& form : action.forms) {
            usage += "  " + std::string(form.usage);
            if (form.usage.size() <= shortUsage)
                usage.append(summaryColumn - 2 - form.usage.size(), ' ');
            else
                usage += '\n' + std::string(summaryColumn, ' ');
            usage += indented(form.summary) + '\n';
        }
        if (!action.notes.empty())
            notes += '\n' + std::string(action.notes) + '\n';
    }
    return usage + notes;
}

std::string noActionError()
{
    return "no action given: use " + listOf(namesWhere([](const Action&) { return true; }), "or") +
           " (see --help)";
}

std::string jsonError()
{
    return "--json goes with " +
           listOf(namesWhere([](const Action& a) { return a.takesJson; }), "and") + " only";
}

ExitStatus startPanel(CliSession& session, StartUp startUp)
{
    if (!session.open())
        return exitUsage;
    return startUp == StartUp::port ? exitDone : session.bringUp();
}

int runAction(const Action& action, const CliArguments& arguments, std::ostream& out,
              std::ostream& err)
{
    if (action.startUp == StartUp::none) {
        ActionContext context{arguments, nullptr, out, err};
        return action.run(context);
    }
    CliSession session(arguments);
    if (action.startUp != StartUp::bringUpAfterChecks)
        if (const ExitStatus status = startPanel(session, action.startUp); status != exitDone)
            return status;
    ActionContext context{arguments, &session, out, err};
    return action.run(context);
}

} // namespace kivo::cli
