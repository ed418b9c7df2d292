/*
 * The user setting record by the caller's handle: read from the printer-data block, and
 * a record of any format written back into it. A write goes to a copy of the block, which
 * replaces the block only when every row was written.
 */
#include "devmode_access/dma_private.h"

#include <string.h>

#include "core/user_registry/user_setting_info.h"
#include "core/user_registry/user_setting_upgrade.h"

enum {
    DMA_MODEL_NAME_BYTES = 32 /* bytes of the handle's model name that are used */
};

static BOOL dma_RecordTextsEnd(const UserSettingInfo *record);

/* TRUE when every text of the three parts ends inside its field. */
static BOOL dma_RecordTextsEnd(const UserSettingInfo *record)
{
    static const WORD kParts[] = {USI_PART1, USI_PART2, USI_PART3};
    for (WORD part : kParts) {
        for (const UserSettingRow *row = ureg_GetUserSettingRows(part); row->functionId != 0; ++row) {
            if (row->valueType != VT_STRING)
                continue;
            WCHAR field[DMA_TEXT_MAX_BYTES / 2 + 1];
            dma_LoadWide((const BYTE *)record + row->offset, row->size, field);
            if (dma_CountWideChars(field, row->size / 2) == row->size / 2)
                return FALSE;
        }
    }
    return TRUE;
}

DmaResult WINAPI DMA_GetUserSettingInfo(DmaSettingsSet *handle, void *record, DWORD *size)
{
    if (handle == nullptr || size == nullptr)
        return DMA_BAD_ARGUMENT;
    if (record == nullptr && *size != 0)
        return DMA_BAD_ARGUMENT;
    if (record == nullptr || *size < sizeof(UserSettingInfo)) {
        *size = sizeof(UserSettingInfo);
        return DMA_MORE_DATA;
    }
    if (handle->printerData == nullptr)
        return DMA_BAD_ARGUMENT;
    UserSettingInfo info;
    if (!ureg_ReadUserSettingValues(handle->printerData, &info))
        return DMA_BAD_ARGUMENT;
    /* The part-length words stay 0, as callers have always received them. */
    info.part1Length = 0;
    info.part2Length = 0;
    info.part3Length = 0;
    /* The model name: at most 31 characters and a zero. */
    WCHAR name[DMA_MODEL_NAME_BYTES + 1];
    if (dma_AnsiToWide(handle->modelName, DMA_MODEL_NAME_BYTES, name, DMA_MODEL_NAME_BYTES + 1, nullptr) != DMA_SUCCESS)
        return DMA_BAD_ARGUMENT;
    DWORD chars = dma_CountWideChars(name, USI_MODEL_NAME_CHARS - 1);
    memset(info.modelName, 0, sizeof(info.modelName));
    memcpy(info.modelName, name, chars * sizeof(WCHAR));
    memcpy(record, &info, sizeof(info));
    return DMA_SUCCESS;
}

DmaResult WINAPI DMA_SetUserSettingInfo(DmaSettingsSet *handle, const void *record, DWORD reserved)
{
    (void)reserved;
    if (handle == nullptr || record == nullptr || handle->printerData == nullptr)
        return DMA_BAD_ARGUMENT;
    PrinterDataBlock *block = handle->printerData;
    WORD type;
    DWORD size;
    DWORD flag = 0;
    if (dma_GetValue(FID_ACCOUNT_MODE, nullptr, block, &type, &size, &flag, nullptr) != SST_OK)
        return DMA_BAD_ARGUMENT;
    /* Without description data there are no defaults: fields an old format lacks keep
     * the block's current values. */
    UserSettingInfo info;
    if (!ureg_ReadUserSettingValues(block, &info) || !ureg_UpgradeUserSettingInfo(record, &info, flag == 1))
        return DMA_BAD_ARGUMENT;
    if (!dma_RecordTextsEnd(&info))
        return DMA_BAD_ARGUMENT;
    PrinterDataBlock scratch;
    memcpy(&scratch, block, sizeof(scratch));
    if (!ureg_ApplyUserSettingInfo(&scratch, &info, USI_PART1 | USI_PART2 | USI_PART3))
        return DMA_BAD_ARGUMENT;
    memcpy(block, &scratch, sizeof(scratch));
    return DMA_SUCCESS;
}
