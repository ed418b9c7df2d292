/*
 * The IPv4-only address factory, for a socket library without getaddrinfo: dotted and IPX
 * texts only, host names through gethostbyname, all under Winsock 1.1.
 */
#include "management/network/pmc_address_factory_private.h"

#include <cstdio>
#include <cstring>

#include "management/base/pmc_status.h"
#include "management/network/pmc_socket_api.h"

class CPmcIpv4Factory : public CPmcAddressFactoryBase
{
public:
    int do_classify(const char *text, int *protocol) override;
    int do_parse(const char *text, CPmcByteString **out) override;
    int do_resolve_host_name(const char *text, CPmcObjectList **out) override;
    int do_reverse_lookup(const char *text, CPmcByteString **out) override;
    int do_local_host_address(int protocol, IPmcNetworkAddress **out) override;
    int do_service_port(const char *name, int protocol, uint16_t *port) override;
    bool version_22() const override
    {
        return false;
    }
};

IPmcAddressFactory *pmc_new_ipv4_factory()
{
    return new CPmcIpv4Factory();
}

/* The dotted text of a host entry's address. */
static const char *dotted(const char *address)
{
    in_addr in;
    std::memcpy(&in, address, 4);
    return NPmcSocketAPI::inet_ntoa(in);
}

int CPmcIpv4Factory::do_classify(const char *text, int *protocol)
{
    if (pmc_parse_ipv4(text, nullptr))
        *protocol = PMC_PROTOCOL_IPV4;
    else if (pmc_parse_ipx(text, nullptr, nullptr))
        *protocol = PMC_PROTOCOL_IPX;
    else
        return PMC_E_RANGE;
    return PMC_OK;
}

int CPmcIpv4Factory::do_parse(const char *text, CPmcByteString **out)
{
    uint8_t b[4];
    if (pmc_parse_ipv4(text, b)) {
        char normal[16];
        std::snprintf(normal, sizeof normal, "%u.%u.%u.%u", b[0], b[1], b[2], b[3]);
        return pmc_new_text_object(normal, out);
    }
    if (pmc_parse_ipx(text, nullptr, nullptr))
        return pmc_new_text_object(text, out);
    return PMC_E_RANGE;
}

int CPmcIpv4Factory::do_resolve_host_name(const char *text, CPmcObjectList **out)
{
    hostent *host = NPmcSocketAPI::gethostbyname(text);
    if (!host || !host->h_addr_list || !host->h_addr_list[0])
        return PMC_E_FAIL;
    int status = PMC_E_MEMORY;
    CPmcObjectList *addresses = pmc_create_address_list(&status);
    for (char **entry = host->h_addr_list; addresses && *entry && status == PMC_OK; ++entry) {
        IPmcNetworkAddress *address = nullptr;
        status = pmc_make_address(dotted(*entry), pmc_protocol_of_family(host->h_addrtype), 0, &address);
        if (status == PMC_OK && (status = addresses->append(address)) != PMC_OK)
            address->release();
    }
    if (status != PMC_OK) {
        if (addresses)
            addresses->release();
        return status;
    }
    *out = addresses;
    return PMC_OK;
}

int CPmcIpv4Factory::do_reverse_lookup(const char *text, CPmcByteString **out)
{
    unsigned long address = NPmcSocketAPI::inet_addr(text);
    if (address == INADDR_NONE && std::strncmp(text, PMC_BROADCAST_IPV4, std::strlen(PMC_BROADCAST_IPV4)) != 0)
        return PMC_E_FAIL;
    hostent *host = NPmcSocketAPI::gethostbyaddr((const char *)&address, 4, AF_INET);
    if (!host || !host->h_name)
        return PMC_E_FAIL;
    return pmc_new_text_object(host->h_name, out);
}

int CPmcIpv4Factory::do_local_host_address(int, IPmcNetworkAddress **out)
{
    char name[1025];
    if (NPmcSocketAPI::gethostname(name, (int)sizeof name) != 0)
        return PMC_E_FAIL;
    hostent *host = NPmcSocketAPI::gethostbyname(name);
    if (!host || !host->h_addr_list || !host->h_addr_list[0])
        return PMC_E_FAIL;
    return pmc_make_address(dotted(host->h_addr_list[0]), pmc_protocol_of_family(host->h_addrtype), 0, out);
}

/* service_port: the service entry holds the port in network order; it is handed out in
 * host order, as the name-resolution path does. */
int CPmcIpv4Factory::do_service_port(const char *name, int, uint16_t *port)
{
    servent *service = NPmcSocketAPI::getservbyname(name, "udp");
    if (!service)
        return PMC_E_FAIL;
    *port = NPmcSocketAPI::ntohs((u_short)service->s_port);
    return PMC_OK;
}
