#pragma once

#include <string>
#include <vector>

namespace kivo {

class OutputSettings;
class PanelApp;
class TimingListLoader;
struct TimingList;
struct TimingRecord;

// Where the keyboard focus goes after a step of a timing page.
enum class TimingPageFocus { unchanged, numberBox, nameBox, freeRun, autosync };

// The Quadrix Output page without its widgets: what the drop-down list shows selected, the
// Add boxes, the Mode radios and which buttons can be used, around the output settings'
// recall, Add, Delete and mode switches. The page draws these fields after every event.
class OutputPageModel {
public:
    enum ModeRadio { freeRunRadio = 0, autosyncRadio = 1 };

    struct Seams {
        PanelApp& app;
        OutputSettings& settings;
        TimingListLoader& loader;
    };

    OutputPageModel(Seams seams, TimingList& outputList, const TimingRecord& outputTiming,
                    const bool& outputFreeRun);

    // The Add boxes' texts, as the page last handed them over or as a step left them.
    std::string numberText;
    std::string nameText;
    // The row the drop-down list shows selected; -1 none. outputSelection, the setting the
    // page works on, is the list's own selection.
    int shownRow = -1;
    int modeRadio = freeRunRadio;
    // Set when the page itself moved the Mode check: the next mode click only moves it back.
    bool modeRadioMark = false;
    bool chromaKeyEnabled = false;
    TimingPageFocus focus = TimingPageFocus::unchanged;

    void activate();
    // After every read of the output status: the current-timing row, and the setting that
    // matches the timing chosen (not while a recall or an Add is under way).
    void showCurrentOutputRow();
    void dropDown();
    void closeUp();
    void choose(int row);
    void add(const std::string& number, const std::string& name);
    void remove();
    void freeRunClicked();
    void autosyncClicked();
    void loadList(bool fromDevice);

    const std::vector<std::string>& rows() const;
    int outputSelection() const;
    bool deleteEnabled() const;
    bool locked() const;

private:
    int currentRow() const;
    bool isSetting(int row) const;
    bool isUserSetting(int row) const;
    void moveModeCheck(ModeRadio radio);
    void showSelection();

    Seams s_;
    TimingList& list_;
    const TimingRecord& outputTiming_;
    const bool& outputFreeRun_;
    bool selectingOutput_ = false;
    bool addingOutput_ = false;
};

} // namespace kivo
