/*
 * Local adapter queries against injected adapter sets: IPv4 and IPv6 availability, counts,
 * the MAC of an address, local MACs and the IPv6 best local address.
 */
#include "management/network/pmc_adapter_info.h"

#include "management/tests/pmc_net_fixture.h"

namespace {

const QMT_ADAPTER kLoopback = {1, IF_TYPE_SOFTWARE_LOOPBACK, {0}, "127.0.0.1", "255.0.0.0", "::1", 0, FALSE};
const QMT_ADAPTER kEthernet = {
    2, IF_TYPE_ETHERNET_CSMACD, {0x00, 0x11, 0x22, 0xaa, 0xbb, 0xcc}, "192.168.0.10", nullptr, "fe80::2", 3, FALSE};
const QMT_ADAPTER kSecond = {
    3, IF_TYPE_ETHERNET_CSMACD, {0x00, 0x11, 0x22, 0x00, 0x00, 0x03}, "10.0.0.3", nullptr, "2001:db8::3", 0, TRUE};
const QMT_ADAPTER kTunnel = {4, IF_TYPE_TUNNEL, {0x00, 0, 0, 0, 0, 0x04}, nullptr, nullptr, "2001:db8::4", 0, FALSE};

class Adapters : public NetTest
{
protected:
    std::string mac_of(int protocol, const char *address, int *status)
    {
        CPmcByteString *mac = nullptr;
        *status = pmc_adapter_mac(protocol, address, &mac);
        std::string text = mac && mac->data() ? mac->data() : "";
        if (mac)
            mac->release();
        return text;
    }
};

} // namespace

TEST_F(Adapters, Availability)
{
    struct Case {
        const char *what;
        std::vector<QMT_ADAPTER> set;
        DWORD error;
        bool ipv4, ipv6;
        uint32_t count4, count6;
    } cases[] = {
        {"loopback only", {kLoopback}, 0, false, false, 0, 0},
        {"no adapters (232)", {}, ERROR_NO_DATA, false, false, 0, 0},
        {"empty list", {}, 0, false, false, 0, 0},
        {"Ethernet", {kLoopback, kEthernet}, 0, true, true, 1, 1},
        {"tunnel only", {kLoopback, kTunnel}, 0, false, false, 0, 0},
        {"two and a tunnel", {kEthernet, kTunnel, kSecond}, 0, true, true, 2, 2},
    };
    for (const Case &c : cases) {
        qmt_SetAdapters(c.set.data(), (DWORD)c.set.size(), c.error);
        bool v4 = !c.ipv4, v6 = !c.ipv6;
        uint32_t n4 = 99, n6 = 99;
        EXPECT_EQ(PMC_OK, pmc_ipv4_available(&v4)) << c.what;
        EXPECT_EQ(PMC_OK, pmc_ipv6_available(&v6)) << c.what;
        EXPECT_EQ(PMC_OK, pmc_count_adapters(PMC_PROTOCOL_IPV4, &n4)) << c.what;
        EXPECT_EQ(PMC_OK, pmc_count_adapters(PMC_PROTOCOL_IPV6, &n6)) << c.what;
        EXPECT_EQ(c.ipv4, v4) << c.what;
        EXPECT_EQ(c.ipv6, v6) << c.what;
        EXPECT_EQ(c.count4, n4) << c.what;
        EXPECT_EQ(c.count6, n6) << c.what;
        bool available = !c.ipv6;
        EXPECT_EQ(PMC_OK, pmc_transport_available(PMC_PROTOCOL_IPV6, &available));
        EXPECT_EQ(c.ipv6, available) << c.what;
    }
    uint32_t count = 0;
    EXPECT_EQ(PMC_E_ARG, pmc_count_adapters(PMC_PROTOCOL_IPX, &count));
    EXPECT_EQ(PMC_E_ARG, pmc_ipv4_available(nullptr));
}

