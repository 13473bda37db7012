#include "sim/WindowCommands.h"

#include "sim/ReplyFormats.h"
#include "sim/TextFormat.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>
#include <utility>

namespace kivo::sim {

namespace {

constexpr int maxCoordinate = 4096;
constexpr int minWindowSize = 16;
constexpr double minGamma = 0.5;
constexpr double maxGamma = 2.0;

const char* onOffWord(bool on) { return on ? "on" : "off"; }

std::string rectangleLine(int n, const SimRect& r)
{
    return formatLine(replies::rectangle, n, r.left, r.top, r.width, r.height);
}

// The smallest source the device scales from: a tenth of a video input, a quarter of
// an RGB one (so the panel's zoom-in limit for RGB inputs can be seen).
int minimumSource(int inputSize, bool rgb)
{
    return std::max(1, rgb ? inputSize / 4 : inputSize / 10);
}

// Fits one axis of a source rectangle into the input: cut to the input's size, then moved in.
void fitAxis(int& start, int& length, int inputSize)
{
    length = std::min(length, inputSize);
    start = std::clamp(start, 0, inputSize - length);
}

// "on" or "off"; where older firmware's words are taken too, "field" is on and "frame" off.
std::optional<bool> switchWord(const std::string& word, bool fieldFrameToo)
{
    if (word == "on" || (fieldFrameToo && word == "field"))
        return true;
    if (word == "off" || (fieldFrameToo && word == "frame"))
        return false;
    return std::nullopt;
}

constexpr std::array<const char*, 3> connectorWords{"composite", "svideo", "auto"};

} // namespace

WindowCommands::WindowCommands(DeviceState& state) : state_(state) {}

void WindowCommands::addTo(CommandTable& table)
{
    addOnOff(table, "win");
    addOnOff(table, "channel");
    addPriority(table);
    addRectangles(table);
    static const std::array<Level, 4> levels{
        Level{"bright", "brightness", &SimWindow::brightness, -500, 500, -500, 500, true},
        Level{"contrast", "contrast", &SimWindow::contrast, 0, 182, 88, 118, true},
        Level{"saturation", "saturation", &SimWindow::saturation, 0, 199, 0, 199, false},
        Level{"hue", "color", &SimWindow::hue, -180, 180, -180, 180, false},
    };
    for (const Level& level : levels)
        addLevel(table, level);
    addGamma(table);
    static const std::array<Switch, 2> switches{
        Switch{"freeze", replies::freezeState, &SimWindow::frozen, true, false},
        Switch{"motion", replies::motionState, &SimWindow::motion, false, true},
    };
    for (const Switch& sw : switches)
        addSwitch(table, sw);
    addInput(table);
}

template <typename Body> std::string WindowCommands::onWindow(int n, bool rgbToo, Body body)
{
    SimWindow* w = state_.window(n);
    if (w == nullptr)
        return formatLine(replies::errorNoWindow, n);
    if (w->rgb && !rgbToo)
        return formatLine(replies::errorRgb, n);
    return body(*w);
}

void WindowCommands::addOnOff(CommandTable& table, const char* word)
{
    const std::string name(word);
    table.add(name + " all", name + " all", "list which windows are on",
              [this](const CommandArgs&) { return onOffAll(); });
    table.add(name + " all %w+", name + " all on|off ...", "switch every window, in window order",
              [this](const CommandArgs& a) { return setOnOffAll(a.words); });
    table.add(name + " %d", name + " n", "tell whether window n is on",
              [this](const CommandArgs& a) {
                  return onWindow(a.numbers[0], true, [&](SimWindow& w) {
                      return formatLine(replies::onOffOne, a.numbers[0], onOffWord(w.on));
                  });
              });
    table.add(name + " %d %w", name + " n on|off", "switch window n on or off",
              [this](const CommandArgs& a) {
                  return onWindow(a.numbers[0], true, [&](SimWindow& w) {
                      if (a.words[0] != "on" && a.words[0] != "off")
                          return formatLine(replies::errorWord, "on or off");
                      w.on = a.words[0] == "on";
                      return std::string();
                  });
              });
}

std::string WindowCommands::onOffAll() const
{
    std::string text;
    for (int n = 1; n <= state_.windowCount(); ++n)
        text += (n > 1 ? "  " : "") +
                formatText(replies::onOffItem, n, onOffWord(state_.window(n)->on));
    return text + replies::lineEnd;
}

std::string WindowCommands::setOnOffAll(const std::vector<std::string>& words)
{
    // A panel that has not asked how many windows there are lists all ten; the words for
    // windows this device lacks are ignored.
    if (std::cmp_greater(words.size(), DeviceState::maxWindows))
        return formatLine(replies::errorRange, "the number of windows", 1, DeviceState::maxWindows);
    for (const std::string& word : words) {
        if (word != "on" && word != "off")
            return formatLine(replies::errorWord, "on or off");
    }
    for (std::size_t i = 0; i < words.size() && std::cmp_less(i, state_.windowCount()); ++i)
        state_.windows[i].on = words[i] == "on";
    return {};
}

void WindowCommands::addPriority(CommandTable& table)
{
    table.add("priority all", "priority all", "list the windows front to back",
              [this](const CommandArgs&) { return priorityAll(); });
    table.add("priority all %d+", "priority all n n ...", "stack the windows, front first",
              [this](const CommandArgs& a) { return setPriorityAll(a.numbers); });
    table.add("priority %d", "priority n", "tell window n's place in the stack",
              [this](const CommandArgs& a) {
                  return onWindow(a.numbers[0], true, [&](SimWindow&) {
                      const auto it =
                          std::find(state_.stack.begin(), state_.stack.end(), a.numbers[0]);
                      return formatLine(replies::priorityOne, a.numbers[0],
                                        static_cast<int>(it - state_.stack.begin()) + 1);
                  });
              });
    table.add("priority %d %d", "priority n place",
              "put window n at a place in the stack (1 front)",
              [this](const CommandArgs& a) { return setPriority(a.numbers[0], a.numbers[1]); });
}

std::string WindowCommands::priorityAll() const
{
    std::string text = replies::priorityList;
    for (int n : state_.stack)
        text += formatText(" %d", n);
    return text + replies::lineEnd;
}

std::string WindowCommands::setPriorityAll(const std::vector<int>& order)
{
    // As with "win all", a list of all ten windows is taken; the numbers of windows this
    // device lacks are ignored.
    if (std::cmp_greater(order.size(), DeviceState::maxWindows))
        return formatLine(replies::errorRange, "the number of windows", 1, DeviceState::maxWindows);
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (order[i] < 1 || order[i] > DeviceState::maxWindows)
            return formatLine(replies::errorNoWindow, order[i]);
        if (std::find(order.begin(), order.begin() + static_cast<long>(i), order[i]) !=
            order.begin() + static_cast<long>(i))
            return formatLine("%s", replies::errorPriorityList);
    }
    std::vector<int> stack;
    std::copy_if(order.begin(), order.end(), std::back_inserter(stack),
                 [&](int n) { return state_.window(n) != nullptr; });
    for (int n : state_.stack) {
        if (std::find(stack.begin(), stack.end(), n) == stack.end())
            stack.push_back(n);
    }
    state_.stack = stack;
    return {};
}

