#include "gui/serial/SerialPortPage.h"

#include "gui/base/ButtonGroupChoice.h"
#include "gui/base/ControlId.h"
#include "gui/base/QtStrings.h"
#include "gui/base/WaitCursor.h"
#include "gui/serial/SerialPortPageIds.h"

#include "core/base/Prompter.h"
#include "core/link/SerialSettings.h"
#include "core/panel/PanelSession.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kivo::gui {
namespace {

namespace ids = serialPortPageIds;

constexpr std::array<StringId, baudRates.size()> localBaudCaptions{
    StringId::baud1200Caption,  StringId::baud2400Caption,  StringId::baud4800Caption,
    StringId::baud9600Caption,  StringId::baud19200Caption, StringId::baud38400Caption,
    StringId::baud57600Caption, StringId::baud115200Caption};

std::vector<QString> captions(std::initializer_list<StringId> ids)
{
    std::vector<QString> texts;
    for (StringId id : ids)
        texts.push_back(qtString(id));
    return texts;
}

void enableButtons(QButtonGroup& group, bool enabled)
{
    for (QAbstractButton* button : group.buttons())
        button->setEnabled(enabled);
}

} // namespace

SerialPortPage::SerialPortPage(PanelSession& session, QWidget* parent)
    : PropertyPage(StringId::serialPortCaption, helpContextId, parent),
      model_(SerialPortModel::seamsOf(session)), prompter_(session.seams().prompter)
{
    auto* grid = new QGridLayout(this);
    grid->addWidget(createLocalGroup(), 0, 0);
    grid->addWidget(createDeviceGroup(), 0, 1);
    grid->addWidget(createPortGroup(), 1, 0, 1, 2);
    grid->addWidget(createActionButtons(), 2, 0, 1, 2);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);

    monitorTimer_.setObjectName(QStringLiteral("timer%1").arg(monitorTimerId));
    // Each beat is scheduled on the clock after the one before, so slow reads do not stretch the
    // watch.
    monitorTimer_.setSingleShot(true);
    connect(&monitorTimer_, &QTimer::timeout, this, &SerialPortPage::monitorTick);
    listPorts();
    draw();
}

QGroupBox* SerialPortPage::createRadioGroup(StringId title, int groupId,
                                            const std::vector<QString>& captions,
                                            const std::vector<int>& ids, QButtonGroup*& buttons)
{
    auto* group = withId(new QGroupBox(qtString(title), this), groupId);
    auto* layout = new QVBoxLayout(group);
    buttons = new QButtonGroup(group);
    for (std::size_t index = 0; index < captions.size(); ++index) {
        auto* radio = new QRadioButton(captions[index], group);
        if (index < ids.size())
            withId(radio, ids[index]);
        buttons->addButton(radio, static_cast<int>(index));
        layout->addWidget(radio);
    }
    layout->addStretch(1);
    return group;
}

QGroupBox* SerialPortPage::createLocalGroup()
{
    localGroup_ = withId(new QGroupBox(this), ids::localGroup);
    std::vector<QString> baudTexts;
    for (StringId caption : localBaudCaptions)
        baudTexts.push_back(qtString(caption));
    localBaudGroup_ =
        createRadioGroup(StringId::baudRateGroup, ids::localBaudGroup, baudTexts,
                         {ids::localBauds.begin(), ids::localBauds.end()}, localBaud_);
    connect(localBaud_, &QButtonGroup::idClicked, this, [this](int index) {
        model_.chooseLocalBaud(index);
        draw();
    });

    // The line's other parameters only show what the panel uses; they cannot be changed here.
    auto* paritySize = new QVBoxLayout;
    paritySize->addWidget(
        createRadioGroup(StringId::parityGroup, ids::parityGroup,
                         captions({StringId::noParityCaption, StringId::oddParityCaption,
                                   StringId::evenParityCaption}),
                         {}, parity_));
    paritySize->addWidget(createRadioGroup(
        StringId::characterSizeGroup, ids::characterSizeGroup,
        captions({StringId::eightBitsCaption, StringId::sevenBitsCaption}), {}, characterSize_));
    auto* stopBits = createRadioGroup(
        StringId::stopBitsGroup, ids::stopBitsGroup,
        captions({StringId::oneStopBitCaption, StringId::oneAndAHalfStopBitsCaption,
                  StringId::twoStopBitsCaption}),
        {}, stopBits_);
    for (QButtonGroup* fixed : {parity_, stopBits_, characterSize_})
        enableButtons(*fixed, false);

    auto* layout = new QHBoxLayout(localGroup_);
    layout->addWidget(localBaudGroup_);
    layout->addLayout(paritySize);
    layout->addWidget(stopBits, 0, Qt::AlignTop);
    return localGroup_;
}

