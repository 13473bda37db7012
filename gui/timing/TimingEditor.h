#pragma once

#include "core/timing/TimingForm.h"
#include "gui/base/CheckedEdit.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QButtonGroup;
class QGroupBox;

namespace kivo::gui {

// The boxes and radio groups of a timing dialog: front porch, sync, back porch, blank, active
// and total for each direction, the frequency, the sync wires, both polarities and interlace.
// Blank and total are shown, never typed.
class TimingEditor final : public QWidget {
    Q_OBJECT
public:
    // The four- and five-wire buttons carry other ids in the two dialogs.
    struct SyncButtonIds {
        int fourWire;
        int fiveWire;
    };

    TimingEditor(CheckedEdit::Mode mode, SyncButtonIds syncIds, QWidget* parent);
    ~TimingEditor() override;

    // The boxes as the timing form works on them.
    const TimingBoxes& boxes() const { return boxes_; }
    // The check a committed box runs, by its index in TimingBoxes.
    void setCheck(std::function<bool(int box)> check);

    TimingRadios radios() const;
    void showRadios(const TimingRadios& radios);
    // Vertical active, the frequency and every radio take input only when allowed.
    void setSignalEditable(bool editable);

Q_SIGNALS:
    void radiosClicked();

private:
    QWidget* createValueGrid();
    QWidget* createRadioGroups(SyncButtonIds syncIds);
    QGroupBox* createRadioGroup(StringId caption, QButtonGroup*& group,
                                std::initializer_list<std::pair<StringId, int>> buttons);

    std::array<CheckedEdit*, timingBoxCount> edits_{};
    std::array<std::unique_ptr<EditControl>, timingBoxCount> controls_;
    TimingBoxes boxes_{};
    std::function<bool(int)> check_;
    QButtonGroup* sync_ = nullptr;
    QButtonGroup* hpol_ = nullptr;
    QButtonGroup* vpol_ = nullptr;
    QButtonGroup* interlaced_ = nullptr;
    QWidget* radioGroups_ = nullptr;
};

} // namespace kivo::gui
