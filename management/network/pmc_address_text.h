/*
 * The text forms of network addresses: IPv4 dotted, IPX network:node, IPv6 parse and
 * print (with scope), MAC, and the protocol <-> socket family mapping. Pure functions.
 */
#ifndef MANAGEMENT_NETWORK_PMC_ADDRESS_TEXT_H
#define MANAGEMENT_NETWORK_PMC_ADDRESS_TEXT_H

#include <cstddef>
#include <cstdint>

/* Protocol numbers of an address (IPmcNetworkAddress::EProtocol). */
enum PmcProtocol { PMC_PROTOCOL_UNSPEC = 0, PMC_PROTOCOL_IPV4 = 1, PMC_PROTOCOL_IPX = 2, PMC_PROTOCOL_IPV6 = 4 };

/* Broadcast texts. */
extern const char PMC_BROADCAST_IPV4[]; /* "255.255.255.255", also for IPX */
extern const char PMC_BROADCAST_IPV6[]; /* "ff02::1" */

/* Printed sizes (with the NUL). */
constexpr std::size_t PMC_IPV6_TEXT_SIZE = 40;        /* eight groups of four and ":" */
constexpr std::size_t PMC_IPV6_SCOPED_TEXT_SIZE = 52; /* and "%" with a scope number */
constexpr std::size_t PMC_MAC_TEXT_SIZE = 18;

/* pmc_protocol_of_family: 2 -> 1, 6 -> 2, 23 -> 4, 0 -> 0; other families 0. */
int pmc_protocol_of_family(int family);
/* pmc_family_of_protocol: 1 -> 2, 2 -> 6, 4 -> 23, 0 -> 0; other protocols themselves. */
int pmc_family_of_protocol(int protocol);

/*
 * pmc_parse_ipv4: whether `text` is exactly four decimal numbers of at most 255 joined by
 * "." with nothing after. bytes (out, may be null): the four numbers on success.
 */
bool pmc_parse_ipv4(const char *text, uint8_t bytes[4]);

/*
 * pmc_parse_ipx: whether `text` is the 21-character IPX form (8 hex digits of network,
 * ":", 12 hex digits of node). network/node (out, may be null): the bytes on success.
 */
bool pmc_parse_ipx(const char *text, uint8_t network[4], uint8_t node[6]);

/*
 * pmc_parse_ipv6: the 16 bytes of an IPv6 text (no scope). A "::" is expanded by counting
 * the text's colons (at most 8): the part before it (or "0" when it leads), 8 - c groups
 * "0", then the part after it; a "::" at the end fills the missing groups with 0. A text
 * without "::" is cut to 43 characters. The result must read as eight hexadecimal
 * groups. Returns 0, or -2 (null or no eight groups).
 */
int pmc_parse_ipv6(const char *text, uint8_t bytes[16]);

/*
 * pmc_print_ipv6: eight groups of four lower-case digits; with a non-zero scope, "%" and
 * the scope number follow. out must hold PMC_IPV6_SCOPED_TEXT_SIZE bytes.
 */
void pmc_print_ipv6(const uint8_t bytes[16], uint32_t scope, char *out);

/* pmc_print_mac: "%02X-%02X-%02X-%02X-%02X-%02X"; out holds PMC_MAC_TEXT_SIZE bytes. */
void pmc_print_mac(const uint8_t mac[6], char *out);

/* pmc_equal_nocase: whether two texts are equal ignoring ASCII case; false for null. */
bool pmc_equal_nocase(const char *a, const char *b);

#endif /* MANAGEMENT_NETWORK_PMC_ADDRESS_TEXT_H */
