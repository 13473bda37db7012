#include "cli/ImageAction.h"

#include "cli/CliSession.h"
#include "cli/Operands.h"

#include "core/image/ImageControls.h"
#include "core/mirror/WindowReadback.h"
#include "core/mirror/WindowRecord.h"
#include "core/screen/VirtualScreen.h"

#include <array>
#include <ostream>

namespace kivo::cli {
namespace {

// The page calls the colour level "Color"; the device's command for it is "hue".
constexpr std::array<Keyword<Level>, 5> levelNames{{{"brightness", Level::brightness},
                                                    {"contrast", Level::contrast},
                                                    {"saturation", Level::saturation},
                                                    {"hue", Level::colour},
                                                    {"gamma", Level::gamma}}};

constexpr int maxWindowNumber = 10;
// The largest input the panel reads back from the device is well below this.
constexpr int maxInputCoordinate = 65535;

const char* nameOf(Level level) { return keywordOf(levelNames, level); }

std::string parseSource(const std::vector<std::string>& operands, ImageRequest& request)
{
    if (operands.size() != 5)
        return "source takes WINDOW LEFT TOP WIDTH HEIGHT, for example: source 3 0 0 640 480";
    const std::array<const char*, 4> names{"LEFT", "TOP", "WIDTH", "HEIGHT"};
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const int smallest = i < 2 ? 0 : 1;
        int value = 0;
        if (std::string error =
                readWholeNumber(operands[i + 1], names[i], smallest, maxInputCoordinate, value);
            !error.empty())
            return error;
        text += operands[i + 1] + ' ';
    }
    // The rectangle is read as the page reads its Source Rectangle box.
    request.source = parseSourceText(text);
    return {};
}

std::string parseLevel(const std::vector<std::string>& operands, ImageRequest& request)
{
    constexpr const char* usage = "level takes WINDOW brightness|contrast|saturation|hue|gamma "
                                  "VALUE, for example: level 3 brightness 100";
    if (operands.size() != 3)
        return usage;
    request.level = lookUp(levelNames, operands[1]);
    if (!request.level)
        return std::string(usage) + ", not " + quoted(operands[1]);
    request.value = operands[2];
    return {};
}

std::string checkWindow(const DeviceMirror& mirror, const ImageRequest& request)
{
    const int number = request.window;
    if (number > static_cast<int>(mirror.windowCount) || !mirror.window(number).present)
        return "the Quadrix has no window " + std::to_string(number);
    if (request.level && !levelDisplay(mirror.window(number), *request.level).enabled)
        return std::string(nameOf(*request.level)) + " does not apply to the input of window " +
               std::to_string(number) + " (see status)";
    return {};
}

PanelContext contextOf(PanelSession& panel)
{
    return {panel.app(),           panel.channel(),        panel.state(),
            panel.seams().clock,   panel.seams().prompter, panel.seams().pages,
            panel.seams().progress};
}

std::string sourceText(const SourceRequest& s)
{
    return std::to_string(s.left) + " " + std::to_string(s.top) + " " + std::to_string(s.width) +
           " " + std::to_string(s.height);
}

// Sets the source as the page's box does; the page reads the rectangle back itself, and a
// second read tells whether the Quadrix's answer held one at all.
int setSource(PanelSession& panel, ImageControls& controls, const ImageRequest& request,
              std::ostream& out, std::ostream& err)
{
    if (!controls.setSourceRectangle(request.window, *request.source))
        return exitUsage;
    const std::optional<SourceRequest> sent = parseSourceText(controls.sourceBoxText());
    const WindowRecord& window = panel.mirror().window(request.window);
    const bool read = WindowReadback(contextOf(panel))
                          .readWindowRect(StringId::windowSourceQuery, request.window);
    const std::optional<SourceRequest> held = parseSourceText(window.sourceText);
    if (!read || !held) {
        err << "kivo-cli: the source of window " << request.window
            << " could not be read back, so whether the Quadrix took it is not known\n";
        return exitNoReply;
    }
    if (held != sent) {
        err << "kivo-cli: the Quadrix did not take the source " << sourceText(*sent)
            << " for window " << request.window << ": it holds " << sourceText(*held) << '\n';
        return exitNoReply;
    }
    out << "window " << request.window << " source: " << sourceText(*held) << '\n';
    return exitDone;
}

// Sets the level as the page's edit does. The level command has no answer to read, so the
// window's levels are read back, over what they were before, to see what the Quadrix holds.
int setLevel(PanelSession& panel, ImageControls& controls, const ImageRequest& request,
             std::ostream& out, std::ostream& err)
{
    WindowRecord& window = panel.mirror().window(request.window);
    const WindowRecord before = window;
    if (!controls.setLevel(request.window, *request.level, request.value))
        return exitUsage;
    const LevelDisplay sent = levelDisplay(window, *request.level);
    window = before;
    WindowReadback(contextOf(panel)).readImageLevels(request.window);
    const LevelDisplay held = levelDisplay(window, *request.level);
    const char* name = nameOf(*request.level);
    // Compared as shown, which is also how the value went out ("%.01lf" for gamma).
    if (held.text != sent.text) {
        err << "kivo-cli: the Quadrix did not take " << name << ' ' << sent.text << " for window "
            << request.window << ": it reports " << held.text << '\n';
        return exitNoReply;
    }
    out << "window " << request.window << ' ' << name << ": " << held.text << '\n';
    return exitDone;
}

} // namespace

std::string parseImageRequest(const std::string& action, const std::vector<std::string>& operands,
                              ImageRequest& request)
{
    if (operands.empty())
        return action + " needs a window number first (see --help)";
    if (std::string error =
            readWholeNumber(operands.front(), "WINDOW", 1, maxWindowNumber, request.window);
        !error.empty())
        return error;
    return action == "source" ? parseSource(operands, request) : parseLevel(operands, request);
}

int runImageAction(CliSession& session, const ImageRequest& request, std::ostream& out,
                   std::ostream& err)
{
    PanelSession& panel = session.panel();
    if (std::string error = checkWindow(panel.mirror(), request); !error.empty()) {
        err << "kivo-cli: " << error << '\n';
        return exitUsage;
    }
    VirtualScreen screen(panel);
    ImageControls controls(panel, screen);
    return request.source ? setSource(panel, controls, request, out, err)
                          : setLevel(panel, controls, request, out, err);
}

} // namespace kivo::cli
