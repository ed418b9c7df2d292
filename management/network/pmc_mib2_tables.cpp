/*
 * CPmcMib2Tables: the route, interface and address tables walked with GETNEXT through the
 * MIB-II extension agent "inetmib1.dll". Names and values handed to the agent are
 * allocated with the SNMP utility library's memory functions (snmpapi.dll), with which
 * the agent frees and replaces them; everything is given back through them at the end.
 */
#include <snmp.h>

#include <cstring>

#include "management/base/pmc_status.h"
#include "management/network/pmc_local_network_info.h"

typedef BOOL(WINAPI *PmcExtensionInitProc)(DWORD, HANDLE *, AsnObjectIdentifier *);
typedef BOOL(WINAPI *PmcExtensionInitExProc)(AsnObjectIdentifier *);
typedef BOOL(WINAPI *PmcExtensionQueryProc)(BYTE, SnmpVarBindList *, AsnInteger32 *, AsnInteger32 *);
typedef BOOL(WINAPI *PmcExtensionTrapProc)(AsnObjectIdentifier *, AsnInteger32 *, AsnInteger32 *, AsnTimeticks *,
                                           SnmpVarBindList *);
typedef LPVOID(WINAPI *PmcMemAllocProc)(UINT);
typedef VOID(WINAPI *PmcMemFreeProc)(LPVOID);

/* MIB-II columns (under 1.3.6.1.2.1), as sub-identifier lists ended by 0. */
static const UINT kIfNumber[] = {1, 3, 6, 1, 2, 1, 2, 1, 0};
static const UINT kIfIndex[] = {1, 3, 6, 1, 2, 1, 2, 2, 1, 1, 0};
static const UINT kIfDescr[] = {1, 3, 6, 1, 2, 1, 2, 2, 1, 2, 0};
static const UINT kIfType[] = {1, 3, 6, 1, 2, 1, 2, 2, 1, 3, 0};
static const UINT kIpAdEntAddr[] = {1, 3, 6, 1, 2, 1, 4, 20, 1, 1, 0};
static const UINT kIpAdEntIfIndex[] = {1, 3, 6, 1, 2, 1, 4, 20, 1, 2, 0};
static const UINT kIpAdEntNetMask[] = {1, 3, 6, 1, 2, 1, 4, 20, 1, 3, 0};
static const UINT kIpAdEntBcastAddr[] = {1, 3, 6, 1, 2, 1, 4, 20, 1, 4, 0};
static const UINT kIpRouteDest[] = {1, 3, 6, 1, 2, 1, 4, 21, 1, 1, 0};
static const UINT kIpRouteIfIndex[] = {1, 3, 6, 1, 2, 1, 4, 21, 1, 2, 0};
static const UINT kIpRouteNextHop[] = {1, 3, 6, 1, 2, 1, 4, 21, 1, 7, 0};
static const UINT kIpRouteType[] = {1, 3, 6, 1, 2, 1, 4, 21, 1, 8, 0};
static const UINT kIpRouteMask[] = {1, 3, 6, 1, 2, 1, 4, 21, 1, 11, 0};

static const UINT *const kIfColumns[] = {kIfIndex, kIfDescr, kIfType, nullptr};
static const UINT *const kAddressColumns[] = {
    kIpAdEntAddr, kIpAdEntIfIndex, kIpAdEntNetMask, kIpAdEntBcastAddr, nullptr};
static const UINT *const kRouteColumns[] = {
    kIpRouteDest, kIpRouteIfIndex, kIpRouteNextHop, kIpRouteType, kIpRouteMask, nullptr};
static const UINT *const kIfNumberColumns[] = {kIfNumber, nullptr};

static UINT oid_length(const UINT *ids)
{
    UINT n = 0;
    while (ids[n])
        ++n;
    return n;
}

class CPmcMib2Tables : public CPmcHeapObject, public IPmcTableProvider
{
public:
    CPmcMib2Tables(HMODULE agent, HMODULE snmpapi) : m_agent(agent), m_snmpapi(snmpapi) {}
    CPmcMib2Tables(const CPmcMib2Tables &) = delete;
    CPmcMib2Tables &operator=(const CPmcMib2Tables &) = delete;

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
    virtual ~CPmcMib2Tables()
    {
        FreeLibrary(m_agent);
        if (m_snmpapi)
            FreeLibrary(m_snmpapi);
    }

