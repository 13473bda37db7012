#include "tests/gui/MainWindowFixture.h"

#include "gui/base/CheckedEdit.h"
#include "gui/image/AutoRepeatButton.h"
#include "gui/image/ImageControlsPage.h"
#include "gui/image/ImageControlsPageIds.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include <gmock/gmock.h>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace ids = gui::imageControlsPageIds;

// The panel up against the simulated Quadrix, which keeps answering after the bring-up, shown
// on the Image Controls page for window 1 (a 640 x 480 video input, in front); the commands
// it writes from then on are recorded.
class ImageControlsPage : public MainWindowFixture {
protected:
    ImageControlsPage()
    {
        startUp();
        panelLink->retarget(recorder);
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        window->setActivePage(Page::imageControls);
        sent();
    }
    // The panel outlives the recorder: its last words go to the scripted link.
    ~ImageControlsPage() override { panelLink->retarget(link); }

    gui::ImageControlsPage& page()
    {
        return dynamic_cast<gui::ImageControlsPage&>(window->page(Page::imageControls));
    }
    template <typename Control> Control& control(int id)
    {
        return findControl<Control>(page(), id);
    }
    // The commands written since the last call, without their line feeds.
    std::vector<std::string> sent()
    {
        std::vector<std::string> lines;
        for (; seen_ < written.size(); ++seen_)
            lines.push_back(written[seen_].substr(0, written[seen_].find('\n')));
        return lines;
    }
    void typeAndEnter(QWidget& box, const QString& text)
    {
        box.setFocus();
        QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(&box, text);
        QTest::keyClick(&box, Qt::Key_Return);
    }

    std::vector<std::string> written;
    ForwardingLink recorder{simulated, &written};

private:
    std::size_t seen_ = 0;
};

TEST_F(ImageControlsPage, ButtonsZoomAndPanWithTheExactCommands)
{
    ASSERT_EQ(page().controls().window(), 1);
    gui::AutoRepeatButton& in = page().zoomButton(ZoomKind::in);
    gui::AutoRepeatButton& out = page().zoomButton(ZoomKind::out);
    EXPECT_FALSE(out.isEnabled()) << "the full picture cannot zoom out";
    QTest::mouseClick(&in, Qt::LeftButton);
    EXPECT_THAT(sent(), ElementsAre("wsr 1 32 24 576 432", "wsr 1"));
    EXPECT_EQ(control<gui::CheckedEdit>(ids::sourceBox).text(), "32 24 576 432");
    EXPECT_TRUE(out.isEnabled());

    QTest::mouseClick(&page().zoomButton(ZoomKind::left), Qt::LeftButton);
    EXPECT_THAT(sent(), ElementsAre("wsr 1 0 24 576 432", "wsr 1"));
    QTest::mouseClick(&page().zoomButton(ZoomKind::left), Qt::LeftButton);
    EXPECT_THAT(sent(), IsEmpty()) << "left stops at the input's edge";
    QTest::mouseClick(&out, Qt::LeftButton);
    EXPECT_THAT(sent(), ElementsAre("wsr 1 0 0 608 480", "wsr 1"));
}

TEST_F(ImageControlsPage, AHeldButtonBeatsEvery500MsUntilReleased)
{
    gui::AutoRepeatButton& right = page().zoomButton(ZoomKind::right);
    QTest::mousePress(&right, Qt::LeftButton);
    EXPECT_TRUE(right.repeatTimer().isActive());
    EXPECT_EQ(right.repeatTimer().interval(), 500);
    EXPECT_TRUE(page().controls().autoRepeat(ZoomKind::right).pressed());
    QTest::mouseRelease(&right, Qt::LeftButton);
    EXPECT_FALSE(right.repeatTimer().isActive());
}

TEST_F(ImageControlsPage, ReleasingAHeldButtonWhileTheDeviceIsBusyStillEndsTheRepeat)
{
    gui::AutoRepeatButton& right = page().zoomButton(ZoomKind::right);
    QTest::mousePress(&right, Qt::LeftButton);
    const QPointF centre = right.rect().center();
    QCoreApplication::postEvent(&right, new QMouseEvent(QEvent::MouseButtonRelease, centre,
                                                        right.mapToGlobal(centre), Qt::LeftButton,
                                                        Qt::NoButton, Qt::NoModifier));
    busy.whileBusy();
    EXPECT_FALSE(right.isDown());
    EXPECT_FALSE(right.repeatTimer().isActive());
}

