/*
 * The adapters and IPv4 tables behind the IP Helper functions, in plain types: read from
 * the host (iphlpapi_native.cpp) or injected by a test. Addresses are in network order.
 */
#ifndef QM_IPHLPAPI_PRIVATE_H
#define QM_IPHLPAPI_PRIVATE_H

#include <stdint.h>

#include <string>
#include <vector>

namespace qmip {

struct Address4 {
    uint32_t address;
    uint32_t mask;
};

struct Address6 {
    uint8_t bytes[16];
    uint32_t scope;
};

struct Adapter {
    uint32_t index;
    uint32_t type; /* 24 loopback, 6 Ethernet, 131 tunnel ... */
    uint8_t mac[6];
    uint32_t mac_length;
    std::string name;
    std::vector<Address4> ipv4;
    std::vector<Address6> ipv6;
    bool best; /* injected: the answer of the best-interface query */
};

struct Route {
    uint32_t destination, mask, next_hop, if_index, type;
};

/* The host's adapters (getifaddrs). */
std::vector<Adapter> HostAdapters();
/* The host's IPv4 routes (the kernel's main table). */
std::vector<Route> HostRoutes();
/* The host's interface index that would carry traffic to the address (family 4 or 6
 * bytes); false when there is no route. */
bool HostBestInterface(const uint8_t *address, bool ipv6, uint32_t *index);
/* Text to address: dotted IPv4 or numeric IPv6; false when it is neither. */
bool ParseAddress4(const char *text, uint32_t *address);
bool ParseAddress6(const char *text, uint8_t bytes[16]);

} // namespace qmip

#endif
