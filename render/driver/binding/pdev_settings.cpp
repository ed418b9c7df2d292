/*
 * Settings of the PDEV's DEVMODE and printer-data block, read and written through the
 * DEVMODE access library.
 */
#include "render/driver/binding/pdev_settings.h"

#include "render/driver/binding/dma_binding.h"

static const WORD kValueTypeShort = 2;

// Reads a setting into a pointer-sized slot (a number, or the address of a string); FALSE
// when it cannot be read.
static BOOL ReadSetting(PDEV *pdev, WORD functionId, DWORD_PTR *value, WORD *type)
{
    if (pdev == NULL) {
        return FALSE;
    }
    DWORD size = 0;
    *value = 0;
    return dma_CallGetValue(functionId, &pdev->devmode, pdev->printerData, type, &size, value) == 0;
}

// pdev_GetSetting16: see pdev_settings.h.
WORD WINAPI pdev_GetSetting16(PDEV *pdev, WORD functionId)
{
    return (WORD)pdev_GetSetting32(pdev, functionId);
}

// pdev_GetSetting32: see pdev_settings.h.
DWORD WINAPI pdev_GetSetting32(PDEV *pdev, WORD functionId)
{
    DWORD_PTR value = 0;
    WORD type = 0;
    return ReadSetting(pdev, functionId, &value, &type) ? (DWORD)value : 0;
}

// pdev_GetSettingString: see pdev_settings.h.
const WCHAR *WINAPI pdev_GetSettingString(PDEV *pdev, WORD functionId)
{
    DWORD_PTR value = 0;
    WORD type = 0;
    return ReadSetting(pdev, functionId, &value, &type) ? (const WCHAR *)value : NULL;
}

// pdev_SetSetting16: see pdev_settings.h.
WORD WINAPI pdev_SetSetting16(PDEV *pdev, WORD functionId, WORD value)
{
    if (pdev == NULL) {
        return 16;
    }
    return dma_CallSetValue(functionId, &pdev->devmode, pdev->printerData, kValueTypeShort, sizeof value, &value);
}
