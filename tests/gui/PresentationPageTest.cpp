#include "tests/gui/MainWindowFixture.h"

#include "gui/base/CheckedEdit.h"
#include "gui/presentations/PresentationPage.h"
#include "gui/presentations/PresentationPageIds.h"
#include "gui/screen/CanvasWidget.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

namespace ids = gui::presentationPageIds;

// The panel up against the simulated Quadrix (ten windows side by side, window 1 in front;
// RGB window 8 has no signal locked, so shots keep it off), shown on the Presentation Engine
// page.
class PresentationPage : public MainWindowFixture {
protected:
    PresentationPage()
    {
        startUp();
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        window->setActivePage(Page::presentationEngine);
        // The device takes every command.
        link.answerWrites("> ");
    }

    gui::PresentationPage& page()
    {
        return dynamic_cast<gui::PresentationPage&>(window->page(Page::presentationEngine));
    }
    template <typename Control> Control& control(int id)
    {
        return findControl<Control>(page(), id);
    }
    DeviceMirror& mirror() { return window->mirror(); }

    // Types over a box's text as the operator would.
    void type(int boxId, const QString& text)
    {
        auto& box = control<gui::CheckedEdit>(boxId);
        box.setFocus();
        box.selectAll();
        QTest::keyClicks(&box, text);
    }
    void typeAndEnter(int boxId, const QString& text)
    {
        type(boxId, text);
        QTest::keyClick(&control<gui::CheckedEdit>(boxId), Qt::Key_Return);
    }

    // Drags window 1 of the page's canvas by this many widget pixels.
    void dragFrontWindow(QPoint by)
    {
        gui::CanvasWidget& canvas = page().canvas();
        const Rect v = mirror().window(1).viewRect;
        const QPoint from =
            canvas.canvasTransform()
                .map(QPointF((v.left + v.right) / 2 + 0.5, (v.top + v.bottom) / 2 + 0.5))
                .toPoint();
        QTest::mousePress(&canvas, Qt::LeftButton, {}, from);
        QTest::mouseMove(&canvas, from + by);
        QTest::mouseRelease(&canvas, Qt::LeftButton, {}, from + by);
    }

    // A presentation "Show" with the shots "Wall" (the windows as brought up) and "Moved"
    // (window 1 dragged), built with the page's boxes, keys and canvas.
    void buildShow()
    {
        typeAndEnter(ids::presentationName, QStringLiteral("Show"));
        typeAndEnter(ids::shotName, QStringLiteral("Wall"));
        dragFrontWindow({60, 40});
        typeAndEnter(ids::shotName, QStringLiteral("Moved"));
        ASSERT_EQ(page().store().count(), 1);
        ASSERT_EQ(page().store().shotCount(0), 2);
    }
};

TEST_F(PresentationPage, PlayedShowSendsEachShotInTurnAndStopsOnTheLastWithoutLoop)
{
    buildShow();
    const Rect moved = page().store().shot(0, 1).rect[0];
    control<QCheckBox>(ids::loop).click();
    control<QListWidget>(ids::shotList).setCurrentRow(0);
    link.writes.clear();

    // The shot's time runs from Play, the waits of sending it included.
    const std::int64_t played = clock.now;
    control<QPushButton>(ids::play).click();
    // The first shot is already on the screen, yet playing sends it whole: all off, each
    // window placed where the device had it, the stacking, then on or off per window. The
    // simulated Quadrix's RGB window 8 has no signal locked, so it stays off.
    const std::vector<std::string> wall{
        "win all off off off off off off off off off off\n",
        "wdr 1 0 0 256 256\n",
        "wdr 2 256 0 256 256\n",
        "wdr 3 512 0 256 256\n",
        "wdr 4 768 0 256 256\n",
        "wdr 5 0 256 256 256\n",
        "wdr 6 256 256 256 256\n",
        "wdr 7 512 256 256 256\n",
        "wdr 9 0 512 256 256\n",
        "wdr 10 256 512 256 256\n",
        "priority all 1 2 3 4 5 6 7 9 10 8\n",
        "win all on on on on on on on off on on\n",
    };
    EXPECT_THAT(wire(), ElementsAreArray(wall));
    EXPECT_EQ(control<QLabel>(ids::info).text(),
              "Playing [shot 1]\nwindow 8 left off: its RGB input is not locked");
    EXPECT_TRUE(control<QProgressBar>(ids::progress).isVisible());

    clock.now = played + 2000;
    page().playerTick();
    EXPECT_EQ(wire().size(), wall.size());
    EXPECT_EQ(control<QProgressBar>(ids::progress).value(), 50);

    clock.now = played + 4001;
    page().playerTick();
    // Only window 1 differs in the second shot: it alone is switched off, placed and shown.
    // It was moved, not resized: it keeps its size.
    std::vector<std::string> expected = wall;
    for (const std::string& line :
         {std::string("win 1 off\n"),
          moveCommand(1, moved, {0, 0, 256, 256}, mirror().outputTiming.HACT,
                      mirror().outputTiming.VACT),
          std::string("win 1 on\n")})
        expected.push_back(line);
    EXPECT_THAT(wire(), ElementsAreArray(expected));
    EXPECT_EQ(mirror().window(1).viewRect, moved);
    EXPECT_EQ(control<QLabel>(ids::info).text(),
              "Done [shot 2]\nwindow 8 left off: its RGB input is not locked");
    EXPECT_EQ(control<gui::CheckedEdit>(ids::shotName).text(), "Moved");
    EXPECT_EQ(control<QListWidget>(ids::shotList).currentRow(), 1);
    EXPECT_FALSE(control<QProgressBar>(ids::progress).isVisible());
    EXPECT_FALSE(control<QPushButton>(ids::play).isEnabled());

    clock.now += 10000;
    page().playerTick();
    EXPECT_EQ(wire().size(), expected.size());
}