TEST_F(Adapters, MacOfAnAddress)
{
    const QMT_ADAPTER set[] = {kLoopback, kEthernet, kTunnel, kSecond};
    qmt_SetAdapters(set, 4, 0);
    struct Case {
        int protocol;
        const char *address;
        const char *mac; /* null: no match (-7) */
    } cases[] = {
        {PMC_PROTOCOL_IPV4, "10.0.0.3", "00-11-22-00-00-03"},
        {PMC_PROTOCOL_IPV4, "", "00-11-22-AA-BB-CC"}, /* the first eligible */
        {PMC_PROTOCOL_IPV4, "127.0.0.1", nullptr},    /* loopback is not eligible */
        {PMC_PROTOCOL_IPV4, "010.0.0.3", nullptr},    /* exact text only */
        {PMC_PROTOCOL_IPV6, "fe80:0000:0000:0000:0000:0000:0000:0002", "00-11-22-AA-BB-CC"},
        {PMC_PROTOCOL_IPV6, "FE80:0000:0000:0000:0000:0000:0000:0002%3", "00-11-22-AA-BB-CC"},
        {PMC_PROTOCOL_IPV6, "2001:0DB8:0000:0000:0000:0000:0000:0003", "00-11-22-00-00-03"},
        {PMC_PROTOCOL_IPV6, "2001:0db8:0000:0000:0000:0000:0000:0004", nullptr}, /* tunnel */
        {PMC_PROTOCOL_IPV6, "", "00-11-22-AA-BB-CC"},
    };
    for (const Case &c : cases) {
        int status = 0;
        std::string mac = mac_of(c.protocol, c.address, &status);
        EXPECT_EQ(c.mac ? PMC_OK : PMC_E_RANGE, status) << c.address;
        EXPECT_EQ(c.mac ? c.mac : "", mac) << c.address;
    }
    int status = 0;
    mac_of(PMC_PROTOCOL_IPX, "", &status);
    EXPECT_EQ(PMC_E_ARG, status);
}

TEST_F(Adapters, LocalMac)
{
    const QMT_ADAPTER set[] = {kLoopback, kEthernet, kTunnel};
    qmt_SetAdapters(set, 3, 0);
    bool local = false;
    EXPECT_EQ(PMC_OK, pmc_is_local_mac("00-11-22-aa-bb-cc", &local));
    EXPECT_TRUE(local);
    EXPECT_EQ(PMC_OK, pmc_is_local_mac("00-00-00-00-00-04", &local));
    EXPECT_FALSE(local); /* the tunnel has no IPv4 adapter entry and IPv4 answered */
    /* With the IPv4 query failing, the IPv6 adapters answer. */
    const QMT_ADAPTER v6only[] = {
        kTunnel, {5, IF_TYPE_ETHERNET_CSMACD, {0, 0, 0, 0, 0, 5}, nullptr, nullptr, "2001:db8::5", 0, FALSE}};
    qmt_SetAdapters(v6only, 2, 0);
    EXPECT_EQ(PMC_OK, pmc_is_local_mac("00-00-00-00-00-05", &local));
    EXPECT_TRUE(local);
    EXPECT_EQ(PMC_E_ARG, pmc_is_local_mac(nullptr, &local));
}

TEST_F(Adapters, BestLocalIpv6Address)
{
    const QMT_ADAPTER set[] = {kLoopback, kEthernet, kSecond};
    qmt_SetAdapters(set, 3, 0);
    IPmcNetworkAddress *peer = nullptr;
    ASSERT_EQ(PMC_OK, pmc_make_address("2001:db8::1", PMC_PROTOCOL_IPV6, 161, &peer));
    IPmcNetworkAddress *local = nullptr;
    ASSERT_EQ(PMC_OK, pmc_best_local_address(peer, &local));
    const char *text = nullptr;
    int protocol = 0;
    uint16_t port = 0;
    local->get(&text, &protocol, &port);
    EXPECT_STREQ("2001:db8::3", text);
    EXPECT_EQ(PMC_PROTOCOL_IPV6, protocol);
    EXPECT_EQ(161, port);
    local->release();
    /* No adapter carries the best interface's index. */
    const QMT_ADAPTER none[] = {kLoopback};
    qmt_SetAdapters(none, 1, 0);
    EXPECT_EQ(PMC_E_UNSUPPORTED, pmc_best_local_address(peer, &local));
    peer->release();
    ASSERT_EQ(PMC_OK, pmc_make_address("x", 9, 0, &peer));
    EXPECT_EQ(PMC_E_ARG, pmc_best_local_address(peer, &local));
    peer->release();
}
