/*
 * The printer's default DEVMODE: its stored DEVMODE, or the model's defaults when it has
 * none, converted into the caller's buffer with the enforced special settings on top.
 */
#include "core/devmode_helpers/devmode_helpers.h"

#include "core/devmode_upgrade/devmode_upgrade.h"
#include "core/handlers/setting_handlers.h"
#include "core/printerdata/printer_info.h"
#include "core/settings/settings.h"

PRINTER_INFO_2W *WINAPI pd_GetPrinterDefaultDevmode(HANDLE printer, DriverContext *context, DriverDevmode *output,
                                                    DWORD *size, BOOL *ok)
{
    if (!printer || !context || !output || !size || !ok) {
        return NULL;
    }
    *ok = FALSE;
    PRINTER_INFO_2W *info = (PRINTER_INFO_2W *)util_GetPrinterInfoAlloc(printer, 2);
    if (!info) {
        return NULL;
    }
    DriverDevmode *defaults = NULL;
    const DEVMODEW *source = info->pDevMode;
    if (!source) {
        defaults = dm_AllocDevmode(0);
        if (!defaults || !opt_SetAllDefaults(context, defaults, NULL, info->pPrinterName)) {
            GlobalFree(defaults);
            GlobalFree(info);
            return NULL;
        }
        source = &defaults->dm;
    }
    LONG result = dm_ConvertDevMode(info->pPrinterName, context, source, &output->dm, size, DMC_MODE_CONVERT);
    GlobalFree(defaults);
    BOOL converted = result >= DMC_CONVERTED && result <= DMC_DEFAULTS;
    if (!converted || !dm_ApplyEnforcedSettings(context, output, NULL)) {
        GlobalFree(info);
        return NULL;
    }
    *ok = TRUE;
    info->pDevMode = &output->dm;
    return info;
}
