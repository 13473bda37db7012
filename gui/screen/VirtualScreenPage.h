#pragma once

#include "gui/base/PropertyPage.h"

#include <array>

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace kivo {
class PanelSession;
class VirtualScreen;
struct DeviceMirror;
struct PanelState;
} // namespace kivo

namespace kivo::gui {

class CanvasWidget;
class CheckedEdit;

// The Virtual Screen page: the canvas, on which windows are moved, sized, stacked and swapped,
// and around it the controls that switch and describe windows, choose when changes reach the
// device, and lay the windows out by a preset or a stored user arrangement. Every control
// hands its action to the core's VirtualScreen and then draws the mirror again.
class VirtualScreenPage final : public PropertyPage {
    Q_OBJECT
public:
    static constexpr int helpContextId = 3;
    static constexpr int windowBoxes = 10;
    static constexpr int userArrangements = 4;

    VirtualScreenPage(PanelSession& session, VirtualScreen& screen, QWidget* parent);

    void onSetActive() override;

    CanvasWidget& canvas() { return *canvas_; }

    // What the bring-up asks of the page.
    void applyArrangement(int mode);
    void descriptionsLoaded();
    void redrawWindowControls();

    // A description or an arrangement name committed by Enter or Tab; always accepted.
    bool descriptionCommitted(CheckedEdit& box);
    bool arrangementNameCommitted(CheckedEdit& box);

private:
    QGroupBox* createCanvasGroup(PanelSession& session);
    QGroupBox* createMoveGroup();
    QGroupBox* createSizingGroup();
    QGroupBox* createWindowsGroup();
    QGroupBox* createUserGroup();
    QGroupBox* createArrangeGroup();
    void layOut(PanelSession& session);

    unsigned windowCount() const;
    // Check boxes and description edits as the mirror has the windows.
    void showWindowStates();
    void drawArrangementIcons();
    void windowsChanged();
    void modeChosen();
    void windowSwitched(int number, bool on);
    void userArrangementClicked(int number);
    void clearDescriptionsClicked();

    DeviceMirror& mirror_;
    PanelState& state_;
    VirtualScreen& screen_;
    CanvasWidget* canvas_ = nullptr;
    QRadioButton* immediately_ = nullptr;
    QPushButton* apply_ = nullptr;
    std::array<QCheckBox*, windowBoxes> windowBoxes_{};
    std::array<CheckedEdit*, windowBoxes> descriptions_{};
    std::array<CheckedEdit*, userArrangements> names_{};
    std::array<QPushButton*, 6> arrangeButtons_{};
};

} // namespace kivo::gui
