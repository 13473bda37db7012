#pragma once

#include "gui/app/PropertyPage.h"

namespace kivo::gui {

// The Serial Port and Resets page: serial parameters, panel and factory resets, front panel
// lock and chroma key. Its controls are still to come.
class CPage3 final : public PropertyPage {
    Q_OBJECT
public:
    static constexpr int helpContextId = 7;

    explicit CPage3(QWidget* parent);
};

} // namespace kivo::gui
