#include "tests/support/PanelFixture.h"

#include "core/base/Strings.h"
#include "core/timing/TimingList.h"
#include "core/timing/TimingListCache.h"
#include "core/timing/TimingListLoader.h"
#include "core/timing/TimingText.h"

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

class CacheRoundTrip : public TimingListTest,
                       public ::testing::WithParamInterface<TimingList::Kind> {};

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

struct StaleKeyCase {
    const char* name;
    TimingList::Kind kind;
    // What comes after setting 1's row and setting 2 listed as its number alone.
    std::string end;
    bool forgotten;
};

void PrintTo(const StaleKeyCase& c, std::ostream* out) { *out << c.name; }

class StaleCacheKey : public TimingListTest, public ::testing::WithParamInterface<StaleKeyCase> {};

// Setting 2 is cached but the device lists it as empty: a list read to the device's prompt
// says so for certain, a list cut short or noisy after it does not.
TEST_P(StaleCacheKey, GoesWhenTheWholeListSaysTheDeviceHasNoSuchSetting)
{
    const StaleKeyCase& c = GetParam();
    const bool outputs = c.kind == TimingList::Kind::output;
    const char* section = outputs ? "OUTPUTLIST" : "INPUTLIST";
    const std::string stale =
        "STUDIO            16  96  48  640  10  2  33  480  31469 3  0  0  0 12 80 1.4";
    profile.writeString(section, "2", stale);
    TimingList& list = outputs ? output : input;
    link->queue(std::string(outputs ? "hlist 1 27" : "rgblist") + "\r\n" + vgaRow + "2\r\n" +
                c.end);
    link->queue({});
    EXPECT_TRUE(outputs ? loader.loadOutputList(list) : loader.loadInputList(list));
    EXPECT_EQ(profile.readString(section, "2"), c.forgotten ? "" : stale);
    if (c.forgotten) {
        EXPECT_EQ(list.slots[1].HACT, 0);
        EXPECT_EQ(list.rows[1], placeholderRow(2));
    }
    EXPECT_EQ(list.rows[0], list.slots[0].rowText) << "the setting it holds stays";
}

INSTANTIATE_TEST_SUITE_P(
    Lists, StaleCacheKey,
    ::testing::Values(StaleKeyCase{"outputWhole", TimingList::Kind::output, "3\r\n> ", true},
                      StaleKeyCase{"inputWhole", TimingList::Kind::input, "3\r\n> ", true},
                      StaleKeyCase{"outputCut", TimingList::Kind::output, "3   XG", false},
                      StaleKeyCase{"inputCut", TimingList::Kind::input, "3   XG", false},
                      StaleKeyCase{"outputNoisy", TimingList::Kind::output, "\xc1\xd7", false}),
    [](const auto& info) { return std::string(info.param.name); });

// A hand-edited cache never gives the device a level it refuses.
TEST_F(TimingListTest, CachedPictureLevelsAreHeldWithinWhatTheDeviceTakes)
{
    struct LevelsCase {
        std::string levels;
        int brightness;
        int contrast;
        double gamma;
    };
    const std::vector<LevelsCase> cases{
        {"12 80 1.4", 12, 80, 1.4},
        {"-9000 900 7.5", -500, 182, 2.0},
        {"501 -1 0.1", 500, 0, 0.5},
        {"", 0, 100, 1.0},
        {"99999999999999999999 4 inf", 500, 4, 1.0},
    };
    for (const LevelsCase& c : cases) {
        profile.writeString("INPUTLIST", "1",
                            "OLD               16  96  48  640  10  2  33  480  31469 3  0  0  0 " +
                                c.levels);
        TimingList list(TimingList::Kind::input);
        list.fromDevice = false;
        loader.loadInputList(list);
        EXPECT_EQ(list.slots[0].brightness, c.brightness) << c.levels;
        EXPECT_EQ(list.slots[0].contrast, c.contrast) << c.levels;
        EXPECT_DOUBLE_EQ(list.slots[0].gamma, c.gamma) << c.levels;
    }
}

// Every field the cache keeps, SYNC 0 among them.
TimingRecord cachedTiming(const std::string& name, int sync)
{
    TimingRecord t;
    t.NAME = name + std::string(18 - name.size(), ' ');
    t.HFP = 16, t.HS = 96, t.HBP = 48, t.HACT = 640, t.VFP = 10, t.VS = 2, t.VBP = 33;
    t.VACT = 480, t.HFREQ = 31469, t.SYNC = sync, t.HPOL = 1, t.VPOL = 1, t.IL = 0;
    t.brightness = 12, t.contrast = 80, t.gamma = 1.4;
    return t;
}

void expectSameTiming(const TimingRecord& a, const TimingRecord& b, bool withLevels)
{
    EXPECT_EQ(a.NAME, b.NAME);
    const std::vector<int> numbersA{a.HFP,  a.HS,    a.HBP,  a.HACT, a.VFP,  a.VS, a.VBP,
                                    a.VACT, a.HFREQ, a.SYNC, a.HPOL, a.VPOL, a.IL};
    const std::vector<int> numbersB{b.HFP,  b.HS,    b.HBP,  b.HACT, b.VFP,  b.VS, b.VBP,
                                    b.VACT, b.HFREQ, b.SYNC, b.HPOL, b.VPOL, b.IL};
    EXPECT_EQ(numbersA, numbersB) << a.NAME;
    if (withLevels) {
        EXPECT_EQ(a.brightness, b.brightness);
        EXPECT_EQ(a.contrast, b.contrast);
        EXPECT_DOUBLE_EQ(a.gamma, b.gamma);
    }
}

// What the cache writes, it reads back unchanged, however many starts it goes through.
TEST_P(CacheRoundTrip, EveryFieldComesBackAsWritten)
{
    const TimingList::Kind kind = GetParam();
    const bool input = kind == TimingList::Kind::input;
    TimingList written(kind);
    written.slots[0] = cachedTiming("No sync wires", 0);
    written.slots[1] = cachedTiming("Four wires", 4);
    cache.save(written);
    for (int start = 1; start <= 3; ++start) {
        TimingList read(kind);
        cache.read(read);
        for (std::size_t slot : {0u, 1u})
            expectSameTiming(read.slots[slot], written.slots[slot], input);
        cache.save(read);
    }
}

INSTANTIATE_TEST_SUITE_P(Lists, CacheRoundTrip,
                         ::testing::Values(TimingList::Kind::output, TimingList::Kind::input),
                         [](const auto& info) {
                             return std::string(info.param == TimingList::Kind::output ? "output"
                                                                                       : "input");
                         });

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

// Each title stands over the first figure of its column in a row.
TEST(TimingListHeader, TitlesStandOverTheirFigures)
{
    TimingRecord t;
    t.NAME = "XGA";
    t.HFP = 111;
    t.HS = 222;
    t.HBP = 333;
    t.HACT = 4444;
    t.VFP = 555;
    t.VACT = 7777;
    t.HFREQ = 88888;
    const std::string header = timingListHeader();
    const std::string row = formatRowText(12, t);
    for (const auto& [title, figure] :
         std::vector<std::pair<std::string, std::string>>{{"NAME", "XGA"},
                                                          {"HFP", "111"},
                                                          {"HS", "222"},
                                                          {"HBP", "333"},
                                                          {"HACT", "4444"},
                                                          {"VFP", "555"},
                                                          {"VACT", "7777"},
                                                          {"HFREQ", "88888"}})
        EXPECT_EQ(header.find(" " + title + " ") + 1, row.find(figure)) << title;
}

} // namespace
} // namespace kivo::test
