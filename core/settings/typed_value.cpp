/*
 * Typed values: a value is a ValueType and a pointer to its bytes. Conversions, text
 * forms, slots and sizes used by the setting handlers and the sheets.
 */
#include "core/settings/settings.h"

#include <string.h>

static WCHAR *dma_FormatDecimal(LONG number, WCHAR *buffer);

/*
 * Writes a signed number as decimal text with its terminator, as "%d" and "%ld" print
 * it. In: number. Out: buffer (at least 12 characters). Returns buffer.
 */
static WCHAR *dma_FormatDecimal(LONG number, WCHAR *buffer)
{
    WCHAR digits[12];
    int n = 0;
    /* Work on the magnitude as unsigned, so that the most negative number prints too. */
    DWORD magnitude = number < 0 ? 0u - (DWORD)number : (DWORD)number;
    do {
        digits[n++] = (WCHAR)(TEXT('0') + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    WCHAR *out = buffer;
    if (number < 0)
        *out++ = TEXT('-');
    while (n > 0)
        *out++ = digits[--n];
    *out = 0;
    return buffer;
}

WCHAR *WINAPI dma_FormatValueText(WORD type, const void *value, WCHAR *buffer)
{
    if (buffer == nullptr || value == nullptr)
        return nullptr;
    switch (type) {
    case VT_LONG:
    case VT_SHORT:
    case VT_WORD:
    case VT_LONG32:
    case VT_DWORD:
    case VT_BYTE:
    case VT_FONTFIELD: return dma_FormatDecimal(dma_ValueToLong(type, value), buffer);
    case VT_STRING: {
        const WCHAR *text = *(const WCHAR *const *)value;
        if (text == nullptr)
            return nullptr;
        DWORD n = dma_CountWideChars(text, 0xFFFFFFFFul);
        memcpy(buffer, text, (n + 1) * sizeof(WCHAR));
        return buffer;
    }
    default: return nullptr;
    }
}

DWORD WINAPI dma_GetValueSize(WORD type, const void *value, DWORD given)
{
    switch (type) {
    case VT_LONG:
    case VT_LONG32:
    case VT_DWORD:
    case VT_FONTFIELD: return 4;
    case VT_SHORT:
    case VT_WORD: return 2;
    case VT_BYTE: return 1;
    case VT_LOGFONT: return sizeof(LOGFONTW);
    case VT_STRING:
        if (given != 0xFFFFFFFFul)
            return given;
        if (value == nullptr)
            return 0;
        return dma_CountWideChars((const WCHAR *)value, 0xFFFFFFFFul) * 2 + 2;
    default: return given;
    }
}

BOOL WINAPI dma_ReturnTypedValue(WORD type, DWORD_PTR value, WORD *outType, DWORD_PTR *outValue, DWORD *outSize)
{
    if (outType == nullptr || outValue == nullptr || outSize == nullptr)
        return FALSE;
    *outType = type;
    *outValue = value;
    *outSize = dma_GetValueSize(type, type == VT_STRING ? (const void *)value : &value, 0xFFFFFFFFul);
    return TRUE;
}

BOOL WINAPI dma_StoreValueInSlot(WORD type, void *slot, const void *value)
{
    if (slot == nullptr || value == nullptr)
        return FALSE;
    DWORD width;
    switch (type) {
    case VT_LONG:
    case VT_LONG32:
    case VT_DWORD:
    case VT_FONTFIELD: width = 4; break;
    case VT_SHORT:
    case VT_WORD: width = 2; break;
    case VT_BYTE: width = 1; break;
    case VT_STRING: memcpy(slot, &value, sizeof value); return TRUE;
    default: return FALSE;
    }
    memset(slot, 0, 4);
    memcpy(slot, value, width);
    return TRUE;
}

DWORD WINAPI dma_ValueToDword(WORD type, const void *value)
{
    return (DWORD)dma_ValueToLong(type, value);
}

LONG WINAPI dma_ValueToLong(WORD type, const void *value)
{
    if (value == nullptr)
        return 0;
    switch (type) {
    case VT_LONG:
    case VT_LONG32:
    case VT_DWORD:
    case VT_FONTFIELD: {
        LONG v;
        memcpy(&v, value, 4);
        return v;
    }
    case VT_SHORT: {
        SHORT v;
        memcpy(&v, value, 2);
        return v;
    }
    case VT_WORD: {
        WORD v;
        memcpy(&v, value, 2);
        return v;
    }
    case VT_BYTE: return *(const BYTE *)value;
    default: return 0;
    }
}

WORD WINAPI dma_ValueToWord(WORD type, const void *value)
{
    /* The low 16 bits of the signed reading are the same for every type. */
    return (WORD)dma_ValueToLong(type, value);
}
