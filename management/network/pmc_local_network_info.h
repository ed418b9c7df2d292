/*
 * CPmcLocalNetworkInfo: which local IPv4 address faces a destination, chosen from the IP
 * route table and IP address table. The tables come from a table provider: the IP Helper
 * library, else the MIB-II extension agent "inetmib1.dll". One process-wide instance.
 */
#ifndef MANAGEMENT_NETWORK_PMC_LOCAL_NETWORK_INFO_H
#define MANAGEMENT_NETWORK_PMC_LOCAL_NETWORK_INFO_H

#include <windows.h>

#include <cstdint>

#include "management/base/pmc_memory.h"
#include "management/network/pmc_network_address.h"

/* Rows; addresses and masks in host byte order. */
struct PmcRouteRow {
    uint32_t destination, mask, next_hop, route_type, if_index;
};

struct PmcInterfaceRow {
    char description[256];
    uint32_t if_index, if_type;
};

struct PmcAddressRow {
    uint32_t if_index, mask, broadcast, address;
};

/* A table: an owned growable array of rows. */
template <typename Row> class CPmcRowTable
{
public:
    CPmcRowTable() = default;
    ~CPmcRowTable()
    {
        clear();
    }
    CPmcRowTable(const CPmcRowTable &) = delete;
    CPmcRowTable &operator=(const CPmcRowTable &) = delete;

    uint32_t count() const
    {
        return m_count;
    }
    bool empty() const
    {
        return m_count == 0;
    }
    /* at: the row at `index`, or null past the end. */
    const Row *at(uint32_t index) const
    {
        return index < m_count ? &m_rows[index] : nullptr;
    }
    const Row *first() const
    {
        return at(0);
    }
    /* append: 0, or -3 with the table unchanged. */
    int append(const Row &row)
    {
        if (m_count == m_capacity) {
            uint32_t capacity = m_capacity ? m_capacity * 2 : 8;
            Row *rows = (Row *)pmc_alloc(capacity * sizeof(Row));
            if (!rows)
                return -3;
            for (uint32_t i = 0; i < m_count; ++i)
                rows[i] = m_rows[i];
            pmc_free(m_rows);
            m_rows = rows;
            m_capacity = capacity;
        }
        m_rows[m_count++] = row;
        return 0;
    }
    void clear()
    {
        pmc_free(m_rows);
        m_rows = nullptr;
        m_count = m_capacity = 0;
    }

private:
    Row *m_rows = nullptr;
    uint32_t m_count = 0;
    uint32_t m_capacity = 0;
};

typedef CPmcRowTable<PmcRouteRow> CPmcRouteTable;
typedef CPmcRowTable<PmcInterfaceRow> CPmcInterfaceTable;
typedef CPmcRowTable<PmcAddressRow> CPmcAddressTable;

/* A table provider; its library is freed when a bound provider is released. */
class IPmcTableProvider
{
public:
    virtual int route_table(CPmcRouteTable *out) = 0;         /* 1 */
    virtual int interface_count(uint32_t *out) = 0;           /* 2 */
    virtual int interface_table(CPmcInterfaceTable *out) = 0; /* 3 */
    virtual int address_table(CPmcAddressTable *out) = 0;     /* 4 */
    virtual void release() = 0;

protected:
    ~IPmcTableProvider() = default;
};

/* The two providers: a bound one, or null with *code set (-10 missing, -3 memory). */
IPmcTableProvider *pmc_create_iphelper_tables(int *code);
IPmcTableProvider *pmc_create_mib2_tables(int *code);

class CPmcLocalNetworkInfo : public CPmcHeapObject
{
public:
    static CPmcLocalNetworkInfo *create();
    ~CPmcLocalNetworkInfo();
    CPmcLocalNetworkInfo(const CPmcLocalNetworkInfo &) = delete;
    CPmcLocalNetworkInfo &operator=(const CPmcLocalNetworkInfo &) = delete;

    /* local_address_for: see pmc_local_address_for_destination. */
    int local_address_for(IPmcNetworkAddress *destination, IPmcNetworkAddress **out);

private:
    CPmcLocalNetworkInfo();
    int load_provider();

    CRITICAL_SECTION m_lock;
    IPmcTableProvider *m_provider = nullptr;
    CPmcAddressTable m_addresses;
    CPmcRouteTable m_routes;
};

/*
 * pmc_local_address_for_destination: the local IPv4 address of the route to
 * `destination` (a new address with the destination's protocol, port 0). -2 invalid
 * destination or no address on the route's interface, -5 not IPv4, -8 no provider, -10 a
 * table call failed, -1 no route, -3 no memory.
 */
int pmc_local_address_for_destination(IPmcNetworkAddress *destination, IPmcNetworkAddress **out);

/* pmc_local_network_info_destroy: frees the process-wide instance (at unload). */
void pmc_local_network_info_destroy();

#endif /* MANAGEMENT_NETWORK_PMC_LOCAL_NETWORK_INFO_H */