QGroupBox* SerialPortPage::createDeviceGroup()
{
    deviceGroup_ = withId(new QGroupBox(this), ids::deviceGroup);
    std::vector<QString> baudTexts;
    std::vector<int> baudIds;
    for (std::size_t index = 0; index < baudRates.size(); ++index) {
        baudTexts.push_back(QString::number(baudRates[index]));
        baudIds.push_back(ids::firstDeviceBaud + static_cast<int>(index));
    }
    deviceBaudGroup_ = createRadioGroup(StringId::baudRateGroup, ids::deviceBaudGroup, baudTexts,
                                        baudIds, deviceBaud_);
    connect(deviceBaud_, &QButtonGroup::idClicked, this, &SerialPortPage::changeDeviceBaud);

    echoGroup_ = createRadioGroup(StringId::echoGroup, ids::echoGroup,
                                  captions({StringId::echoOnCaption, StringId::echoOffCaption}),
                                  {ids::echoOn, ids::echoOff}, echo_);
    connect(echo_, &QButtonGroup::idClicked, this,
            [this](int index) { act([this, index] { model_.setEcho(index == 0); }); });

    auto* layout = new QHBoxLayout(deviceGroup_);
    layout->addWidget(deviceBaudGroup_);
    layout->addWidget(echoGroup_, 0, Qt::AlignTop);
    return deviceGroup_;
}

QGroupBox* SerialPortPage::createPortGroup()
{
    auto* group = new QGroupBox(qtString(StringId::portGroup), this);
    portChooser_ = new QComboBox(group);
    portChooser_->setObjectName(QStringLiteral("portChooser"));
    portChooser_->setEditable(true);
    portChooser_->setInsertPolicy(QComboBox::NoInsert);
    portChooser_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    portInUse_ = new QLabel(group);
    portInUse_->setObjectName(QStringLiteral("portInUse"));
    portProblem_ = new QLabel(group);
    portProblem_->setObjectName(QStringLiteral("portProblem"));
    portProblem_->setWordWrap(true);
    portProblem_->setStyleSheet(QStringLiteral("color: #a00000"));
    // Only what the operator picks or types is a choice: the page filling the box is not.
    connect(portChooser_, &QComboBox::textActivated, this,
            [this](const QString& port) { model_.choosePort(port.toStdString()); });
    connect(portChooser_->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& port) { model_.choosePort(port.toStdString()); });
    // Enter after typing a port opens it, as Reset Kivo does.
    connect(portChooser_->lineEdit(), &QLineEdit::returnPressed, this, &SerialPortPage::resetPanel);
    findRate_ = new QPushButton(qtString(StringId::findRateCaption), group);
    findRate_->setObjectName(QStringLiteral("findRate"));
    findRate_->setAutoDefault(false);
    connect(findRate_, &QPushButton::clicked, this, &SerialPortPage::findRate);

    auto* layout = new QGridLayout(group);
    layout->addWidget(portChooser_, 0, 0);
    layout->addWidget(findRate_, 0, 1);
    layout->addWidget(portInUse_, 0, 2);
    layout->addWidget(portProblem_, 1, 0, 1, 3);
    layout->setColumnStretch(0, 1);
    return group;
}

QPushButton* SerialPortPage::createButton(StringId caption, int id)
{
    auto* button = withId(new QPushButton(qtString(caption), this), id);
    button->setAutoDefault(false);
    return button;
}

QWidget* SerialPortPage::createActionButtons()
{
    auto* row = new QWidget(this);
    auto* reset = createButton(StringId::resetKivoCaption, ids::reset);
    factoryDefaults_ = createButton(StringId::restoreFactoryDefaultsCaption, ids::factoryDefaults);
    frontPanel_ = createButton(model_.frontPanelCaption(), ids::frontPanel);
    connect(reset, &QPushButton::clicked, this, &SerialPortPage::resetPanel);
    connect(factoryDefaults_, &QPushButton::clicked, this, &SerialPortPage::restoreFactoryDefaults);
    connect(frontPanel_, &QPushButton::clicked, this,
            [this] { act([this] { model_.toggleFrontPanel(); }); });
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* button : {reset, factoryDefaults_, frontPanel_})
        layout->addWidget(button);
    layout->addStretch(1);
    return row;
}

