/*
 * Comparing the settings of two DEVMODEs, and the header test of a DEVMODE handed to the
 * driver for a print check.
 */
#include "core/devmode_helpers/devmode_helpers.h"

#include "core/handlers/setting_handlers.h"
#include "core/settings/settings.h"

enum { RANGE_ROWS = 13, LAST_PUBLIC_FIELD = 25 };

/* The public fields that take part in a comparison. */
static const WORD kComparedPublic[] = {
    FID_ORIENTATION, FID_PAPER_SIZE, FID_SCALE, FID_COPIES, FID_COLOR, FID_DUPLEX, FID_COLLATE, FID_ICM_INTENT};

/* Private settings never compared: single ones and inclusive ranges. */
typedef struct IdRange {
    WORD first;
    WORD last;
} IdRange;

static const IdRange kNeverCompared[] = {
    {257, 258},
    {260, 261},
    {266, 266},
    {349, 349},
    {365, 372},
    {374, 374},
    {439, 439},
    {442, 442},
    {463, 463},
    {1295, 1295},
    {1339, 1339},
    {1793, 1793},
    {1824, 1828},
    {1856, 1857},
};

/* The header settings of dm_IsDevmodeHeaderValid, in the order they are tested. */
static const WORD kHeaderFields[] = {FID_SPEC_VERSION, FID_SIZE, FID_DRIVER_EXTRA, FID_PRIVATE_VERSION};

/* 1 when the setting takes part; stamps: whether stamp settings do. */
static BOOL cmp_Compared(WORD functionId, BOOL stamps)
{
    if (functionId <= LAST_PUBLIC_FIELD) {
        for (WORD id : kComparedPublic) {
            if (id == functionId) {
                return TRUE;
            }
        }
        return FALSE;
    }
    for (const IdRange &range : kNeverCompared) {
        if (functionId >= range.first && functionId <= range.last) {
            return FALSE;
        }
    }
    return stamps || !dma_IsStampSetting(functionId);
}

/* 1 when the stamp name can be read and is not empty; read: out 0 on a failed read. */
static BOOL cmp_HasStampName(DriverDevmode *devmode, PrinterDataBlock *block, BOOL *read)
{
    WORD type = 0;
    DWORD size = 0;
    DWORD_PTR text = 0;
    *read = dma_GetFunctionValue(FID_STAMP_NAME, devmode, block, &type, &size, &text) == SST_OK && type == VT_STRING;
    return *read && text && ((const WCHAR *)text)[0] != 0;
}

/* 1 when both read and are equal by their type. */
static BOOL cmp_Equal(WORD functionId, DriverDevmode *a, DriverDevmode *b, PrinterDataBlock *block, BOOL *skip)
{
    WORD typeA = 0, typeB = 0;
    DWORD sizeA = 0, sizeB = 0;
    DWORD_PTR valueA = 0, valueB = 0;
    *skip = FALSE;
    if (dma_GetFunctionValue(functionId, a, block, &typeA, &sizeA, &valueA) != SST_OK ||
        dma_GetFunctionValue(functionId, b, block, &typeB, &sizeB, &valueB) != SST_OK || typeA != typeB) {
        return FALSE;
    }
    if (typeA == VT_LOGFONT) {
        *skip = TRUE;
        return TRUE;
    }
    return opt_CompareValues(typeA, &valueA, &valueB) == 0;
}

BOOL WINAPI dm_CompareSettings(DriverDevmode *a, DriverDevmode *b, PrinterDataBlock *block)
{
    if (!a || !b) {
        return FALSE;
    }
    BOOL readA = FALSE, readB = FALSE;
    BOOL namedA = cmp_HasStampName(a, block, &readA);
    BOOL namedB = cmp_HasStampName(b, block, &readB);
    if (!readA || !readB) {
        return FALSE;
    }
    BOOL stamps = namedA || namedB;
    for (DWORD row = 0; row < RANGE_ROWS; ++row) {
        WORD kind = 0;
        if (!dma_GetRangeStorageKind(row, &kind) || kind == SK_PRINTER_DATA) {
            continue;
        }
        for (DWORD entry = 0;; ++entry) {
            WORD functionId = dma_GetRangeFunctionId(row, entry);
            if (functionId == 0) {
                break;
            }
            if (!cmp_Compared(functionId, stamps)) {
                continue;
            }
            const SettingLocation *location = dma_FindSettingRow(functionId, NULL);
            if (location && (location->storedType == VT_LOGFONT || location->presentedType == VT_LOGFONT)) {
                continue;
            }
            BOOL skip = FALSE;
            if (!cmp_Equal(functionId, a, b, block, &skip) && !skip) {
                return FALSE;
            }
        }
    }
    return TRUE;
}

BOOL WINAPI dm_IsDevmodeHeaderValid(DriverDevmode *devmode)
{
    if (!devmode) {
        return FALSE;
    }
    for (WORD functionId : kHeaderFields) {
        ValidateRequest request = {NULL, functionId, devmode, NULL, HC_VALIDATE};
        if (!opt_ValidateSetting(&request)) {
            return FALSE;
        }
    }
    return TRUE;
}