    /* A walk: the list of the columns' bindings, queried row by row. */
    struct Walk {
        SnmpVarBindList list;
        const UINT *first;
    };
    /* A row reader: one row's bindings into `table`; 0 or -3. */
    typedef int (*PmcRowReader)(const SnmpVarBind *bindings, void *table);
    /* read_table: walks the columns, handing each row to `reader` (only the first when
     * `one_row`, which must exist). 0 or a status. */
    int read_table(const UINT *const *columns, PmcRowReader reader, void *table, bool one_row);
    int start_walk(const UINT *const *columns, Walk *walk);
    /* next_row: 1 a row is in the bindings, 0 the walk has left the table, or a status. */
    int next_row(Walk *walk);
    void end_walk(Walk *walk);
    void free_value(AsnAny *value);

    HMODULE m_agent;
    HMODULE m_snmpapi;
    PmcExtensionInitProc m_init = nullptr;
    PmcExtensionInitExProc m_init_ex = nullptr;
    PmcExtensionQueryProc m_query = nullptr;
    PmcExtensionTrapProc m_trap = nullptr;
    PmcMemAllocProc m_alloc = nullptr;
    PmcMemFreeProc m_free = nullptr;
};

bool CPmcMib2Tables::bind()
{
    m_init = (PmcExtensionInitProc)(void *)GetProcAddress(m_agent, "SnmpExtensionInit");
    m_init_ex = (PmcExtensionInitExProc)(void *)GetProcAddress(m_agent, "SnmpExtensionInitEx");
    m_query = (PmcExtensionQueryProc)(void *)GetProcAddress(m_agent, "SnmpExtensionQuery");
    m_trap = (PmcExtensionTrapProc)(void *)GetProcAddress(m_agent, "SnmpExtensionTrap");
    if (m_snmpapi) {
        m_alloc = (PmcMemAllocProc)(void *)GetProcAddress(m_snmpapi, "SnmpUtilMemAlloc");
        m_free = (PmcMemFreeProc)(void *)GetProcAddress(m_snmpapi, "SnmpUtilMemFree");
    }
    if (!m_init || !m_init_ex || !m_query || !m_trap || !m_alloc || !m_free)
        return false;
    HANDLE trap_event = nullptr;
    AsnObjectIdentifier region = {};
    return m_init(GetTickCount(), &trap_event, &region) != FALSE;
}

