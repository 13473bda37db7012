#pragma once

#include "core/inputs/InputSettings.h"
#include "core/output/OutputPageModel.h"
#include "core/timing/WindowInput.h"

#include <string>
#include <vector>

namespace kivo {

class PanelApp;
class TimingListLoader;
struct DeviceMirror;
struct TimingList;

// The Quadrix Inputs page without its widgets: the window chosen with its buttons, what its
// input is and which controls suit it, the list with the window's current-timing row and what
// it shows selected, the Add boxes, around the input settings' recall, Add and Delete. The
// page draws these fields after every event.
class InputsPageModel {
public:
    static constexpr int currentRow = 50;

    struct Seams {
        PanelApp& app;
        InputSettings& settings;
        InputWindows& windows;
        TimingListLoader& loader;
    };

    InputsPageModel(Seams seams, TimingList& inputList, const DeviceMirror& mirror);

    std::string numberText;
    std::string nameText;
    int shownRow = -1;
    // The input selection as it was when the page last came to the front.
    int savedInputSelection = currentRow;
    bool loadImageSettings = false;
    TimingPageFocus focus = TimingPageFocus::unchanged;

    // Returns whether the window's timing should be read again shortly (an RGB window).
    bool activate();
    // The deferred read of the current RGB window's timing; only while the page is in front.
    void refreshTiming(bool pageInFront);
    // After the window timing query read a window: its row, while the page is in front.
    void windowTimingRead(bool pageInFront);
    void chooseWindow(int number);
    void chooseConnector(InputConnector connector);
    void dropDown();
    void closeUp();
    void choose(int row);
    void add(const std::string& number, const std::string& name);
    void remove();
    void loadList(bool fromDevice);

    int currentWindow() const;
    InputWindowView view() const;
    // The list, Add, Advanced and Interactive Adjustment: an RGB window's only.
    bool settingsEnabled() const { return view().rgb; }
    bool deleteEnabled() const;
    const std::vector<std::string>& rows() const;
    int inputSelection() const;
    bool windowButtonShown(int number) const;
    std::string windowButtonCaption(int number) const;

private:
    bool isSetting(int row) const { return row >= 0 && row < currentRow; }
    void updateForWindow();
    void showCurrentInputRow();
    void showSelection();

    Seams s_;
    TimingList& list_;
    const DeviceMirror& mirror_;
    bool selectingInput_ = false;
    bool addingInput_ = false;
};

} // namespace kivo
