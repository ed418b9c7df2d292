/*
 * The process-wide address factory: double-checked creation under its lock, the choice of
 * implementation, and the five forwarding operations.
 */
#include "management/network/pmc_address_factory.h"

#include <atomic>

#include "management/base/pmc_status.h"
#include "management/network/pmc_locks.h"
#include "management/network/pmc_socket_api.h"

constinit static std::atomic<IPmcAddressFactory *> s_factory{nullptr};

/* Address lists hold address objects and release them. */
static void *keep_address(void *address)
{
    return address;
}

static void release_address(void *address)
{
    ((IPmcNetworkAddress *)address)->release();
}

static const CPmcListPolicy s_address_policy = {keep_address, release_address};

CPmcObjectList *pmc_create_address_list(int *code)
{
    return pmc_create_object_list(&s_address_policy, code);
}

/*
 * pmc_get_address_factory: the implementation follows the Winsock binding: bound with all
 * optional functions -> name resolution, otherwise (also when binding fails) IPv4 only.
 */
int pmc_get_address_factory(IPmcAddressFactory **out)
{
    IPmcAddressFactory *factory = s_factory.load(std::memory_order_acquire);
    if (!factory) {
        EnterCriticalSection(pmc_address_factory_lock());
        factory = s_factory.load(std::memory_order_acquire);
        if (!factory) {
            pmc_bind_winsock();
            factory = pmc_name_resolution_available() ? pmc_new_resolving_factory() : pmc_new_ipv4_factory();
            if (factory)
                s_factory.store(factory, std::memory_order_release);
        }
        LeaveCriticalSection(pmc_address_factory_lock());
    }
    if (out)
        *out = factory;
    return factory ? PMC_OK : PMC_E_MEMORY;
}

void pmc_address_factory_destroy()
{
    EnterCriticalSection(pmc_address_factory_lock());
    if (IPmcAddressFactory *factory = s_factory.exchange(nullptr))
        factory->release();
    LeaveCriticalSection(pmc_address_factory_lock());
}

int pmc_create_network_address(IPmcNetworkAddress **out)
{
    IPmcAddressFactory *factory = nullptr;
    int status = pmc_get_address_factory(&factory);
    return status != PMC_OK ? status : factory->create_address(out);
}

int pmc_parse_address(const char *text, CPmcByteString **out)
{
    IPmcAddressFactory *factory = nullptr;
    int status = pmc_get_address_factory(&factory);
    return status != PMC_OK ? status : factory->parse(text, out);
}

int pmc_local_host_address(int protocol, IPmcNetworkAddress **out)
{
    IPmcAddressFactory *factory = nullptr;
    int status = pmc_get_address_factory(&factory);
    return status != PMC_OK ? status : factory->local_host_address(protocol, out);
}

int pmc_classify_address(const char *text, int *protocol)
{
    IPmcAddressFactory *factory = nullptr;
    int status = pmc_get_address_factory(&factory);
    return status != PMC_OK ? status : factory->classify(text, protocol);
}

int pmc_transport_available(int protocol, bool *out)
{
    IPmcAddressFactory *factory = nullptr;
    int status = pmc_get_address_factory(&factory);
    return status != PMC_OK ? status : factory->protocol_available(protocol, out);
}
