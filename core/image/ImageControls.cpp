#include "core/image/ImageControls.h"

#include "core/base/Clock.h"
#include "core/base/EditControl.h"
#include "core/base/Prompter.h"
#include "core/base/Text.h"
#include "core/base/TrackbarControl.h"
#include "core/image/RangeTrackbar.h"
#include "core/image/TextEntry.h"
#include "core/link/PanelApp.h"
#include "core/mirror/PanelState.h"
#include "core/panel/PanelSession.h"
#include "core/protocol/CommandChannel.h"
#include "core/screen/VirtualScreen.h"

#include <algorithm>

namespace kivo {
namespace {

constexpr double firstOnOffMotionFirmware = 3.0;
// A zoom-in the device followed leaves the source at most this much above the size asked.
constexpr int shrinkTolerance = 5;
constexpr int tenthWindow = 10;

std::size_t slot(ZoomKind kind) { return static_cast<std::size_t>(kind) - 1; }

} // namespace

ImageControls::ImageControls(PanelContext context, VirtualScreen& screen)
    : c_(context), screen_(screen), readback_(context),
      numericEntry_(context.app, context.channel, context.prompter)
{
    freezeButton_.setCaption(std::string(loadString(StringId::freezeImageCaption)));
    motionButton_.setCaption(std::string(loadString(StringId::motionFilterOnCaption)));
}

ImageControls::ImageControls(PanelSession& session, VirtualScreen& screen)
    : ImageControls(PanelContext{session.app(), session.channel(), session.state(),
                                 session.seams().clock, session.seams().prompter,
                                 session.seams().pages, session.seams().progress},
                    screen)
{
}

unsigned ImageControls::windowCount() const
{
    return std::clamp(c_.state.mirror.windowCount, 1u, DeviceMirror::maxWindows);
}

bool ImageControls::validWindow(int number) const
{
    return number >= 1 && number <= static_cast<int>(windowCount());
}

int ImageControls::window() const
{
    if (validWindow(c_.app.currentWindow))
        return c_.app.currentWindow;
    return validWindow(c_.app.topWindow) ? c_.app.topWindow : 1;
}

const WindowRecord& ImageControls::windowRecord() const { return c_.state.mirror.window(window()); }

WindowRecord& ImageControls::record(int number) { return c_.state.mirror.window(number); }

int ImageControls::stepWindow()
{
    c_.app.currentWindow = window();
    return c_.app.currentWindow;
}

std::string ImageControls::windowCaption(int number) const
{
    std::string caption = number == tenthWindow ? std::string(loadString(StringId::window10Caption))
                                                : "&" + std::to_string(number);
    const std::string& description = c_.state.mirror.window(number).description;
    if (!description.empty())
        caption += formatString(StringId::windowDescriptionSuffix, description.c_str());
    return caption;
}

bool ImageControls::activate()
{
    zoomInLimit_ = false;
    if (!c_.app.idle)
        return false;
    c_.app.currentWindow = window();
    if (windowRecord().inputType == InputType::rgb)
        return true;
    showWindowState();
    return false;
}

void ImageControls::deferredRefresh()
{
    showWindowState();
    refreshRgbSource();
}

void ImageControls::selectWindow(int number)
{
    if (!validWindow(number))
        return;
    c_.app.currentWindow = number;
    zoomInLimit_ = false;
    refreshRgbSource();
    showWindowState();
}

void ImageControls::showWindowState()
{
    const WindowRecord& w = windowRecord();
    motionButton_.setCaption(std::string(loadString(
        w.motionFilterOn ? StringId::motionFilterOffCaption : StringId::motionFilterOnCaption)));
    freezeButton_.setCaption(std::string(
        loadString(w.frozen ? StringId::unfreezeImageCaption : StringId::freezeImageCaption)));
    sourceBox_ = w.sourceText;
    fullSource_ = w.inputSizeText;
}

void ImageControls::refreshRgbSource()
{
    const int number = window();
    if (record(number).inputType == InputType::rgb) {
        readInputSizeBack(number);
        readSourceBack(number);
    }
    sourceBox_ = record(number).sourceText;
    fullSource_ = record(number).inputSizeText;
}

void ImageControls::readInputSizeBack(int number)
{
    readback_.readInputSize(number);
    // An RGB input's size comes from its timing, which sets only the size itself.
    WindowRecord& w = record(number);
    w.setInputSize(w.inputWidth, w.inputHeight);
}

void ImageControls::readSourceBack(int number)
{
    readback_.readWindowRect(StringId::windowSourceQuery, number);
    sourceBox_ = record(number).sourceText;
}

void ImageControls::sendSource(int number, const Rect& source)
{
    WindowRecord& w = record(number);
    w.sourceRect = source;
    w.sourceWidth = source.width();
    w.sourceHeight = source.height();
    // Until the device says otherwise, the source is what was sent.
    w.sourceText = formatString(StringId::sourceRectFormat, source.left, source.top, source.width(),
                                source.height());
    c_.channel.sendTextAndCollect(formatString(StringId::sourceCommand, number, source.left,
                                               source.top, source.width(), source.height()),
                                  false);
}

void ImageControls::unfreeze(int number)
{
    freezeButton_.setCaption(std::string(loadString(StringId::freezeImageCaption)));
    record(number).frozen = false;
}

void ImageControls::unfreezeWhenIdle(int number)
{
    if (c_.app.idle)
        unfreeze(number);
}

AutoRepeat& ImageControls::autoRepeat(ZoomKind kind) { return repeats_.at(slot(kind)); }

bool ImageControls::repeatTick(ZoomKind kind)
{
    if (!autoRepeat(kind).tick())
        return false;
    step(kind);
    return true;
}

void ImageControls::step(ZoomKind kind)
{
    const int number = stepWindow();
    WindowRecord& w = record(number);
    const Rect before = w.sourceRect;
    const std::optional<SourceStep> next = stepSource(w, kind);
    if (!next)
        return;
    if (kind == ZoomKind::out)
        zoomInLimit_ = false;
    if (next->reachedZoomInLimit)
        zoomInLimit_ = true;
    unfreezeWhenIdle(number);
    sendSource(number, next->source);
    readSourceBack(number);
    if (kind == ZoomKind::in && w.inputType == InputType::rgb)
        undoRefusedZoomIn(number, before);
}

void ImageControls::undoRefusedZoomIn(int number, const Rect& before)
{
    WindowRecord& w = record(number);
    const bool shrunk = before.width() + shrinkTolerance >= w.sourceWidth + 2 * w.zoomStepX &&
                        before.height() + shrinkTolerance >= w.sourceHeight + 2 * w.zoomStepY;
    if (shrunk)
        return;
    sendSource(number, before);
    readSourceBack(number);
    zoomInLimit_ = true;
    autoRepeat(ZoomKind::in).stop();
    c_.prompter.tell(formatString(StringId::minimumSourceSize, before.width(), before.height()));
}

void ImageControls::unzoom()
{
    const int number = window();
    unfreezeWhenIdle(number);
    readInputSizeBack(number);
    readSourceBack(number);
    const WindowRecord& w = record(number);
    sendSource(number, {0, 0, w.inputWidth, w.inputHeight});
    readSourceBack(number);
    fullSource_ = w.inputSizeText;
    zoomInLimit_ = false;
}

void ImageControls::center(Rect (*centered)(const WindowRecord&))
{
    const int number = window();
    unfreezeWhenIdle(number);
    sendSource(number, centered(record(number)));
    readSourceBack(number);
}

void ImageControls::centerHorizontally() { center(centeredHorizontally); }

void ImageControls::centerVertically() { center(centeredVertically); }

bool ImageControls::sourceTextCommitted(EditControl& box)
{
    if (!c_.app.idle || !box.isModified())
        return true;
    const std::optional<SourceRequest> request = parseSourceText(box.text());
    if (!request)
        c_.prompter.tell(std::string(loadString(StringId::needFourSourceValues)));
    if (!request || !setSourceRectangle(window(), *request)) {
        // The box shows the rectangle in force, not the one the device never got.
        const Rect& source = windowRecord().sourceRect;
        sourceBox_ = formatString(StringId::sourceRectFormat, source.left, source.top,
                                  source.width(), source.height());
        box.replaceText(sourceBox_);
        box.takeFocus();
        box.clearModified();
        return false;
    }
    return true;
}

bool ImageControls::setSourceRectangle(int number, const SourceRequest& request)
{
    if (!validWindow(number))
        return false;
    const WindowRecord& w = record(number);
    // Checked before the cut, which could not take a left or top outside the input.
    if (request.left < w.sourceMinLeft || request.top < w.sourceMinTop ||
        request.left >= w.inputWidth || request.top >= w.inputHeight || request.width <= 0 ||
        request.height <= 0) {
        c_.prompter.tell(formatString(StringId::sourceOutsideInput, w.inputWidth, w.inputHeight));
        return false;
    }
    const int width = std::min(request.width, w.inputWidth - request.left);
    const int height = std::min(request.height, w.inputHeight - request.top);
    sendSource(number, {request.left, request.top, request.left + width, request.top + height});
    readSourceBack(number);
    sourceBox_ = formatString(StringId::sourceRectFormat, request.left, request.top, width, height);
    unfreeze(number);
    return true;
}

void ImageControls::levelSliderMoved(Level level, int position)
{
    const int number = window();
    WindowRecord& w = record(number);
    storeLevel(w, level, position);
    // Gamma goes to the device only when the thumb is let go.
    if (level == Level::gamma)
        return;
    const std::string command = levelCommandText(w, number, level);
    const std::int64_t now = c_.clock.nowMs();
    if (levelSendTick_ && now - levelSendIntervalMs <= *levelSendTick_) {
        heldBackLevel_ = command;
        return;
    }
    sendLevel(command);
}

void ImageControls::levelSliderReleased(Level level)
{
    // A slider's last position must reach the device even when it came too soon after the
    // one before to be sent at once.
    if (level == Level::gamma)
        sendLevel(levelCommandText(windowRecord(), window(), level));
    else if (heldBackLevel_)
        sendLevel(*heldBackLevel_);
}

void ImageControls::sendLevel(const std::string& command)
{
    c_.channel.sendCommand(command);
    levelSendTick_ = c_.clock.nowMs();
    heldBackLevel_.reset();
    unfreeze(window());
}

bool ImageControls::levelEdited(Level level, EditControl& edit, TrackbarControl& trackbar)
{
    return enterLevel(window(), level, edit, trackbar);
}

bool ImageControls::setLevel(int number, Level level, const std::string& text)
{
    // While a bring-up runs the checks let every value pass unsent.
    if (!validWindow(number) || !c_.app.idle)
        return false;
    const LevelDisplay shown = levelDisplay(record(number), level);
    TextEntry entry(text);
    RangeTrackbar trackbar(shown.minimum, shown.maximum, shown.position);
    return enterLevel(number, level, entry, trackbar);
}

bool ImageControls::enterLevel(int number, Level level, EditControl& edit,
                               TrackbarControl& trackbar)
{
    WindowRecord& w = record(number);
    if (level == Level::gamma)
        return numericEntry_.checkTrackedReal(StringId::gammaCommand, number, trackbar, edit,
                                              w.gamma, minimumGamma, maximumGamma, gammaScale);
    const bool checked = c_.app.idle && edit.isModified();
    if (!numericEntry_.checkTrackedInteger(levelCommand(level), number, trackbar, edit,
                                           freezeButton_, w.frozen))
        return false;
    if (checked)
        storeLevel(w, level, trackbar.position());
    return true;
}

void ImageControls::restoreLevel(int number, Level level, int position)
{
    storeLevel(record(number), level, position);
    c_.channel.sendCommand(levelCommandText(record(number), number, level));
}

void ImageControls::restoreDefaults()
{
    const int number = window();
    const InputType input = record(number).inputType;
    restoreLevel(number, Level::brightness, 0);
    restoreLevel(number, Level::contrast, 100);
    restoreLevel(number, Level::gamma, static_cast<int>(gammaScale));
    if (input != InputType::rgb)
        restoreLevel(number, Level::saturation, 100);
    if (input == InputType::video)
        restoreLevel(number, Level::colour, 0);
    unfreeze(number);
}

void ImageControls::toggleFreeze()
{
    const int number = window();
    const bool frozen = freezeCaption() == loadString(StringId::unfreezeImageCaption);
    c_.channel.sendCommand(
        formatString(frozen ? StringId::freezeOffCommand : StringId::freezeOnCommand, number));
    freezeButton_.setCaption(std::string(
        loadString(frozen ? StringId::freezeImageCaption : StringId::unfreezeImageCaption)));
    record(number).frozen = !frozen;
}

void ImageControls::toggleMotionFilter()
{
    const int number = window();
    const bool on = contains(motionCaption(), "Off");
    const bool onOffWords = c_.state.mirror.firmwareRevision >= firstOnOffMotionFirmware;
    const StringId command =
        on ? (onOffWords ? StringId::motionOffCommand : StringId::motionFrameCommand)
           : (onOffWords ? StringId::motionOnCommand : StringId::motionFieldCommand);
    c_.channel.sendCommand(formatString(command, number));
    motionButton_.setCaption(std::string(
        loadString(on ? StringId::motionFilterOnCaption : StringId::motionFilterOffCaption)));
    record(number).motionFilterOn = !on;
}

void ImageControls::restoreInitialSize() { screen_.restoreInitialSize(window()); }

} // namespace kivo
