#include "tests/gui/MainWindowFixture.h"

#include "gui/base/CheckedEdit.h"
#include "gui/inputs/AdjustInputDialog.h"
#include "gui/inputs/AdjustInputDialogIds.h"
#include "gui/inputs/InputTimingDialog.h"
#include "gui/inputs/InputTimingDialogIds.h"
#include "gui/output/AdjustOutputDialog.h"
#include "gui/output/AdjustOutputDialogIds.h"
#include "gui/output/OutputTimingDialog.h"
#include "gui/output/OutputTimingDialogIds.h"

#include "core/base/Strings.h"
#include "core/panel/PanelSession.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gmock/gmock.h>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace outputTimingIds = gui::outputTimingDialogIds;
namespace inputTimingIds = gui::inputTimingDialogIds;
namespace adjustInputIds = gui::adjustInputDialogIds;
namespace adjustOutputIds = gui::adjustOutputDialogIds;

// The simulated Quadrix's output and RGB window 2 both run XGA at 60 Hz.
const std::string xgaValues = "24  136 160 1024 3   6  29  768  48363 4    0    0    0";

std::string hostReply(const std::string& mode, const std::string& values)
{
    return "Output mode: " + mode +
           "\r\nOutput status: locked\r\n                       HFP HS  HBP HACT VFP VS VBP "
           "VACT HFREQ SYNC HPOL VPOL IL\r\nOutput timing:         " +
           values + "\r\n> ";
}

std::string windowReply(const std::string& values)
{
    return "Window 2 input: locked\r\n                       HFP HS  HBP HACT VFP VS VBP VACT "
           "HFREQ SYNC HPOL VPOL IL\r\nWindow 2 timing:       " +
           values + "\r\n> ";
}

// The panel up against the simulated Quadrix; from then on the link is scripted and what the
// dialogs write is recorded.
class TimingDialogsTest : public MainWindowFixture {
protected:
    TimingDialogsTest()
    {
        startUp();
        link.writes.clear();
        prompter.texts.clear();
    }

    PanelSession& session() { return window->session(); }

    template <typename Control> static Control& control(QWidget& dialog, int id)
    {
        return findControl<Control>(dialog, id);
    }

    static void commit(gui::CheckedEdit& edit, const QString& text)
    {
        edit.setFocus();
        edit.selectAll();
        QTest::keyClicks(&edit, text);
        QTest::keyClick(&edit, Qt::Key_Return);
    }
};

TEST_F(TimingDialogsTest, NoTwoControlsOfADialogShareAnId)
{
    const gui::OutputTimingDialog outputTiming(session(), window.get());
    const gui::InputTimingDialog inputTiming(session(), 2, window.get());
    const gui::AdjustOutputDialog adjustOutput(session(), window.get());
    const gui::AdjustInputDialog adjustInput(session(), 2, window.get());
    for (const QDialog* dialog : std::initializer_list<const QDialog*>{&outputTiming, &inputTiming,
                                                                       &adjustOutput, &adjustInput})
        EXPECT_THAT(sharedControlIds(*dialog), IsEmpty()) << dialog->windowTitle().toStdString();
}

TEST_F(TimingDialogsTest, AnEditedOutputTimingGoesOutWithThirteenValuesInFreeRunAndEightInAutosync)
{
    struct ModeCase {
        bool freeRun;
        std::string mode;
        std::string sent;
    };
    const std::vector<ModeCase> cases{
        {true, "free-run", "ht 30 136 160 1024 3 6 29 768 48363 4 0 0 0\n"},
        {false, "autosync", "ht 30 136 160 1024 3 6 29 768\n"},
    };
    for (const ModeCase& c : cases) {
        link.writes.clear();
        session().mirror().outputFreeRun = c.freeRun;
        gui::OutputTimingDialog dialog(session(), window.get());
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Output Timing"));
        EXPECT_EQ(control<gui::CheckedEdit>(dialog, outputTimingIds::verticalActive).isEnabled(),
                  c.freeRun);
        EXPECT_EQ(control<gui::CheckedEdit>(dialog, outputTimingIds::frequency).isEnabled(),
                  c.freeRun);
        EXPECT_TRUE(control<QRadioButton>(dialog, outputTimingIds::fourWire).isChecked());

        auto& porch = control<gui::CheckedEdit>(dialog, outputTimingIds::horizontalFrontPorch);
        commit(porch, QStringLiteral("30"));
        EXPECT_EQ(control<gui::CheckedEdit>(dialog, outputTimingIds::horizontalBlank).text(),
                  QStringLiteral("326"));
        link.queueReply("> ");
        link.queueReply(
            hostReply(c.mode, "30  136 160 1024 3   6  29  768  48363 4    0    0    0"));
        control<QPushButton>(dialog, outputTimingIds::apply).click();
        EXPECT_THAT(wire(), ElementsAre(c.sent, "host\n")) << c.mode;
        EXPECT_EQ(session().mirror().outputTiming.HFP, 30);
        EXPECT_EQ(porch.text(), QStringLiteral("30"));
        EXPECT_THAT(prompter.texts, IsEmpty());
    }
}

