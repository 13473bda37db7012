#include "tests/core/presentations/PresentationFixture.h"

#include "core/base/Strings.h"
#include "core/presentations/PresentationEditor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;

TEST(MakeUniqueName, PrefixesCopyThenCountsCopies)
{
    struct Case {
        std::vector<std::string> names;
        std::string text;
        std::string unique;
    };
    const std::vector<Case> cases{
        {{"Intro"}, "Intro", "Copy of Intro"},
        {{"Intro", "Copy of Intro"}, "Intro", "Copy (2) of Intro"},
        {{"Copy of X", "Copy (2) of X"}, "Copy of X", "Copy (3) of X"},
        {{"Copy (9) of X"}, "Copy (9) of X", "Copy (10) of X"},
        {{"intro"}, "Intro", "Intro"}, // a different case is a different name
        {{}, "Fresh", "Fresh"},
        {{"Copycat"}, "Copycat", "Copy (2) of "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(makeUniqueName(c.names, c.text), c.unique) << c.text;
}

class PresentationEditorTest : public PresentationFixture {
protected:
    void typePresentation(const std::string& name) { editor.presentationName = {name, true}; }
    void typeShot(const std::string& name) { editor.shotName = {name, true}; }
    std::string last() const { return prompter.texts.empty() ? "" : prompter.texts.back(); }

    PresentationEditor editor{store, display, player, state.mirror, prompter};
};

TEST_F(PresentationEditorTest, AddingATypedNameThatExistsEmptiesTheBox)
{
    typePresentation("Show");
    editor.addPresentation();
    EXPECT_EQ(store.count(), 1);
    EXPECT_EQ(player.state(), PlayerState::building);
    EXPECT_EQ(editor.focus, EditorFocus::shotName);
    typePresentation("SHOW");
    editor.addPresentation();
    EXPECT_EQ(store.count(), 1);
    EXPECT_EQ(editor.presentationName.text, "");
    EXPECT_EQ(last(), std::string(loadString(StringId::needPresentationName)));
}

TEST_F(PresentationEditorTest, CopyingTakesATypedNameOrMakesOneUnique)
{
    choose(presentation("Show", 2));
    choose(presentation("Other", 1));
    editor.choosePresentation(0);
    typePresentation("other");
    editor.copyPresentation();
    EXPECT_EQ(last(), "Presentation 2 already has this name. Please provide a unique name for "
                      "the new presentation.");
    editor.presentationName = {"Show", false};
    editor.copyPresentation();
    ASSERT_EQ(store.count(), 3);
    EXPECT_EQ(store.at(2).name, "Copy of Show");
    EXPECT_EQ(store.at(2).shots, store.at(0).shots);
    EXPECT_EQ(profile.readString("P3INFO", "s2"), formatShotLine(store.shot(0, 1)));
}

TEST_F(PresentationEditorTest, ShotsTakeTheCanvasAndLoseTheDelimiter)
{
    choose(presentation("Show", 0));
    window(2).viewRect = {200, 100, 100, 50};
    typeShot("a~b");
    editor.holdTime = "";
    editor.addShot();
    ASSERT_EQ(store.shotCount(0), 1);
    const Shot& shot = store.shot(0, 0);
    EXPECT_EQ(shot.name, "a_b");
    EXPECT_EQ(shot.priority, (std::array<int, 10>{1, 2, 3, 4}));
    EXPECT_EQ(shot.rect[1], (Rect{100, 50, 200, 100}));
    EXPECT_EQ(shot.msecs, 4000);
    EXPECT_EQ(editor.holdTime, "4000");
    EXPECT_EQ(profile.readString("P1INFO", "s1").substr(0, 9), "4000 a_b~");
}

TEST_F(PresentationEditorTest, EnterAddsTypedShotsButRenamesAChosenShotWhoseNameWasEdited)
{
    choose(presentation("Show", 0));
    // Built one after another: each typed name and Enter adds a shot.
    for (const char* name : {"Wall", "Moved"}) {
        typeShot(name);
        editor.commitShotName();
    }
    ASSERT_EQ(store.shotCount(0), 2);
    // Chosen in the list, its name edited: Enter renames it in place.
    editor.chooseShot(0);
    typeShot("Wide wall");
    editor.commitShotName();
    ASSERT_EQ(store.shotCount(0), 2);
    EXPECT_EQ(store.shot(0, 0).name, "Wide wall");
    EXPECT_EQ(store.currentShot, 0);
    EXPECT_THAT(profile.readString("P1INFO", "s1"), ::testing::StartsWith("4000 Wide wall~"));
    EXPECT_EQ(editor.focus, EditorFocus::shotList);
}

TEST_F(PresentationEditorTest, TheMaximumsAreRefused)
{
    for (int i = 0; i < PresentationStore::maxPresentations; ++i)
        store.addPresentation({"P" + std::to_string(i), {}});
    typePresentation("One more");
    editor.addPresentation();
    EXPECT_EQ(store.count(), 20);
    EXPECT_EQ(last(), formatString(StringId::maxPresentationsMessage, 20));
    EXPECT_EQ(editor.presentationCountLabel(), "20  Presentations (maximum)");

    for (int i = 0; i < PresentationStore::maxShots; ++i)
        store.addShot(0, Shot{});
    store.currentPresentation = 0;
    typeShot("One more");
    editor.addShot();
    EXPECT_EQ(store.shotCount(0), 100);
    EXPECT_EQ(last(), formatString(StringId::maxShotsMessage, 100));
    EXPECT_EQ(editor.shotCountLabel(), "100 Shots (maximum)");
}

TEST_F(PresentationEditorTest, AssigningTheScreenAsItIsAsksNothing)
{
    choose(presentation("Show", 0));
    typeShot("Now");
    editor.addShot();
    editor.holdTime = "5000";
    editor.assign();
    EXPECT_TRUE(prompter.texts.empty());
    EXPECT_EQ(store.shot(0, 0).msecs, 5000);
    window(1).viewRect = {50, 50, 150, 150};
    prompter.answers = {Prompter::Answer::no};
    editor.assign();
    EXPECT_THAT(prompter.texts,
                ElementsAre("This will assign the current window configuration to shot 1  of "
                            "presentation 1. The current window configuration for this shot will "
                            "be lost. Continue?"));
    EXPECT_NE(store.shot(0, 0).rect[0], (Rect{50, 50, 150, 150}));
}

TEST_F(PresentationEditorTest, AHoldTimeOutOfRangeIsRefusedAndTheOldOneShown)
{
    choose(presentation("Show", 1));
    editor.chooseShot(0);
    editor.holdTime = "799";
    editor.commitHoldTime();
    EXPECT_EQ(last(), formatString(StringId::integerRange, 800, 9999999));
    EXPECT_EQ(editor.holdTime, "4000");
    EXPECT_EQ(editor.focus, EditorFocus::holdTime);
    editor.holdTime = "1200";
    editor.commitHoldTime();
    EXPECT_EQ(store.shot(0, 0).msecs, 1200);
}

TEST_F(PresentationEditorTest, UpOnTheFirstShotMovesItToTheEndOnlyWithLoop)
{
    choose(presentation("Show", 3));
    editor.chooseShot(1);
    editor.chooseShot(0);
    store.setLoop(false);
    EXPECT_FALSE(editor.buttons().up);
    EXPECT_TRUE(editor.buttons().down);
    store.setLoop(true);
    EXPECT_TRUE(editor.buttons().up);
    editor.moveShotUp();
    EXPECT_EQ(store.currentShot, 2);
    EXPECT_EQ(store.shot(0, 2).name, "Shot 1");
    EXPECT_EQ(store.shot(0, 0).name, "Shot 2");
}

TEST_F(PresentationEditorTest, RemovingAPresentationAsksFirst)
{
    choose(presentation("Show", 1));
    prompter.answers = {Prompter::Answer::no};
    editor.removePresentation();
    EXPECT_EQ(store.count(), 1);
    editor.removePresentation();
    EXPECT_EQ(store.count(), 0);
    EXPECT_EQ(last(), "Are you sure you want to remove the presentation called [Show], and all of "
                      "its shots?");
    EXPECT_EQ(store.currentPresentation, -1);
    EXPECT_EQ(editor.focus, EditorFocus::presentationName);
}

TEST_F(PresentationEditorTest, ChoosingAShotShowsItOnTheDevice)
{
    choose(presentation("Show", 2));
    sent();
    editor.chooseShot(1);
    EXPECT_EQ(player.state(), PlayerState::paused);
    EXPECT_EQ(editor.shotName.text, "Shot 2");
    EXPECT_EQ(window(2).priority, 1);
    EXPECT_FALSE(sent().empty());
    EXPECT_EQ(editor.saveAsCaption(), "Sa&ve As [Show.txt]");
}

} // namespace
} // namespace kivo::test
