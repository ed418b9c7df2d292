/*
 * Values as the engine compares them: decoding by ValueType, reading settings, and the
 * proposed value of a run standing in for the stored one.
 */
#include "core/constraints/cst_private.h"

#include "core/settings/settings.h"

#include <string.h>

static int values_CompareText(const WCHAR *a, const WCHAR *b);

/* Sign of the comparison of two wide strings (NULL as empty). */
static int values_CompareText(const WCHAR *a, const WCHAR *b)
{
    static const WCHAR empty[1] = {0};
    a = a ? a : empty;
    b = b ? b : empty;
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b ? 0 : (*a < *b ? -1 : 1);
}

int cst_CompareValues(const CstValue *a, const CstValue *b)
{
    if (a->type == VT_STRING) {
        return values_CompareText(a->text, b->text);
    }
    return a->number == b->number ? 0 : (a->number < b->number ? -1 : 1);
}

BOOL cst_DecodeValue(WORD type, const void *bytes, CstValue *value)
{
    ZeroMemory(value, sizeof(*value));
    value->type = type;
    if (!bytes) {
        return FALSE;
    }
    switch (type) {
    case VT_LONG:
    case VT_LONG32:
    case VT_FONTFIELD: {
        LONG n;
        memcpy(&n, bytes, sizeof(n));
        value->number = n;
        return TRUE;
    }
    case VT_DWORD: {
        DWORD n;
        memcpy(&n, bytes, sizeof(n));
        value->number = n;
        return TRUE;
    }
    case VT_SHORT: {
        SHORT n;
        memcpy(&n, bytes, sizeof(n));
        value->number = n;
        return TRUE;
    }
    case VT_WORD: {
        WORD n;
        memcpy(&n, bytes, sizeof(n));
        value->number = n;
        return TRUE;
    }
    case VT_BYTE: value->number = *(const BYTE *)bytes; return TRUE;
    case VT_STRING: value->text = (const WCHAR *)bytes; return TRUE;
    default: return FALSE;
    }
}

const void *cst_ProposedValue(const CstRun *run)
{
    if (!run->change || (run->flags & CST_FLAG_CURRENT)) {
        return NULL;
    }
    return run->change->value;
}

BOOL cst_ReadSetting(const ConstraintContext *context, WORD functionId, CstValue *value)
{
    WORD type = 0;
    DWORD size = 0;
    DWORD_PTR slot = 0;
    if (dma_GetFunctionValue(functionId, context->devmode, context->block, &type, &size, &slot) != SST_OK) {
        return FALSE;
    }
    if (type == VT_STRING) {
        return cst_DecodeValue(type, (const void *)slot, value);
    }
    return cst_DecodeValue(type, &slot, value);
}

BOOL cst_RunValue(const CstRun *run, WORD functionId, CstValue *value)
{
    const void *proposed = cst_ProposedValue(run);
    if (proposed && run->change->functionId == functionId) {
        return cst_DecodeValue(run->change->valueType, proposed, value);
    }
    return cst_ReadSetting(run->context, functionId, value);
}

DWORD cst_TypeWidth(WORD type)
{
    switch (type) {
    case VT_LONG:
    case VT_LONG32:
    case VT_DWORD:
    case VT_FONTFIELD: return 4;
    case VT_SHORT:
    case VT_WORD: return 2;
    case VT_BYTE: return 1;
    default: return 0;
    }
}
