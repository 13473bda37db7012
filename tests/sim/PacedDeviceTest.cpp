// quadrix-sim's timing on a made-up clock: when a command reaches the device and when its
// answer leaves, exactly, without waiting.
#include "sim/PacedDevice.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <string>
#include <vector>

namespace kivo::sim::test {
namespace {

using namespace std::chrono_literals;
using Clock = PacedDevice::Clock;

// Ten bits a byte: 1/120 s at 1200 baud, 1/11520 s at 115200.
constexpr Clock::duration byte1200 = 8'333'333ns;
constexpr Clock::duration byte115200 = 86'805ns;

const Clock::time_point start = Clock::now();

struct Timed {
    Clock::duration at;
    std::string bytes;

    bool operator==(const Timed&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Timed& t)
    {
        return out << std::chrono::nanoseconds(t.at).count() << "ns \"" << t.bytes << "\"";
    }
};

// Receives each chunk at its moment and steps the clock to every moment the device says it
// has work; returns what it sent, and when.
std::vector<Timed> play(PacedDevice& paced, const std::vector<Timed>& received)
{
    std::vector<Timed> sent;
    std::size_t next = 0;
    for (int step = 0; step < 1000; ++step) {
        const std::optional<Clock::time_point> due = paced.nextDue();
        Clock::time_point now;
        if (next < received.size() && (!due || start + received[next].at <= *due)) {
            now = start + received[next].at;
            paced.receive(received[next++].bytes, now);
        } else if (due) {
            now = *due;
        } else {
            break;
        }
        if (std::string out = paced.advance(now); !out.empty())
            sent.push_back({now - start, std::move(out)});
    }
    return sent;
}

struct TimingCase {
    const char* name;
    // 0: no --baud, the line is not paced (and the device says 9600).
    int baud;
    std::chrono::milliseconds latency;
    std::vector<Timed> received;
    std::vector<Timed> sent;
    // Without a baud: the rate the line is unpaced at until "baud r" moves the device off it.
    int unpacedBaud = 0;

