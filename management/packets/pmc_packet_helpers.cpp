/*
 * Helpers of the packet objects over optional owned values.
 */
#include "management/packets/pmc_packet_private.h"

#include "management/base/pmc_status.h"

void pms_release_oid(IPmsOid *oid)
{
    if (oid)
        oid->value()->release();
}

int pms_copy_value(IPmsValue *value, IPmsValue **out)
{
    *out = nullptr;
    if (!value)
        return PMC_OK;
    int code = PMC_OK;
    *out = value->clone(&code);
    return *out ? PMC_OK : code;
}

int pms_copy_oid(IPmsOid *oid, IPmsOid **out)
{
    *out = nullptr;
    if (!oid)
        return PMC_OK;
    int code = PMC_OK;
    *out = oid->clone_oid(&code);
    return *out ? PMC_OK : code;
}

bool pms_values_equal(IPmsValue *a, IPmsValue *b)
{
    if (!a || !b)
        return !a && !b;
    return a->equals(b);
}
