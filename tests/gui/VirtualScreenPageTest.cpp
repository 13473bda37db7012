#include "tests/gui/MainWindowFixture.h"

#include "gui/base/CheckedEdit.h"
#include "gui/screen/CanvasWidget.h"
#include "gui/screen/VirtualScreenPage.h"
#include "gui/screen/VirtualScreenPageIds.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gmock/gmock.h>

#include <cmath>
#include <functional>
#include <stdexcept>

namespace kivo::test {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::Not;

namespace ids = gui::virtualScreenPageIds;
// A row of a window's top band below its sizing handles.
constexpr int bandRow = 9;

// The panel up against the simulated Quadrix (ten windows side by side, window 1 in front),
// shown on the Virtual Screen page; what it writes from then on is recorded.
class VirtualScreenPage : public MainWindowFixture {
protected:
    VirtualScreenPage()
    {
        startUp();
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        EXPECT_EQ(window->activePage(), Page::virtualScreen);
    }

    gui::VirtualScreenPage& page()
    {
        return dynamic_cast<gui::VirtualScreenPage&>(window->page(Page::virtualScreen));
    }
    gui::CanvasWidget& canvas() { return page().canvas(); }
    DeviceMirror& mirror() { return window->mirror(); }

    template <typename Control> Control& control(int id)
    {
        return findControl<Control>(page(), id);
    }

    // The canvas pixel a widget point falls on.
    Point canvasPixel(QPoint widgetPoint)
    {
        const QPointF p = canvas().canvasTransform().inverted().map(QPointF(widgetPoint));
        return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))};
    }
    // The widget point in the middle of a canvas pixel.
    QPoint widgetPoint(Point pixel)
    {
        return canvas().canvasTransform().map(QPointF(pixel.x + 0.5, pixel.y + 0.5)).toPoint();
    }

    // The window second in the stack.
    int windowBehind()
    {
        for (int number = 1; number <= 10; ++number)
            if (mirror().window(number).priority == 2)
                return number;
        throw std::runtime_error("no second window");
    }
    // The widget point on the middle of a view rectangle.
    QPoint middleOf(const Rect& view)
    {
        return widgetPoint({(view.left + view.right) / 2, (view.top + view.bottom) / 2});
    }
};

struct DragEnd {
    const char* name;
    // Ends the drag on the canvas; `other` is another control of the page.
    std::function<void(gui::CanvasWidget& canvas, QWidget& other, QPoint at)> end;
    bool placed;
};

// Cases show by name in test output.
void PrintTo(const DragEnd& c, std::ostream* out) { *out << c.name; }

class EndOfDrag : public VirtualScreenPage, public ::testing::WithParamInterface<DragEnd> {};

