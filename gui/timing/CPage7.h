#pragma once

#include "app/PropertyPage.h"

namespace kivo::gui {

// The Quadrix Output page: the output timing and the output timing list. Its controls are
// still to come.
class CPage7 final : public PropertyPage {
    Q_OBJECT
public:
    static constexpr int helpContextId = 5;

    explicit CPage7(QWidget* parent);
};

} // namespace kivo::gui
