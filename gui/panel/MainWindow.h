#pragma once

#include "gui/base/EditRouter.h"

#include "core/base/PanelPages.h"
#include "core/base/ProgressSink.h"
#include "core/panel/PanelSession.h"
#include "core/protocol/CommandChannel.h"
#include "core/screen/VirtualScreen.h"

#include <QDialog>
#include <QTimer>

#include <array>

class QPushButton;
class QTabWidget;

namespace kivo {
class LinkOpener;
} // namespace kivo

namespace kivo::gui {

class SerialPortPage;
class VirtualScreenPage;
class PresentationPage;
class InputsPage;
class OutputPage;
class ImageControlsPage;
class TerminalPage;
class HelpWindow;
class PropertyPage;

// The main window: a property sheet of seven pages over one panel session (the device state,
// the command channel, the bring-up). It opens the link shortly after it appears, so the
// window is on screen before the first, slow exchange with the device, and carries out what
// the bring-up asks of the pages.
class MainWindow final : public QDialog, public EditRouter, public PanelPages, public ProgressSink {
    Q_OBJECT
public:
    static constexpr int startupDelayMs = 100;

    // `opener` turns the session's port name into a link.
    MainWindow(const SessionOptions& options, CommandChannel::Seams seams, const LinkOpener& opener,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // Fixed and unique: a second panel finds the first by it.
    static QString caption();

    PanelSession& session() { return session_; }
    VirtualScreen& virtualScreen() { return screen_; }
    PanelState& state() { return session_.state(); }
    DeviceMirror& mirror() { return session_.mirror(); }
    CommandChannel& channel() { return session_.channel(); }
    PropertyPage& page(Page page) { return *pages_.at(static_cast<std::size_t>(page)); }
    TerminalPage& terminal() { return *terminal_; }
    SerialPortPage& serialPortPage() { return *serialPortPage_; }
    Page activePage() const;
    void setActivePage(Page page);
    HelpWindow& help() { return *help_; }
    QTimer& startupTimer() { return startupTimer_; }

    // Timer 1: open the link and bring the panel up.
    void startUp();
    void resetPanel(bool echoQuery);
    void showActivePageHelp();
    // Ends the panel from outside (a signal): a question open on top is declined and a dialog
    // cancelled, so what asked goes on to its end, and the window closes, which shuts the
    // panel down in order.
    void endInOrder();

    // What the bring-up asks of the pages.
    void showPage(Page page) override { setActivePage(page); }
    void showBringUpProgress(bool shown) override;
    void showAbortHint(const std::string& text) override;
    void repaintTerminal() override;
    // Also when another panel was started: this one comes to the front instead.
    void bringToFront() override;
    void clearPresentationLists() override;
    void loadPresentations() override;
    void showSerialPortLayout(bool connected) override;
    void showDeviceBaud(int baud, int radioIndex) override;
    void showDeviceEcho(bool on) override;
    void timingListsLoaded() override;
    void outputTimingChanged() override;
    void refreshInputWindow(int window) override;
    void applyArrangement(int mode) override;
    void descriptionsLoaded() override;
    void redrawWindowControls() override;

    // The bring-up's progress shows on the Terminal page.
    void stepProgress() override;
    void setProgressPosition(int position) override;
    void setProgressStep(int step) override;
    void showProgressText(const std::string& text) override;

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void createPages();
    void placeOnScreen();
    void routePageEdits();
    QWidget* createButtons();
    void pageChanged(int index);

    CommandChannel::Seams seams_;
    const LinkOpener& opener_;
    PanelSession session_;
    VirtualScreen screen_;
    QTabWidget* tabs_;
    std::array<PropertyPage*, pageCount> pages_{};
    VirtualScreenPage* virtualScreenPage_ = nullptr;
    PresentationPage* presentationPage_ = nullptr;
    OutputPage* outputPage_ = nullptr;
    ImageControlsPage* imagePage_ = nullptr;
    InputsPage* inputsPage_ = nullptr;
    SerialPortPage* serialPortPage_ = nullptr;
    TerminalPage* terminal_ = nullptr;
    HelpWindow* help_;
    QTimer startupTimer_;
    int activeIndex_ = -1;
};

} // namespace kivo::gui
