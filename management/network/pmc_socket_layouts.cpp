/*
 * The Windows socket layouts and values the network layer relies on. Compiled in both
 * builds, so that the host's headers are held to the target toolchain's.
 */
#include <winsock2.h>
#include <ws2tcpip.h>
#include <wsipx.h>
#include <windows.h>

#include <cstddef>

#include "platform/include/qm_layout.h"

static_assert(sizeof(sockaddr_in) == 16, "sockaddr_in");
static_assert(sizeof(sockaddr_in6) == 28, "sockaddr_in6");
static_assert(sizeof(SOCKADDR_IPX) == 14, "SOCKADDR_IPX");
static_assert(sizeof(ip_mreq) == 8, "ip_mreq");
static_assert(sizeof(ipv6_mreq) == 20, "ipv6_mreq");
static_assert(sizeof(fd_set) == QM_LAYOUT(260, 520), "fd_set");
static_assert(sizeof(ADDRINFOA) == QM_LAYOUT(32, 48), "ADDRINFOA");
static_assert(sizeof(hostent) == QM_LAYOUT(16, 32), "hostent");
static_assert(sizeof(timeval) == 8, "timeval");
static_assert(offsetof(ADDRINFOA, ai_canonname) < offsetof(ADDRINFOA, ai_addr), "ADDRINFOA order");
static_assert(offsetof(hostent, h_addrtype) == QM_LAYOUT(8, 16) && offsetof(hostent, h_length) == QM_LAYOUT(10, 18),
              "hostent shorts");
static_assert(offsetof(servent, s_port) == QM_LAYOUT(8, 24), "servent port");

static_assert(AF_INET == 2 && AF_IPX == 6 && AF_INET6 == 23 && AF_UNSPEC == 0, "families");
static_assert(SOCK_DGRAM == 2 && NSPROTO_IPX == 1000, "types");
static_assert(SOL_SOCKET == 0xffff && SO_BROADCAST == 0x20, "socket options");
static_assert(IPPROTO_IP == 0 && IPPROTO_IPV6 == 41, "levels");
static_assert(IP_ADD_MEMBERSHIP == 12 && IPV6_ADD_MEMBERSHIP == 12, "memberships");
static_assert(AI_PASSIVE == 1 && AI_NUMERICHOST == 4, "address-info flags");
static_assert(NI_NUMERICHOST == 2 && NI_NUMERICSERV == 8 && NI_NAMEREQD == 4, "name-info flags");
static_assert(INADDR_NONE == 0xffffffff, "INADDR_NONE");
static_assert(WSAEMSGSIZE == 10040 && WSANOTINITIALISED == 10093, "errors");
