#pragma once

#include <string>

namespace kivo {

// The main window's pages, in their order on the sheet.
enum class Page {
    virtualScreen,
    presentationEngine,
    imageControls,
    output,
    inputs,
    serialPort,
    terminal,
};
inline constexpr int pageCount = 7;

// What the bring-up and readback ask of the pages. Every call does nothing by default, so the
// core runs whole before a page exists, and a headless front end overrides only what it shows.
class PanelPages {
public:
    virtual ~PanelPages() = default;

    virtual void showPage(Page /*page*/) {}
    // During a bring-up the Terminal page shows its progress controls instead of its text.
    virtual void showBringUpProgress(bool /*shown*/) {}
    virtual void showAbortHint(const std::string& /*text*/) {}
    virtual void repaintTerminal() {}
    virtual void bringToFront() {}

    virtual void clearPresentationLists() {}
    virtual void loadPresentations() {}

    // The Serial Port page's layout for a panel with or without a device on its link.
    virtual void showSerialPortLayout(bool /*connected*/) {}
    virtual void showDeviceBaud(int /*baud*/, int /*radioIndex*/) {}
    virtual void showDeviceEcho(bool /*on*/) {}

    virtual void timingListsLoaded() {}
    virtual void outputTimingChanged() {}
    virtual void refreshInputWindow(int /*window*/) {}

    virtual void applyArrangement(int /*mode*/) {}
    virtual void descriptionsLoaded() {}
    virtual void redrawWindowControls() {}
};

} // namespace kivo
