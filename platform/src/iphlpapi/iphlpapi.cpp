/*
 * The IP Helper functions on the host: adapters (GetAdaptersInfo, GetAdaptersAddresses),
 * the best interface, and the IPv4 route, interface and address tables, from the host or
 * from what a test injected. Every answer is laid out in the caller's one buffer; a buffer
 * that is too small gets the size needed, as on Windows.
 */
#include <iphlpapi.h>

#include <ws2tcpip.h>

#include <stdio.h>
#include <string.h>

#include <mutex>
#include <vector>

#include "platform/src/iphlpapi/iphlpapi_private.h"
#include "platform/testing/qm_testing_net.h"

namespace {

std::mutex g_lock;
bool g_fake_adapters;
DWORD g_fake_error;
std::vector<qmip::Adapter> g_adapters;
bool g_fake_tables;
std::vector<MIB_IPFORWARDROW> g_routes;
std::vector<MIB_IPADDRROW> g_addresses;
std::vector<MIB_IFROW> g_interfaces;

/* The adapters to answer from, and the injected failure (0 for none). */
std::vector<qmip::Adapter> adapters(DWORD *error)
{
    std::lock_guard<std::mutex> guard(g_lock);
    *error = g_fake_adapters ? g_fake_error : 0;
    return g_fake_adapters ? g_adapters : qmip::HostAdapters();
}

void format4(uint32_t address, char out[16])
{
    const BYTE *b = (const BYTE *)&address;
    snprintf(out, 16, "%u.%u.%u.%u", b[0], b[1], b[2], b[3]);
}

/* Hands `size` bytes to the caller: ERROR_BUFFER_OVERFLOW (or `small`) when they do not fit. */
DWORD check_size(ULONG size, const void *buffer, PULONG have, DWORD small)
{
    if (!have)
        return ERROR_INVALID_PARAMETER;
    if (!buffer || *have < size) {
        *have = size;
        return small;
    }
    return NO_ERROR;
}

} // namespace

/*
 * GetAdaptersInfo: one IP_ADAPTER_INFO per adapter with an IPv4 address (its first one in
 * IpAddressList, further ones chained from the buffer). ERROR_NO_DATA without adapters,
 * ERROR_BUFFER_OVERFLOW with the size needed when the buffer is too small.
 */
extern "C" DWORD WINAPI GetAdaptersInfo(PIP_ADAPTER_INFO AdapterInfo, PULONG SizePointer)
{
    DWORD error;
    std::vector<qmip::Adapter> list = adapters(&error);
    if (error)
        return error;
    std::vector<const qmip::Adapter *> chosen;
    ULONG size = 0;
    for (const qmip::Adapter &a : list) {
        if (a.ipv4.empty())
            continue;
        chosen.push_back(&a);
        size += sizeof(IP_ADAPTER_INFO) + (ULONG)(a.ipv4.size() - 1) * sizeof(IP_ADDR_STRING);
    }
    if (chosen.empty())
        return ERROR_NO_DATA;
    if (DWORD r = check_size(size, AdapterInfo, SizePointer, ERROR_BUFFER_OVERFLOW))
        return r;
    memset(AdapterInfo, 0, size);
    BYTE *at = (BYTE *)AdapterInfo;
    IP_ADAPTER_INFO *previous = nullptr;
    for (const qmip::Adapter *a : chosen) {
        IP_ADAPTER_INFO *info = (IP_ADAPTER_INFO *)at;
        at += sizeof *info;
        if (previous)
            previous->Next = info;
        previous = info;
        info->ComboIndex = a->index;
        snprintf(info->AdapterName, sizeof info->AdapterName, "%s", a->name.c_str());
        snprintf(info->Description, sizeof info->Description, "%s", a->name.c_str());
        info->AddressLength = a->mac_length;
        memcpy(info->Address, a->mac, a->mac_length);
        info->Index = a->index;
        info->Type = a->type;
        IP_ADDR_STRING *s = &info->IpAddressList;
        for (size_t i = 0; i < a->ipv4.size(); ++i) {
            if (i > 0) {
                IP_ADDR_STRING *next = (IP_ADDR_STRING *)at;
                at += sizeof *next;
                s->Next = next;
                s = next;
            }
            format4(a->ipv4[i].address, s->IpAddress.String);
            format4(a->ipv4[i].mask, s->IpMask.String);
        }
        info->CurrentIpAddress = &info->IpAddressList;
        strcpy(info->GatewayList.IpAddress.String, "0.0.0.0");
    }
    return NO_ERROR;
}

