/*
 * The user setting record in the per-user store: loaded from the user's key, or from the
 * printer data where the user has none, over the description defaults; saved part by
 * part merged with what is stored; part 3 reset when the account settings changed.
 */
#include "core/user_registry/user_registry.h"

#include "core/settings/settings.h"
#include "core/stored/stored.h"
#include "core/user_registry/user_setting_upgrade.h"

#include <string.h>

static const WCHAR kUserSettingInfoValue[] = TEXT("UserSettingInfo");

/* A part of the record with its length word: its flag bit, first byte and size. */
typedef struct RecordPart {
    WORD flag;
    DWORD offset;
    DWORD size;
} RecordPart;

static const RecordPart kParts[] = {
    {USI_PART1, offsetof(UserSettingInfo, part1Length), sizeof(WORD) + USI_PART1_LENGTH},
    {USI_PART2, offsetof(UserSettingInfo, part2Length), sizeof(WORD) + USI_PART2_LENGTH},
    {USI_PART3, offsetof(UserSettingInfo, part3Length), sizeof(WORD) + USI_PART3_LENGTH},
};

/* Bytes a stored record must hold for its format to be converted: every source byte of
 * the format's moves (format 4: the whole record). 0 for an unknown format. */
static const struct {
    WORD format;
    DWORD bytes;
} kFormatSizes[] = {{1, 484}, {2, 556}, {3, 978}, {4, sizeof(UserSettingInfo)}};

/* Converts a stored record of size bytes onto record (which holds the defaults). 1, or 0
 * (record unchanged) for a record too short for its format or of an unknown format. */
static BOOL uss_Convert(const BYTE *stored, DWORD size, UserSettingInfo *record, BOOL upgrade)
{
    if (!stored || size < sizeof(WORD))
        return FALSE;
    WORD format = 0;
    memcpy(&format, stored, sizeof(format));
    for (const auto &known : kFormatSizes) {
        if (known.format == format)
            return size >= known.bytes && ureg_UpgradeUserSettingInfo(stored, record, upgrade);
    }
    return FALSE;
}

/* Copies the parts named by mask from source into record (each with its length word). */
static void uss_CopyParts(UserSettingInfo *record, const UserSettingInfo *source, WORD mask)
{
    for (const RecordPart &part : kParts) {
        if (mask & part.flag)
            memcpy((BYTE *)record + part.offset, (const BYTE *)source + part.offset, part.size);
    }
}

/* The record kept in the printer data (kind 3) in a new block. 1, or 0 when there is none. */
static BOOL uss_ReadPrinterDataRecord(HANDLE printer, BYTE **data, DWORD *size)
{
    *data = NULL;
    *size = 0;
    DWORD total = 0;
    if (!printer || !pd_ReadStoredValue(printer, SVK_USER_SETTING_INFO, NULL, &total) || total == 0)
        return FALSE;
    BYTE *block = (BYTE *)GlobalAlloc(GPTR, total);
    if (!block)
        return FALSE;
    DWORD read = total;
    if (!pd_ReadStoredValue(printer, SVK_USER_SETTING_INFO, block, &read)) {
        GlobalFree(block);
        return FALSE;
    }
    *data = block;
    *size = read;
    return TRUE;
}

/* Loading without the last step (part 1 from the printer data). */
static BOOL uss_Load(HANDLE printer, DriverContext *context, UserSettingInfo *record, DWORD flags, BOOL upgrade)
{
    BYTE *stored = NULL;
    DWORD size = 0;
    BOOL fromPrinterData = FALSE;
    if (!(flags & UREG_LOAD_PRINTER_DATA_ONLY)) {
        DWORD type = 0;
        DWORD found =
            ureg_ReadValueAlloc(context, printer, (void **)&stored, &size, &type, NULL, kUserSettingInfoValue);
        if (found == UREG_READ_FAILED)
            return FALSE;
    }
    if (!stored)
        fromPrinterData = uss_ReadPrinterDataRecord(printer, &stored, &size);
    UserSettingInfo defaults;
    BOOL built = ureg_BuildDefaultUserSettingInfo(printer, context, &defaults);
    if (built) {
        *record = defaults;
        if (stored) {
            uss_Convert(stored, size, record, upgrade);
            if (fromPrinterData)
                record->partFlags = USI_PART1;
            uss_CopyParts(record, &defaults, (WORD)(~record->partFlags & USI_ALL_PARTS));
        }
    }
    if (stored)
        GlobalFree(stored);
    return built;
}