std::string WindowCommands::setPriority(int n, int position)
{
    return onWindow(n, true, [&](SimWindow&) {
        std::string error = rangeError("the place", position, 1, state_.windowCount());
        if (!error.empty())
            return error;
        std::erase(state_.stack, n);
        state_.stack.insert(state_.stack.begin() + (position - 1), n);
        return std::string();
    });
}

void WindowCommands::addRectangles(CommandTable& table)
{
    table.add(
        "wdr %d", "wdr n", "tell window n's place on the output", [this](const CommandArgs& a) {
            return onWindow(a.numbers[0], true,
                            [&](SimWindow& w) { return rectangleLine(a.numbers[0], w.dest); });
        });
    table.add("wdr %d %d %d %d %d", "wdr n left top width height", "place window n on the output",
              [this](const CommandArgs& a) {
                  return onWindow(a.numbers[0], true, [&](SimWindow& w) {
                      std::string error =
                          rangeError("left", a.numbers[1], -maxCoordinate, maxCoordinate) +
                          rangeError("top", a.numbers[2], -maxCoordinate, maxCoordinate) +
                          rangeError("width", a.numbers[3], minWindowSize, maxCoordinate) +
                          rangeError("height", a.numbers[4], minWindowSize, maxCoordinate);
                      if (!error.empty())
                          return error;
                      w.dest = SimRect{a.numbers[1], a.numbers[2], a.numbers[3], a.numbers[4]};
                      w.frozen = false;
                      return std::string();
                  });
              });
    table.add(
        "wsr %d", "wsr n", "tell the part of window n's input shown", [this](const CommandArgs& a) {
            return onWindow(a.numbers[0], true,
                            [&](SimWindow& w) { return rectangleLine(a.numbers[0], w.source); });
        });
    table.add("wsr %d %d %d %d %d", "wsr n left top width height",
              "choose the part of the input shown", [this](const CommandArgs& a) {
                  return onWindow(a.numbers[0], true, [&](SimWindow& w) {
                      return setSource(
                          w, SimRect{a.numbers[1], a.numbers[2], a.numbers[3], a.numbers[4]});
                  });
              });
    table.add("mwsr %d", "mwsr n", "tell window n's input size", [this](const CommandArgs& a) {
        return onWindow(a.numbers[0], true, [&](SimWindow& w) {
            return formatLine(w.rgb ? replies::rgbSize : replies::videoSize, a.numbers[0],
                              w.inputWidth, w.inputHeight);
        });
    });
}

