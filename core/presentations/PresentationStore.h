#pragma once

#include "core/presentations/Shot.h"

#include <string>
#include <vector>

namespace kivo {

class Profile;
class ProgressSink;

// A named list of shots, played in order.
struct Presentation {
    std::string name;
    std::vector<Shot> shots;
};

// The presentations of the Presentation Engine page, mirrored into the ini file at every
// change: presentation n in section "P<n>INFO" ("name", "shots", and "s1".."s<shots>" as
// shot lines), the Loop flag as "PE"/"loop". Keys are never deleted: a shot key whose shot
// is gone holds "-1". Each change of a presentation is one write of its section, so the file
// never holds half of one.
class PresentationStore {
public:
    static constexpr int maxPresentations = 20;
    static constexpr int maxShots = 100;
    static constexpr std::size_t maxNameLength = 128;

    explicit PresentationStore(Profile& profile);

    // Reads every presentation and the Loop flag, showing which one it reads; `progressCounter`
    // advances with the bar. Nothing is chosen afterwards. Reading writes nothing.
    void load(ProgressSink& progress, int& progressCounter);
    // A hand-edited file can leave an empty section between used ones; the rows close up on
    // loading, and this closes the sections up the same way before the first change is
    // written, so row n stays section n. Does nothing for a file without gaps.
    bool closeGaps();

    int count() const { return static_cast<int>(rows_.size()); }
    const Presentation& at(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
    const Shot& shot(int row, int index) const
    {
        return at(row).shots.at(static_cast<std::size_t>(index));
    }
    int shotCount(int row) const { return static_cast<int>(at(row).shots.size()); }
    bool loop() const { return loop_; }
    // Sections of presentations past the 20th that the file holds: they are not loaded, and
    // the file keeps them as they are.
    const std::vector<std::string>& ignoredSections() const { return ignoredSections_; }
    // Says so in a line, or empty when there are none.
    std::string ignoredNote() const;
    // Why the last write failed.
    const std::string& writeError() const;

    // The presentation and shot chosen on the page; -1 when none.
    int currentPresentation = -1;
    int currentShot = -1;

    // Every change below writes through; false when the ini file could not be written (the
    // reason is the profile's), the store holding the change all the same.
    bool setLoop(bool loop);
    // The Loop flag for this run only: a player started from the command line leaves the
    // panel's stored choice as it is.
    void setLoopUnsaved(bool loop) { loop_ = loop; }
    bool addPresentation(const Presentation& presentation);
    bool renamePresentation(int row, const std::string& name);
    bool removePresentation(int row);
    bool addShot(int row, const Shot& shot);
    bool replaceShot(int row, int index, const Shot& shot);
    bool removeShot(int row, int index);
    bool swapShots(int row, int a, int b);
    // The first shot goes to the end (or the last to the front), the others move along.
    bool rotateShots(int row, bool firstToLast);

private:
    // Writes row `row` whole: "shots", "name", its shot lines, and "-1" into the keys of the
    // `keysBefore` shots it had that it no longer has.
    bool writeRow(int row, int keysBefore);
    // Writes an empty section in place of a removed last row.
    bool writeEmptyRow(int row, int keysBefore);
    Presentation& mutableRow(int row) { return rows_.at(static_cast<std::size_t>(row)); }

    Profile& profile_;
    std::vector<Presentation> rows_;
    bool loop_ = true;
    bool gaps_ = false;
    std::vector<std::string> ignoredSections_;
};

} // namespace kivo
