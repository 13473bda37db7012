#pragma once

#include "core/mirror/DeviceMirror.h"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace kivo {

// The device's replies about its windows, read into values. Each parser is a pure function of
// the reply text; a reply that is empty or says "Error" gives nothing, so the caller keeps
// what it had.

// "id": the input kind of each window the device lists ("comp" video, "rgb" RGB), in order, and
// the window count that follows (10 when the reply names none or more than 10).
struct WindowTypes {
    unsigned count = DeviceMirror::maxWindows;
    std::vector<InputType> types; // of the first windows, at most maxWindows
};
WindowTypes parseWindowTypes(std::string_view idReply);

// "priority all": the windows front to back.
struct Stacking {
    unsigned listLength = 0; // numbers in the reply, never fewer than the window count
    std::array<int, DeviceMirror::maxWindows> priorities{}; // by window index; 0 not placed
    std::optional<int> front; // zero-based index of the window at position 1
};
std::optional<Stacking> parseStacking(std::string_view reply, unsigned windowCount);

// "win all": whether each window is on, in window order, for as many windows as it lists.
std::optional<std::vector<bool>> parseOnOff(std::string_view reply, unsigned windowCount);

// "wsr n" and "wdr n": a rectangle as left, top, width, height; with five numbers the first
// is the window number. Sizes below zero and edges beyond 65535 pixels are no rectangle.
struct RectReply {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
std::optional<RectReply> parseWindowRect(std::string_view reply);

// Whether a refusal says the device has no such window ("Error: there is no window 5"), as
// opposed to one that passes ("Error: busy") and says nothing about the window.
bool saysNoSuchWindow(std::string_view reply);

// "mwsr n": an RGB window, or a video window's input size (640 x 480 when the reply holds no
// size a video input can have).
struct InputSize {
    InputType type = InputType::video;
    int width = 640;
    int height = 480;
};
std::optional<InputSize> parseInputSize(std::string_view reply);

// Level replies ("bright n", "gamma n", ...): the value, after the window number when the
// device repeats it in front.
std::optional<int> parseLevel(std::string_view reply);
std::optional<double> parseRealLevel(std::string_view reply);
// "motion n" and "freeze n": whether the reply says "on".
std::optional<bool> parseSwitch(std::string_view reply);
// "input n": whether the window takes S-video.
std::optional<bool> parseSvideo(std::string_view reply);

} // namespace kivo
