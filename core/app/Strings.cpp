#include "core/app/Strings.h"

#include <algorithm>
#include <array>
#include <utility>

namespace kivo {
namespace {

using Entry = std::pair<StringId, std::string_view>;

// Kept sorted by id so a lookup is a binary search.
constexpr auto table = std::to_array<Entry>({
    {StringId::exitCaption, "E&xit"},
    {StringId::helpCaption, "&Help"},
    {StringId::displayLineBreak, "\r\r\n"},
    {StringId::integerRange,
     "The current range of values allowed for this parameter is %d to %d, inclusive. "
     "Integers only."},
    {StringId::realRange,
     "The current range of values allowed for this parameter is %.02lf to %.02lf, inclusive."},
    {StringId::serialPortSection, "SERIALPORT"},
    {StringId::prompt, "> "},
    {StringId::outputListProgress, "Getting Output List..."},
    {StringId::inputListProgress, "Getting Input List..."},
    {StringId::outputTimingProgress, "Initializing timing controls..."},
    {StringId::windowCoordinatesProgress, "Initializing window coordinates for win %d..."},
    {StringId::windowsProgress, "Initializing windows..."},
    {StringId::serialControlsProgress, "Initializing serial port controls..."},
    {StringId::freeOutputLine, "ht %d %d %d %d %d %d %d %d %d %d %d %d %d"},
    {StringId::inputTimingLine, "rgbt %d %d %d %d %d %d %d %d %d"},
    {StringId::autosyncOutputLine, "ht %d %d %d %d %d %d %d %d"},
    {StringId::outputCacheWriteFailed, "Couldn't write output timing %d to ini file"},
    {StringId::inputCacheWriteFailed, "Couldn't write input timing %d to ini file"},
    {StringId::horizontalBlankUnknown,
     "Current parameters provide insufficient information to determine the four horizontal "
     "non-active parameters. Horizontal blank is the sum of horizontal  front porch, sync, and "
     "back porch. Any three may be used to determine the fourth."},
    {StringId::verticalBlankUnknown,
     "Current parameters provide insufficient information to determine the four vertical "
     "non-active parameters. Vertical blank is the sum of vertical  front porch, sync, and back "
     "porch. Any three may be used to determine the fourth."},
    {StringId::horizontalTotalUnknown,
     "Current parameters provide insufficient information to determine all horizontal "
     "parameters. Please provide a value for horizontal active or horizontal total. You may "
     "provide both, but hblank + hactive must equal htotal."},
    {StringId::verticalTotalUnknown,
     "Current parameters provide insufficient information to determine all vertical "
     "parameters. Please provide a value for vertical active or vertical total. You may provide "
     "both, but vblank + vactive must equal vtotal."},
    {StringId::timingValueOutOfRange,
     "Timing parameters calulation yeilds %d, which is out of range (range: 0 - %d) ."},
    {StringId::offWord, "off"},
    {StringId::timingColumnHeader,
     "NAME              HFP HS  HBP HACT VFP VS VBP VACT HFREQ SY HP VP IL"},
    {StringId::lostLink,
     "This Control Panel is terminating because it no longer has a reliable connection with "
     "the  Quadrix.  Check connections and try again."},
    {StringId::moreMarker, "----- MORE -----"},
    {StringId::badHactOutput,
     "Bad HACT output value: %d. The range for horizontal active values is %d to %d."},
    {StringId::badVactOutput,
     "Bad VACT output value: %d. The range for vertical active values is %d to %d."},
    {StringId::onWord, "on"},
    {StringId::freezeImageCaption, "&Freeze Image"},
    {StringId::outputListQuery, "hlist 1 27"},
    {StringId::inputListQuery, "rgblist"},
    {StringId::emptySettingMark, " ---"},
    {StringId::inputAdjustCommand, "rgbi %d"},
    {StringId::inputRecallCommand, "rgbload %d  %d"},
    {StringId::outputRecallCommand, "host load %d"},
    {StringId::inputNameCommand, "rgbn %d %s"},
    {StringId::outputNameCommand, "host name %s"},
    {StringId::inputSaveCommand, "rgbs %d %d"},
    {StringId::outputSaveCommand, "host save %d"},
    {StringId::timingRowFormat, "%-4d%-18s%-4d%-4d%-4d%-5d%-4d%-3d%-4d%-5d%-6d%-3d%-3d%-3d%d"},
    {StringId::quotedName, "\"%s\""},
    {StringId::needNumberAndName,
     "Please provide a setting number between %d and %d, and a name for the new setting."},
    {StringId::needSettingNumber, "Please provide a setting number between %d and %d."},
    {StringId::needSettingName,
     "Please provide a name for the new setting. The name may be up to %d characters long."},
    {StringId::noConnection, "No connection. Reset from Serial Port page."},
    {StringId::errorWord, "Error"},
    {StringId::inputRejected,
     "The Quadrix has rejected the new parameters. No change to input timing parameters."},
    {StringId::outputRejected,
     "The Quadrix has rejected the new parameters. No change to output timing parameters."},
    {StringId::hostHeaderKey, "VPOL IL"},
    {StringId::autosyncCommand, "host auto"},
    {StringId::freeRunCommand, "host free"},
    {StringId::noSyncMode,
     "Output timing currently reports no sync mode value (3, 4, or 5 wire).\n\nIf the Quadrix is "
     "in free-run mode, please provide the correct sync mode value by selecting a Sync Mode radio "
     "button, or by selecting an output host with the correct sync mode from the Output Presets "
     "page.\n\nIf the Quadrix is in autosync mode, check the reference signal."},
    {StringId::overwriteOutputQuestion, "Output preset %d is already set. Do you want to overwrite "
                                        "the current setting with this one?"},
    {StringId::noReferenceSignal,
     "The Quadrix could not find a reference signal, which is required for output auto mode. The "
     "Kivo will now switch the Quadrix back to free run mode."},
    {StringId::badHactInput, "Bad HACT value for RGB input %d.\n\nValue: %d. The range for "
                             "horizontal active values is %d to %d."},
    {StringId::badVactInput, "Bad VACT value for RGB input %d.\n\nValue: %d. The range for "
                             "vertical active values is %d to %d."},
    {StringId::freeRunQuestion,
     "In free-run mode, the Quadrix may not work correctly if there is an active reference signal "
     "plugged into the HIGH RESOLUTION INPUT connector on the back panel.\n\nBefore switching to "
     "free-run mode, make sure that any reference signal is turned off or unplugged.\n\nDo you "
     "want to switch to free-run mode?"},
    {StringId::autosyncQuestion,
     "In autosync mode, the Quadrix will not work correctly unless there is a viable reference "
     "signal plugged into the HIGH RESOLUTION INPUT connector on the back panel in addition to the "
     "windows inputs.\n\nBefore switching to autosync mode, make sure that a viable reference "
     "signal is plugged in to the Quadrix.\n\nDo you want to switch to autosync mode?"},
    {StringId::emptyOutputPreset, "Output preset %d is empty."},
    {StringId::emptyInputPreset, "Input preset %d is empty."},
    {StringId::inputDeleteCommand, "rgbdel %d"},
    {StringId::outputDeleteCommand, "hdel %d"},
    {StringId::deleteOutputQuestion,
     "Are you sure you want to delete user setting %d from the Quadrix's output settings list?"},
    {StringId::deleteInputQuestion,
     "Are you sure you want to delete user setting %d from the Quadrix's input settings list?"},
    {StringId::noOutputSelected, "No output setting is selected."},
    {StringId::noInputSelected, "No input setting is selected."},
    {StringId::standardOutputSetting,
     "You cannot delete output settings eleven through twenty seven. They are standard settings "
     "that come with the Quadrix."},
    {StringId::unknownImageItem,
     "Error in assignment of image controls.  Image controls may not be accurate.\n\n"
     "(Diagnosis:  Unknown command code [%d] was sent to image assignment routine.)"},
    {StringId::abortHint, "Hold down the Alt key and Shift key to abort."},
    {StringId::compositeCommand, "input %d composite"},
    {StringId::svideoCommand, "input %d svideo"},
    {StringId::autoInputCommand, "input %d auto"},
    {StringId::cancelInputQuestion,
     "This will reset the Quadrix's input timing for RGB window %d to the setting that was in "
     "effect when you first opened this dialog box.\n\nContinue?"},
    {StringId::cancelOutputQuestion,
     "This will reset the Quadrix's output timing to the setting that was in effect when you first "
     "opened this dialog box.\n\nContinue?"},
    {StringId::currentInputRow,
     "Window  %-2d Timing     %-4d%-4d%-4d%-5d%-4d%-3d%-4d%-5d%-6d%-3d%-3d%-3d%d"},
    {StringId::currentOutputRow,
     "Current Output Timing %-4d%-4d%-4d%-5d%-4d%-3d%-4d%-5d%-6d%-3d%-3d%-3d%d"},
    {StringId::inputNotLocked,
     "RGB input window %d not locked to a signal. Timing parameters ignored."},
    {StringId::outputNotLocked, "RGB output not locked. Timing parameters ignored."},
    {StringId::badTerminalRead, "Bad read in function ReadCommForTerm()"},
    {StringId::inputTimingTitle, "Input Timing for RGB Window %d"},
    {StringId::inputAdjustTitle, "Interactive Adjustment for RGB Window %d"},
    {StringId::inputCacheFormat,
     "%-18s%-4d%-4d%-4d%-5d%-4d%-3d%-4d%-5d%-6d%-3d%-3d%-3d%d %d %d %.01lf"},
    {StringId::lockedWord, "locked"},
    {StringId::lockedUnderscoreWord, "locked_"},
    {StringId::outputCacheFormat, "%-18s%-4d%-4d%-4d%-5d%-4d%-3d%-4d%-5d%-6d%-3d%-3d%-3d%d"},
    {StringId::incompleteListReply,
     "Error: The Quadrix sent no response, or an incomplete response, to the command [%s]. "
     "The Quadrix sent [%s]."},

    {StringId::establishingConnection, "Establishing Connection..."},
    {StringId::echoQuery, "echo"},
    {StringId::echoOn, "echo on"},
    {StringId::echoOff, "echo off"},
    {StringId::idQuery, "id"},
    {StringId::hostQuery, "host"},
    {StringId::baudQuery, "baud"},
    {StringId::priorityAllQuery, "priority all"},
    {StringId::winAllQuery, "win all"},
    {StringId::windowDestQuery, "wdr %d"},
    {StringId::windowSourceQuery, "wsr %d"},
    {StringId::windowInputSizeQuery, "mwsr %d"},
    {StringId::brightnessQuery, "bright %d"},
    {StringId::contrastQuery, "contrast %d"},
    {StringId::saturationQuery, "saturation %d"},
    {StringId::hueQuery, "hue %d"},
    {StringId::gammaQuery, "gamma %d"},
    {StringId::motionQuery, "motion %d"},
    {StringId::freezeQuery, "freeze %d"},
    {StringId::inputQuery, "input %d"},
    {StringId::brightnessProgress, "Getting brightness levels..."},
    {StringId::contrastProgress, "Getting contrast levels..."},
    {StringId::saturationProgress, "Getting saturation levels..."},
    {StringId::hueProgress, "Getting color levels..."},
    {StringId::gammaProgress, "Getting gamma levels..."},
    {StringId::motionProgress, "Getting motion filter status..."},
    {StringId::freezeProgress, "Getting freeze status..."},
    {StringId::inputProgress, "Getting signal types..."},
    {StringId::brightnessCommand, "bright %d %d"},
    {StringId::contrastCommand, "contrast %d %d"},
    {StringId::saturationCommand, "saturation %d %d"},
    {StringId::hueCommand, "hue %d %d"},
    {StringId::gammaCommand, "gamma %d %.01lf"},
    {StringId::placeholderRowFormat, "%-2d %s"},
    {StringId::virtualScreenCaption, "Virtual Screen"},
    {StringId::presentationEngineCaption, "Presentation Engine"},
    {StringId::imageControlsCaption, "Image Controls"},
    {StringId::quadrixOutputCaption, "Quadrix Output"},
    {StringId::quadrixInputsCaption, "Quadrix Inputs"},
    {StringId::serialPortCaption, "Serial Port and Resets"},
    {StringId::windowTimingQuery, "rgb %d"},
    {StringId::terminalCaption, "Terminal  "},
    {StringId::mainWindowNotice, "Kivo drives the Quadrix over its serial line."},
    {StringId::helpWindowTitle, "Kivo Help"},
    {StringId::silentPort, "Nothing answered on %s at %u baud: check that the Quadrix is switched "
                           "on, connected to this port and set to that rate."},
    {StringId::traceCaption, "&Trace the traffic to a file"},
    {StringId::raiseCommand, "priority %d 1"},
    {StringId::priorityCommand, "priority %d %d"},
    {StringId::placeCommand, "wdr %d %d %d %d %d"},
    {StringId::clearDescriptionsQuestion,
     "This will permanently delete the current Kivo descriptions of Quadrix windows. Are you "
     "sure you want to do this?"},
    {StringId::overwriteArrangementQuestion,
     "This will erase any prior setting for user arrangement %d, and reset it to the current "
     "window configuration displayed on the Virtual Screen.\n\nContinue?"},
    {StringId::setArrangementQuestion,
     "This will set User Arrangement %d to the current window arrangement. Continue?"},
    {StringId::unsetArrangementQuestion,
     "Custom arrangement %d is not set. Would you like to set it to the current window "
     "configuration displayed on the Virtual Screen?"},
    {StringId::unknownArrangementMode, "Unknown image arrangement mode: %d."},
    {StringId::shortWindowTitle, "W %d"},
    {StringId::windowTitle, "Window %d"},
    {StringId::maximisedLabel, "(Maximized)"},
    {StringId::activeLabel, "Active"},
    {StringId::firstLabel, "1st"},
    {StringId::secondLabel, "2nd"},
    {StringId::thirdLabel, "3rd"},
    {StringId::fourthLabel, "4th"},
    {StringId::fifthLabel, "5th"},
    {StringId::sixthLabel, "6th"},
    {StringId::seventhLabel, "7th"},
    {StringId::eighthLabel, "8th"},
    {StringId::ninthLabel, "9th"},
    {StringId::tenthLabel, "10th"},
    {StringId::outputRectLabel, " %d %d %d %d"},
    {StringId::presentationProgress, "Getting presentation %d from ini file..."},
    {StringId::presentationsLoaded, "Establishing connection..."},
    {StringId::presentationControlTitle, "Presentation Control "},
    {StringId::disabledWindowsTitle, "(Wins Disabled by Kivo: %s) "},
    {StringId::invalidPresentation, "Invalid presentation index [%d]."},
    {StringId::playerShotInfo, "%s [shot %d]"},
    {StringId::playingWord, "Playing"},
    {StringId::rewindingWord, "Rewinding"},
    {StringId::fastForwardWord, "Fast forward"},
    {StringId::doneWord, "Done"},
    {StringId::pausedWord, "Paused"},
    {StringId::presentationBuilding, "Presentation %d: Building"},
    {StringId::presentationPaused, "Presentation %d: Paused"},
    {StringId::noPresentationSelected, "No presentation selected"},
    {StringId::sleepCommand, "sleep %d"},
    {StringId::maxPresentationsMessage,
     "The Presentation Engine allows a maximum of %d presentations. In order to add another "
     "presentation, you will first have to delete one or more existing presentations."},
    {StringId::maxShotsMessage,
     "The Presentation Engine allows a maximum of %d shots in a presentation. In order to add "
     "another shot, you will first have to delete one or more shots."},
    {StringId::needPresentationName,
     "Please provide a unique name for the new presentation, and then click the Add button next "
     "to the Presentations list."},
    {StringId::needShotName,
     "Please provide a name for the new shot, and then click the Add button next to the Shots "
     "list."},
    {StringId::duplicatePresentationName,
     "Presentation %d already has this name. Please provide a unique name for the new "
     "presentation."},
    {StringId::duplicateShotName,
     "Shot %d of the current presentation already has this name. Please provide a unique name "
     "for the new shot."},
    {StringId::emptyPresentationRename, "Please provide a name for the current presentation."},
    {StringId::emptyShotRename, "Please provide a name for the current shot."},
    {StringId::removePresentationQuestion,
     "Are you sure you want to remove the presentation called [%s], and all of its shots?"},
    {StringId::addPresentationFirst, "Please add a presentation."},
    {StringId::selectPresentationFirst, "Please select or add a presentation."},
    {StringId::copyShotQuestion,
     "The current shot and the current window configuration are not identical. The new shot "
     "will contain the current window configuration, and will differ from the current shot "
     "unless you assign the current configuration to the current shot.\n\nDo you want to assign "
     "the current configuration to the current shot before creating a new shot?"},
    {StringId::alteredSuffix, " (altered)"},
    {StringId::assignQuestion,
     "This will assign the current window configuration to shot %d  of presentation %d. The "
     "current window configuration for this shot will be lost. Continue?"},
    {StringId::noPresentationsLabel, "Presentations"},
    {StringId::onePresentationLabel, "1  Presentation"},
    {StringId::presentationsLabel, "%d  Presentations"},
    {StringId::maxPresentationsLabel, "%d  Presentations (maximum)"},
    {StringId::noShotsLabel, "Shots"},
    {StringId::oneShotLabel, "1 Shot"},
    {StringId::shotsLabel, "%d Shots"},
    {StringId::maxShotsLabel, "%d Shots (maximum)"},
    {StringId::saveAsCaption, "Sa&ve As [%s.txt]"},
    {StringId::saveAsInitialCaption, "Sa&ve As [Presentation].txt"},
    {StringId::exportQuestion,
     "This will save the current presentation as a Quadrix command script in the file:\n\n "
     "[%s].\n\nContinue?"},
    {StringId::exportDone,
     "The current presentation has been saved as a Quadrix command script in the file:\n\n "
     "[%s]."},
    {StringId::noScriptFileName,
     "The name of this presentation leaves no file name for its script. Rename the "
     "presentation, then save it again."},
    {StringId::copyOfPrefix, "Copy of "},
    {StringId::numberedCopyPrefix, "Copy (%d) of "},
    {StringId::moveVideoImagesGroup, "Move Video Images "},
    {StringId::immediatelyCaption, "&Immediately"},
    {StringId::onApplyOnlyCaption, "&On Apply Only"},
    {StringId::applyCaption, "&Apply"},
    {StringId::sizingGroup, " Sizing "},
    {StringId::sizingMarkersCaption, "Sizing &Markers"},
    {StringId::restoreInitialSizesCaption, "Res&tore Initial Sizes"},
    {StringId::windowsGroup, " Windows (Enter description.) "},
    {StringId::window1Caption, "&1"},
    {StringId::window2Caption, "&2"},
    {StringId::window3Caption, "&3"},
    {StringId::window4Caption, "&4"},
    {StringId::window5Caption, "&5"},
    {StringId::window6Caption, "&6"},
    {StringId::window7Caption, "&7"},
    {StringId::window8Caption, "&8"},
    {StringId::window9Caption, "&9"},
    {StringId::window10Caption, "1&0"},
    {StringId::clearDescriptionsCaption, "&Clear Descriptions"},
    {StringId::userArrangementsGroup,
     "User Arrangements  (To set an arrangement, click with shift key down.) "},
    {StringId::user1Caption, "&User 1"},
    {StringId::user2Caption, "U&ser 2"},
    {StringId::user3Caption, "Us&er 3"},
    {StringId::user4Caption, "Use&r 4"},
    {StringId::arrangeGroup, " Arrange "},
    {StringId::topLeftCaption, "TL"},
    {StringId::topRightCaption, "TR"},
    {StringId::bottomRightCaption, "BR"},
    {StringId::bottomLeftCaption, "BL"},
    {StringId::gridCaption, "S"},
    {StringId::centreCaption, "C"},
    {StringId::renamePresentationCaption, "R&ename"},
    {StringId::addPresentationCaption, "&Add"},
    {StringId::copyPresentationCaption, "&Copy"},
    {StringId::removePresentationCaption, "Re&move"},
    {StringId::renameShotCaption, "Re&name"},
    {StringId::addShotCaption, "A&dd"},
    {StringId::copyShotCaption, "Cop&y"},
    {StringId::removeShotCaption, "Rem&ove"},
    {StringId::assignCaption, "Assi&gn"},
    {StringId::upCaption, "&Up"},
    {StringId::downCaption, "Do&wn"},
    {StringId::loopCaption, "&Loop"},
    {StringId::holdTimeUnit, "mSecs"},
    {StringId::presentationControlGroup, " Presentation Control "},
    {StringId::rewindCaption, "&Rewind\r   <<"},
    {StringId::previousCaption, "Prev&ious\r   < | |"},
    {StringId::pauseCaption, "Pau&se\r    | |"},
    {StringId::nextCaption, "Nex&t\r  | | >"},
    {StringId::playCaption, "&Play\r  >"},
    {StringId::fastCaption, "&Fast\r  >>"},
    {StringId::exportFailed,
     "The current presentation could not be saved as a Quadrix command script in the file:\n\n "
     "[%s].\n\n%s"},
    {StringId::outputAdjustCommand, "hi"},
    {StringId::adjustQuit, "q"},
    {StringId::chromaKeyQuery, "ck"},
    {StringId::chromaKeyOnCommand, "ck on"},
    {StringId::chromaKeyOffCommand, "ck off"},
    {StringId::chromaLimitsQuery, "ckc"},
    {StringId::chromaLimitsCommand, "ckc %d %d %d %d %d %d"},
    {StringId::oldChromaLimitsCommand, "ckey limits %d %d %d %d %d %d"},
    {StringId::chromaKeyTitle, "ChromaKey Controls"},
    {StringId::chromaModeGroup, " Mode "},
    {StringId::insertCaption, "&Insert"},
    {StringId::chromaKeyCaption, "&ChromaKey"},
    {StringId::chromaLimitsGroup, " Quadrix Parameters (from -270 to 1250 mV) "},
    {StringId::chromaMinimumLabel, "ChromaKey Minimum Limits"},
    {StringId::chromaMaximumLabel, "ChromaKey Maximum Limits"},
    {StringId::chromaPresetsGroup, " Saturated Color Presets "},
    {StringId::whiteCaption, "&White"},
    {StringId::cyanCaption, "Cya&n"},
    {StringId::magentaCaption, "&Magenta"},
    {StringId::yellowCaption, "&Yellow"},
    {StringId::redCaption, "&Red"},
    {StringId::greenCaption, "&Green"},
    {StringId::blueCaption, "&Blue"},
    {StringId::blackCaption, "Blac&k"},
    {StringId::dialogDoneCaption, "&Done"},
});

constexpr bool sortedById()
{
    for (std::size_t i = 1; i < table.size(); ++i)
        if (table[i - 1].first >= table[i].first)
            return false;
    return true;
}
static_assert(sortedById(), "the string table must stay sorted by id");

} // namespace

std::string_view loadString(StringId id)
{
    const auto it =
        std::lower_bound(table.begin(), table.end(), id,
                         [](const Entry& entry, StringId key) { return entry.first < key; });
    return it != table.end() && it->first == id ? it->second : std::string_view{};
}

} // namespace kivo
