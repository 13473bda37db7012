#include "sim/DeviceCommands.h"

#include "sim/ReplyFormats.h"
#include "sim/TextFormat.h"

#include <algorithm>
#include <array>

namespace kivo::sim {

namespace {

constexpr std::array<int, 8> baudRates{1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
constexpr int minChroma = -270;
constexpr int maxChroma = 1250;
constexpr int maxSleep = 600000;

const char* onOffWord(bool on) { return on ? "on" : "off"; }

// Runs set with the on/off word as a flag, or answers the device's word error.
template <typename Set> std::string onOff(const std::string& word, Set set)
{
    if (word != "on" && word != "off")
        return formatLine(replies::errorWord, "on or off");
    set(word == "on");
    return {};
}

} // namespace

DeviceCommands::DeviceCommands(DeviceState& state) : state_(state) {}

void DeviceCommands::addTo(CommandTable& table)
{
    table.add("help", "help", "list the commands",
              [&table](const CommandArgs&) { return table.help(); });
    table.add("id", "id", "tell the firmware and each window's input type",
              [this](const CommandArgs&) { return identity(); });
    table.add("echo", "echo", "tell whether command lines are echoed", [this](const CommandArgs&) {
        return formatLine(replies::echoState, onOffWord(state_.echo));
    });
    table.add("echo %w", "echo on|off", "echo command lines or not", [this](const CommandArgs& a) {
        return onOff(a.words[0], [this](bool on) { state_.echo = on; });
    });
    addSerial(table);
    addChromaKey(table);
    table.add(
        "sleep %d", "sleep ms", "pause a command script (ignored here)",
        [](const CommandArgs& a) { return rangeError("the pause", a.numbers[0], 0, maxSleep); });
}

std::string DeviceCommands::identity() const
{
    std::string text = formatLine("%s", replies::banner);
    for (int n = 1; n <= state_.windowCount(); ++n)
        text += formatLine(replies::idWindow, n,
                           state_.window(n)->rgb ? replies::rgbType : replies::videoType);
    return text;
}

void DeviceCommands::addSerial(CommandTable& table)
{
    table.add("baud", "baud", "tell the serial rate",
              [this](const CommandArgs&) { return formatLine(replies::baudRate, state_.baud); });
    table.add("baud %d", "baud rate", "change the serial rate (1200..115200)",
              [this](const CommandArgs& a) {
                  if (std::find(baudRates.begin(), baudRates.end(), a.numbers[0]) ==
                      baudRates.end())
                      return formatLine(replies::errorWord,
                                        "1200, 2400, 4800, 9600, 19200, 38400, 57600 or 115200");
                  state_.baud = a.numbers[0];
                  return std::string();
              });
    table.add("frontpanel", "frontpanel", "tell whether the front panel works",
              [this](const CommandArgs&) {
                  return formatLine(replies::frontPanel,
                                    state_.frontPanelEnabled ? "enabled" : "disabled");
              });
    table.add("frontpanel %w", "frontpanel on|off", "enable or lock the front panel",
              [this](const CommandArgs& a) {
                  return onOff(a.words[0], [this](bool on) { state_.frontPanelEnabled = on; });
              });
}

void DeviceCommands::addChromaKey(CommandTable& table)
{
    table.add("ck", "ck", "tell whether chroma key is on", [this](const CommandArgs&) {
        return formatLine(replies::chromaKey, onOffWord(state_.chromaKeyOn));
    });
    table.add("ck %w", "ck on|off", "chroma key or insert mode", [this](const CommandArgs& a) {
        return onOff(a.words[0], [this](bool on) { state_.chromaKeyOn = on; });
    });
    table.add("ckc", "ckc", "tell the chroma key limits", [this](const CommandArgs&) {
        const std::array<int, 6>& l = state_.chromaLimits;
        return formatLine(replies::chromaLimits, l[0], l[1], l[2], l[3], l[4], l[5]);
    });
    const auto set = [this](const CommandArgs& a) { return setChromaLimits(a.numbers); };
    table.add("ckc %d %d %d %d %d %d", "ckc rmin rmax gmin gmax bmin bmax",
              "set the chroma key limits (mV)", set);
    table.add("ckey limits %d %d %d %d %d %d", "ckey limits rmin rmax gmin gmax bmin bmax",
              "the same, older form", set);
}

std::string DeviceCommands::setChromaLimits(const std::vector<int>& limits)
{
    for (std::size_t i = 0; i < limits.size(); i += 2) {
        std::string error = rangeError("a minimum", limits[i], minChroma, maxChroma) +
                            rangeError("a maximum", limits[i + 1], limits[i], maxChroma);
        if (!error.empty())
            return error;
    }
    std::copy(limits.begin(), limits.end(), state_.chromaLimits.begin());
    return {};
}

} // namespace kivo::sim
