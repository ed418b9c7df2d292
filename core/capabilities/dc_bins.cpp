/*
 * The trays of the capability queries: the description's tray items that selecting causes
 * no conflict of kind 1 or 6, their names cut at a carriage return, and under the field
 * map's "bin" table the public numbers of the trays it translates.
 */
#include "core/capabilities/capabilities_private.h"

#include "core/constraints/constraints.h"
#include "core/devmode_merge/field_map.h"
#include "core/handlers/handler_rows.h"
#include "core/settings/setting_rules.h"
#include "core/settings/settings.h"
#include "core/util/resource_module.h"

enum { STRING_SIZE_SEPARATOR = 2009, KIND_GREYED = 1, KIND_HIDDEN = 6, TEXT_CHARS = 256 };

/* 1 when the FunctionID has an item of that value. */
static BOOL bin_HasItem(DriverContext *context, WORD functionId, WORD value)
{
    FunctionDefRequest def = {context, functionId, 0, 0, NULL, NULL, 0};
    if (!ddd_GetFunctionDef(&def)) {
        return FALSE;
    }
    DWORD items = def.optionCount;
    ddd_ReleaseRecord(def.record);
    for (DWORD i = 0; i < items; ++i) {
        DWORD_PTR item = 0;
        void *option = hdl_FetchDatabaseOption(context, functionId, i, &item);
        if (option) {
            ddd_ReleaseRecord(option);
            if ((WORD)item == value) {
                return TRUE;
            }
        }
    }
    return FALSE;
}

/* 1 when selecting the tray causes no conflict of kind 1 or 6. */
static BOOL bin_Available(const DcQuery *q, WORD value)
{
    BOOL both = bin_HasItem(q->context, FID_PAPER_SOURCE, value);
    WORD functionId = both ? FID_PAPER_SOURCE : FID_DEFAULT_SOURCE;
    WORD type = both ? VT_WORD : VT_SHORT;
    ConflictState state = {};
    WORD done = cst_CheckConflicts(
        CST_MODE_CHECK, q->printer, q->context, q->devmode, q->block, NULL, functionId, type, &value, &state, NULL, 0);
    BOOL available = done == 0 && state.kind != KIND_GREYED && state.kind != KIND_HIDDEN;
    cst_ClearConflictState(&state);
    return available;
}

/* The name cut at its carriage return, and before string 2009 when the text ends with it. */
static void bin_CutName(WCHAR *name)
{
    WCHAR *cr = name;
    while (*cr && *cr != '\r') {
        ++cr;
    }
    if (!*cr) {
        return;
    }
    *cr = 0;
    WCHAR separator[TEXT_CHARS] = {0};
    HMODULE resources = util_GetResourceModule();
    int length = resources ? LoadStringW(resources, STRING_SIZE_SEPARATOR, separator, TEXT_CHARS) : 0;
    int before = (int)(cr - name);
    if (length > 0 && before >= length && lstrcmpW(name + before - length, separator) == 0) {
        name[before - length] = 0;
    }
}

/* The public number of a tray under the map's "bin" table: the Windows value of the first
 * differing pair whose private value is the tray's. */
static WORD bin_PublicNumber(const DcQuery *q, WORD value)
{
    LONG wanted = 0;
    if (!dm_IsFieldMapActive(q->context->fieldMap) ||
        !util_ReadSettingLong(FID_FIELD_MAP_SWITCH, NULL, q->block, &wanted) || wanted == 0) {
        return value;
    }
    WORD count = 0;
    FieldMapPair *pairs = NULL;
    WORD number = value;
    if (dm_GetFieldMapPairs(q->context->fieldMap, FIELD_MAP_BIN, &count, &pairs) == FIELD_MAP_OK) {
        for (WORD i = 0; i < count; ++i) {
            if (pairs[i].privateValue == value) {
                number = (WORD)pairs[i].windowsValue;
                break;
            }
        }
    }
    if (pairs) {
        GlobalFree(pairs);
    }
    return number;
}

LONG dc_Bins(const DcQuery *q)
{
    if (!q->context) {
        return -1;
    }
    FunctionDefRequest def = {q->context, FID_DEFAULT_SOURCE, 0, 0, NULL, NULL, 0};
    if (!ddd_GetFunctionDef(&def)) {
        return -1;
    }
    DWORD items = def.optionCount;
    ddd_ReleaseRecord(def.record);
    LONG count = 0;
    for (DWORD i = 0; i < items; ++i) {
        DWORD_PTR value = 0;
        const DddOption *option = (const DddOption *)hdl_FetchDatabaseOption(q->context, FID_DEFAULT_SOURCE, i, &value);
        if (!option) {
            continue;
        }
        WCHAR name[TEXT_CHARS] = {0};
        dc_CopyName(name, option->caption, TEXT_CHARS);
        ddd_ReleaseRecord((void *)option);
        if (!bin_Available(q, (WORD)value)) {
            continue;
        }
        if (q->output && q->index == DC_BINS) {
            ((WORD *)q->output)[count] = bin_PublicNumber(q, (WORD)value);
        } else if (q->output) {
            bin_CutName(name);
            dc_CopyName((WCHAR *)q->output + count * DC_BIN_NAME_CHARS, name, DC_BIN_NAME_CHARS);
        }
        ++count;
    }
    return count;
}
