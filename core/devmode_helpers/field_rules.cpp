/*
 * Small rules between public fields and private settings: collation by the device's
 * feature level, the colour mode from dmColor and the media settings from dmMediaType
 * (both under the public-field map), the model's colour kind and the preset colours.
 */
#include "core/devmode_helpers/devmode_helpers.h"

#include "core/ddd/model_query.h"
#include "core/devmode_merge/field_map.h"
#include "core/settings/setting_rules.h"
#include "core/settings/settings.h"

enum {
    ENTRY_COLOR_KIND = 5,
    COLOR_KIND_FULL = 2,
    DMCOLOR_COLOR_VALUE = 2, /* DMCOLOR_COLOR */
    COLOR_MODE_MONO = 1,
    PRESET_COUNT = 7
};

/* The preset colours of setting 1855, by index. */
static const COLORREF kPresetColors[PRESET_COUNT] = {
    0x000033FF, 0x003399FF, 0x0000CCFF, 0x00658963, 0x00CC6633, 0x0093518D, 0x00000000};

BOOL WINAPI opt_GetPresetColor(int key, COLORREF *color, int index)
{
    int at = index == -1 ? key - 1 : index;
    if (!color || at < 0 || at >= PRESET_COUNT) {
        return FALSE;
    }
    *color = kPresetColors[at];
    return TRUE;
}

int WINAPI ddd_GetColorKind(DriverContext *context)
{
    if (!context) {
        return -1;
    }
    DWORD kind = ddd_GetEntryNumber(context->model, ENTRY_COLOR_KIND, 1, 0);
    return kind == 0 ? -1 : kind == COLOR_KIND_FULL ? COLOR_KIND_FULL : 1;
}

/* Writes a number in the setting's own type and width. */
static BOOL field_Write(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, LONG value)
{
    const SettingLocation *row = dma_FindSettingRow(functionId, NULL);
    if (!row) {
        return FALSE;
    }
    WORD type = row->presentedType ? row->presentedType : row->storedType;
    DWORD_PTR slot = 0;
    return dma_StoreValueInSlot(type, &slot, &value) &&
           dma_SetFunctionValue(functionId, devmode, block, type, dma_GetTypeWidth(type), &slot) == SST_OK;
}

BOOL WINAPI opt_RuleSyncCollateField(DriverDevmode *devmode, PrinterDataBlock *block, DriverContext *context)
{
    LONG fields = 0;
    if (!devmode || !context || !util_ReadSettingLong(FID_FIELDS, devmode, block, &fields)) {
        return FALSE;
    }
    ModelCapabilities capabilities = {};
    if (ddd_GetModelCapabilities(context->model, &capabilities)) {
        WORD level = dma_GetDeviceFeatureLevel(devmode, block, &capabilities);
        if (level == 1 || level == 2) {
            fields |= DM_COLLATE;
        } else if (level == 3) {
            fields &= ~(LONG)DM_COLLATE;
        }
    }
    return field_Write(FID_FIELDS, devmode, block, fields);
}

BOOL WINAPI opt_RuleColorModeFromDmColor(DriverDevmode *devmode, PrinterDataBlock *block, DriverContext *context)
{
    if (!devmode || !context) {
        return FALSE;
    }
    WORD mode = 0;
    if (dm_GetFieldMapMode(context->fieldMap, FIELD_MAP_COLOR, &mode) != FIELD_MAP_OK || mode == 0) {
        return TRUE;
    }
    LONG color = 0;
    if (!util_ReadSettingLong(FID_COLOR, devmode, block, &color)) {
        return FALSE;
    }
    LONG colorMode = color != DMCOLOR_COLOR_VALUE ? COLOR_MODE_MONO : mode == 2 ? 0 : 2;
    return field_Write(FID_COLOR_MODE, devmode, block, colorMode);
}

BOOL WINAPI opt_RuleMediaFromDmMediaType(DriverContext *context, DriverDevmode *devmode, PrinterDataBlock *block)
{
    if (!devmode || !context) {
        return FALSE;
    }
    WORD merge = 0;
    if (dm_GetFieldMapMerge(context->fieldMap, FIELD_MAP_MEDIA, &merge) != FIELD_MAP_OK || merge == 0) {
        return TRUE;
    }
    LONG media = 0;
    return util_ReadSettingLong(FID_MEDIA_TYPE, devmode, block, &media) &&
           field_Write(FID_MANUAL_TRAY, devmode, block, media) && field_Write(FID_MEDIA_453, devmode, block, media);
}
