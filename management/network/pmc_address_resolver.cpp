/*
 * The name-resolution address factory: getaddrinfo and getnameinfo under Winsock 2.2.
 */
#include "management/network/pmc_address_factory_private.h"

#include <cstdlib>

#include "management/base/pmc_status.h"
#include "management/network/pmc_socket_api.h"

/* Buffer sizes of getnameinfo. */
static const DWORD kHostSize = 1025;
static const DWORD kServiceSize = 32;

class CPmcResolvingFactory : public CPmcAddressFactoryBase
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
        return true;
    }
};

IPmcAddressFactory *pmc_new_resolving_factory()
{
    return new CPmcResolvingFactory();
}

/* lookup: getaddrinfo with {flags, family, SOCK_DGRAM}. 0 or -1 (*out null). */
static int lookup(const char *node, const char *service, int flags, int family, addrinfo **out)
{
    addrinfo hints = {};
    hints.ai_flags = flags;
    hints.ai_family = family;
    hints.ai_socktype = SOCK_DGRAM;
    *out = nullptr;
    return NPmcSocketAPI::getaddrinfo(node, service, &hints, out) == 0 ? PMC_OK : PMC_E_FAIL;
}

/* numeric_lookup: getaddrinfo with AI_PASSIVE | AI_NUMERICHOST over any family. */
static int numeric_lookup(const char *text, addrinfo **out)
{
    return lookup(text, nullptr, AI_PASSIVE | AI_NUMERICHOST, AF_UNSPEC, out);
}

/*
 * first_names: getnameinfo of the list's first entry into a host buffer of kHostSize and
 * a service buffer of kServiceSize (either may be null) with `flags`; frees the list.
 * Returns 0 or -1.
 */
static int first_names(addrinfo *list, char *host, char *service, int flags)
{
    int answer = NPmcSocketAPI::getnameinfo(
        list->ai_addr, (int)list->ai_addrlen, host, host ? kHostSize : 0, service, service ? kServiceSize : 0, flags);
    NPmcSocketAPI::freeaddrinfo(list);
    return answer == 0 ? PMC_OK : PMC_E_FAIL;
}

/* numeric_text: the text object of getnameinfo(flags) of a numeric text's address. */
static int numeric_text(const char *text, int flags, CPmcByteString **out)
{
    addrinfo *list = nullptr;
    if (numeric_lookup(text, &list) != PMC_OK)
        return PMC_E_FAIL;
    char host[kHostSize];
    int status = first_names(list, host, nullptr, flags);
    return status == PMC_OK ? pmc_new_text_object(host, out) : status;
}

int CPmcResolvingFactory::do_classify(const char *text, int *protocol)
{
    if (pmc_parse_ipx(text, nullptr, nullptr)) {
        *protocol = PMC_PROTOCOL_IPX;
        return PMC_OK;
    }
    addrinfo *list = nullptr;
    if (numeric_lookup(text, &list) != PMC_OK)
        return PMC_E_FAIL;
    *protocol = pmc_protocol_of_family(list->ai_family);
    NPmcSocketAPI::freeaddrinfo(list);
    return PMC_OK;
}

int CPmcResolvingFactory::do_parse(const char *text, CPmcByteString **out)
{
    if (pmc_parse_ipx(text, nullptr, nullptr))
        return pmc_new_text_object(text, out);
    return numeric_text(text, NI_NUMERICHOST, out);
}

int CPmcResolvingFactory::do_resolve_host_name(const char *text, CPmcObjectList **out)
{
    addrinfo *list = nullptr;
    if (lookup(text, nullptr, AI_PASSIVE, AF_UNSPEC, &list) != PMC_OK)
        return PMC_E_FAIL;
    int status = PMC_E_MEMORY;
    CPmcObjectList *addresses = pmc_create_address_list(&status);
    for (addrinfo *entry = list; addresses && entry && status == PMC_OK; entry = entry->ai_next) {
        char host[kHostSize];
        char service[kServiceSize];
        if (NPmcSocketAPI::getnameinfo(entry->ai_addr,
                                       (int)entry->ai_addrlen,
                                       host,
                                       kHostSize,
                                       service,
                                       kServiceSize,
                                       NI_NUMERICHOST | NI_NUMERICSERV) != 0)
            continue;
        IPmcNetworkAddress *address = nullptr;
        status = pmc_make_address(
            host, pmc_protocol_of_family(entry->ai_family), (uint16_t)std::strtoul(service, nullptr, 10), &address);
        if (status == PMC_OK && (status = addresses->append(address)) != PMC_OK)
            address->release();
    }
    NPmcSocketAPI::freeaddrinfo(list);
    if (status != PMC_OK) {
        if (addresses)
            addresses->release();
        return status;
    }
    *out = addresses;
    return PMC_OK;
}

int CPmcResolvingFactory::do_reverse_lookup(const char *text, CPmcByteString **out)
{
    return numeric_text(text, NI_NAMEREQD, out);
}

int CPmcResolvingFactory::do_local_host_address(int protocol, IPmcNetworkAddress **out)
{
    char name[kHostSize];
    if (NPmcSocketAPI::gethostname(name, (int)sizeof name) != 0)
        return PMC_E_FAIL;
    addrinfo *list = nullptr;
    if (lookup(name, nullptr, AI_PASSIVE, pmc_family_of_protocol(protocol), &list) != PMC_OK)
        return PMC_E_FAIL;
    char host[kHostSize];
    char service[kServiceSize];
    int status = first_names(list, host, service, NI_NUMERICHOST | NI_NUMERICSERV);
    if (status != PMC_OK)
        return status;
    return pmc_make_address(host, protocol, (uint16_t)std::strtoul(service, nullptr, 10), out);
}

int CPmcResolvingFactory::do_service_port(const char *name, int protocol, uint16_t *port)
{
    addrinfo *list = nullptr;
    if (lookup(nullptr, name, AI_PASSIVE, pmc_family_of_protocol(protocol), &list) != PMC_OK)
        return PMC_E_FAIL;
    char service[kServiceSize];
    int status = first_names(list, nullptr, service, NI_NUMERICSERV);
    if (status == PMC_OK)
        *port = (uint16_t)std::strtoul(service, nullptr, 10);
    return status;
}
