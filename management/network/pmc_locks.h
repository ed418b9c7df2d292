/*
 * The process-wide locks of the network layer, initialised at library load and deleted
 * at unload (pmc_library_setup.cpp).
 */
#ifndef MANAGEMENT_NETWORK_PMC_LOCKS_H
#define MANAGEMENT_NETWORK_PMC_LOCKS_H

#include <windows.h>

CRITICAL_SECTION *pmc_winsock_lock();         /* the Winsock binding */
CRITICAL_SECTION *pmc_iphelp_lock();          /* the IP Helper binding */
CRITICAL_SECTION *pmc_address_factory_lock(); /* the address factory's creation */
CRITICAL_SECTION *pmc_route_lock();           /* the local route lookup */

#endif /* MANAGEMENT_NETWORK_PMC_LOCKS_H */
