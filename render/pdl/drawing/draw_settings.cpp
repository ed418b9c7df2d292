/*
 * Settings of the job a drawing call draws for.
 */
#include "render/pdl/drawing/draw_target.h"

#include "core/settings/settings.h"

DWORD drw_ReadSetting(const DrawTarget *target, WORD functionId)
{
    WORD type = 0;
    DWORD size = 0;
    BYTE value[sizeof(DWORD_PTR)] = {};
    if (target == NULL || target->devmode == NULL ||
        dma_GetFunctionValue(functionId, target->devmode, target->block, &type, &size, value) != 0) {
        return 0;
    }
    return dma_ValueToDword(type, value);
}
