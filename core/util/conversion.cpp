/* Number conversions. */
#include "core/util/conversion.h"

#include <stdlib.h>

static int digit_value(WCHAR c, int base);

/* The value of one digit in base 10 or 16; -1 when c is no such digit. */
static int digit_value(WCHAR c, int base)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (base == 16 && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int WINAPI util_Base64DecodedSize(int n)
{
    if (n < 0)
        return -10;
    return n / 4 * 3 + 1;
}

int WINAPI util_Base64EncodedSize(int n)
{
    if (n < 0)
        return -10;
    return (n + 2) / 3 * 4 + 1;
}

LONG WINAPI util_InchToMetric(LONG value)
{
    LONG magnitude = value < 0 ? -value : value;
    LONG result = (magnitude * 254 / 10 + 5) / 10;
    return value < 0 ? -result : result;
}

LONG WINAPI util_MetricToInch(LONG value, LONG *digit)
{
    LONG magnitude = value < 0 ? -value : value;
    LONG rounded = magnitude * 1000 / 254 + 5;
    if (digit != nullptr)
        *digit = rounded % 10;
    return value < 0 ? -(rounded / 10) : rounded / 10;
}

BOOL WINAPI util_ParseNumber(const WCHAR *text, int *value)
{
    if (text == nullptr || value == nullptr || text[0] == 0)
        return FALSE;
    int base = 10;
    const WCHAR *p = text;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        base = 16;
        p += 2;
    }
    if (*p == 0)
        return FALSE;
    unsigned int result = 0;
    for (; *p != 0; p++) {
        int d = digit_value(*p, base);
        if (d < 0)
            return FALSE;
        result = result * (unsigned int)base + (unsigned int)d;
    }
    *value = (int)result;
    return TRUE;
}

void WINAPI util_SplitHundredths(BOOL tenths, LONG value, LONG *whole, LONG *fraction)
{
    if (whole != nullptr)
        *whole = value / 100;
    if (fraction != nullptr)
        *fraction = tenths ? (value % 100) / 10 : value % 100;
}

int WINAPI util_WideToInt(const WCHAR *text)
{
    if (text == nullptr)
        return 0;
    return _wtoi(text);
}
