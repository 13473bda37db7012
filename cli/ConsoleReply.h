#pragma once

#include <string>
#include <string_view>

namespace kivo::cli {

// A reply as a terminal shows it: device line breaks become plain line feeds.
std::string forConsole(std::string_view reply);

// Only the device's answer to `command`: without the line that echoes the command and without
// the prompt that ends the reply, for scripts that read what kivo-cli prints.
std::string answerOnly(std::string_view reply, std::string_view command);

// A message (a device's refusal, a page's text written for a message box) as one line of
// stderr: its lines joined by a blank, without empty lines or the device's prompt.
std::string oneLine(std::string_view message);

} // namespace kivo::cli
