/*
 * The text of a value for conflict and range messages: by ValueType, optionally divided
 * by a power of ten and shown with decimals.
 */
#include "core/constraints/cst_private.h"

/* Longest text of a number: sign, ten digits, point, ten digits, terminator. */
#define FORMAT_MAX_CHARS 24

static DWORD format_Decimals(DWORD divisor);
static void format_Digits(WCHAR *text, unsigned long long magnitude, DWORD width);

/* The decimals a remainder of divisor shows: the digits of divisor - 1 (at least 1). */
static DWORD format_Decimals(DWORD divisor)
{
    DWORD decimals = 1;
    for (DWORD largest = divisor - 1; largest >= 10; largest /= 10) {
        ++decimals;
    }
    return decimals;
}

/* Appends the decimal digits of magnitude, zero-padded to width, to text. */
static void format_Digits(WCHAR *text, unsigned long long magnitude, DWORD width)
{
    WCHAR digits[FORMAT_MAX_CHARS];
    DWORD n = 0;
    do {
        digits[n++] = (WCHAR)(TEXT('0') + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0 && n < FORMAT_MAX_CHARS - 1);
    while (n < width && n < FORMAT_MAX_CHARS - 1) {
        digits[n++] = TEXT('0');
    }
    WCHAR *end = text;
    while (*end) {
        ++end;
    }
    while (n > 0) {
        *end++ = digits[--n];
    }
    *end = 0;
}

BOOL WINAPI cst_FormatValueText(BOOL whole, WCHAR *text, DWORD divisor, WORD valueType, const void *value)
{
    if (!text) {
        return FALSE;
    }
    text[0] = 0;
    if (!value || divisor == 0) {
        return FALSE;
    }
    if (valueType == VT_STRING) {
        lstrcpyW(text, (const WCHAR *)value);
        return TRUE;
    }
    CstValue number;
    if (valueType == VT_LONG || !cst_DecodeValue(valueType, value, &number)) {
        return FALSE;
    }
    BOOL negative = number.number < 0;
    unsigned long long magnitude = negative ? (unsigned long long)(-number.number) : (unsigned long long)number.number;
    if (divisor == 1) {
        if (negative) {
            lstrcpyW(text, TEXT("-"));
        }
        format_Digits(text, magnitude, 0);
        return TRUE;
    }
    unsigned long long quotient = magnitude / divisor;
    unsigned long long remainder = magnitude % divisor;
    /* A negative value shows its sign when anything of it is shown. */
    if (negative && (quotient != 0 || (!whole && remainder != 0))) {
        lstrcpyW(text, TEXT("-"));
    }
    format_Digits(text, quotient, 0);
    if (!whole) {
        lstrcatW(text, TEXT("."));
        format_Digits(text, remainder, format_Decimals(divisor));
    }
    return TRUE;
}
