/*
 * Network addresses: the text forms, classification and parsing on both resolution
 * paths (ws2_32 with getaddrinfo; wsock32 without), the address object, and the local
 * host address. The fixture checks that every operation leaves the Winsock start-up count
 * and the heap as it found them.
 */
#include "management/network/pmc_network_address.h"

#include <cstring>

#include "management/network/pmc_address_factory.h"
#include "management/tests/pmc_net_fixture.h"

namespace {

/* Parameter: whether ws2_32 is hidden, so that wsock32 and the IPv4-only path serve. */
class Address : public NetTest, public ::testing::WithParamInterface<bool>
{
protected:
    void SetUp() override
    {
        NetTest::SetUp();
        if (GetParam())
            qmt_FailModuleLoad(TEXT("ws2_32.dll"));
    }
    bool ipv4_only() const
    {
        return GetParam();
    }
};

std::string parsed(const char *text, int *status)
{
    CPmcByteString *object = nullptr;
    *status = pmc_parse_address(text, &object);
    std::string result = object && object->data() ? object->data() : "";
    if (object)
        object->release();
    return result;
}

std::string ipv6_text(const char *text, uint32_t scope, int *status)
{
    uint8_t bytes[16] = {};
    *status = pmc_parse_ipv6(text, bytes);
    char printed[PMC_IPV6_SCOPED_TEXT_SIZE];
    pmc_print_ipv6(bytes, scope, printed);
    return printed;
}

} // namespace

