#include "cli/CliArguments.h"

#include <algorithm>
#include <array>

namespace kivo::cli {

std::string usageText()
{
    return std::string(
               "Usage: kivo-cli [--port PORT] [--ini FILE] ACTION\n"
               "\n"
               "Actions:\n"
               "  send [--raw] COMMAND...\n"
               "                    send each command to the Quadrix and print its answer;\n"
               "                    --raw prints the reply whole, echo and prompt included\n"
               "  status [--json]   walk the Quadrix through the start-up queries and "
               "print what it has\n"
               "  ports             list this machine's serial ports, stable names first\n"
               "  arrange grid|centre|top-left|top-right|bottom-right|bottom-left\n"
               "                    lay the windows that are on out as the Arrange buttons do\n"
               "  arrange user N    recall user arrangement N (1 to 4) stored in the ini file\n"
               "  place N LEFT TOP WIDTH HEIGHT\n"
               "                    put window N at this rectangle of the output, in pixels\n"
               "  windows on|off N...\n"
               "                    switch windows on or off, as their check boxes do\n"
               "  presentations [--json]\n"
               "                    list the presentations stored in the ini file with their "
               "shots;\n"
               "                    opens no port\n"
               "  export NAME [--output FILE]\n"
               "                    write presentation NAME as a Quadrix command script, by\n"
               "                    default to NAME.txt in the working directory\n"
               "  play NAME [--loop] [--from SHOT]\n"
               "                    play presentation NAME on the Quadrix from shot SHOT (1),\n"
               "                    each shot held for its time; without --loop it ends once "
               "the\n"
               "                    last shot has been held, with --loop it runs until Ctrl-C\n"
               "  output recall N   give the output stored setting N (1 to 27)\n"
               "  output save N NAME\n"
               "                    store the output timing as user setting N (1 to 10) named\n"
               "                    NAME (up to 17 characters), over one stored there\n"
               "  output delete N   delete user setting N (1 to 10)\n"
               "  output mode free|auto\n"
               "                    switch the output to free-run, or to autosync and wait up to\n"
               "                    15 s for it to lock on the reference (else back to free-run)\n"
               "  input recall WINDOW N [--with-levels]\n"
               "                    give RGB window WINDOW stored input setting N (1 to 50), and\n"
               "                    with --with-levels the picture levels stored with it\n"
               "  chromakey on|off  chroma key mode, or insert mode\n"
               "  chromakey white|cyan|magenta|yellow|red|green|blue|black\n"
               "                    set the six chroma key limits to a colour preset\n"
               "  source WINDOW LEFT TOP WIDTH HEIGHT\n"
               "                    show this part of window WINDOW's input picture, in input\n"
               "                    pixels, as the Source Rectangle box does (cut at the input's\n"
               "                    edges)\n"
               "  level WINDOW brightness|contrast|saturation|hue|gamma VALUE\n"
               "                    set a picture level of window WINDOW as its Image Controls\n"
               "                    edit does (brightness -500..500, contrast 0..182 or 88..118\n"
               "                    for RGB, saturation 0..199, hue -180..180, gamma 0.5..2.0)\n"
               "  baud N            change the Quadrix's rate to N (1200, 2400, 4800, 9600,\n"
               "                    19200, 38400, 57600 or 115200) and follow it: the port is\n"
               "                    opened again at N, the panel comes up there, and N is saved\n"
               "                    in the ini file\n"
               "  factory-reset --yes\n"
               "                    restore the Quadrix's factory defaults (every user setting\n"
               "                    is erased), watch it for up to 37 s until it restarts, then\n"
               "                    come up again at 9600 baud, saved in the ini file\n"
               "  frontpanel lock|unlock\n"
               "                    lock or unlock the Quadrix's front panel\n"
               "  find-rate         find the rate the Quadrix runs at: try the eight rates,\n"
               "                    fastest first, with one \"baud\" query each, come up at the\n"
               "                    first one answered in words, save it and print it\n"
               "\n"
               "arrange, place and windows start as status does, read the new layout back from\n"
               "the Quadrix, then print one line per window that is on, in output pixels:\n"
               "  window N: LEFT TOP WIDTH HEIGHT\n"
               "place also prints the window it placed while off, ending its line with \"(off)\".\n"
               "\n"
               "export and play start as status does; export prints the path of the script it\n"
               "wrote, play one line per shot on stderr as it is shown. Ctrl-C (or SIGTERM)\n"
               "stops play once the shot on its way is sent, and the panel shuts down in order.\n"
               "\n"
               "output and input start as status does. output answers the Quadrix Output\n"
               "page's questions (overwrite, delete, change of mode) with yes: the command is\n"
               "the answer. output save and delete read the list back to check the Quadrix\n"
               "took them. output prints the output mode and the output timing the Quadrix\n"
               "then reports, input the window's input timing. chromakey prints the mode and\n"
               "the six limits in mV (red, green, blue; minimum then maximum).\n"
               "\n"
               "source and level start as status does, read the window's source or levels back\n"
               "from the Quadrix and print what it holds: \"window N source: L T W H\" or\n"
               "\"window N LEVEL: VALUE\". hue applies to video windows up to 640 wide only,\n"
               "saturation to video windows only.\n"
               "\n"
               "baud, factory-reset and frontpanel start as status does and use the Serial Port\n"
               "page's own code; its questions count as answered yes. baud exits 1 when the\n"
               "Quadrix refuses the rate, is not found at it or does not report it, or when\n"
               "the ini file cannot keep it (the old rate stays saved otherwise); factory-reset\n"
               "when the Quadrix refuses (nothing is changed) or never said it had restarted\n"
               "(the panel still comes up again at 9600 baud). find-rate opens the port without\n"
               "a bring-up at the saved rate, and exits 1 when no rate is answered in words.\n"
               "\n"
               "Options:\n") +
           panelOptionsUsage +
           "\nExit status: 0 done; 1 the Quadrix did not answer, refused a command (\"Error\"),\n"
           "said nothing that could be read or did not take a new layout; 2 bad arguments, a\n"
           "port that cannot be opened, or a request this Quadrix or ini file cannot carry out\n"
           "(a window it does not have, a user arrangement not stored, an arrangement with\n"
           "fewer than two windows on, a presentation not stored or with fewer than two shots\n"
           "to play, an ini file that cannot be read for presentations, a source or level\n"
           "the window's input cannot take); 1 also when export cannot write its script,\n"
           "when output mode auto found no reference, when an output setting is empty or\n"
           "was not stored, deleted or switched to free-run, and when a source or level was\n"
           "not taken or could not be read back;\n"
           "129, 130, 143 stopped by SIGHUP, Ctrl-C or SIGTERM, after giving the Quadrix its\n"
           "echo back and saving the settings.\n";
}

namespace {

constexpr std::array actions{"send",          "status",        "ports",    "arrange", "place",
                             "windows",       "presentations", "export",   "play",    "output",
                             "input",         "chromakey",     "source",   "level",   "baud",
                             "factory-reset", "frontpanel",    "find-rate"};

bool isAction(const std::string& word)
{
    return std::find(actions.begin(), actions.end(), word) != actions.end();
}

std::string checkAction(const CliArguments& arguments)
{
    if (arguments.action.empty())
        return "no action given: use send, status, ports, arrange, place, windows, "
               "presentations, export, play, output, input, chromakey, source, level, baud, "
               "factory-reset, frontpanel or find-rate (see --help)";
    if (arguments.action == "send" && arguments.commands.empty())
        return "send needs at least one command, for example: kivo-cli send \"wsr 3\"";
    if (std::any_of(arguments.commands.begin(), arguments.commands.end(),
                    [](const std::string& command) {
                        return command.find_first_not_of(" \t") == std::string::npos;
                    }))
        return "send got an empty command: give the command text, for example \"wsr 3\"";
    if (arguments.action != "send" && !arguments.commands.empty())
        return arguments.action + " takes no commands, but got \"" + arguments.commands.front() +
               "\"";
    if (arguments.json && arguments.action != "status" && arguments.action != "presentations")
        return "--json goes with status and presentations only";
    return {};
}

} // namespace

ParsedArguments parseArguments(const std::vector<std::string>& words)
{
    ParsedArguments parsed;
    CliArguments& arguments = parsed.arguments;
    std::vector<std::string> operands; // of arrange, place, windows, export and play
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const bool inCommands = arguments.action == "send";
        std::string error;
        if (word == "--help" || word == "-h") {
            arguments.options.help = true;
        } else if (!inCommands && readPanelOption(words, i, arguments.options, error)) {
            if (!error.empty())
                return {arguments, error};
        } else if (!inCommands && !arguments.action.empty() && word == "--json") {
            arguments.json = true;
        } else if (inCommands && arguments.commands.empty() && word == "--raw") {
            arguments.raw = true;
        } else if (arguments.action.empty() && isAction(word)) {
            arguments.action = word;
        } else if (inCommands) {
            arguments.commands.push_back(word);
        } else if (isScreenAction(arguments.action) || isPresentationAction(arguments.action) ||
                   isTimingAction(arguments.action) || isChromaKeyAction(arguments.action) ||
                   isImageAction(arguments.action) || isSerialAction(arguments.action)) {
            operands.push_back(word);
        } else {
            return {arguments, "unknown argument \"" + word + "\" (see --help)"};
        }
    }
    if (arguments.options.help)
        return parsed;
    parsed.error = checkAction(arguments);
    if (parsed.error.empty() && isScreenAction(arguments.action))
        parsed.error = parseScreenRequest(arguments.action, operands, arguments.screen);
    if (parsed.error.empty() && isPresentationAction(arguments.action))
        parsed.error = parsePresentationRequest(arguments.action, operands, arguments.presentation);
    if (parsed.error.empty() && isTimingAction(arguments.action))
        parsed.error = parseTimingRequest(arguments.action, operands, arguments.timing);
    if (parsed.error.empty() && isChromaKeyAction(arguments.action))
        parsed.error = parseChromaKeyRequest(operands, arguments.chromaKey);
    if (parsed.error.empty() && isImageAction(arguments.action))
        parsed.error = parseImageRequest(arguments.action, operands, arguments.image);
    if (parsed.error.empty() && isSerialAction(arguments.action))
        parsed.error = parseSerialRequest(arguments.action, operands, arguments.serial);
    return parsed;
}

} // namespace kivo::cli
