/*
 * Winsock on the host: the start-up bracket, Windows values over host sockets, the
 * Windows layout of getaddrinfo's list, numeric scopes, oversize datagrams, and the
 * system modules ws2_32 and wsock32 as GetProcAddress sees them.
 */
#include <winsock2.h>
#include <ws2tcpip.h>

#include <gtest/gtest.h>

#include <cstring>

#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_net.h"

namespace {

typedef int(WSAAPI *SelectProc)(int, fd_set *, fd_set *, fd_set *, const timeval *);

class Winsock : public ::testing::Test
{
protected:
    void SetUp() override
    {
        WSADATA data;
        ASSERT_EQ(0, WSAStartup(MAKEWORD(2, 2), &data));
        EXPECT_EQ(MAKEWORD(2, 2), data.wVersion);
    }
    void TearDown() override
    {
        EXPECT_EQ(0, WSACleanup());
    }
};

} // namespace

TEST(WinsockStartup, CountsAndRefusesCallsWithoutIt)
{
    LONG before = qmt_WinsockStartups();
    EXPECT_EQ(INVALID_SOCKET, socket(AF_INET, SOCK_DGRAM, 0));
    EXPECT_EQ(WSANOTINITIALISED, WSAGetLastError());
    EXPECT_EQ(SOCKET_ERROR, WSACleanup());
    WSADATA data;
    EXPECT_EQ(WSAVERNOTSUPPORTED, WSAStartup(0, &data));
    ASSERT_EQ(0, WSAStartup(MAKEWORD(1, 1), &data));
    EXPECT_EQ(MAKEWORD(1, 1), data.wVersion);
    EXPECT_EQ(MAKEWORD(2, 2), data.wHighVersion);
    EXPECT_EQ(before + 1, qmt_WinsockStartups());
    EXPECT_EQ(0, WSACleanup());
    EXPECT_EQ(before, qmt_WinsockStartups());
}

TEST_F(Winsock, AddressInfoInWindowsLayout)
{
    DWORD blocks = qmt_LiveHeapBlocks(GetProcessHeap());
    addrinfo hints = {};
    hints.ai_flags = AI_NUMERICHOST;
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo *list = nullptr;
    ASSERT_EQ(0, getaddrinfo("fe80::1", "161", &hints, &list));
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(AF_INET6, list->ai_family);
    EXPECT_EQ(28u, list->ai_addrlen);
    const sockaddr_in6 *sin6 = (const sockaddr_in6 *)list->ai_addr;
    EXPECT_EQ(AF_INET6, sin6->sin6_family);
    EXPECT_EQ(htons(161), sin6->sin6_port);
    EXPECT_EQ(0xfe, sin6->sin6_addr.s6_addr[0]);
    EXPECT_GT(qmt_LiveHeapBlocks(GetProcessHeap()), blocks);
    freeaddrinfo(list);
    EXPECT_EQ(blocks, qmt_LiveHeapBlocks(GetProcessHeap()));
    EXPECT_EQ(WSAHOST_NOT_FOUND, getaddrinfo("not numeric", nullptr, &hints, &list));
    EXPECT_EQ(WSAHOST_NOT_FOUND, WSAGetLastError());
}

TEST_F(Winsock, NameInfoFlagsAndNumericScope)
{
    sockaddr_in6 sin6 = {};
    sin6.sin6_family = AF_INET6;
    sin6.sin6_port = htons(161);
    sin6.sin6_addr.s6_addr[0] = 0xfe;
    sin6.sin6_addr.s6_addr[1] = 0x80;
    sin6.sin6_addr.s6_addr[15] = 1;
    sin6.sin6_scope_id = 1;
    char host[NI_MAXHOST];
    char service[NI_MAXSERV];
    ASSERT_EQ(0,
              getnameinfo((const sockaddr *)&sin6,
                          sizeof sin6,
                          host,
                          sizeof host,
                          service,
                          sizeof service,
                          NI_NUMERICHOST | NI_NUMERICSERV));
    EXPECT_STREQ("fe80::1%1", host);
    EXPECT_STREQ("161", service);
    sockaddr_in sin = {};
    sin.sin_family = AF_INET;
    sin.sin_addr.s_addr = inet_addr("192.0.2.1");
    EXPECT_NE(0, getnameinfo((const sockaddr *)&sin, sizeof sin, host, sizeof host, nullptr, 0, NI_NAMEREQD));
    EXPECT_STREQ("192.0.2.1", inet_ntoa(sin.sin_addr));
    EXPECT_EQ(INADDR_NONE, inet_addr("not dotted"));
}