/*
 * GetAdaptersAddresses: adapters with an address of the family (AF_INET, AF_INET6 or
 * AF_UNSPEC), each with its unicast addresses of that family unless GAA_FLAG_SKIP_UNICAST.
 * ERROR_NO_DATA without adapters, ERROR_BUFFER_OVERFLOW with the size needed.
 */
extern "C" ULONG WINAPI GetAdaptersAddresses(ULONG Family, ULONG Flags, PVOID Reserved,
                                             PIP_ADAPTER_ADDRESSES AdapterAddresses, PULONG SizePointer)
{
    (void)Reserved;
    if (Family != AF_INET && Family != AF_INET6 && Family != AF_UNSPEC)
        return ERROR_INVALID_PARAMETER;
    DWORD error;
    std::vector<qmip::Adapter> list = adapters(&error);
    if (error)
        return error;
    bool want4 = Family != AF_INET6, want6 = Family != AF_INET;
    bool unicast = !(Flags & GAA_FLAG_SKIP_UNICAST);
    const ULONG per_address = sizeof(IP_ADAPTER_UNICAST_ADDRESS) + sizeof(SOCKADDR_IN6);
    std::vector<const qmip::Adapter *> chosen;
    ULONG size = 0;
    for (const qmip::Adapter &a : list) {
        size_t n = (want4 ? a.ipv4.size() : 0) + (want6 ? a.ipv6.size() : 0);
        if (n == 0)
            continue;
        chosen.push_back(&a);
        ULONG one = sizeof(IP_ADAPTER_ADDRESSES) + (ULONG)a.name.size() + 1 + 2 * sizeof(WCHAR);
        if (unicast)
            one += (ULONG)n * per_address;
        size += (one + 7) & ~7u; /* each adapter starts 8-byte aligned */
    }
    if (chosen.empty())
        return ERROR_NO_DATA;
    if (DWORD r = check_size(size, AdapterAddresses, SizePointer, ERROR_BUFFER_OVERFLOW))
        return r;
    memset(AdapterAddresses, 0, size);
    BYTE *at = (BYTE *)AdapterAddresses;
    IP_ADAPTER_ADDRESSES *previous = nullptr;
    for (const qmip::Adapter *a : chosen) {
        IP_ADAPTER_ADDRESSES *info = (IP_ADAPTER_ADDRESSES *)at;
        at += sizeof *info;
        if (previous)
            previous->Next = info;
        previous = info;
        info->Length = sizeof *info;
        info->IfIndex = a->ipv4.empty() ? 0 : a->index;
        info->Ipv6IfIndex = a->ipv6.empty() ? 0 : a->index;
        info->IfType = a->type;
        info->OperStatus = IfOperStatusUp;
        info->Mtu = 1500;
        info->PhysicalAddressLength = a->mac_length;
        memcpy(info->PhysicalAddress, a->mac, a->mac_length);
        IP_ADAPTER_UNICAST_ADDRESS **link = &info->FirstUnicastAddress;
        for (size_t i = 0; unicast && want4 && i < a->ipv4.size(); ++i) {
            IP_ADAPTER_UNICAST_ADDRESS *u = (IP_ADAPTER_UNICAST_ADDRESS *)at;
            SOCKADDR_IN *sin = (SOCKADDR_IN *)(u + 1);
            at += per_address;
            u->Length = sizeof *u;
            sin->sin_family = AF_INET;
            sin->sin_addr.s_addr = a->ipv4[i].address;
            u->Address.lpSockaddr = (LPSOCKADDR)sin;
            u->Address.iSockaddrLength = sizeof *sin;
            u->DadState = IpDadStatePreferred;
            *link = u;
            link = &u->Next;
        }
        for (size_t i = 0; unicast && want6 && i < a->ipv6.size(); ++i) {
            IP_ADAPTER_UNICAST_ADDRESS *u = (IP_ADAPTER_UNICAST_ADDRESS *)at;
            SOCKADDR_IN6 *sin6 = (SOCKADDR_IN6 *)(u + 1);
            at += per_address;
            u->Length = sizeof *u;
            sin6->sin6_family = AF_INET6;
            memcpy(sin6->sin6_addr.s6_addr, a->ipv6[i].bytes, 16);
            sin6->sin6_scope_id = a->ipv6[i].scope;
            u->Address.lpSockaddr = (LPSOCKADDR)sin6;
            u->Address.iSockaddrLength = sizeof *sin6;
            u->DadState = IpDadStatePreferred;
            *link = u;
            link = &u->Next;
        }
        info->DnsSuffix = (PWCHAR)at;
        info->Description = (PWCHAR)at;
        info->FriendlyName = (PWCHAR)at;
        at += 2 * sizeof(WCHAR);
        info->AdapterName = (PCHAR)at;
        memcpy(at, a->name.c_str(), a->name.size() + 1);
        at += a->name.size() + 1;
        at = (BYTE *)(((UINT_PTR)at + 7) & ~(UINT_PTR)7);
    }
    return NO_ERROR;
}

