/*
 * CPmcMib2Tables: the route, interface and address tables walked with GETNEXT through the
 * MIB-II extension agent "inetmib1.dll". Names and values passed to the agent are
 * allocated with the SNMP utility library's memory functions (snmpapi.dll), which the
 * agent uses to free and replace them.
 */
#include <snmp.h>

#include <cstring>

#include "management/pmc_local_network_info.h"
#include "management/pmc_status.h"

IPmcTableProvider *pmc_create_mib2_tables(int *code)
{
    *code = PMC_E_SYSTEM;
    return nullptr;
}
