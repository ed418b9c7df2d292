/*
 * Stand-in of the MIB-II extension agent "inetmib1.dll", built for tests only. It answers
 * GETNEXT over ifNumber, the interface table, the IP address table and the IP route table,
 * built at each query from the platform's IP Helper tables (which the tests inject). Like
 * the agent it stands for, it frees and replaces the names and values it is handed with
 * the SNMP utility library's memory functions.
 */
#include <iphlpapi.h>
#include <snmp.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

/* One object of the MIB: name, type and value. */
struct MibObject {
    std::vector<UINT> name;
    BYTE type;
    LONG number;
    std::string octets;
};

const UINT kMib2[] = {1, 3, 6, 1, 2, 1};

std::vector<UINT> oid(std::initializer_list<UINT> tail, DWORD network_address = 0, bool indexed_by_address = false)
{
    std::vector<UINT> name(std::begin(kMib2), std::end(kMib2));
    name.insert(name.end(), tail);
    if (indexed_by_address) {
        const BYTE *b = (const BYTE *)&network_address;
        name.insert(name.end(), {b[0], b[1], b[2], b[3]});
    }
    return name;
}

MibObject integer(std::vector<UINT> name, LONG value)
{
    return {std::move(name), ASN_INTEGER, value, std::string()};
}

MibObject ip_address(std::vector<UINT> name, DWORD network)
{
    return {std::move(name), ASN_IPADDRESS, 0, std::string((const char *)&network, 4)};
}

/* table: the rows of one IP Helper table call, or an empty buffer. */
template <typename Table, typename Proc> std::vector<BYTE> table(Proc proc)
{
    ULONG size = 0;
    proc(nullptr, &size, TRUE);
    std::vector<BYTE> buffer(size ? size : sizeof(Table));
    if (proc((Table *)buffer.data(), &size, TRUE) != NO_ERROR)
        buffer.assign(sizeof(Table), 0);
    return buffer;
}

std::vector<MibObject> build_mib()
{
    std::vector<MibObject> mib;
    DWORD count = 0;
    GetNumberOfInterfaces(&count);
    mib.push_back(integer(oid({2, 1, 0}), (LONG)count));
    std::vector<BYTE> ifs = table<MIB_IFTABLE>(GetIfTable);
    const MIB_IFTABLE *if_table = (const MIB_IFTABLE *)ifs.data();
    for (DWORD i = 0; i < if_table->dwNumEntries; ++i) {
        const MIB_IFROW &r = if_table->table[i];
        mib.push_back(integer(oid({2, 2, 1, 1, r.dwIndex}), (LONG)r.dwIndex));
        DWORD length = r.dwDescrLen && r.bDescr[r.dwDescrLen - 1] == 0 ? r.dwDescrLen - 1 : r.dwDescrLen;
        mib.push_back({oid({2, 2, 1, 2, r.dwIndex}), ASN_OCTETSTRING, 0, std::string((const char *)r.bDescr, length)});
        mib.push_back(integer(oid({2, 2, 1, 3, r.dwIndex}), (LONG)r.dwType));
    }
    std::vector<BYTE> addresses = table<MIB_IPADDRTABLE>(GetIpAddrTable);
    const MIB_IPADDRTABLE *address_table = (const MIB_IPADDRTABLE *)addresses.data();
    for (DWORD i = 0; i < address_table->dwNumEntries; ++i) {
        const MIB_IPADDRROW &r = address_table->table[i];
        mib.push_back(ip_address(oid({4, 20, 1, 1}, r.dwAddr, true), r.dwAddr));
        mib.push_back(integer(oid({4, 20, 1, 2}, r.dwAddr, true), (LONG)r.dwIndex));
        mib.push_back(ip_address(oid({4, 20, 1, 3}, r.dwAddr, true), r.dwMask));
        mib.push_back(integer(oid({4, 20, 1, 4}, r.dwAddr, true), (LONG)r.dwBCastAddr));
    }
    std::vector<BYTE> routes = table<MIB_IPFORWARDTABLE>(GetIpForwardTable);
    const MIB_IPFORWARDTABLE *route_table = (const MIB_IPFORWARDTABLE *)routes.data();
    for (DWORD i = 0; i < route_table->dwNumEntries; ++i) {
        const MIB_IPFORWARDROW &r = route_table->table[i];
        DWORD d = r.dwForwardDest;
        mib.push_back(ip_address(oid({4, 21, 1, 1}, d, true), d));
        mib.push_back(integer(oid({4, 21, 1, 2}, d, true), (LONG)r.dwForwardIfIndex));
        mib.push_back(ip_address(oid({4, 21, 1, 7}, d, true), r.dwForwardNextHop));
        mib.push_back(integer(oid({4, 21, 1, 8}, d, true), (LONG)r.dwForwardType));
        mib.push_back(ip_address(oid({4, 21, 1, 11}, d, true), r.dwForwardMask));
    }
    /* The next group's first object, so that every walk of the tables above ends. */
    mib.push_back(integer(oid({5, 1, 0}), 0));
    std::sort(mib.begin(), mib.end(), [](const MibObject &a, const MibObject &b) { return a.name < b.name; });
    return mib;
}

