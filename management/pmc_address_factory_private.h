/*
 * What the two address-factory implementations share: the Winsock bracket, the common
 * operations (create, protocol available) and the helpers that make result objects.
 */
#ifndef MANAGEMENT_PMC_ADDRESS_FACTORY_PRIVATE_H
#define MANAGEMENT_PMC_ADDRESS_FACTORY_PRIVATE_H

#include "management/pmc_address_factory.h"
#include "management/pmc_memory.h"

/* A Winsock start-up (2.2 or 1.1) for the life of the object; stopped when it succeeded. */
class CPmcWinsockBracket {
public:
    explicit CPmcWinsockBracket(bool version_22);
    ~CPmcWinsockBracket();
    CPmcWinsockBracket(const CPmcWinsockBracket &) = delete;
    CPmcWinsockBracket &operator=(const CPmcWinsockBracket &) = delete;
    /* status: 0, or the start-up's failure (-1, -10). */
    int status() const { return m_status; }

private:
    int m_status;
};

/* The operations both implementations share. */
class CPmcAddressFactoryBase : public CPmcHeapObject, public IPmcAddressFactory {
public:
    CPmcAddressFactoryBase() = default;
    CPmcAddressFactoryBase(const CPmcAddressFactoryBase &) = delete;
    CPmcAddressFactoryBase &operator=(const CPmcAddressFactoryBase &) = delete;

    void release() override { delete this; }
    int create_address(IPmcNetworkAddress **out) override;
    int protocol_available(int protocol, bool *out) override;

protected:
    virtual ~CPmcAddressFactoryBase() = default;
};

/* pmc_new_text_object: a new byte string holding `text`. 0, -2 (null out), -3. */
int pmc_new_text_object(const char *text, CPmcByteString **out);

#endif /* MANAGEMENT_PMC_ADDRESS_FACTORY_PRIVATE_H */
