#pragma once

#include "gui/base/PropertyPage.h"

#include "core/base/ProgressSink.h"
#include "core/output/OutputPageModel.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace kivo {
class PanelSession;
}

namespace kivo::gui {

class CheckedEdit;
class TimingListView;

// The Quadrix Output page: the output settings list with the current output timing as its
// last row, recalling, storing and deleting settings, the list's source, the free-run and
// autosync modes and the way to the output timing and chroma key. The page model decides;
// after each event the page draws it again.
class OutputPage final : public PropertyPage, private ProgressSink {
    Q_OBJECT
public:
    static constexpr int helpContextId = 5;

    OutputPage(PanelSession& session, QWidget* parent);
    ~OutputPage() override;

    void onSetActive() override;
    // After every read of the output status.
    void outputTimingChanged();
    // After the bring-up loaded the lists.
    void listLoaded();

    OutputPageModel& model() { return model_; }
    TimingListView& listView() { return *listView_; }

private:
    QGroupBox* createAddGroup();
    QGroupBox* createTimingGroup();
    QGroupBox* createSourceGroup();
    QGroupBox* createModeGroup();
    void layOut();

    void addClicked();
    void modeClicked(void (OutputPageModel::*step)());
    void draw();
    void drawAddBoxes();
    void moveFocus();
    // The wait for autosync's lock, under the Mode radios.
    void showProgressText(const std::string& text) override;

    PanelSession& session_;
    OutputPageModel model_;
    TimingListView* listView_;
    CheckedEdit* number_ = nullptr;
    CheckedEdit* name_ = nullptr;
    QPushButton* delete_ = nullptr;
    QRadioButton* freeRun_ = nullptr;
    QRadioButton* autosync_ = nullptr;
    QPushButton* chromaKey_ = nullptr;
    QCheckBox* locked_ = nullptr;
    QLabel* lockWait_ = nullptr;
};

} // namespace kivo::gui
