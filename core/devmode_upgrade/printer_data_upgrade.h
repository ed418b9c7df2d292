/*
 * Conversion of a printer-data block of an older driver into the current layout: copied
 * when of the current version, converted from versions 0x5040 on, the model's defaults
 * otherwise (another model, a newer or an older version, a failed conversion).
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

/* pd_UpgradePrinterData: converts stored (5452 bytes) into output. Returns PDU_CONVERTED,
 * PDU_COPIED (same version), PDU_DEFAULTS (defaults written) or PDU_FAILED (NULL argument,
 * or even the defaults could not be made). */
LONG WINAPI pd_UpgradePrinterData(const PrinterDataBlock *stored, PrinterDataBlock *output, DriverContext *context);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_DEVMODE_UPGRADE_PRINTER_DATA_UPGRADE_H */
