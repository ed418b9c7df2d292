/*
 * The shared part of the address factories.
 */
#include "management/network/pmc_address_factory_private.h"

#include "management/base/pmc_status.h"
#include "management/network/pmc_adapter_info.h"
#include "management/network/pmc_socket_api.h"

CPmcWinsockBracket::CPmcWinsockBracket(bool version_22)
    : m_status(version_22 ? pmc_start_winsock_22() : pmc_start_winsock_11())
{}

CPmcWinsockBracket::~CPmcWinsockBracket()
{
    if (m_status == PMC_OK)
        pmc_stop_winsock();
}

int CPmcAddressFactoryBase::create_address(IPmcNetworkAddress **out)
{
    return pmc_make_address("", 0, 0, out);
}

int CPmcAddressFactoryBase::classify(const char *text, int *protocol)
{
    if (!text || !protocol)
        return PMC_E_ARG;
    *protocol = PMC_PROTOCOL_UNSPEC;
    CPmcWinsockBracket winsock(version_22());
    return winsock.status() != PMC_OK ? winsock.status() : do_classify(text, protocol);
}

int CPmcAddressFactoryBase::parse(const char *text, CPmcByteString **out)
{
    if (!text || !out)
        return PMC_E_ARG;
    *out = nullptr;
    CPmcWinsockBracket winsock(version_22());
    return winsock.status() != PMC_OK ? winsock.status() : do_parse(text, out);
}

int CPmcAddressFactoryBase::resolve_host_name(const char *text, CPmcObjectList **out)
{
    if (!text || !out)
        return PMC_E_ARG;
    *out = nullptr;
    CPmcWinsockBracket winsock(version_22());
    return winsock.status() != PMC_OK ? winsock.status() : do_resolve_host_name(text, out);
}

int CPmcAddressFactoryBase::reverse_lookup(const char *text, CPmcByteString **out)
{
    if (!text || !out)
        return PMC_E_ARG;
    *out = nullptr;
    CPmcWinsockBracket winsock(version_22());
    return winsock.status() != PMC_OK ? winsock.status() : do_reverse_lookup(text, out);
}

int CPmcAddressFactoryBase::local_host_address(int protocol, IPmcNetworkAddress **out)
{
    if (!out)
        return PMC_E_ARG;
    *out = nullptr;
    if (protocol == PMC_PROTOCOL_IPX)
        return PMC_E_UNSUPPORTED;
    CPmcWinsockBracket winsock(version_22());
    return winsock.status() != PMC_OK ? winsock.status() : do_local_host_address(protocol, out);
}

int CPmcAddressFactoryBase::service_port(const char *name, int protocol, uint16_t *port)
{
    if (!name || !port)
        return PMC_E_ARG;
    CPmcWinsockBracket winsock(version_22());
    return winsock.status() != PMC_OK ? winsock.status() : do_service_port(name, protocol, port);
}

/* protocol_available: IPv4 and IPv6 from the adapters; others when a local address of the
 * protocol can be had. */
int CPmcAddressFactoryBase::protocol_available(int protocol, bool *out)
{
    if (!out)
        return PMC_E_ARG;
    *out = false;
    if (protocol == PMC_PROTOCOL_IPV4)
        return pmc_ipv4_available(out);
    if (protocol == PMC_PROTOCOL_IPV6)
        return pmc_ipv6_available(out);
    IPmcNetworkAddress *local = nullptr;
    *out = local_host_address(protocol, &local) == PMC_OK;
    if (local)
        local->release();
    return PMC_OK;
}

int pmc_new_text_object(const char *text, CPmcByteString **out)
{
    if (!out)
        return PMC_E_ARG;
    *out = nullptr;
    int status = PMC_E_MEMORY;
    CPmcByteString *object = pmc_create_byte_string(&status);
    if (!object)
        return status;
    status = object->assign(text);
    if (status != PMC_OK) {
        object->release();
        return status;
    }
    *out = object;
    return PMC_OK;
}
