#include "cli/CliArguments.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kivo::cli {
namespace {

using ::testing::HasSubstr;

struct SerialCase {
    const char* name;
    std::vector<std::string> words;
    SerialRequest request; // when error is empty
    std::string error;     // a part of the one error line
};

void PrintTo(const SerialCase& c, std::ostream* out) { *out << c.name; }

class ReadSerialRequest : public ::testing::TestWithParam<SerialCase> {};

TEST_P(ReadSerialRequest, ReadsTheRequestOrSaysWhatIsWrongInOneLine)
{
    const ParsedArguments parsed = parseArguments(GetParam().words);
    if (GetParam().error.empty()) {
        ASSERT_EQ(parsed.error, "");
        EXPECT_EQ(parsed.arguments.serial, GetParam().request);
    } else {
        EXPECT_THAT(parsed.error, HasSubstr(GetParam().error));
        EXPECT_EQ(parsed.error.find('\n'), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadSerialRequest,
    ::testing::Values(
        SerialCase{"baud", {"baud", "115200"}, {.baud = 115200}, ""},
        SerialCase{"baudNotARate", {"baud", "14400"}, {}, "not \"14400\""},
        SerialCase{"baudNotANumber", {"baud", "fast"}, {}, "not \"fast\""},
        SerialCase{"baudAlone", {"baud"}, {}, "baud takes one of"},
        SerialCase{"factoryReset", {"factory-reset", "--yes"}, {.confirmed = true}, ""},
        SerialCase{"factoryResetUnconfirmed", {"factory-reset"}, {}, "give --yes to do it"},
        SerialCase{"factoryResetOtherWord", {"factory-reset", "-y"}, {}, "only --yes"},
        SerialCase{"lock", {"frontpanel", "lock"}, {.lockFrontPanel = true}, ""},
        SerialCase{"unlock", {"frontpanel", "unlock"}, {}, ""},
        SerialCase{"frontPanelOff", {"frontpanel", "off"}, {}, "lock or unlock"},
        SerialCase{"findRate", {"find-rate"}, {}, ""},
        SerialCase{"findRateWithARate", {"find-rate", "9600"}, {}, "takes no operands"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kivo::cli
