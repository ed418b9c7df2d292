/*
 * The local route choice against injected tables, through IP Helper and, with
 * iphlpapi.dll hidden, through the MIB-II agent stand-in, which must give the same answers
 * and give back every name and value it was handed.
 */
#include "management/network/pmc_local_network_info.h"

#include <cstring>

#include "management/network/pmc_adapter_info.h"
#include "management/tests/pmc_net_fixture.h"

namespace {

DWORD ip(unsigned a, unsigned b, unsigned c, unsigned d)
{
    BYTE bytes[4] = {(BYTE)a, (BYTE)b, (BYTE)c, (BYTE)d};
    DWORD value;
    std::memcpy(&value, bytes, 4);
    return value;
}

MIB_IPFORWARDROW route(DWORD destination, DWORD mask, DWORD next_hop, DWORD index)
{
    MIB_IPFORWARDROW r = {};
    r.dwForwardDest = destination;
    r.dwForwardMask = mask;
    r.dwForwardNextHop = next_hop;
    r.dwForwardIfIndex = index;
    r.dwForwardType = next_hop ? 4 : 3;
    return r;
}

MIB_IPADDRROW address(DWORD value, DWORD mask, DWORD index)
{
    MIB_IPADDRROW r = {};
    r.dwAddr = value;
    r.dwMask = mask;
    r.dwIndex = index;
    r.dwBCastAddr = 1;
    return r;
}

/* Parameter: whether iphlpapi.dll is hidden, so that the MIB-II agent serves the tables. */
class LocalRoute : public NetTest, public ::testing::WithParamInterface<bool>
{
protected:
    void SetUp() override
    {
        NetTest::SetUp();
        if (GetParam())
            qmt_FailModuleLoad(TEXT("iphlpapi.dll"));
        const MIB_IPFORWARDROW routes[] = {
            route(0, 0, ip(192, 168, 1, 1), 2),                                 /* default */
            route(ip(192, 168, 1, 0), ip(255, 255, 255, 0), 0, 2),              /* subnet of 2 */
            route(ip(10, 0, 0, 0), ip(255, 0, 0, 0), 0, 3),                     /* subnet of 3 */
            route(ip(10, 1, 0, 0), ip(255, 255, 0, 0), 0, 4),                   /* longer, of 4 */
            route(ip(10, 1, 2, 3), ip(255, 255, 255, 255), ip(10, 1, 0, 1), 5), /* host route */
            route(ip(172, 16, 0, 0), ip(255, 255, 0, 0), 0, 9),                 /* no address */
        };
        const MIB_IPADDRROW addresses[] = {
            address(ip(192, 168, 1, 20), ip(255, 255, 255, 0), 2),
            address(ip(10, 0, 0, 30), ip(255, 0, 0, 0), 3),
            address(ip(10, 1, 0, 40), ip(255, 255, 0, 0), 4),
            address(ip(10, 1, 0, 50), ip(255, 255, 0, 0), 5),
        };
        qmt_SetIpTables(routes, 6, addresses, 4, nullptr, 0);
    }
    /* The local address for `destination` of `protocol`, and the status. */
    std::string local_for(const char *destination, int protocol, int *status)
    {
        IPmcNetworkAddress *peer = nullptr;
        EXPECT_EQ(PMC_OK, pmc_make_address(destination, protocol, 161, &peer));
        IPmcNetworkAddress *local = nullptr;
        *status = pmc_best_local_address(peer, &local);
        peer->release();
        std::string text;
        if (local) {
            const char *t = nullptr;
            int p = 0;
            uint16_t port = 1;
            local->get(&t, &p, &port);
            EXPECT_EQ(protocol, p);
            EXPECT_EQ(0, port);
            text = t;
            local->release();
        }
        return text;
    }
};

} // namespace

