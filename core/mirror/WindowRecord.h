#pragma once

#include "core/base/Rect.h"
#include "core/mirror/CanvasGeometry.h"
#include "core/timing/TimingRecord.h"
#include "core/timing/WindowInput.h"

#include <optional>
#include <string>

namespace kivo {

// One of the Quadrix's video windows as the panel last knew it.
struct WindowRecord {
    int priority = 0; // 1 front-most, 2 the next, ...; 0 off
    bool present = false;
    bool disabledByPanel = false;
    Rect viewRect;                      // the frame on the canvas, in canvas pixels
    Rect sourceRect{0, 0, 640, 480};    // input pixels ("wsr")
    Rect restoreRect;                   // the view rectangle before a drag or maximising
    Rect fullRect = canvas::canvasRect; // the view rectangle of the window maximised
    Rect destRect;                      // output pixels ("wdr"), as last sent or read
    // The view rectangle destRect was last taken from or shown as, once there is one: while
    // the frame stays there, destRect holds exactly and is not recomputed through canvas pixels.
    std::optional<Rect> placedView;
    int canvasWidth = 640;
    int canvasHeight = 480;
    bool maximised = false;
    InputType inputType = InputType::video;
    int brightness = 0;
    int contrast = 0;
    int saturation = 0;
    int hue = 0;
    double gamma = 1.0;
    bool motionFilterOn = false;
    bool frozen = false;
    InputConnector inputConnector = InputConnector::composite;
    bool showSourceFrame = true;
    bool inputAuto = false;
    bool blink = false;
    int zoomStepX = 32;
    int zoomStepY = 24;
    int inputWidth = 640;
    int inputHeight = 480;
    int sourceWidth = 0;
    int sourceHeight = 0;
    Rect adjustRect{64, 48, 576, 432};
    int sourceMinLeft = 0;
    int sourceMinTop = 0;
    std::string description;
    std::string sourceText;    // "left top width height"
    std::string inputSizeText; // "0 0 width height"
    TimingRecord inputTiming = TimingRecord::defaultCurrent();

    // The input picture's size and what follows from it: the zoom and pan steps, the limits
    // of the source rectangle and the full-source text.
    void setInputSize(int width, int height)
    {
        inputWidth = width;
        inputHeight = height;
        zoomStepX = width / 20;
        zoomStepY = height / 20;
        adjustRect = {width / 10, height / 10, width - width / 10, height - height / 10};
        inputSizeText = "0 0 " + std::to_string(width) + " " + std::to_string(height);
    }
};

} // namespace kivo
