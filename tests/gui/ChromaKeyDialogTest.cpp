#include "tests/gui/MainWindowFixture.h"

#include "gui/base/CheckedEdit.h"
#include "gui/output/ChromaKeyDialog.h"
#include "gui/output/ChromaKeyDialogIds.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include <gmock/gmock.h>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;

namespace ids = gui::chromaKeyDialogIds;

// The dialog opened on the simulated Quadrix (firmware 3.1) in chroma key mode.
class ChromaKeyDialogTest : public MainWindowFixture {
protected:
    ChromaKeyDialogTest()
    {
        startUp();
        link.queueReply("Chroma key on\r\n> ");
        link.queueReply("Chroma key limits (mV): -270 175 0 500 522 1250\r\n> ");
        dialog.initialise();
        link.writes.clear();
    }

    // A limits command taken, and the limits the device then reports.
    void takeLimits(const std::string& reported)
    {
        link.queueReply("> ");
        link.queueReply("Chroma key limits (mV): " + reported + "\r\n> ");
    }

    template <typename Control> Control& control(int id)
    {
        return findControl<Control>(dialog, id);
    }

    gui::ChromaKeyDialog dialog{window->session(), window.get()};
};

TEST_F(ChromaKeyDialogTest, NoTwoControlsShareAnId)
{
    EXPECT_THAT(sharedControlIds(dialog), ::testing::IsEmpty());
}

TEST_F(ChromaKeyDialogTest, ShowsWhatTheDeviceSaid)
{
    EXPECT_EQ(control<QSlider>(ids::redMaxSlider).value(), 175);
    EXPECT_EQ(control<gui::CheckedEdit>(ids::greenMinEdit).text(), QStringLiteral("0"));
    EXPECT_TRUE(control<QRadioButton>(ids::chromaKey).isChecked());
    EXPECT_TRUE(control<QSlider>(ids::redMinSlider).isEnabled());
}

TEST_F(ChromaKeyDialogTest, APresetSendsItsLimitsAndShowsThem)
{
    takeLimits("-270 175 522 1250 522 1250");
    control<QPushButton>(ids::cyan).click();
    EXPECT_THAT(wire(), ElementsAre("ckc -270 175 522 1250 522 1250\n", "ckc\n"));
    EXPECT_EQ(control<gui::CheckedEdit>(ids::greenMinEdit).text(), QStringLiteral("522"));
}

TEST_F(ChromaKeyDialogTest, ARefusedDragGoesBackToTheLimitsTheDeviceHolds)
{
    link.queueReply("Error: busy\r\n> ");
    QSlider& slider = control<QSlider>(ids::redMaxSlider);
    slider.setSliderDown(true);
    slider.setValue(900);
    slider.setSliderDown(false);
    EXPECT_EQ(slider.value(), 175);
    EXPECT_EQ(control<gui::CheckedEdit>(ids::redMaxEdit).text(), QStringLiteral("175"));
    EXPECT_EQ(prompter.texts.back(),
              "The Quadrix did not take the chroma key limits -270 900 0 500 522 1250 (mV).");
}

TEST_F(ChromaKeyDialogTest, ADragPastTheMaximumStopsThereAndSendsAtTheRelease)
{
    QSlider& slider = control<QSlider>(ids::redMinSlider);
    slider.setSliderDown(true);
    slider.setValue(400);
    EXPECT_EQ(slider.value(), 175);
    EXPECT_TRUE(wire().empty());
    takeLimits("175 175 0 500 522 1250");
    slider.setSliderDown(false);
    EXPECT_THAT(wire(), ElementsAre("ckc 175 175 0 500 522 1250\n", "ckc\n"));
}

TEST_F(ChromaKeyDialogTest, ATypedLimitOutOfRangeIsRefused)
{
    auto& edit = control<gui::CheckedEdit>(ids::redMaxEdit);
    edit.setFocus();
    edit.selectAll();
    QTest::keyClicks(&edit, QStringLiteral("-300"));
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(prompter.texts.back(), "The current range of values allowed for this parameter is "
                                     "-270 to 1250, inclusive. Integers only.");
    EXPECT_EQ(edit.text(), QStringLiteral("175"));
    edit.selectAll();
    QTest::keyClicks(&edit, QStringLiteral("900"));
    takeLimits("-270 900 0 500 522 1250");
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_THAT(wire(), ElementsAre("ckc -270 900 0 500 522 1250\n", "ckc\n"));
    EXPECT_EQ(control<QSlider>(ids::redMaxSlider).value(), 900);
}

TEST_F(ChromaKeyDialogTest, InsertModeLocksTheLimits)
{
    link.queueReply("> ");
    link.queueReply("Chroma key off\r\n> ");
    control<QRadioButton>(ids::insert).click();
    EXPECT_THAT(wire(), ElementsAre("ck off\n", "ck\n"));
    EXPECT_FALSE(control<QSlider>(ids::redMinSlider).isEnabled());
    EXPECT_FALSE(control<QPushButton>(ids::cyan).isEnabled());
}

TEST_F(ChromaKeyDialogTest, ARefusedModeChangeShowsTheModeTheDeviceKept)
{
    link.queueReply("Error: busy\r\n> ");
    link.queueReply("Chroma key on\r\n> ");
    control<QRadioButton>(ids::insert).click();
    EXPECT_TRUE(control<QRadioButton>(ids::chromaKey).isChecked());
    EXPECT_TRUE(control<QSlider>(ids::redMinSlider).isEnabled());
    EXPECT_EQ(prompter.texts.back(), "The Quadrix did not switch to Insert mode.");
}

} // namespace
} // namespace kivo::test