TEST(AddressText, FormsAndFamilies)
{
    struct Case {
        const char *text;
        bool ipv4;
        bool ipx;
    } cases[] = {
        {"1.2.3.4", true, false},
        {"192.168.1.256", false, false},
        {"1.2.3.4x", false, false},
        {"1.2.3", false, false},
        {"00000001:00000000001B", false, true},
        {"00000001:00000000001", false, false}, /* 20 characters */
        {"0000000g:00000000001B", false, false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(c.ipv4, pmc_parse_ipv4(c.text, nullptr)) << c.text;
        EXPECT_EQ(c.ipx, pmc_parse_ipx(c.text, nullptr, nullptr)) << c.text;
    }
    const int pairs[][2] = {{1, 2}, {2, 6}, {4, 23}, {0, 0}};
    for (const auto &p : pairs) {
        EXPECT_EQ(p[1], pmc_family_of_protocol(p[0]));
        EXPECT_EQ(p[0], pmc_protocol_of_family(p[1]));
    }
    EXPECT_EQ(0, pmc_protocol_of_family(17));
    EXPECT_EQ(9, pmc_family_of_protocol(9));
    uint8_t mac[6] = {0x00, 0x1b, 0xaa, 0x02, 0xff, 0x10};
    char text[PMC_MAC_TEXT_SIZE];
    pmc_print_mac(mac, text);
    EXPECT_STREQ("00-1B-AA-02-FF-10", text);
}

TEST(AddressText, Ipv6ParseAndPrint)
{
    struct Case {
        const char *text;
        uint32_t scope;
        const char *printed; /* null: rejected */
    } cases[] = {
        {"::1", 0, "0000:0000:0000:0000:0000:0000:0000:0001"},
        {"fe80::1", 0, "fe80:0000:0000:0000:0000:0000:0000:0001"},
        {"fe80::1", 4, "fe80:0000:0000:0000:0000:0000:0000:0001%4"},
        {"ff02::1", 0, "ff02:0000:0000:0000:0000:0000:0000:0001"},
        /* A trailing "::" fills the missing groups (the plain expansion left seven). */
        {"ff02::", 0, "ff02:0000:0000:0000:0000:0000:0000:0000"},
        {"::", 0, "0000:0000:0000:0000:0000:0000:0000:0000"},
        {"1:2:3::8", 0, "0001:0002:0003:0000:0000:0000:0000:0008"},
        {"2001:DB8:0:0:0:0:0:FF", 0, "2001:0db8:0000:0000:0000:0000:0000:00ff"},
        {"1:2:3:4:5:6:7", 0, nullptr},
        {"fe80::1::2", 0, nullptr},
        {"hello", 0, nullptr},
    };
    for (const Case &c : cases) {
        int status = 0;
        std::string printed = ipv6_text(c.text, c.scope, &status);
        if (c.printed) {
            EXPECT_EQ(PMC_OK, status) << c.text;
            EXPECT_EQ(c.printed, printed) << c.text;
        } else {
            EXPECT_EQ(PMC_E_ARG, status) << c.text;
        }
    }
    uint8_t bytes[16];
    EXPECT_EQ(PMC_E_ARG, pmc_parse_ipv6(nullptr, bytes));
}

TEST_P(Address, Classify)
{
    struct Case {
        const char *text;
        int protocol; /* 0: not an address text */
    } cases[] = {
        {"1.2.3.4", PMC_PROTOCOL_IPV4},
        {"192.168.1.256", 0},
        {"1.2.3.4x", 0},
        {"00000001:00000000001B", PMC_PROTOCOL_IPX},
        {"00000001:00000000001", 0},
        {"fe80::1", ipv4_only() ? 0 : PMC_PROTOCOL_IPV6},
    };
    for (const Case &c : cases) {
        int protocol = -1;
        int status = pmc_classify_address(c.text, &protocol);
        EXPECT_EQ(c.protocol, protocol) << c.text;
        if (c.protocol)
            EXPECT_EQ(PMC_OK, status) << c.text;
        else
            EXPECT_EQ(ipv4_only() ? PMC_E_RANGE : PMC_E_FAIL, status) << c.text;
    }
}

TEST_P(Address, Parse)
{
    int status = 0;
    EXPECT_EQ("1.2.3.4", parsed("1.2.3.4", &status));
    EXPECT_EQ(PMC_OK, status);
    EXPECT_EQ("00000001:00000000001B", parsed("00000001:00000000001B", &status));
    if (ipv4_only()) {
        EXPECT_EQ("10.1.1.1", parsed("010.1.1.1", &status));
        parsed("fe80::1", &status);
        EXPECT_EQ(PMC_E_RANGE, status);
    } else {
        EXPECT_EQ("fe80::1", parsed("fe80:0:0:0:0:0:0:1", &status));
        EXPECT_EQ(PMC_OK, status);
        parsed("no such host name", &status);
        EXPECT_EQ(PMC_E_FAIL, status);
    }
}

TEST_P(Address, Object)
{
    IPmcNetworkAddress *a = nullptr;
    ASSERT_EQ(PMC_OK, pmc_create_network_address(&a));
    const char *text = nullptr;
    int protocol = -1;
    uint16_t port = 1;
    EXPECT_EQ(PMC_E_ARG, a->get(nullptr, &protocol, &port));
    /* Hexadecimal capitals are stored in lower case; zeros keep protocol and port. */
    EXPECT_EQ(PMC_OK, a->set("0A-1B-XZ", PMC_PROTOCOL_IPV4, 161));
    EXPECT_EQ(PMC_OK, a->set(nullptr, 0, 0));
    EXPECT_EQ(PMC_OK, a->get(&text, &protocol, &port));
    EXPECT_STREQ("0a-1b-XZ", text);
    EXPECT_EQ(PMC_PROTOCOL_IPV4, protocol);
    EXPECT_EQ(161, port);
    /* set_text classifies: an IPX text does not fit an IPv4 object. */
    EXPECT_EQ(PMC_E_ARG, a->set_text("00000001:00000000001B"));
    EXPECT_EQ(PMC_OK, a->set_text("10.0.0.1"));
    IPmcNetworkAddress *b = nullptr;
    ASSERT_EQ(PMC_OK, a->copy(&b));
    EXPECT_TRUE(a->equals(b));
    b->set(nullptr, 0, 162);
    EXPECT_FALSE(a->equals(b));
    EXPECT_FALSE(b->equals(nullptr));
    b->release();
    ASSERT_EQ(PMC_OK, pmc_make_address("10.0.0.1", PMC_PROTOCOL_IPV4, 0, &b));
    EXPECT_TRUE(a->equals(b)); /* the other's port 0 matches any port */
    EXPECT_FALSE(b->equals(a));
    b->release();
    EXPECT_EQ(PMC_E_ARG, a->copy(nullptr));
    a->release();
    if (!ipv4_only()) {
        /* Different texts of the same IPv6 address are equal. */
        ASSERT_EQ(PMC_OK, pmc_make_address("fe80::1", PMC_PROTOCOL_IPV6, 0, &a));
        ASSERT_EQ(PMC_OK, pmc_make_address("FE80:0:0:0:0:0:0:1", PMC_PROTOCOL_IPV6, 0, &b));
        EXPECT_TRUE(a->equals(b));
        a->release();
        b->release();
    }
}

TEST_P(Address, HostNamesAndLocalAddresses)
{
    IPmcAddressFactory *factory = nullptr;
    ASSERT_EQ(PMC_OK, pmc_get_address_factory(&factory));
    CPmcObjectList *list = nullptr;
    ASSERT_EQ(PMC_OK, factory->resolve_host_name("localhost", &list));
    bool loopback = false;
    IPmcObjectListIterator *it = list->create_iterator(nullptr);
    for (void *e; (e = list->element_at(it)) != nullptr; list->advance(it)) {
        const char *text = nullptr;
        ((IPmcNetworkAddress *)e)->get(&text, nullptr, nullptr);
        loopback = loopback || std::strcmp(text, "127.0.0.1") == 0;
    }
    list->release_iterator(it);
    list->release();
    EXPECT_TRUE(loopback);
    EXPECT_EQ(PMC_E_FAIL, factory->resolve_host_name("no-such-host.invalid", &list));
    IPmcNetworkAddress *local = nullptr;
    EXPECT_EQ(PMC_E_UNSUPPORTED, pmc_local_host_address(PMC_PROTOCOL_IPX, &local));
    EXPECT_EQ(nullptr, local);
    uint16_t port = 0;
    if (factory->service_port("snmp", PMC_PROTOCOL_IPV4, &port) == PMC_OK) {
        EXPECT_EQ(161, port);
    }
    bool available = true;
    EXPECT_EQ(PMC_E_ARG, pmc_transport_available(PMC_PROTOCOL_IPV4, nullptr));
    EXPECT_EQ(PMC_OK, pmc_transport_available(PMC_PROTOCOL_IPX, &available));
    EXPECT_FALSE(available);
}

INSTANTIATE_TEST_SUITE_P(BothPaths, Address, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return info.param ? "Ipv4Only" : "NameResolution";
                         });

