#include "sim/TimingCommands.h"

#include "sim/ReplyFormats.h"
#include "sim/TextFormat.h"

#include <array>

namespace kivo::sim {

namespace {

// The thirteen timing values in the order the device's commands and rows carry them,
// with the range a command may set.
struct TimingField {
    const char* name;
    int VideoTiming::*field;
    int min;
    int max;
};

constexpr std::array<TimingField, 13> timingFields{{
    {"HFP", &VideoTiming::hfp, 0, 512},
    {"HS", &VideoTiming::hs, 0, 512},
    {"HBP", &VideoTiming::hbp, 0, 512},
    {"HACT", &VideoTiming::hact, 200, 2048},
    {"VFP", &VideoTiming::vfp, 0, 512},
    {"VS", &VideoTiming::vs, 0, 512},
    {"VBP", &VideoTiming::vbp, 0, 512},
    {"VACT", &VideoTiming::vact, 150, 2048},
    {"HFREQ", &VideoTiming::hfreq, 15000, 100000},
    {"SYNC", &VideoTiming::sync, 3, 5},
    {"HPOL", &VideoTiming::hpol, 0, 1},
    {"VPOL", &VideoTiming::vpol, 0, 1},
    {"IL", &VideoTiming::il, 0, 1},
}};

// "ht" and "rgbt" set the eight porch, sync and active values; "ht" may add the rest.
constexpr std::size_t shortTiming = 8;
constexpr std::size_t maxNameLength = 17;

// Checks values against the first values.size() fields and applies them to t.
std::string applyTiming(VideoTiming& t, const std::vector<int>& values)
{
    for (std::size_t i = 0; i < values.size(); ++i) {
        const TimingField& f = timingFields[i];
        if (values[i] < f.min || values[i] > f.max)
            return formatLine(replies::errorRange, f.name, f.min, f.max);
    }
    for (std::size_t i = 0; i < values.size(); ++i)
        t.*timingFields[i].field = values[i];
    return {};
}

bool isUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// A name as the panel sends it, in double quotes or not, cut to the bytes a list row has room
// for. Control bytes are dropped, so every row stays one line of fixed columns (a NUL would
// also hide the rest of the name from the row), and the cut never splits a UTF-8 character.
std::string settingName(std::string_view text)
{
    std::string name;
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F)
            name += c;
    }
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
        name = name.substr(1, name.size() - 2);
    if (name.size() > maxNameLength) {
        std::size_t cut = maxNameLength;
        while (cut > 0 && isUtf8Continuation(name[cut]))
            --cut;
        name.resize(cut);
    }
    return name;
}

void setInputTiming(SimWindow& w, const VideoTiming& t)
{
    w.inputTiming = t;
    w.inputWidth = t.hact;
    w.inputHeight = t.vact;
    // The old source rarely fits a new input size: show the whole new picture.
    w.source = SimRect{0, 0, t.hact, t.vact};
}

} // namespace

TimingCommands::TimingCommands(DeviceState& state, ReferenceSignal reference)
    : state_(state), reference_(std::move(reference))
{
}

void TimingCommands::addTo(CommandTable& table)
{
    addOutput(table);
    addOutputSettings(table);
    addInput(table);
    addInputSettings(table);
}

std::string TimingCommands::listRow(int number, const VideoTiming& t)
{
    return formatLine(replies::listRow, number, t.name.c_str(), t.hfp, t.hs, t.hbp, t.hact, t.vfp,
                      t.vs, t.vbp, t.vact, t.hfreq, t.sync, t.hpol, t.vpol, t.il);
}

std::string TimingCommands::statusRow(const std::string& label, const VideoTiming& t)
{
    return formatLine(replies::statusRow, label.c_str(), t.hfp, t.hs, t.hbp, t.hact, t.vfp, t.vs,
                      t.vbp, t.vact, t.hfreq, t.sync, t.hpol, t.vpol, t.il);
}

template <std::size_t N>
std::string TimingCommands::list(const std::array<std::optional<VideoTiming>, N>& settings,
                                 int first, int last)
{
    std::string text = formatLine("%s", replies::listHeader);
    for (int n = first; n <= last; ++n) {
        const std::optional<VideoTiming>& setting = settings[static_cast<std::size_t>(n - 1)];
        text += setting ? listRow(n, *setting) : formatLine(replies::emptyListRow, n);
    }
    return text;
}

