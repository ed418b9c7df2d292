/*
 * IP Helper on the host: buffer sizing, the host's loopback adapter and the injected
 * adapter sets and tables.
 */
#include <iphlpapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/testing/qm_testing_net.h"

namespace {

class IpHelper : public ::testing::Test
{
protected:
    void TearDown() override
    {
        qmt_ResetAdapters();
        qmt_ResetIpTables();
    }
};

} // namespace

TEST_F(IpHelper, HostAdaptersAndTables)
{
    ULONG size = 0;
    ASSERT_EQ((DWORD)ERROR_BUFFER_OVERFLOW, GetAdaptersInfo(nullptr, &size));
    std::vector<BYTE> buffer(size);
    ASSERT_EQ((DWORD)NO_ERROR, GetAdaptersInfo((PIP_ADAPTER_INFO)buffer.data(), &size));
    bool loopback = false;
    for (PIP_ADAPTER_INFO a = (PIP_ADAPTER_INFO)buffer.data(); a; a = a->Next)
        loopback = loopback || (a->Type == IF_TYPE_SOFTWARE_LOOPBACK &&
                                std::strcmp(a->IpAddressList.IpAddress.String, "127.0.0.1") == 0);
    EXPECT_TRUE(loopback);
    size = 0;
    ASSERT_EQ((DWORD)ERROR_INSUFFICIENT_BUFFER, GetIpAddrTable(nullptr, &size, TRUE));
    buffer.assign(size, 0);
    ASSERT_EQ((DWORD)NO_ERROR, GetIpAddrTable((PMIB_IPADDRTABLE)buffer.data(), &size, TRUE));
    EXPECT_GE(((PMIB_IPADDRTABLE)buffer.data())->dwNumEntries, 1u);
    size = 0;
    EXPECT_EQ((DWORD)ERROR_INSUFFICIENT_BUFFER, GetIpForwardTable(nullptr, &size, TRUE));
    DWORD count = 0;
    EXPECT_EQ((DWORD)NO_ERROR, GetNumberOfInterfaces(&count));
    EXPECT_GE(count, 1u);
}

TEST_F(IpHelper, InjectedAdapters)
{
    const QMT_ADAPTER set[] = {
        {7, IF_TYPE_ETHERNET_CSMACD, {1, 2, 3, 4, 5, 6}, "10.0.0.7", "255.0.0.0", "fe80::7", 7, FALSE},
        {8, IF_TYPE_TUNNEL, {0}, nullptr, nullptr, "2001:db8::8", 0, TRUE},
    };
    qmt_SetAdapters(set, 2, 0);
    ULONG size = 0;
    ASSERT_EQ((ULONG)ERROR_BUFFER_OVERFLOW, GetAdaptersAddresses(AF_INET6, 30, nullptr, nullptr, &size));
    std::vector<BYTE> buffer(size);
    ASSERT_EQ((ULONG)NO_ERROR,
              GetAdaptersAddresses(AF_INET6, 30, nullptr, (PIP_ADAPTER_ADDRESSES)buffer.data(), &size));
    PIP_ADAPTER_ADDRESSES first = (PIP_ADAPTER_ADDRESSES)buffer.data();
    EXPECT_EQ(7u, first->Ipv6IfIndex);
    EXPECT_EQ(6u, first->PhysicalAddressLength);
    const sockaddr_in6 *sin6 = (const sockaddr_in6 *)first->FirstUnicastAddress->Address.lpSockaddr;
    EXPECT_EQ(7u, sin6->sin6_scope_id);
    ASSERT_NE(nullptr, first->Next);
    EXPECT_EQ((DWORD)IF_TYPE_TUNNEL, first->Next->IfType);
    EXPECT_EQ(nullptr, first->Next->Next);
    /* The best interface is the one marked so. */
    sockaddr_in6 peer = {};
    peer.sin6_family = AF_INET6;
    DWORD index = 0;
    EXPECT_EQ((DWORD)NO_ERROR, GetBestInterfaceEx((sockaddr *)&peer, &index));
    EXPECT_EQ(8u, index);
    /* An adapter list that fails, and one that is empty. */
    qmt_SetAdapters(nullptr, 0, ERROR_NO_DATA);
    size = 0;
    EXPECT_EQ((DWORD)ERROR_NO_DATA, GetAdaptersInfo(nullptr, &size));
    qmt_SetAdapters(nullptr, 0, 0);
    EXPECT_EQ((ULONG)ERROR_NO_DATA, GetAdaptersAddresses(AF_UNSPEC, 0, nullptr, nullptr, &size));
}

TEST_F(IpHelper, InjectedTables)
{
    MIB_IPFORWARDROW route = {};
    route.dwForwardIfIndex = 3;
    qmt_SetIpTables(&route, 1, nullptr, 0, nullptr, 0);
    ULONG size = 0;
    ASSERT_EQ((DWORD)ERROR_INSUFFICIENT_BUFFER, GetIpForwardTable(nullptr, &size, TRUE));
    std::vector<BYTE> buffer(size);
    ASSERT_EQ((DWORD)NO_ERROR, GetIpForwardTable((PMIB_IPFORWARDTABLE)buffer.data(), &size, TRUE));
    EXPECT_EQ(1u, ((PMIB_IPFORWARDTABLE)buffer.data())->dwNumEntries);
    EXPECT_EQ(3u, ((PMIB_IPFORWARDTABLE)buffer.data())->table[0].dwForwardIfIndex);
    size = 0;
    ASSERT_EQ((DWORD)ERROR_INSUFFICIENT_BUFFER, GetIpAddrTable(nullptr, &size, TRUE));
    buffer.assign(size, 0xff);
    ASSERT_EQ((DWORD)NO_ERROR, GetIpAddrTable((PMIB_IPADDRTABLE)buffer.data(), &size, TRUE));
    EXPECT_EQ(0u, ((PMIB_IPADDRTABLE)buffer.data())->dwNumEntries);
}
