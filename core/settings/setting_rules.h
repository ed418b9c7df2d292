/*
 * Setting rules that read several FunctionIDs at once: the custom paper size and its
 * public fields, device option 5200, the job-start dialog, the resolution limit of long
 * paper and the passcode length.
 */
#ifndef QM_CORE_SETTINGS_SETTING_RULES_H
#define QM_CORE_SETTINGS_SETTING_RULES_H

#include "core/settings/settings_types.h"

/* The two settings areas a rule reads. */
typedef struct SettingsAreas {
    DriverDevmode *devmode;
    PrinterDataBlock *block;
} SettingsAreas;

typedef struct CustomPaperSizeRequest {
    DriverDevmode *devmode;
    PrinterDataBlock *block;
    LONG width;  /* out: 1863 */
    LONG length; /* out: 1864 */
} CustomPaperSizeRequest;

typedef struct PasscodeLengthRequest {
    DriverDevmode *devmode;
    PrinterDataBlock *block;
    BOOL encoded; /* in: the passcode is the protected 5159 (else the plain 5130) */
    LONG maximum; /* out */
    LONG minimum; /* out: 4366 */
} PasscodeLengthRequest;

/* dm_SyncCustomPaperSize directions. */
#define DM_SYNC_TO_PUBLIC 0   /* 1864 -> 9, 1863 -> 10 */
#define DM_SYNC_FROM_PUBLIC 1 /* 9 -> 1864, 10 -> 1863 */

/* The product of the resolution limit: dots that fit on the longer side of the paper, in
 * tenths of a millimetre times dots per inch. */
#define DM_RESOLUTION_LIMIT_PRODUCT 7112000

#ifdef __cplusplus
extern "C" {
#endif

/* util_ReadSettingLong: a numeric setting as a signed 32-bit value (dma_ValueToLong).
 * value: out, written only on success. Returns 1, or 0 when it cannot be read or is a
 * string or record. */
BOOL WINAPI util_ReadSettingLong(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, LONG *value);

/* dm_GetCustomPaperSize: width (1863) and length (1864). Returns 1 when both read; the
 * outputs hold what was read. */
BOOL WINAPI dm_GetCustomPaperSize(CustomPaperSizeRequest *request);

/* dm_SyncCustomPaperSize: copies the custom size to dmPaperLength/dmPaperWidth (direction 0)
 * or back (1). Returns 1 when every read and write succeeds, 0 otherwise or for another
 * direction. */
BOOL WINAPI dm_SyncCustomPaperSize(DWORD direction, DriverDevmode *devmode, PrinterDataBlock *block);

/* util_GetDeviceOption5200: the value of 5200, 0 when it cannot be read. */
DWORD WINAPI util_GetDeviceOption5200(const SettingsAreas *areas);

/* dma_NeedsJobStartDialog: with the bytes 5204 and 4367 (0 when unreadable):
 * (5204 != 0 or 4367 != 3) and (no fax flag or (5204 != 1 and 4367 != 3)). */
BOOL WINAPI dma_NeedsJobStartDialog(DriverDevmode *devmode, PrinterDataBlock *block, BOOL fax);

/*
 * dm_LimitResolutionForPaperSize: limit = 7,112,000 / max(dmPaperWidth, dmPaperLength).
 * When dmPrintQuality exceeds it, dmPrintQuality and dmYResolution become 600 if the limit
 * exceeds 600, else 300 if it exceeds 300, else 200 if it is at least 201. Returns 1 when
 * the resolution fits or was lowered; 0 (DEVMODE unchanged) when the limit is below 201,
 * for a NULL DEVMODE, and for a zero or negative paper dimension.
 */
BOOL WINAPI dm_LimitResolutionForPaperSize(DriverDevmode *devmode);

/*
 * job_CheckPasscodeLength: minimum = 4366; maximum 12 for the protected passcode (5159,
 * decoded) or 4 for the plain one (5130). Returns 1 when minimum <= length <= maximum,
 * 0 otherwise or when a setting cannot be read.
 */
BOOL WINAPI job_CheckPasscodeLength(PasscodeLengthRequest *request);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_SETTINGS_SETTING_RULES_H */
