#pragma once

#include "gui/app/PropertyPage.h"

namespace kivo::gui {

// The Presentation Engine page: stored sequences of window layouts, edited and played back.
// Its lists and player are still to come.
class CPage5 final : public PropertyPage {
    Q_OBJECT
public:
    static constexpr int helpContextId = 37;

    explicit CPage5(QWidget* parent);
};

} // namespace kivo::gui
