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

/* Results of dm_ConvertDevMode. */
enum {
    DMC_CONVERTED = 1,
    DMC_COPIED = 2,
    DMC_DEFAULTS = 3,
    DMC_TOO_SMALL = -1, /* *size then holds the bytes needed */
    DMC_FAILED = -2
};

/* Modes of dm_ConvertDevMode. */
#define DMC_MODE_CONVERT 1
#define DMC_MODE_DEFAULT 4

#ifdef __cplusplus
extern "C" {
#endif

/* pd_UpgradePrinterData: converts stored (5452 bytes) into output. Returns PDU_CONVERTED,
 * PDU_COPIED (same version), PDU_DEFAULTS (defaults written) or PDU_FAILED (NULL argument,
 * or even the defaults could not be made). */
LONG WINAPI pd_UpgradePrinterData(const PrinterDataBlock *stored, PrinterDataBlock *output, DriverContext *context);

/*
 * dm_ConvertDevMode: mode 1 converts input into output, mode 4 writes the driver's default;
 * both write 1604 bytes and need *size of at least that (else *size := 1604 and
 * DMC_TOO_SMALL). Returns DMC_CONVERTED, DMC_COPIED, DMC_DEFAULTS, DMC_TOO_SMALL or
 * DMC_FAILED (NULL size or context, missing buffers, another mode).
 */
LONG WINAPI dm_ConvertDevMode(const WCHAR *printerName, DriverContext *context, const DEVMODEW *input, DEVMODEW *output,
                              DWORD *size, DWORD mode);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_DEVMODE_UPGRADE_PRINTER_DATA_UPGRADE_H */
