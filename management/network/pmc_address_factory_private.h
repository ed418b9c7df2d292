/*
 * What the two address-factory implementations share: the Winsock bracket, the common
 * operations (create, protocol available) and the helpers that make result objects.
 */
#ifndef MANAGEMENT_NETWORK_PMC_ADDRESS_FACTORY_PRIVATE_H
#define MANAGEMENT_NETWORK_PMC_ADDRESS_FACTORY_PRIVATE_H

#include "management/network/pmc_address_factory.h"
#include "management/base/pmc_memory.h"

/* A Winsock start-up (2.2 or 1.1) for the life of the object; stopped when it succeeded. */
class CPmcWinsockBracket
{
public:
    explicit CPmcWinsockBracket(bool version_22);
    ~CPmcWinsockBracket();
    CPmcWinsockBracket(const CPmcWinsockBracket &) = delete;
    CPmcWinsockBracket &operator=(const CPmcWinsockBracket &) = delete;
    /* status: 0, or the start-up's failure (-1, -10). */
    int status() const
    {
        return m_status;
    }

private:
    int m_status;
};

/*
 * The operations both implementations share. The public operations check their arguments,
 * clear the outputs, and run the path's do_ operation inside its Winsock start-up.
 */
class CPmcAddressFactoryBase : public CPmcHeapObject, public IPmcAddressFactory
{
public:
    CPmcAddressFactoryBase() = default;
    CPmcAddressFactoryBase(const CPmcAddressFactoryBase &) = delete;
    CPmcAddressFactoryBase &operator=(const CPmcAddressFactoryBase &) = delete;

    void release() override
    {
        delete this;
    }
    int create_address(IPmcNetworkAddress **out) override;
    int classify(const char *text, int *protocol) override;
    int parse(const char *text, CPmcByteString **out) override;
    int resolve_host_name(const char *text, CPmcObjectList **out) override;
    int reverse_lookup(const char *text, CPmcByteString **out) override;
    int local_host_address(int protocol, IPmcNetworkAddress **out) override;
    int service_port(const char *name, int protocol, uint16_t *port) override;
    int protocol_available(int protocol, bool *out) override;

protected:
    virtual ~CPmcAddressFactoryBase() = default;
    /* version_22: whether the path starts Winsock 2.2 (else 1.1). */
    virtual bool version_22() const = 0;
    /* The path's operations, called with valid arguments, cleared outputs and Winsock
     * started; IPX never reaches do_local_host_address. */
    virtual int do_classify(const char *text, int *protocol) = 0;
    virtual int do_parse(const char *text, CPmcByteString **out) = 0;
    virtual int do_resolve_host_name(const char *text, CPmcObjectList **out) = 0;
    virtual int do_reverse_lookup(const char *text, CPmcByteString **out) = 0;
    virtual int do_local_host_address(int protocol, IPmcNetworkAddress **out) = 0;
    virtual int do_service_port(const char *name, int protocol, uint16_t *port) = 0;
};

/* pmc_new_text_object: a new byte string holding `text`. 0, -2 (null out), -3. */
int pmc_new_text_object(const char *text, CPmcByteString **out);

#endif /* MANAGEMENT_NETWORK_PMC_ADDRESS_FACTORY_PRIVATE_H */
