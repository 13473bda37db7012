#include "gui/base/CheckedEdit.h"
#include "gui/base/EditRouter.h"

#include <QDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace kivo::test {
namespace {

using gui::CheckedEdit;

// A dialog with a default button and two boxes; its router answers commits from a script and
// records which box asked, and whether Tab or Enter started it.
class Host : public QDialog, public gui::EditRouter {
public:
    // The host's own control ids: the router claims a range, and one id lies outside it.
    static constexpr int firstRoutedId = 1250;
    static constexpr int lastRoutedId = 1254;
    static constexpr int unroutedId = 1219;

    Host()
    {
        auto* layout = new QVBoxLayout(this);
        for (QWidget* widget : {static_cast<QWidget*>(first), static_cast<QWidget*>(second),
                                static_cast<QWidget*>(defaultButton)})
            layout->addWidget(widget);
        defaultButton->setDefault(true);
        routeEdits(firstRoutedId, lastRoutedId, [this](CheckedEdit& box) {
            commits.push_back({box.controlId(), box.tabPressed()});
            return accept;
        });
    }

    struct Commit {
        int id;
        bool tab;
    };
    CheckedEdit* first = new CheckedEdit(firstRoutedId, CheckedEdit::Mode::routed, this);
    CheckedEdit* second = new CheckedEdit(firstRoutedId + 1, CheckedEdit::Mode::routedNumber, this);
    QPushButton* defaultButton = new QPushButton(QStringLiteral("OK"), this);
    std::vector<Commit> commits;
    bool accept = true;
};

class CheckedEditTest : public ::testing::Test {
protected:
    CheckedEditTest()
    {
        host.show();
        host.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&host));
        host.first->setFocus();
    }

    Host host;
    QSignalSpy defaultClicks{host.defaultButton, &QPushButton::clicked};
};

struct KeyCase {
    const char* name;
    Qt::Key key;
    bool accepted;
    bool focusMoves;
};

// Cases show by name in test output.
void PrintTo(const KeyCase& c, std::ostream* out) { *out << c.name; }

class CommitKeys : public CheckedEditTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(CommitKeys, OnlyAnAcceptedTabMovesTheFocusAndEnterNeverReachesTheDefaultButton)
{
    host.accept = GetParam().accepted;
    QTest::keyClick(host.first, GetParam().key);
    ASSERT_EQ(host.commits.size(), 1u);
    EXPECT_EQ(host.commits[0].id, Host::firstRoutedId);
    EXPECT_EQ(host.commits[0].tab, GetParam().key == Qt::Key_Tab);
    EXPECT_EQ(host.second->hasFocus(), GetParam().focusMoves);
    EXPECT_EQ(host.first->hasFocus(), !GetParam().focusMoves);
    EXPECT_EQ(defaultClicks.count(), 0);
    EXPECT_TRUE(host.isVisible());
}

INSTANTIATE_TEST_SUITE_P(Cases, CommitKeys,
                         ::testing::Values(KeyCase{"acceptedTab", Qt::Key_Tab, true, true},
                                           KeyCase{"refusedTab", Qt::Key_Tab, false, false},
                                           KeyCase{"acceptedEnter", Qt::Key_Return, true, false},
                                           KeyCase{"refusedEnter", Qt::Key_Return, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CheckedEditTest, BoxNoPageHasClaimedIsAccepted)
{
    auto* unclaimed = new CheckedEdit(Host::unroutedId, CheckedEdit::Mode::routed, &host);
    host.layout()->addWidget(unclaimed);
    unclaimed->show();
    unclaimed->setFocus();
    ASSERT_TRUE(unclaimed->hasFocus());
    QTest::keyClick(unclaimed, Qt::Key_Tab);
    EXPECT_TRUE(host.commits.empty());
    EXPECT_FALSE(unclaimed->hasFocus());
}

TEST_F(CheckedEditTest, DialogBoxUsesItsOwnCheckNotTheRouter)
{
    auto* field = new CheckedEdit(Host::unroutedId, CheckedEdit::Mode::inputTiming, &host);
    host.layout()->addWidget(field);
    int checks = 0;
    field->setCheck([&checks](CheckedEdit&) {
        ++checks;
        return false;
    });
    field->show();
    field->setFocus();
    ASSERT_TRUE(field->hasFocus());
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_EQ(checks, 1);
    EXPECT_TRUE(field->hasFocus());
    EXPECT_TRUE(host.commits.empty());
}

TEST_F(CheckedEditTest, TypingMarksTheBoxUntilItLosesTheFocus)
{
    EXPECT_FALSE(host.first->typedSinceFocus());
    QTest::keyClicks(host.first, QStringLiteral("12"));
    EXPECT_TRUE(host.first->typedSinceFocus());
    EXPECT_EQ(host.first->text(), "12");
    host.second->setFocus();
    EXPECT_FALSE(host.first->typedSinceFocus());
}

} // namespace
} // namespace kivo::test
