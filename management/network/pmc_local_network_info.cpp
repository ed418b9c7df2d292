/*
 * CPmcLocalNetworkInfo: provider loading, the route choice and the process-wide instance.
 */
#include "management/network/pmc_local_network_info.h"

#include <cstdio>

#include "management/base/pmc_status.h"
#include "management/network/pmc_address_factory.h"
#include "management/network/pmc_locks.h"

constinit static CPmcLocalNetworkInfo *s_instance = nullptr;

CPmcLocalNetworkInfo *CPmcLocalNetworkInfo::create()
{
    return new CPmcLocalNetworkInfo();
}

CPmcLocalNetworkInfo::CPmcLocalNetworkInfo()
{
    InitializeCriticalSection(&m_lock);
}

CPmcLocalNetworkInfo::~CPmcLocalNetworkInfo()
{
    if (m_provider)
        m_provider->release();
    DeleteCriticalSection(&m_lock);
}

/* load_provider: IP Helper first, then the MIB-II agent; nothing when one is loaded. */
int CPmcLocalNetworkInfo::load_provider()
{
    EnterCriticalSection(&m_lock);
    int status = PMC_OK;
    if (!m_provider) {
        m_provider = pmc_create_iphelper_tables(&status);
        if (!m_provider)
            m_provider = pmc_create_mib2_tables(&status);
    }
    LeaveCriticalSection(&m_lock);
    return m_provider ? PMC_OK : status;
}

/* choose_route: exact destination, else the longest mask that matches, else the first
 * default route; null when none. */
static const PmcRouteRow *choose_route(const CPmcRouteTable &routes, uint32_t value)
{
    for (uint32_t i = 0; i < routes.count(); ++i) {
        if (routes.at(i)->destination == value)
            return routes.at(i);
    }
    const PmcRouteRow *best = nullptr;
    uint32_t best_mask = 0;
    for (uint32_t i = 0; i < routes.count(); ++i) {
        const PmcRouteRow *r = routes.at(i);
        if (r->mask > best_mask && (r->destination & r->mask) == (value & r->mask)) {
            best = r;
            best_mask = r->mask;
        }
    }
    if (best)
        return best;
    for (uint32_t i = 0; i < routes.count(); ++i) {
        if (routes.at(i)->destination == 0)
            return routes.at(i);
    }
    return nullptr;
}

int CPmcLocalNetworkInfo::local_address_for(IPmcNetworkAddress *destination, IPmcNetworkAddress **out)
{
    const char *text = nullptr;
    int protocol = 0;
    if (!destination || !out || destination->get(&text, &protocol, nullptr) != PMC_OK)
        return PMC_E_ARG;
    *out = nullptr;
    if (protocol != PMC_PROTOCOL_IPV4)
        return PMC_E_UNSUPPORTED;
    uint8_t b[4];
    if (!pmc_parse_ipv4(text, b))
        return PMC_E_ARG;
    m_addresses.clear();
    m_routes.clear();
    if (load_provider() != PMC_OK)
        return PMC_E_EMPTY;
    int status = m_provider->route_table(&m_routes);
    if (status != PMC_OK)
        return status;
    uint32_t value = (uint32_t)b[0] << 24 | (uint32_t)b[1] << 16 | (uint32_t)b[2] << 8 | b[3];
    const PmcRouteRow *route = choose_route(m_routes, value);
    if (!route)
        return PMC_E_FAIL;
    status = m_provider->address_table(&m_addresses);
    if (status != PMC_OK)
        return status;
    const PmcAddressRow *local = nullptr;
    for (uint32_t i = 0; i < m_addresses.count() && !local; ++i) {
        if (m_addresses.at(i)->if_index == route->if_index)
            local = m_addresses.at(i);
    }
    if (!local)
        return PMC_E_ARG;
    char dotted[16];
    std::snprintf(dotted,
                  sizeof dotted,
                  "%d.%d.%d.%d",
                  (int)(local->address >> 24),
                  (int)(local->address >> 16 & 255),
                  (int)(local->address >> 8 & 255),
                  (int)(local->address & 255));
    IPmcNetworkAddress *address = nullptr;
    status = pmc_create_network_address(&address);
    if (status != PMC_OK)
        return status;
    status = address->set(dotted, protocol, 0);
    if (status != PMC_OK) {
        address->release();
        return status;
    }
    *out = address;
    return PMC_OK;
}

int pmc_local_address_for_destination(IPmcNetworkAddress *destination, IPmcNetworkAddress **out)
{
    EnterCriticalSection(pmc_route_lock());
    if (!s_instance)
        s_instance = CPmcLocalNetworkInfo::create();
    int status = s_instance ? s_instance->local_address_for(destination, out) : PMC_E_MEMORY;
    LeaveCriticalSection(pmc_route_lock());
    return status;
}

void pmc_local_network_info_destroy()
{
    EnterCriticalSection(pmc_route_lock());
    delete s_instance;
    s_instance = nullptr;
    LeaveCriticalSection(pmc_route_lock());
}
