/*
 * CPmcNetworkAddress: text, protocol and port.
 */
#include "management/network/pmc_network_address.h"

#include <cstring>

#include "management/base/pmc_status.h"
#include "management/network/pmc_address_factory.h"

/* lower_hex: a copy of `text` with A-F in lower case (other characters unchanged), in
 * `out`. Returns 0 or -3. */
static int assign_lower_hex(CPmcByteString *out, const char *text)
{
    CPmcByteString *scratch = pmc_create_byte_string(nullptr);
    if (!scratch)
        return PMC_E_MEMORY;
    int status = scratch->assign(text);
    char *data = status == PMC_OK ? const_cast<char *>(scratch->data()) : nullptr;
    for (uint32_t i = 0; data && i < scratch->length(); ++i) {
        if (data[i] >= 'A' && data[i] <= 'F')
            data[i] = (char)(data[i] - 'A' + 'a');
    }
    if (status == PMC_OK)
        status = out->assign(scratch->data(), scratch->length());
    scratch->release();
    return status;
}

CPmcNetworkAddress *CPmcNetworkAddress::create()
{
    CPmcNetworkAddress *address = new CPmcNetworkAddress();
    if (!address)
        return nullptr;
    address->m_text = pmc_create_byte_string(nullptr);
    if (!address->m_text) {
        delete address;
        return nullptr;
    }
    return address;
}

CPmcNetworkAddress::~CPmcNetworkAddress()
{
    if (m_text)
        m_text->release();
}

void CPmcNetworkAddress::release()
{
    delete this;
}

int CPmcNetworkAddress::set(const char *text, int protocol, uint16_t port)
{
    if (text) {
        int status = assign_lower_hex(m_text, text);
        if (status != PMC_OK)
            return status;
    }
    if (protocol != 0)
        m_protocol = protocol;
    if (port != 0)
        m_port = port;
    return PMC_OK;
}

int CPmcNetworkAddress::set_text(const char *text)
{
    if (!text)
        return PMC_E_ARG;
    int protocol = 0;
    int status = pmc_classify_address(text, &protocol);
    if (status != PMC_OK)
        return status;
    if (m_protocol != 0 && m_protocol != protocol)
        return PMC_E_ARG;
    status = assign_lower_hex(m_text, text);
    if (status == PMC_OK)
        m_protocol = protocol;
    return status;
}

int CPmcNetworkAddress::get(const char **text, int *protocol, uint16_t *port)
{
    if (!text)
        return PMC_E_ARG;
    *text = m_text->data() ? m_text->data() : "";
    if (protocol)
        *protocol = m_protocol;
    if (port)
        *port = m_port;
    return PMC_OK;
}

/* same_address: equal texts (case-insensitive), or equal numeric forms. */
static bool same_address(const char *a, const char *b)
{
    if (pmc_equal_nocase(a, b))
        return true;
    CPmcByteString *pa = nullptr;
    CPmcByteString *pb = nullptr;
    bool same = pmc_parse_address(a, &pa) == PMC_OK && pmc_parse_address(b, &pb) == PMC_OK && pa->equals(pb);
    if (pa)
        pa->release();
    if (pb)
        pb->release();
    return same;
}

bool CPmcNetworkAddress::equals(IPmcNetworkAddress *other)
{
    const char *text = nullptr;
    int protocol = 0;
    uint16_t port = 0;
    if (!other || other->get(&text, &protocol, &port) != PMC_OK)
        return false;
    if (protocol != m_protocol || (port != 0 && port != m_port))
        return false;
    return same_address(m_text->data() ? m_text->data() : "", text);
}

int CPmcNetworkAddress::copy(IPmcNetworkAddress **out)
{
    if (!out)
        return PMC_E_ARG;
    *out = nullptr;
    return pmc_make_address(m_text->data() ? m_text->data() : "", m_protocol, m_port, out);
}

int CPmcNetworkAddress::resolve_host_name(CPmcByteString **out)
{
    if (!out)
        return PMC_E_ARG;
    IPmcAddressFactory *factory = nullptr;
    int status = pmc_get_address_factory(&factory);
    if (status != PMC_OK)
        return status;
    return factory->reverse_lookup(m_text->data() ? m_text->data() : "", out);
}

int pmc_make_address(const char *text, int protocol, uint16_t port, IPmcNetworkAddress **out)
{
    if (!out)
        return PMC_E_ARG;
    *out = nullptr;
    CPmcNetworkAddress *address = CPmcNetworkAddress::create();
    if (!address)
        return PMC_E_MEMORY;
    int status = address->set(text, protocol, port);
    if (status != PMC_OK) {
        address->release();
        return status;
    }
    *out = address;
    return PMC_OK;
}
