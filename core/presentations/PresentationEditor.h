#pragma once

#include "core/presentations/Shot.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivo {

class Player;
class Prompter;
class PresentationStore;
class ShotDisplay;
struct DeviceMirror;

// A name box of the page: its text and whether the operator typed it (the panel filling the
// box clears the mark).
struct NameBox {
    std::string text;
    bool modified = false;
};

// Where the keyboard focus goes after an editing step.
enum class EditorFocus {
    unchanged,
    presentationName,
    presentationList,
    shotName,
    shotList,
    holdTime,
    upButton,
    downButton,
};

// Which editing controls can be used.
struct EditorButtons {
    bool addPresentation = false;
    bool copyPresentation = false;
    bool renamePresentation = false;
    bool removePresentation = false;
    bool presentationName = false;
    bool shotName = false;
    bool holdTime = false;
    bool saveAs = false;
    bool addShot = false;
    bool copyShot = false;
    bool removeShot = false;
    bool assign = false;
    bool renameShot = false;
    bool up = false;
    bool down = false;
    bool operator==(const EditorButtons&) const = default;
};

// `text` changed until no entry of `names` is exactly it: "Intro" becomes "Copy of Intro",
// that "Copy (2) of Intro", then "Copy (3) of Intro", and so on.
std::string makeUniqueName(const std::vector<std::string>& names, std::string text);

// The editing side of the Presentation Engine page without its widgets: presentations and
// shots added, copied, renamed, removed, reordered and assigned the window configuration on
// the canvas, each change written through by the store. The page mirrors `presentationName`,
// `shotName` and `holdTime` into its boxes, and moves the focus as `focus` says.
class PresentationEditor {
public:
    PresentationEditor(PresentationStore& store, ShotDisplay& display, Player& player,
                       DeviceMirror& mirror, Prompter& prompter);

    NameBox presentationName;
    NameBox shotName;
    std::string holdTime;
    EditorFocus focus = EditorFocus::unchanged;

    void addPresentation();
    void copyPresentation();
    void renamePresentation();
    void removePresentation();
    void choosePresentation(int row);
    void chooseShot(int index);
    void addShot();
    void copyShot();
    void renameShot();
    // Enter in the shot name box: a shot chosen to be shown whose name was edited is renamed;
    // otherwise a typed name adds a shot, as shots are built one after another.
    void commitShotName();
    void removeShot();
    void assign();
    void commitHoldTime();
    void moveShotUp();
    void moveShotDown();

    EditorButtons buttons() const;
    // "3  Presentations", "1 Shot", ...
    std::string presentationCountLabel() const;
    std::string shotCountLabel() const;
    // "Sa&ve As [Show.txt]"
    std::string saveAsCaption() const;

private:
    enum class Kind { presentation, shot };

    bool presentationChosen() const;
    bool shotChosen() const;
    std::vector<std::string> names(Kind kind) const;
    NameBox& box(Kind kind);
    // The name for a new presentation or shot from its box, or nothing (the operator has been
    // told why).
    std::optional<std::string> checkNewName(Kind kind);
    bool needPresentation();
    // The hold time a new or assigned shot takes when its box is empty or too small.
    int fallbackHoldTime() const;
    std::optional<int> typedHoldTime() const;
    void tellRange();
    Shot currentConfiguration(const Shot& base) const;
    void showShot(int index);
    void moveShot(bool earlier);
    void clearShotBoxes();
    void report(bool written);

    PresentationStore& store_;
    ShotDisplay& display_;
    Player& player_;
    DeviceMirror& mirror_;
    Prompter& prompter_;
};

} // namespace kivo