TEST_F(PresentationPage, LeavingThePagePausesThePlayerWhereItIs)
{
    buildShow();
    control<QPushButton>(ids::play).click();
    ASSERT_EQ(page().player().state(), PlayerState::playing);
    window->setActivePage(Page::virtualScreen);
    EXPECT_EQ(page().player().state(), PlayerState::paused);
    link.writes.clear();
    clock.now += 60000;
    page().playerTick();
    EXPECT_THAT(wire(), ::testing::IsEmpty());
}

TEST_F(PresentationPage, AltClickSwitchesAWindowOffForEveryShotAndSaysSo)
{
    auto& button = control<QPushButton>(ids::windowButton(3));
    auto& group = control<QGroupBox>(ids::controlGroup);
    ASSERT_EQ(button.text(), "&3+");
    keys.alt = true;
    button.click();
    EXPECT_THAT(wire(), ElementsAre("win 3 off\n"));
    EXPECT_EQ(button.text(), "&3d");
    EXPECT_EQ(group.title(), "Presentation Control (Wins Disabled by Kivo: 3) ");
    EXPECT_TRUE(mirror().window(3).disabledByPanel);

    keys.alt = false;
    button.click();
    EXPECT_THAT(wire(), ElementsAre("win 3 off\n", "win 3 on\n"));
    EXPECT_EQ(button.text(), "&3+");
    EXPECT_EQ(group.title(), "Presentation Control ");
}

TEST_F(PresentationPage, RefusedHoldTimeKeepsTheFocusAndTheShotsOwnValue)
{
    buildShow();
    control<QListWidget>(ids::shotList).setCurrentRow(0);
    auto& hold = control<gui::CheckedEdit>(ids::holdTime);
    ASSERT_EQ(hold.text(), "4000");
    type(ids::holdTime, QStringLiteral("500"));
    QTest::keyClick(&hold, Qt::Key_Tab);
    EXPECT_EQ(prompter.texts.back(),
              "The current range of values allowed for this parameter is 800 to 9999999, "
              "inclusive. Integers only.");
    EXPECT_TRUE(hold.hasFocus());
    EXPECT_EQ(hold.text(), "4000");

    type(ids::holdTime, QStringLiteral("2500"));
    QTest::keyClick(&hold, Qt::Key_Tab);
    EXPECT_FALSE(hold.hasFocus());
    EXPECT_EQ(page().store().shot(0, 0).msecs, 2500);
    EXPECT_THAT(profile().readString("P1INFO", "s1"), ::testing::StartsWith("2500 Wall~"));
}

