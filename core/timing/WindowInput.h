#pragma once

namespace kivo {

// What feeds a window: video up to 640 pixels wide, wider video (up to 800), or an RGB input.
enum class InputType { video = 0, wideVideo = 1, rgb = 2 };

// The connector a video window takes its picture from.
enum class InputConnector { composite = 0, svideo = 1, automatic = 2 };

} // namespace kivo