TEST_P(EndOfDrag, RaisesAtThePressAndPlacesOnlyWhenTheDragIsKept)
{
    const int number = windowBehind();
    const Rect start = mirror().window(number).viewRect;
    const Rect placed = mirror().window(number).destRect;
    const QPoint from = middleOf(start);
    const QPoint to = from + QPoint(40, 30);
    QTest::mousePress(&canvas(), Qt::LeftButton, {}, from);
    const std::string raise = "priority " + std::to_string(number) + " 1\n";
    EXPECT_THAT(wire(), ElementsAre(raise));
    QTest::mouseMove(&canvas(), to);
    GetParam().end(canvas(), control<gui::CheckedEdit>(ids::description(3)), to);

    const Point grabbed = canvasPixel(from);
    const Point released = canvasPixel(to);
    const Rect moved = start.translated(released.x - grabbed.x, released.y - grabbed.y);
    const Rect expected = GetParam().placed ? moved : start;
    EXPECT_EQ(mirror().window(number).viewRect, expected);
    if (GetParam().placed)
        EXPECT_THAT(wire(),
                    ElementsAre(raise, raise,
                                moveCommand(number, moved, placed, mirror().outputTiming.HACT,
                                            mirror().outputTiming.VACT)));
    else
        EXPECT_THAT(wire(), ElementsAre(raise));
    EXPECT_FALSE(canvas().mouse().dragging());
    // The raised window is drawn in front, where it now is: its top band, below the handles,
    // in the active blue from its first canvas pixel to its last, and not beyond.
    const QImage drawn = canvas().grab().toImage();
    const auto colourAt = [&](int x) {
        const QPointF centre =
            canvas().canvasTransform().map(QPointF(x + 0.5, expected.top + bandRow + 0.5));
        return drawn.pixelColor(static_cast<int>(centre.x()), static_cast<int>(centre.y()));
    };
    const QColor active(0, 0, 170);
    EXPECT_EQ(colourAt(expected.left), active);
    EXPECT_EQ(colourAt(expected.right - 1), active);
    EXPECT_NE(colourAt(expected.left - 1), active);
    EXPECT_NE(colourAt(expected.right), active);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EndOfDrag,
    ::testing::Values(
        DragEnd{"release",
                [](gui::CanvasWidget& canvas, QWidget&, QPoint at) {
                    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, at);
                },
                true},
        DragEnd{"escape",
                [](gui::CanvasWidget& canvas, QWidget&, QPoint at) {
                    QTest::keyClick(&canvas, Qt::Key_Escape);
                    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, at);
                },
                false},
        DragEnd{"rightButton",
                [](gui::CanvasWidget& canvas, QWidget&, QPoint at) {
                    QTest::mousePress(&canvas, Qt::RightButton, {}, at);
                    QTest::mouseRelease(&canvas, Qt::RightButton, {}, at);
                    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, at);
                },
                false},
        // Another control takes the focus while the button is down: the drag so far is kept.
        DragEnd{"focusTaken",
                [](gui::CanvasWidget& canvas, QWidget& other, QPoint) {
                    ASSERT_TRUE(canvas.hasFocus());
                    other.setFocus();
                },
                true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(VirtualScreenPage, OnApplyOnlySendsNothingUntilApplySendsTheWholeLayout)
{
    control<QRadioButton>(ids::onApplyOnly).click();
    ASSERT_TRUE(control<QPushButton>(ids::apply).isEnabled());
    const int number = windowBehind();
    const Rect start = mirror().window(number).viewRect;
    const Rect placed = mirror().window(number).destRect;
    std::vector<std::string> asRead; // the windows where the device reported them
    for (int n = 1; n <= 10; ++n)
        asRead.push_back(placementLine(n, mirror().window(n).destRect));
    const QPoint from = middleOf(start);
    const QPoint to = from + QPoint(-30, 45);
    QTest::mousePress(&canvas(), Qt::LeftButton, {}, from);
    QTest::mouseMove(&canvas(), to);
    QTest::mouseRelease(&canvas(), Qt::LeftButton, {}, to);
    control<QCheckBox>(ids::windowBox(3)).click();
    EXPECT_THAT(wire(), IsEmpty());

    control<QPushButton>(ids::apply).click();
    const Point grabbed = canvasPixel(from);
    const Point released = canvasPixel(to);
    const Rect moved = start.translated(released.x - grabbed.x, released.y - grabbed.y);
    // Every window the drag left alone keeps the rectangle the device reported.
    std::vector<std::string> expected{"win all off off off off off off off off off off\n"};
    for (int n = 1; n <= 10; ++n) {
        const WindowRecord& w = mirror().window(n);
        expected.push_back("priority " + std::to_string(n) + " " + std::to_string(w.priority) +
                           "\n");
        expected.push_back(n == number ? moveCommand(n, moved, placed, mirror().outputTiming.HACT,
                                                     mirror().outputTiming.VACT)
                                       : asRead.at(static_cast<std::size_t>(n - 1)));
    }
    expected.push_back("win all on on off on on on on on on on\n");
    EXPECT_THAT(wire(), ElementsAreArray(expected));
    EXPECT_EQ(mirror().window(number).priority, 1);
}

TEST_F(VirtualScreenPage, WindowCheckBoxSwitchesTheWindowAndFollowsTheStack)
{
    QCheckBox& box = control<QCheckBox>(ids::windowBox(3));
    ASSERT_TRUE(box.isChecked());
    box.click();
    EXPECT_THAT(wire(), ElementsAre("win 3 off\n"));
    EXPECT_EQ(mirror().window(3).priority, 0);
    box.click();
    EXPECT_THAT(wire(), ElementsAre("win 3 off\n", "win 3 on\n", "priority 3 1\n"));
    EXPECT_EQ(mirror().window(3).priority, 1);
    EXPECT_TRUE(box.isChecked());
}

TEST_F(VirtualScreenPage, OnlyTheDevicesWindowsHaveBoxesAndDescriptions)
{
    mirror().windowCount = 4;
    mirror().window(2).priority = 0;
    window->redrawWindowControls();
    for (int number = 1; number <= 10; ++number) {
        SCOPED_TRACE(number);
        EXPECT_EQ(control<QCheckBox>(ids::windowBox(number)).isVisible(), number <= 4);
        EXPECT_EQ(control<gui::CheckedEdit>(ids::description(number)).isVisible(), number <= 4);
        EXPECT_EQ(control<QCheckBox>(ids::windowBox(number)).isChecked(),
                  number <= 4 && number != 2);
    }
}

TEST_F(VirtualScreenPage, PointerOverTheFrontWindowShowsWhatADragWouldDo)
{
    const Rect v = mirror().window(1).viewRect;
    const int middleX = (v.left + v.right) / 2;
    const int middleY = (v.top + v.bottom) / 2;
    const struct {
        Point at;
        Qt::CursorShape shape;
    } cases[] = {
        {{v.left + 1, v.top + 1}, Qt::SizeFDiagCursor},
        {{v.right - 2, v.bottom - 2}, Qt::SizeFDiagCursor},
        {{v.right - 2, v.top + 1}, Qt::SizeBDiagCursor},
        {{v.left + 1, v.bottom - 2}, Qt::SizeBDiagCursor},
        {{middleX, v.top + 1}, Qt::SizeVerCursor},
        {{v.left + 1, middleY}, Qt::SizeHorCursor},
        {{middleX, middleY}, Qt::SizeAllCursor},
        {{v.right + 20, middleY}, Qt::ArrowCursor},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.at.x << "," << c.at.y);
        QTest::mouseMove(&canvas(), widgetPoint(c.at));
        EXPECT_EQ(canvas().cursor().shape(), c.shape);
    }
}