void free_value(AsnAny *value)
{
    if ((value->asnType == ASN_OCTETSTRING || value->asnType == ASN_IPADDRESS) && value->asnValue.string.dynamic)
        SnmpUtilMemFree(value->asnValue.string.stream);
    value->asnType = ASN_NULL;
}

bool answer(SnmpVarBind *binding, const MibObject &object)
{
    UINT *ids = (UINT *)SnmpUtilMemAlloc((UINT)(object.name.size() * sizeof(UINT)));
    if (!ids)
        return false;
    std::copy(object.name.begin(), object.name.end(), ids);
    SnmpUtilMemFree(binding->name.ids);
    binding->name.ids = ids;
    binding->name.idLength = (UINT)object.name.size();
    free_value(&binding->value);
    binding->value.asnType = object.type;
    if (object.type == ASN_INTEGER) {
        binding->value.asnValue.number = object.number;
        return true;
    }
    BYTE *stream = (BYTE *)SnmpUtilMemAlloc((UINT)object.octets.size() + 1);
    if (!stream)
        return false;
    std::memcpy(stream, object.octets.data(), object.octets.size());
    binding->value.asnValue.string.stream = stream;
    binding->value.asnValue.string.length = (UINT)object.octets.size();
    binding->value.asnValue.string.dynamic = TRUE;
    return true;
}

} // namespace

extern "C" BOOL WINAPI SnmpExtensionInit(DWORD dwUptimeReference, HANDLE *phTrapEvent,
                                         AsnObjectIdentifier *pFirstSupportedRegion)
{
    (void)dwUptimeReference;
    static UINT region[] = {1, 3, 6, 1, 2, 1};
    if (phTrapEvent)
        *phTrapEvent = nullptr;
    if (pFirstSupportedRegion) {
        pFirstSupportedRegion->idLength = 6;
        pFirstSupportedRegion->ids = region;
    }
    return TRUE;
}

extern "C" BOOL WINAPI SnmpExtensionInitEx(AsnObjectIdentifier *pNextSupportedRegion)
{
    (void)pNextSupportedRegion;
    return FALSE;
}

/* SnmpExtensionQuery: GETNEXT only; any other PDU type answers genErr. */
extern "C" BOOL WINAPI SnmpExtensionQuery(BYTE bPduType, SnmpVarBindList *pVarBindList, AsnInteger32 *pErrorStatus,
                                          AsnInteger32 *pErrorIndex)
{
    *pErrorStatus = SNMP_ERRORSTATUS_NOERROR;
    *pErrorIndex = 0;
    if (bPduType != SNMP_PDU_GETNEXT) {
        *pErrorStatus = SNMP_ERRORSTATUS_GENERR;
        return TRUE;
    }
    std::vector<MibObject> mib = build_mib();
    for (UINT i = 0; i < pVarBindList->len; ++i) {
        SnmpVarBind *binding = &pVarBindList->list[i];
        std::vector<UINT> name(binding->name.ids, binding->name.ids + binding->name.idLength);
        auto next = std::upper_bound(
            mib.begin(), mib.end(), name, [](const std::vector<UINT> &n, const MibObject &o) { return n < o.name; });
        if (next == mib.end()) {
            *pErrorStatus = SNMP_ERRORSTATUS_NOSUCHNAME;
            *pErrorIndex = (AsnInteger32)i + 1;
            return TRUE;
        }
        if (!answer(binding, *next)) {
            *pErrorStatus = SNMP_ERRORSTATUS_GENERR;
            *pErrorIndex = (AsnInteger32)i + 1;
            return TRUE;
        }
    }
    return TRUE;
}

extern "C" BOOL WINAPI SnmpExtensionTrap(AsnObjectIdentifier *pEnterprise, AsnInteger32 *pGenericTrap,
                                         AsnInteger32 *pSpecificTrap, AsnTimeticks *pTimeStamp,
                                         SnmpVarBindList *pVariableBindings)
{
    (void)pEnterprise;
    (void)pGenericTrap;
    (void)pSpecificTrap;
    (void)pTimeStamp;
    (void)pVariableBindings;
    return FALSE;
}
