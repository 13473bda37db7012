#include "tests/support/TempDir.h"

#include "core/base/CNumbers.h"
#include "core/base/Strings.h"
#include "core/base/Text.h"
#include "core/link/TrafficTrace.h"
#include "core/protocol/NumberScan.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <functional>
#include <optional>

namespace kivo::test {
namespace {

using ::testing::HasSubstr;

// A desktop language that writes 1,5 for 1.5, set for the C library as a Qt program sets it.
class CommaLocale : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
            << "the de_DE.UTF-8 locale is missing: scripts/install-deps generates it";
        char text[8];
        std::snprintf(text, sizeof text, "%.1f", 1.5);
        ASSERT_STREQ(text, "1,5") << "the locale must write a comma for this test to mean much";
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

// Each way the core writes a real number, with the text it must hold.
struct WrittenCase {
    const char* name;
    std::function<std::string()> write;
    const char* expected;
};

TEST_F(CommaLocale, NumbersAreWrittenWithAPoint)
{
    const TempDir dir;
    const std::vector<WrittenCase> cases = {
        {"command template", [] { return formatString(StringId::gammaCommand, 1, 1.5); },
         "gamma 1 1.5"},
        {"range message", [] { return formatString(StringId::realRange, 0.5, 2.0); },
         " 0.50 to 2.00,"},
        {"ini cache row",
         [] {
             return formatString(StringId::inputCacheFormat, "N", 1, 2, 3, 640, 4, 5, 6, 480, 31469,
                                 3, 0, 0, 0, 0, 100, 1.5);
         },
         " 0 100 1.5"},
        {"fixed", [] { return formatFixed(497.625, 3); }, "497.625"},
        {"printf", [] { return formatPrintf("%.6g|%5.1f", 0.25, 3.14159); }, "0.25|  3.1"},
        {"trace time",
         [&dir] {
             TrafficTrace trace;
             std::string error;
             trace.start(dir.file("trace.txt").string(), error);
             trace.record(TrafficTrace::Direction::toDevice, "id\n");
             trace.stop();
             // A fresh trace is milliseconds old: its digits are masked.
             std::string line = dir.read("trace.txt");
             std::replace_if(line.begin(), line.end(), isDigit, '9');
             return line;
         },
         "9.999 > id"},
    };
    for (const WrittenCase& c : cases)
        EXPECT_THAT(c.write(), HasSubstr(c.expected)) << c.name;
}

TEST_F(CommaLocale, NumbersAreReadWithAPoint)
{
    const struct {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"1.5", 1.5},
        {"  -0.5x", -0.5},
        {"+2", 2.0},
        {".25", 0.25},
        {"1,5", 1.0},
        {"1e2", 100.0},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {"--1", std::nullopt},
        {"-+1", std::nullopt},
        {"1e999", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(leadingReal(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(realAt("Window 1 gamma: 1.5\r\n", 16), 1.5);
}

} // namespace
} // namespace kivo::test
