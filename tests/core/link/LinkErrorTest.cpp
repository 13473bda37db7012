// The links over a descriptor say why a call failed: errno is long gone by the time the
// panel tells the operator.
#include "core/link/PseudoTerminalLink.h"
#include "core/link/TcpLink.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <array>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace kivo::test {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

// A link and the descriptor of its far end, which the test can take away.
struct Connection {
    std::unique_ptr<Link> link;
    int farEnd = -1;
    std::string error;
};

Connection overPseudoTerminal()
{
    Connection c;
    c.farEnd = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (c.farEnd < 0 || ::grantpt(c.farEnd) != 0 || ::unlockpt(c.farEnd) != 0) {
        c.error = "no pseudo-terminal";
        return c;
    }
    c.link =
        PseudoTerminalLink::open(::ptsname(c.farEnd), SerialSettings{}, ReadTimeouts{}, c.error);
    return c;
}

Connection overTcp()
{
    Connection c;
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    auto* generic = reinterpret_cast<sockaddr*>(&address);
    if (listener < 0 || ::bind(listener, generic, length) != 0 || ::listen(listener, 1) != 0 ||
        ::getsockname(listener, generic, &length) != 0) {
        c.error = "no listening socket";
    } else {
        c.link = TcpLink::open("tcp:127.0.0.1:" + std::to_string(ntohs(address.sin_port)),
                               ReadTimeouts{}, c.error);
        if (c.link)
            c.farEnd = ::accept(listener, nullptr, nullptr);
    }
    if (listener >= 0)
        ::close(listener);
    return c;
}

struct LinkCase {
    const char* name;
    Connection (*connect)();
    // Part of the reason a read gives once the far end has gone: who went away.
    const char* hangUp;
};

class DescriptorLinkErrors : public ::testing::TestWithParam<LinkCase> {
protected:
    void SetUp() override
    {
        c = GetParam().connect();
        ASSERT_TRUE(c.link) << c.error;
        ASSERT_GE(c.farEnd, 0);
    }
    void TearDown() override
    {
        if (c.farEnd >= 0)
            ::close(c.farEnd);
    }
    void dropFarEnd()
    {
        ::close(c.farEnd);
        c.farEnd = -1;
    }

    Connection c;
    std::array<char, Link::maxReadSize> buffer{};
};

TEST_P(DescriptorLinkErrors, ReadAfterTheFarEndLeavesFailsAndSaysWho)
{
    // What the far end sent before it left still arrives.
    ASSERT_EQ(::write(c.farEnd, "> ", 2), 2);
    EXPECT_EQ(c.link->read(buffer), 2);
    dropFarEnd();
    EXPECT_EQ(c.link->read(buffer), -1);
    EXPECT_THAT(c.link->errorText(), HasSubstr(GetParam().hangUp));
}

TEST_P(DescriptorLinkErrors, WriteAfterTheFarEndLeavesFailsAndSaysWho)
{
    dropFarEnd();
    // A socket learns of the hang-up from the peer's answer to the first write after it.
    long written = 0;
    for (int i = 0; i < 100 && written >= 0; ++i) {
        written = c.link->write("id\n");
        if (written >= 0)
            ::usleep(10'000);
    }
    EXPECT_EQ(written, -1);
    EXPECT_THAT(c.link->errorText(), HasSubstr(GetParam().hangUp));
}

TEST_P(DescriptorLinkErrors, ReadAfterCloseFailsWithAReason)
{
    c.link->close();
    EXPECT_EQ(c.link->read(buffer), -1);
    EXPECT_THAT(c.link->errorText(), Not(IsEmpty()));
}

INSTANTIATE_TEST_SUITE_P(Cases, DescriptorLinkErrors,
                         ::testing::Values(LinkCase{"pseudoTerminal", overPseudoTerminal,
                                                    "pseudo-terminal closed"},
                                           LinkCase{"tcp", overTcp, "converter closed"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kivo::test
