#include "tests/support/TempDir.h"

#include "core/mirror/UserArrangement.h"
#include "core/settings/Profile.h"

#include <gtest/gtest.h>

namespace kivo::test {
namespace {

class UserArrangementIni : public ::testing::Test {
protected:
    TempDir dir;
    Profile profile{dir.file("Kivo.ini")};
};

TEST_F(UserArrangementIni, WrittenArrangementsReadBack)
{
    UserArrangement stored;
    stored.rects[0] = {11, 19, 188, 144};
    stored.rects[1] = {-5, 0, 50, 40};
    stored.priorities = {2, 1};
    stored.description = "Studio";
    ASSERT_TRUE(stored.write(profile, 3, 2));
    ASSERT_TRUE(stored.writeName(profile, 3));
    EXPECT_EQ(profile.readString("CUSTOM3", "r2"), "-5 0 50 40");

    UserArrangement read;
    read.read(profile, 3, 2);
    EXPECT_TRUE(read.set);
    EXPECT_EQ(read.rects, stored.rects);
    EXPECT_EQ(read.priorities, stored.priorities);
    EXPECT_EQ(read.description, "Studio");
}

TEST_F(UserArrangementIni, HandEditedValuesAreMadeHarmless)
{
    profile.writeStrings("CUSTOM1", {{"Set", "1"},
                                     {"r1", "99999999999 -99999999999 3"},
                                     {"p1", "-4"},
                                     {"r2", "1 2 3 4"},
                                     {"p2", "11"}});
    UserArrangement read;
    read.rects[0].bottom = 77;
    read.read(profile, 1, 2);
    // Far off the canvas but safe to add to; a missing number keeps what was there.
    EXPECT_EQ(read.rects[0], (Rect{65536, -65536, 3, 77}));
    EXPECT_EQ(read.priorities[0], 0);
    EXPECT_EQ(read.priorities[1], 0);
}

} // namespace
} // namespace kivo::test
