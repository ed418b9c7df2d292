/*
 * The user setting record built from a printer-data block with the description's model
 * name, or from the description defaults.
 */
#include "core/user_registry/user_setting_info.h"

#include "core/settings/settings.h"
#include "core/user_registry/user_setting_private.h"

#include <string.h>

BOOL WINAPI ureg_BuildDefaultUserSettingInfo(HANDLE printer, DriverContext *context, UserSettingInfo *record)
{
    (void)printer;
    if (!context || !record)
        return FALSE;
    usi_InitRecord(record);
    static const WORD kPartBits[] = {USI_PART1, USI_PART2, USI_PART3};
    for (WORD part : kPartBits) {
        for (const UserSettingRow *row = ureg_GetUserSettingRows(part); row->functionId; ++row) {
            DefaultValueRequest request = {context, row->functionId, 0, 0, 0};
            if (!ddd_GetDefaultValue(&request)) {
                if (request.status == UI_STATUS_PAST_END)
                    continue; /* no default in the description data: the field stays 0 */
                return FALSE;
            }
            BOOL put = FALSE;
            if (request.valueType == VT_STRING) {
                put = row->valueType == VT_STRING && usi_CopyText(record, row, (const WCHAR *)request.value);
            } else if (row->valueType != VT_STRING) {
                /* The default comes in a 4-byte slot; the field takes the row's width. */
                DWORD slot = (DWORD)request.value;
                memcpy((BYTE *)record + row->offset, &slot, dma_GetTypeWidth(row->valueType));
                put = TRUE;
            }
            ddd_FreeDefaultValue(request.value, request.valueType);
            if (!put)
                return FALSE;
        }
    }
    return TRUE;
}

BOOL WINAPI ureg_BuildUserSettingInfo(HANDLE printer, DriverContext *context, PrinterDataBlock *block,
                                      UserSettingInfo *record)
{
    (void)printer;
    if (!context || !block || !record)
        return FALSE;
    if (!ureg_ReadUserSettingValues(block, record))
        return FALSE;
    WORD status = 0;
    WCHAR *name = ddd_GetContextHeaderName(context, &status);
    if (!name)
        return FALSE;
    /* The header may hold up to 63 characters; the record keeps the first 31. */
    DWORD chars = dma_CountWideChars(name, USI_MODEL_NAME_CHARS - 1);
    memcpy(record->modelName, name, chars * sizeof(WCHAR));
    GlobalFree(name);
    return TRUE;
}
