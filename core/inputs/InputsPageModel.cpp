#include "core/inputs/InputsPageModel.h"

#include "core/base/Strings.h"
#include "core/link/PanelApp.h"
#include "core/mirror/DeviceMirror.h"
#include "core/timing/CurrentTimingRow.h"
#include "core/timing/SettingEntry.h"
#include "core/timing/TimingList.h"
#include "core/timing/TimingListLoader.h"

namespace kivo {
namespace {

constexpr int lastWindowWithOneDigit = 9;

} // namespace

InputsPageModel::InputsPageModel(Seams seams, TimingList& inputList, const DeviceMirror& mirror)
    : s_(seams), list_(inputList), mirror_(mirror)
{
}

const std::vector<std::string>& InputsPageModel::rows() const { return list_.rows; }

int InputsPageModel::inputSelection() const { return list_.selection; }

bool InputsPageModel::deleteEnabled() const { return list_.deleteEnabled; }

int InputsPageModel::currentWindow() const
{
    const int window = s_.app.currentWindow;
    return window >= 1 && window <= static_cast<int>(DeviceMirror::maxWindows) ? window : 1;
}

InputWindowView InputsPageModel::view() const
{
    const WindowRecord& window = mirror_.window(currentWindow());
    return inputWindowView(window.inputType, window.inputConnector, window.inputTiming.locked == 1);
}

bool InputsPageModel::windowButtonShown(int number) const
{
    return number <= static_cast<int>(mirror_.windowCount);
}

std::string InputsPageModel::windowButtonCaption(int number) const
{
    std::string caption = number > lastWindowWithOneDigit
                              ? std::string(loadString(StringId::window10ButtonCaption))
                              : formatString(StringId::windowButtonCaption, number);
    const std::string& description = mirror_.window(number).description;
    if (!description.empty())
        caption += formatString(StringId::windowDescriptionSuffix, description.c_str());
    return caption;
}

bool InputsPageModel::activate()
{
    PanelApp& app = s_.app;
    app.timingDialogIsOutput = false;
    savedInputSelection = list_.selection;
    numberText.clear();
    nameText.clear();
    if (app.idle &&
        (app.currentWindow < 1 || app.currentWindow > static_cast<int>(mirror_.windowCount)))
        app.currentWindow = app.topWindow;
    updateForWindow();
    return app.idle && view().rgb;
}

void InputsPageModel::refreshTiming(bool pageInFront)
{
    if (!pageInFront)
        return;
    s_.windows.queryTiming(currentWindow());
    if (isSetting(savedInputSelection) &&
        sameTimingNumbers(list_.slots.at(static_cast<std::size_t>(savedInputSelection)),
                          s_.windows.timing(currentWindow())))
        list_.selection = shownRow = savedInputSelection;
}

void InputsPageModel::windowTimingRead(bool pageInFront)
{
    if (s_.app.idle && pageInFront)
        showCurrentInputRow();
}

void InputsPageModel::showCurrentInputRow()
{
    const bool reselect = !selectingInput_ && !addingInput_;
    // A load or a Delete leaves no row chosen; the page still follows the window's timing.
    if (reselect && list_.selection < 0)
        list_.selection = currentRow;
    s_.settings.showCurrentRow(currentWindow(), reselect);
    if (reselect && list_.selection <= currentRow)
        shownRow = list_.selection;
}

void InputsPageModel::showSelection()
{
    const int selection = list_.selection;
    shownRow = selection < 0 || selection > currentRow ? currentRow : selection;
}

void InputsPageModel::updateForWindow()
{
    if (view().rgb)
        showCurrentInputRow();
    else
        shownRow = -1;
    list_.deleteEnabled = isSetting(shownRow);
}

void InputsPageModel::chooseWindow(int number)
{
    s_.app.currentWindow = number;
    if (view().rgb)
        s_.windows.queryTiming(number);
    updateForWindow();
}

void InputsPageModel::chooseConnector(InputConnector connector)
{
    s_.settings.chooseConnector(currentWindow(), connector);
}

void InputsPageModel::dropDown()
{
    if (shownRow == currentRow)
        shownRow = -1;
}

void InputsPageModel::closeUp()
{
    if (shownRow < 0 || shownRow > currentRow) {
        list_.deleteEnabled = false;
        shownRow = currentRow;
    }
}

void InputsPageModel::choose(int row)
{
    list_.deleteEnabled = false;
    if (!isSetting(row)) {
        list_.selection = shownRow = currentRow;
        return;
    }
    selectingInput_ = true;
    const bool recalled = s_.settings.recall(currentWindow(), row, loadImageSettings);
    selectingInput_ = false;
    if (!recalled)
        list_.deleteEnabled = isSetting(list_.selection);
    showSelection();
}

void InputsPageModel::add(const std::string& number, const std::string& name)
{
    numberText = number;
    nameText = name;
    const SettingEntryFault fault = settingEntryFault(number, name, list_.count);
    addingInput_ = true;
    const bool added = s_.settings.add(currentWindow(), number, name);
    addingInput_ = false;
    if (added) {
        numberText.clear();
        nameText.clear();
        shownRow = list_.selection;
    } else if (fault == SettingEntryFault::number) {
        focus = TimingPageFocus::numberBox;
    } else if (fault == SettingEntryFault::name) {
        focus = TimingPageFocus::nameBox;
    }
}

void InputsPageModel::remove()
{
    if (s_.settings.remove(list_.selection))
        shownRow = list_.selection;
}

void InputsPageModel::loadList(bool fromDevice)
{
    list_.fromDevice = fromDevice;
    s_.loader.loadInputList(list_);
    // The reloaded list keeps the window's current-timing row after its settings.
    if (view().rgb)
        s_.settings.showCurrentRow(currentWindow(), false);
    shownRow = list_.selection;
}

} // namespace kivo
