/*
 * Number text helpers of the value kinds: a bounded field scanner for the address forms,
 * decimal reading and 64-bit decimal printing. Nothing here overflows on long digit runs.
 */
#include "management/values/pmc_value_private.h"

#include <climits>

/* Digits beyond this magnitude no longer change a scanned number (it saturates). */
static const int64_t kScanLimit = INT64_MAX / 16 - 16;

static bool is_space(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

static int digit_value(char c, int base)
{
    int d = -1;
    if (c >= '0' && c <= '9')
        d = c - '0';
    else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
    return d < base ? d : -1;
}

/*
 * scan_number: reads white space, an optional sign and digits of `base` from *text, at
 * most `width` characters after the white space (0 = no limit). Advances *text.
 * Returns true when at least one digit was read; *out then holds the number (saturated).
 */
static bool scan_number(const char **text, int base, int width, int64_t *out)
{
    const char *p = *text;
    while (is_space(*p))
        ++p;
    int used = 0;
    bool negative = false;
    if ((*p == '+' || *p == '-') && (width == 0 || used < width)) {
        negative = *p == '-';
        ++p;
        ++used;
    }
    int64_t number = 0;
    int digits = 0;
    while ((width == 0 || used < width) && digit_value(*p, base) >= 0) {
        if (number < kScanLimit)
            number = number * base + digit_value(*p, base);
        ++p;
        ++used;
        ++digits;
    }
    if (digits == 0)
        return false;
    *out = negative ? -number : number;
    *text = p;
    return true;
}

/*
 * pms_scan_fields: reads `text` against `pattern` as the C library's scanner would for
 * the conversions %d, %x and %<width>x and literal characters. Up to `max_fields` numbers
 * go to `fields`. Returns the number of fields converted before the first mismatch.
 */
int pms_scan_fields(const char *text, const char *pattern, int64_t *fields, int max_fields)
{
    int converted = 0;
    const char *p = text;
    while (*pattern) {
        if (*pattern != '%') {
            if (*p != *pattern)
                return converted;
            ++p;
            ++pattern;
            continue;
        }
        ++pattern;
        int width = 0;
        while (*pattern >= '0' && *pattern <= '9')
            width = width * 10 + (*pattern++ - '0');
        int base = *pattern == 'x' ? 16 : 10;
        ++pattern;
        if (converted >= max_fields || !scan_number(&p, base, width, &fields[converted]))
            return converted;
        ++converted;
    }
    return converted;
}

/* pms_scan_decimal: white space, sign and decimal digits; 0 when there are none. */
int64_t pms_scan_decimal(const char *text)
{
    int64_t number = 0;
    if (text && !scan_number(&text, 10, 0, &number))
        number = 0;
    return number;
}

/*
 * pms_clamp_to_32: a number read for a 32-bit kind keeps its 32-bit pattern when it lies
 * between INT32_MIN and UINT32_MAX; beyond, it is held at the nearer end.
 */
uint32_t pms_clamp_to_32(int64_t number)
{
    if (number < INT32_MIN)
        return (uint32_t)INT32_MIN;
    if (number > (int64_t)UINT32_MAX)
        return UINT32_MAX;
    return (uint32_t)number;
}

/* pms_format_unsigned64: decimal digits of `number` into `buffer` (21 bytes); length. */
int pms_format_unsigned64(char *buffer, uint64_t number)
{
    char digits[21];
    int n = 0;
    do {
        digits[n++] = (char)('0' + number % 10);
        number /= 10;
    } while (number);
    for (int i = 0; i < n; ++i)
        buffer[i] = digits[n - 1 - i];
    buffer[n] = 0;
    return n;
}
