#include "sim/OutgoingLine.h"

#include <gtest/gtest.h>

namespace kivo::sim {
namespace {

using Clock = OutgoingLine::Clock;
using std::chrono::milliseconds;

struct RateCase {
    const char* name;
    int baud;
    // Wake-ups come this much after the line asked for, as poll's whole milliseconds do.
    Clock::duration lateBy;
};

void PrintTo(const RateCase& c, std::ostream* out) { *out << c.name; }

class OutgoingLineRate : public ::testing::TestWithParam<RateCase> {};

// A second of a long answer, sent as the server sends it: whenever the line lets it.
TEST_P(OutgoingLineRate, CarriesATenthOfTheBaudRateEverySecond)
{
    OutgoingLine line;
    const Clock::time_point start{};
    Clock::time_point now = start;
    std::size_t sent = 0;
    while (now < start + milliseconds(1000)) {
        const std::size_t bytes = line.room(now, GetParam().baud);
        line.sent(bytes, now, GetParam().baud);
        sent += bytes;
        now = std::max(now, line.nextSend()) + GetParam().lateBy;
    }
    const double perSecond = GetParam().baud / 10.0;
    EXPECT_GE(static_cast<double>(sent), perSecond * 0.98);
    EXPECT_LE(static_cast<double>(sent), perSecond * 1.02 + perSecond / 500);
}

INSTANTIATE_TEST_SUITE_P(Cases, OutgoingLineRate,
                         ::testing::Values(RateCase{"slowLineOnTime", 9600, {}},
                                           RateCase{"slowLineLateWakeUps", 9600, milliseconds(1)},
                                           RateCase{"fastLineOnTime", 115200, {}},
                                           RateCase{"fastLineLateWakeUps", 115200,
                                                    milliseconds(1)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OutgoingLineTest, AnIdleLineSendsASliceAtOnce)
{
    OutgoingLine line;
    const Clock::time_point now = Clock::time_point{} + milliseconds(500);
    EXPECT_EQ(line.room(now, 115200), 23u); // 2 ms at 11520 bytes a second
    EXPECT_EQ(line.room(now, 300), 1u) << "never nothing";
    line.sent(23, now, 115200);
    EXPECT_LE(line.nextSend(), now);
}

} // namespace
} // namespace kivo::sim
