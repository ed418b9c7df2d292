/*
 * The worker of DrvConvertDevMode (an application's DEVMODE into the current layout, or
 * the driver's default DEVMODE, always as the 1604-byte first part) and the upgrade of a
 * DEVMODE kept with both parts.
 */
#include "core/devmode_upgrade/devmode_upgrade.h"

#include "core/devmode_upgrade/upgrade_private.h"
#include "core/handlers/setting_handlers.h"
#include "core/printerdata/printer_info.h"
#include "core/settings/settings.h"

#include <winspool.h>

#include <string.h>

/* Bytes of the public words every DEVMODE holds (up to dmDriverExtra). */
static const DWORD kPublicWordsEnd = offsetof(DEVMODEW, dmDriverExtra) + sizeof(WORD);

/* The driver's defaults as the first part of output. */
static LONG cvt_DriverDefault(const WCHAR *printerName, DriverContext *context, DEVMODEW *output)
{
    DriverDevmode *defaults = dm_AllocDevmode(0);
    if (!defaults)
        return DMC_FAILED;
    LONG result = DMC_FAILED;
    if (opt_SetAllDefaults(context, defaults, NULL, printerName)) {
        memcpy(output, defaults, DM_SHORT_SIZE);
        result = DMC_DEFAULTS;
    }
    GlobalFree(defaults);
    return result;
}

LONG dm_ConvertDevMode(const WCHAR *printerName, DriverContext *context, const DEVMODEW *input, DEVMODEW *output,
                       DWORD *size, DWORD mode)
{
    if (!size) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return DMC_FAILED;
    }
    if (!context)
        return DMC_FAILED;
    if (mode != DMC_MODE_CONVERT && mode != DMC_MODE_DRIVER_DEFAULT)
        return DMC_FAILED;
    if (*size < DM_SHORT_SIZE) {
        *size = DM_SHORT_SIZE;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return DMC_BUFFER_TOO_SMALL;
    }
    *size = DM_SHORT_SIZE;
    if (!output)
        return DMC_FAILED;
    if (mode == DMC_MODE_DRIVER_DEFAULT)
        return cvt_DriverDefault(printerName, context, output);
    if (!input)
        return DMC_FAILED;
    switch (dm_UpgradeDevmode(input, (DriverDevmode *)output, printerName, context)) {
    case DMU_CONVERTED: return DMC_CONVERTED;
    case DMU_COPIED: return DMC_COPIED;
    case DMU_DEFAULTS: return DMC_DEFAULTS;
    default: return DMC_FAILED;
    }
}

/* The input when inputSize holds the dmSize + dmDriverExtra bytes it claims, else NULL
 * (which upgrades to the defaults). */
static const DEVMODEW *cvt_CheckedInput(const DEVMODEW *input, DWORD inputSize)
{
    if (!input || inputSize < kPublicWordsEnd)
        return NULL;
    WORD publicSize = 0;
    WORD driverExtra = 0;
    memcpy(&publicSize, (const BYTE *)input + offsetof(DEVMODEW, dmSize), sizeof(WORD));
    memcpy(&driverExtra, (const BYTE *)input + offsetof(DEVMODEW, dmDriverExtra), sizeof(WORD));
    return (DWORD)publicSize + driverExtra <= inputSize ? input : NULL;
}

/* The second part of output after the first part's upgrade gave result. */
static BOOL cvt_SecondPart(const BYTE *input, DWORD inputSize, LONG result, DriverDevmode *output,
                           const DriverDevmode *defaults)
{
    memcpy(&output->second, &defaults->second, sizeof(output->second));
    if (!input)
        return TRUE;
    DWORD start = DM_SHORT_SIZE;
    if (result == DMU_CONVERTED) {
        WORD publicSize = 0;
        WORD driverExtra = 0;
        memcpy(&publicSize, input + offsetof(DEVMODEW, dmSize), sizeof(WORD));
        memcpy(&driverExtra, input + offsetof(DEVMODEW, dmDriverExtra), sizeof(WORD));
        start = (DWORD)publicSize + driverExtra;
    } else if (result != DMU_COPIED) {
        return TRUE;
    }
    if (inputSize <= start)
        return TRUE;
    DWORD bytes = inputSize - start < DM_SECOND_PART_SIZE ? inputSize - start : (DWORD)DM_SECOND_PART_SIZE;
    memcpy(&output->second, input + start, bytes);
    if (result != DMU_CONVERTED)
        return TRUE;
    return upg_ResetSetting(defaults, NULL, output, NULL, FID_SECOND_PART_VERSION);
}

LONG dm_UpgradeFullDevmode(HANDLE printer, const DEVMODEW *input, DWORD inputSize, DriverDevmode *output)
{
    if (!output)
        return DMU_FAILED;
    PRINTER_INFO_1W *info = (PRINTER_INFO_1W *)util_GetPrinterInfoAlloc(printer, 1);
    if (!info)
        return DMU_FAILED;
    DriverContext *context = ddd_OpenContext(printer);
    LONG result = DMU_FAILED;
    if (context) {
        const DEVMODEW *checked = cvt_CheckedInput(input, inputSize);
        DriverDevmode *defaults = dm_AllocDevmode(0);
        if (defaults && opt_SetAllDefaults(context, defaults, NULL, info->pName)) {
            result = dm_UpgradeDevmode(checked, output, info->pName, context);
            if (result != DMU_FAILED && !cvt_SecondPart((const BYTE *)checked, inputSize, result, output, defaults)) {
                memcpy(output, defaults, sizeof(*output));
                result = DMU_DEFAULTS;
            }
        }
        if (defaults)
            GlobalFree(defaults);
        ddd_CloseContext(context);
    }
    GlobalFree(info);
    return result;
}