void SerialPortPage::setConnectedLayout(bool connected)
{
    model_.setConnectedLayout(connected);
    draw();
}

void SerialPortPage::showDeviceBaud(int rate)
{
    model_.showDeviceBaud(rate);
    draw();
}

void SerialPortPage::showDeviceEcho(bool on)
{
    model_.showDeviceEcho(on);
    draw();
}

void SerialPortPage::portOpenFailed(const std::string& error)
{
    model_.portOpenFailed(error);
    drawPort();
}

void SerialPortPage::onSetActive() { listPorts(); }

void SerialPortPage::changeDeviceBaud(int index)
{
    act([this, index] { model_.changeDeviceBaud(baudRates.at(static_cast<std::size_t>(index))); });
    if (QAbstractButton* current = deviceBaud_->button(model_.deviceBaudIndex()))
        current->setFocus();
}

void SerialPortPage::resetPanel()
{
    act([this] { model_.resetPanel(); });
    listPorts();
}

void SerialPortPage::findRate()
{
    std::optional<int> rate;
    act([this, &rate] { rate = model_.findRate(); });
    listPorts();
    if (rate)
        prompter_.tell(formatString(StringId::rateFound, model_.portName().c_str(), *rate));
}

void SerialPortPage::restoreFactoryDefaults()
{
    act([this] {
        if (model_.restoreFactoryDefaults() == FactoryRestore::started)
            monitorTimer_.start(model_.msToNextMonitorBeat());
    });
}

void SerialPortPage::monitorTick()
{
    // A beat reads the device, and the reset at its end runs a whole bring-up: no second beat
    // may start inside it.
    monitorTimer_.stop();
    act([this] {
        if (model_.monitorTick())
            monitorTimer_.start(model_.msToNextMonitorBeat());
    });
}

void SerialPortPage::act(const std::function<void()>& action)
{
    {
        const WaitCursor wait;
        action();
    }
    draw();
}

void SerialPortPage::draw()
{
    showChoice(*localBaud_, model_.localBaudIndex());
    showChoice(*deviceBaud_, model_.deviceBaudIndex());
    showChoice(*echo_, model_.echoIndex());
    showChoice(*parity_, model_.parityIndex());
    showChoice(*stopBits_, model_.stopBitsIndex());
    showChoice(*characterSize_, model_.characterSizeIndex());
    frontPanel_->setText(qtString(model_.frontPanelCaption()));
    drawLayout();
    drawPort();
}

void SerialPortPage::drawLayout()
{
    const SerialPortLayout& layout = model_.layout();
    for (QGroupBox* group : {deviceBaudGroup_, echoGroup_})
        group->setEnabled(layout.deviceSettingsEnabled);
    localBaudGroup_->setEnabled(layout.localBaudEnabled);
    // The rate is searched for only while no device is connected, as the local rate is chosen.
    findRate_->setEnabled(layout.localBaudEnabled);
    factoryDefaults_->setEnabled(layout.deviceActionsEnabled);
    frontPanel_->setEnabled(layout.deviceActionsEnabled);
    deviceGroup_->setTitle(qtString(layout.deviceGroupTitle));
    localGroup_->setTitle(qtString(layout.localGroupTitle));
}

void SerialPortPage::drawPort()
{
    const std::string port = model_.portInUse();
    portInUse_->setText(port.empty() ? qtString(StringId::noPortInUse)
                                     : qtText(formatString(StringId::portInUse, port.c_str())));
    const std::string problem = model_.portProblem();
    portProblem_->setText(qtText(problem));
    portProblem_->setVisible(!problem.empty());
}

void SerialPortPage::listPorts()
{
    const QString typed = portChooser_->currentText();
    const QString panelPort = qtText(model_.portName());
    QStringList ports;
    for (const std::string& port : SerialPortModel::machinePorts())
        ports.push_back(qtText(port));
    // The panel's port is offered too, when it is a path or address the machine does not list.
    if (!panelPort.isEmpty() && !ports.contains(panelPort))
        ports.push_front(panelPort);
    portChooser_->clear();
    portChooser_->addItems(ports);
    portChooser_->setEditText(typed.isEmpty() ? panelPort : typed);
}

} // namespace kivo::gui
