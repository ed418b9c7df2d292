/*
 * Local adapter queries over GetAdaptersInfo and GetAdaptersAddresses. Adapter buffers
 * come from the library's allocator, sized by a first call, and are always freed.
 */
#include "management/network/pmc_adapter_info.h"

#include <cstring>

#include "management/base/pmc_status.h"
#include "management/network/pmc_address_factory.h"
#include "management/network/pmc_address_factory_private.h"
#include "management/network/pmc_local_network_info.h"
#include "management/network/pmc_socket_api.h"

/* Flags of the IPv6 adapter queries: skip anycast, multicast and DNS servers, include prefixes. */
static const ULONG kAdapterFlags = 30;

/* One adapter function: its answer for a buffer of *size bytes (null asks for the size). */
typedef ULONG (*PmcAdapterCall)(void *buffer, ULONG *size, ULONG family);

static ULONG call_info(void *buffer, ULONG *size, ULONG)
{
    return NPmcIpHelpAPI::GetAdaptersInfo((PIP_ADAPTER_INFO)buffer, size);
}

static ULONG call_addresses(void *buffer, ULONG *size, ULONG family)
{
    return NPmcIpHelpAPI::GetAdaptersAddresses(family, kAdapterFlags, nullptr, (PIP_ADAPTER_ADDRESSES)buffer, size);
}

/*
 * fetch_adapters: the answer of `call` in a zero-filled buffer sized by a first call
 * (freed with pmc_free), or null with *error set to the function's own answer (232 no
 * adapters), -3, or -10 when the function is not `bound`.
 */
static void *fetch_adapters(bool bound, PmcAdapterCall call, ULONG family, int *error)
{
    *error = PMC_E_SYSTEM;
    if (!bound)
        return nullptr;
    ULONG size = 0;
    ULONG answer = call(nullptr, &size, family);
    void *list = nullptr;
    while (answer == ERROR_BUFFER_OVERFLOW) {
        pmc_free(list);
        list = pmc_alloc(size);
        if (!list) {
            *error = PMC_E_MEMORY;
            return nullptr;
        }
        std::memset(list, 0, size);
        answer = call(list, &size, family);
    }
    if (answer != NO_ERROR) {
        pmc_free(list);
        *error = (int)answer;
        return nullptr;
    }
    return list;
}

/* adapters_info: the IPv4 adapter list (GetAdaptersInfo), as fetch_adapters. */
static IP_ADAPTER_INFO *adapters_info(int *error)
{
    bool bound = pmc_bind_iphelp() == PMC_OK && NPmcIpHelpAPI::GetAdaptersInfo;
    return (IP_ADAPTER_INFO *)fetch_adapters(bound, call_info, 0, error);
}

/* adapters_addresses: the adapter list of `family` (GetAdaptersAddresses), as fetch_adapters. */
static IP_ADAPTER_ADDRESSES *adapters_addresses(ULONG family, int *error)
{
    bool bound = pmc_bind_iphelp() == PMC_OK && NPmcIpHelpAPI::GetAdaptersAddresses;
    return (IP_ADAPTER_ADDRESSES *)fetch_adapters(bound, call_addresses, family, error);
}

/* A status of the adapter functions: their own error codes mean "no adapters". */
static bool no_adapters(int error)
{
    return error > 0;
}

static bool usable_ipv4(const IP_ADAPTER_INFO *a)
{
    return a->Type != IF_TYPE_SOFTWARE_LOOPBACK;
}

static bool nonzero_unicast(const IP_ADAPTER_UNICAST_ADDRESS *u)
{
    if (!u->Address.lpSockaddr || u->Address.lpSockaddr->sa_family != AF_INET6)
        return false;
    const SOCKADDR_IN6 *sin6 = (const SOCKADDR_IN6 *)u->Address.lpSockaddr;
    static const uint8_t zero[16] = {};
    return std::memcmp(sin6->sin6_addr.s6_addr, zero, 16) != 0;
}

/* usable_ipv6: neither loopback nor tunnel, with a non-zero unicast address. */
static bool usable_ipv6(const IP_ADAPTER_ADDRESSES *a)
{
    if (a->IfType == IF_TYPE_SOFTWARE_LOOPBACK || a->IfType == IF_TYPE_TUNNEL)
        return false;
    for (const IP_ADAPTER_UNICAST_ADDRESS *u = a->FirstUnicastAddress; u; u = u->Next) {
        if (nonzero_unicast(u))
            return true;
    }
    return false;
}

