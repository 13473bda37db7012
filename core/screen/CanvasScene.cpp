#include "core/screen/CanvasScene.h"

#include "core/base/Strings.h"
#include "core/base/Text.h"
#include "core/mirror/CanvasGeometry.h"
#include "core/mirror/DeviceMirror.h"
#include "core/screen/WindowTracker.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace kivo {
namespace {

using canvas::canvasRect;

// The white inside of a frame: a 4-pixel border on three sides and an 11-pixel band on top.
constexpr int border = 4;
constexpr int topBand = 11;
// Label lines below the band, and the heights from which each shows.
constexpr int textLeft = 7;
constexpr int titleLine = 12;
constexpr int maximisedLeft = 103;
constexpr int stackingLine = 24;
constexpr int outputLine = 35;
constexpr int descriptionLine = 44;
constexpr int stackingFromHeight = 37;
constexpr int outputFromHeight = 45;
constexpr int descriptionFromHeight = 55;
// Up to this visible width the title is short.
constexpr int shortTitleWidth = 82;
// Description characters that fit: a quarter of the width inside the frame.
constexpr int descriptionCharacterWidth = 4;
constexpr int markerLeft = 14;
constexpr int markerRight = 28;
constexpr std::int64_t blinkPeriodMs = 600;

constexpr std::array<StringId, 10> stackingLabels{
    StringId::activeLabel, StringId::secondLabel, StringId::thirdLabel,   StringId::fourthLabel,
    StringId::fifthLabel,  StringId::sixthLabel,  StringId::seventhLabel, StringId::eighthLabel,
    StringId::ninthLabel,  StringId::tenthLabel,
};

// The first present window at `place` that shows on the canvas; 0 if none.
int windowAt(const DeviceMirror& mirror, int place)
{
    for (int number = 1; number <= static_cast<int>(DeviceMirror::maxWindows); ++number) {
        const WindowRecord& w = mirror.window(number);
        if (w.present && w.priority == place && w.viewRect.intersects(canvasRect))
            return number;
    }
    return 0;
}

// The part of the input the window shows, drawn inside its view rectangle, when it is not the
// whole input.
std::optional<Rect> sourceFrame(const WindowRecord& w)
{
    const Rect source = w.sourceRect.normalized();
    if (!w.showSourceFrame || w.inputWidth <= 0 || w.inputHeight <= 0)
        return std::nullopt;
    if (source.width() >= w.inputWidth && source.height() >= w.inputHeight)
        return std::nullopt;
    const Rect& v = w.viewRect;
    const auto x = [&](int sx) {
        return static_cast<int>(v.left + std::int64_t{v.width()} * sx / w.inputWidth);
    };
    const auto y = [&](int sy) {
        return static_cast<int>(v.top + std::int64_t{v.height()} * sy / w.inputHeight);
    };
    return Rect{x(source.left), y(source.top), x(source.right), y(source.bottom)};
}

std::string stackingLabel(int place, int visibleWidth, bool playing)
{
    if (place == 1 && (visibleWidth < canvas::minViewWidth || playing))
        return std::string(loadString(StringId::firstLabel));
    return std::string(loadString(stackingLabels.at(static_cast<std::size_t>(place - 1))));
}

std::vector<CanvasLabel> labelsOf(const DeviceMirror& mirror, int number, bool playing)
{
    const WindowRecord& w = mirror.window(number);
    const Rect visible = w.viewRect.intersected(canvasRect);
    const int left = visible.left + textLeft;
    const int band = visible.top + topBand;
    const int height = visible.bottom - band;
    std::vector<CanvasLabel> labels;
    const StringId title =
        visible.width() <= shortTitleWidth ? StringId::shortWindowTitle : StringId::windowTitle;
    labels.push_back(
        {formatString(title, number), {left, band + titleLine}, LabelFont::system, canvasRect});
    if (w.maximised)
        labels.push_back({std::string(loadString(StringId::maximisedLabel)),
                          {visible.left + maximisedLeft, band + titleLine},
                          LabelFont::system,
                          canvasRect});
    if (height >= stackingFromHeight && w.priority >= 1 && w.priority <= 10)
        labels.push_back({stackingLabel(w.priority, visible.width(), playing),
                          {left, band + stackingLine},
                          LabelFont::label,
                          canvasRect});
    if (height >= outputFromHeight) {
        const Rect d = outputRectOf(mirror, number);
        labels.push_back(
            {formatString(StringId::outputRectLabel, d.left, d.top, d.width(), d.height()),
             {left, band + outputLine},
             LabelFont::small,
             visible});
    }
    if (height >= descriptionFromHeight) {
        const int fits = (w.viewRect.width() - 2 * border) / descriptionCharacterWidth;
        labels.push_back({std::string(firstCharacters(w.description,
                                                      static_cast<std::size_t>(std::max(fits, 0)))),
                          {left, band + descriptionLine},
                          LabelFont::small,
                          visible});
    }
    return labels;
}

std::vector<Rect> handlesOf(const Rect& view)
{
    std::vector<Rect> shown;
    for (const auto& handle : WindowTracker::handles(view))
        if (handle)
            shown.push_back(*handle);
    return shown;
}

DrawnWindow drawWindow(const DeviceMirror& mirror, int number, const SceneOptions& options)
{
    const WindowRecord& w = mirror.window(number);
    const bool front = w.priority == 1;
    DrawnWindow drawn;
    drawn.number = number;
    drawn.frame = w.viewRect;
    drawn.frameColour = front && !options.playing ? canvasColours::active : canvasColours::inactive;
    drawn.inner = {w.viewRect.left + border, w.viewRect.top + topBand, w.viewRect.right - border,
                   w.viewRect.bottom - border};
    drawn.sourceFrame = sourceFrame(w);
    drawn.sourceColour = front ? canvasColours::active : canvasColours::inactive;
    drawn.labels = labelsOf(mirror, number, options.playing);
    if (const auto marker = markerRect(w, options.playing)) {
        const bool dark = w.blink && options.nowMs % blinkPeriodMs < blinkPeriodMs / 2;
        if (!dark) {
            drawn.marker = marker;
            drawn.markerColour = w.blink ? canvasColours::markerBlink : canvasColours::marker;
        }
    }
    if (front && options.sizingMarkers && !w.maximised && mirror.blinkEnabled == 0 &&
        !options.playing)
        drawn.handles = handlesOf(w.viewRect);
    return drawn;
}

} // namespace

std::optional<Rect> markerRect(const WindowRecord& w, bool playing)
{
    if (playing || (w.priority == 1 && w.maximised))
        return std::nullopt;
    const Rect visible = w.viewRect.intersected(canvasRect);
    const Rect marker{visible.left + markerLeft, visible.top, visible.left + markerRight,
                      visible.top + topBand};
    if (marker.intersected(canvasRect) != marker)
        return std::nullopt;
    return marker;
}

CanvasScene buildCanvasScene(const DeviceMirror& mirror, const SceneOptions& options)
{
    CanvasScene scene{canvasRect, {}};
    const auto count = std::min(mirror.windowCount, DeviceMirror::maxWindows);
    for (int place = static_cast<int>(count); place >= 1; --place)
        if (const int number = windowAt(mirror, place); number != 0)
            scene.windows.push_back(drawWindow(mirror, number, options));
    return scene;
}

} // namespace kivo
