#pragma once

#include "core/base/Strings.h"

#include <cstddef>
#include <string>

namespace kivo {

class CaptionControl;
class CommandChannel;
class EditControl;
class PanelApp;
class Prompter;
class TrackbarControl;

// Checks of a value typed into an edit box before it goes to the device. Each returns true
// when the caller may go on; false when the value was refused, in which case the operator has
// been told why and the box holds the old value again, selected and focused. A box the
// operator did not change, or any box while a bring-up runs, passes unchecked.
class NumericEntry {
public:
    NumericEntry(PanelApp& app, CommandChannel& channel, Prompter& prompter);

    // A level with a trackbar ("bright %d %d"): sent with `window` and the value when it lies
    // in the trackbar's range. A level change unfreezes the picture, so the freeze button and
    // the window's frozen flag are reset first.
    bool checkTrackedInteger(StringId command, int window, TrackbarControl& trackbar,
                             EditControl& edit, CaptionControl& freezeButton, bool& frozen);
    // A real level ("gamma %d %.01lf") within lower..upper; the trackbar shows value x scale.
    // `stored` is the value last sent: it is put back on refusal and updated on acceptance.
    bool checkTrackedReal(StringId command, int window, TrackbarControl& trackbar,
                          EditControl& edit, double& stored, double lower, double upper,
                          double scale);
    // A timing value within lower..upper; sets PanelApp::timingEdited on acceptance. A box that
    // starts with a letter is emptied rather than argued with.
    bool checkRangedInteger(EditControl& edit, int previous, int lower, int upper);
    static void truncateEditText(EditControl& edit, const std::string& text, std::size_t maxLength);

private:
    bool shouldCheck(const EditControl& edit) const;
    void refuse(EditControl& edit, const std::string& message, const std::string& restored);

    PanelApp& app_;
    CommandChannel& channel_;
    Prompter& prompter_;
};

} // namespace kivo
