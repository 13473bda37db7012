#pragma once

#include "core/base/Strings.h"
#include "core/timing/TimingCalculator.h"
#include "core/timing/TimingRecord.h"

#include <array>
#include <string>

namespace kivo {

class CommandChannel;
class EditControl;
class NumericEntry;
class Prompter;
class TimingTarget;
struct TimingList;

// A timing dialog's boxes: the twelve values in the calculator's order, then the frequency.
inline constexpr int frequencyBox = timingFieldCount;
inline constexpr int timingBoxCount = timingFieldCount + 1;
using TimingBoxes = std::array<EditControl*, timingBoxCount>;

// The dialog's radio groups, each as the index of its checked button.
struct TimingRadios {
    int sync = 0;       // 0, 1, 2: three-, four-, five-wire; negative: the device reported none
    int hpol = 0;       // 0 positive, 1 negative
    int vpol = 0;       // 0 positive, 1 negative
    int interlaced = 0; // 0 yes, 1 no

    bool operator==(const TimingRadios&) const = default;
};

// What sets the Output Timing dialog and the Input Timing dialog apart.
struct TimingFormKind {
    StringId rejected;       // the device refused the timing
    StringId cancelQuestion; // before going back to the first timing; names the window if any
    bool needsSyncMode;      // without a reported sync wire count nothing is sent
    bool storesSignal;       // frequency, sync wires, polarities and interlace are applied too
};
inline constexpr TimingFormKind outputTimingForm{StringId::outputRejected,
                                                 StringId::cancelOutputQuestion, false, true};
inline constexpr TimingFormKind inputTimingForm{StringId::inputRejected,
                                                StringId::cancelInputQuestion, true, false};

// The Output Timing and Input Timing dialogs without their widgets: shows a timing in the
// boxes and radios, checks a box as it is committed, completes and sends the edited timing,
// goes back to the timing the dialog opened with, or reads it again.
class TimingForm {
public:
    struct Seams {
        CommandChannel& channel;
        Prompter& prompter;
        NumericEntry& numericEntry;
    };

    // `list` is the page's list, whose Delete waits for a new choice once a timing was sent.
    TimingForm(const TimingFormKind& kind, Seams seams, TimingTarget& target, TimingList& list,
               const TimingBoxes& boxes);

    // Keeps the timing as it is now for Cancel Changes, and shows it.
    void open();
    // Shows the target's timing: blank and total derived, the boxes unmodified.
    void fill();

    const TimingRadios& radios() const { return radios_; }
    void setRadios(const TimingRadios& radios) { radios_ = radios; }
    // Vertical active, frequency and the radios take input only when this holds.
    bool signalEditable() const;
    bool canApply() const;

    // The check of a box committed with Enter or Tab; false when its value was refused and
    // the old one put back. A box left empty is for the calculator to fill.
    bool check(int box);
    // Completes the boxes and sends the timing; false when nothing was taken.
    bool apply();
    // After asking: back to the timing the dialog opened with, sent again.
    bool cancelChanges();
    // Reads the timing from the device again and shows it.
    void reset();

private:
    void show(const TimingRecord& timing);
    void recompute(int direction);
    std::array<std::string, timingFieldCount> valueTexts() const;
    void store(const std::array<int, timingFieldCount>& values);

    const TimingFormKind& kind_;
    Seams s_;
    TimingTarget& target_;
    TimingList& list_;
    TimingBoxes boxes_;
    TimingRadios radios_;
    TimingRecord initial_;
};

} // namespace kivo
