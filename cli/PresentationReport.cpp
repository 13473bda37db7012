#include "cli/PresentationReport.h"

#include "cli/JsonWriter.h"

#include "core/base/Text.h"
#include "core/presentations/PresentationStore.h"

#include <algorithm>
#include <vector>

namespace kivo::cli {
namespace {

// The window numbers of a shot that are on, front to back; a tie in a hand-edited file
// goes by window number.
std::vector<int> stackingOrder(const Shot& shot)
{
    std::vector<int> numbers;
    for (int number = 1; number <= Shot::windows; ++number)
        if (shot.priority[static_cast<std::size_t>(number - 1)] != 0)
            numbers.push_back(number);
    std::stable_sort(numbers.begin(), numbers.end(), [&shot](int a, int b) {
        return shot.priority[static_cast<std::size_t>(a - 1)] <
               shot.priority[static_cast<std::size_t>(b - 1)];
    });
    return numbers;
}

// Names as a terminal shows them safely: control characters dropped.
std::string shown(const std::string& name)
{
    return operatorText(name, PresentationStore::maxNameLength);
}

std::string shotText(const Shot& shot, int index)
{
    std::string text = "  shot " + std::to_string(index + 1) + " \"" + shown(shot.name) + "\", " +
                       std::to_string(shot.msecs) + " ms:";
    const std::vector<int> order = stackingOrder(shot);
    if (order.empty())
        return text + " no window on\n";
    for (std::size_t i = 0; i < order.size(); ++i) {
        const std::size_t slot = static_cast<std::size_t>(order[i] - 1);
        const Rect& r = shot.rect[slot];
        text += (i == 0 ? " " : ", ") + ("window " + std::to_string(order[i])) + " priority " +
                std::to_string(shot.priority[slot]) + " at " + std::to_string(r.left) + " " +
                std::to_string(r.top) + " " + std::to_string(r.right) + " " +
                std::to_string(r.bottom);
    }
    return text + "\n";
}

void writeShot(JsonWriter& json, const Shot& shot)
{
    json.beginObject();
    json.value("name", shot.name);
    json.value("msecs", shot.msecs);
    json.beginArray("windows");
    for (const int number : stackingOrder(shot)) {
        const std::size_t slot = static_cast<std::size_t>(number - 1);
        const Rect& r = shot.rect[slot];
        json.beginObject();
        json.value("window", number);
        json.value("priority", shot.priority[slot]);
        json.beginArray("rect");
        for (const int edge : {r.left, r.top, r.right, r.bottom})
            json.value({}, edge);
        json.endArray();
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

} // namespace

std::string formatPresentationsText(const PresentationStore& store, const std::string& iniPath)
{
    std::string text = std::string("Loop: ") + (store.loop() ? "on" : "off") + "\n";
    if (store.count() == 0)
        return text + "No presentations in " + iniPath + "\n";
    for (int row = 0; row < store.count(); ++row) {
        const Presentation& p = store.at(row);
        const std::size_t shots = p.shots.size();
        text += "Presentation " + std::to_string(row + 1) + " \"" + shown(p.name) + "\", " +
                std::to_string(shots) + (shots == 1 ? " shot\n" : " shots\n");
        for (int index = 0; index < store.shotCount(row); ++index)
            text += shotText(p.shots[static_cast<std::size_t>(index)], index);
    }
    return text;
}

std::string formatPresentationsJson(const PresentationStore& store)
{
    JsonWriter json;
    json.beginObject();
    json.value("loop", store.loop());
    json.beginArray("presentations");
    for (int row = 0; row < store.count(); ++row) {
        json.beginObject();
        json.value("name", store.at(row).name);
        json.beginArray("shots");
        for (const Shot& shot : store.at(row).shots)
            writeShot(json, shot);
        json.endArray();
        json.endObject();
    }
    json.endArray();
    json.endObject();
    return json.text() + "\n";
}

} // namespace kivo::cli
