/*
 * The colour value of dmColor, computed from the colour settings 345 and 270.
 */
#include "core/rules/dependent_rules.h"

#include "core/settings/settings.h"

BOOL WINAPI opt_ComputeColorField(WORD type345, WORD type270, const void *value345, const void *value270, WORD *result)
{
    if (!value345 || !value270 || !result) {
        return FALSE;
    }
    BOOL mono = dma_ValueToLong(type270, value270) == 1 && dma_ValueToLong(type345, value345) == 1;
    *result = mono ? DMCOLOR_MONOCHROME : DMCOLOR_COLOR;
    return TRUE;
}