TEST_F(TimingDialogsTest, AFrontPorchOutOfRangeIsRefusedInTheBox)
{
    gui::OutputTimingDialog dialog(session(), window.get());
    auto& porch = control<gui::CheckedEdit>(dialog, outputTimingIds::horizontalFrontPorch);
    commit(porch, QStringLiteral("600"));
    EXPECT_EQ(prompter.texts.back(), formatString(StringId::integerRange, 0, 512));
    EXPECT_EQ(porch.text(), QStringLiteral("24"));
    EXPECT_THAT(wire(), IsEmpty());
}

TEST_F(TimingDialogsTest, ARejectedOutputTimingIsTold)
{
    gui::OutputTimingDialog dialog(session(), window.get());
    link.queueReply("Error: timing out of range\r\n> ");
    control<QPushButton>(dialog, outputTimingIds::apply).click();
    EXPECT_EQ(prompter.texts.back(), std::string(loadString(StringId::outputRejected)));
    EXPECT_THAT(wire(), ElementsAre("ht 24 136 160 1024 3 6 29 768 48363 4 0 0 0\n"));
}

TEST_F(TimingDialogsTest, AnInputWithoutASyncModeIsNotSent)
{
    session().mirror().window(2).inputTiming.SYNC = 0;
    gui::InputTimingDialog dialog(session(), 2, window.get());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Input Timing for RGB Window 2"));
    EXPECT_FALSE(control<QRadioButton>(dialog, inputTimingIds::fourWire).isChecked());
    EXPECT_FALSE(control<QRadioButton>(dialog, inputTimingIds::fourWire).isEnabled());
    EXPECT_FALSE(control<gui::CheckedEdit>(dialog, inputTimingIds::verticalActive).isEnabled());
    control<QPushButton>(dialog, inputTimingIds::apply).click();
    EXPECT_EQ(prompter.texts.back(), std::string(loadString(StringId::noSyncMode)));
    EXPECT_THAT(wire(), IsEmpty());
}

TEST_F(TimingDialogsTest, AdjustInputSendsEachKeyAloneAndCancelPutsTheTimingBack)
{
    gui::AdjustInputDialog dialog(session(), 2, window.get());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Interactive Adjustment for RGB Window 2"));
    link.queueReply(windowReply(xgaValues));
    link.queueReply("Adjusting window 2: h l k j move, H L width, J K height, q ends\r\n");
    ASSERT_TRUE(dialog.start());
    dialog.show();
    EXPECT_THAT(wire(), ElementsAre("rgb 2\n", "rgbi 2\n"));
    link.writes.clear();
    // Left, right, up, down, then increase and decrease width and height.
    for (const int id :
         {adjustInputIds::left, adjustInputIds::right, adjustInputIds::up, adjustInputIds::down,
          adjustInputIds::increaseWidth, adjustInputIds::decreaseWidth,
          adjustInputIds::increaseHeight, adjustInputIds::decreaseHeight})
        control<QPushButton>(dialog, id).click();
    EXPECT_THAT(wire(), ElementsAre("h", "l", "k", "j", "L", "H", "K", "J"));
    link.writes.clear();
    link.queueReply("Adjustment done\r\n> ");
    link.queueReply("> ");
    link.queueReply(windowReply(xgaValues));
    control<QPushButton>(dialog, adjustInputIds::cancel).click();
    EXPECT_THAT(wire(), ElementsAre("q", "rgbt 2 24 136 160 1024 3 6 29 768\n", "rgb 2\n"));
    EXPECT_FALSE(session().app().interactiveMode);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(TimingDialogsTest, AdjustOutputSwitchesWithOneSpaceAndOKKeepsTheAdjustment)
{
    gui::AdjustOutputDialog dialog(session(), window.get());
    ASSERT_TRUE(dialog.start());
    dialog.show();
    link.writes.clear();
    control<QPushButton>(dialog, adjustOutputIds::switchImages).click();
    ASSERT_THAT(wire(), ElementsAre(" "));
    EXPECT_EQ(wire()[0], std::string(1, '\x20'));
    link.writes.clear();
    link.queueReply("Adjustment done\r\n> ");
    link.queueReply(hostReply("free-run", xgaValues));
    control<QPushButton>(dialog, adjustOutputIds::ok).click();
    EXPECT_THAT(wire(), ElementsAre("q", "host\n"));
    EXPECT_FALSE(session().app().interactiveMode);
}

TEST_F(TimingDialogsTest, ClosingAdjustOutputFromItsTitleBarUndoesTheAdjustment)
{
    gui::AdjustOutputDialog dialog(session(), window.get());
    ASSERT_TRUE(dialog.start());
    dialog.show();
    control<QPushButton>(dialog, adjustOutputIds::right).click();
    link.writes.clear();
    link.queueReply("Adjustment done\r\n> ");
    link.queueReply("> ");
    link.queueReply(hostReply("free-run", xgaValues));
    dialog.close();
    EXPECT_THAT(wire(),
                ElementsAre("q", "ht 24 136 160 1024 3 6 29 768 48363 4 0 0 0\n", "host\n"));
    link.writes.clear();
    control<QPushButton>(dialog, adjustOutputIds::right).click();
    EXPECT_THAT(wire(), IsEmpty());
}

} // namespace
} // namespace kivo::test
