#include "core/output/OutputPageModel.h"

#include "core/link/PanelApp.h"
#include "core/output/OutputSettings.h"
#include "core/timing/CurrentTimingRow.h"
#include "core/timing/SettingEntry.h"
#include "core/timing/TimingList.h"
#include "core/timing/TimingListLoader.h"

namespace kivo {

OutputPageModel::OutputPageModel(Seams seams, TimingList& outputList,
                                 const TimingRecord& outputTiming, const bool& outputFreeRun)
    : s_(seams), list_(outputList), outputTiming_(outputTiming), outputFreeRun_(outputFreeRun)
{
}

const std::vector<std::string>& OutputPageModel::rows() const { return list_.rows; }

int OutputPageModel::outputSelection() const { return list_.selection; }

bool OutputPageModel::deleteEnabled() const { return list_.deleteEnabled; }

bool OutputPageModel::locked() const { return outputTiming_.locked == 1; }

int OutputPageModel::currentRow() const { return list_.shownSettings(); }

bool OutputPageModel::isSetting(int row) const { return row >= 0 && row < currentRow(); }

bool OutputPageModel::isUserSetting(int row) const
{
    return row >= 0 && row < TimingList::cachedOutputSettings;
}

void OutputPageModel::activate()
{
    s_.app.timingDialogIsOutput = true;
    numberText.clear();
    nameText.clear();
    modeRadio = outputFreeRun_ ? freeRunRadio : autosyncRadio;
    chromaKeyEnabled = !outputFreeRun_;
    showCurrentOutputRow();
    list_.deleteEnabled = isUserSetting(shownRow);
}

void OutputPageModel::showCurrentOutputRow()
{
    const bool reselect = !selectingOutput_ && !addingOutput_ && s_.app.idle;
    showCurrentRow(list_, currentOutputRowText(outputTiming_), outputTiming_, reselect);
    if (reselect)
        shownRow = list_.selection;
}

void OutputPageModel::dropDown()
{
    if (shownRow == currentRow())
        shownRow = -1;
}

void OutputPageModel::closeUp()
{
    if (shownRow < 0 || shownRow > currentRow()) {
        list_.deleteEnabled = false;
        shownRow = currentRow();
    }
}

void OutputPageModel::choose(int row)
{
    list_.deleteEnabled = false;
    if (!isSetting(row)) {
        list_.selection = shownRow = currentRow();
        return;
    }
    selectingOutput_ = true;
    const bool recalled = s_.settings.recall(row);
    selectingOutput_ = false;
    if (!recalled)
        list_.deleteEnabled = isUserSetting(list_.selection);
    showSelection();
}

void OutputPageModel::showSelection()
{
    const int selection = list_.selection;
    shownRow = selection < 0 || selection > currentRow() ? currentRow() : selection;
}

void OutputPageModel::add(const std::string& number, const std::string& name)
{
    numberText = number;
    nameText = name;
    const SettingEntryFault fault =
        settingEntryFault(number, name, TimingList::cachedOutputSettings);
    addingOutput_ = true;
    const bool added = s_.settings.add(number, name);
    addingOutput_ = false;
    if (added)
        shownRow = list_.selection;
    // A refused entry stays for the operator to correct; a stored or declined one goes.
    if (fault == SettingEntryFault::number)
        focus = TimingPageFocus::numberBox;
    else if (fault == SettingEntryFault::name)
        focus = TimingPageFocus::nameBox;
    else if (fault == SettingEntryFault::none) {
        numberText.clear();
        nameText.clear();
    }
}

void OutputPageModel::remove()
{
    if (s_.settings.remove(list_.selection))
        shownRow = list_.selection;
}

void OutputPageModel::moveModeCheck(ModeRadio radio)
{
    modeRadio = radio;
    focus = radio == freeRunRadio ? TimingPageFocus::freeRun : TimingPageFocus::autosync;
}

void OutputPageModel::freeRunClicked()
{
    if (modeRadioMark) {
        moveModeCheck(autosyncRadio);
        modeRadioMark = false;
        return;
    }
    if (!outputFreeRun_ && s_.app.idle) {
        if (modeRadio != freeRunRadio) {
            moveModeCheck(freeRunRadio);
            modeRadioMark = true;
        }
        const int shownBefore = shownRow;
        // The status read after the switch chooses the row again.
        shownRow = -1;
        if (s_.settings.switchToFreeRun()) {
            chromaKeyEnabled = false;
        } else {
            shownRow = shownBefore;
            moveModeCheck(autosyncRadio);
        }
    }
    if (!s_.app.connected())
        chromaKeyEnabled = false;
}

void OutputPageModel::autosyncClicked()
{
    if (modeRadioMark) {
        moveModeCheck(freeRunRadio);
        modeRadioMark = false;
        return;
    }
    if (outputFreeRun_ && s_.app.idle && s_.app.connected()) {
        if (modeRadio != autosyncRadio) {
            moveModeCheck(autosyncRadio);
            modeRadioMark = true;
        }
        const int shownBefore = shownRow;
        shownRow = -1;
        switch (s_.settings.switchToAutosync()) {
        case OutputSettings::AutosyncOutcome::locked:
            chromaKeyEnabled = true;
            break;
        case OutputSettings::AutosyncOutcome::declined:
            shownRow = shownBefore;
            moveModeCheck(freeRunRadio);
            break;
        case OutputSettings::AutosyncOutcome::noReference:
            moveModeCheck(freeRunRadio);
            break;
        }
    }
    if (!s_.app.connected())
        chromaKeyEnabled = true;
}

void OutputPageModel::loadList(bool fromDevice)
{
    list_.fromDevice = fromDevice;
    s_.loader.loadOutputList(list_);
    // The reloaded list keeps the current-timing row after its settings; nothing is chosen.
    showCurrentRow(list_, currentOutputRowText(outputTiming_), outputTiming_, false);
    shownRow = list_.selection;
}

} // namespace kivo
