/*
 * Target addresses: until the network address class is part of the library, a target
 * cannot take an address (-5) and never holds one.
 */
#include "management/pmc_target_address.h"

#include "management/pmc_status.h"

int pms_copy_address(IPmcNetworkAddress *, IPmcNetworkAddress **out)
{
    *out = nullptr;
    return PMC_E_UNSUPPORTED;
}

void pms_release_address(IPmcNetworkAddress *)
{
}
