#include "core/timing/TimingListLoader.h"

#include "core/base/ProgressSink.h"
#include "core/base/Prompter.h"
#include "core/base/Strings.h"
#include "core/base/Text.h"
#include "core/protocol/CommandChannel.h"
#include "core/timing/TimingList.h"
#include "core/timing/TimingListCache.h"
#include "core/timing/TimingRowParser.h"
#include "core/timing/TimingText.h"

namespace kivo {
namespace {

// A reply this short cannot hold a single timing row.
constexpr std::size_t shortestListReply = 10;

void fillPlaceholders(TimingList& list, int first, int last)
{
    list.deleteEnabled = false;
    list.rows.clear();
    for (int number = first; number <= last; ++number)
        list.rows.push_back(placeholderRow(number));
}

} // namespace

TimingListLoader::TimingListLoader(CommandChannel& channel, TimingListCache& cache,
                                   Prompter& prompter)
    : channel_(channel), cache_(cache), prompter_(prompter)
{
}

bool TimingListLoader::loadOutputList(TimingList& list)
{
    fillPlaceholders(list, 0, list.shownSettings());
    list.clear();
    if (!list.fromDevice)
        cache_.read(list);
    else if (channel_.connected() && !queryDevice(list))
        return false; // the placeholders stay, row 0 included
    placeRows(list, 0);
    list.rows.erase(list.rows.begin());
    list.selection = -1;
    if (list.fromDevice)
        cache_.save(list);
    return true;
}

bool TimingListLoader::loadInputList(TimingList& list)
{
    fillPlaceholders(list, 1, TimingList::inputSlots);
    list.clear();
    // Always read: the cache is where an input setting's picture levels come from.
    cache_.read(list);
    if (list.fromDevice && !queryDevice(list))
        return false;
    placeRows(list, 1);
    list.selection = -1;
    if (list.fromDevice)
        cache_.save(list);
    return true;
}

bool TimingListLoader::queryDevice(TimingList& list)
{
    const bool output = list.kind == TimingList::Kind::output;
    if (progress_)
        progress_->showProgressText(std::string(
            loadString(output ? StringId::outputListProgress : StringId::inputListProgress)));
    const StringId query = output ? StringId::outputListQuery : StringId::inputListQuery;
    const Reply reply = channel_.sendAndCollect(query, true);
    // A refusal is one line that begins "Error"; a setting's name may hold the word anywhere.
    if (reply.text.size() < shortestListReply || trimLeft(reply.text).starts_with("Error")) {
        prompter_.tell(formatString(StringId::incompleteListReply,
                                    std::string(loadString(query)).c_str(), reply.text.c_str()));
        channel_.readReply(); // drain what arrives late
        return false;
    }
    const std::vector<int> listedEmpty =
        parseTimingRows(reply.text, list.slots, list.count, output);
    // Only a list read to the device's prompt says for certain which settings it lacks.
    if (reply.end == Reply::End::prompt)
        forgetSettings(list, listedEmpty);
    return true;
}

void TimingListLoader::forgetSettings(TimingList& list, const std::vector<int>& numbers)
{
    for (const int number : numbers)
        list.slots.at(static_cast<std::size_t>(number - 1)) = TimingRecord{};
    cache_.forget(list, numbers);
}

// Puts each setting's row over its placeholder; rows[0] shows setting `firstRowNumber`.
void TimingListLoader::placeRows(TimingList& list, int firstRowNumber) const
{
    const std::size_t placed =
        list.kind == TimingList::Kind::output ? list.rows.size() - 1 : list.slots.size();
    for (std::size_t slot = 0; slot < placed && slot < list.slots.size(); ++slot) {
        const int number = rowNumber(list.slots[slot].rowText);
        const int row = number - firstRowNumber;
        if (number > 0 && row >= 0 && row < static_cast<int>(list.rows.size()))
            list.rows[static_cast<std::size_t>(row)] = list.slots[slot].rowText;
    }
}

} // namespace kivo
