/*
 * The printer-data block: loaded from the printer's stored "PrinterData" with the user's
 * own values applied (or the model's defaults), stored with the default user values, and
 * handed to the user-interface module's caller; the user-mode driver value and the
 * printer hooks.
 */
#include "core/stored/stored.h"

#include "core/devmode_upgrade/printer_data_upgrade.h"
#include "core/handlers/setting_handlers.h"
#include "core/printerdata/printer_info.h"
#include "core/settings/settings.h"
#include "core/trace/trace.h"
#include "core/user_registry/user_registry.h"
#include "core/user_registry/user_setting_info.h"
#include "core/util/global_block.h"
#include "core/util/resource_module.h"

#include <winspool.h>

#include <string.h>

static const WCHAR kUserModeDriverValue[] = TEXT("SPLUserModePrinterDriver");
static const WCHAR kUserSettingInfoValue[] = TEXT("UserSettingInfo");

static BOOL pdb_ConvertLoaded(HANDLE printer, PrinterDataBlock *loaded, PrinterDataBlock *block,
                              DriverContext *context);
static HANDLE pdb_OpenAdmin(HANDLE printer, BOOL *writable);
static BOOL pdb_ReadWord(PrinterDataBlock *block, WORD functionId, DWORD *value);
static BOOL pdb_ReadStored(HANDLE printer, PrinterDataBlock **loaded);
static void pdb_MergeUserSettings(HANDLE printer, PrinterDataBlock *loaded, DriverContext *context, WORD version);

/*
 * Applies the user's record to the loaded block (steps of a block that could be read),
 * then copies or upgrades it into block. Returns 0 when the block's words cannot be read
 * or the upgrade fails.
 */
static BOOL pdb_ConvertLoaded(HANDLE printer, PrinterDataBlock *loaded, PrinterDataBlock *block, DriverContext *context)
{
    DWORD version = 0;
    if (!pdb_ReadWord(loaded, FID_BLOCK_VERSION, &version))
        return FALSE;
    pdb_MergeUserSettings(printer, loaded, context, (WORD)version);
    DWORD layout = 0;
    if (pdb_ReadWord(loaded, FID_BLOCK_LAYOUT_ID, &layout) && layout == PD_LAYOUT_CURRENT) {
        memcpy(block, loaded, sizeof(*block));
        return TRUE;
    }
    return pd_UpgradePrinterData(loaded, block, context) != PDU_FAILED;
}

/* The printer opened again by its PRINTER_INFO_1 name with PRINTER_ALL_ACCESS, or NULL.
 * writable: out, 0 when the opening was refused with ERROR_ACCESS_DENIED. */
static HANDLE pdb_OpenAdmin(HANDLE printer, BOOL *writable)
{
    *writable = TRUE;
    PRINTER_INFO_1W *info = (PRINTER_INFO_1W *)util_GetPrinterInfoAlloc(printer, 1);
    if (!info)
        return NULL;
    PRINTER_DEFAULTSW defaults = {NULL, NULL, PRINTER_ALL_ACCESS};
    HANDLE opened = NULL;
    if (!OpenPrinterW(info->pName, &opened, &defaults)) {
        if (GetLastError() == ERROR_ACCESS_DENIED)
            *writable = FALSE;
        opened = NULL;
    }
    GlobalFree(info);
    return opened;
}

/* A number setting of the block as an unsigned value. */
static BOOL pdb_ReadWord(PrinterDataBlock *block, WORD functionId, DWORD *value)
{
    WORD type = 0;
    DWORD size = 0;
    DWORD_PTR slot = 0;
    if (dma_GetFunctionValue(functionId, NULL, block, &type, &size, &slot) != SST_OK)
        return FALSE;
    *value = dma_ValueToDword(type, &slot);
    return TRUE;
}

/* The stored "PrinterData" in a new block of at least 5452 bytes. */
static BOOL pdb_ReadStored(HANDLE printer, PrinterDataBlock **loaded)
{
    *loaded = NULL;
    DWORD stored = 0;
    if (!printer || !pd_ReadStoredValue(printer, SVK_PRINTER_DATA, NULL, &stored))
        return FALSE;
    DWORD size = stored > sizeof(PrinterDataBlock) ? stored : sizeof(PrinterDataBlock);
    PrinterDataBlock *block = (PrinterDataBlock *)GlobalAlloc(GPTR, size);
    if (!block)
        return FALSE;
    DWORD read = stored;
    if (!pd_ReadStoredValue(printer, SVK_PRINTER_DATA, block, &read)) {
        GlobalFree(block);
        return FALSE;
    }
    *loaded = block;
    return TRUE;
}

/*
 * Puts the user's own values into a loaded block. A current block (version above 16388)
 * takes the user's record; an older one, which still holds the user values itself,
 * takes the user's record when one is stored, and otherwise moves its values into the
 * user's store. Failures here keep the block as loaded: the block already holds usable
 * values, and falling back to defaults would lose them.
 */
