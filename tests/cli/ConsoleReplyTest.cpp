#include "cli/ConsoleReply.h"

#include <gtest/gtest.h>

namespace kivo::cli {
namespace {

struct OneLineCase {
    const char* name;
    std::string message;
    std::string line;
};

void PrintTo(const OneLineCase& c, std::ostream* out) { *out << c.name; }

class OneLineTest : public ::testing::TestWithParam<OneLineCase> {};

TEST_P(OneLineTest, PutsAMessageOnOneLineOfStderr)
{
    EXPECT_EQ(oneLine(GetParam().message), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, OneLineTest,
    ::testing::Values(OneLineCase{"refusalWithItsPrompt", "Error: busy\r\n> ", "Error: busy"},
                      OneLineCase{"displayLineBreaks", "Error: setting 3 is empty\r\r\n> ",
                                  "Error: setting 3 is empty"},
                      OneLineCase{"paragraphs",
                                  " Kivo monitoring has timed out! \n\nThe Kivo will now reset.",
                                  "Kivo monitoring has timed out! The Kivo will now reset."},
                      OneLineCase{"oneLineAlready", "Couldn't write output timing 1 to ini file",
                                  "Couldn't write output timing 1 to ini file"},
                      OneLineCase{"aPromptInsideALineStays", "use > 2", "use > 2"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kivo::cli
