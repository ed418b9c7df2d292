/*
 * Test controls of the network areas (winsock, iphlpapi): Winsock start-up and socket
 * counts, injected adapter sets and IPv4 tables in place of the host's.
 */
#ifndef QM_TESTING_NET_H
#define QM_TESTING_NET_H

#include <windows.h>

#include <iphlpapi.h>

#ifdef __cplusplus
extern "C" {
#endif

/* WSAStartup calls not yet matched by WSACleanup. */
LONG qmt_WinsockStartups(void);
/* Sockets created and not yet closed. */
LONG qmt_OpenSockets(void);

/* One injected adapter. */
typedef struct QMT_ADAPTER {
    DWORD index; /* interface index (IPv4 and IPv6) */
    DWORD type;  /* IF_TYPE_... (24 loopback, 131 tunnel, 6 Ethernet) */
    BYTE mac[6];
    const char *ipv4;      /* dotted address, or NULL for none */
    const char *ipv4_mask; /* dotted mask (NULL: 255.255.255.0) */
    const char *ipv6;      /* numeric IPv6 address, or NULL for none */
    DWORD ipv6_scope;      /* scope id of the IPv6 address */
    BOOL best;             /* GetBestInterfaceEx answers this adapter */
} QMT_ADAPTER;

/* Replaces the host's adapters by `count` adapters (count 0: none). GetAdaptersInfo and
 * GetAdaptersAddresses then answer from them; with `error` non-zero both fail with it. */
void qmt_SetAdapters(const QMT_ADAPTER *adapters, DWORD count, DWORD error);
/* Back to the host's adapters. */
void qmt_ResetAdapters(void);

/* Replaces the host's IPv4 route, address and interface tables (rows copied). */
void qmt_SetIpTables(const MIB_IPFORWARDROW *routes, DWORD route_count, const MIB_IPADDRROW *addresses,
                     DWORD address_count, const MIB_IFROW *interfaces, DWORD interface_count);
/* Back to the host's tables. */
void qmt_ResetIpTables(void);

#ifdef __cplusplus
}
#endif

#endif /* QM_TESTING_NET_H */
