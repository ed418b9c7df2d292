/*
 * The memory functions of the SNMP utility library (snmpapi.dll), which an SNMP agent and
 * its extension agents share for the names and values they hand each other. Blocks come
 * from the process heap, zero-filled, so the heap counts show every block not given back.
 */
#include <snmp.h>

extern "C" LPVOID SNMP_FUNC_TYPE SnmpUtilMemAlloc(UINT nBytes)
{
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, nBytes);
}

extern "C" VOID SNMP_FUNC_TYPE SnmpUtilMemFree(LPVOID pMem)
{
    if (pMem)
        HeapFree(GetProcessHeap(), 0, pMem);
}

/* SnmpUtilMemReAlloc: a block of nBytes keeping the old contents; NULL pMem allocates. */
extern "C" LPVOID SNMP_FUNC_TYPE SnmpUtilMemReAlloc(LPVOID pMem, UINT nBytes)
{
    if (!pMem)
        return SnmpUtilMemAlloc(nBytes);
    return HeapReAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, pMem, nBytes);
}