std::string WindowCommands::setSource(SimWindow& w, SimRect r)
{
    std::string error = rangeError("left", r.left, 0, w.inputWidth - 1) +
                        rangeError("top", r.top, 0, w.inputHeight - 1) +
                        rangeError("width", r.width, 1, maxCoordinate) +
                        rangeError("height", r.height, 1, maxCoordinate);
    if (!error.empty())
        return error;
    // Like the hardware, a source that does not fit is cut to fit; one too small to scale
    // from is not taken, and the window keeps the source it had.
    fitAxis(r.left, r.width, w.inputWidth);
    fitAxis(r.top, r.height, w.inputHeight);
    const int minimumWidth = minimumSource(w.inputWidth, w.rgb);
    const int minimumHeight = minimumSource(w.inputHeight, w.rgb);
    if (r.width < minimumWidth || r.height < minimumHeight)
        return formatLine(replies::errorSourceSize, minimumWidth, minimumHeight);
    w.source = r;
    w.frozen = false;
    return {};
}

void WindowCommands::addLevel(CommandTable& table, const Level& level)
{
    const std::string name(level.command);
    table.add(name + " %d", name + " n", std::string("tell window n's ") + level.label,
              [this, level](const CommandArgs& a) {
                  return onWindow(a.numbers[0], level.rgbToo, [&](SimWindow& w) {
                      return formatLine(replies::level, a.numbers[0], level.label, w.*level.field);
                  });
              });
    table.add(name + " %d %d", name + " n value",
              formatText("set the %s (%d..%d)", level.label, level.min, level.max),
              [this, level](const CommandArgs& a) {
                  return onWindow(a.numbers[0], level.rgbToo, [&](SimWindow& w) {
                      std::string error =
                          w.rgb ? rangeError(level.label, a.numbers[1], level.rgbMin, level.rgbMax)
                                : rangeError(level.label, a.numbers[1], level.min, level.max);
                      if (!error.empty())
                          return error;
                      // A level change shows the live picture again.
                      w.*level.field = a.numbers[1];
                      w.frozen = false;
                      return std::string();
                  });
              });
}

void WindowCommands::addGamma(CommandTable& table)
{
    table.add("gamma %d", "gamma n", "tell window n's gamma", [this](const CommandArgs& a) {
        return onWindow(a.numbers[0], true, [&](SimWindow& w) {
            return formatLine(replies::gammaLevel, a.numbers[0], w.gamma);
        });
    });
    table.add("gamma %d %f", "gamma n value", "set the gamma (0.5..2.0)",
              [this](const CommandArgs& a) {
                  return onWindow(a.numbers[0], true, [&](SimWindow& w) {
                      if (a.real < minGamma || a.real > maxGamma)
                          return formatLine(replies::errorRealRange, "gamma", minGamma, maxGamma);
                      w.gamma = a.real;
                      w.frozen = false;
                      return std::string();
                  });
              });
}

void WindowCommands::addSwitch(CommandTable& table, const Switch& sw)
{
    const std::string name(sw.command);
    table.add(name + " %d", name + " n", "tell whether window n's " + name + " is on",
              [this, sw](const CommandArgs& a) {
                  return onWindow(a.numbers[0], sw.rgbToo, [&](SimWindow& w) {
                      return formatLine(sw.reply, a.numbers[0], onOffWord(w.*sw.field));
                  });
              });
    const std::string words = sw.fieldFrameToo ? "on|off|field|frame" : "on|off";
    table.add(name + " %d %w", name + " n " + words, "switch window n's " + name,
              [this, sw](const CommandArgs& a) {
                  return onWindow(a.numbers[0], sw.rgbToo, [&](SimWindow& w) {
                      const std::optional<bool> on = switchWord(a.words[0], sw.fieldFrameToo);
                      if (!on)
                          return formatLine(replies::errorWord, sw.fieldFrameToo
                                                                    ? "on, off, field or frame"
                                                                    : "on or off");
                      w.*sw.field = *on;
                      return std::string();
                  });
              });
}

void WindowCommands::addInput(CommandTable& table)
{
    table.add("input %d", "input n", "tell window n's video connector",
              [this](const CommandArgs& a) {
                  return onWindow(a.numbers[0], false, [&](SimWindow& w) {
                      return formatLine(replies::windowInput, a.numbers[0],
                                        connectorWords[static_cast<std::size_t>(w.connector)]);
                  });
              });
    table.add("input %d %w", "input n composite|svideo|auto", "choose window n's video connector",
              [this](const CommandArgs& a) {
                  return onWindow(a.numbers[0], false, [&](SimWindow& w) {
                      const auto it =
                          std::find(connectorWords.begin(), connectorWords.end(), a.words[0]);
                      if (it == connectorWords.end())
                          return formatLine(replies::errorWord, "composite, svideo or auto");
                      w.connector = static_cast<Connector>(it - connectorWords.begin());
                      return std::string();
                  });
              });
}

} // namespace kivo::sim
