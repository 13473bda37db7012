// The replies read the way the panel reads them: keywords, fixed columns and number
// scanning, not whole-text comparisons.
#include "tests/sim/DeviceDriver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

namespace kivo::sim::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

std::string lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The integers of a text from a position on, as a panel's number scan finds them.
std::vector<int> numbersFrom(const std::string& text, std::size_t pos = 0)
{
    std::vector<int> numbers;
    while (pos < text.size()) {
        const bool negative = text[pos] == '-' && pos + 1 < text.size() &&
                              std::isdigit(static_cast<unsigned char>(text[pos + 1]));
        if (negative || std::isdigit(static_cast<unsigned char>(text[pos]))) {
            char* end = nullptr;
            numbers.push_back(static_cast<int>(std::strtol(text.c_str() + pos, &end, 10)));
            pos = static_cast<std::size_t>(end - text.c_str());
            if (pos < text.size() && text[pos] == '.')
                while (++pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
                }
        } else {
            ++pos;
        }
    }
    return numbers;
}

// The window types in "id", in order: the earlier of "comp" and "rgb" each time.
std::vector<std::string> windowTypes(std::string reply)
{
    reply = lower(reply);
    std::vector<std::string> types;
    for (;;) {
        const std::size_t comp = reply.find("comp");
        const std::size_t rgb = reply.find("rgb");
        if (comp == std::string::npos && rgb == std::string::npos)
            return types;
        const std::size_t at = std::min(comp, rgb);
        types.emplace_back(at == comp ? "comp" : "rgb");
        reply.erase(0, at + 2);
    }
}

class IdTest : public ::testing::TestWithParam<int> {};

TEST_P(IdTest, NamesEveryWindowTypeOnceInOrder)
{
    DeviceDriver driver(QuadrixOptions{.windowCount = GetParam()});
    const std::vector<std::string> types = windowTypes(driver.ask("id"));
    ASSERT_EQ(static_cast<int>(types.size()), GetParam());
    for (int n = 1; n <= GetParam(); ++n)
        EXPECT_EQ(types[static_cast<std::size_t>(n - 1)],
                  driver.device.state().windows[n - 1].rgb ? "rgb" : "comp");
    EXPECT_NE(std::count(types.begin(), types.end(), "rgb"), 0) << "inputs are mixed";
    EXPECT_NE(std::count(types.begin(), types.end(), "comp"), 0) << "inputs are mixed";
}

INSTANTIATE_TEST_SUITE_P(WindowCounts, IdTest, ::testing::Values(2, 4, 6, 8, 10));

TEST(WinAllTest, EachLetterOBeforeNMeansOn)
{
    DeviceDriver driver;
    driver.ask("win 2 off");
    driver.ask("win 10 off");
    const std::string reply = lower(driver.ask("win all"));
    std::vector<bool> on;
    for (std::size_t pos = reply.find('o'); pos != std::string::npos;
         pos = reply.find('o', pos + 1))
        on.push_back(pos + 1 < reply.size() && reply[pos + 1] == 'n');
    EXPECT_EQ(on,
              (std::vector<bool>{true, false, true, true, true, true, true, true, true, false}));
}

// After the header line holding "VPOL IL", 23 characters of label, then the values.
std::vector<int> statusValues(const std::string& reply)
{
    const std::size_t header = reply.find("VPOL IL");
    EXPECT_NE(header, std::string::npos);
    const std::size_t row = reply.find('\n', header) + 1 + 23;
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(reply.at(row))));
    std::vector<int> values = numbersFrom(reply.substr(0, reply.find('\n', row)), row);
    return values;
}

TEST(HostTest, StatusKeywordsAndValues)
{
    DeviceDriver driver;
    const std::string freeRun = lower(driver.ask("host"));
    EXPECT_THAT(freeRun, AllOf(HasSubstr("free"), Not(HasSubstr("acquire"))));
    EXPECT_EQ(statusValues(driver.ask("host")),
              (std::vector<int>{24, 136, 160, 1024, 3, 6, 29, 768, 48363, 4, 0, 0, 0}));
}

TEST(HostTest, AutosyncLocksOnTheReferenceAfterItsDelay)
{
    struct Case {
        int lockAfterMs;
        std::int64_t waitedMs;
        bool locked;
    };
    const std::vector<Case> cases{
        {3000, 0, false}, {3000, 2999, false}, {3000, 3000, true},
        {0, 0, true},     {-1, 100000, false},
    };
    for (const Case& c : cases) {
        std::int64_t now = 1000;
        QuadrixOptions options;
        options.reference.lockAfterMs = c.lockAfterMs;
        options.reference.nowMs = [&now] { return now; };
        DeviceDriver driver(std::move(options));
        driver.ask("host auto");
        now += c.waitedMs;
        const std::string status = lower(driver.ask("host"));
        EXPECT_THAT(status, Not(HasSubstr("free"))) << c.lockAfterMs << "/" << c.waitedMs;
        EXPECT_EQ(status.find("acquire") == std::string::npos, c.locked)
            << c.lockAfterMs << "/" << c.waitedMs;
        driver.ask("host free");
        EXPECT_THAT(lower(driver.ask("host")), Not(HasSubstr("acquire")));
    }
}

