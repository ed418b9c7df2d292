/*
 * The effective value of a setting: what the device will use, which for settings that
 * depend on the colour mode, the finishing choice or the resolution may be zero whatever
 * is stored.
 */
#include "core/devmode_helpers/devmode_helpers.h"

#include "core/settings/setting_rules.h"
#include "core/settings/settings.h"

enum { QUALITY_FOR_346 = 600, PDL_VERSION_FOR_STORED_JOB = 0x1010802, COLOR_MODE_MONO = 1, MODE_271_FOR_1307 = 8 };

/* When a setting keeps its value. */
typedef enum EffectiveRule {
    KEEP_UNLESS_MONO_THEN_293, /* zero when 270 is 1, else as KEEP_WITH_293 */
    KEEP_WITH_293,             /* kept when 293 is 2 or 4 */
    KEEP_UNLESS_MONO,          /* zero when 270 is 1 */
    KEEP_WHEN_MONO,            /* kept only when 270 is 1 */
    KEEP_WHEN_271_IS_8         /* kept only when 271 is 8 */
} EffectiveRule;

/* A range of settings, their rule and the width of their zero. */
typedef struct EffectiveRow {
    WORD first;
    WORD last;
    EffectiveRule rule;
    DWORD zeroWidth;
} EffectiveRow;

static const EffectiveRow kEffectiveRows[] = {
    {FID_COMPONENT_SET_2, FID_COMPONENT_SET_2_LAST, KEEP_UNLESS_MONO_THEN_293, 2},
    {FID_COMPONENT_291, FID_COMPONENT_291, KEEP_UNLESS_MONO_THEN_293, 2},
    {FID_USED_COMPONENT_MASK, FID_USED_COMPONENT_MASK, KEEP_WITH_293, 4},
    {FID_COMPONENT_SET_1, FID_COMPONENT_SET_1_LAST, KEEP_WITH_293, 2},
    {FID_COMPONENT_SET_3, FID_COMPONENT_288, KEEP_WITH_293, 2},
    {FID_COMPONENT_FLAG_1303, FID_COMPONENT_FLAG_1304, KEEP_WITH_293, 4},
    {FID_COLOR_PROFILE_PATH, FID_COLOR_PROFILE_1833, KEEP_WITH_293, 4},
    {FID_WORD_BYTES_FIRST, FID_COLOR_BYTES_400, KEEP_UNLESS_MONO, 4},
    {FID_COLOR_ONLY_1317, FID_COLOR_ONLY_1317, KEEP_UNLESS_MONO, 4},
    {FID_PRIVATE_454, FID_PRIVATE_454, KEEP_WHEN_MONO, 1},
    {FID_FLAG_1308, FID_FLAG_1308, KEEP_WHEN_MONO, 4},
    {FID_FLAG_1311, FID_FLAG_1311, KEEP_WHEN_MONO, 4},
    {FID_MONO_ONLY_1318, FID_MONO_ONLY_1318, KEEP_WHEN_MONO, 4},
    {FID_SMALL_BITMAP_HINT, FID_SMALL_BITMAP_HINT, KEEP_WHEN_271_IS_8, 4},
};

/* Whether the row's setting keeps its value. Returns 1 (keep: out), or 0 on a failed read. */
static BOOL eff_Keeps(const EffectiveRow *row, DriverDevmode *devmode, PrinterDataBlock *block, BOOL *keep)
{
    LONG control = 0;
    switch (row->rule) {
    case KEEP_UNLESS_MONO_THEN_293:
        if (!util_ReadSettingLong(FID_COLOR_MODE, devmode, block, &control)) {
            return FALSE;
        }
        if (control == COLOR_MODE_MONO) {
            *keep = FALSE;
            return TRUE;
        }
        [[fallthrough]]; // the finishing choice decides
    case KEEP_WITH_293:
        if (!util_ReadSettingLong(FID_OS_293, devmode, block, &control)) {
            return FALSE;
        }
        *keep = control == 2 || control == 4;
        return TRUE;
    case KEEP_UNLESS_MONO:
    case KEEP_WHEN_MONO:
        if (!util_ReadSettingLong(FID_COLOR_MODE, devmode, block, &control)) {
            return FALSE;
        }
        *keep = (control == COLOR_MODE_MONO) == (row->rule == KEEP_WHEN_MONO);
        return TRUE;
    default:
        if (!util_ReadSettingLong(FID_PRIVATE_271, devmode, block, &control)) {
            return FALSE;
        }
        *keep = control == MODE_271_FOR_1307;
        return TRUE;
    }
}

WORD WINAPI dma_QueryEffectiveValue(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, WORD *type,
                                    DWORD *size, DWORD_PTR *value)
{
    if (!type || !size || !value || dma_GetFunctionValue(functionId, devmode, block, type, size, value) != SST_OK) {
        return EFFECTIVE_FAILED;
    }
    LONG control = 0;
    if (functionId == FID_OUTLINE_MIN_SIZE) {
        if (util_ReadSettingLong(FID_PRINT_QUALITY, devmode, block, &control) && control != QUALITY_FOR_346) {
            *value = 0;
        }
        return EFFECTIVE_OK;
    }
    if (functionId == FID_JOB_PDL_VERSION) {
        if (util_ReadSettingLong(FID_STORED_JOB, devmode, block, &control) && control == 1) {
            *value = PDL_VERSION_FOR_STORED_JOB;
        }
        return EFFECTIVE_OK;
    }
    for (const EffectiveRow &row : kEffectiveRows) {
        if (functionId < row.first || functionId > row.last) {
            continue;
        }
        BOOL keep = TRUE;
        if (!eff_Keeps(&row, devmode, block, &keep)) {
            return EFFECTIVE_FAILED;
        }
        if (!keep) {
            // A string or record is a place: its zero is no place at all.
            *value = 0;
            *size = row.zeroWidth;
        }
        return EFFECTIVE_OK;
    }
    return EFFECTIVE_OK;
}

LONG WINAPI dma_GetEffectiveNumber(const EffectiveNumberRequest *request)
{
    if (!request) {
        return -1;
    }
    WORD type = 0;
    DWORD size = 0;
    DWORD_PTR value = 0;
    if (dma_QueryEffectiveValue(request->functionId, request->devmode, request->block, &type, &size, &value) !=
            EFFECTIVE_OK ||
        type == VT_STRING || type == VT_LOGFONT) {
        return -1;
    }
    switch (dma_GetTypeWidth(type)) {
    case 1: return (LONG)(BYTE)value;
    case 2: return (LONG)(WORD)value;
    default: return (LONG)(DWORD)value;
    }
}
