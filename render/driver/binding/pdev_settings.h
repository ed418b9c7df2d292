/*
 * The PDEV's setting accessors: the settings of its DEVMODE and printer-data block, read
 * and written by FunctionID through the render DLL's binding of the DEVMODE access
 * library (dma_CallGetValue, dma_CallSetValue).
 */
#ifndef QM_RENDER_DRIVER_BINDING_PDEV_SETTINGS_H
#define QM_RENDER_DRIVER_BINDING_PDEV_SETTINGS_H

#include <windows.h>

#include "render/driver/pdev/pdev.h"

#ifdef __cplusplus
extern "C" {
#endif

/*
 * pdev_GetSetting32 / pdev_GetSetting16: a setting of the PDEV's DEVMODE and printer-data
 * block by FunctionID, through the DEVMODE access library. Returns the value (16-bit: its
 * low 16 bits), 0 when it cannot be read.
 */
DWORD WINAPI pdev_GetSetting32(PDEV *pdev, WORD functionId);
WORD WINAPI pdev_GetSetting16(PDEV *pdev, WORD functionId);

/* pdev_GetSettingString: pointer to a wide-string setting inside the PDEV; NULL on
 * failure. */
const WCHAR *WINAPI pdev_GetSettingString(PDEV *pdev, WORD functionId);

/* pdev_SetSetting16: stores a 16-bit value (ValueType 2, size 2). Returns the library's
 * status: 0 success, else a failure status. */
WORD WINAPI pdev_SetSetting16(PDEV *pdev, WORD functionId, WORD value);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_DRIVER_BINDING_PDEV_SETTINGS_H */