TEST_F(Winsock, DatagramsSelectAndErrors)
{
    HMODULE ws2 = LoadLibraryA("ws2_32.dll");
    SelectProc select_call = (SelectProc)(void *)GetProcAddress(ws2, "select");
    ASSERT_NE(nullptr, select_call);
    LONG open = qmt_OpenSockets();
    SOCKET a = socket(AF_INET, SOCK_DGRAM, 0);
    SOCKET b = socket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_NE(INVALID_SOCKET, a);
    EXPECT_EQ(open + 2, qmt_OpenSockets());
    sockaddr_in local = {};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = inet_addr("127.0.0.1");
    ASSERT_EQ(0, bind(a, (const sockaddr *)&local, 128));
    int length = sizeof local;
    ASSERT_EQ(0, getsockname(a, (sockaddr *)&local, &length));
    EXPECT_EQ(16, length);
    EXPECT_EQ(SOCKET_ERROR, bind(b, (const sockaddr *)&local, sizeof local));
    EXPECT_EQ(WSAEADDRINUSE, WSAGetLastError());
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(a, &readable);
    timeval none = {0, 0};
    EXPECT_EQ(0, select_call(0, &readable, nullptr, nullptr, &none));
    EXPECT_EQ(0u, readable.fd_count);
    char big[64] = {};
    ASSERT_EQ(64, sendto(b, big, 64, 0, (const sockaddr *)&local, sizeof local));
    FD_SET(a, &readable);
    EXPECT_EQ(1, select_call(0, &readable, nullptr, nullptr, nullptr));
    EXPECT_TRUE(FD_ISSET(a, &readable));
    char small[16];
    sockaddr_in from = {};
    int from_length = sizeof from;
    EXPECT_EQ(SOCKET_ERROR, recvfrom(a, small, sizeof small, 0, (sockaddr *)&from, &from_length));
    EXPECT_EQ(WSAEMSGSIZE, WSAGetLastError());
    int on = 1;
    EXPECT_EQ(0, setsockopt(a, SOL_SOCKET, SO_BROADCAST, (const char *)&on, sizeof on));
    EXPECT_EQ(SOCKET_ERROR, setsockopt(a, SOL_SOCKET, 0x7777, (const char *)&on, sizeof on));
    EXPECT_EQ(WSAENOPROTOOPT, WSAGetLastError());
    EXPECT_EQ(INVALID_SOCKET, socket(AF_IPX, SOCK_DGRAM, 1000));
    EXPECT_EQ(WSAEAFNOSUPPORT, WSAGetLastError());
    EXPECT_EQ(0, closesocket(a));
    EXPECT_EQ(0, closesocket(b));
    EXPECT_EQ(open, qmt_OpenSockets());
    FreeLibrary(ws2);
}

TEST(WinsockModules, Wsock32WithholdsNameResolutionAndTestsHideExports)
{
    HMODULE ws2 = LoadLibraryA("ws2_32.dll");
    HMODULE ws1 = LoadLibraryA("wsock32.dll");
    ASSERT_NE(nullptr, ws2);
    ASSERT_NE(nullptr, ws1);
    EXPECT_NE(ws1, ws2);
    for (const char *name : {"getaddrinfo", "getnameinfo", "freeaddrinfo"}) {
        EXPECT_NE(nullptr, (void *)GetProcAddress(ws2, name)) << name;
        SetLastError(0);
        EXPECT_EQ(nullptr, (void *)GetProcAddress(ws1, name)) << name;
        EXPECT_EQ((DWORD)ERROR_PROC_NOT_FOUND, GetLastError());
    }
    for (const char *name : {"socket", "recvfrom", "select", "gethostname", "__WSAFDIsSet", "WSAStartup"})
        EXPECT_NE(nullptr, (void *)GetProcAddress(ws1, name)) << name;
    qmt_HideExport("select");
    EXPECT_EQ(nullptr, (void *)GetProcAddress(ws2, "select"));
    EXPECT_EQ((DWORD)ERROR_PROC_NOT_FOUND, GetLastError());
    qmt_HideExport(nullptr);
    EXPECT_NE(nullptr, (void *)GetProcAddress(ws2, "select"));
    EXPECT_EQ(ws1, GetModuleHandleW(TEXT("WSOCK32")));
    FreeLibrary(ws1);
    FreeLibrary(ws2);
}
