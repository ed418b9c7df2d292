/* Stands in for the printer-data upgrade: every older block is replaced by the model's defaults. */
#include "core/devmode_upgrade/printer_data_upgrade.h"

#include "core/handlers/setting_handlers.h"
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