/*
 * GetBestInterfaceEx: the interface that carries traffic to the address (AF_INET or
 * AF_INET6): an injected adapter marked best (else the first not loopback with an address
 * of the family), or the host's choice. ERROR_NOT_FOUND when none.
 */
extern "C" DWORD WINAPI GetBestInterfaceEx(struct sockaddr *pDestAddr, PDWORD pdwBestIfIndex)
{
    if (!pDestAddr || !pdwBestIfIndex)
        return ERROR_INVALID_PARAMETER;
    bool v6 = pDestAddr->sa_family == AF_INET6;
    if (!v6 && pDestAddr->sa_family != AF_INET)
        return ERROR_INVALID_PARAMETER;
    std::lock_guard<std::mutex> guard(g_lock);
    if (!g_fake_adapters) {
        const uint8_t *address = v6 ? ((SOCKADDR_IN6 *)pDestAddr)->sin6_addr.s6_addr
                                    : (const uint8_t *)&((SOCKADDR_IN *)pDestAddr)->sin_addr;
        uint32_t index;
        if (!qmip::HostBestInterface(address, v6, &index))
            return ERROR_NOT_FOUND;
        *pdwBestIfIndex = index;
        return NO_ERROR;
    }
    const qmip::Adapter *found = nullptr;
    for (const qmip::Adapter &a : g_adapters) {
        bool has = v6 ? !a.ipv6.empty() : !a.ipv4.empty();
        if (!has)
            continue;
        if (a.best) {
            found = &a;
            break;
        }
        if (!found && a.type != IF_TYPE_SOFTWARE_LOOPBACK)
            found = &a;
    }
    if (!found)
        return ERROR_NOT_FOUND;
    *pdwBestIfIndex = found->index;
    return NO_ERROR;
}

/* Copies `rows` into a table of `Table` (count then rows); ERROR_INSUFFICIENT_BUFFER with
 * the size when it does not fit. */
template <typename Table, typename Row>
static DWORD answer_table(const std::vector<Row> &rows, Table *table, PULONG size)
{
    ULONG need = (ULONG)(sizeof(DWORD) + rows.size() * sizeof(Row));
    if (need < sizeof(Table))
        need = sizeof(Table);
    if (DWORD r = check_size(need, table, size, ERROR_INSUFFICIENT_BUFFER))
        return r;
    table->dwNumEntries = (DWORD)rows.size();
    if (!rows.empty())
        memcpy(table->table, rows.data(), rows.size() * sizeof(Row));
    return NO_ERROR;
}

static std::vector<MIB_IPFORWARDROW> route_rows()
{
    if (g_fake_tables)
        return g_routes;
    std::vector<MIB_IPFORWARDROW> rows;
    for (const qmip::Route &r : qmip::HostRoutes()) {
        MIB_IPFORWARDROW row{};
        row.dwForwardDest = r.destination;
        row.dwForwardMask = r.mask;
        row.dwForwardNextHop = r.next_hop;
        row.dwForwardIfIndex = r.if_index;
        row.dwForwardType = r.type;
        row.dwForwardProto = 3;
        rows.push_back(row);
    }
    return rows;
}

static std::vector<MIB_IPADDRROW> address_rows()
{
    if (g_fake_tables)
        return g_addresses;
    std::vector<MIB_IPADDRROW> rows;
    for (const qmip::Adapter &a : qmip::HostAdapters()) {
        for (const qmip::Address4 &v4 : a.ipv4) {
            MIB_IPADDRROW row{};
            row.dwAddr = v4.address;
            row.dwIndex = a.index;
            row.dwMask = v4.mask;
            row.dwBCastAddr = 1;
            row.dwReasmSize = 65535;
            rows.push_back(row);
        }
    }
    return rows;
}

