#pragma once

#include "core/base/CaptionControl.h"
#include "core/base/PanelContext.h"
#include "core/image/AutoRepeat.h"
#include "core/image/ImageLevels.h"
#include "core/image/SourceSteps.h"
#include "core/mirror/WindowReadback.h"
#include "core/protocol/NumericEntry.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace kivo {

class EditControl;
class PanelSession;
class TrackbarControl;
class VirtualScreen;
struct WindowRecord;

// The Image Controls page without its widgets: which window is adjusted, its source rectangle
// (zoom, pan, centring, a typed rectangle, all sent as "wsr"), its picture levels, freeze and
// motion filter, each sent to the device at once and kept in the mirror. The page's controls
// call it and then draw what it holds.
class ImageControls {
public:
    // A slider sends at most one level command in this time.
    static constexpr int levelSendIntervalMs = 200;
    // An RGB window's controls are refreshed this long after the page comes to the front.
    static constexpr int deferredRefreshMs = 100;

    ImageControls(PanelContext context, VirtualScreen& screen);
    ImageControls(PanelSession& session, VirtualScreen& screen);

    // The window the page adjusts: the current one, or the front one when there is none.
    int window() const;
    const WindowRecord& windowRecord() const;
    unsigned windowCount() const;
    // A window's radio button: its number with its mnemonic, and its description.
    std::string windowCaption(int number) const;

    bool zoomInLimit() const { return zoomInLimit_; }
    ButtonStates buttons() const { return buttonStates(windowRecord(), zoomInLimit_); }
    LevelDisplay level(Level level) const { return levelDisplay(windowRecord(), level); }
    bool motionFilterEnabled() const { return motionFilterApplies(windowRecord()); }
    const std::string& sourceBoxText() const { return sourceBox_; }
    const std::string& fullSourceText() const { return fullSource_; }
    const std::string& freezeCaption() const { return freezeButton_.caption; }
    const std::string& motionCaption() const { return motionButton_.caption; }

    // The page comes to the front. True when an RGB window's refresh must wait for the
    // deferred tick (the device may still be busy with the page that was in front).
    bool activate();
    void deferredRefresh();
    void selectWindow(int number);

    // One click of a zoom or pan button, or one automatic repeat of it.
    void step(ZoomKind kind);
    AutoRepeat& autoRepeat(ZoomKind kind);
    // A beat of a held button's timer: false when the timer is to stop.
    bool repeatTick(ZoomKind kind);
    // The window's whole input as its source.
    void unzoom();
    void centerHorizontally();
    void centerVertically();

    // The Source Rectangle box committed; false keeps the focus in the box.
    bool sourceTextCommitted(EditControl& box);
    // Sets window `number`'s source as the box does: left and top inside the input, width and
    // height above 0 and cut at the input's edges. False, after telling the operator why,
    // when the rectangle is refused.
    bool setSourceRectangle(int number, const SourceRequest& request);

    // A level's trackbar moved or let go by the operator.
    void levelSliderMoved(Level level, int position);
    void levelSliderReleased(Level level);
    // A level's edit committed; false keeps the focus in the edit.
    bool levelEdited(Level level, EditControl& edit, TrackbarControl& trackbar);
    // Sets window `number`'s level from text as the level's edit does; false, after telling
    // the operator why, when the value is refused, and false while the panel is not idle.
    bool setLevel(int number, Level level, const std::string& text);
    void restoreDefaults();

    void toggleFreeze();
    void toggleMotionFilter();
    // The window's size on the output as the device last reported it, whether it is on or not.
    void restoreInitialSize();

private:
    // A button caption the core sets and the page draws.
    struct Caption final : CaptionControl {
        void setCaption(const std::string& text) override { caption = text; }
        std::string caption;
    };

    WindowRecord& record(int number);
    bool validWindow(int number) const;
    // The window a zoom or pan step works on, which then becomes the current one.
    int stepWindow();
    // The freeze and motion captions and the two rectangle boxes from the window's record.
    void showWindowState();
    void refreshRgbSource();
    void readInputSizeBack(int number);
    void readSourceBack(int number);
    void sendSource(int number, const Rect& source);
    // A change of the picture shows it live again.
    void unfreeze(int number);
    void unfreezeWhenIdle(int number);
    void sendLevel(const std::string& command);
    bool enterLevel(int number, Level level, EditControl& edit, TrackbarControl& trackbar);
    void restoreLevel(int number, Level level, int position);
    void center(Rect (*centered)(const WindowRecord&));
    // After a zoom-in that the device did not follow, the source it had is put back.
    void undoRefusedZoomIn(int number, const Rect& before);

    PanelContext c_;
    VirtualScreen& screen_;
    WindowReadback readback_;
    NumericEntry numericEntry_;
    std::array<AutoRepeat, zoomKindCount> repeats_{};
    bool zoomInLimit_ = false;
    std::string sourceBox_;
    std::string fullSource_;
    Caption freezeButton_;
    Caption motionButton_;
    // When a slider last sent a level, and the command it held back since.
    std::optional<std::int64_t> levelSendTick_;
    std::optional<std::string> heldBackLevel_;
};

} // namespace kivo
