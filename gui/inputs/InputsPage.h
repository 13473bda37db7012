#pragma once

#include "gui/base/PropertyPage.h"

#include "core/inputs/InputsPageModel.h"

#include <QTimer>

#include <array>
#include <functional>

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace kivo {
class PanelSession;
}

namespace kivo::gui {

class CheckedEdit;
class TimingListView;

// The Quadrix Inputs page: for the window chosen with its buttons, the connector of a video
// window, or an RGB window's current input timing among the input settings, recalled, stored
// and deleted. The page model decides; after each event the page draws it again.
class InputsPage final : public PropertyPage {
    Q_OBJECT
public:
    static constexpr int helpContextId = 6;
    static constexpr int windowButtons = 10;
    // Timer 5: the current RGB window's timing is read again this long after activation, once
    // the page is on the screen.
    static constexpr int refreshDelayMs = 100;

    InputsPage(PanelSession& session, QWidget* parent);

    void onSetActive() override;
    void onKillActive() override;
    // After the window timing query read a window.
    void windowTimingRead();
    // After the bring-up loaded the lists.
    void listLoaded();

    InputsPageModel& model() { return model_; }
    TimingListView& listView() { return *listView_; }
    QTimer& refreshTimer() { return refreshTimer_; }

private:
    QGroupBox* createWindowGroup();
    QGroupBox* createTypeGroup();
    QGroupBox* createAddGroup();
    QGroupBox* createTimingGroup();
    QGroupBox* createSourceGroup();
    void layOut();

    void refreshTimerFired();
    // Runs a step of the model that talks to the device, then draws the page.
    void act(const std::function<void()>& step);
    void addClicked();
    void draw();
    void drawWindowButtons();
    void drawAddBoxes();
    void moveFocus();

    PanelSession& session_;
    InputsPageModel model_;
    TimingListView* listView_;
    std::array<QRadioButton*, windowButtons> windowButtons_{};
    std::array<QRadioButton*, 4> typeButtons_{};
    QCheckBox* locked_ = nullptr;
    QCheckBox* loadImageSettings_ = nullptr;
    CheckedEdit* number_ = nullptr;
    CheckedEdit* name_ = nullptr;
    QGroupBox* addGroup_ = nullptr;
    QPushButton* interactiveAdjustment_ = nullptr;
    QPushButton* advanced_ = nullptr;
    QPushButton* delete_ = nullptr;
    QTimer refreshTimer_;
    bool inFront_ = false;
    bool acting_ = false;
};

} // namespace kivo::gui
