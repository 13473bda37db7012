#pragma once

#include <string>

namespace kivo {

// An edit box as the numeric-entry checks see it, so they run and are tested without widgets.
class EditControl {
public:
    virtual ~EditControl() = default;
    virtual std::string text() const = 0;
    // Selects the whole text and replaces it, as if the operator had typed over it.
    virtual void replaceText(const std::string& text) = 0;
    virtual void selectAll() = 0;
    // True once the operator has changed the text since the panel last put text in.
    virtual bool isModified() const = 0;
    virtual void clearModified() = 0;
    virtual void takeFocus() = 0;
};

} // namespace kivo