TEST_P(LocalRoute, RouteChoice)
{
    struct Case {
        const char *destination;
        int status;
        const char *local;
    } cases[] = {
        {"192.168.1.77", PMC_OK, "192.168.1.20"}, /* local subnet, not the default route */
        {"10.1.2.3", PMC_OK, "10.1.0.50"},        /* the host route wins */
        {"10.1.9.9", PMC_OK, "10.1.0.40"},        /* the longest matching mask */
        {"10.200.0.1", PMC_OK, "10.0.0.30"},
        {"8.8.8.8", PMC_OK, "192.168.1.20"}, /* only the default route fits */
        {"172.16.0.1", PMC_E_ARG, ""},       /* no address on the route's interface */
        {"300.1.1.1", PMC_E_ARG, ""},
    };
    for (const Case &c : cases) {
        int status = 0;
        EXPECT_EQ(c.local, local_for(c.destination, PMC_PROTOCOL_IPV4, &status)) << c.destination;
        EXPECT_EQ(c.status, status) << c.destination;
    }
    int status = 0;
    local_for("00000001:00000000001B", PMC_PROTOCOL_IPX, &status);
    EXPECT_EQ(PMC_E_UNSUPPORTED, status);
    IPmcNetworkAddress *peer = nullptr;
    ASSERT_EQ(PMC_OK, pmc_make_address("fe80::1", PMC_PROTOCOL_IPV6, 0, &peer));
    IPmcNetworkAddress *local = nullptr;
    EXPECT_EQ(PMC_E_UNSUPPORTED, pmc_local_address_for_destination(peer, &local));
    peer->release();
}

TEST_P(LocalRoute, NoRouteAndNoProvider)
{
    const MIB_IPFORWARDROW routes[] = {route(ip(10, 0, 0, 0), ip(255, 0, 0, 0), 0, 3)};
    const MIB_IPADDRROW addresses[] = {address(ip(10, 0, 0, 30), ip(255, 0, 0, 0), 3)};
    qmt_SetIpTables(routes, 1, addresses, 1, nullptr, 0);
    int status = 0;
    local_for("192.168.5.5", PMC_PROTOCOL_IPV4, &status);
    EXPECT_EQ(PMC_E_FAIL, status);
    pmc_local_network_info_destroy();
    qmt_FailModuleLoad(TEXT("iphlpapi.dll"));
    qmt_FailModuleLoad(TEXT("inetmib1.dll"));
    local_for("10.0.0.1", PMC_PROTOCOL_IPV4, &status);
    EXPECT_EQ(PMC_E_EMPTY, status);
}

TEST_P(LocalRoute, ProvidersReadEveryTable)
{
    MIB_IFROW interfaces[2] = {};
    interfaces[0].dwIndex = 2;
    interfaces[0].dwType = 6;
    std::memcpy(interfaces[0].bDescr, "eth0", 5);
    interfaces[0].dwDescrLen = 5;
    interfaces[1].dwIndex = 3;
    interfaces[1].dwType = 24;
    const MIB_IPFORWARDROW routes[] = {route(0, 0, ip(192, 168, 1, 1), 2)};
    qmt_SetIpTables(routes, 1, nullptr, 0, interfaces, 2);
    int status = 0;
    IPmcTableProvider *provider = GetParam() ? pmc_create_mib2_tables(&status) : pmc_create_iphelper_tables(&status);
    ASSERT_NE(nullptr, provider);
    uint32_t count = 0;
    EXPECT_EQ(PMC_OK, provider->interface_count(&count));
    EXPECT_EQ(2u, count);
    CPmcInterfaceTable table;
    ASSERT_EQ(PMC_OK, provider->interface_table(&table));
    ASSERT_EQ(2u, table.count());
    EXPECT_STREQ("eth0", table.first()->description);
    EXPECT_EQ(24u, table.at(1)->if_type);
    EXPECT_EQ(nullptr, table.at(2));
    CPmcRouteTable route_table;
    ASSERT_EQ(PMC_OK, provider->route_table(&route_table));
    ASSERT_EQ(1u, route_table.count());
    EXPECT_EQ(0xC0A80101u, route_table.first()->next_hop);
    CPmcAddressTable addresses;
    EXPECT_EQ(PMC_OK, provider->address_table(&addresses));
    EXPECT_TRUE(addresses.empty());
    table.clear();
    route_table.clear();
    provider->release();
}

INSTANTIATE_TEST_SUITE_P(Providers, LocalRoute, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return info.param ? "Mib2Agent" : "IpHelper";
                         });
