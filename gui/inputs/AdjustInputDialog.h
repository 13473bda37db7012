#pragma once

#include "gui/timing/AdjustDialog.h"

namespace kivo::gui {

// Adjust Input: moves RGB window `window`'s input picture and changes its width and height.
class AdjustInputDialog final : public AdjustDialog {
    Q_OBJECT
public:
    AdjustInputDialog(PanelSession& session, int window, QWidget* parent);

private:
    QGroupBox* createSizeGroup();
};

} // namespace kivo::gui
