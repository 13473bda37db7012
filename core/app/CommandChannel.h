#pragma once

#include "core/app/Strings.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kivo {

class CaptionControl;
class Clock;
class EditControl;
class KeyState;
class PanelApp;
class ProcessExit;
class ProgressSink;
class Prompter;
class TerminalSink;
class TrackbarControl;

// The one way the panel talks to the Quadrix: a command line out, the reply back, following
// paged output, echoing the traffic into the Terminal, logging start-up reads, and ending the
// program on a dead link or the operator's Alt+Shift abort during a bring-up.
class CommandChannel {
public:
    // Every caller collects at most this many characters of a reply.
    static constexpr std::size_t replyLimit = 4607;
    // A device that pages forever must not hold the panel: paging stops after this many pages.
    static constexpr int maxContinuations = 256;

    struct Seams {
        Clock& clock;
        KeyState& keys;
        Prompter& prompter;
        ProcessExit& processExit;
    };

    // `windowCount` is the device mirror's; it paces the bring-up progress bar.
    CommandChannel(PanelApp& app, Seams seams, const unsigned& windowCount);

    // Null while there is no Terminal page or no progress display.
    void setTerminal(TerminalSink* terminal) { terminal_ = terminal; }
    void setProgress(ProgressSink* progress) { progress_ = progress; }

    // Sends one command without reading; returns the bytes written, 0 when nothing was sent.
    std::size_t sendCommand(std::string text);
    // Reads until the device falls silent; returns the length of rawReply.
    std::size_t readReply(std::size_t limit = replyLimit);
    // Send and collect the whole (paged) reply into collectedReply; return its length.
    std::size_t sendAndCollect(StringId command, bool retry);
    std::size_t sendTextAndCollect(const std::string& command, bool retry);
    void echoToTerminal(std::string_view text);
    // The Terminal page's reader: each chunk shows as it arrives. It neither logs nor counts
    // failed reads nor checks for the abort; a failed read is reported. Returns whether the
    // last read succeeded.
    bool ReadCommForTerm(std::size_t limit = replyLimit);

    // Checks of a value typed into an edit box before it goes to the device. Each returns true
    // when the caller may go on; false when the value was refused, in which case the operator
    // has been told why and the box holds the old value again, selected and focused. A box the
    // operator did not change, or any box while a bring-up runs, passes unchecked.

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
    std::size_t collect(const std::string& command, bool retry, int retryPauseMs);
    bool followsMore();
    void echoCommand(const std::string& command);
    void showReceived(const std::string& displayText);
    void reportBadTerminalRead();
    void stepProgress();
    void checkLinkAndAbort();
    void endProgram();
    bool shouldCheck(const EditControl& edit) const;
    void refuse(EditControl& edit, const std::string& message, const std::string& restored);

    PanelApp& app_;
    Seams seams_;
    const unsigned& windowCount_;
    TerminalSink* terminal_ = nullptr;
    ProgressSink* progress_ = nullptr;
};

} // namespace kivo