struct TextCase {
    const char* name;
    int editId;
    const char* section;
    const char* key;
};

void PrintTo(const TextCase& c, std::ostream* out) { *out << c.name; }

class CommittedText : public VirtualScreenPage, public ::testing::WithParamInterface<TextCase> {};

TEST_P(CommittedText, IsKeptInTheIniFileOnEnter)
{
    auto& edit = control<gui::CheckedEdit>(GetParam().editId);
    edit.setFocus();
    QTest::keyClicks(&edit, QStringLiteral("Lobby camera"));
    EXPECT_EQ(profile().readString(GetParam().section, GetParam().key), "");
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(profile().readString(GetParam().section, GetParam().key), "Lobby camera");
    EXPECT_THAT(wire(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommittedText,
    ::testing::Values(TextCase{"windowDescription", ids::description(3), "DESCRIPTIONS", "desc3"},
                      TextCase{"arrangementName", ids::name(2), "CUSTOM2", "desc"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(VirtualScreenPage, StoringAUserArrangementSelectsItsNameForTyping)
{
    auto& name = control<gui::CheckedEdit>(ids::name(2));
    name.setText(QStringLiteral("Old name"));
    keys.shift = true;
    control<QPushButton>(ids::userButton(2)).click();
    ASSERT_EQ(prompter.texts.size(), 1u);
    EXPECT_EQ(profile().readString("CUSTOM2", "Set"), "1");
    EXPECT_TRUE(name.hasFocus());
    EXPECT_EQ(name.selectedText(), "Old name");
}

Point markerOf(const WindowRecord& window)
{
    return {window.viewRect.left + 20, window.viewRect.top + 5};
}

TEST_F(VirtualScreenPage, SwapMarkerBlinksOnlyUntilASecondMarkerIsClicked)
{
    const Rect third = mirror().window(3).viewRect;
    const Rect fifth = mirror().window(5).viewRect;
    QTest::mouseClick(&canvas(), Qt::LeftButton, {}, widgetPoint(markerOf(mirror().window(3))));
    EXPECT_TRUE(canvas().blinkTimer().isActive());
    EXPECT_EQ(canvas().blinkTimer().interval(), 300);
    QTest::mouseClick(&canvas(), Qt::LeftButton, {}, widgetPoint(markerOf(mirror().window(5))));
    EXPECT_FALSE(canvas().blinkTimer().isActive());
    EXPECT_EQ(mirror().window(3).viewRect, fifth);
    EXPECT_EQ(mirror().window(5).viewRect, third);
}

// A window switched off while its marker waits is no partner for a swap: the wait ends, the
// next marker clicked waits instead, and the window that is on stays on.
TEST_F(VirtualScreenPage, WindowSwitchedOffWhileItsMarkerWaitsIsNotSwapped)
{
    const Rect fifth = mirror().window(5).viewRect;
    QTest::mouseClick(&canvas(), Qt::LeftButton, {}, widgetPoint(markerOf(mirror().window(3))));
    control<QCheckBox>(ids::windowBox(3)).click();
    EXPECT_FALSE(canvas().blinkTimer().isActive());
    QTest::mouseClick(&canvas(), Qt::LeftButton, {}, widgetPoint(markerOf(mirror().window(5))));
    EXPECT_THAT(wire(), ElementsAre("win 3 off\n"));
    EXPECT_TRUE(canvas().blinkTimer().isActive());
    EXPECT_EQ(mirror().window(3).priority, 0);
    EXPECT_NE(mirror().window(5).priority, 0);
    EXPECT_EQ(mirror().window(5).viewRect, fifth);
    EXPECT_EQ(mirror().blinkEnabled, 5);
    EXPECT_TRUE(control<QCheckBox>(ids::windowBox(5)).isChecked());
}

// Whether `b` comes after `a` reading row by row: on a lower row, or on the same row further
// right.
bool readsAfter(const QRect& a, const QRect& b)
{
    const bool lower = b.top() > a.bottom();
    const bool sameRow = b.top() <= a.bottom() && a.top() <= b.bottom();
    return lower || (sameRow && b.left() > a.left());
}

TEST_F(VirtualScreenPage, TabFollowsTheRowsFromTopToBottom)
{
    QWidget& page = this->page();
    const auto onPage = [&](const QWidget& w) {
        return QRect(w.mapTo(&page, QPoint(0, 0)), w.size());
    };
    // The controls Tab visits, with the group each sits in.
    std::vector<std::pair<QGroupBox*, QWidget*>> visited;
    for (QWidget* w = page.nextInFocusChain(); w != &page; w = w->nextInFocusChain())
        if (page.isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisible() &&
            w->isEnabled())
            visited.emplace_back(qobject_cast<QGroupBox*>(w->parentWidget()), w);
    ASSERT_GT(visited.size(), 30u);

    std::vector<QGroupBox*> groups{visited.front().first};
    for (std::size_t i = 1; i < visited.size(); ++i) {
        const auto& [group, control] = visited[i];
        const auto& [previousGroup, previous] = visited[i - 1];
        SCOPED_TRACE(control->objectName().toStdString());
        ASSERT_NE(group, nullptr);
        if (group == previousGroup) {
            EXPECT_TRUE(readsAfter(onPage(*previous), onPage(*control)))
                << "within " << group->title().toStdString();
            continue;
        }
        EXPECT_THAT(groups, Not(Contains(group))) << "Tab comes back to a group it has left";
        EXPECT_TRUE(readsAfter(onPage(*groups.back()), onPage(*group)))
            << group->title().toStdString() << " after " << groups.back()->title().toStdString();
        groups.push_back(group);
    }
}

} // namespace
} // namespace kivo::test
