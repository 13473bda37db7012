#pragma once

#include "gui/timing/AdjustDialog.h"

namespace kivo::gui {

// Adjust Output: moves the output picture, and switches between the device's top/left and
// bottom/right alignment images.
class AdjustOutputDialog final : public AdjustDialog {
    Q_OBJECT
public:
    AdjustOutputDialog(PanelSession& session, QWidget* parent);
};

} // namespace kivo::gui