    friend void PrintTo(const TimingCase& c, std::ostream* out) { *out << c.name; }
};

class PacedDeviceTest : public ::testing::TestWithParam<TimingCase> {};

TEST_P(PacedDeviceTest, AnswersLeaveAtTheirMoment)
{
    const TimingCase& c = GetParam();
    QuadrixDevice device(QuadrixOptions{.baud = c.baud != 0 ? c.baud : 9600});
    PacedDevice paced(device, {c.baud != 0, c.latency, c.unpacedBaud});
    EXPECT_THAT(play(paced, c.received), ::testing::ElementsAreArray(c.sent));
}

const char* const adjusting =
    "Adjusting output: h l k j move the picture, space switches image, q ends\r\n";

INSTANTIATE_TEST_SUITE_P(
    Timeline, PacedDeviceTest,
    ::testing::Values(
        TimingCase{"WithoutBaudAndLatencyAtOnce",
                   0,
                   0ms,
                   {{0ns, "baud\n"}},
                   {{0ns, "baud\r\nBaud rate: 9600\r\n> "}}},
        TimingCase{"LatencyHoldsTheAnswer",
                   0,
                   250ms,
                   {{0ns, "baud\n"}},
                   {{250ms, "baud\r\nBaud rate: 9600\r\n> "}}},
        TimingCase{"RunsWhenTheLineFeedHasCrossedTheLine",
                   1200,
                   0ms,
                   {{0ns, "baud\n"}},
                   {{4 * byte1200, "baud\r\nBaud rate: 1200\r\n> "}}},
        TimingCase{"LatencyCountsFromTheLineFeed",
                   1200,
                   100ms,
                   {{0ns, "baud\n"}},
                   {{4 * byte1200 + 100ms, "baud\r\nBaud rate: 1200\r\n> "}}},
        TimingCase{"ACommandWaitsForTheOneBeforeOnTheLine",
                   1200,
                   0ms,
                   {{0ns, "echo off\n"}, {1ms, "baud\n"}},
                   {{8 * byte1200, "echo off\r\n> "}, {13 * byte1200, "Baud rate: 1200\r\n> "}}},
        TimingCase{"AfterAQuietLineBytesCountFromTheirReceipt",
                   1200,
                   0ms,
                   {{0ns, "ba"}, {1s, "ud\n"}},
                   {{1s + 2 * byte1200, "baud\r\nBaud rate: 1200\r\n> "}}},
        TimingCase{"ANewRateHoldsForTheNextByte",
                   1200,
                   0ms,
                   {{0ns, "baud 115200\nbaud\n"}},
                   {{11 * byte1200, "baud 115200\r\n> "},
                    {11 * byte1200 + 5 * byte115200, "baud\r\nBaud rate: 115200\r\n> "}}},
        TimingCase{"WithoutBaudAToldRateHoldsTheLine",
                   0,
                   0ms,
                   {{0ns, "baud 1200\nbaud\n"}},
                   {{0ns, "baud 1200\r\n> "}, {5 * byte1200, "baud\r\nBaud rate: 1200\r\n> "}},
                   9600},
        TimingCase{"WithoutBaudTheFirstRateToldAgainLeavesTheLineFree",
                   0,
                   0ms,
                   {{0ns, "baud 9600\nbaud\n"}},
                   {{0ns, "baud 9600\r\n> baud\r\nBaud rate: 9600\r\n> "}},
                   9600},
        TimingCase{"EveryKeyIsTimedOnItsOwn",
                   1200,
                   20ms,
                   {{0ns, "hi\n"}, {1s, "lq"}},
                   {{2 * byte1200 + 20ms, std::string("hi\r\n") + adjusting},
                    {1s + 20ms, "HFP 23 HBP 161 HACT 1024 VFP 3 VBP 29 VACT 768\r\n"},
                    {1s + byte1200 + 20ms, "Adjustment done\r\n> "}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PacedDeviceLogTest, TheCommandIsTakenWhenItArrivesNotWhenItIsAnswered)
{
    QuadrixDevice device(QuadrixOptions{.baud = 1200});
    PacedDevice paced(device, {true, 100ms});
    std::vector<std::string> taken;
    device.setCommandObserver([&taken](std::string_view bytes) { taken.emplace_back(bytes); });
    paced.receive("baud\n", start);

    EXPECT_EQ(paced.advance(start + 4 * byte1200 - 1ns), "");
    EXPECT_THAT(taken, ::testing::IsEmpty());
    EXPECT_EQ(paced.advance(start + 4 * byte1200), "");
    EXPECT_THAT(taken, ::testing::ElementsAre("baud\n"));
    EXPECT_EQ(paced.nextDue(), start + 4 * byte1200 + 100ms);
}

TEST(PacedDeviceOwnOutputTest, TheRestartQuestionLeavesWhenTheRestoreIsOver)
{
    Clock::time_point now = start;
    QuadrixOptions options;
    options.reference.nowMs = [&now] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(now - start).count();
    };
    QuadrixDevice device(options);
    PacedDevice paced(device, {false, 100ms});
    paced.receive("echo off\nrestorefactorydefaults\nyes\n", now);
    paced.advance(now);
    EXPECT_EQ(paced.nextDue(), start + 100ms);
    now = start + 100ms;
    paced.advance(now);
    EXPECT_EQ(paced.nextDue(), start + std::chrono::milliseconds(FactoryReset::restoreMs));

    now = start + std::chrono::milliseconds(FactoryReset::restoreMs);
    EXPECT_EQ(paced.advance(now), "Factory defaults restored. Restart now? (y/n) ");
    EXPECT_EQ(paced.nextDue(), std::nullopt);
}

TEST(PacedDeviceHangUpTest, CarriesOutWhatWasReceivedAndDropsTheAnswers)
{
    QuadrixDevice device(QuadrixOptions{.baud = 1200});
    PacedDevice paced(device, {true, 100ms});
    paced.receive("win 1 off\nwin 2 off\n", start);
    paced.advance(start + 3 * byte1200);
    paced.flush();

    EXPECT_FALSE(device.state().windows[0].on);
    EXPECT_FALSE(device.state().windows[1].on);
    EXPECT_EQ(paced.nextDue(), std::nullopt);
    EXPECT_EQ(paced.advance(start + 1h), "");
}

} // namespace
} // namespace kivo::sim::test
