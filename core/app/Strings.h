#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace kivo {

// Every text the operator sees and every command template, by resource number where the
// panel's resources give one. Texts without a number sit in the 20000 range.
enum class StringId : int {
    exitCaption = 103,
    helpCaption = 104,
    displayLineBreak = 119,
    integerRange = 124,
    realRange = 125,
    serialPortSection = 159,
    prompt = 323,
    outputListProgress = 325,
    inputListProgress = 326,
    outputTimingProgress = 327,
    windowCoordinatesProgress = 328,
    windowsProgress = 329,
    serialControlsProgress = 330,
    outputCacheWriteFailed = 490,
    inputCacheWriteFailed = 491,
    offWord = 715,
    timingColumnHeader = 884,
    lostLink = 968,
    moreMarker = 971,
    badHactOutput = 982,
    badVactOutput = 983,
    onWord = 988,
    freezeImageCaption = 989,
    outputListQuery = 992,
    inputListQuery = 993,
    emptySettingMark = 994,
    timingRowFormat = 1003,
    noConnection = 1012,
    hostHeaderKey = 1021,
    unknownImageItem = 1057,
    abortHint = 1067,
    badTerminalRead = 1090,
    inputCacheFormat = 1104,
    outputCacheFormat = 1131,
    incompleteListReply = 1169,

    establishingConnection = 20000,
    echoQuery,
    echoOn,
    echoOff,
    idQuery,
    hostQuery,
    baudQuery,
    priorityAllQuery,
    winAllQuery,
    windowDestQuery,
    windowSourceQuery,
    windowInputSizeQuery,
    brightnessQuery,
    contrastQuery,
    saturationQuery,
    hueQuery,
    gammaQuery,
    motionQuery,
    freezeQuery,
    inputQuery,
    brightnessProgress,
    contrastProgress,
    saturationProgress,
    hueProgress,
    gammaProgress,
    motionProgress,
    freezeProgress,
    inputProgress,
    brightnessCommand,
    contrastCommand,
    saturationCommand,
    hueCommand,
    gammaCommand,
    placeholderRowFormat,
    virtualScreenCaption,
    presentationEngineCaption,
    imageControlsCaption,
    quadrixOutputCaption,
    quadrixInputsCaption,
    serialPortCaption,
    terminalCaption,
    mainWindowNotice,
    helpWindowTitle,
    silentPort,
    traceCaption,
    raiseCommand,
    priorityCommand,
    placeCommand,
    clearDescriptionsQuestion,
    overwriteArrangementQuestion,
    setArrangementQuestion,
    unsetArrangementQuestion,
    unknownArrangementMode,
    shortWindowTitle,
    windowTitle,
    maximisedLabel,
    activeLabel,
    firstLabel,
    secondLabel,
    thirdLabel,
    fourthLabel,
    fifthLabel,
    sixthLabel,
    seventhLabel,
    eighthLabel,
    ninthLabel,
    tenthLabel,
    outputRectLabel,
    presentationProgress,
    presentationsLoaded,
    presentationControlTitle,
    disabledWindowsTitle,
};

// The text of a string-table entry; an unknown id gives an empty text.
std::string_view loadString(StringId id);

// printf-style formatting of a string-table template, as the resources are written.
template <typename... Args> std::string formatString(StringId id, Args... args)
{
    const std::string format(loadString(id));
    const int size = std::snprintf(nullptr, 0, format.c_str(), args...);
    if (size <= 0)
        return {};
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(text.data(), text.size(), format.c_str(), args...);
    text.resize(static_cast<std::size_t>(size));
    return text;
}

} // namespace kivo
