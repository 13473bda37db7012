#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace kivo {

class Clock;
class CommandChannel;
class EditControl;
class Prompter;

// The six chroma key limits in the order the limits command takes them.
enum class ChromaLimit { redMin, redMax, greenMin, greenMax, blueMin, blueMax };
inline constexpr int chromaLimitCount = 6;

// The limits in millivolts. A minimum never passes its maximum.
struct ChromaKeyLimits {
    static constexpr int lowest = -270;
    static constexpr int highest = 1250;
    static constexpr int defaultMinimum = lowest;
    static constexpr int defaultMaximum = 175;

    std::array<int, chromaLimitCount> values{defaultMinimum, defaultMaximum, defaultMinimum,
                                             defaultMaximum, defaultMinimum, defaultMaximum};

    int operator[](ChromaLimit limit) const { return values[static_cast<std::size_t>(limit)]; }
    int& operator[](ChromaLimit limit) { return values[static_cast<std::size_t>(limit)]; }
    // The values a limit may take: a minimum up to its maximum, a maximum down to its minimum.
    std::pair<int, int> bounds(ChromaLimit limit) const;
};

// The colour presets: each colour either low (-270 to 175 mV) or high (522 to 1250 mV).
enum class ChromaPreset { white, cyan, magenta, yellow, red, green, blue, black };
ChromaKeyLimits presetLimits(ChromaPreset preset);

// "ckc": the last six numbers of the reply; a missing one keeps its default. Values outside
// -270..1250 mV are held at the nearest end, and a minimum above its maximum is lowered to it.
ChromaKeyLimits parseChromaKeyLimits(std::string_view reply);
// "ck": whether the reply says "on".
bool parseChromaKeyOn(std::string_view reply);
// "ck" read back after a change: whether the mode is chroma key, or nothing when the reply
// is a refusal or says neither "on" nor "off".
std::optional<bool> readChromaKeyMode(std::string_view reply);
// "ckc" read back after a change: nothing when the reply is a refusal or holds fewer than six
// numbers, so defaults are never taken for what the device holds.
std::optional<ChromaKeyLimits> readChromaKeyLimits(std::string_view reply);
// The command that sets the six limits: "ckc" from firmware 3.0, "ckey limits" before.
std::string chromaLimitsCommand(const ChromaKeyLimits& limits, double firmwareRevision);

// The ChromaKey Controls dialog without its widgets: reads the mode and limits when it opens,
// and sends every change at once.
class ChromaKeyControl {
public:
    struct Seams {
        CommandChannel& channel;
        Prompter& prompter;
        Clock& clock;
    };
    // A second end of tracking this soon after the last one sends nothing: one drag can end
    // twice.
    static constexpr std::int64_t repeatedEndMs = 100;

    ChromaKeyControl(Seams seams, const double& firmwareRevision);

    void initialise();
    bool chromaKeyOn() const { return chromaKeyOn_; }
    const ChromaKeyLimits& limits() const { return limits_; }

    // Sends the mode and reads it back; false, the operator told why, when the device did not
    // take it. The mode is then the one read back (unchanged when none could be read).
    bool setChromaKey(bool on);
    // A trackbar moved to `position`; returns where the limit, its thumb and its box stay.
    int track(ChromaLimit limit, int position);
    // False when limits were sent and not taken; the limits are then those read back.
    bool endTracking();
    // An edit box committed; false when its text was refused (the operator has been told and
    // the box shows the limit again).
    bool commitEdit(ChromaLimit limit, EditControl& edit);
    // False when the device did not take the preset (the operator has been told).
    bool applyPreset(ChromaPreset preset);

private:
    // Sends the limits and reads them back; false, the operator told why, when the device did
    // not take them: the limits are then the device's, or the old ones after a refusal.
    bool sendLimits();

    Seams s_;
    const double& firmwareRevision_;
    bool chromaKeyOn_ = false;
    ChromaKeyLimits limits_;
    // The limits the device last took or reported, for a refusal to go back to.
    ChromaKeyLimits sentLimits_;
    std::optional<std::int64_t> lastEndMs_;
};

} // namespace kivo