int pmc_ipv4_available(bool *out)
{
    if (!out)
        return PMC_E_ARG;
    *out = false;
    if (pmc_bind_iphelp() != PMC_OK) {
        IPmcNetworkAddress *local = nullptr;
        *out = pmc_local_host_address(PMC_PROTOCOL_IPV4, &local) == PMC_OK;
        if (local)
            local->release();
        return PMC_OK;
    }
    int error = 0;
    IP_ADAPTER_INFO *list = adapters_info(&error);
    if (!list)
        return no_adapters(error) ? PMC_OK : error;
    for (IP_ADAPTER_INFO *a = list; a && !*out; a = a->Next)
        *out = usable_ipv4(a) && std::strcmp(a->IpAddressList.IpAddress.String, "0.0.0.0") != 0;
    pmc_free(list);
    return PMC_OK;
}

/* any_ipv6_adapter: whether an IPv6 adapter passes `match` (with `mac`); no adapters is
 * false. 0 or the query's status. */
static int any_ipv6_adapter(bool (*match)(const IP_ADAPTER_ADDRESSES *, const char *), const char *mac, bool *out)
{
    int error = 0;
    IP_ADAPTER_ADDRESSES *list = adapters_addresses(AF_INET6, &error);
    if (!list)
        return no_adapters(error) ? PMC_OK : error;
    for (IP_ADAPTER_ADDRESSES *a = list; a && !*out; a = a->Next)
        *out = match(a, mac);
    pmc_free(list);
    return PMC_OK;
}

static bool usable_ipv6_adapter(const IP_ADAPTER_ADDRESSES *a, const char *)
{
    return usable_ipv6(a);
}

int pmc_ipv6_available(bool *out)
{
    if (!out)
        return PMC_E_ARG;
    *out = false;
    return any_ipv6_adapter(usable_ipv6_adapter, nullptr, out);
}

int pmc_count_adapters(int protocol, uint32_t *count)
{
    if (!count)
        return PMC_E_ARG;
    *count = 0;
    int error = 0;
    if (protocol == PMC_PROTOCOL_IPV4) {
        IP_ADAPTER_INFO *list = adapters_info(&error);
        if (!list)
            return no_adapters(error) ? PMC_OK : error;
        for (IP_ADAPTER_INFO *a = list; a; a = a->Next)
            *count += usable_ipv4(a);
        pmc_free(list);
        return PMC_OK;
    }
    if (protocol == PMC_PROTOCOL_IPV6) {
        IP_ADAPTER_ADDRESSES *list = adapters_addresses(AF_INET6, &error);
        if (!list)
            return no_adapters(error) ? PMC_OK : error;
        for (IP_ADAPTER_ADDRESSES *a = list; a; a = a->Next)
            *count += usable_ipv6(a);
        pmc_free(list);
        return PMC_OK;
    }
    return PMC_E_ARG;
}

/* mac_object: the MAC text of six bytes as a new text object. */
static int mac_object(const BYTE *mac, CPmcByteString **out)
{
    char text[PMC_MAC_TEXT_SIZE];
    pmc_print_mac(mac, text);
    return pmc_new_text_object(text, out);
}

/* holds_ipv6: an adapter's non-zero unicast address prints (plain or scoped) as `text`. */
static bool holds_ipv6(const IP_ADAPTER_ADDRESSES *a, const char *text)
{
    for (const IP_ADAPTER_UNICAST_ADDRESS *u = a->FirstUnicastAddress; u; u = u->Next) {
        if (!nonzero_unicast(u))
            continue;
        const SOCKADDR_IN6 *sin6 = (const SOCKADDR_IN6 *)u->Address.lpSockaddr;
        char printed[PMC_IPV6_SCOPED_TEXT_SIZE];
        pmc_print_ipv6(sin6->sin6_addr.s6_addr, 0, printed);
        if (pmc_equal_nocase(printed, text))
            return true;
        pmc_print_ipv6(sin6->sin6_addr.s6_addr, sin6->sin6_scope_id, printed);
        if (pmc_equal_nocase(printed, text))
            return true;
    }
    return false;
}

int pmc_adapter_mac(int protocol, const char *address, CPmcByteString **out)
{
    if (!address || !out)
        return PMC_E_ARG;
    *out = nullptr;
    int error = 0;
    int status = PMC_E_RANGE;
    if (protocol == PMC_PROTOCOL_IPV4) {
        IP_ADAPTER_INFO *list = adapters_info(&error);
        if (!list)
            return no_adapters(error) ? PMC_E_RANGE : error;
        for (IP_ADAPTER_INFO *a = list; a && status == PMC_E_RANGE; a = a->Next) {
            if (usable_ipv4(a) && (!*address || std::strcmp(a->IpAddressList.IpAddress.String, address) == 0))
                status = mac_object(a->Address, out);
        }
        pmc_free(list);
        return status;
    }
    if (protocol == PMC_PROTOCOL_IPV6) {
        IP_ADAPTER_ADDRESSES *list = adapters_addresses(AF_INET6, &error);
        if (!list)
            return no_adapters(error) ? PMC_E_RANGE : error;
        for (IP_ADAPTER_ADDRESSES *a = list; a && status == PMC_E_RANGE; a = a->Next) {
            if (usable_ipv6(a) && (!*address || holds_ipv6(a, address)))
                status = mac_object(a->PhysicalAddress, out);
        }
        pmc_free(list);
        return status;
    }
    return PMC_E_ARG;
}

