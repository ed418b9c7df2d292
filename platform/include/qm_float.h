/*
 * The engine's FLOATL values read as floats. Included by path ("platform/include/
 * qm_float.h") in both builds: the target's headers hold a FLOATL of a 32-bit driver as
 * the float's bits in a DWORD, the host's as a FLOAT; both are four bytes.
 */
#ifndef QM_FLOAT_H
#define QM_FLOAT_H

#include <string.h>

static_assert(sizeof(FLOATL) == sizeof(float), "FLOATL: four bytes");

/* qm_FloatOf: the float a FLOATL holds. */
static inline float qm_FloatOf(FLOATL value)
{
    float result;
    memcpy(&result, &value, sizeof result);
    return result;
}

#endif /* QM_FLOAT_H */
