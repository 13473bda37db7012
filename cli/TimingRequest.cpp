#include "cli/TimingRequest.h"

#include "cli/Operands.h"

#include "core/base/Text.h"
#include "core/mirror/DeviceMirror.h"
#include "core/timing/TimingList.h"

namespace kivo::cli {
namespace {

constexpr std::size_t longestName = 17;

std::string readSetting(const std::string& word, int last, int& setting)
{
    return readWholeNumber(word, "the output setting", 1, last, setting);
}

std::string parseInput(const std::vector<std::string>& operands, TimingRequest& request)
{
    const bool withLevels = operands.size() == 4 && operands[3] == "--with-levels";
    if (operands.empty() || operands[0] != "recall" || (operands.size() != 3 && !withLevels))
        return "input takes recall WINDOW N [--with-levels]";
    request.kind = TimingRequest::Kind::inputRecall;
    request.withLevels = withLevels;
    if (std::string error =
            readWholeNumber(operands[1], "the window", 1, DeviceMirror::maxWindows, request.window);
        !error.empty())
        return error;
    return readWholeNumber(operands[2], "the input setting", 1, TimingList::inputSlots,
                           request.setting);
}

std::string checkCount(const std::vector<std::string>& operands, std::size_t count,
                       const std::string& form)
{
    if (operands.size() == count)
        return {};
    return "output " + operands.front() + " takes " + form;
}

std::string parseMode(const std::vector<std::string>& operands, TimingRequest& request)
{
    if (operands.size() != 2 || (operands[1] != "free" && operands[1] != "auto"))
        return "output mode takes free or auto";
    request.kind =
        operands[1] == "free" ? TimingRequest::Kind::freeRun : TimingRequest::Kind::autosync;
    return {};
}

std::string parseSave(const std::vector<std::string>& operands, TimingRequest& request)
{
    if (std::string error = checkCount(operands, 3, "a setting number (1 to 10) and a name");
        !error.empty())
        return error;
    request.kind = TimingRequest::Kind::save;
    request.name = operands[2];
    if (operatorText(request.name, longestName).empty())
        return "output save needs a name with something printable in it";
    if (request.name.size() > longestName)
        return "the name may be up to 17 characters long, not " + quoted(request.name);
    return readSetting(operands[1], TimingList::cachedOutputSettings, request.setting);
}

} // namespace

std::string parseTimingRequest(const std::string& action, const std::vector<std::string>& operands,
                               TimingRequest& request)
{
    if (action == "input")
        return parseInput(operands, request);
    if (operands.empty())
        return "output needs recall N, save N NAME, delete N or mode free|auto";
    const std::string& verb = operands.front();
    if (verb == "mode")
        return parseMode(operands, request);
    if (verb == "save")
        return parseSave(operands, request);
    if (verb == "recall" || verb == "delete") {
        const bool recall = verb == "recall";
        if (std::string error = checkCount(operands, 2, "one setting number"); !error.empty())
            return error;
        request.kind = recall ? TimingRequest::Kind::recall : TimingRequest::Kind::remove;
        return readSetting(operands[1],
                           recall ? TimingList::outputSlots : TimingList::cachedOutputSettings,
                           request.setting);
    }
    return "output does not know " + quoted(verb) +
           ": use recall N, save N NAME, delete N or mode free|auto";
}

} // namespace kivo::cli
