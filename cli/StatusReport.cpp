#include "cli/StatusReport.h"

#include "cli/JsonWriter.h"

#include "core/base/Strings.h"
#include "core/base/Text.h"
#include "core/mirror/PanelState.h"
#include "core/timing/TimingText.h"

#include <cstdio>
#include <locale>
#include <sstream>

namespace kivo::cli {
namespace {

// How the report names a code: in its text, and as a JSON value.
struct CodeName {
    const char* text;
    const char* key;
};

CodeName nameOf(InputType inputType)
{
    switch (inputType) {
    case InputType::wideVideo:
        return {"wide video", "wideVideo"};
    case InputType::rgb:
        return {"RGB", "rgb"};
    case InputType::video:
        break;
    }
    return {"video", "video"};
}

CodeName nameOf(InputConnector connector)
{
    switch (connector) {
    case InputConnector::svideo:
        return {"S-video", "svideo"};
    case InputConnector::automatic:
        return {"automatic", "automatic"};
    case InputConnector::composite:
        break;
    }
    return {"composite", "composite"};
}

// The windows the report lists: those the device has, as far as the bring-up found.
template <typename Each> void forEachWindow(const DeviceMirror& mirror, Each each)
{
    for (int n = 1; n <= static_cast<int>(mirror.windowCount); ++n)
        if (mirror.window(n).present)
            each(n, mirror.window(n));
}

std::string rectText(const Rect& r)
{
    char text[64];
    std::snprintf(text, sizeof text, "%d %d %d %d", r.left, r.top, r.right, r.bottom);
    return text;
}

void writeRect(JsonWriter& json, std::string_view key, const Rect& r)
{
    json.beginObject(key);
    json.value("left", r.left);
    json.value("top", r.top);
    json.value("right", r.right);
    json.value("bottom", r.bottom);
    json.endObject();
}

void writeTimingNumbers(JsonWriter& json, const TimingRecord& t)
{
    for (const auto& [name, value] : {std::pair{"HACT", t.HACT},
                                      {"HFP", t.HFP},
                                      {"HS", t.HS},
                                      {"HBP", t.HBP},
                                      {"VACT", t.VACT},
                                      {"VFP", t.VFP},
                                      {"VS", t.VS},
                                      {"VBP", t.VBP},
                                      {"SYNC", t.SYNC},
                                      {"HPOL", t.HPOL},
                                      {"VPOL", t.VPOL},
                                      {"IL", t.IL},
                                      {"HFREQ", t.HFREQ}})
        json.value(name, value);
}

void writeTiming(JsonWriter& json, std::string_view key, const TimingRecord& t)
{
    json.beginObject(key);
    json.value("locked", t.locked != 0);
    writeTimingNumbers(json, t);
    json.endObject();
}

void writeWindow(JsonWriter& json, const StatusFacts& facts, int number)
{
    const WindowRecord& w = facts.state.mirror.window(number);
    json.beginObject();
    json.value("window", number);
    json.value("present", w.present);
    json.value("inputType", nameOf(w.inputType).key);
    json.value("priority", w.priority);
    writeRect(json, "destRect", w.destRect);
    writeRect(json, "sourceRect", w.sourceRect);
    json.value("inputWidth", w.inputWidth);
    json.value("inputHeight", w.inputHeight);
    json.value("brightness", w.brightness);
    json.value("contrast", w.contrast);
    json.value("saturation", w.saturation);
    json.value("hue", w.hue);
    json.value("gamma", w.gamma);
    json.value("motionFilterOn", w.motionFilterOn);
    json.value("frozen", w.frozen);
    json.value("inputConnector", nameOf(w.inputConnector).key);
    json.value("description", w.description);
    json.endObject();
}

// Each setting the list holds, with its fields, and its row as the page shows it.
void writeSettings(JsonWriter& json, std::string_view key, const TimingList& list)
{
    const bool input = list.kind == TimingList::Kind::input;
    json.beginArray(key);
    for (const TimingRecord& slot : list.slots) {
        const int number = rowNumber(slot.rowText);
        if (number <= 0 || trim(slot.NAME).empty())
            continue;
        json.beginObject();
        json.value("number", number);
        json.value("NAME", trim(slot.NAME));
        writeTimingNumbers(json, slot);
        if (input) {
            json.value("brightness", slot.brightness);
            json.value("contrast", slot.contrast);
            json.value("gamma", slot.gamma);
        }
        json.value("row", slot.rowText);
        json.endObject();
    }
    json.endArray();
}

} // namespace

std::string formatStatusText(const StatusFacts& facts)
{
    const DeviceMirror& mirror = facts.state.mirror;
    const TimingRecord& output = facts.state.mirror.outputTiming;
    std::ostringstream out;
    out.imbue(std::locale::classic()); // the firmware revision is read as "3.1" everywhere
    int listed = 0;
    forEachWindow(mirror, [&](int, const WindowRecord&) { ++listed; });
    out << "Quadrix: " << listed << " windows, " << mirror.windowsOn << " on, firmware "
        << mirror.firmwareRevision << ", " << facts.deviceBaud << " baud, echo "
        << (facts.deviceEcho ? "on" : "off") << "\n";
    out << "Output: " << output.HACT << " x " << output.VACT << ", HFREQ " << output.HFREQ
        << " Hz, " << (output.locked ? "locked" : "acquiring") << ", "
        << (facts.state.mirror.outputFreeRun ? "free-run" : "autosync") << "\n\n";
    out << "Win Input      Pri Destination        Source             Input     Bri Con Sat Hue "
           "Gamma"
           " Filter Freeze Connector  Description\n";
    forEachWindow(mirror, [&](int n, const WindowRecord& w) {
        const std::string line = formatPrintf(
            "%-3d %-10s %-3d %-18s %-18s %-9s %-3d %-3d %-3d %-3d %-5.1f %-6s %-6s %-10s ", n,
            nameOf(w.inputType).text, w.priority, rectText(w.destRect).c_str(),
            rectText(w.sourceRect).c_str(),
            (std::to_string(w.inputWidth) + "x" + std::to_string(w.inputHeight)).c_str(),
            w.brightness, w.contrast, w.saturation, w.hue, w.gamma, w.motionFilterOn ? "on" : "off",
            w.frozen ? "on" : "off", nameOf(w.inputConnector).text);
        // Text from the device or the ini file never reaches a terminal as control bytes.
        out << line << escapeBytes(w.description) << "\n";
    });
    for (const auto& [title, list] : {std::pair{"Output settings", &facts.state.outputList},
                                      std::pair{"Input settings", &facts.state.inputList}}) {
        out << "\n" << title << ":\n    " << loadString(StringId::timingColumnHeader) << "\n";
        for (const std::string& row : list->rows)
            out << escapeBytes(row) << "\n";
    }
    return out.str();
}

std::string formatStatusJson(const StatusFacts& facts)
{
    const DeviceMirror& mirror = facts.state.mirror;
    JsonWriter json;
    json.beginObject();
    json.value("windowCount", mirror.windowCount);
    json.value("windowsOn", mirror.windowsOn);
    json.value("firmwareRevision", mirror.firmwareRevision);
    json.value("deviceBaud", facts.deviceBaud);
    json.value("deviceEcho", facts.deviceEcho);
    json.value("outputFreeRun", facts.state.mirror.outputFreeRun);
    writeTiming(json, "outputTiming", facts.state.mirror.outputTiming);
    json.beginArray("windows");
    forEachWindow(mirror, [&](int n, const WindowRecord&) { writeWindow(json, facts, n); });
    json.endArray();
    writeSettings(json, "outputList", facts.state.outputList);
    writeSettings(json, "inputList", facts.state.inputList);
    json.endObject();
    return json.text() + "\n";
}

} // namespace kivo::cli