TEST_F(NetTest, RefusedAllocations)
{
    /* No memory for the factory: every forwarding operation answers -3 and the next call
     * tries again. */
    int protocol = -1;
    {
        RefuseAllocations refuse;
        EXPECT_EQ(PMC_E_MEMORY, pmc_classify_address("1.2.3.4", &protocol));
        IPmcNetworkAddress *address = nullptr;
        EXPECT_EQ(PMC_E_MEMORY, pmc_create_network_address(&address));
        EXPECT_EQ(nullptr, address);
    }
    EXPECT_EQ(PMC_OK, pmc_classify_address("1.2.3.4", &protocol));
    EXPECT_EQ(PMC_PROTOCOL_IPV4, protocol);
    {
        RefuseAllocations refuse;
        IPmcNetworkAddress *address = nullptr;
        EXPECT_EQ(PMC_E_MEMORY, pmc_make_address("1.2.3.4", PMC_PROTOCOL_IPV4, 1, &address));
    }
    {
        /* getaddrinfo's entry is allocated; the text object is not. */
        RefuseAllocations refuse(1);
        CPmcByteString *text = nullptr;
        EXPECT_EQ(PMC_E_MEMORY, pmc_parse_address("1.2.3.4", &text));
        EXPECT_EQ(nullptr, text);
    }
}
