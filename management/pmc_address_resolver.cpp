/*
 * The name-resolution address factory: getaddrinfo and getnameinfo under Winsock 2.2.
 */
#include "management/pmc_address_factory_private.h"

#include <cstdlib>

#include "management/pmc_socket_api.h"
#include "management/pmc_status.h"

/* Buffer sizes of getnameinfo. */
static const DWORD kHostSize = 1025;
static const DWORD kServiceSize = 32;

class CPmcResolvingFactory : public CPmcAddressFactoryBase {
public:
    int classify(const char *text, int *protocol) override;
    int parse(const char *text, CPmcByteString **out) override;
    int resolve_host_name(const char *text, CPmcObjectList **out) override;
    int reverse_lookup(const char *text, CPmcByteString **out) override;
    int local_host_address(int protocol, IPmcNetworkAddress **out) override;
    int service_port(const char *name, int protocol, uint16_t *port) override;
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

int CPmcResolvingFactory::classify(const char *text, int *protocol)
{
    if (!text || !protocol)
        return PMC_E_ARG;
    *protocol = PMC_PROTOCOL_UNSPEC;
    CPmcWinsockBracket winsock(true);
    if (winsock.status() != PMC_OK)
        return winsock.status();
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

int CPmcResolvingFactory::parse(const char *text, CPmcByteString **out)
{
    if (!text || !out)
        return PMC_E_ARG;
    *out = nullptr;
    CPmcWinsockBracket winsock(true);
    if (winsock.status() != PMC_OK)
        return winsock.status();
    if (pmc_parse_ipx(text, nullptr, nullptr))
        return pmc_new_text_object(text, out);
    addrinfo *list = nullptr;
    if (numeric_lookup(text, &list) != PMC_OK)
        return PMC_E_FAIL;
    char host[kHostSize];
    int status = NPmcSocketAPI::getnameinfo(list->ai_addr, (int)list->ai_addrlen, host, kHostSize, nullptr, 0,
                                            NI_NUMERICHOST) == 0
                     ? PMC_OK
                     : PMC_E_FAIL;
    NPmcSocketAPI::freeaddrinfo(list);
    return status == PMC_OK ? pmc_new_text_object(host, out) : status;
}

int CPmcResolvingFactory::resolve_host_name(const char *text, CPmcObjectList **out)
{
    if (!text || !out)
        return PMC_E_ARG;
    *out = nullptr;
    CPmcWinsockBracket winsock(true);
    if (winsock.status() != PMC_OK)
        return winsock.status();
    addrinfo *list = nullptr;
    if (lookup(text, nullptr, AI_PASSIVE, AF_UNSPEC, &list) != PMC_OK)
        return PMC_E_FAIL;
    int status = PMC_E_MEMORY;
    CPmcObjectList *addresses = pmc_create_address_list(&status);
    for (addrinfo *entry = list; addresses && entry && status == PMC_OK; entry = entry->ai_next) {
        char host[kHostSize];
        char service[kServiceSize];
        if (NPmcSocketAPI::getnameinfo(entry->ai_addr, (int)entry->ai_addrlen, host, kHostSize, service,
                                       kServiceSize, NI_NUMERICHOST | NI_NUMERICSERV) != 0)
            continue;
        IPmcNetworkAddress *address = nullptr;
        status = pmc_make_address(host, pmc_protocol_of_family(entry->ai_family),
                                  (uint16_t)std::strtoul(service, nullptr, 10), &address);
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

int CPmcResolvingFactory::reverse_lookup(const char *text, CPmcByteString **out)
{
    if (!text || !out)
        return PMC_E_ARG;
    *out = nullptr;
    CPmcWinsockBracket winsock(true);
    if (winsock.status() != PMC_OK)
        return winsock.status();
    addrinfo *list = nullptr;
    if (numeric_lookup(text, &list) != PMC_OK)
        return PMC_E_FAIL;
    char host[kHostSize];
    int status = NPmcSocketAPI::getnameinfo(list->ai_addr, (int)list->ai_addrlen, host, kHostSize, nullptr, 0,
                                            NI_NAMEREQD) == 0
                     ? PMC_OK
                     : PMC_E_FAIL;
    NPmcSocketAPI::freeaddrinfo(list);
    return status == PMC_OK ? pmc_new_text_object(host, out) : status;
}

int CPmcResolvingFactory::local_host_address(int protocol, IPmcNetworkAddress **out)
{
    if (!out)
        return PMC_E_ARG;
    *out = nullptr;
    if (protocol == PMC_PROTOCOL_IPX)
        return PMC_E_UNSUPPORTED;
    CPmcWinsockBracket winsock(true);
    if (winsock.status() != PMC_OK)
        return winsock.status();
    char name[kHostSize];
    if (NPmcSocketAPI::gethostname(name, (int)sizeof name) != 0)
        return PMC_E_FAIL;
    addrinfo *list = nullptr;
    if (lookup(name, nullptr, AI_PASSIVE, pmc_family_of_protocol(protocol), &list) != PMC_OK)
        return PMC_E_FAIL;
    char host[kHostSize];
    char service[kServiceSize];
    int status = NPmcSocketAPI::getnameinfo(list->ai_addr, (int)list->ai_addrlen, host, kHostSize, service,
                                            kServiceSize, NI_NUMERICHOST | NI_NUMERICSERV) == 0
                     ? PMC_OK
                     : PMC_E_FAIL;
    NPmcSocketAPI::freeaddrinfo(list);
    if (status != PMC_OK)
        return status;
    return pmc_make_address(host, protocol, (uint16_t)std::strtoul(service, nullptr, 10), out);
}

int CPmcResolvingFactory::service_port(const char *name, int protocol, uint16_t *port)
{
    if (!name || !port)
        return PMC_E_ARG;
    CPmcWinsockBracket winsock(true);
    if (winsock.status() != PMC_OK)
        return winsock.status();
    addrinfo *list = nullptr;
    if (lookup(nullptr, name, AI_PASSIVE, pmc_family_of_protocol(protocol), &list) != PMC_OK)
        return PMC_E_FAIL;
    char service[kServiceSize];
    int status = NPmcSocketAPI::getnameinfo(list->ai_addr, (int)list->ai_addrlen, nullptr, 0, service,
                                            kServiceSize, NI_NUMERICSERV) == 0
                     ? PMC_OK
                     : PMC_E_FAIL;
    NPmcSocketAPI::freeaddrinfo(list);
    if (status == PMC_OK)
        *port = (uint16_t)std::strtoul(service, nullptr, 10);
    return status;
}