TEST_F(ImageControlsPage, TheSourceBoxSendsFourNumbersOrKeepsTheFocus)
{
    auto& box = control<gui::CheckedEdit>(ids::sourceBox);
    typeAndEnter(box, QStringLiteral("0 0 640 100"));
    EXPECT_THAT(sent(), ElementsAre("wsr 1 0 0 640 100", "wsr 1"));
    EXPECT_EQ(box.text(), "0 0 640 100");

    typeAndEnter(box, QStringLiteral("0 0 640"));
    EXPECT_THAT(sent(), IsEmpty());
    ASSERT_EQ(prompter.texts.size(), 1u);
    EXPECT_THAT(prompter.texts[0], ::testing::StartsWith("To adjust the source rectangle"));
    EXPECT_TRUE(box.hasFocus());
}

TEST_F(ImageControlsPage, ALevelEditMovesItsSliderAndASliderKeySendsAtOnce)
{
    auto& edit = control<gui::CheckedEdit>(ids::brightnessEdit);
    auto& slider = control<QSlider>(ids::brightnessSlider);
    typeAndEnter(edit, QStringLiteral("150"));
    EXPECT_THAT(sent(), ElementsAre("bright 1 150"));
    EXPECT_EQ(slider.value(), 150);

    slider.setFocus();
    QTest::keyClick(&slider, Qt::Key_PageUp);
    EXPECT_THAT(sent(), ElementsAre("bright 1 200"));
    EXPECT_EQ(edit.text(), "200");
    EXPECT_EQ(window->mirror().window(1).brightness, 200);
}

// The desktop's language may write 1,5 for 1.5 (the tests also run under one): the box, the
// wire and the device's answer all keep the point.
TEST_F(ImageControlsPage, GammaIsShownSentAndReadBackWithAPoint)
{
    auto& edit = control<gui::CheckedEdit>(ids::gammaEdit);
    EXPECT_EQ(edit.text(), "1.0");
    typeAndEnter(edit, QStringLiteral("1.5"));
    EXPECT_THAT(sent(), ElementsAre("gamma 1 1.5"));
    EXPECT_EQ(control<QSlider>(ids::gammaSlider).value(), 15);
    EXPECT_EQ(window->mirror().window(1).gamma, 1.5);

    control<QRadioButton>(ids::windowRadio(2)).click();
    control<QRadioButton>(ids::windowRadio(1)).click();
    EXPECT_EQ(edit.text(), "1.5");
}

TEST_F(ImageControlsPage, FreezeAndMotionButtonsSayWhatTheyWillDo)
{
    auto& freeze = control<QPushButton>(ids::freeze);
    auto& motion = control<QPushButton>(ids::motion);
    QTest::mouseClick(&freeze, Qt::LeftButton);
    QTest::mouseClick(&motion, Qt::LeftButton);
    EXPECT_THAT(sent(), ElementsAre("freeze 1 on", "motion 1 on"));
    EXPECT_EQ(freeze.text(), "Un&Freeze Image");
    EXPECT_EQ(motion.text(), "Turn &Motion Filter Off");
    QTest::mouseClick(&freeze, Qt::LeftButton);
    QTest::mouseClick(&motion, Qt::LeftButton);
    EXPECT_THAT(sent(), ElementsAre("freeze 1 off", "motion 1 off"));
    EXPECT_EQ(freeze.text(), "&Freeze Image");
    EXPECT_EQ(motion.text(), "Turn &Motion Filter On");
}

TEST_F(ImageControlsPage, AnRgbWindowLimitsContrastAndDisablesColourSaturationAndMotion)
{
    control<QRadioButton>(ids::windowRadio(2)).click();
    EXPECT_THAT(sent(), ElementsAre("rgb 2", "wsr 2"));
    auto& contrast = control<QSlider>(ids::contrastSlider);
    EXPECT_EQ(contrast.minimum(), 88);
    EXPECT_EQ(contrast.maximum(), 118);
    EXPECT_EQ(qobject_cast<QGroupBox*>(contrast.parentWidget())->title(), "Contrast (88 - 118) ");
    EXPECT_FALSE(control<QSlider>(ids::colourSlider).isEnabled());
    EXPECT_FALSE(control<QSlider>(ids::saturationSlider).isEnabled());
    EXPECT_FALSE(control<QPushButton>(ids::motion).isEnabled());
}

} // namespace
} // namespace kivo::test