template <typename Body> std::string TimingCommands::onRgbWindow(int n, Body body)
{
    SimWindow* w = state_.window(n);
    if (w == nullptr)
        return formatLine(replies::errorNoWindow, n);
    if (!w->rgb)
        return formatLine(replies::errorNotRgb, n);
    return body(*w);
}

void TimingCommands::addOutput(CommandTable& table)
{
    table.add("host", "host", "tell the output mode and timing",
              [this](const CommandArgs&) { return hostStatus(); });
    table.add("host free", "host free", "generate the output timing (free-run)",
              [this](const CommandArgs&) {
                  state_.freeRun = true;
                  state_.autosyncSinceMs.reset();
                  return std::string();
              });
    table.add("host auto", "host auto", "follow the reference signal (autosync)",
              [this](const CommandArgs&) {
                  state_.freeRun = false;
                  state_.autosyncSinceMs = reference_.nowMs();
                  return std::string();
              });
    table.add("ht %d+", "ht HFP HS HBP HACT VFP VS VBP VACT [HFREQ SYNC HPOL VPOL IL]",
              "set the output timing",
              [this](const CommandArgs& a) { return setOutputTiming(a.numbers); });
    table.add("hi", "hi", "adjust the output position with single keys",
              [this](const CommandArgs&) {
                  state_.adjust = AdjustTarget::output;
                  state_.adjustSecondImage = false;
                  return formatLine("%s", replies::adjustOutput);
              });
}

std::string TimingCommands::hostStatus() const
{
    return formatLine(replies::outputMode,
                      state_.freeRun ? replies::freeRunMode : replies::autosyncMode) +
           formatLine(replies::outputStatus,
                      outputLocked() ? replies::lockedStatus : replies::acquireStatus) +
           formatLine("%s", replies::statusHeader) + statusRow(replies::outputLabel, state_.output);
}

bool TimingCommands::outputLocked() const
{
    if (state_.freeRun || !state_.autosyncSinceMs)
        return true;
    return reference_.lockAfterMs >= 0 &&
           reference_.nowMs() - *state_.autosyncSinceMs >= reference_.lockAfterMs;
}

std::string TimingCommands::setOutputTiming(const std::vector<int>& values)
{
    if (values.size() != shortTiming && values.size() != timingFields.size())
        return formatLine(replies::errorUsage,
                          "ht HFP HS HBP HACT VFP VS VBP VACT [HFREQ SYNC HPOL VPOL IL]");
    return applyTiming(state_.output, values);
}

void TimingCommands::addOutputSettings(CommandTable& table)
{
    table.add("hlist", "hlist", "list the output settings", [this](const CommandArgs&) {
        return list(state_.outputSettings, 1, DeviceState::outputSettingCount);
    });
    table.add("hlist %d %d", "hlist first last", "list some output settings",
              [this](const CommandArgs& a) {
                  const int first = a.numbers[0];
                  const int last = a.numbers[1];
                  std::string error =
                      rangeError("first", first, 1, DeviceState::outputSettingCount) +
                      rangeError("last", last, first, DeviceState::outputSettingCount);
                  return error.empty() ? list(state_.outputSettings, first, last) : error;
              });
    table.add(
        "host load %d", "host load n", "recall output setting n", [this](const CommandArgs& a) {
            const int n = a.numbers[0];
            std::string error = rangeError("the setting", n, 1, DeviceState::outputSettingCount);
            if (!error.empty())
                return error;
            const std::optional<VideoTiming>& setting =
                state_.outputSettings[static_cast<std::size_t>(n - 1)];
            if (!setting)
                return formatLine(replies::errorEmptySetting, n);
            state_.output = *setting;
            return std::string();
        });
    table.add("host name %s", "host name text", "name the next stored output setting",
              [this](const CommandArgs& a) {
                  state_.pendingOutputName = settingName(a.text);
                  return std::string();
              });
    table.add("host save %d", "host save n", "store the output timing as user setting n",
              [this](const CommandArgs& a) { return storeOutput(a.numbers[0]); });
    table.add("hdel %d", "hdel n", "delete user output setting n",
              [this](const CommandArgs& a) { return deleteOutput(a.numbers[0]); });
}

std::string TimingCommands::storeOutput(int number)
{
    std::string error = rangeError("the setting", number, 1, DeviceState::outputSettingCount);
    if (!error.empty())
        return error;
    if (number > DeviceState::userOutputSettings)
        return formatLine(replies::errorStandardSetting, number);
    VideoTiming setting = state_.output;
    if (!state_.pendingOutputName.empty())
        setting.name = state_.pendingOutputName;
    state_.outputSettings[static_cast<std::size_t>(number - 1)] = setting;
    state_.pendingOutputName.clear();
    return {};
}

