#pragma once

#include "core/output/ChromaKey.h"

#include <QDialog>

#include <array>

class QAbstractButton;
class QGroupBox;
class QLayout;
class QRadioButton;
class QSlider;

namespace kivo {
class PanelSession;
} // namespace kivo

namespace kivo::gui {

class CheckedEdit;

// The ChromaKey Controls dialog: the chroma key mode, its six limits as trackbars and boxes,
// and the colour presets. It reads the device each time it opens and sends every change.
class ChromaKeyDialog final : public QDialog {
    Q_OBJECT
public:
    ChromaKeyDialog(PanelSession& session, QWidget* parent);

    // Reads the mode and limits from the device and shows them.
    void initialise();

private:
    QLayout* createModeGroup();
    QGroupBox* createLimitsGroup();
    QGroupBox* createPresetsGroup();
    void addLimitRow(ChromaLimit limit, QWidget* parent);
    void endTracking();
    void limitMoved(ChromaLimit limit, int position);
    bool limitTyped(ChromaLimit limit, CheckedEdit& edit);
    void showLimits();
    void showMode();

    ChromaKeyControl control_;
    QRadioButton* insert_;
    QRadioButton* chromaKey_;
    QGroupBox* limitsGroup_ = nullptr;
    QGroupBox* presetsGroup_ = nullptr;
    std::array<QSlider*, chromaLimitCount> sliders_{};
    std::array<CheckedEdit*, chromaLimitCount> edits_{};
};

} // namespace kivo::gui