static bool same_mac(const BYTE *mac, const char *text)
{
    char printed[PMC_MAC_TEXT_SIZE];
    pmc_print_mac(mac, printed);
    return pmc_equal_nocase(printed, text);
}

static bool ipv6_adapter_with_mac(const IP_ADAPTER_ADDRESSES *a, const char *mac)
{
    return usable_ipv6(a) && same_mac(a->PhysicalAddress, mac);
}

int pmc_is_local_mac(const char *mac, bool *out)
{
    if (!mac || !out)
        return PMC_E_ARG;
    *out = false;
    int error = 0;
    if (IP_ADAPTER_INFO *list = adapters_info(&error)) {
        for (IP_ADAPTER_INFO *a = list; a && !*out; a = a->Next)
            *out = usable_ipv4(a) && same_mac(a->Address, mac);
        pmc_free(list);
        return PMC_OK;
    }
    return any_ipv6_adapter(ipv6_adapter_with_mac, mac, out);
}

/* best_ipv6_local: the IPv6 route choice, inside a Winsock 2.2 bracket. */
static int best_ipv6_local(const char *text, int protocol, uint16_t port, IPmcNetworkAddress **out)
{
    if (pmc_bind_iphelp() != PMC_OK || !NPmcIpHelpAPI::GetBestInterfaceEx || !NPmcIpHelpAPI::GetAdaptersAddresses)
        return PMC_E_UNSUPPORTED;
    CPmcWinsockBracket winsock(true);
    if (winsock.status() != PMC_OK)
        return winsock.status();
    if (!pmc_name_resolution_available())
        return PMC_E_UNSUPPORTED;
    addrinfo hints = {};
    hints.ai_flags = AI_PASSIVE | AI_NUMERICHOST;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo *peer = nullptr;
    if (NPmcSocketAPI::getaddrinfo(text, nullptr, &hints, &peer) != 0)
        return PMC_E_FAIL;
    DWORD best = 0;
    int family = peer->ai_family;
    int status = NPmcIpHelpAPI::GetBestInterfaceEx(peer->ai_addr, &best) == NO_ERROR ? PMC_OK : PMC_E_UNSUPPORTED;
    NPmcSocketAPI::freeaddrinfo(peer);
    if (status != PMC_OK)
        return status;
    int error = 0;
    IP_ADAPTER_ADDRESSES *list = adapters_addresses((ULONG)family, &error);
    if (!list)
        return no_adapters(error) ? PMC_E_FAIL : error;
    status = PMC_E_FAIL;
    for (IP_ADAPTER_ADDRESSES *a = list; a && status == PMC_E_FAIL; a = a->Next) {
        DWORD index = family == AF_INET6 ? a->Ipv6IfIndex : a->IfIndex;
        const IP_ADAPTER_UNICAST_ADDRESS *u = a->FirstUnicastAddress;
        if (index != best || !u || !u->Address.lpSockaddr || u->Address.lpSockaddr->sa_family != family)
            continue;
        char host[1025];
        if (NPmcSocketAPI::getnameinfo(
                u->Address.lpSockaddr, u->Address.iSockaddrLength, host, sizeof host, nullptr, 0, NI_NUMERICHOST) != 0)
            continue;
        status = pmc_make_address(host, protocol, port, out);
    }
    pmc_free(list);
    return status;
}

int pmc_best_local_address(IPmcNetworkAddress *peer, IPmcNetworkAddress **out)
{
    if (!peer || !out)
        return PMC_E_ARG;
    *out = nullptr;
    const char *text = nullptr;
    int protocol = 0;
    uint16_t port = 0;
    peer->get(&text, &protocol, &port);
    if (protocol == PMC_PROTOCOL_IPV4 || protocol == PMC_PROTOCOL_IPX)
        return pmc_local_address_for_destination(peer, out);
    if (protocol == PMC_PROTOCOL_IPV6)
        return best_ipv6_local(text, protocol, port, out);
    return PMC_E_ARG;
}
