#pragma once

#include "core/base/Strings.h"
#include "core/timing/PositionAdjuster.h"
#include "core/timing/TimingTarget.h"
#include "gui/base/ArrowPicture.h"

#include <QDialog>

#include <functional>
#include <memory>

class QGroupBox;
class QLayout;
class QPushButton;
class QVBoxLayout;

namespace kivo {
class PanelSession;
} // namespace kivo

namespace kivo::gui {

// What the Adjust Output and Adjust Input dialogs share: the four arrow buttons, the
// instruction, OK and Cancel, and the device's adjustment mode while the dialog is open.
// OK keeps the adjustment; Cancel, Escape or the title bar's close undo it.
class AdjustDialog : public QDialog {
    Q_OBJECT
public:
    // The opener's step before exec(): starts the device's adjustment mode. False when the
    // device refused, and the dialog is not to be shown.
    bool start();
    // Starts the adjustment and, when the device took it, runs the dialog until it is closed.
    void run();

protected:
    using AdjusterFor = std::function<PositionAdjuster(TimingTarget&)>;

    AdjustDialog(std::unique_ptr<TimingTarget> target, const AdjusterFor& adjusterFor,
                 QWidget* parent);
    static PositionAdjuster::Seams adjusterSeams(PanelSession& session);

    // A button that sends `key` when pressed.
    QPushButton* keyButton(StringId caption, int id, AdjustKey key, QWidget* parent);
    // The arrows around `centre` (none when null) in a group box of this caption.
    QGroupBox* createArrowPad(StringId caption, QWidget* centre);
    // The instruction under `keys`, and OK and Cancel beside them.
    void finishLayout(QLayout* keys, StringId instruction);

    void done(int result) override;

private:
    QPushButton* arrowButton(ArrowPicture::Direction direction, int id, AdjustKey key,
                             QWidget* parent);
    void addCloseButtons(QVBoxLayout& column);

    std::unique_ptr<TimingTarget> target_;
    PositionAdjuster adjuster_;
};

} // namespace kivo::gui
