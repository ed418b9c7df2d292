/*
 * The user setting record's row lists, and the record read from and applied to a
 * printer-data block. Settings access only: the DEVMODE access library links this part.
 */
#include "core/user_registry/user_setting_info.h"

#include "core/settings/settings.h"
#include "core/user_registry/user_setting_private.h"

#include <string.h>

static BOOL usi_PutValue(UserSettingInfo *record, const UserSettingRow *row, WORD type, const void *value);

#define USI_ROW(id, type, field)                                                          \
    {                                                                                     \
        id, type, offsetof(UserSettingInfo, field), sizeof(((UserSettingInfo *)0)->field) \
    }

static const UserSettingRow kHeaderRows[] = {USI_ROW(8203, VT_WORD, layoutId),
                                             USI_ROW(8204, VT_WORD, blockVersion),
                                             USI_ROW(5137, VT_WORD, modelCode),
                                             {0, 0, 0, 0}};

static const UserSettingRow kPart1Rows[] = {USI_ROW(5129, VT_STRING, s5129),
                                            USI_ROW(5130, VT_STRING, s5130),
                                            USI_ROW(5146, VT_WORD, w5146),
                                            USI_ROW(5147, VT_STRING, s5147),
                                            USI_ROW(5159, VT_STRING, s5159),
                                            {0, 0, 0, 0}};

static const UserSettingRow kPart2Rows[] = {USI_ROW(5150, VT_STRING, s5150),
                                            USI_ROW(5148, VT_STRING, s5148),
                                            USI_ROW(5161, VT_STRING, s5161),
                                            USI_ROW(5167, VT_STRING, s5167),
                                            USI_ROW(5165, VT_BYTE, b5165),
                                            USI_ROW(5169, VT_LONG, d5169),
                                            USI_ROW(5171, VT_LONG, d5171),
                                            USI_ROW(5173, VT_LONG, d5173),
                                            USI_ROW(5178, VT_WORD, w5178),
                                            USI_ROW(5180, VT_STRING, s5180),
                                            USI_ROW(5182, VT_STRING, s5182),
                                            {0, 0, 0, 0}};

static const UserSettingRow kPart3Rows[] = {USI_ROW(5174, VT_STRING, s5174),
                                            USI_ROW(5175, VT_STRING, s5175),
                                            USI_ROW(5176, VT_STRING, s5176),
                                            USI_ROW(5184, VT_STRING, s5184),
                                            USI_ROW(5185, VT_STRING, s5185),
                                            USI_ROW(5183, VT_BYTE, b5183),
                                            {0, 0, 0, 0}};

/* The three parts in the order they are built and applied, with their bits. */
static const struct {
    WORD bit;
    const UserSettingRow *rows;
} kParts[] = {
    {USI_PART1, kPart1Rows},
    {USI_PART2, kPart2Rows},
    {USI_PART3, kPart3Rows},
};

/* Copies text into the row's field, at most size / 2 - 1 characters and a zero. */
BOOL usi_CopyText(UserSettingInfo *record, const UserSettingRow *row, const WCHAR *text)
{
    if (!text)
        return FALSE;
    WCHAR *field = (WCHAR *)((BYTE *)record + row->offset);
    DWORD chars = dma_CountWideChars(text, row->size / 2 - 1);
    memcpy(field, text, chars * sizeof(WCHAR));
    field[chars] = 0;
    return TRUE;
}

/* Zeroes the record and writes its fixed fields. */
void usi_InitRecord(UserSettingInfo *record)
{
    memset(record, 0, sizeof(*record));
    record->format = USI_FORMAT;
    record->partFlags = USI_ALL_PARTS;
    record->part1Length = USI_PART1_LENGTH;
    record->part2Length = USI_PART2_LENGTH;
    record->part3Length = USI_PART3_LENGTH;
}

/* Writes a value of the row's type (value: its bytes, or for type 6 the string pointer)
 * into its field. 0 for a type other than the row's or than 1, 3, 6, 8. */
static BOOL usi_PutValue(UserSettingInfo *record, const UserSettingRow *row, WORD type, const void *value)
{
    if (type != row->valueType)
        return FALSE;
    BYTE *field = (BYTE *)record + row->offset;
    switch (type) {
    case VT_LONG:
    case VT_WORD:
    case VT_BYTE: memcpy(field, value, dma_GetTypeWidth(type)); return TRUE;
    case VT_STRING: return usi_CopyText(record, row, *(const WCHAR *const *)value);
    default: return FALSE;
    }
}

BOOL WINAPI ureg_ApplyUserSettingInfo(PrinterDataBlock *block, const UserSettingInfo *record, WORD mask)
{
    if (!block || !record)
        return FALSE;
    for (const auto &part : kParts) {
        if (!(mask & part.bit))
            continue;
        for (const UserSettingRow *row = part.rows; row->functionId; ++row) {
            const BYTE *field = (const BYTE *)record + row->offset;
            WORD status;
            if (row->valueType == VT_STRING) {
                /* A local copy, so that a record without terminator cannot be overread. */
                WCHAR text[130];
                DWORD chars = dma_CountWideChars((const WCHAR *)field, row->size / 2 - 1);
                memcpy(text, field, chars * sizeof(WCHAR));
                text[chars] = 0;
                const WCHAR *pointer = text;
                status = dma_SetFunctionValue(row->functionId, NULL, block, VT_STRING, row->size, &pointer);
            } else {
                status = dma_SetFunctionValue(row->functionId, NULL, block, row->valueType, row->size, field);
            }
            if (status != SST_OK)
                return FALSE;
        }
    }
    return TRUE;
}

BOOL WINAPI ureg_ReadUserSettingValues(PrinterDataBlock *block, UserSettingInfo *record)
{
    if (!block || !record)
        return FALSE;
    usi_InitRecord(record);
    const UserSettingRow *groups[] = {kHeaderRows, kPart1Rows, kPart2Rows, kPart3Rows};
    for (const UserSettingRow *rows : groups) {
        for (const UserSettingRow *row = rows; row->functionId; ++row) {
            WORD type = 0;
            DWORD size = 0;
            DWORD_PTR value = 0;
            if (dma_GetFunctionValue(row->functionId, NULL, block, &type, &size, &value) != SST_OK)
                return FALSE;
            if (!usi_PutValue(record, row, type, &value))
                return FALSE;
        }
    }
    return TRUE;
}

const UserSettingRow *WINAPI ureg_GetUserSettingRows(WORD group)
{
    if (group == 0)
        return kHeaderRows;
    for (const auto &part : kParts) {
        if (part.bit == group)
            return part.rows;
    }
    return NULL;
}
