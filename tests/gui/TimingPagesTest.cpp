#include "tests/gui/MainWindowFixture.h"

#include "core/timing/CurrentTimingRow.h"
#include "core/timing/TimingText.h"
#include "gui/base/CheckedEdit.h"
#include "gui/inputs/InputsPage.h"
#include "gui/inputs/InputsPageIds.h"
#include "gui/output/AdjustOutputDialogIds.h"
#include "gui/output/ChromaKeyDialogIds.h"
#include "gui/output/OutputPage.h"
#include "gui/output/OutputPageIds.h"
#include "gui/output/OutputTimingDialogIds.h"
#include "gui/timing/DropDownList.h"
#include "gui/timing/TimingListView.h"
#include "gui/timing/TimingPageIds.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <gmock/gmock.h>

#include <cstdio>
#include <functional>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace outputIds = gui::outputPageIds;
namespace inputsIds = gui::inputsPageIds;
namespace outputTimingIds = gui::outputTimingDialogIds;
namespace adjustOutputIds = gui::adjustOutputDialogIds;
namespace chromaKeyIds = gui::chromaKeyDialogIds;

// A status reply laid out as the device lays out "host" and "rgb N".
std::string statusReply(const std::string& first, const std::string& label, const TimingRecord& t)
{
    char values[120];
    std::snprintf(values, sizeof values, "%-23s%-4d%-4d%-4d%-5d%-4d%-3d%-4d%-5d%-6d%-5d%-5d%-5d%d",
                  label.c_str(), t.HFP, t.HS, t.HBP, t.HACT, t.VFP, t.VS, t.VBP, t.VACT, t.HFREQ,
                  t.SYNC, t.HPOL, t.VPOL, t.IL);
    return first +
           "                       HFP HS  HBP HACT VFP VS VBP VACT HFREQ SYNC HPOL VPOL IL\r\n" +
           values + "\r\n> ";
}

std::string hostReply(const std::string& mode, const TimingRecord& t)
{
    return statusReply("Output mode: " + mode + "\r\nOutput status: locked\r\n",
                       "Output timing:", t);
}

std::string rgbReply(int window, const TimingRecord& t)
{
    const std::string name = "Window " + std::to_string(window);
    return statusReply(name + " input: locked\r\n", name + " timing:", t);
}

// The panel up against the simulated Quadrix (output settings 1, 2 and 4 are the user's, 3
// is empty; the output runs free at setting 1's timing; window 1 is video, window 2 RGB),
// then talking to a scripted link.
class TimingPages : public MainWindowFixture {
protected:
    TimingPages()
    {
        startUp();
        window->show();
    }

