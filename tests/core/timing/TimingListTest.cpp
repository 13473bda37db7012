#include "tests/support/PanelFixture.h"

#include "core/app/Strings.h"
#include "core/timing/TimingList.h"
#include "core/timing/TimingListCache.h"
#include "core/timing/TimingListLoader.h"

#include <gmock/gmock.h>

namespace kivo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string vgaRow =
    "1   VGA 640x480       16  96  48  640  10  2  33  480  31469 3  0  0  0\r\n";

class TimingListTest : public PanelFixture {
protected:
    TimingListCache cache{profile, prompter};
    TimingListLoader loader{channel, cache, prompter};
    TimingList output{TimingList::Kind::output};
    TimingList input{TimingList::Kind::input};
};

TEST_F(TimingListTest, OutputListFromTheDeviceShowsRowsOverPlaceholdersAndCachesThem)
{
    link->queue("hlist 1 27\r\n" + vgaRow + "2\r\n> ");
    loader.loadOutputList(output);
    EXPECT_THAT(wire(), ElementsAre("hlist 1 27\n"));
    ASSERT_EQ(output.rows.size(), 27u);
    EXPECT_EQ(output.rows[0], output.slots[0].rowText);
    EXPECT_EQ(output.rows[1], "2   ---");
    EXPECT_EQ(output.selection, -1);
    EXPECT_EQ(profile.readString("OUTPUTLIST", "1"),
              "VGA 640x480       16  96  48  640  10  2  33  480  31469 3  0  0  0");
    EXPECT_EQ(profile.readString("OUTPUTLIST", "2"), "");
}

TEST_F(TimingListTest, EmptyReplyNamesTheCommandAndKeepsAllPlaceholders)
{
    link->queueSilence(20);
    loader.loadOutputList(output);
    EXPECT_THAT(prompter.texts,
                ElementsAre("Error: The Quadrix sent no response, or an incomplete response, to "
                            "the command [hlist 1 27]. The Quadrix sent []."));
    ASSERT_EQ(output.rows.size(), 28u);
    EXPECT_EQ(output.rows.front(), "0   ---");
    EXPECT_EQ(output.rows.back(), "27  ---");
}

TEST_F(TimingListTest, OutputListFromTheCacheShowsExactlyTheTenUserSettings)
{
    profile.writeString("OUTPUTLIST", "3",
                        "MINE              16  96  48  640  10  2  33  480  31469 3  0  0  0");
    output.fromDevice = false;
    loader.loadOutputList(output);
    EXPECT_THAT(wire(), IsEmpty());
    ASSERT_EQ(output.rows.size(), 10u);
    EXPECT_EQ(output.rows[2].substr(0, 8), "3   MINE");
    EXPECT_EQ(output.slots[2].HACT, 640);
}

TEST_F(TimingListTest, UnconnectedOutputListShowsPlaceholdersSilently)
{
    app.serialHandle.reset();
    loader.loadOutputList(output);
    EXPECT_THAT(prompter.texts, IsEmpty());
    EXPECT_EQ(output.rows.size(), 27u);
}

TEST_F(TimingListTest, UnconnectedInputListStillAsksAndReports)
{
    app.serialHandle.reset();
    loader.loadInputList(input);
    ASSERT_EQ(prompter.texts.size(), 1u);
    EXPECT_THAT(prompter.texts[0], ::testing::HasSubstr("[rgblist]"));
    EXPECT_EQ(input.rows.size(), 50u);
}

TEST_F(TimingListTest, InputListKeepsPictureLevelsFromTheCache)
{
    profile.writeString(
        "INPUTLIST", "1",
        "OLD               16  96  48  640  10  2  33  480  31469 3  0  0  0 12 80 1.4");
    link->queue("rgblist\r\n" + vgaRow + "> ");
    loader.loadInputList(input);
    EXPECT_EQ(input.slots[0].NAME, "VGA 640x480       ");
    EXPECT_EQ(input.slots[0].brightness, 12);
    EXPECT_EQ(input.slots[0].contrast, 80);
    EXPECT_DOUBLE_EQ(input.slots[0].gamma, 1.4);
    EXPECT_EQ(input.rows[0], input.slots[0].rowText);
    EXPECT_EQ(profile.readString("INPUTLIST", "1"),
              "VGA 640x480       16  96  48  640  10  2  33  480  31469 3  0  0  0 12 80 1.4");
}

struct ThresholdCase {
    const char* name;
    TimingList::Kind kind;
    std::string value;
    bool used;
};

class CacheThreshold : public PanelFixture, public ::testing::WithParamInterface<ThresholdCase> {};

TEST_P(CacheThreshold, RowWithTooFewRealValuesIsNeitherReadNorWritten)
{
    TimingListCache cache(profile, prompter);
    const bool output = GetParam().kind == TimingList::Kind::output;
    const char* section = output ? "OUTPUTLIST" : "INPUTLIST";
    profile.writeString(section, "1", GetParam().value);
    TimingList list(GetParam().kind);
    cache.read(list);
    EXPECT_EQ(!list.slots[0].rowText.empty(), GetParam().used);

    profile.writeString(section, "1", "untouched");
    cache.save(list);
    EXPECT_EQ(profile.readString(section, "1") != "untouched", GetParam().used);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CacheThreshold,
    ::testing::Values(
        ThresholdCase{"outputOneValue", TimingList::Kind::output,
                      "X                 0   0   0   640  0   0  0   0    0     0  0  0  0", false},
        ThresholdCase{"outputTwoValues", TimingList::Kind::output,
                      "X                 0   0   0   640  0   0  0   480  0     0  0  0  0", true},
        ThresholdCase{
            "inputFourValues", TimingList::Kind::input,
            "X                 0   0   0   640  0   0  0   480  31000 3  0  0  0 0 50 1.0", false},
        ThresholdCase{
            "inputFiveValues", TimingList::Kind::input,
            "X                 16  0   0   640  0   0  0   480  31000 3  0  0  0 0 50 1.0", true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kivo::test
