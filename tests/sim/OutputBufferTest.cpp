// The buffer quadrix-sim writes its answers from: order kept, and draining in small writes
// costs in proportion to the bytes.
#include "sim/OutputBuffer.h"

#include <gtest/gtest.h>

#include <string>

namespace kivo::sim::test {
namespace {

// Appends `count` numbered bytes to both the buffer and the reference.
void feed(OutputBuffer& buffer, std::string& expected, std::size_t count)
{
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i)
        bytes += static_cast<char>('a' + (expected.size() + i) % 26);
    buffer.append(bytes);
    expected += bytes;
}

TEST(OutputBufferTest, WritesInOrderAcrossAppendsAndPartialWrites)
{
    OutputBuffer buffer;
    std::string expected;
    // Writes of every size up to past what is pending, with appends in between.
    for (std::size_t step = 1; step < 200; ++step) {
        feed(buffer, expected, step % 37);
        const std::size_t count = step % 11;
        buffer.consume(count);
        expected.erase(0, std::min(count, expected.size()));
        ASSERT_EQ(buffer.pending(), expected) << "after step " << step;
        ASSERT_EQ(buffer.size(), expected.size());
    }
    buffer.consume(buffer.size() + 5);
    EXPECT_TRUE(buffer.empty());
    EXPECT_EQ(buffer.pending(), "");
}

TEST(OutputBufferTest, DrainingInSmallWritesMovesEachByteAtMostOnce)
{
    OutputBuffer buffer;
    std::string expected;
    std::size_t appended = 0;
    // A large backlog written a few bytes at a time, as a slow line takes it, while the
    // device keeps adding answers.
    feed(buffer, expected, 256 * 1024);
    appended += 256 * 1024;
    for (int write = 0; !buffer.empty(); ++write) {
        if (write % 100 == 0 && appended < 512 * 1024) {
            feed(buffer, expected, 300);
            appended += 300;
        }
        buffer.consume(7);
    }
    EXPECT_LE(buffer.moved(), appended);
}

TEST(OutputBufferTest, ClearDropsEverything)
{
    OutputBuffer buffer;
    buffer.append("answer");
    buffer.consume(2);
    buffer.clear();
    EXPECT_TRUE(buffer.empty());
    buffer.append("next");
    EXPECT_EQ(buffer.pending(), "next");
}

} // namespace
} // namespace kivo::sim::test
