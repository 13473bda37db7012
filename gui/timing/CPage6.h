#pragma once

#include "app/PropertyPage.h"

namespace kivo::gui {

// The Quadrix Inputs page: each window's input timing and the input timing list. Its
// controls are still to come.
class CPage6 final : public PropertyPage {
    Q_OBJECT
public:
    static constexpr int helpContextId = 6;

    explicit CPage6(QWidget* parent);
};

} // namespace kivo::gui
