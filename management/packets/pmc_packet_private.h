/*
 * Private to the packet objects and the codec: the helpers that copy, compare and
 * release optional owned values.
 */
#ifndef MANAGEMENT_PACKETS_PMC_PACKET_PRIVATE_H
#define MANAGEMENT_PACKETS_PMC_PACKET_PRIVATE_H

#include "management/base/pmc_memory.h"
#include "management/packets/pmc_packet.h"
#include "management/values/pmc_value.h"

/* pms_release_oid: releases an identifier; null is ignored. */
void pms_release_oid(IPmsOid *oid);

/*
 * pms_copy_value: *out (out) = a clone of `value`, or null for a null value.
 * Returns 0 or the clone's code (*out null then).
 */
int pms_copy_value(IPmsValue *value, IPmsValue **out);
int pms_copy_oid(IPmsOid *oid, IPmsOid **out);

/* pms_values_equal: both absent, or both present and equal. */
bool pms_values_equal(IPmsValue *a, IPmsValue *b);

/*
 * pms_finish: the end of every factory and copy. With `status` 0 the object is handed
 * out; otherwise the half-made object (when there is one) is released and null given.
 * code (out, may be null) receives the status.
 */
template <class T> T *pms_finish(T *object, int status, int *code)
{
    if (code)
        *code = status;
    if (status == 0)
        return object;
    if (object)
        object->release();
    return nullptr;
}

#endif /* MANAGEMENT_PACKETS_PMC_PACKET_PRIVATE_H */
