#include "cli/ScreenRequest.h"

#include "cli/Operands.h"

#include "core/mirror/DeviceMirror.h"
#include "core/mirror/UserArrangement.h"

#include <array>

namespace kivo::cli {
namespace {

// The Arrange buttons by the names the usage text gives them, with their mode numbers.
constexpr std::array<Keyword<int>, 6> presetNames{{{"grid", 2},
                                                   {"centre", 3},
                                                   {"top-left", 4},
                                                   {"top-right", 5},
                                                   {"bottom-right", 6},
                                                   {"bottom-left", 7}}};

constexpr int maxWindowNumber = static_cast<int>(DeviceMirror::maxWindows);

std::string parseArrange(const std::vector<std::string>& operands, ScreenRequest& request)
{
    const char* layouts = "grid, centre, top-left, top-right, bottom-right, bottom-left or user N";
    if (operands.empty())
        return std::string("arrange needs a layout: ") + layouts;
    const std::string& layout = operands.front();
    const std::size_t expected = layout == "user" ? 2 : 1;
    if (layout == "user" && operands.size() < 2)
        return "arrange user needs the number of a user arrangement, 1 to 4";
    if (operands.size() > expected)
        return "arrange takes one layout, but got also " + quoted(operands[expected]);
    if (layout == "user")
        return readWholeNumber(operands[1], "the user arrangement", 1, UserArrangement::count,
                               request.userArrangement);
    if (const std::optional<int> mode = lookUp(presetNames, layout)) {
        request.presetMode = *mode;
        return {};
    }
    return "unknown layout " + quoted(layout) + ": use " + layouts;
}

std::string parsePlace(const std::vector<std::string>& operands, ScreenRequest& request)
{
    if (operands.size() != 5)
        return "place needs a window number, LEFT, TOP, WIDTH and HEIGHT in output pixels, for "
               "example: kivo-cli place 3 0 0 320 240";
    int number = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    const int far = maxOutputCoordinate;
    for (const std::string& error :
         {readWholeNumber(operands[0], "the window number", 1, maxWindowNumber, number),
          readWholeNumber(operands[1], "LEFT", -far, far, left),
          readWholeNumber(operands[2], "TOP", -far, far, top),
          readWholeNumber(operands[3], "WIDTH", 1, far, width),
          readWholeNumber(operands[4], "HEIGHT", 1, far, height)})
        if (!error.empty())
            return error;
    request.windows = {number};
    request.output = {left, top, left + width, top + height};
    return {};
}

std::string parseWindows(const std::vector<std::string>& operands, ScreenRequest& request)
{
    const char* usage =
        "windows needs on or off and the windows to switch, for example: kivo-cli windows on 3 4";
    if (operands.size() < 2)
        return usage;
    if (operands.front() != "on" && operands.front() != "off")
        return "windows takes on or off first, not " + quoted(operands.front());
    request.on = operands.front() == "on";
    for (std::size_t i = 1; i < operands.size(); ++i) {
        int number = 0;
        if (std::string error =
                readWholeNumber(operands[i], "a window number", 1, maxWindowNumber, number);
            !error.empty())
            return error;
        request.windows.push_back(number);
    }
    return {};
}

} // namespace

std::string parseScreenRequest(const std::string& action, const std::vector<std::string>& operands,
                               ScreenRequest& request)
{
    if (action == "arrange")
        return parseArrange(operands, request);
    if (action == "place")
        return parsePlace(operands, request);
    return parseWindows(operands, request);
}

} // namespace kivo::cli
