/*
 * Resolutions: writing one change into the settings, the default markers of change rows,
 * and a constraint record's change list applied as a whole.
 */
#include "core/constraints/cst_private.h"

#include "core/handlers/setting_handlers.h"
#include "core/settings/settings.h"

#include <string.h>

/* The conflict kind whose change rows are not applied twice to one setting. */
#define CHANGES_KIND_ONCE 3

static int changes_Listed(const WORD *list, WORD count, WORD functionId);

/* 1 when functionId is among the count entries of list. */
static int changes_Listed(const WORD *list, WORD count, WORD functionId)
{
    for (WORD i = 0; list && i < count; ++i) {
        if (list[i] == functionId) {
            return 1;
        }
    }
    return 0;
}

WORD WINAPI cst_ApplyChangeEntry(const ConstraintContext *context, const ChangeEntry *entry)
{
    if (!context || !entry || !entry->value || !context->devmode || !context->block) {
        return CST_ERROR;
    }
    WORD type = entry->valueType;
    DWORD size = cst_TypeWidth(type);
    const void *value = entry->value;
    if (type == VT_STRING) {
        size = dma_GetValueSize(VT_STRING, entry->value, (DWORD)-1);
        value = &entry->value;
    }
    if (size == 0) {
        return CST_ERROR;
    }
    WORD status = dma_SetFunctionValue(entry->functionId, context->devmode, context->block, type, size, value);
    return status == SST_OK ? CST_OK : CST_ERROR;
}

WORD WINAPI cst_ResolveDefaultMarker(const ConstraintContext *context, ChangeEntry *entry)
{
    if (!context || !entry || !entry->value) {
        return CST_ERROR;
    }
    DWORD width = cst_TypeWidth(entry->valueType);
    if (width < 2) {
        return CST_OK;
    }
    DWORD marker = 0;
    memcpy(&marker, entry->value, width);
    if (marker != CST_MARKER_DEFAULT && marker != CST_MARKER_DEFAULT_ALT) {
        return CST_OK;
    }
    DefaultRequest request = {};
    request.context = context->context;
    request.functionId = entry->functionId;
    request.block = context->block;
    if (opt_GetDefault(&request) != OPT_DEFAULT_OK) {
        return CST_ERROR;
    }
    CstValue value;
    BOOL numeric = cst_DecodeValue(request.valueType, &request.value, &value) && request.valueType != VT_STRING;
    opt_FreeDefault(entry->functionId, request.value, request.valueType);
    if (!numeric) {
        return CST_ERROR;
    }
    /* The default goes into the copy in the width of the row's type. */
    DWORD number = (DWORD)value.number;
    memcpy((void *)entry->value, &number, width);
    return CST_OK;
}

WORD WINAPI cst_EvaluateValueList(const ConstraintContext *context, const void *record, WORD **changed, WORD *count)
{
    const DddValueSet *set = (const DddValueSet *)record;
    if (!context || !set || (set->head.type != 7 && set->head.type != 8) || !changed || !*changed || !count) {
        return CST_ERROR;
    }
    if (set->values.count == 0) {
        return CST_VALUES_EMPTY;
    }
    BOOL once = (set->word1 & 0xFF) == CHANGES_KIND_ONCE;
    for (WORD i = 0; i < set->values.count; ++i) {
        const DddValue *row = &set->values.values[i];
        if (once && changes_Listed(*changed, *count, row->functionId)) {
            continue;
        }
        DWORD copy = 0;
        ChangeEntry entry = {row->functionId, row->valueType, ddd_ValueData(row)};
        DWORD width = cst_TypeWidth(row->valueType);
        if (width != 0) {
            if (!entry.value || row->size < width) {
                return CST_ERROR;
            }
            memcpy(&copy, entry.value, width);
            entry.value = &copy;
        }
        if (cst_ResolveDefaultMarker(context, &entry) != CST_OK || cst_ApplyChangeEntry(context, &entry) != CST_OK ||
            cst_AddToIdList(row->functionId, CST_CHANGED_INLINE, changed, count) != CST_OK) {
            return CST_ERROR;
        }
    }
    return CST_VALUES_APPLIED;
}
