#pragma once

#include "core/presentations/Shot.h"
#include "core/protocol/CommandChannel.h"
#include "core/screen/GroupCommands.h"
#include "core/screen/VirtualScreen.h"

#include <array>
#include <string>
#include <vector>

namespace kivo {

class Clock;

// Shows shots: `applyShot` puts a shot into the mirror (and so onto the canvas), then
// `sendConfiguration` brings the device to it with as few commands as it can: when a single
// window changed, only that window's commands, spaced so the device can follow; otherwise the
// whole configuration. Also the ten window buttons that switch single windows while shots are
// built; Alt held switches a window off for every shot until its button is clicked again.
class ShotDisplay {
public:
    // What differs for the one window that changed.
    enum Change : int {
        rectangle = 1,
        priority = 2,
        goesOn = 4,
        goesOff = 8,
    };

    ShotDisplay(ScreenContext context, VirtualScreen& screen, Clock& clock);

    void applyShot(const Shot& shot);
    void sendConfiguration();
    // The window button of window `number`; `altHeld` at the time of the click.
    void toggleWindow(int number, bool altHeld);

    // "&3+" for window 3 on, "&3-" off, "&3d" switched off with Alt held.
    std::string buttonLabel(int number) const;
    // "Presentation Control ", with the windows switched off with Alt held listed.
    std::string groupTitle() const;
    // The hold time of the shot shown last: new shots start from it.
    int lastShownMsecs() const { return lastShownMsecs_; }
    int changedWindow() const { return changedWindow_; }
    int changeMask() const { return changeMask_; }
    // How the device took the shot sent last: the first command it refused or left
    // unanswered.
    const AnswerCheck& delivery() const { return delivery_; }
    // "the Quadrix refused "wdr 3 ..." (Error: busy)", or empty when the shot was taken.
    std::string deliveryProblem() const;
    // What the operator would not guess about the shot shown last: windows it shows that were
    // left off, a shot kept off the device by On Apply Only, commands the device did not take.
    // One note a line; empty when there is nothing to say.
    std::string notes() const;

private:
    DeviceMirror& mirror() const;
    int windowCount() const;
    // The place the shot gives a window, or 0 when the window must stay off: switched off with
    // Alt held, or an RGB input whose timing is not locked.
    int shownPriority(const Shot& shot, int number) const;
    void findSingleChange(const Shot& shot);
    void sendSingleWindow();
    void sendWhole();
    void renumber();
    void sendCommands();

    ScreenContext c_;
    VirtualScreen& screen_;
    Clock& clock_;
    GroupCommands group_;
    int changedWindow_ = -1; // a window number; -1 none
    int changeMask_ = 0;
    int lastShownMsecs_ = Shot::fallbackMsecs;
    // RGB windows the last shot shows that stayed off, their input not locked.
    std::vector<int> unlockedLeftOff_;
    bool sentOnApplyOnly_ = false;
    AnswerCheck delivery_;
    // The place a window had when its button switched it off: it goes back there.
    std::array<int, Shot::windows> rememberedPriority_{};
};

} // namespace kivo
