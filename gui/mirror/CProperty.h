#pragma once

#include "app/EditRouter.h"

#include "app/CommandChannel.h"
#include "mirror/PanelState.h"

#include <QDialog>
#include <QTimer>

#include <array>

class QPushButton;
class QTabWidget;

namespace kivo {
class LinkOpener;
class PanelApp;
} // namespace kivo

namespace kivo::gui {

class CPage9;
class HelpWindow;
class PropertyPage;

// The main window: a property sheet of seven pages that also holds the panel's copy of the
// device state and the command channel. It opens the link shortly after it appears, so the
// window is on screen before the first, slow exchange with the device.
class CProperty final : public QDialog, public EditRouter {
    Q_OBJECT
public:
    static constexpr int pageCount = 7;
    static constexpr int serialPortPage = 5;
    static constexpr int terminalPage = 6;
    static constexpr int startupDelayMs = 100;

    // `app` has read its settings; `opener` turns its port name into a link.
    CProperty(PanelApp& app, CommandChannel::Seams seams, const LinkOpener& opener,
              QWidget* parent = nullptr);

    // Fixed and unique: a second panel finds the first by it.
    static QString caption();

    PanelState& state() { return state_; }
    DeviceMirror& mirror() { return state_.mirror; }
    CommandChannel& channel() { return channel_; }
    PropertyPage& page(int index) { return *pages_.at(static_cast<std::size_t>(index)); }
    CPage9& terminal() { return *terminal_; }
    int activePage() const;
    void setActivePage(int index);
    HelpWindow& help() { return *help_; }
    QTimer& startupTimer() { return startupTimer_; }

    // Timer 1: open the link and bring the panel up.
    void startUp();
    void resetPanel(bool echoQuery);
    // Another panel was started: this one comes to the front instead.
    void bringToFront();
    void showActivePageHelp();

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void createPages();
    QWidget* createButtons();
    void pageChanged(int index);
    void enterNoConnection(const std::string& openError);

    PanelApp& app_;
    CommandChannel::Seams seams_;
    const LinkOpener& opener_;
    PanelState state_;
    CommandChannel channel_;
    QTabWidget* tabs_;
    std::array<PropertyPage*, pageCount> pages_{};
    CPage9* terminal_ = nullptr;
    HelpWindow* help_;
    QTimer startupTimer_;
    int activeIndex_ = -1;
};

} // namespace kivo::gui