TEST_F(PresentationPage, EnterAfterEditingTheChosenShotsNameRenamesIt)
{
    buildShow();
    control<QListWidget>(ids::shotList).setCurrentRow(0);
    typeAndEnter(ids::shotName, QStringLiteral("Wide wall"));
    ASSERT_EQ(page().store().shotCount(0), 2);
    EXPECT_EQ(page().store().shot(0, 0).name, "Wide wall");
    EXPECT_EQ(control<QListWidget>(ids::shotList).item(0)->text(), "Wide wall");
    EXPECT_EQ(control<QListWidget>(ids::shotList).currentRow(), 0);
}

// What a shot could not show or send is said under the player's state. The shots are built
// while the device shows RGB window 8 on, though its input is not locked.
TEST_F(PresentationPage, InfoLineSaysWhatTheShotDidNotShowOrSend)
{
    // Built in silence, so that no answer is left over for the shots' commands to read.
    link.answerWrites("");
    buildShow();
    link.answerWrites("> ");
    auto& info = control<QLabel>(ids::info);
    auto& shots = control<QListWidget>(ids::shotList);
    const QString leftOff = QStringLiteral("window 8 left off: its RGB input is not locked");

    shots.setCurrentRow(0);
    EXPECT_EQ(info.text(), "Paused [shot 1]\n" + leftOff);

    window->virtualScreen().setOnApplyOnly(true);
    shots.setCurrentRow(1);
    EXPECT_EQ(info.text(),
              "Paused [shot 2]\n" + leftOff + "\nOn Apply Only: shots are shown here, not sent");
    window->virtualScreen().setOnApplyOnly(false);

    link.answerWrites("Error: busy\r\n> ");
    shots.setCurrentRow(0);
    EXPECT_EQ(info.text(), "Paused [shot 1]\n" + leftOff +
                               "\nShot not taken: the Quadrix refused \"win 1 off\" (Error: busy)");
}

TEST_F(PresentationPage, InfoLineSaysPresentationsPastTheTwentiethAreLeftInTheFile)
{
    ASSERT_TRUE(profile().writeStrings("P21INFO", {{"name", "Extra"}, {"shots", "0"}}));
    page().loadPresentations();
    EXPECT_THAT(control<QLabel>(ids::info).text().toStdString(),
                HasSubstr("Presentations beyond the 20th in the ini file are not shown (P21INFO)"));
}

// Save As writes the script into the working directory, or tells why it could not.
class SaveAs : public PresentationPage {
protected:
    SaveAs() : previous_(std::filesystem::current_path())
    {
        std::filesystem::current_path(dir.path());
    }
    ~SaveAs() override { std::filesystem::current_path(previous_); }

    std::filesystem::path script() const { return dir.path() / "Show.txt"; }

private:
    std::filesystem::path previous_;
};

TEST_F(SaveAs, WritesTheScriptAfterAskingAndSaysWhere)
{
    buildShow();
    auto& button = control<QPushButton>(ids::saveAs);
    EXPECT_EQ(button.text(), "Sa&ve As [Show.txt]");
    link.writes.clear();
    button.click();
    const std::string path = script().string();
    EXPECT_THAT(prompter.texts,
                ElementsAre("This will save the current presentation as a Quadrix command script "
                            "in the file:\n\n [" +
                                path + "].\n\nContinue?",
                            "The current presentation has been saved as a Quadrix command script "
                            "in the file:\n\n [" +
                                path + "]."));
    std::ifstream file(script(), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), {});
    EXPECT_THAT(text,
                ::testing::StartsWith("win all off off off off off off off off off off\r\r\n"));
    EXPECT_THAT(text, ::testing::EndsWith("sleep 4000\r\r\n"));
    EXPECT_THAT(wire(), ::testing::IsEmpty());
}

TEST_F(SaveAs, NoWritesNothing)
{
    buildShow();
    prompter.answers.push_back(Prompter::Answer::no);
    control<QPushButton>(ids::saveAs).click();
    EXPECT_EQ(prompter.texts.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(script()));
}

TEST_F(SaveAs, AFileThatCannotBeWrittenIsOneMessageWithThePathAndTheReason)
{
    buildShow();
    std::filesystem::create_directory(script());
    control<QPushButton>(ids::saveAs).click();
    ASSERT_EQ(prompter.texts.size(), 2u);
    EXPECT_THAT(prompter.texts[1], HasSubstr("could not be saved"));
    EXPECT_THAT(prompter.texts[1], HasSubstr("[" + script().string() + "]"));
    EXPECT_TRUE(std::filesystem::is_directory(script()));
}

} // namespace
} // namespace kivo::test
