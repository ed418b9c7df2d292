/*
 * Conversion of DEVMODEs written by any driver version into the current layout: copied
 * when of the current version, converted setting by setting when recent, replaced by the
 * model's defaults otherwise; never half converted. The worker of DrvConvertDevMode and
 * the upgrade of a DEVMODE kept with both parts.
 */
#ifndef QM_CORE_DEVMODE_UPGRADE_DEVMODE_UPGRADE_H
#define QM_CORE_DEVMODE_UPGRADE_DEVMODE_UPGRADE_H

#include <windows.h>

#include "core/context/driver_context.h"
#include "core/settings/settings_types.h"

/* Results of dm_UpgradeDevmode and dm_UpgradeFullDevmode. */
enum { DMU_CONVERTED = 0, DMU_COPIED = 1, DMU_DEFAULTS = 2, DMU_FAILED = -1 };

/* Results of dm_ConvertDevMode. */
enum { DMC_CONVERTED = 1, DMC_COPIED = 2, DMC_DEFAULTS = 3, DMC_BUFFER_TOO_SMALL = -1, DMC_FAILED = -2 };

/* Modes of dm_ConvertDevMode: an application's DEVMODE into the current layout, and the
 * driver's default DEVMODE. */
enum { DMC_MODE_CONVERT = 1, DMC_MODE_DRIVER_DEFAULT = 4 };

/*
 * dm_UpgradeDevmode: converts input (a DEVMODE of any version, dmSize + dmDriverExtra
 * bytes long as it says) into the first part (1604 bytes) of output. Returns
 * DMU_CONVERTED (from an older version), DMU_COPIED (current version), DMU_DEFAULTS (the
 * model's defaults written: NULL, foreign, old or damaged input, or a failed conversion)
 * or DMU_FAILED (NULL output or context, or even the defaults could not be made). Nothing
 * behind the 1604 bytes of output is written; input and output may be the same buffer.
 */
LONG dm_UpgradeDevmode(const DEVMODEW *input, DriverDevmode *output, const WCHAR *printerName, DriverContext *context);

/*
 * dm_ConvertDevMode: the worker of DrvConvertDevMode. *size is the output buffer's size
 * in bytes and is set to 1604 in modes 1 and 4. Returns DMC_CONVERTED, DMC_COPIED,
 * DMC_DEFAULTS, DMC_BUFFER_TOO_SMALL (ERROR_INSUFFICIENT_BUFFER) or DMC_FAILED (NULL size
 * gives ERROR_INVALID_PARAMETER; NULL context, missing buffers, any other mode).
 */
LONG dm_ConvertDevMode(const WCHAR *printerName, DriverContext *context, const DEVMODEW *input, DEVMODEW *output,
                       DWORD *size, DWORD mode);

/*
 * dm_UpgradeFullDevmode: converts a DEVMODE kept with both parts (inputSize bytes at
 * input) into the full output (5872 bytes) for the printer. Returns the result of
 * dm_UpgradeDevmode, or DMU_FAILED when the printer's name or context cannot be had.
 */
LONG dm_UpgradeFullDevmode(HANDLE printer, const DEVMODEW *input, DWORD inputSize, DriverDevmode *output);

#endif /* QM_CORE_DEVMODE_UPGRADE_DEVMODE_UPGRADE_H */
