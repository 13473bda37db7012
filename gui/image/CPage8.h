#pragma once

#include "gui/app/PropertyPage.h"

namespace kivo::gui {

// The Image Controls page: each window's zoom, pan, source rectangle and picture levels.
// Its controls are still to come.
class CPage8 final : public PropertyPage {
    Q_OBJECT
public:
    static constexpr int helpContextId = 4;

    explicit CPage8(QWidget* parent);
};

} // namespace kivo::gui
