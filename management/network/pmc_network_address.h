/*
 * IPmcNetworkAddress / CPmcNetworkAddress: an address text with its protocol and port,
 * used by the sockets and sessions. The text is kept with its hexadecimal letters A-F in
 * lower case. Made through the address factory (pmc_create_network_address).
 */
#ifndef MANAGEMENT_NETWORK_PMC_NETWORK_ADDRESS_H
#define MANAGEMENT_NETWORK_PMC_NETWORK_ADDRESS_H

#include <cstdint>

#include "management/base/pmc_byte_string.h"
#include "management/base/pmc_memory.h"
#include "management/network/pmc_address_text.h"

class IPmcNetworkAddress
{
public:
    /* Protocol numbers: PmcProtocol. */
    typedef int EProtocol;

    virtual void release() = 0;
    /* set: the text (null keeps it), protocol and port; a protocol or port of 0 keeps the
     * previous value. 0, or -3 with nothing changed. */
    virtual int set(const char *text, int protocol, uint16_t port) = 0;
    /* set_text: classifies the text through the address factory; when the object already
     * has a protocol other than the text's, -2 and nothing changes. 0, -2, -3 or the
     * classification's status. */
    virtual int set_text(const char *text) = 0;
    /* get: the text (owned by the object), protocol and port; the last two may be null.
     * -2 for a null text pointer. */
    virtual int get(const char **text, int *protocol, uint16_t *port) = 0;
    /* equals: same address (by text, or by the factory's numeric form), same protocol,
     * same port unless the other's port is 0. False for null. */
    virtual bool equals(IPmcNetworkAddress *other) = 0;
    /* copy: a new object with the same three fields. -2 null out, -3 no memory. */
    virtual int copy(IPmcNetworkAddress **out) = 0;
    /* resolve_host_name: the host name of the address (reverse lookup, new object). */
    virtual int resolve_host_name(CPmcByteString **out) = 0;

protected:
    ~IPmcNetworkAddress() = default;
};

class CPmcNetworkAddress : public CPmcHeapObject, public IPmcNetworkAddress
{
public:
    /* create: a new empty address (text "", protocol 0, port 0), or null when no memory. */
    static CPmcNetworkAddress *create();
    CPmcNetworkAddress(const CPmcNetworkAddress &) = delete;
    CPmcNetworkAddress &operator=(const CPmcNetworkAddress &) = delete;

    void release() override;
    int set(const char *text, int protocol, uint16_t port) override;
    int set_text(const char *text) override;
    int get(const char **text, int *protocol, uint16_t *port) override;
    bool equals(IPmcNetworkAddress *other) override;
    int copy(IPmcNetworkAddress **out) override;
    int resolve_host_name(CPmcByteString **out) override;

private:
    CPmcNetworkAddress() = default;
    virtual ~CPmcNetworkAddress();

    CPmcByteString *m_text = nullptr;
    int32_t m_protocol = 0;
    uint16_t m_port = 0;
};

/*
 * pmc_make_address: a new address object set to (text, protocol, port).
 * Returns 0 with *out set, -3 (no memory) or -2 (null out).
 */
int pmc_make_address(const char *text, int protocol, uint16_t port, IPmcNetworkAddress **out);

#endif /* MANAGEMENT_NETWORK_PMC_NETWORK_ADDRESS_H */
