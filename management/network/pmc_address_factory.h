/*
 * The process-wide address factory and its forwarding operations. The factory is made on
 * first use, under its lock: the name-resolution implementation when the Winsock binding
 * found getaddrinfo, getnameinfo and freeaddrinfo, the IPv4-only one otherwise. Every
 * operation starts Winsock (2.2 on the name-resolution path, 1.1 on the IPv4-only path)
 * and stops it again.
 */
#ifndef MANAGEMENT_NETWORK_PMC_ADDRESS_FACTORY_H
#define MANAGEMENT_NETWORK_PMC_ADDRESS_FACTORY_H

#include <cstdint>

#include "management/base/pmc_byte_string.h"
#include "management/base/pmc_object_list.h"
#include "management/network/pmc_network_address.h"

class IPmcAddressFactory
{
public:
    virtual void release() = 0;
    /* create_address: a new empty address object. 0, -2, -3. */
    virtual int create_address(IPmcNetworkAddress **out) = 0;
    /* classify: the protocol of a text; -1 (name resolution failed) or -7 (no known form)
     * with protocol 0. */
    virtual int classify(const char *text, int *protocol) = 0;
    /* parse: the address text object of a text (numeric form). -1, -2, -3, -7. */
    virtual int parse(const char *text, CPmcByteString **out) = 0;
    /* resolve_host_name: the addresses of a host name, a list of IPmcNetworkAddress the
     * caller releases. -1 when the lookup fails. */
    virtual int resolve_host_name(const char *text, CPmcObjectList **out) = 0;
    /* reverse_lookup: the host name of a numeric text. -1, -2, -3. */
    virtual int reverse_lookup(const char *text, CPmcByteString **out) = 0;
    /* local_host_address: the local host's address of a protocol; IPX -5. */
    virtual int local_host_address(int protocol, IPmcNetworkAddress **out) = 0;
    /* service_port: the port (host order) of a service name for a protocol. */
    virtual int service_port(const char *name, int protocol, uint16_t *port) = 0;
    /* protocol_available: whether the protocol can be used on this computer; -2 null. */
    virtual int protocol_available(int protocol, bool *out) = 0;

protected:
    ~IPmcAddressFactory() = default;
};

/* pmc_get_address_factory: the factory, made on first use. 0, or -3 (null then). */
int pmc_get_address_factory(IPmcAddressFactory **out);

/* The five forwarding operations: each gets the factory (its -3) and calls it. */
int pmc_create_network_address(IPmcNetworkAddress **out);
int pmc_parse_address(const char *text, CPmcByteString **out);
int pmc_local_host_address(int protocol, IPmcNetworkAddress **out);
int pmc_classify_address(const char *text, int *protocol);
int pmc_transport_available(int protocol, bool *out);

/* pmc_address_factory_destroy: frees the factory (at unload); the next use makes one. */
void pmc_address_factory_destroy();

/* The two implementations (pmc_address_resolver.cpp, pmc_address_ipv4.cpp). */
IPmcAddressFactory *pmc_new_resolving_factory();
IPmcAddressFactory *pmc_new_ipv4_factory();

/* pmc_create_address_list: an empty list of IPmcNetworkAddress (released with the list). */
CPmcObjectList *pmc_create_address_list(int *code);

#endif /* MANAGEMENT_NETWORK_PMC_ADDRESS_FACTORY_H */
