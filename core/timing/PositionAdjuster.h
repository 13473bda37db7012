#pragma once

#include <string>

namespace kivo {

class CommandChannel;
class PanelApp;
class Prompter;
class TimingTarget;

// The keys of the adjustment dialogs.
enum class AdjustKey {
    left,
    right,
    up,
    down,
    switchImages,
    increaseWidth,
    decreaseWidth,
    increaseHeight,
    decreaseHeight,
};

// The device's interactive adjustment of the output picture or of an RGB window's input
// picture, in which it takes single keys without a line end: started by the opener, each key
// sent at once as its byte, ended with "q". Ended by Cancel, the target's timing as it was
// before goes back to the device; either way the timing is read again.
class PositionAdjuster {
public:
    struct Seams {
        PanelApp& app;
        CommandChannel& channel;
        Prompter& prompter;
    };

    // The output picture; older firmware (2.021 and before) has up and down the other way.
    static PositionAdjuster forOutput(Seams seams, TimingTarget& output, double firmwareRevision);
    // The input picture of the RGB window `input` belongs to, and its width and height.
    static PositionAdjuster forInput(Seams seams, TimingTarget& input);

    // Starts the device's adjustment mode; false when the device refused (the operator has
    // seen its reply) and the dialog must not open.
    bool start();
    bool running() const { return running_; }
    // Sends the key's byte while the adjustment runs; a key the dialog lacks sends nothing.
    void press(AdjustKey key);
    // OK keeps the adjustment; Cancel, or closing the dialog any other way, undoes it.
    void finish(bool keep);

private:
    enum class Picture { output, input };
    PositionAdjuster(Seams seams, TimingTarget& target, Picture picture, bool upIsK);
    std::string keyCommand(AdjustKey key) const;

    Seams s_;
    TimingTarget& target_;
    Picture picture_;
    bool upIsK_;
    bool running_ = false;
};

} // namespace kivo
