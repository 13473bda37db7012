#pragma once

#include "gui/base/PropertyPage.h"

#include "core/serial/SerialPortModel.h"

#include <QTimer>

#include <functional>

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace kivo {
class PanelSession;
class Prompter;
} // namespace kivo

namespace kivo::gui {

// The Serial Port and Resets page: the local serial parameters and the device's, the panel
// reset, the device's baud rate, echo and front panel lock, the restoration of factory
// defaults, and the choice of the port. It draws its SerialPortModel and hands it the clicks.
class SerialPortPage final : public PropertyPage {
    Q_OBJECT
public:
    static constexpr int helpContextId = 7;
    static constexpr int monitorTimerId = 6;

    SerialPortPage(PanelSession& session, QWidget* parent);

    SerialPortModel& model() { return model_; }
    QTimer& monitorTimer() { return monitorTimer_; }
    QComboBox& portChooser() { return *portChooser_; }

    // What the bring-up and the start-up tell the page.
    void setConnectedLayout(bool connected);
    void showDeviceBaud(int rate);
    void showDeviceEcho(bool on);
    void portOpenFailed(const std::string& error);

    // The machine's ports are looked up again whenever the page comes to the front.
    void onSetActive() override;

private:
    QGroupBox* createLocalGroup();
    QGroupBox* createDeviceGroup();
    QGroupBox* createPortGroup();
    QWidget* createActionButtons();
    QGroupBox* createRadioGroup(StringId title, int groupId, const std::vector<QString>& captions,
                                const std::vector<int>& ids, QButtonGroup*& buttons);
    QPushButton* createButton(StringId caption, int id);

    void changeDeviceBaud(int index);
    void resetPanel();
    void findRate();
    void restoreFactoryDefaults();
    void monitorTick();
    // Runs an action that talks to the device under the wait cursor, then draws the page.
    void act(const std::function<void()>& action);

    void draw();
    void drawLayout();
    void drawPort();
    void listPorts();

    SerialPortModel model_;
    Prompter& prompter_;
    QGroupBox* localGroup_ = nullptr;
    QGroupBox* localBaudGroup_ = nullptr;
    QGroupBox* deviceGroup_ = nullptr;
    QGroupBox* deviceBaudGroup_ = nullptr;
    QGroupBox* echoGroup_ = nullptr;
    QButtonGroup* localBaud_ = nullptr;
    QButtonGroup* deviceBaud_ = nullptr;
    QButtonGroup* echo_ = nullptr;
    QButtonGroup* parity_ = nullptr;
    QButtonGroup* stopBits_ = nullptr;
    QButtonGroup* characterSize_ = nullptr;
    QPushButton* factoryDefaults_ = nullptr;
    QPushButton* frontPanel_ = nullptr;
    QPushButton* findRate_ = nullptr;
    QComboBox* portChooser_ = nullptr;
    QLabel* portInUse_ = nullptr;
    QLabel* portProblem_ = nullptr;
    QTimer monitorTimer_;
};

} // namespace kivo::gui
