/*
 * CPmcIpHelperTables: the route, interface and address tables through the IP Helper
 * library's table functions.
 */
#include <iphlpapi.h>

#include <cstring>

#include "management/base/pmc_status.h"
#include "management/network/pmc_local_network_info.h"

typedef DWORD(WINAPI *PmcForwardTableProc)(PMIB_IPFORWARDTABLE, PULONG, BOOL);
typedef DWORD(WINAPI *PmcInterfaceCountProc)(PDWORD);
typedef DWORD(WINAPI *PmcIfTableProc)(PMIB_IFTABLE, PULONG, BOOL);
typedef DWORD(WINAPI *PmcAddrTableProc)(PMIB_IPADDRTABLE, PULONG, BOOL);

class CPmcIpHelperTables : public CPmcHeapObject, public IPmcTableProvider
{
public:
    explicit CPmcIpHelperTables(HMODULE module) : m_module(module) {}
    CPmcIpHelperTables(const CPmcIpHelperTables &) = delete;
    CPmcIpHelperTables &operator=(const CPmcIpHelperTables &) = delete;

    bool bind();
    int route_table(CPmcRouteTable *out) override;
    int interface_count(uint32_t *out) override;
    int interface_table(CPmcInterfaceTable *out) override;
    int address_table(CPmcAddressTable *out) override;
    void release() override
    {
        delete this;
    }

private:
    virtual ~CPmcIpHelperTables()
    {
        FreeLibrary(m_module);
    }

    HMODULE m_module;
    PmcForwardTableProc m_forward = nullptr;
    PmcInterfaceCountProc m_count = nullptr;
    PmcIfTableProc m_interfaces = nullptr;
    PmcAddrTableProc m_addresses = nullptr;
};

bool CPmcIpHelperTables::bind()
{
    m_forward = (PmcForwardTableProc)(void *)GetProcAddress(m_module, "GetIpForwardTable");
    m_count = (PmcInterfaceCountProc)(void *)GetProcAddress(m_module, "GetNumberOfInterfaces");
    m_interfaces = (PmcIfTableProc)(void *)GetProcAddress(m_module, "GetIfTable");
    m_addresses = (PmcAddrTableProc)(void *)GetProcAddress(m_module, "GetIpAddrTable");
    return m_forward && m_count && m_interfaces && m_addresses;
}

IPmcTableProvider *pmc_create_iphelper_tables(int *code)
{
    HMODULE module = LoadLibraryExA("iphlpapi.dll", nullptr, 0);
    if (!module) {
        *code = PMC_E_SYSTEM;
        return nullptr;
    }
    CPmcIpHelperTables *tables = new CPmcIpHelperTables(module);
    if (!tables) {
        FreeLibrary(module);
        *code = PMC_E_MEMORY;
        return nullptr;
    }
    if (!tables->bind()) {
        tables->release();
        *code = PMC_E_SYSTEM;
        return nullptr;
    }
    *code = PMC_OK;
    return tables;
}

/* fetch: a table call sized by a first call without buffer (answer 122); the table, or
 * null with *status -10 (other answers) or -3. Freed with pmc_free. */
template <typename Table, typename Proc> static Table *fetch(Proc proc, int *status)
{
    ULONG size = 0;
    if (proc(nullptr, &size, TRUE) != ERROR_INSUFFICIENT_BUFFER) {
        *status = PMC_E_SYSTEM;
        return nullptr;
    }
    Table *table = (Table *)pmc_alloc(size);
    if (!table) {
        *status = PMC_E_MEMORY;
        return nullptr;
    }
    if (proc(table, &size, TRUE) != NO_ERROR) {
        pmc_free(table);
        *status = PMC_E_SYSTEM;
        return nullptr;
    }
    *status = PMC_OK;
    return table;
}

static uint32_t host_order(DWORD network)
{
    const BYTE *b = (const BYTE *)&network;
    return (uint32_t)b[0] << 24 | (uint32_t)b[1] << 16 | (uint32_t)b[2] << 8 | b[3];
}

int CPmcIpHelperTables::route_table(CPmcRouteTable *out)
{
    int status;
    MIB_IPFORWARDTABLE *table = fetch<MIB_IPFORWARDTABLE>(m_forward, &status);
    for (DWORD i = 0; table && i < table->dwNumEntries && status == PMC_OK; ++i) {
        const MIB_IPFORWARDROW &r = table->table[i];
        PmcRouteRow row = {host_order(r.dwForwardDest),
                           host_order(r.dwForwardMask),
                           host_order(r.dwForwardNextHop),
                           r.dwForwardType,
                           r.dwForwardIfIndex};
        status = out->append(row);
    }
    pmc_free(table);
    if (status != PMC_OK)
        out->clear();
    return status;
}

int CPmcIpHelperTables::interface_count(uint32_t *out)
{
    DWORD count = 0;
    if (m_count(&count) != NO_ERROR)
        return PMC_E_SYSTEM;
    *out = count;
    return PMC_OK;
}

int CPmcIpHelperTables::interface_table(CPmcInterfaceTable *out)
{
    int status;
    MIB_IFTABLE *table = fetch<MIB_IFTABLE>(m_interfaces, &status);
    for (DWORD i = 0; table && i < table->dwNumEntries && status == PMC_OK; ++i) {
        const MIB_IFROW &r = table->table[i];
        PmcInterfaceRow row = {};
        DWORD length = r.dwDescrLen < sizeof row.description ? r.dwDescrLen : sizeof row.description - 1;
        std::memcpy(row.description, r.bDescr, length);
        row.if_index = r.dwIndex;
        row.if_type = r.dwType;
        status = out->append(row);
    }
    pmc_free(table);
    if (status != PMC_OK)
        out->clear();
    return status;
}

int CPmcIpHelperTables::address_table(CPmcAddressTable *out)
{
    int status;
    MIB_IPADDRTABLE *table = fetch<MIB_IPADDRTABLE>(m_addresses, &status);
    for (DWORD i = 0; table && i < table->dwNumEntries && status == PMC_OK; ++i) {
        const MIB_IPADDRROW &r = table->table[i];
        PmcAddressRow row = {r.dwIndex, host_order(r.dwMask), r.dwBCastAddr, host_order(r.dwAddr)};
        status = out->append(row);
    }
    pmc_free(table);
    if (status != PMC_OK)
        out->clear();
    return status;
}
