/*
 * The shared part of the address factories.
 */
#include "management/pmc_address_factory_private.h"

#include "management/pmc_adapter_info.h"
#include "management/pmc_socket_api.h"
#include "management/pmc_status.h"

CPmcWinsockBracket::CPmcWinsockBracket(bool version_22)
    : m_status(version_22 ? pmc_start_winsock_22() : pmc_start_winsock_11())
{
}

CPmcWinsockBracket::~CPmcWinsockBracket()
{
    if (m_status == PMC_OK)
        pmc_stop_winsock();
}

int CPmcAddressFactoryBase::create_address(IPmcNetworkAddress **out)
{
    return pmc_make_address("", 0, 0, out);
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
