#pragma once

#include <string>

namespace kivo {

// A button whose caption tells the state it toggles, such as the freeze button.
class CaptionControl {
public:
    virtual ~CaptionControl() = default;
    virtual void setCaption(const std::string& caption) = 0;
};

} // namespace kivo
