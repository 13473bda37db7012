#include "sim/SimLink.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <string>

namespace kivo::sim::test {
namespace {

using ::testing::EndsWith;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::StartsWith;

class SimLinkTest : public ::testing::Test {
protected:
    // Reads like the panel: 80 bytes at a time until a read returns nothing.
    std::string readAll()
    {
        std::string text;
        std::array<char, Link::maxReadSize> buffer{};
        long count = 0;
        while ((count = link.read(buffer)) > 0) {
            EXPECT_LE(count, static_cast<long>(buffer.size()));
            text.append(buffer.data(), static_cast<std::size_t>(count));
        }
        return text;
    }

    // A purge between the write and the reads: the device runs what it was sent at the first
    // read, so even a purge that comes after the write cannot take the answer.
    std::string exchange(const std::string& bytes)
    {
        EXPECT_EQ(link.write(bytes), static_cast<long>(bytes.size()));
        link.purgeReceive();
        return readAll();
    }

    SimLink link{QuadrixOptions{.pageLines = 20}};
};

TEST_F(SimLinkTest, PurgeAfterWriteKeepsTheAnswer)
{
    EXPECT_EQ(exchange("baud\n"), "baud\r\nBaud rate: 9600\r\n> ");
}

TEST_F(SimLinkTest, PurgeDropsAnAnswerNotYetRead)
{
    link.write("echo off\n");
    std::array<char, 4> small{};
    EXPECT_EQ(link.read(small), 4);
    link.purgeReceive();
    EXPECT_EQ(link.read(small), 0);
}

TEST_F(SimLinkTest, NothingPendingReadsZero)
{
    std::array<char, Link::maxReadSize> buffer{};
    EXPECT_EQ(link.read(buffer), 0);
}

TEST_F(SimLinkTest, LongAnswersComeInChunksAndPages)
{
    exchange("echo off\n");
    const std::string first = exchange("hlist 1 27\n");
    EXPECT_GT(first.size(), Link::maxReadSize);
    EXPECT_THAT(first, EndsWith("----- MORE -----"));
    const std::string second = exchange("\n");
    EXPECT_THAT(second, StartsWith("20  XGA 60Hz"));
    EXPECT_THAT(second, EndsWith("\r\n> "));
}

TEST_F(SimLinkTest, ClosedLinkFails)
{
    link.close();
    std::array<char, Link::maxReadSize> buffer{};
    EXPECT_EQ(link.write("id\n"), -1);
    EXPECT_THAT(link.errorText(), Not(IsEmpty()));
    EXPECT_EQ(link.read(buffer), -1);
    EXPECT_THAT(link.errorText(), Not(IsEmpty()));
}

} // namespace
} // namespace kivo::sim::test
