#include "core/mirror/Stacking.h"
#include "core/mirror/DeviceMirror.h"

#include <gtest/gtest.h>

#include <array>

namespace kivo::test {
namespace {

TEST(Stacking, RenumberingClosesGapsKeepsOrderAndNeverLeavesTwoWindowsAtOnePlace)
{
    struct Case {
        std::array<int, 4> before;
        std::array<int, 4> after;
        int front;
        unsigned windowCount = 4;
    };
    const std::vector<Case> cases{
        {{3, 0, 1, 0}, {2, 0, 1, 0}, 3},
        {{2, 2, 3, 0}, {1, 2, 3, 0}, 1}, // a tie keeps window order
        {{0, 0, 0, 0}, {0, 0, 0, 0}, 0},
        {{-1, 25, 4, 1}, {0, 0, 2, 1}, 4},  // garbage places are off
        {{1, 2, 3, 4}, {1, 2, 3, 0}, 1, 3}, // no more places than the device has windows
    };
    for (const Case& c : cases) {
        DeviceMirror mirror;
        mirror.windowCount = c.windowCount;
        for (WindowRecord& w : mirror.windows)
            w.priority = 0;
        for (int i = 0; i < 4; ++i)
            mirror.windows[static_cast<std::size_t>(i)].priority =
                c.before[static_cast<std::size_t>(i)];
        EXPECT_EQ(renumberPriorities(mirror), c.front);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(mirror.windows[static_cast<std::size_t>(i)].priority,
                      c.after[static_cast<std::size_t>(i)])
                << "window " << i + 1;
    }
}

} // namespace
} // namespace kivo::test
