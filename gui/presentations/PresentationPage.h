#pragma once

#include "gui/base/PropertyPage.h"

#include "core/presentations/Player.h"
#include "core/presentations/PresentationEditor.h"
#include "core/presentations/PresentationStore.h"
#include "core/presentations/ShotDisplay.h"

#include <QTimer>

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace kivo {
class KeyState;
class PanelApp;
class PanelSession;
class ProgressSink;
class Prompter;
class VirtualScreen;
struct DeviceMirror;
} // namespace kivo

namespace kivo::gui {

class CanvasWidget;
class CheckedEdit;

// The Presentation Engine page: presentations and their shots built from the windows on its
// canvas, played back, stepped and exported as a command script. The store, the shot display,
// the player and the editor decide everything; after each click, key or timer tick the page
// draws every control again from them.
class PresentationPage final : public PropertyPage {
    Q_OBJECT
public:
    static constexpr int helpContextId = 37;
    static constexpr int windowButtons = 10;
    static constexpr int playerIntervalMs = 100;

    PresentationPage(PanelSession& session, VirtualScreen& screen, QWidget* parent);

    void onSetActive() override;
    void onKillActive() override;

    PresentationStore& store() { return store_; }
    Player& player() { return player_; }
    PresentationEditor& editor() { return editor_; }
    CanvasWidget& canvas() { return *canvas_; }
    const QTimer& playerTimer() const { return playerTimer_; }

    // What the reset asks of the page: forget the lists, then read them from the ini file.
    void clearPresentationLists();
    void loadPresentations();

    // Enter or Tab in a name or hold-time box; false keeps the focus in the box.
    bool presentationNameCommitted(CheckedEdit& box);
    bool shotNameCommitted(CheckedEdit& box);
    bool holdTimeCommitted(CheckedEdit& box);

    // One beat of the player's clock.
    void playerTick();

private:
    struct PlayerButtonWidgets {
        QPushButton* rewind;
        QPushButton* previous;
        QPushButton* pause;
        QPushButton* next;
        QPushButton* play;
        QPushButton* fast;
    };

    void layOut(PanelSession& session, VirtualScreen& screen);
    QGroupBox* createCanvasGroup(PanelSession& session, VirtualScreen& screen);
    QGroupBox* createControlGroup();
    QLayout* createPresentationColumn();
    QLayout* createShotColumn();
    QPushButton* addButton(StringId caption, int id, void (PresentationEditor::*step)());
    QPushButton* addPlayerButton(StringId caption, int id, void (Player::*step)());
    std::array<QPushButton*, 6> playerButtonList() const;
    bool presentationIsChosen() const;
    // A shot stands on the canvas: chosen, played or stepped to.
    bool shotIsShown() const;

    // Runs an editing step and draws the page again.
    void edit(void (PresentationEditor::*step)());
    // Runs a player step; the shot it shows goes to the shot boxes.
    void playerStep(void (Player::*step)());
    void presentationChosen(int row);
    void shotChosen(int index);
    void windowButtonClicked(int number);
    void loopClicked(bool on);
    void saveAsClicked();
    void showCurrentShotInBoxes();

    // Every control from the core.
    void showAll();
    void showLists();
    void showBoxes();
    void showEditingButtons();
    void showPlayerControls();
    // The player's state, then what it could not show or send, one note a line.
    std::string infoText() const;
    void showWindowButtons();
    void moveFocus();

    DeviceMirror& mirror_;
    PanelApp& app_;
    KeyState& keys_;
    Prompter& prompter_;
    ProgressSink& progressSink_;
    PresentationStore store_;
    ShotDisplay display_;
    Player player_;
    PresentationEditor editor_;

    CanvasWidget* canvas_ = nullptr;
    QGroupBox* controlGroup_ = nullptr;
    QLabel* presentationCount_ = nullptr;
    QLabel* shotCount_ = nullptr;
    CheckedEdit* presentationName_ = nullptr;
    CheckedEdit* shotName_ = nullptr;
    CheckedEdit* holdTime_ = nullptr;
    QListWidget* presentations_ = nullptr;
    QListWidget* shots_ = nullptr;
    QPushButton* renamePresentation_ = nullptr;
    QPushButton* addPresentation_ = nullptr;
    QPushButton* copyPresentation_ = nullptr;
    QPushButton* removePresentation_ = nullptr;
    QPushButton* renameShot_ = nullptr;
    QPushButton* addShot_ = nullptr;
    QPushButton* copyShot_ = nullptr;
    QPushButton* removeShot_ = nullptr;
    QPushButton* assign_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    QCheckBox* loop_ = nullptr;
    QPushButton* saveAs_ = nullptr;
    PlayerButtonWidgets playerButtons_{};
    QLabel* info_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    std::array<QPushButton*, windowButtons> windowButtons_{};
    QTimer playerTimer_;
    // Set while the page itself fills the lists, whose selection signals must not choose.
    bool filling_ = false;
    // Set while an action of the page runs: its exchanges with the device let timer events
    // through, and the player's clock must not step in the middle of one.
    bool acting_ = false;
};

} // namespace kivo::gui