    gui::OutputPage& outputPage()
    {
        window->setActivePage(Page::output);
        return dynamic_cast<gui::OutputPage&>(window->page(Page::output));
    }
    gui::InputsPage& inputsPage()
    {
        window->setActivePage(Page::inputs);
        return dynamic_cast<gui::InputsPage&>(window->page(Page::inputs));
    }
    template <typename Control> Control& control(QWidget& page, int id)
    {
        return findControl<Control>(page, id);
    }
    void choose(QWidget& page, int row)
    {
        Q_EMIT control<gui::DropDownList>(page, gui::timingPageIds::list).activated(row);
    }
    int shownRow(QWidget& page)
    {
        return control<gui::DropDownList>(page, gui::timingPageIds::list).currentIndex();
    }
    void type(QWidget& page, int id, const QString& text)
    {
        auto& box = control<gui::CheckedEdit>(page, id);
        box.setFocus();
        box.selectAll();
        QTest::keyClicks(&box, text);
    }
    // Clicks `button` and, once the dialog it opens runs, hands the dialog to `inDialog`, which
    // may close it; it is closed after. The dialog's resource id is checked first. The page may
    // talk to the device before the dialog opens, so the check waits for a modal dialog.
    void clickIntoDialog(QPushButton& button, int dialogId,
                         const std::function<void(QDialog&)>& inDialog)
    {
        bool ran = false;
        QTimer poll;
        poll.setInterval(1);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            poll.stop();
            ran = true;
            EXPECT_EQ(dialog->property(gui::controlIdProperty).toInt(), dialogId);
            inDialog(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        poll.start();
        button.click();
        poll.stop();
        EXPECT_TRUE(ran);
    }
    // Queues the device's answers to the rectangle queries that follow a change of the output's
    // size (window n at n x 10, n x 20, 200 x 150) and returns the queries.
    std::vector<std::string> queueWindowRectangles()
    {
        std::vector<std::string> queries;
        for (int n = 1; n <= static_cast<int>(window->mirror().windowCount); ++n) {
            const std::string number = std::to_string(n);
            link.queueReply(number + " " + std::to_string(n * 10) + " " + std::to_string(n * 20) +
                            " 200 150\r\n> ");
            queries.push_back("wdr " + number + "\n");
        }
        return queries;
    }
    const TimingRecord& outputSlot(int slot) const
    {
        return window->state().outputList.slots.at(static_cast<std::size_t>(slot));
    }
};

TEST_F(TimingPages, ASettingRecalledFromTheListBecomesTheOutputAndStaysChosen)
{
    gui::OutputPage& page = outputPage();
    ASSERT_EQ(shownRow(page), 0);
    ASSERT_NE(outputSlot(1).HACT, window->mirror().outputTiming.HACT);
    link.queueReply("> ");
    link.queueReply(hostReply("free-run", outputSlot(1)));
    std::vector<std::string> expected{"host load 2\n", "host\n"};
    // The output changed size: the windows are read again, so the canvas shows the device's.
    for (const std::string& query : queueWindowRectangles())
        expected.push_back(query);
    choose(page, 1);
    EXPECT_THAT(wire(), ElementsAreArray(expected));
    EXPECT_EQ(window->mirror().window(5).destRect, (Rect{50, 100, 250, 250}));
    EXPECT_EQ(shownRow(page), 1);
    EXPECT_TRUE(control<QPushButton>(page, outputIds::deleteSetting).isEnabled());
    auto& list = control<gui::DropDownList>(page, gui::timingPageIds::list);
    EXPECT_EQ(list.itemText(27).toStdString(), currentOutputRowText(outputSlot(1)));
    EXPECT_THAT(prompter.texts, IsEmpty());
}

TEST_F(TimingPages, AdvancedReadsTheOutputThenAnEditAppliedInTheDialogGoesOut)
{
    gui::OutputPage& page = outputPage();
    link.queueReply("> ");
    link.queueReply(hostReply("free-run", outputSlot(1)));
    queueWindowRectangles();
    choose(page, 1);
    link.writes.clear();
    link.queueReply(hostReply("free-run", outputSlot(1)));
    TimingRecord edited = outputSlot(1);
    edited.HFP = 30;
    clickIntoDialog(control<QPushButton>(page, outputIds::advanced), outputTimingIds::dialog,
                    [&](QDialog& dialog) {
                        auto& porch = findControl<gui::CheckedEdit>(
                            dialog, outputTimingIds::horizontalFrontPorch);
                        EXPECT_EQ(porch.text().toInt(), outputSlot(1).HFP);
                        porch.setFocus();
                        porch.selectAll();
                        QTest::keyClicks(&porch, QStringLiteral("30"));
                        QTest::keyClick(&porch, Qt::Key_Return);
                        link.queueReply("> ");
                        link.queueReply(hostReply("free-run", edited));
                        findControl<QPushButton>(dialog, outputTimingIds::apply).click();
                        findControl<QPushButton>(dialog, outputTimingIds::done).click();
                    });
    const TimingRecord& t = edited;
    char sent[120];
    std::snprintf(sent, sizeof sent, "ht %d %d %d %d %d %d %d %d %d %d %d %d %d\n", t.HFP, t.HS,
                  t.HBP, t.HACT, t.VFP, t.VS, t.VBP, t.VACT, t.HFREQ, t.SYNC, t.HPOL, t.VPOL, t.IL);
    EXPECT_THAT(wire(), ElementsAre("host\n", sent, "host\n"));
    EXPECT_EQ(window->mirror().outputTiming.HFP, 30);
    EXPECT_THAT(prompter.texts, IsEmpty());
}

TEST_F(TimingPages, InteractiveAdjustmentOfTheOutputSendsItsKeysAndCancelPutsTheTimingBack)
{
    gui::OutputPage& page = outputPage();
    link.queueReply("Adjusting the output\r\n");
    link.queueReply("> ");
    link.queueReply("> ");
    link.queueReply(hostReply("free-run", outputSlot(0)));
    clickIntoDialog(control<QPushButton>(page, outputIds::interactiveAdjustment),
                    adjustOutputIds::dialog, [&](QDialog& dialog) {
                        findControl<QPushButton>(dialog, adjustOutputIds::right).click();
                        findControl<QPushButton>(dialog, adjustOutputIds::cancel).click();
                    });
    ASSERT_EQ(wire().size(), 5U);
    EXPECT_EQ(wire()[0], "hi\n");
    EXPECT_EQ(wire()[1], "l");
    EXPECT_EQ(wire()[2], "q");
    EXPECT_EQ(wire()[3].rfind("ht ", 0), 0U);
    EXPECT_EQ(wire()[4], "host\n");
}

TEST_F(TimingPages, AdjustChromaKeyOpensItsDialogOverWhatTheDeviceSays)
{
    window->mirror().outputFreeRun = false;
    gui::OutputPage& page = outputPage();
    link.queueReply("Chroma key on\r\n> ");
    link.queueReply("Chroma key limits (mV): -270 175 0 500 522 1250\r\n> ");
    clickIntoDialog(control<QPushButton>(page, outputIds::chromaKey), chromaKeyIds::dialog,
                    [](QDialog& dialog) {
                        EXPECT_EQ(findControl<QSlider>(dialog, chromaKeyIds::redMaxSlider).value(),
                                  175);
                    });
}

TEST_F(TimingPages, AnEmptySettingIsRefusedAndTheChoiceStays)
{
    gui::OutputPage& page = outputPage();
    choose(page, 2);
    ASSERT_FALSE(prompter.texts.empty());
    EXPECT_EQ(prompter.texts.back(), "Output preset 3 is empty.");
    EXPECT_EQ(shownRow(page), 0);
    EXPECT_THAT(wire(), IsEmpty());
}

TEST_F(TimingPages, AddStoresTheOutputTimingAndDeleteForgetsIt)
{
    link.answerWrites("> ");
    gui::OutputPage& page = outputPage();
    type(page, outputIds::number, QStringLiteral("3"));
    type(page, outputIds::name, QStringLiteral("Wall"));
    control<QPushButton>(page, outputIds::add).click();
    EXPECT_THAT(wire(), ElementsAre("host name \"Wall\"\n", "host save 3\n"));
    auto& list = control<gui::DropDownList>(page, gui::timingPageIds::list);
    EXPECT_TRUE(list.itemText(2).startsWith(QStringLiteral("3   Wall ")));
    EXPECT_EQ(shownRow(page), 2);
    EXPECT_TRUE(control<gui::CheckedEdit>(page, outputIds::number).text().isEmpty());
    EXPECT_TRUE(control<gui::CheckedEdit>(page, outputIds::name).text().isEmpty());

    auto& remove = control<QPushButton>(page, outputIds::deleteSetting);
    ASSERT_TRUE(remove.isEnabled());
    remove.click();
    EXPECT_EQ(wire().back(), "hdel 3\n");
    EXPECT_EQ(list.itemText(2).toStdString(), placeholderRow(3));
    EXPECT_FALSE(remove.isEnabled());
}

TEST_F(TimingPages, AutosyncAndFreeRunAskFirstAndWaitForTheDevice)
{
    gui::OutputPage& page = outputPage();
    auto& freeRun = control<QRadioButton>(page, outputIds::freeRun);
    auto& autosync = control<QRadioButton>(page, outputIds::autosync);
    auto& chromaKey = control<QPushButton>(page, outputIds::chromaKey);
    ASSERT_TRUE(freeRun.isChecked());
    EXPECT_FALSE(chromaKey.isEnabled());

    prompter.answers = {Prompter::Answer::no};
    autosync.click();
    EXPECT_EQ(prompter.texts.back(), std::string(loadString(StringId::autosyncQuestion)));
    EXPECT_THAT(wire(), IsEmpty());
    EXPECT_TRUE(freeRun.isChecked());

    // The prompt after "host auto", then the answer to the first "host".
    link.queue("> ");
    link.queueReply(hostReply("autosync", outputSlot(0)));
    const std::int64_t asked = clock.now;
    autosync.click();
    EXPECT_THAT(wire(), ElementsAre("host auto\n", "host\n"));
    EXPECT_GE(clock.now - asked, 1200);
    EXPECT_TRUE(autosync.isChecked());
    EXPECT_TRUE(chromaKey.isEnabled());
    EXPECT_FALSE(window->mirror().outputFreeRun);

    link.writes.clear();
    link.queue("> ");
    link.queueReply(hostReply("free-run", outputSlot(0)));
    freeRun.click();
    EXPECT_EQ(prompter.texts.back(), std::string(loadString(StringId::freeRunQuestion)));
    EXPECT_THAT(wire(), ElementsAre("host free\n", "host\n"));
    EXPECT_TRUE(freeRun.isChecked());
    EXPECT_FALSE(chromaKey.isEnabled());
    EXPECT_EQ(shownRow(page), 0);
}

TEST_F(TimingPages, ClosingTheWindowWhileAutosyncWaitsGivesItUpAndEndsInOrder)
{
    gui::OutputPage& page = outputPage();
    QString shownWhileWaiting;
    link.queue("> ");
    link.atNextRead = [&] {
        shownWhileWaiting = page.findChild<QLabel*>(QStringLiteral("lockWait"))->text();
        QCoreApplication::postEvent(window.get(), new QCloseEvent);
    };
    EXPECT_THROW(page.model().autosyncClicked(), ProcessEnded);
    EXPECT_EQ(shownWhileWaiting.toStdString(), "Autosync: waiting for the reference signal... 0 s");
    EXPECT_THAT(wire(), ElementsAre("host auto\n", "host\n", "host free\n", "echo on\n"));
    EXPECT_TRUE(link.closed);
}

TEST_F(TimingPages, AVideoWindowHasNoListAndAnRgbWindowShowsItsTimingAsRow51)
{
    gui::InputsPage& page = inputsPage();
    control<QRadioButton>(page, inputsIds::windowButton(1)).click();
    EXPECT_THAT(wire(), IsEmpty());
    EXPECT_FALSE(page.listView().isEnabled());
    EXPECT_FALSE(control<QPushButton>(page, inputsIds::add).isEnabled());
    EXPECT_FALSE(control<QPushButton>(page, inputsIds::advanced).isEnabled());
    EXPECT_FALSE(control<QPushButton>(page, inputsIds::interactiveAdjustment).isEnabled());
    const int connector = static_cast<int>(window->mirror().window(1).inputConnector);
    for (int i = 0; i < 3; ++i) {
        auto& type = control<QRadioButton>(page, inputsIds::composite + i);
        EXPECT_TRUE(type.isEnabled()) << i;
        EXPECT_EQ(type.isChecked(), i == connector) << i;
    }
    EXPECT_FALSE(control<QRadioButton>(page, inputsIds::rgb).isEnabled());

    const TimingRecord xga = outputSlot(0);
    link.queueReply(rgbReply(2, xga));
    control<QRadioButton>(page, inputsIds::windowButton(2)).click();
    EXPECT_THAT(wire(), ElementsAre("rgb 2\n"));
    EXPECT_TRUE(control<QRadioButton>(page, inputsIds::rgb).isChecked());
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(control<QRadioButton>(page, inputsIds::composite + i).isEnabled()) << i;
    auto& list = control<gui::DropDownList>(page, gui::timingPageIds::list);
    ASSERT_EQ(list.count(), 51);
    EXPECT_EQ(list.itemText(50).toStdString(), currentInputRowText(2, xga));
    EXPECT_TRUE(page.listView().isEnabled());
    EXPECT_TRUE(control<QCheckBox>(page, inputsIds::loadImageSettings).isVisibleTo(&page));
}

TEST_F(TimingPages, ASettingRecalledWithItsImageSettingsSendsTheLevelsAfterIt)
{
    gui::InputsPage& page = inputsPage();
    const TimingRecord xga = outputSlot(0);
    link.queueReply(rgbReply(2, xga));
    control<QRadioButton>(page, inputsIds::windowButton(2)).click();
    TimingList& inputs = window->state().inputList;
    TimingRecord& seventh = inputs.slots[6];
    seventh = xga;
    seventh.NAME = "Stage";
    seventh.brightness = 12;
    seventh.contrast = 90;
    seventh.gamma = 1.4;
    seventh.rowText = inputs.rows[6] = formatRowText(7, seventh);
    control<QCheckBox>(page, inputsIds::loadImageSettings).click();
    link.writes.clear();

    link.queueReply("> ");
    link.queueReply(rgbReply(2, xga));
    const std::int64_t recalled = clock.now;
    choose(page, 6);
    EXPECT_THAT(wire(), ElementsAre("rgbload 2  7\n", "rgb 2\n", "bright 2 12\n", "contrast 2 90\n",
                                    "gamma 2 1.4\n"));
    EXPECT_GE(clock.now - recalled, 200);
    EXPECT_EQ(window->mirror().window(2).contrast, 90);
    EXPECT_EQ(shownRow(page), 6);
}

TEST_F(TimingPages, AnRgbWindowsTimingIsReadAgainShortlyAfterThePageComesToTheFront)
{
    app().currentWindow = 2;
    link.queueReply(rgbReply(2, outputSlot(0)));
    gui::InputsPage& page = inputsPage();
    QTimer& timer = page.refreshTimer();
    ASSERT_TRUE(timer.isActive());
    EXPECT_TRUE(timer.isSingleShot());
    EXPECT_EQ(timer.interval(), 100);
    EXPECT_THAT(wire(), IsEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !wire().empty(); }, 2000));
    EXPECT_THAT(wire(), ElementsAre("rgb 2\n"));
    EXPECT_FALSE(timer.isActive());
    EXPECT_EQ(shownRow(page), 0);
}

} // namespace
} // namespace kivo::test
