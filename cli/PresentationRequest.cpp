#include "cli/PresentationRequest.h"

#include "cli/Operands.h"

#include "core/presentations/PresentationStore.h"

#include <algorithm>

namespace kivo::cli {
namespace {

// An option of export or play with its value, if `operands[i]` is one; moves `i` past it.
// `seen` collects the options read so far. Returns an error line, or empty.
std::string readOption(const std::string& action, const std::vector<std::string>& operands,
                       std::size_t& i, std::vector<std::string>& seen, PresentationRequest& request)
{
    const std::string& word = operands[i];
    const bool valued = word == "--output" || word == "--from";
    const bool flag = word == "--loop" || word == "--strict";
    if (!valued && !flag)
        return word.starts_with("--") ? "unknown option " + quoted(word) + " for " + action
                                      : std::string();
    if ((action == "export") != (word == "--output"))
        return word + " goes with " + (action == "export" ? "play" : "export") + " only";
    if (std::find(seen.begin(), seen.end(), word) != seen.end())
        return word + " is given twice";
    seen.push_back(word);
    if (valued && i + 1 == operands.size())
        return word + " needs " + (word == "--output" ? "a file name" : "a shot number");
    if (word == "--loop")
        request.loop = true;
    else if (word == "--strict")
        request.strict = true;
    else if (word == "--from")
        return readWholeNumber(operands[++i], "the shot number of --from", 1,
                               PresentationStore::maxShots, request.fromShot);
    else if (operands[++i].empty())
        return "--output needs a file name, not an empty word";
    else
        request.output = operands[i];
    return {};
}

} // namespace

std::string parsePresentationRequest(const std::string& action,
                                     const std::vector<std::string>& operands,
                                     PresentationRequest& request)
{
    std::vector<std::string> names;
    std::vector<std::string> seen;
    for (std::size_t i = 0; i < operands.size(); ++i) {
        const std::size_t options = seen.size();
        if (std::string error = readOption(action, operands, i, seen, request); !error.empty())
            return error;
        if (seen.size() == options)
            names.push_back(operands[i]);
    }
    if (names.empty() || names.front().empty())
        return action + " needs the name of a presentation (kivo-cli presentations lists them)";
    if (names.size() > 1)
        return action + " takes one presentation name, but got also " + quoted(names[1]) +
               " (quote a name that has blanks)";
    request.name = names.front();
    return {};
}

} // namespace kivo::cli
