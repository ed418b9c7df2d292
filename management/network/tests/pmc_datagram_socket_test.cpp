/*
 * Datagram sockets. Run inside a private network namespace (testing/netns/run-in-netns.sh):
 * fixed ports, broadcast on loopback and IPv6 multicast over a veth pair.
 */
#include "management/network/pmc_datagram_socket.h"

#include <cstring>
#include <string>

#include "management/tests/pmc_net_fixture.h"

namespace {

const uint16_t kPort = 16161;

class Sockets : public NetTest
{
protected:
    void TearDown() override
    {
        for (DataGramSocket *s : {a, b}) {
            if (s)
                s->release();
        }
        NetTest::TearDown();
    }
    /* receive_text: one datagram as text, its status and the sender's text and port. */
    int receive_text(DataGramSocket *s, std::string *data, std::string *sender, uint16_t *port)
    {
        char buffer[64] = {};
        uint32_t received = 0;
        IPmcNetworkAddress *from = nullptr;
        int status = s->receive(buffer, sizeof buffer, 2000, &received, &from);
        if (from) {
            const char *text = nullptr;
            from->get(&text, nullptr, port);
            *sender = text;
            from->release();
        }
        data->assign(buffer, received);
        return status;
    }
    IPmcNetworkAddress *address(const char *text, int protocol, uint16_t port)
    {
        IPmcNetworkAddress *result = nullptr;
        EXPECT_EQ(PMC_OK, pmc_make_address(text, protocol, port, &result));
        return result;
    }
    DataGramSocket *a = nullptr;
    DataGramSocket *b = nullptr;
};

} // namespace

TEST_F(Sockets, BindToAnyPortAndTimeOutAtOnce)
{
    ASSERT_EQ(PMC_OK, pmc_create_datagram_socket(PMC_PROTOCOL_IPV4, 0, &a));
    EXPECT_NE(INVALID_SOCKET, a->handle());
    EXPECT_EQ(sockets + 1, qmt_OpenSockets());
    /* The port the system chose is logged, never 0. */
    EXPECT_TRUE(logged("create socket. id:0x"));
    EXPECT_FALSE(logged("port:0(0x0)"));
    char buffer[8];
    uint32_t received = 1;
    IPmcNetworkAddress *from = nullptr;
    DWORD start = GetTickCount();
    EXPECT_EQ(PMC_E_TIMEOUT, a->receive(buffer, sizeof buffer, 0, &received, &from));
    EXPECT_LT(GetTickCount() - start, 500u);
    EXPECT_EQ(nullptr, from);
    EXPECT_TRUE(logged("select API timeout."));
    EXPECT_EQ(PMC_E_ARG, pmc_create_datagram_socket(3, 0, &b));
}

TEST_F(Sockets, ExchangeAndOversizeDatagram)
{
    ASSERT_EQ(PMC_OK, pmc_create_datagram_socket(PMC_PROTOCOL_IPV4, kPort, &a));
    ASSERT_EQ(PMC_OK, pmc_create_datagram_socket(PMC_PROTOCOL_IPV4, kPort + 1, &b));
    EXPECT_TRUE(logged("create socket. id:0x"));
    EXPECT_TRUE(logged("port:16161(0x3f21)"));
    IPmcNetworkAddress *to_a = address("127.0.0.1", PMC_PROTOCOL_IPV4, kPort);
    ASSERT_EQ(PMC_OK, b->send("hello", 5, to_a));
    EXPECT_TRUE(logged("[DataGramSocket::send] send packet. port:16162(0x3f22) -> 127.0.0.1:16161(0x3f21)."));
    std::string data, sender;
    uint16_t port = 0;
    ASSERT_EQ(PMC_OK, receive_text(a, &data, &sender, &port));
    EXPECT_EQ("hello", data);
    EXPECT_EQ("127.0.0.1", sender);
    EXPECT_EQ(kPort + 1, port);
    EXPECT_TRUE(logged("[DataGramSocket::receive] receive packet port:16161(0x3f21) <- 127.0.0.1:16162(0x3f22)."));
    /* A datagram above the caller's capacity is an error, as on Windows. */
    char big[100] = {};
    ASSERT_EQ(PMC_OK, b->send(big, sizeof big, to_a));
    char small[10];
    uint32_t received = 0;
    IPmcNetworkAddress *from = nullptr;
    EXPECT_EQ(PMC_E_RECEIVE, a->receive(small, sizeof small, 2000, &received, &from));
    EXPECT_TRUE(logged("fail recvfrom(). WSAGetLastError()=10040"));
    /* An unconvertible destination. */
    IPmcNetworkAddress *bad = address("not an address", PMC_PROTOCOL_IPV4, kPort);
    EXPECT_EQ(PMC_E_ARG, b->send("x", 1, bad));
    bad->release();
    to_a->release();
}