BOOL WINAPI ureg_LoadUserSettingInfo(HANDLE printer, DriverContext *context, UserSettingInfo *record, DWORD flags,
                                     BOOL upgrade)
{
    if (!record || !context || !uss_Load(printer, context, record, flags, upgrade))
        return FALSE;
    if ((flags & USI_PART1) && !(record->partFlags & USI_PART1)) {
        UserSettingInfo fromPrinterData;
        if (uss_Load(printer, context, &fromPrinterData, UREG_LOAD_PRINTER_DATA_ONLY, upgrade)) {
            uss_CopyParts(record, &fromPrinterData, USI_PART1);
            record->partFlags |= USI_PART1;
        }
    }
    return TRUE;
}

BOOL WINAPI ureg_SaveUserSettingInfo(HANDLE printer, DriverContext *context, const UserSettingInfo *record, DWORD flags)
{
    if (!record)
        return FALSE;
    UserSettingInfo out = *record;
    if (flags & UREG_LOAD_PRINTER_DATA_ONLY) {
        out.partFlags = (WORD)(flags & 0xFF);
        return pd_WriteStoredValue(printer, &out, sizeof(out), SVK_USER_SETTING_INFO);
    }
    if ((flags & USI_ALL_PARTS) != USI_ALL_PARTS) {
        BYTE *stored = NULL;
        DWORD size = 0;
        DWORD type = 0;
        DWORD found =
            ureg_ReadValueAlloc(context, printer, (void **)&stored, &size, &type, NULL, kUserSettingInfoValue);
        if (found == UREG_READ_FAILED)
            return FALSE;
        if (found == UREG_READ_OK) {
            UserSettingInfo kept;
            BOOL built = ureg_BuildDefaultUserSettingInfo(printer, context, &kept);
            if (built)
                uss_Convert(stored, size, &kept, FALSE);
            GlobalFree(stored);
            if (!built)
                return FALSE;
            uss_CopyParts(&out, &kept, (WORD)(~flags & USI_ALL_PARTS));
            out.partFlags = (WORD)(flags | kept.partFlags);
        } else {
            out.partFlags = (WORD)flags;
        }
    }
    return ureg_WriteValue(printer, context, &out, sizeof(out), REG_BINARY, NULL, kUserSettingInfoValue);
}

BOOL ureg_DeleteUserSettingInfo(HANDLE printer, DriverContext *context)
{
    HKEY key = NULL;
    if (!ureg_OpenPrinterKey(printer, context, NULL, &key))
        return FALSE;
    BOOL deleted = RegDeleteValueW(key, kUserSettingInfoValue) == ERROR_SUCCESS;
    RegCloseKey(key);
    return deleted;
}

/* A number setting of a block; 1, or 0 when it cannot be read. */
static BOOL uss_ReadNumber(PrinterDataBlock *block, WORD functionId, DWORD *value)
{
    WORD type = 0;
    DWORD size = 0;
    DWORD_PTR slot = 0;
    if (dma_GetFunctionValue(functionId, NULL, block, &type, &size, &slot) != SST_OK)
        return FALSE;
    *value = dma_ValueToDword(type, &slot);
    return TRUE;
}

BOOL ureg_RefreshUserSettings(HANDLE printer, DriverContext *context, PrinterDataBlock *block, BOOL *changed)
{
    static const WORD kAccountSettings[] = {FID_USER_5168, FID_USER_5169};
    if (!block || !changed || !context)
        return FALSE;
    *changed = FALSE;
    PrinterDataBlock *loaded = (PrinterDataBlock *)GlobalAlloc(GPTR, sizeof(PrinterDataBlock));
    if (!loaded)
        return FALSE;
    BOOL compared = pd_LoadPrinterData(printer, loaded, context);
    BOOL differ = FALSE;
    for (WORD functionId : kAccountSettings) {
        DWORD mine = 0;
        DWORD stored = 0;
        if (!compared || !uss_ReadNumber(block, functionId, &mine) || !uss_ReadNumber(loaded, functionId, &stored)) {
            compared = FALSE;
            break;
        }
        differ = differ || mine != stored;
    }
    GlobalFree(loaded);
    if (!compared)
        return FALSE;
    if (!differ)
        return TRUE;
    UserSettingInfo defaults;
    if (!ureg_BuildDefaultUserSettingInfo(printer, context, &defaults) ||
        !ureg_ApplyUserSettingInfo(block, &defaults, USI_PART3))
        return FALSE;
    *changed = TRUE;
    return TRUE;
}

BOOL ureg_IsUserSettingId(WORD functionId)
{
    static const WORD kPartGroups[] = {USI_PART1, USI_PART2, USI_PART3};
    for (WORD group : kPartGroups) {
        for (const UserSettingRow *row = ureg_GetUserSettingRows(group); row && row->functionId; ++row) {
            if (row->functionId == functionId)
                return TRUE;
        }
    }
    return FALSE;
}
