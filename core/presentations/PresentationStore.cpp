#include "core/presentations/PresentationStore.h"

#include "core/base/ProgressSink.h"
#include "core/base/Strings.h"
#include "core/base/Text.h"
#include "core/protocol/NumberScan.h"
#include "core/settings/Profile.h"

#include <algorithm>
#include <utility>

namespace kivo {
namespace {

const char* const loopSection = "PE";
const char* const loopKey = "loop";
const char* const blankedShot = "-1";

std::string section(int row) { return "P" + std::to_string(row + 1) + "INFO"; }

std::string shotKey(int index) { return "s" + std::to_string(index + 1); }

// The shot count as stored: anything above the limit (a negative count read as unsigned is)
// is the limit.
int storedShotCount(const std::string& text)
{
    const long count = integerAt(text, 0);
    return count < 0 || count > PresentationStore::maxShots ? PresentationStore::maxShots
                                                            : static_cast<int>(count);
}

// The shots that read in a run from "s1"; the first key that is not a shot ends them.
std::vector<Shot> readShots(const Profile& profile, const std::string& name, int stored)
{
    std::vector<Shot> shots;
    for (int index = 0; index < stored; ++index) {
        const auto shot = parseShotLine(profile.readString(name, shotKey(index)));
        if (!shot)
            break;
        shots.push_back(*shot);
    }
    return shots;
}

// A section named like a presentation's ("P<n>INFO", any case) that loading never reads: n
// past the last row, or written in a way the rows' names are not (P0INFO, P07INFO).
bool isUnreadPresentationSection(const std::string& name)
{
    const std::string lower = toLower(name);
    if (!lower.starts_with('p') || !lower.ends_with("info") || lower.size() <= 5)
        return false;
    const std::string_view digits = std::string_view(lower).substr(1, lower.size() - 5);
    if (!std::all_of(digits.begin(), digits.end(), isDigit))
        return false;
    const bool read = digits.size() <= 2 && digits.front() != '0' &&
                      integerAt(digits, 0) <= PresentationStore::maxPresentations;
    return !read;
}

} // namespace

PresentationStore::PresentationStore(Profile& profile) : profile_(profile) {}

void PresentationStore::load(ProgressSink& progress, int& progressCounter)
{
    rows_.clear();
    loop_ = profile_.readInt(loopSection, loopKey, 1) != 0;
    bool sawEmpty = false;
    gaps_ = false;
    for (int n = 1; n <= maxPresentations; ++n) {
        if (n % 2 == 0) {
            progress.setProgressPosition(n / 2);
            progressCounter += n / 2;
        }
        const std::string name = section(n - 1);
        const std::string title = profile_.readString(name, "name");
        if (title.empty()) {
            sawEmpty = true;
            continue;
        }
        gaps_ = gaps_ || sawEmpty;
        progress.showProgressText(formatString(StringId::presentationProgress, n));
        rows_.push_back(
            {std::string(firstCharacters(title, maxNameLength)),
             readShots(profile_, name, storedShotCount(profile_.readString(name, "shots")))});
    }
    ignoredSections_.clear();
    for (const std::string& name : profile_.sectionNames())
        if (isUnreadPresentationSection(name) && !profile_.readString(name, "name").empty())
            ignoredSections_.push_back(name);
    progress.showProgressText(std::string(loadString(StringId::presentationsLoaded)));
    currentPresentation = -1;
    currentShot = -1;
}

bool PresentationStore::closeGaps()
{
    if (!gaps_)
        return true;
    bool written = true;
    for (int row = 0; row < maxPresentations; ++row) {
        const int keys = storedShotCount(profile_.readString(section(row), "shots"));
        if (row < count())
            written = writeRow(row, keys) && written;
        else if (!profile_.readString(section(row), "name").empty())
            written = writeEmptyRow(row, keys) && written;
    }
    gaps_ = !written;
    return written;
}

std::string PresentationStore::ignoredNote() const
{
    if (ignoredSections_.empty())
        return {};
    std::string names;
    for (const std::string& name : ignoredSections_)
        names += (names.empty() ? "" : ", ") + name;
    return formatString(StringId::presentationsBeyondLimit, names.c_str());
}

const std::string& PresentationStore::writeError() const { return profile_.lastWriteError(); }

bool PresentationStore::setLoop(bool loop)
{
    loop_ = loop;
    return profile_.writeString(loopSection, loopKey, loop ? "1" : "0");
}

bool PresentationStore::writeRow(int row, int keysBefore)
{
    const Presentation& p = at(row);
    std::vector<Profile::Entry> entries{{"shots", std::to_string(p.shots.size())},
                                        {"name", p.name}};
    const int keys = std::max(keysBefore, shotCount(row));
    for (int index = 0; index < keys; ++index)
        entries.emplace_back(shotKey(index), index < shotCount(row)
                                                 ? formatShotLine(shot(row, index))
                                                 : std::string(blankedShot));
    return profile_.writeStrings(section(row), entries);
}

bool PresentationStore::writeEmptyRow(int row, int keysBefore)
{
    std::vector<Profile::Entry> entries;
    for (int index = 0; index < keysBefore; ++index)
        entries.emplace_back(shotKey(index), blankedShot);
    entries.emplace_back("shots", "0");
    entries.emplace_back("name", "");
    return profile_.writeStrings(section(row), entries);
}

bool PresentationStore::addPresentation(const Presentation& presentation)
{
    if (count() >= maxPresentations)
        return false;
    rows_.push_back(presentation);
    return writeRow(count() - 1, 0);
}

bool PresentationStore::renamePresentation(int row, const std::string& name)
{
    mutableRow(row).name = name;
    return writeRow(row, shotCount(row));
}

bool PresentationStore::removePresentation(int row)
{
    std::vector<int> keysBefore;
    for (const Presentation& p : rows_)
        keysBefore.push_back(static_cast<int>(p.shots.size()));
    rows_.erase(rows_.begin() + row);
    bool written = true;
    for (int i = row; i < count(); ++i)
        written = writeRow(i, keysBefore[static_cast<std::size_t>(i)]) && written;
    return writeEmptyRow(count(), keysBefore.back()) && written;
}

bool PresentationStore::addShot(int row, const Shot& shot)
{
    if (shotCount(row) >= maxShots)
        return false;
    mutableRow(row).shots.push_back(shot);
    return writeRow(row, shotCount(row));
}

bool PresentationStore::replaceShot(int row, int index, const Shot& shot)
{
    mutableRow(row).shots.at(static_cast<std::size_t>(index)) = shot;
    return writeRow(row, shotCount(row));
}

bool PresentationStore::removeShot(int row, int index)
{
    const int keysBefore = shotCount(row);
    auto& shots = mutableRow(row).shots;
    shots.erase(shots.begin() + index);
    return writeRow(row, keysBefore);
}

bool PresentationStore::swapShots(int row, int a, int b)
{
    auto& shots = mutableRow(row).shots;
    std::swap(shots.at(static_cast<std::size_t>(a)), shots.at(static_cast<std::size_t>(b)));
    return writeRow(row, shotCount(row));
}

bool PresentationStore::rotateShots(int row, bool firstToLast)
{
    auto& shots = mutableRow(row).shots;
    if (shots.empty())
        return true;
    if (firstToLast)
        std::rotate(shots.begin(), shots.begin() + 1, shots.end());
    else
        std::rotate(shots.rbegin(), shots.rbegin() + 1, shots.rend());
    return writeRow(row, shotCount(row));
}

} // namespace kivo
