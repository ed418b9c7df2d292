/*
 * Queries about the local host's adapters through the IP Helper binding: whether IPv4 or
 * IPv6 can be used, adapter counts, the MAC of the adapter that holds an address, whether
 * a MAC is local, and the local address that faces a peer. -10 when IP Helper cannot be
 * bound or a needed function is missing (unless said otherwise).
 */
#ifndef MANAGEMENT_NETWORK_PMC_ADAPTER_INFO_H
#define MANAGEMENT_NETWORK_PMC_ADAPTER_INFO_H

#include <cstdint>

#include "management/base/pmc_byte_string.h"
#include "management/network/pmc_network_address.h"

/* pmc_ipv4_available: an adapter other than loopback has an address other than 0.0.0.0.
 * Without IP Helper: whether a local IPv4 host address can be found. 0, -2, -10. */
int pmc_ipv4_available(bool *out);

/* pmc_ipv6_available: an adapter neither loopback nor tunnel has a non-zero unicast
 * address. 0, -2, -10. */
int pmc_ipv6_available(bool *out);

/* pmc_count_adapters: adapters of protocol 1 or 4 as above; -2 for other protocols. */
int pmc_count_adapters(int protocol, uint32_t *count);

/*
 * pmc_adapter_mac: the MAC text of the adapter holding `address` (protocol 1: its first
 * IPv4 address, exactly; protocol 4: any non-zero unicast address, printed or scoped,
 * ignoring case); an empty text takes the first eligible adapter. -7 when none matches,
 * -2 for null arguments or other protocols.
 */
int pmc_adapter_mac(int protocol, const char *address, CPmcByteString **out);

/* pmc_is_local_mac: whether the MAC text (any case) belongs to an IPv4 adapter, or, when
 * the IPv4 query fails, to an IPv6 adapter. 0, -2, -10. */
int pmc_is_local_mac(const char *mac, bool *out);

/*
 * pmc_best_local_address: the local address facing `peer`, with the peer's protocol and
 * port. IPv4 and IPX through the local route tables; IPv6 through GetBestInterfaceEx and
 * GetAdaptersAddresses (-5 when either is missing or the best interface is unknown; -1
 * when no adapter fits). Other protocols -2.
 */
int pmc_best_local_address(IPmcNetworkAddress *peer, IPmcNetworkAddress **out);

#endif /* MANAGEMENT_NETWORK_PMC_ADAPTER_INFO_H */
