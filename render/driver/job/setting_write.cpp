/*
 * Writing a setting back into a DEVMODE from the render side.
 */
#include "render/driver/job/setting_write.h"

#include "core/settings/settings.h"

WORD pdev_SetSetting16Typed(DriverDevmode *devmode, WORD functionId, WORD value)
{
    if (!devmode)
        return SST_BAD;
    return dma_SetFunctionValue(functionId, devmode, NULL, VT_WORD, sizeof(value), &value);
}
