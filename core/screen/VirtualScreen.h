#pragma once

#include "core/base/Rect.h"
#include "core/screen/GroupCommands.h"

#include <string>

namespace kivo {

class CommandChannel;
class KeyState;
class PanelApp;
class PanelSession;
class Prompter;
struct DeviceMirror;
struct PanelState;

// What the Virtual Screen works with.
struct ScreenContext {
    PanelApp& app;
    CommandChannel& channel;
    PanelState& state;
    Prompter& prompter;
    KeyState& keys;
};

// The Virtual Screen without its widgets: switching, describing, arranging and placing windows
// on the mirror, and sending what changed to the device at once, or (in On Apply Only mode)
// when Apply sends the whole configuration. The page's controls and the canvas call it and
// then draw the mirror again.
class VirtualScreen {
public:
    explicit VirtualScreen(ScreenContext context);
    explicit VirtualScreen(PanelSession& session);

    bool onApplyOnly() const { return onApplyOnly_; }
    // Switching modes sends nothing.
    void setOnApplyOnly(bool onApplyOnly) { onApplyOnly_ = onApplyOnly; }
    bool sizingMarkers() const { return sizingMarkers_; }
    void setSizingMarkers(bool shown) { sizingMarkers_ = shown; }

    // Fits window `number`'s view rectangle to the canvas, derives its output rectangle and, in
    // Immediately mode, sends its stacking place and its rectangle.
    void sendWindowPlacement(int number);
    // Places window `number` at exactly this output rectangle, as the arrangements do: only
    // "wdr" is sent (in Immediately mode) and the view rectangle follows.
    void place(int number, const Rect& output);
    // Brings window `number` to the front; in Immediately mode the device hears of it.
    void raise(int number);
    // The window check box.
    void switchWindow(int number, bool on);
    // Sends everything: all windows off, each window's place and rectangle, then on or off.
    void apply();
    // Every window that is on goes back to the size the device last reported for it.
    void restoreInitialSizes();
    // One window, on or off, as the Image Controls page asks.
    void restoreInitialSize(int number);
    // Lays the windows that are on out by a preset (modes 2..7); an unknown mode is reported.
    // Returns whether anything was laid out.
    bool arrange(int mode);

    enum class UserOutcome { applied, stored, declined };
    // A User button: recalls a stored arrangement, or (Shift held, or not yet stored) asks and
    // stores the present layout; the page then moves the focus to the arrangement's name.
    UserOutcome userArrangement(int number);
    void setArrangementName(int number, const std::string& name);

    void setDescription(int number, const std::string& text);
    // Asks first; returns whether the descriptions were cleared.
    bool clearDescriptions();

private:
    DeviceMirror& mirror();
    unsigned windowCount() const;
    // The view rectangle kept on the canvas, and the output rectangle that follows from it.
    void fitToCanvas(int number);
    void sendPlacementLine(int number);
    void renumber();
    void applyUserArrangement(int number);
    void storeUserArrangement(int number);
    // Reports a failed ini write, so the operator knows the change will not last.
    void checkWritten(bool written);

    ScreenContext c_;
    GroupCommands group_;
    bool onApplyOnly_ = false;
    bool sizingMarkers_ = true;
};

} // namespace kivo
