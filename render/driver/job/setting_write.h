/*
 * Writing a setting back into a DEVMODE from the render side.
 */
#ifndef QM_RENDER_DRIVER_JOB_SETTING_WRITE_H
#define QM_RENDER_DRIVER_JOB_SETTING_WRITE_H

#include <windows.h>

#include "core/settings/settings_types.h"

// pdev_SetSetting16Typed: writes a 16-bit value as ValueType 3 (unsigned 16-bit) with size
// 2 into the DEVMODE (the escape overrides restore settings with it).
// Returns the settings status: SST_OK (0) or the refusal.
WORD pdev_SetSetting16Typed(DriverDevmode *devmode, WORD functionId, WORD value);

#endif /* QM_RENDER_DRIVER_JOB_SETTING_WRITE_H */