IPmcTableProvider *pmc_create_mib2_tables(int *code)
{
    HMODULE agent = LoadLibraryExA("inetmib1.dll", nullptr, 0);
    if (!agent) {
        *code = PMC_E_SYSTEM;
        return nullptr;
    }
    HMODULE snmpapi = LoadLibraryExA("snmpapi.dll", nullptr, 0);
    CPmcMib2Tables *tables = new CPmcMib2Tables(agent, snmpapi);
    if (!tables) {
        FreeLibrary(agent);
        if (snmpapi)
            FreeLibrary(snmpapi);
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

void CPmcMib2Tables::free_value(AsnAny *value)
{
    bool octets = value->asnType == ASN_OCTETSTRING || value->asnType == ASN_IPADDRESS;
    if (octets && value->asnValue.string.dynamic)
        m_free(value->asnValue.string.stream);
    std::memset(value, 0, sizeof *value);
    value->asnType = ASN_NULL;
}

int CPmcMib2Tables::start_walk(const UINT *const *columns, Walk *walk)
{
    UINT count = 0;
    while (columns[count])
        ++count;
    walk->first = columns[0];
    walk->list.len = 0;
    walk->list.list = (SnmpVarBind *)m_alloc(count * sizeof(SnmpVarBind));
    if (!walk->list.list)
        return PMC_E_MEMORY;
    std::memset(walk->list.list, 0, count * sizeof(SnmpVarBind));
    for (UINT i = 0; i < count; ++i) {
        SnmpVarBind &binding = walk->list.list[i];
        UINT length = oid_length(columns[i]);
        binding.name.ids = (UINT *)m_alloc(length * sizeof(UINT));
        if (!binding.name.ids)
            return PMC_E_MEMORY;
        std::memcpy(binding.name.ids, columns[i], length * sizeof(UINT));
        binding.name.idLength = length;
        binding.value.asnType = ASN_NULL;
        walk->list.len = i + 1;
    }
    return PMC_OK;
}

int CPmcMib2Tables::next_row(Walk *walk)
{
    for (UINT i = 0; i < walk->list.len; ++i)
        free_value(&walk->list.list[i].value);
    AsnInteger32 error_status = 0;
    AsnInteger32 error_index = 0;
    if (!m_query(SNMP_PDU_GETNEXT, &walk->list, &error_status, &error_index) || error_status != 0)
        return PMC_E_SYSTEM;
    const AsnObjectIdentifier &name = walk->list.list[0].name;
    UINT length = oid_length(walk->first);
    if (name.idLength < length || std::memcmp(name.ids, walk->first, length * sizeof(UINT)) != 0)
        return 0;
    return 1;
}

void CPmcMib2Tables::end_walk(Walk *walk)
{
    for (UINT i = 0; walk->list.list && i < walk->list.len; ++i) {
        free_value(&walk->list.list[i].value);
        m_free(walk->list.list[i].name.ids);
    }
    m_free(walk->list.list);
    walk->list.list = nullptr;
    walk->list.len = 0;
}

/* The value of a binding as a number: integers as they are, IpAddress in host order. */
static uint32_t number_of(const AsnAny &value)
{
    if (value.asnType == ASN_IPADDRESS && value.asnValue.address.length == 4) {
        const BYTE *b = value.asnValue.address.stream;
        return (uint32_t)b[0] << 24 | (uint32_t)b[1] << 16 | (uint32_t)b[2] << 8 | b[3];
    }
    return (uint32_t)value.asnValue.number;
}

/* Row readers: the bindings of one row of a walk into a row of the table; 0 or -3. */
static int read_route(const SnmpVarBind *b, void *table)
{
    PmcRouteRow r = {number_of(b[0].value),
                     number_of(b[4].value),
                     number_of(b[2].value),
                     number_of(b[3].value),
                     number_of(b[1].value)};
    return ((CPmcRouteTable *)table)->append(r);
}

static int read_interface(const SnmpVarBind *b, void *table)
{
    PmcInterfaceRow r = {};
    if (b[1].value.asnType == ASN_OCTETSTRING) {
        UINT length = b[1].value.asnValue.string.length;
        if (length >= sizeof r.description)
            length = sizeof r.description - 1;
        std::memcpy(r.description, b[1].value.asnValue.string.stream, length);
    }
    r.if_index = number_of(b[0].value);
    r.if_type = number_of(b[2].value);
    return ((CPmcInterfaceTable *)table)->append(r);
}

static int read_address(const SnmpVarBind *b, void *table)
{
    PmcAddressRow r = {number_of(b[1].value), number_of(b[2].value), number_of(b[3].value), number_of(b[0].value)};
    return ((CPmcAddressTable *)table)->append(r);
}

static int read_count(const SnmpVarBind *b, void *count)
{
    *(uint32_t *)count = number_of(b[0].value);
    return PMC_OK;
}

int CPmcMib2Tables::read_table(const UINT *const *columns, PmcRowReader reader, void *table, bool one_row)
{
    Walk walk;
    int status = start_walk(columns, &walk);
    int row = 0;
    while (status == PMC_OK && (row = next_row(&walk)) == 1) {
        status = reader(walk.list.list, table);
        if (one_row)
            break;
    }
    if (status == PMC_OK && row < 0)
        status = row;
    else if (status == PMC_OK && one_row && row == 0)
        status = PMC_E_SYSTEM; /* the one object is not there */
    end_walk(&walk);
    return status;
}

int CPmcMib2Tables::route_table(CPmcRouteTable *out)
{
    int status = read_table(kRouteColumns, read_route, out, false);
    if (status != PMC_OK)
        out->clear();
    return status;
}

int CPmcMib2Tables::interface_count(uint32_t *out)
{
    return read_table(kIfNumberColumns, read_count, out, true);
}

int CPmcMib2Tables::interface_table(CPmcInterfaceTable *out)
{
    int status = read_table(kIfColumns, read_interface, out, false);
    if (status != PMC_OK)
        out->clear();
    return status;
}

int CPmcMib2Tables::address_table(CPmcAddressTable *out)
{
    int status = read_table(kAddressColumns, read_address, out, false);
    if (status != PMC_OK)
        out->clear();
    return status;
}
