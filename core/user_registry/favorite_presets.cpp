/*
 * The preset favorites: each option of the page-only setting 36888 after the first holds
 * "name" CR "comment" and the key of a type-21 record whose rows, applied to the
 * defaults, make the preset's settings. Presets are saved with Flag 0 under the number of
 * the preset of the same name, or a free number appended to the index list.
 */
#include "core/user_registry/favorites.h"

#include "core/ddd/ddd_access.h"
#include "core/handlers/setting_handlers.h"
#include "core/settings/settings.h"

#include <string.h>

/* The type of the records holding a preset's rows. */
static const WORD kPresetRecordType = 21;

/* Splits an option text at its last carriage return into name and comment (new strings,
 * free with GlobalFree; without one the whole text is the name). 1 or 0. */
static BOOL fpre_SplitText(const WCHAR *text, WCHAR **name, WCHAR **comment)
{
    if (!text)
        text = TEXT("");
    DWORD length = (DWORD)lstrlenW(text);
    DWORD split = length;
    for (DWORD i = 0; i < length; ++i)
        if (text[i] == 13)
            split = i;
    DWORD commentStart = split < length ? split + 1 : length;
    *name = (WCHAR *)GlobalAlloc(GPTR, (split + 1) * sizeof(WCHAR));
    *comment = (WCHAR *)GlobalAlloc(GPTR, (length - commentStart + 1) * sizeof(WCHAR));
    if (!*name || !*comment) {
        if (*name)
            GlobalFree(*name);
        if (*comment)
            GlobalFree(*comment);
        *name = *comment = NULL;
        return FALSE;
    }
    memcpy(*name, text, split * sizeof(WCHAR));
    memcpy(*comment, text + commentStart, (length - commentStart) * sizeof(WCHAR));
    return TRUE;
}

/* Applies each row of a type-21 record to devmode and block. 1, or 0 at the first row
 * that cannot be read or written. */
static BOOL fpre_ApplyRows(const void *record, DriverDevmode *devmode, PrinterDataBlock *block)
{
    WORD rows = 0;
    if (ddd_GetType21Count(record, &rows) != DDD_OK)
        return FALSE;
    for (WORD n = 1; n <= rows; ++n) {
        WORD functionId = 0;
        WORD valueType = 0;
        WORD size = 0;
        const void *value = NULL;
        if (ddd_GetType21Entry(record, n, &functionId, &valueType, &size, &value) != DDD_OK || !value)
            return FALSE;
        DWORD_PTR slot = 0;
        if (valueType == VT_STRING || valueType == VT_LOGFONT)
            slot = (DWORD_PTR)value;
        else
            memcpy(&slot, value, size < sizeof(DWORD) ? size : sizeof(DWORD));
        if (!dma_SetValueSized(functionId, devmode, block, (DWORD)-1, valueType, &slot))
            return FALSE;
    }
    return TRUE;
}

/* The key of the record an option names: its value as a number. */
static DWORD fpre_OptionKey(const DddOption *option)
{
    const DddValue *value = &option->value;
    if (value->valueType == DDD_VT_STRING || value->valueType == DDD_VT_LOGFONT)
        return 0;
    return dma_ValueToDword(value->valueType, ddd_ValueData(value));
}

/* Outcome of one preset. */
enum { PRESET_MADE, PRESET_SKIPPED, PRESET_STOP };

/* Makes and saves the preset of option n (1-based) of the definition. */
static int fpre_MakePreset(HANDLE printer, DriverContext *context, const DddDefinition *definition, WORD n,
                           const DriverDevmode *defaults, const PrinterDataBlock *defaultBlock, DriverDevmode *preset,
                           PrinterDataBlock *block, WORD *list, DWORD count, DWORD *used)
{
    void *option = NULL;
    WORD optionType = 0;
    if (ddd_FetchOptionRecord(DDD_LEVEL_MODEL, 0, context->model, context->base, definition, n, &optionType, &option) !=
        DDD_OK)
        return PRESET_SKIPPED;
    WCHAR *name = NULL;
    WCHAR *comment = NULL;
    BOOL split = fpre_SplitText(((const DddOption *)option)->caption, &name, &comment);
    DWORD key = fpre_OptionKey((const DddOption *)option);
    ddd_FreeRecord(&option, optionType);
    if (!split)
        return PRESET_STOP;
    void *record = NULL;
    int outcome = PRESET_SKIPPED;
    if (key <= 0xFFFF &&
        ddd_FetchRecordByKey(
            DDD_LEVEL_MODEL, context->model, context->base, kPresetRecordType, (WORD)key, 0, &record) == DDD_OK) {
        memcpy(preset, defaults, DM_FULL_SIZE);
        memcpy(block, defaultBlock, sizeof(*block));
        outcome = PRESET_STOP;
        if (fpre_ApplyRows(record, preset, block)) {
            LONG number = ureg_FindFavorite(printer, context, preset, list, *used, name, 0);
            if (number < 0) {
                number = *used < count ? ureg_FindFreeFavoriteNumber(list, count) : -1;
                if (number > 0)
                    list[(*used)++] = (WORD)number;
            }
            DWORD flag = 0;
            if (number > 0 &&
                ureg_SaveFavorite(printer, context, (DWORD)number, preset, name, comment, &flag, NULL, NULL))
                outcome = PRESET_MADE;
        }
        ddd_FreeRecord(&record, DDD_FREE_OWN_TYPE);
    }
    GlobalFree(name);
    GlobalFree(comment);
    return outcome;
}

BOOL ureg_CreatePresetFavorites(HANDLE printer, DriverContext *context, const WCHAR *printerName, WORD *list,
                                DWORD count)
{
    if (!context || !list || count == 0)
        return FALSE;
    DriverDevmode *defaults = dm_AllocDevmode(0);
    DriverDevmode *preset = dm_AllocDevmode(0);
    PrinterDataBlock *blocks = (PrinterDataBlock *)GlobalAlloc(GPTR, 2 * sizeof(PrinterDataBlock));
    BOOL made = defaults && preset && blocks && opt_SetAllDefaults(context, defaults, &blocks[0], printerName);
    DWORD used = 0;
    while (used < count && list[used] != 0)
        ++used;
    DddFunctionRequest request = {
        DDD_LEVEL_MODEL, context->model, context->base, FID_PRESET_FAVORITES, NULL, 0, 0, NULL};
    if (made && ddd_GetFunctionRecord(&request) == DDD_OK && request.record) {
        const DddDefinition *definition = (const DddDefinition *)request.record;
        if (request.type == 3 || request.type == 4) {
            /* The first option is no preset. */
            for (WORD n = 2; n <= definition->options.count; ++n) {
                int outcome = fpre_MakePreset(
                    printer, context, definition, n, defaults, &blocks[0], preset, &blocks[1], list, count, &used);
                if (outcome == PRESET_STOP) {
                    made = FALSE;
                    break;
                }
            }
        }
    }
    if (request.record)
        ddd_FreeRecord(&request.record, request.type);
    if (defaults)
        GlobalFree(defaults);
    if (preset)
        GlobalFree(preset);
    if (blocks)
        GlobalFree(blocks);
    /* The list is ended by 0 and written even after a failure: the presets made stay listed. */
    if (used < count)
        list[used] = 0;
    DWORD written = used < count ? used + 1 : count;
    return ureg_SaveFavoriteIndex(printer, context, list, written) && made;
}