TEST_F(Sockets, Ipv4Broadcast)
{
    ASSERT_EQ(PMC_OK, pmc_create_datagram_socket(PMC_PROTOCOL_IPV4, kPort, &a));
    ASSERT_EQ(PMC_OK, pmc_create_datagram_socket(PMC_PROTOCOL_IPV4, 0, &b));
    IPmcNetworkAddress *all = address(PMC_BROADCAST_IPV4, PMC_PROTOCOL_IPV4, kPort);
    EXPECT_EQ(PMC_E_SEND, b->send("x", 1, all)); /* not allowed before set broadcast */
    EXPECT_TRUE(logged("fail send(). WSAGetLastError()=10013"));
    ASSERT_EQ(PMC_OK, b->set_broadcast(true));
    ASSERT_EQ(PMC_OK, b->send("to all", 6, all));
    std::string data, sender;
    uint16_t port = 0;
    EXPECT_EQ(PMC_OK, receive_text(a, &data, &sender, &port));
    EXPECT_EQ("to all", data);
    all->release();
    EXPECT_EQ(PMC_E_FAIL, a->join_multicast_group("no group"));
    EXPECT_TRUE(logged("fail inet_addr(). WSAGetLastError()="));
}

TEST_F(Sockets, Ipv6MulticastOverVeth)
{
    ASSERT_EQ(PMC_OK, pmc_create_datagram_socket(PMC_PROTOCOL_IPV6, kPort, &a));
    ASSERT_EQ(PMC_OK, pmc_create_datagram_socket(PMC_PROTOCOL_IPV6, 0, &b));
    EXPECT_EQ(PMC_OK, a->set_broadcast(true)); /* nothing to do for IPv6 */
    EXPECT_EQ(PMC_E_ARG, a->join_multicast_group("ff02:1"));
    ASSERT_EQ(PMC_OK, a->join_multicast_group(PMC_BROADCAST_IPV6));
    IPmcNetworkAddress *group = address(PMC_BROADCAST_IPV6, PMC_PROTOCOL_IPV6, kPort);
    ASSERT_EQ(PMC_OK, b->send("discover", 8, group));
    group->release();
    std::string data, sender;
    uint16_t port = 0;
    ASSERT_EQ(PMC_OK, receive_text(a, &data, &sender, &port));
    EXPECT_EQ("discover", data);
    EXPECT_EQ(0u, sender.find("fe80::")) << sender;
    EXPECT_NE(std::string::npos, sender.find('%')) << sender; /* the scope, as a number */
}

TEST_F(Sockets, IpxHasNoSocketButConvertsAddresses)
{
    EXPECT_EQ(PMC_E_SOCKET, pmc_create_datagram_socket(PMC_PROTOCOL_IPX, 0, &a));
    EXPECT_EQ(nullptr, a);
    EXPECT_TRUE(logged("fail socket(). WSAGetLastError()=10047"));
    SOCKADDR_IPX ipx;
    ASSERT_EQ(PMC_OK, pmc_ipx_to_sockaddr("0000000A:00112233AABB", 36879, &ipx));
    EXPECT_EQ(AF_IPX, ipx.sa_family);
    EXPECT_EQ(0x0a, ipx.sa_netnum[3]);
    EXPECT_EQ((char)0xbb, ipx.sa_nodenum[5]);
    char text[22];
    uint16_t port = 0;
    pmc_ipx_from_sockaddr(&ipx, text, &port);
    EXPECT_STREQ("0000000a:00112233aabb", text);
    EXPECT_EQ(36879, port);
    EXPECT_EQ(PMC_E_ARG, pmc_ipx_to_sockaddr("0000000A:00112233AAB", 1, &ipx));
}