static std::vector<MIB_IFROW> interface_rows()
{
    if (g_fake_tables)
        return g_interfaces;
    std::vector<MIB_IFROW> rows;
    for (const qmip::Adapter &a : qmip::HostAdapters()) {
        MIB_IFROW row{};
        row.dwIndex = a.index;
        row.dwType = a.type;
        row.dwMtu = 1500;
        row.dwPhysAddrLen = a.mac_length;
        memcpy(row.bPhysAddr, a.mac, a.mac_length);
        row.dwAdminStatus = 1;
        row.dwOperStatus = 1;
        size_t n = a.name.size() < MAXLEN_IFDESCR - 1 ? a.name.size() : MAXLEN_IFDESCR - 1;
        memcpy(row.bDescr, a.name.c_str(), n);
        row.dwDescrLen = (DWORD)n + 1;
        for (size_t i = 0; i < n && i < MAX_INTERFACE_NAME_LEN - 1; ++i)
            row.wszName[i] = (WCHAR)a.name[i];
        rows.push_back(row);
    }
    return rows;
}

/* GetIpForwardTable: the IPv4 routes (addresses in network order). bOrder is accepted. */
extern "C" DWORD WINAPI GetIpForwardTable(PMIB_IPFORWARDTABLE pIpForwardTable, PULONG pdwSize, BOOL bOrder)
{
    (void)bOrder;
    std::lock_guard<std::mutex> guard(g_lock);
    return answer_table(route_rows(), pIpForwardTable, pdwSize);
}

extern "C" DWORD WINAPI GetIpAddrTable(PMIB_IPADDRTABLE pIpAddrTable, PULONG pdwSize, BOOL bOrder)
{
    (void)bOrder;
    std::lock_guard<std::mutex> guard(g_lock);
    return answer_table(address_rows(), pIpAddrTable, pdwSize);
}

extern "C" DWORD WINAPI GetIfTable(PMIB_IFTABLE pIfTable, PULONG pdwSize, BOOL bOrder)
{
    (void)bOrder;
    std::lock_guard<std::mutex> guard(g_lock);
    return answer_table(interface_rows(), pIfTable, pdwSize);
}

extern "C" DWORD WINAPI GetNumberOfInterfaces(PDWORD pdwNumIf)
{
    if (!pdwNumIf)
        return ERROR_INVALID_PARAMETER;
    std::lock_guard<std::mutex> guard(g_lock);
    *pdwNumIf = (DWORD)interface_rows().size();
    return NO_ERROR;
}

extern "C" void qmt_SetAdapters(const QMT_ADAPTER *list, DWORD count, DWORD error)
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_fake_adapters = true;
    g_fake_error = error;
    g_adapters.clear();
    for (DWORD i = 0; list && i < count; ++i) {
        const QMT_ADAPTER &in = list[i];
        qmip::Adapter a{};
        a.index = in.index;
        a.type = in.type;
        memcpy(a.mac, in.mac, 6);
        a.mac_length = 6;
        a.name = "qmt" + std::to_string(in.index);
        a.best = in.best != FALSE;
        qmip::Address4 v4;
        if (qmip::ParseAddress4(in.ipv4, &v4.address)) {
            if (!qmip::ParseAddress4(in.ipv4_mask ? in.ipv4_mask : "255.255.255.0", &v4.mask))
                v4.mask = 0;
            a.ipv4.push_back(v4);
        }
        qmip::Address6 v6;
        if (qmip::ParseAddress6(in.ipv6, v6.bytes)) {
            v6.scope = in.ipv6_scope;
            a.ipv6.push_back(v6);
        }
        g_adapters.push_back(a);
    }
}

extern "C" void qmt_ResetAdapters(void)
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_fake_adapters = false;
    g_fake_error = 0;
    g_adapters.clear();
}

extern "C" void qmt_SetIpTables(const MIB_IPFORWARDROW *routes, DWORD route_count, const MIB_IPADDRROW *addresses,
                                DWORD address_count, const MIB_IFROW *interfaces, DWORD interface_count)
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_fake_tables = true;
    g_routes.assign(routes, routes + (routes ? route_count : 0));
    g_addresses.assign(addresses, addresses + (addresses ? address_count : 0));
    g_interfaces.assign(interfaces, interfaces + (interfaces ? interface_count : 0));
}

extern "C" void qmt_ResetIpTables(void)
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_fake_tables = false;
    g_routes.clear();
    g_addresses.clear();
    g_interfaces.clear();
}