std::string TimingCommands::deleteOutput(int number)
{
    std::string error = rangeError("the setting", number, 1, DeviceState::outputSettingCount);
    if (!error.empty())
        return error;
    if (number > DeviceState::userOutputSettings)
        return formatLine(replies::errorStandardSetting, number);
    state_.outputSettings[static_cast<std::size_t>(number - 1)].reset();
    return {};
}

void TimingCommands::addInput(CommandTable& table)
{
    table.add("rgb %d", "rgb n", "tell RGB window n's lock and input timing",
              [this](const CommandArgs& a) {
                  return onRgbWindow(a.numbers[0],
                                     [&](SimWindow& w) { return windowStatus(a.numbers[0], w); });
              });
    table.add("rgbt %d %d %d %d %d %d %d %d %d", "rgbt n HFP HS HBP HACT VFP VS VBP VACT",
              "set RGB window n's input timing", [this](const CommandArgs& a) {
                  return onRgbWindow(a.numbers[0], [&](SimWindow& w) {
                      VideoTiming t = w.inputTiming;
                      std::string error =
                          applyTiming(t, std::vector<int>(a.numbers.begin() + 1, a.numbers.end()));
                      if (error.empty())
                          setInputTiming(w, t);
                      return error;
                  });
              });
    table.add("rgbi %d", "rgbi n", "adjust RGB window n's input with single keys",
              [this](const CommandArgs& a) {
                  return onRgbWindow(a.numbers[0], [&](SimWindow&) {
                      state_.adjust = AdjustTarget::window;
                      state_.adjustWindow = a.numbers[0];
                      return formatLine(replies::adjustInput, a.numbers[0]);
                  });
              });
}

std::string TimingCommands::windowStatus(int n, const SimWindow& w) const
{
    return formatLine(replies::windowInput, n,
                      w.locked ? replies::lockedStatus : replies::acquireStatus) +
           formatLine("%s", replies::statusHeader) +
           statusRow(formatText(replies::windowLabel, n), w.inputTiming);
}

void TimingCommands::addInputSettings(CommandTable& table)
{
    table.add("rgblist", "rgblist", "list the input settings", [this](const CommandArgs&) {
        return list(state_.inputSettings, 1, DeviceState::inputSettingCount);
    });
    table.add("rgbload %d %d", "rgbload n setting", "give RGB window n a stored input setting",
              [this](const CommandArgs& a) {
                  return onRgbWindow(a.numbers[0], [&](SimWindow& w) {
                      const int n = a.numbers[1];
                      std::string error =
                          rangeError("the setting", n, 1, DeviceState::inputSettingCount);
                      if (!error.empty())
                          return error;
                      const std::optional<VideoTiming>& setting =
                          state_.inputSettings[static_cast<std::size_t>(n - 1)];
                      if (!setting)
                          return formatLine(replies::errorEmptySetting, n);
                      setInputTiming(w, *setting);
                      return std::string();
                  });
              });
    table.add("rgbn %d %s", "rgbn n text", "name the next input setting stored from window n",
              [this](const CommandArgs& a) {
                  return onRgbWindow(a.numbers[0], [&](SimWindow& w) {
                      w.pendingName = settingName(a.text);
                      return std::string();
                  });
              });
    table.add("rgbs %d %d", "rgbs n setting", "store RGB window n's input timing as a setting",
              [this](const CommandArgs& a) {
                  return onRgbWindow(a.numbers[0], [&](SimWindow& w) {
                      const int n = a.numbers[1];
                      std::string error =
                          rangeError("the setting", n, 1, DeviceState::inputSettingCount);
                      if (!error.empty())
                          return error;
                      VideoTiming setting = w.inputTiming;
                      if (!w.pendingName.empty())
                          setting.name = w.pendingName;
                      state_.inputSettings[static_cast<std::size_t>(n - 1)] = setting;
                      w.pendingName.clear();
                      return std::string();
                  });
              });
    table.add(
        "rgbdel %d", "rgbdel setting", "delete an input setting", [this](const CommandArgs& a) {
            const int n = a.numbers[0];
            std::string error = rangeError("the setting", n, 1, DeviceState::inputSettingCount);
            if (error.empty())
                state_.inputSettings[static_cast<std::size_t>(n - 1)].reset();
            return error;
        });
}

} // namespace kivo::sim
