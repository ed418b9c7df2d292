/*
 * Numeric reads and writes of single settings for the dependent-setting rules.
 */
#include "core/rules/rules_private.h"

#include "core/settings/settings.h"

BOOL rule_Read(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, LONG *value)
{
    return util_ReadSettingLong(functionId, devmode, block, value);
}

BOOL rule_Write(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, LONG value)
{
    const SettingLocation *row = dma_FindSettingRow(functionId, NULL);
    if (!row) {
        return FALSE;
    }
    WORD type = row->presentedType ? row->presentedType : row->storedType;
    DWORD width = dma_GetTypeWidth(type);
    if (type == VT_STRING || type == VT_LOGFONT || width == 0) {
        return FALSE;
    }
    DWORD_PTR slot = 0;
    if (!dma_StoreValueInSlot(type, &slot, &value)) {
        return FALSE;
    }
    return dma_SetFunctionValue(functionId, devmode, block, type, width, &slot) == SST_OK;
}

BOOL rule_UpdateFields(DriverDevmode *devmode, DWORD set, DWORD clear)
{
    LONG fields = 0;
    if (!rule_Read(FID_FIELDS, devmode, NULL, &fields)) {
        return FALSE;
    }
    return rule_Write(FID_FIELDS, devmode, NULL, (LONG)(((DWORD)fields & ~clear) | set));
}

void rule_CopyPaperName(WCHAR *name, const WCHAR *text)
{
    DWORD n = 0;
    while (text && n < RULE_PAPER_NAME_CHARS - 1 && text[n]) {
        name[n] = text[n];
        ++n;
    }
    name[n] = 0;
}
