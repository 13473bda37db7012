#pragma once

#include "core/base/EditControl.h"

class QLineEdit;

namespace kivo::gui {

// A QLineEdit as the core's numeric-entry checks see an edit box.
class LineEditControl final : public EditControl {
public:
    explicit LineEditControl(QLineEdit& edit) : edit_(edit) {}

    std::string text() const override;
    void replaceText(const std::string& text) override;
    void selectAll() override;
    bool isModified() const override;
    void clearModified() override;
    void takeFocus() override;

private:
    QLineEdit& edit_;
};

} // namespace kivo::gui
