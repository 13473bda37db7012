#pragma once

#include "gui/base/PropertyPage.h"

#include "core/image/ImageControls.h"

#include <QTimer>

#include <array>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

namespace kivo {
class PanelSession;
class Prompter;
class VirtualScreen;
} // namespace kivo

namespace kivo::gui {

class AutoRepeatButton;
class CheckedEdit;

// The Image Controls page: one window's zoom, pan and source rectangle, its picture levels,
// freeze and motion filter. The core's ImageControls decides and talks to the device; after
// each click, key, slider move or timer tick the page draws its controls again from it.
class ImageControlsPage final : public PropertyPage {
    Q_OBJECT
public:
    static constexpr int helpContextId = 4;
    static constexpr int windowRadios = 10;
    static constexpr int deferredTimerId = 4;

    ImageControlsPage(PanelSession& session, VirtualScreen& screen, QWidget* parent);

    void onSetActive() override;
    void onKillActive() override;

    ImageControls& controls() { return controls_; }
    const QTimer& deferredRefreshTimer() const { return deferredTimer_; }
    AutoRepeatButton& zoomButton(ZoomKind kind);

    // Enter or Tab in the Source Rectangle box or a level's edit; false keeps the focus.
    bool sourceTextCommitted(CheckedEdit& box);
    bool levelEdited(CheckedEdit& box);

private:
    struct LevelControls {
        QGroupBox* group = nullptr;
        QSlider* slider = nullptr;
        CheckedEdit* edit = nullptr;
    };

    QGroupBox* createWindowGroup();
    QGroupBox* createZoomGroup();
    QGroupBox* createSourceGroup(StringId caption, int id, QLineEdit*& box);
    QGroupBox* createLevelGroup(Level level);
    QLayout* createLevelButtons();
    void layOut();
    AutoRepeatButton* createZoomButton(ZoomKind kind, int id, QWidget* parent);
    QPushButton* createButton(StringId caption, int id, QWidget* parent);
    LevelControls& levelControls(Level level);

    // Runs an action of the core under the wait cursor and draws the page again.
    template <typename Action> void act(Action action);
    void deferredTick();
    void zoomPressed(AutoRepeatButton& button);
    void zoomBeat(AutoRepeatButton& button);
    void sliderAction(Level level, int action);

    void drawAll();
    void drawWindows();
    void drawButtons();
    void drawBoxes();
    void drawLevels();
    void drawCaptions();

    Prompter& prompter_;
    ImageControls controls_;
    std::array<QRadioButton*, windowRadios> windowRadios_{};
    std::array<AutoRepeatButton*, zoomKindCount> zoomButtons_{};
    QPushButton* centerHorizontal_ = nullptr;
    QPushButton* centerVertical_ = nullptr;
    QLineEdit* sourceBox_ = nullptr;
    QLineEdit* fullSourceBox_ = nullptr;
    std::array<LevelControls, allLevels.size()> levels_{};
    QPushButton* freeze_ = nullptr;
    QPushButton* motion_ = nullptr;
    QTimer deferredTimer_;
    bool active_ = false;
};

} // namespace kivo::gui
