#pragma once

#include "core/base/EditControl.h"

#include <string>

namespace kivo {

// A value given as text without an edit box (a command-line argument), so that it goes
// through the same checks as a value typed into the page's box.
class TextEntry final : public EditControl {
public:
    explicit TextEntry(std::string text) : text_(std::move(text)) {}

    std::string text() const override { return text_; }
    void replaceText(const std::string& text) override { text_ = text; }
    void selectAll() override {}
    // The value was given on purpose, so it is always checked.
    bool isModified() const override { return true; }
    void clearModified() override {}
    void takeFocus() override {}

private:
    std::string text_;
};

} // namespace kivo