static void pdb_MergeUserSettings(HANDLE printer, PrinterDataBlock *loaded, DriverContext *context, WORD version)
{
    BOOL writable = TRUE;
    HANDLE admin = pdb_OpenAdmin(printer, &writable);
    HANDLE use = admin ? admin : printer;
    DWORD upgradeByte = 0;
    BOOL upgrade = version == NDEV_VERSION && pdb_ReadWord(loaded, FID_ACCOUNT_MODE, &upgradeByte) && upgradeByte == 1;
    BYTE id[PRINTER_ID_SIZE];
    UserSettingInfo record;
    if (version > PD_VERSION_OLD_USER_SETTINGS) {
        if (!ureg_ReadPrinterId(use, id) && writable && ureg_MakePrinterId(use, id))
            ureg_StorePrinterId(use, id);
        if (ureg_LoadUserSettingInfo(use, context, &record, USI_ALL_PARTS, upgrade))
            ureg_ApplyUserSettingInfo(loaded, &record, USI_ALL_PARTS);
    } else {
        void *stored = NULL;
        DWORD size = 0;
        DWORD type = 0;
        BOOL perUser =
            ureg_ReadPrinterId(use, id) &&
            ureg_ReadValueAlloc(context, use, &stored, &size, &type, NULL, kUserSettingInfoValue) == UREG_READ_OK;
        util_GlobalFreeIfSet(stored);
        if (perUser) {
            if (ureg_LoadUserSettingInfo(use, context, &record, USI_ALL_PARTS, upgrade))
                ureg_ApplyUserSettingInfo(loaded, &record, USI_ALL_PARTS);
        } else if (ureg_BuildUserSettingInfo(use, context, loaded, &record)) {
            ureg_SaveUserSettingInfo(use, context, &record, USI_ALL_PARTS);
        }
    }
    if (admin)
        ClosePrinter(admin);
}

BOOL WINAPI GetUpgradedPrinterData(HANDLE printer, BYTE *buffer, DWORD *size, DWORD reserved)
{
    (void)reserved;
    trc_WriteEnter(TEXT("GetUpgradedPrinterData"));
    BOOL tookModule = util_LoadResourceModule() != NULL;
    BOOL result = FALSE;
    DWORD error = 0;
    if (!size) {
        error = ERROR_INVALID_PARAMETER;
    } else if (!buffer && *size == 0) {
        *size = sizeof(PrinterDataBlock);
        result = TRUE;
    } else if (buffer && *size >= sizeof(PrinterDataBlock)) {
        DriverContext *context = ddd_OpenContext(printer);
        if (context) {
            result = pd_LoadPrinterData(printer, (PrinterDataBlock *)buffer, context);
            ddd_CloseContext(context);
        }
    }
    if (tookModule)
        util_ReleaseResourceModule();
    trc_WriteExit(TEXT("GetUpgradedPrinterData RetValue = %d"), result);
    if (error)
        SetLastError(error);
    return result;
}

WCHAR *WINAPI pd_GetUserModeDriverString(HANDLE printer)
{
    DriverContext *context = ddd_OpenContext(printer);
    if (!context)
        return NULL;
    WCHAR *text = NULL;
    WCHAR *copy = NULL;
    if (ddd_GetInfoString(context->model, 2, &text) == DDD_OK && text)
        copy = util_DupWide(text);
    util_GlobalFreeIfSet(text);
    ddd_CloseContext(context);
    return copy;
}

BOOL WINAPI pd_LoadPrinterData(HANDLE printer, PrinterDataBlock *block, DriverContext *context)
{
    if (!block || !context)
        return FALSE;
    PrinterDataBlock *loaded = NULL;
    BOOL done = pdb_ReadStored(printer, &loaded) && pdb_ConvertLoaded(printer, loaded, block, context);
    util_GlobalFreeIfSet(loaded);
    if (!done) {
        DriverDevmode *devmode = dm_AllocDevmode(0);
        done = devmode && opt_SetAllDefaults(context, devmode, block, TEXT("DummyName"));
        util_GlobalFreeIfSet(devmode);
        if (!done)
            return FALSE;
    }
    if (context->special)
        opt_ApplySpecialSettings(context->special, NULL, block, 1);
    return TRUE;
}

LONG WINAPI pd_PrinterHookApply(HANDLE printer, DWORD value)
{
    (void)printer;
    (void)value;
    return 1;
}

LONG WINAPI pd_PrinterHookQuery(HANDLE printer, HMODULE resources, DWORD code, DriverContext *context)
{
    (void)printer;
    (void)resources;
    (void)code;
    (void)context;
    return 0;
}

BOOL WINAPI pd_SetUserModeDriverValue(HANDLE printer)
{
    WCHAR *text = pd_GetUserModeDriverString(printer);
    if (!text)
        return FALSE;
    BOOL writable = TRUE;
    HANDLE admin = pdb_OpenAdmin(printer, &writable);
    BOOL set = admin && SetPrinterDataW(admin,
                                        (LPWSTR)kUserModeDriverValue,
                                        REG_SZ,
                                        (BYTE *)text,
                                        (DWORD)(lstrlenW(text) + 1) * sizeof(WCHAR)) == ERROR_SUCCESS;
    if (admin)
        ClosePrinter(admin);
    GlobalFree(text);
    return set;
}

BOOL WINAPI pd_StorePrinterData(HANDLE printer, PrinterDataBlock *block, DriverContext *context, DWORD storeFlag)
{
    pd_SetUserModeDriverValue(printer);
    if (storeFlag == 0 || !block || !context)
        return FALSE;
    /* The shared printer data holds the default user values; the user's own stay in the
     * caller's block (a copy is written, so a failed write cannot leave defaults there). */
    UserSettingInfo defaults;
    if (!ureg_BuildDefaultUserSettingInfo(printer, context, &defaults))
        return FALSE;
    PrinterDataBlock *shared = (PrinterDataBlock *)GlobalAlloc(GPTR, sizeof(PrinterDataBlock));
    if (!shared)
        return FALSE;
    memcpy(shared, block, sizeof(*shared));
    BOOL stored = ureg_ApplyUserSettingInfo(shared, &defaults, USI_ALL_PARTS) &&
                  pd_WriteStoredValue(printer, shared, sizeof(*shared), SVK_PRINTER_DATA);
    GlobalFree(shared);
    return stored;
}
