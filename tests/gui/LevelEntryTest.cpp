#include "tests/gui/MainWindowFixture.h"

#include "gui/base/ButtonCaption.h"
#include "gui/base/LineEditControl.h"
#include "gui/base/SliderControl.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <gmock/gmock.h>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Values typed into real Qt boxes, checked by the command channel through the adapters.
class LevelEntry : public MainWindowFixture {
protected:
    LevelEntry()
    {
        startUp();
        slider.setRange(-100, 100);
        slider.setValue(5);
    }
    void typeInto(QLineEdit& box, const QString& text)
    {
        box.clear();
        box.setModified(false);
        QTest::keyClicks(&box, text);
    }
    bool typeLevel(const QString& text)
    {
        typeInto(box, text);
        gui::LineEditControl edit(box);
        gui::SliderControl trackbar(slider);
        gui::ButtonCaption caption(freezeButton);
        return window->session().numericEntry().checkTrackedInteger(
            StringId::brightnessCommand, 1, trackbar, edit, caption, frozen);
    }
    bool typeTiming(const QString& text)
    {
        typeInto(box, text);
        gui::LineEditControl edit(box);
        return window->session().numericEntry().checkRangedInteger(edit, 16, 0, 512);
    }

    QLineEdit box;
    QSlider slider;
    QPushButton freezeButton{QStringLiteral("Un&Freeze Image")};
    bool frozen = true;
};

TEST_F(LevelEntry, ZeroCountsOnlyWhenTypedWithALeadingZero)
{
    EXPECT_TRUE(typeLevel(QStringLiteral("0")));
    EXPECT_THAT(wire(), ElementsAre("bright 1 0\n"));
    EXPECT_EQ(slider.value(), 0);
    EXPECT_EQ(freezeButton.text(), "&Freeze Image");
    EXPECT_FALSE(frozen);

    EXPECT_FALSE(typeLevel(QStringLiteral("-0")));
    EXPECT_EQ(box.text(), "0");
    EXPECT_FALSE(box.isModified());
    EXPECT_EQ(box.selectedText(), "0");
    EXPECT_EQ(prompter.texts.size(), 1u);
}

TEST_F(LevelEntry, TimingZeroIsAcceptedAndALetterEmptiesTheBox)
{
    EXPECT_TRUE(typeTiming(QStringLiteral("0")));
    EXPECT_TRUE(app().timingEdited);
    app().timingEdited = false;
    EXPECT_FALSE(typeTiming(QStringLiteral("h12")));
    EXPECT_EQ(box.text(), "");
    EXPECT_FALSE(app().timingEdited);
    EXPECT_THAT(prompter.texts, IsEmpty());
}

TEST_F(LevelEntry, TimingOutOfRangeGetsThePreviousValueBack)
{
    EXPECT_FALSE(typeTiming(QStringLiteral("600")));
    EXPECT_EQ(box.text(), "16");
    EXPECT_THAT(prompter.texts,
                ElementsAre("The current range of values allowed for this parameter is 0 to 512, "
                            "inclusive. Integers only."));
}

} // namespace
} // namespace kivo::test
