#pragma once

#include "gui/app/PropertyPage.h"

namespace kivo::gui {

// The Virtual Screen page: the scaled picture of the output screen on which windows are
// moved, sized, stacked and switched. Its canvas and controls are still to come.
class CPage4 final : public PropertyPage {
    Q_OBJECT
public:
    static constexpr int helpContextId = 3;

    explicit CPage4(QWidget* parent);
};

} // namespace kivo::gui
