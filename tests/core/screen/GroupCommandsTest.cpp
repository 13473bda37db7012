#include "core/screen/GroupCommands.h"
#include "core/mirror/DeviceMirror.h"

#include <gtest/gtest.h>

namespace kivo::test {
namespace {

// Four windows; 2 and 4 on, 4 in front.
DeviceMirror twoOfFour(double firmware = 3.1)
{
    DeviceMirror mirror;
    mirror.windowCount = 4;
    mirror.priorityListLength = 4;
    mirror.firmwareRevision = firmware;
    for (WindowRecord& w : mirror.windows)
        w.priority = 0;
    mirror.window(4).priority = 1;
    mirror.window(2).priority = 2;
    return mirror;
}

TEST(GroupCommands, ListOnOffInWindowOrderAndTheStackFrontFirst)
{
    const DeviceMirror mirror = twoOfFour();
    EXPECT_EQ(allStateLine(mirror, 4, "off"), "win all off off off off");
    EXPECT_EQ(allOnOffLine(mirror, 4), "win all off on off on");
    EXPECT_EQ(priorityAllLine(mirror, 4), "priority all 4 2 1 3");
    EXPECT_EQ(switchLine(mirror, 3, true), "win 3 on");
}

TEST(GroupCommands, OlderFirmwareCallsWindowsChannels)
{
    const DeviceMirror mirror = twoOfFour(2.9);
    EXPECT_EQ(allOnOffLine(mirror, 4), "channel all off on off on");
    EXPECT_EQ(switchLine(mirror, 3, false), "channel 3 off");
    EXPECT_EQ(priorityAllLine(mirror, 4), "priority all 4 2 1 3");
}

TEST(GroupCommands, PriorityListFollowsTheDevicesListLength)
{
    DeviceMirror mirror = twoOfFour();
    mirror.priorityListLength = 10;
    EXPECT_EQ(priorityAllLine(mirror, 4), "priority all 4 2 1 3 5 6 7 8 9 10");
    for (WindowRecord& w : mirror.windows)
        w.priority = 0;
    mirror.priorityListLength = 4;
    EXPECT_EQ(priorityAllLine(mirror, 4), "priority all 1 2 3 4");
}

TEST(GroupCommands, CountsWithoutALineSendNothing)
{
    DeviceMirror mirror = twoOfFour();
    for (unsigned count : {0u, 1u, 3u, 11u}) {
        EXPECT_EQ(allStateLine(mirror, count, "off"), std::nullopt) << count;
        EXPECT_EQ(allOnOffLine(mirror, count), std::nullopt) << count;
        EXPECT_EQ(priorityAllLine(mirror, count), std::nullopt) << count;
    }
    mirror.priorityListLength = 7;
    EXPECT_EQ(priorityAllLine(mirror, 4), std::nullopt);
}

} // namespace
} // namespace kivo::test
