/* Stands in for the printer-data upgrade and the DEVMODE conversion: every older block is replaced by the model's defaults. */
#include "core/devmode_upgrade/printer_data_upgrade.h"

#include "core/handlers/setting_handlers.h"
#include "core/rules/dependent_rules.h"
#include "core/settings/settings.h"

LONG WINAPI pd_UpgradePrinterData(const PrinterDataBlock *stored, PrinterDataBlock *output, DriverContext *context)
{
    if (!stored || !output || !context)
        return PDU_FAILED;
    DriverDevmode *devmode = dm_AllocDevmode(0);
    if (!devmode)
        return PDU_FAILED;
    BOOL done = opt_SetAllDefaults(context, devmode, output, TEXT("DummyName"));
    GlobalFree(devmode);
    return done ? PDU_DEFAULTS : PDU_FAILED;
}

/* Stands in for the DEVMODE conversion: a full DEVMODE of this model is copied, anything
 * else gets the model's defaults. */
LONG WINAPI dm_ConvertDevMode(const WCHAR *printerName, DriverContext *context, const DEVMODEW *input, DEVMODEW *output,
                              DWORD *size, DWORD mode)
{
    if (!size) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return DMC_FAILED;
    }
    if (!context) {
        return DMC_FAILED;
    }
    if (mode != DMC_MODE_CONVERT && mode != DMC_MODE_DEFAULT) {
        return DMC_FAILED;
    }
    if (*size < DM_SHORT_SIZE) {
        *size = DM_SHORT_SIZE;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return DMC_TOO_SMALL;
    }
    *size = DM_SHORT_SIZE;
    if (!output || (mode == DMC_MODE_CONVERT && !input)) {
        return DMC_FAILED;
    }
    if (mode == DMC_MODE_CONVERT && opt_IsDriverDevmodeHeader(context, (DriverDevmode *)input, NULL)) {
        memcpy(output, input, DM_SHORT_SIZE);
        return DMC_COPIED;
    }
    DriverDevmode *defaults = dm_AllocDevmode(0);
    if (!defaults) {
        return DMC_FAILED;
    }
    BOOL done = opt_SetAllDefaults(context, defaults, NULL, printerName ? printerName : TEXT(""));
    if (done) {
        memcpy(output, defaults, DM_SHORT_SIZE);
    }
    GlobalFree(defaults);
    return done ? DMC_DEFAULTS : DMC_FAILED;
}
