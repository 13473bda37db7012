#include "core/presentations/PresentationEditor.h"

#include "core/base/Prompter.h"
#include "core/base/Strings.h"
#include "core/base/Text.h"
#include "core/mirror/DeviceMirror.h"
#include "core/presentations/Player.h"
#include "core/presentations/PresentationStore.h"
#include "core/presentations/ShotDisplay.h"
#include "core/protocol/NumberScan.h"

#include <algorithm>

namespace kivo {
namespace {

constexpr std::size_t copyOfLength = 8; // "Copy of "

bool sameIgnoringCase(std::string_view a, std::string_view b) { return toLower(a) == toLower(b); }

// The 1-based place of the entry that equals `text` but for case, or 0.
int placeIgnoringCase(const std::vector<std::string>& names, std::string_view text)
{
    for (std::size_t i = 0; i < names.size(); ++i)
        if (sameIgnoringCase(names[i], text))
            return static_cast<int>(i) + 1;
    return 0;
}

// "Copy (N) of ..." gives N; anything else nothing.
std::optional<int> copyNumber(std::string_view text)
{
    if (!text.starts_with("Copy (") || text.size() < 7 || !isDigit(text[6]))
        return std::nullopt;
    const int number = integerAt(text, 6);
    const std::string prefix = formatString(StringId::numberedCopyPrefix, number);
    if (number < 1 || !text.starts_with(prefix))
        return std::nullopt;
    return number;
}

std::string nextCandidate(const std::string& text)
{
    const std::string copyOf(loadString(StringId::copyOfPrefix));
    if (!text.starts_with("Copy"))
        return copyOf + text;
    if (const auto number = copyNumber(text)) {
        const std::string prefix = formatString(StringId::numberedCopyPrefix, *number);
        return formatString(StringId::numberedCopyPrefix, *number + 1) + text.substr(prefix.size());
    }
    return formatString(StringId::numberedCopyPrefix, 2) +
           text.substr(std::min(copyOfLength, text.size()));
}

std::string withoutDelimiter(std::string name)
{
    std::replace(name.begin(), name.end(), Shot::shotNameDelimiter, '_');
    return name;
}

std::string cutName(const std::string& name)
{
    return std::string(firstCharacters(name, Shot::maxNameLength));
}

// Both off, or at the same place with the same rectangle.
bool sameConfiguration(const Shot& a, const Shot& b, bool compareOffRects)
{
    for (std::size_t i = 0; i < a.priority.size(); ++i) {
        if (a.priority[i] != b.priority[i])
            return false;
        if ((a.priority[i] != 0 || compareOffRects) &&
            a.rect[i].normalized() != b.rect[i].normalized())
            return false;
    }
    return true;
}

} // namespace

std::string makeUniqueName(const std::vector<std::string>& names, std::string text)
{
    // Every step makes the name longer or its number larger, so this ends.
    while (std::find(names.begin(), names.end(), text) != names.end())
        text = nextCandidate(text);
    return text;
}

PresentationEditor::PresentationEditor(PresentationStore& store, ShotDisplay& display,
                                       Player& player, DeviceMirror& mirror, Prompter& prompter)
    : store_(store), display_(display), player_(player), mirror_(mirror), prompter_(prompter)
{
}

bool PresentationEditor::presentationChosen() const
{
    return store_.currentPresentation >= 0 && store_.currentPresentation < store_.count();
}

bool PresentationEditor::shotChosen() const
{
    return presentationChosen() && store_.currentShot >= 0 &&
           store_.currentShot < store_.shotCount(store_.currentPresentation);
}

std::vector<std::string> PresentationEditor::names(Kind kind) const
{
    std::vector<std::string> list;
    if (kind == Kind::presentation) {
        for (int row = 0; row < store_.count(); ++row)
            list.push_back(store_.at(row).name);
    } else if (presentationChosen()) {
        for (const Shot& shot : store_.at(store_.currentPresentation).shots)
            list.push_back(shot.name);
    }
    return list;
}

NameBox& PresentationEditor::box(Kind kind)
{
    return kind == Kind::presentation ? presentationName : shotName;
}

void PresentationEditor::report(bool written)
{
    if (!written)
        prompter_.ask(store_.writeError(), Prompter::Buttons::ok, Prompter::Icon::warning, {});
}

std::optional<std::string> PresentationEditor::checkNewName(Kind kind)
{
    const bool presentation = kind == Kind::presentation;
    const std::vector<std::string> list = names(kind);
    const int maximum =
        presentation ? PresentationStore::maxPresentations : PresentationStore::maxShots;
    NameBox& name = box(kind);
    const StringId boxFocus =
        presentation ? StringId::needPresentationName : StringId::needShotName;
    focus = presentation ? EditorFocus::presentationName : EditorFocus::shotName;
    if (static_cast<int>(list.size()) >= maximum) {
        prompter_.tell(formatString(
            presentation ? StringId::maxPresentationsMessage : StringId::maxShotsMessage, maximum));
        return std::nullopt;
    }
    if (name.text.empty()) {
        prompter_.tell(std::string(loadString(boxFocus)));
        return std::nullopt;
    }
    if (const int place = placeIgnoringCase(list, name.text); name.modified && place > 0) {
        prompter_.tell(formatString(presentation ? StringId::duplicatePresentationName
                                                 : StringId::duplicateShotName,
                                    place));
        return std::nullopt;
    }
    const std::string chosen = cutName(name.modified ? name.text : makeUniqueName(list, name.text));
    name = {chosen, false};
    focus = EditorFocus::unchanged;
    return chosen;
}

void PresentationEditor::addPresentation()
{
    const std::vector<std::string> list = names(Kind::presentation);
    if (!presentationName.modified || presentationName.text.empty() ||
        placeIgnoringCase(list, presentationName.text) > 0) {
        presentationName = {};
        prompter_.tell(std::string(loadString(StringId::needPresentationName)));
        focus = EditorFocus::presentationName;
        return;
    }
    const auto name = checkNewName(Kind::presentation);
    if (!name)
        return;
    report(store_.addPresentation({*name, {}}));
    store_.currentPresentation = store_.count() - 1;
    player_.setState(PlayerState::building);
    store_.currentShot = -1;
    shotName = {};
    focus = EditorFocus::shotName;
}

void PresentationEditor::copyPresentation()
{
    if (!presentationChosen())
        return;
    const auto name = checkNewName(Kind::presentation);
    if (!name)
        return;
    report(store_.addPresentation({*name, store_.at(store_.currentPresentation).shots}));
    store_.currentPresentation = store_.count() - 1;
    player_.setState(PlayerState::building);
    store_.currentShot = -1;
    shotName = {};
    holdTime.clear();
    focus = EditorFocus::presentationList;
}

void PresentationEditor::renamePresentation()
{
    if (!presentationChosen())
        return;
    if (presentationName.text.empty()) {
        prompter_.tell(std::string(loadString(StringId::emptyPresentationRename)));
        focus = EditorFocus::presentationName;
        return;
    }
    const int row = store_.currentPresentation;
    if (presentationName.text != store_.at(row).name) {
        const std::string name =
            cutName(makeUniqueName(names(Kind::presentation), presentationName.text));
        report(store_.renamePresentation(row, name));
    }
    presentationName = {store_.at(row).name, false};
    focus = EditorFocus::presentationList;
}

void PresentationEditor::removePresentation()
{
    if (!presentationChosen())
        return;
    const int row = store_.currentPresentation;
    const auto answer = prompter_.ask(
        formatString(StringId::removePresentationQuestion, store_.at(row).name.c_str()),
        Prompter::Buttons::yesNo, Prompter::Icon::question, {});
    if (answer != Prompter::Answer::yes)
        return;
    report(store_.removePresentation(row));
    store_.currentPresentation = -1;
    store_.currentShot = -1;
    presentationName = {};
    clearShotBoxes();
    if (store_.count() == 0)
        focus = EditorFocus::presentationName;
    player_.setState(PlayerState::building);
}

void PresentationEditor::clearShotBoxes()
{
    shotName = {};
    holdTime.clear();
}

void PresentationEditor::choosePresentation(int row)
{
    if (row < 0 || row >= store_.count() || row == store_.currentPresentation)
        return;
    store_.currentPresentation = row;
    presentationName = {store_.at(row).name, false};
    clearShotBoxes();
    store_.currentShot = -1;
    player_.forgetElapsed();
    player_.setState(PlayerState::building);
}

void PresentationEditor::showShot(int index)
{
    store_.currentShot = index;
    display_.applyShot(store_.shot(store_.currentPresentation, index));
    display_.sendConfiguration();
}

void PresentationEditor::chooseShot(int index)
{
    if (!presentationChosen() || index < 0 ||
        index >= store_.shotCount(store_.currentPresentation) || index == store_.currentShot)
        return;
    const Shot& shot = store_.shot(store_.currentPresentation, index);
    if (shot.name.empty())
        return;
    shotName = {shot.name, false};
    player_.setState(PlayerState::paused);
    player_.forgetElapsed();
    showShot(index);
}

bool PresentationEditor::needPresentation()
{
    if (presentationChosen())
        return true;
    prompter_.tell(std::string(loadString(
        store_.count() == 0 ? StringId::addPresentationFirst : StringId::selectPresentationFirst)));
    return false;
}

int PresentationEditor::fallbackHoldTime() const
{
    const int last = display_.lastShownMsecs();
    return Shot::validMsecs(last) ? last : Shot::fallbackMsecs;
}

std::optional<int> PresentationEditor::typedHoldTime() const
{
    const std::string_view text = trim(holdTime);
    if (text.empty() || !std::all_of(text.begin(), text.end(), isDigit))
        return std::nullopt;
    return integerAt(text, 0);
}

void PresentationEditor::tellRange()
{
    prompter_.tell(formatString(StringId::integerRange, Shot::minMsecs, Shot::maxMsecs));
    focus = EditorFocus::holdTime;
}

Shot PresentationEditor::currentConfiguration(const Shot& base) const
{
    Shot shot = base;
    for (std::size_t i = 0; i < shot.priority.size(); ++i) {
        shot.priority[i] = mirror_.windows[i].priority;
        shot.rect[i] = mirror_.windows[i].viewRect.normalized();
    }
    return shot;
}

void PresentationEditor::addShot()
{
    if (!needPresentation())
        return;
    shotName.text = withoutDelimiter(shotName.text);
    const auto name = checkNewName(Kind::shot);
    if (!name)
        return;
    const auto typed = typedHoldTime();
    const int msecs = typed && Shot::validMsecs(*typed) ? *typed : fallbackHoldTime();
    if (trim(holdTime).empty())
        holdTime = std::to_string(msecs);
    Shot shot;
    shot.name = *name;
    shot.msecs = msecs;
    const int row = store_.currentPresentation;
    report(store_.addShot(row, currentConfiguration(shot)));
    store_.currentShot = store_.shotCount(row) - 1;
    focus = EditorFocus::shotName;
}

void PresentationEditor::copyShot()
{
    const int previous = store_.currentShot;
    const int before = presentationChosen() ? store_.shotCount(store_.currentPresentation) : 0;
    addShot();
    const int row = store_.currentPresentation;
    if (!presentationChosen() || store_.shotCount(row) == before || previous < 0)
        return;
    const Shot& added = store_.shot(row, store_.currentShot);
    const Shot& earlier = store_.shot(row, previous);
    if (sameConfiguration(added, earlier, false))
        return;
    const auto answer = prompter_.ask(std::string(loadString(StringId::copyShotQuestion)),
                                      Prompter::Buttons::yesNo, Prompter::Icon::question, {});
    if (answer == Prompter::Answer::yes) {
        report(store_.replaceShot(row, previous, currentConfiguration(earlier)));
        return;
    }
    Shot renamed = added;
    renamed.name = cutName(makeUniqueName(
        names(Kind::shot), added.name + std::string(loadString(StringId::alteredSuffix))));
    report(store_.replaceShot(row, store_.currentShot, renamed));
    shotName = {renamed.name, false};
}

void PresentationEditor::renameShot()
{
    if (!shotChosen())
        return;
    if (shotName.text.empty()) {
        prompter_.tell(std::string(loadString(StringId::emptyShotRename)));
        focus = EditorFocus::shotName;
        return;
    }
    const int row = store_.currentPresentation;
    Shot shot = store_.shot(row, store_.currentShot);
    if (shotName.text != shot.name) {
        shot.name = withoutDelimiter(cutName(makeUniqueName(names(Kind::shot), shotName.text)));
        report(store_.replaceShot(row, store_.currentShot, shot));
    }
    shotName = {shot.name, false};
    focus = EditorFocus::shotList;
}

void PresentationEditor::commitShotName()
{
    const EditorButtons b = buttons();
    const bool editingChosenShot = player_.state() == PlayerState::paused && b.renameShot;
    if (!editingChosenShot && presentationChosen() && b.addShot)
        addShot();
    else
        renameShot();
}

void PresentationEditor::assign()
{
    if (!needPresentation() || !shotChosen())
        return;
    const int row = store_.currentPresentation;
    const int index = store_.currentShot;
    const Shot& old = store_.shot(row, index);
    // The hold time is checked first, so a refused one leaves the shot as it was.
    int msecs = fallbackHoldTime();
    if (!trim(holdTime).empty()) {
        const auto typed = typedHoldTime();
        if (!typed || !Shot::validMsecs(*typed)) {
            tellRange();
            holdTime = std::to_string(old.msecs);
            return;
        }
        msecs = *typed;
    }
    Shot shot = currentConfiguration(old);
    if (!sameConfiguration(shot, old, true)) {
        const auto answer =
            prompter_.ask(formatString(StringId::assignQuestion, index + 1, row + 1),
                          Prompter::Buttons::yesNo, Prompter::Icon::question, {});
        if (answer != Prompter::Answer::yes)
            return;
    }
    holdTime = std::to_string(msecs);
    shot.msecs = msecs;
    report(store_.replaceShot(row, index, shot));
    focus = EditorFocus::shotList;
}

void PresentationEditor::commitHoldTime()
{
    if (!shotChosen())
        return;
    const int row = store_.currentPresentation;
    Shot shot = store_.shot(row, store_.currentShot);
    const auto typed = typedHoldTime();
    if (!typed || !Shot::validMsecs(*typed)) {
        tellRange();
        holdTime = std::to_string(shot.msecs);
        return;
    }
    shot.msecs = *typed;
    report(store_.replaceShot(row, store_.currentShot, shot));
}

void PresentationEditor::removeShot()
{
    if (!shotChosen())
        return;
    const int row = store_.currentPresentation;
    report(store_.removeShot(row, store_.currentShot));
    focus = EditorFocus::shotName;
    if (store_.shotCount(row) == 0) {
        store_.currentShot = -1;
        clearShotBoxes();
        return;
    }
    const int index = std::min(store_.currentShot, store_.shotCount(row) - 1);
    shotName = {store_.shot(row, index).name, false};
    showShot(index);
}

void PresentationEditor::moveShotUp() { moveShot(true); }

void PresentationEditor::moveShotDown() { moveShot(false); }

void PresentationEditor::moveShot(bool earlier)
{
    if (!shotChosen())
        return;
    const int row = store_.currentPresentation;
    const int index = store_.currentShot;
    const int last = store_.shotCount(row) - 1;
    const int edge = earlier ? 0 : last;
    if (index != edge) {
        const int to = earlier ? index - 1 : index + 1;
        report(store_.swapShots(row, index, to));
        store_.currentShot = to;
    } else if (store_.loop()) {
        // Past the end with Loop on, the shot goes round to the other end.
        report(store_.rotateShots(row, earlier));
        store_.currentShot = earlier ? last : 0;
    }
    if (!store_.loop() && store_.currentShot == edge)
        focus = earlier ? EditorFocus::downButton : EditorFocus::upButton;
}

EditorButtons PresentationEditor::buttons() const
{
    const bool e = player_.editingAllowed();
    const bool p = presentationChosen();
    const int shots = p ? store_.shotCount(store_.currentPresentation) : 0;
    const bool s = shotChosen() && shots > 0;
    const bool m = s && shots > 1;
    const bool loop = store_.loop();
    EditorButtons b;
    b.addPresentation = e && !presentationName.text.empty() && (presentationName.modified || !p);
    b.copyPresentation = b.removePresentation = b.holdTime = b.shotName = b.saveAs = e && p;
    b.renamePresentation = e && p && presentationName.modified && !presentationName.text.empty();
    b.presentationName = e;
    b.addShot = e && p && !shotName.text.empty() && (shotName.modified || !s);
    b.copyShot = b.removeShot = b.assign = e && s;
    b.renameShot = e && s && !shotName.text.empty() && shotName.modified;
    b.up = e && m && (store_.currentShot > 0 || loop);
    b.down = e && m && (store_.currentShot < shots - 1 || loop);
    return b;
}

std::string PresentationEditor::presentationCountLabel() const
{
    const int n = store_.count();
    if (n == 0)
        return std::string(loadString(StringId::noPresentationsLabel));
    if (n == 1)
        return std::string(loadString(StringId::onePresentationLabel));
    return formatString(n >= PresentationStore::maxPresentations ? StringId::maxPresentationsLabel
                                                                 : StringId::presentationsLabel,
                        n);
}

std::string PresentationEditor::shotCountLabel() const
{
    if (!presentationChosen())
        return std::string(loadString(StringId::noShotsLabel));
    const int n = store_.shotCount(store_.currentPresentation);
    if (n == 1)
        return std::string(loadString(StringId::oneShotLabel));
    return formatString(
        n >= PresentationStore::maxShots ? StringId::maxShotsLabel : StringId::shotsLabel, n);
}

std::string PresentationEditor::saveAsCaption() const
{
    if (!presentationChosen())
        return std::string(loadString(StringId::saveAsInitialCaption));
    constexpr std::size_t longest = 15;
    const std::string& name = store_.at(store_.currentPresentation).name;
    const std::string shown = firstCharacters(name, longest) != name
                                  ? std::string(firstCharacters(name, longest - 1)) + "~"
                                  : name;
    return formatString(StringId::saveAsCaption, shown.c_str());
}

} // namespace kivo
