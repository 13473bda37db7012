#include "core/presentations/CommandScript.h"

#include "core/base/Strings.h"
#include "core/base/Text.h"
#include "core/mirror/CanvasGeometry.h"
#include "core/mirror/DeviceMirror.h"
#include "core/mirror/Stacking.h"
#include "core/screen/GroupCommands.h"
#include "core/screen/ViewRules.h"
#include "core/settings/AtomicFile.h"

#include <algorithm>

namespace kivo {
namespace {

// Longest file name most file systems take, in bytes.
constexpr std::size_t longestFileName = 255;
const std::string scriptExtension = ".txt";

void addLine(std::string& script, const std::optional<std::string>& line)
{
    if (line)
        script += *line + std::string(loadString(StringId::displayLineBreak));
}

// Lays the shot out on the mirror copy as the device will show it and writes its placements.
void placeShot(const Shot& shot, DeviceMirror& mirror, std::string& script)
{
    const int count = static_cast<int>(std::min(mirror.windowCount, DeviceMirror::maxWindows));
    for (int number = 1; number <= count; ++number) {
        WindowRecord& w = mirror.window(number);
        const std::size_t slot = static_cast<std::size_t>(number - 1);
        const Rect& stored = shot.rect[slot];
        if (stored.isEmpty() || !w.present || shot.priority[slot] == 0) {
            w.priority = 0;
            continue;
        }
        w.priority = shot.priority[slot];
        w.maximised = false;
        w.viewRect = keepVisible(clampToMapSize(stored.normalized()));
        const Rect d =
            mapViewToOutput(w.viewRect, false, mirror.outputTiming.HACT, mirror.outputTiming.VACT);
        addLine(script,
                formatString(StringId::placeCommand, number, d.left, d.top, d.width(), d.height()));
    }
}

bool unsafeInFileName(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return c == '/' || c == '\\' || byte < 0x20 || byte == 0x7F;
}

} // namespace

std::string commandScript(const Presentation& presentation, const DeviceMirror& device)
{
    DeviceMirror mirror = device;
    const unsigned count = std::min(mirror.windowCount, DeviceMirror::maxWindows);
    std::string script;
    for (const Shot& shot : presentation.shots) {
        addLine(script, allStateLine(mirror, count, loadString(StringId::offWord)));
        placeShot(shot, mirror, script);
        renumberPriorities(mirror);
        addLine(script, priorityAllLine(mirror, count));
        addLine(script, allOnOffLine(mirror, count));
        addLine(script, formatString(StringId::sleepCommand, shot.msecs));
    }
    return script;
}

std::optional<std::string> scriptFileName(std::string_view presentationName)
{
    std::string name(presentationName);
    std::replace_if(name.begin(), name.end(), unsafeInFileName, '_');
    if (!name.empty() && name.front() == '.')
        name.front() = '_';
    std::size_t characters = name.size();
    while (name.size() + scriptExtension.size() > longestFileName)
        name = std::string(firstCharacters(name, --characters));
    if (name.empty())
        return std::nullopt;
    return name + scriptExtension;
}

std::string writeCommandScript(const std::filesystem::path& path, const std::string& script)
{
    // A script goes exactly where it is named: never through a link into another folder, and
    // never into folders made up on the way by a typing error.
    return replaceFileAtomically(
        path, script, {.newFileMode = 0644, .followLinks = false, .createFolders = false});
}

} // namespace kivo
