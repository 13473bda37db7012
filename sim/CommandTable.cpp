#include "sim/CommandTable.h"

#include "sim/ReplyFormats.h"
#include "sim/TextFormat.h"

namespace kivo::sim {

void CommandTable::add(std::string_view pattern, std::string_view usage, std::string_view summary,
                       Handler handler)
{
    entries_.push_back(Entry{CommandPattern(pattern), std::string(usage), std::string(summary),
                             std::move(handler)});
}

std::string CommandTable::execute(std::string_view line) const
{
    CommandArgs args;
    for (const Entry& entry : entries_) {
        if (entry.pattern.match(line, args))
            return entry.handler(args);
    }
    return usageError(line);
}

std::string CommandTable::help() const
{
    std::string text = formatLine("%s", replies::helpHeader);
    for (const Entry& entry : entries_)
        text += formatLine(replies::helpRow, entry.usage.c_str(), entry.summary.c_str());
    return text;
}

std::string CommandTable::usageError(std::string_view line) const
{
    const std::vector<std::string_view> words = splitWords(line);
    const std::string keyword = words.empty() ? std::string() : lowerCase(words.front());
    std::string forms;
    for (const Entry& entry : entries_) {
        if (entry.pattern.keyword() == keyword)
            forms += (forms.empty() ? "" : " | ") + entry.usage;
    }
    if (forms.empty())
        return formatLine(replies::errorUnknown, std::string(line).c_str());
    return formatLine(replies::errorUsage, forms.c_str());
}

} // namespace kivo::sim
