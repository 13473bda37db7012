#include "cli/ScreenAction.h"

#include "cli/CliSession.h"

#include "core/base/Strings.h"
#include "core/mirror/Stacking.h"
#include "core/mirror/WindowReplies.h"
#include "core/screen/VirtualScreen.h"

#include <algorithm>
#include <ostream>

namespace kivo::cli {
namespace {

std::string rectText(const Rect& r)
{
    return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.width()) +
           " " + std::to_string(r.height());
}

int windowCountOf(const DeviceMirror& mirror)
{
    return static_cast<int>(std::min(mirror.windowCount, DeviceMirror::maxWindows));
}

bool isDeviceWindow(const DeviceMirror& mirror, int number)
{
    return number <= windowCountOf(mirror) && mirror.window(number).present;
}

// A window the request names that the device does not have. A start-up does not ask how many
// windows there are: the ones the device refused to place are the ones it lacks.
std::string checkWindowsExist(const DeviceMirror& mirror, const std::vector<int>& windows)
{
    int present = 0;
    for (int number = 1; number <= windowCountOf(mirror); ++number)
        present += isDeviceWindow(mirror, number) ? 1 : 0;
    for (const int number : windows)
        if (!isDeviceWindow(mirror, number))
            return "the Quadrix has no window " + std::to_string(number) + ": it has " +
                   std::to_string(present) + " windows";
    return {};
}

std::string arrange(VirtualScreen& screen, PanelSession& panel, const ScreenRequest& request)
{
    const DeviceMirror& mirror = panel.mirror();
    if (request.userArrangement != 0) {
        const UserArrangement& stored =
            panel.state().arrangements.at(static_cast<std::size_t>(request.userArrangement - 1));
        // Recalling one that is not stored would ask to store the present layout instead.
        if (!stored.set)
            return "user arrangement " + std::to_string(request.userArrangement) +
                   " is not stored in " + panel.profile().path().string() +
                   ": store it on the Virtual Screen page first (Shift and the User button)";
        screen.userArrangement(request.userArrangement);
        return {};
    }
    if (mirror.windowsOn < 2)
        return "nothing to arrange: an arrangement needs at least two windows on, and the "
               "Quadrix has " +
               std::to_string(mirror.windowsOn) + " on";
    if (!screen.arrange(request.presetMode))
        return "nothing was arranged: the Quadrix reports an output of " +
               std::to_string(mirror.outputWidth) + " x " + std::to_string(mirror.outputHeight) +
               " pixels";
    return {};
}

// Runs the request on the mirror and the device; an error line when it cannot be carried out,
// in which case nothing was sent.
std::string carryOut(PanelSession& panel, const std::string& action, const ScreenRequest& request)
{
    if (std::string error = checkWindowsExist(panel.mirror(), request.windows); !error.empty())
        return error;
    VirtualScreen screen(panel);
    if (action == "arrange")
        return arrange(screen, panel, request);
    if (action == "place")
        screen.place(request.windows.front(), request.output);
    else
        for (const int number : request.windows)
            screen.switchWindow(number, request.on);
    return {};
}

// The device's answer to `query` as `parse` reads it (nothing for a refusal); when there is
// none, `error` says why.
template <typename Parse>
auto readBack(CommandChannel& channel, const std::string& query, Parse parse, std::string& error)
{
    const Reply reply = channel.sendTextAndCollect(query, true);
    auto value = parse(reply.text);
    if (!value)
        error = (reply.answered() ? "the Quadrix's answer to \"" + query + "\" could not be read"
                                  : "the Quadrix did not answer \"" + query + "\"") +
                ", so whether it took the new layout is not known";
    return value;
}

std::string frontToBack(const DeviceMirror& mirror)
{
    std::string order;
    for (int place = 1; place <= windowCountOf(mirror); ++place)
        for (int number = 1; number <= windowCountOf(mirror); ++number)
            if (mirror.window(number).priority == place)
                order += (order.empty() ? "" : " ") + std::to_string(number);
    return order.empty() ? "none" : order;
}

const char* const notTaken = "the Quadrix did not take the new layout: ";

// Which windows are on and how they are stacked, as the device now tells it, against the
// mirror; an error line when they differ.
std::string confirmStacking(CommandChannel& channel, const DeviceMirror& mirror)
{
    const unsigned count = static_cast<unsigned>(windowCountOf(mirror));
    std::string error;
    const auto on = readBack(
        channel, std::string(loadString(StringId::winAllQuery)),
        [&](std::string_view reply) { return parseOnOff(reply, count); }, error);
    if (!on)
        return error;
    const auto stacking = readBack(
        channel, std::string(loadString(StringId::priorityAllQuery)),
        [&](std::string_view reply) { return parseStacking(reply, count); }, error);
    if (!stacking)
        return error;
    DeviceMirror reported = mirror;
    for (int number = 1; number <= windowCountOf(mirror); ++number) {
        const std::size_t i = static_cast<std::size_t>(number - 1);
        const bool deviceWindow = isDeviceWindow(mirror, number);
        if (deviceWindow && i >= on->size())
            return "the Quadrix's answer to \"win all\" leaves out window " +
                   std::to_string(number);
        reported.windows[i].priority = deviceWindow && (*on)[i] ? stacking->priorities[i] : 0;
    }
    renumberPriorities(reported);
    if (frontToBack(reported) != frontToBack(mirror))
        return notTaken + ("it has the windows " + frontToBack(reported) +
                           " on, front to back, not " + frontToBack(mirror));
    return {};
}

std::string confirmRectangle(CommandChannel& channel, const DeviceMirror& mirror, int number)
{
    std::string error;
    const auto rect =
        readBack(channel, formatString(StringId::windowDestQuery, number), parseWindowRect, error);
    if (!rect)
        return error;
    const Rect reported{rect->left, rect->top, rect->left + rect->width, rect->top + rect->height};
    const Rect& expected = mirror.window(number).destRect;
    if (reported != expected)
        return notTaken + ("it has window " + std::to_string(number) + " at " + rectText(reported) +
                           ", not " + rectText(expected));
    return {};
}

// The windows whose rectangle is printed: those that are on, and a window placed while off.
std::vector<int> shownWindows(const DeviceMirror& mirror, const std::string& action,
                              const ScreenRequest& request)
{
    std::vector<int> shown;
    for (int number = 1; number <= windowCountOf(mirror); ++number)
        if (mirror.window(number).priority != 0 ||
            (action == "place" && number == request.windows.front()))
            shown.push_back(number);
    return shown;
}

} // namespace

int runScreenAction(CliSession& session, const std::string& action, const ScreenRequest& request,
                    std::ostream& out, std::ostream& err)
{
    PanelSession& panel = session.panel();
    if (const std::string error = carryOut(panel, action, request); !error.empty()) {
        err << "kivo-cli: " << error << '\n';
        return exitUsage;
    }
    const DeviceMirror& mirror = panel.mirror();
    const std::vector<int> shown = shownWindows(mirror, action, request);
    // The layout goes out without reading the answers, as from the page; reading back what the
    // device has is what tells a script that it refused a line.
    std::string error = confirmStacking(panel.channel(), mirror);
    for (std::size_t i = 0; i < shown.size() && error.empty(); ++i)
        error = confirmRectangle(panel.channel(), mirror, shown[i]);
    if (!error.empty()) {
        err << "kivo-cli: " << error << '\n';
        return exitNoReply;
    }
    for (const int number : shown)
        out << "window " << number << ": " << rectText(mirror.window(number).destRect)
            << (mirror.window(number).priority == 0 ? " (off)" : "") << '\n';
    return exitDone;
}

} // namespace kivo::cli
