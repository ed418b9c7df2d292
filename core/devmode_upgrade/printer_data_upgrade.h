/*
 * Conversion of a printer-data block of an older driver into the current layout. Until
 * the DEVMODE upgrade lands, core/interim/printer_data_upgrade_interim.cpp answers with
 * the model's defaults; the upgrade's own sources replace that file.
 */
#ifndef QM_CORE_DEVMODE_UPGRADE_PRINTER_DATA_UPGRADE_H
#define QM_CORE_DEVMODE_UPGRADE_PRINTER_DATA_UPGRADE_H

#include <windows.h>

#include "core/context/driver_context.h"
#include "core/settings/settings_types.h"

enum { PDU_CONVERTED = 0, PDU_COPIED = 1, PDU_DEFAULTS = 2, PDU_FAILED = -1 };

#ifdef __cplusplus
extern "C" {
#endif

/* pd_UpgradePrinterData: converts stored into output. Returns PDU_CONVERTED, PDU_COPIED
 * (same version), PDU_DEFAULTS (defaults written) or PDU_FAILED (NULL argument, failure). */
LONG WINAPI pd_UpgradePrinterData(const PrinterDataBlock *stored, PrinterDataBlock *output, DriverContext *context);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_DEVMODE_UPGRADE_PRINTER_DATA_UPGRADE_H */
