/*
 * Value comparison by type and the sized write of one setting.
 */
#include "core/handlers/setting_handlers.h"

#include "core/settings/settings.h"

/* Sign of a - b; every numeric type fits in 64 bits with its sign. */
static short cmp_Order(long long a, long long b)
{
    return a == b ? 0 : (a > b ? 1 : -1);
}

/* Sign of the wide-string comparison; 2 for a NULL string. */
static short cmp_Strings(const WCHAR *a, const WCHAR *b)
{
    if (!a || !b) {
        return 2;
    }
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return cmp_Order(*a, *b);
}

short WINAPI opt_CompareValues(WORD valueType, const void *a, const void *b)
{
    if (!a || !b) {
        return 2;
    }
    switch (valueType) {
    case VT_LONG:
    case VT_LONG32:
    case VT_FONTFIELD: return cmp_Order(*(const LONG *)a, *(const LONG *)b);
    case VT_SHORT: return cmp_Order(*(const SHORT *)a, *(const SHORT *)b);
    case VT_WORD: return cmp_Order(*(const WORD *)a, *(const WORD *)b);
    case VT_DWORD: return cmp_Order(*(const DWORD *)a, *(const DWORD *)b);
    case VT_STRING: return cmp_Strings(*(const WCHAR *const *)a, *(const WCHAR *const *)b);
    case VT_BYTE: return cmp_Order(*(const BYTE *)a, *(const BYTE *)b);
    default: return 2;
    }
}

BOOL WINAPI dma_SetValueSized(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, DWORD size,
                              WORD valueType, const void *slot)
{
    if (!slot) {
        return FALSE;
    }
    if (size == (DWORD)-1) {
        const void *value = valueType == VT_STRING ? *(const WCHAR *const *)slot : slot;
        size = dma_GetValueSize(valueType, value, (DWORD)-1);
        if (valueType != VT_STRING && valueType != VT_LOGFONT) {
            size = dma_GetTypeWidth(valueType);
        }
    }
    return dma_SetFunctionValue(functionId, devmode, block, valueType, size, slot) == SST_OK;
}
