#pragma once

#include <string>

namespace kivo {

// The Terminal page's text, as the command channel sees it: it reads the current text
// and replaces it with a longer one. Absent until the page exists.
class TerminalSink {
public:
    virtual ~TerminalSink() = default;
    virtual std::string text() const = 0;
    // Sets the whole text and puts the caret at `caret`, scrolled into view.
    virtual void setText(const std::string& text, std::size_t caret) = 0;
    // Adds text at the end, with the caret after it, and shows it at once.
    virtual void appendText(const std::string& text) = 0;
};

} // namespace kivo
