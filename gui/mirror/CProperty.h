#pragma once

#include "gui/app/EditRouter.h"

#include "core/app/CommandChannel.h"
#include "core/mirror/BringUp.h"
#include "core/mirror/PanelPages.h"
#include "core/mirror/PanelState.h"

#include <QDialog>
#include <QTimer>

#include <array>
#include <memory>

class QPushButton;
class QTabWidget;

namespace kivo {
class LinkOpener;
class PanelApp;
} // namespace kivo

namespace kivo::gui {

class CPage6;
class CPage7;
class CPage9;
class HelpWindow;
class PropertyPage;

// The main window: a property sheet of seven pages that also holds the panel's copy of the
// device state and the command channel. It opens the link shortly after it appears, so the
// window is on screen before the first, slow exchange with the device, and carries out what
// the bring-up asks of the pages.
class CProperty final : public QDialog, public EditRouter, public PanelPages {
    Q_OBJECT
public:
    static constexpr int pageCount = 7;
    static constexpr int outputPage = 3;
    static constexpr int inputsPage = 4;
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
    void showActivePageHelp();

    // What the bring-up asks of the pages.
    void showPage(int index) override { setActivePage(index); }
    void showBringUpProgress(bool shown) override;
    void showAbortHint(const std::string& text) override;
    void repaintTerminal() override;
    // Also when another panel was started: this one comes to the front instead.
    void bringToFront() override;
    void timingListsLoaded() override;

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void createPages();
    QWidget* createButtons();
    void pageChanged(int index);

    PanelApp& app_;
    CommandChannel::Seams seams_;
    const LinkOpener& opener_;
    PanelState state_;
    CommandChannel channel_;
    QTabWidget* tabs_;
    std::array<PropertyPage*, pageCount> pages_{};
    CPage7* outputPage_ = nullptr;
    CPage6* inputsPage_ = nullptr;
    CPage9* terminal_ = nullptr;
    std::unique_ptr<BringUp> bringUp_;
    HelpWindow* help_;
    QTimer startupTimer_;
    int activeIndex_ = -1;
};

} // namespace kivo::gui
