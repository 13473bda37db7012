#pragma once

#include "core/base/CaptionControl.h"

class QAbstractButton;

namespace kivo::gui {

// A push button whose caption the core sets, such as the freeze button.
class ButtonCaption final : public CaptionControl {
public:
    explicit ButtonCaption(QAbstractButton& button) : button_(button) {}
    void setCaption(const std::string& caption) override;

private:
    QAbstractButton& button_;
};

} // namespace kivo::gui