TEST(RgbTest, LockedAndUnlockedWindows)
{
    DeviceDriver driver;
    EXPECT_THAT(driver.ask("rgb 2"), Not(HasSubstr("acquire")));
    EXPECT_EQ(statusValues(driver.ask("rgb 10")),
              (std::vector<int>{48, 112, 248, 1280, 1, 3, 38, 1024, 63981, 4, 1, 1, 0}));
    EXPECT_THAT(driver.ask("rgb 8"), HasSubstr("acquire"));
}

struct ListCase {
    const char* query;
    int rows;
    int firstSetting;
};

class ListTest : public ::testing::TestWithParam<ListCase> {};

TEST_P(ListTest, RowsHaveTheNameColumnsAndEmptySettingsTheirNumberAlone)
{
    DeviceDriver driver(QuadrixOptions{.pageLines = 0});
    const std::string reply = driver.ask(GetParam().query);
    std::vector<std::string> lines;
    for (std::size_t pos = 0, end; (end = reply.find("\r\n", pos)) != std::string::npos;
         pos = end + 2)
        lines.push_back(reply.substr(pos, end - pos));
    ASSERT_EQ(static_cast<int>(lines.size()), GetParam().rows + 1);
    EXPECT_THAT(lines[0], Not(::testing::MatchesRegex("^[0-9].*")));
    int filled = 0;
    for (int n = 1; n <= GetParam().rows; ++n) {
        const std::string& line = lines[static_cast<std::size_t>(n)];
        EXPECT_EQ(numbersFrom(line).front(), n);
        if (line == std::to_string(n))
            continue;
        ++filled;
        ASSERT_GT(line.size(), 22u) << line;
        EXPECT_NE(line[4], ' ') << "the name starts in column 4: " << line;
        EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(line[22]))) << line;
        EXPECT_EQ(numbersFrom(line, 22).size(), 13u) << line;
        EXPECT_NE(line[0], '0');
    }
    EXPECT_GE(filled, GetParam().firstSetting);
    EXPECT_LT(filled, GetParam().rows) << "some settings are empty";
}

INSTANTIATE_TEST_SUITE_P(Lists, ListTest,
                         ::testing::Values(ListCase{"hlist 1 27", 27, 17},
                                           ListCase{"rgblist", 50, 3}));

TEST(InputSizeTest, VideoSizesAndRgbKeyword)
{
    DeviceDriver driver;
    EXPECT_THAT(driver.ask("mwsr 2"), HasSubstr("RGB"));
    const std::vector<int> numbers = numbersFrom(driver.ask("mwsr 3"));
    ASSERT_EQ(numbers.size(), 3u);
    EXPECT_EQ(numbers[0], 3);
    EXPECT_GE(numbers[1], 640);
    EXPECT_LE(numbers[1], 800);
    EXPECT_THAT(driver.ask("mwsr 3"), Not(HasSubstr("RGB")));
}

TEST(LevelTest, WindowNumberThenValue)
{
    DeviceDriver driver;
    driver.ask("bright 4 -37");
    EXPECT_EQ(numbersFrom(driver.ask("bright 4")), (std::vector<int>{4, -37}));
    driver.ask("gamma 4 0.5");
    EXPECT_THAT(driver.ask("gamma 4"), HasSubstr(": 0.5"));
}

TEST(LevelTest, OnlyTheStateWordSaysOn)
{
    DeviceDriver driver;
    for (const char* query : {"motion 3", "freeze 3", "ck", "echo"})
        EXPECT_THAT(lower(driver.ask(query)), Not(HasSubstr("on"))) << query;
    EXPECT_THAT(lower(driver.ask("input 3")), Not(HasSubstr("svideo")));
}

TEST(SerialTest, BaudIsTheFirstNumber)
{
    DeviceDriver driver;
    EXPECT_EQ(numbersFrom(driver.ask("baud")).front(), 9600);
}

TEST(ChromaTest, LimitsAreTheLastSixNumbers)
{
    DeviceDriver driver;
    EXPECT_EQ(numbersFrom(driver.ask("ckc")), (std::vector<int>{-270, 175, -270, 175, -270, 175}));
}

} // namespace
} // namespace kivo::sim::test
