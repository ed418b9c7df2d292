/*
 * Numbers of the user interface: fixed-point and value texts, strict integer parsing,
 * millimetres and inches, unit decimals, paper margins, unit flags, range texts and
 * scaling for the screen's dots per inch.
 */
#ifndef QM_UI_DRIVER_RUNTIME_NUMBERS_H
#define QM_UI_DRIVER_RUNTIME_NUMBERS_H

#include <windows.h>

#include "core/context/driver_context.h"

#define UI_FIXED_POINT_REQUIRED 0x40   /* flags of ui_FormatFixedPoint must hold this */
#define UI_FIXED_POINT_DROP_ZERO 0x100 /* a zero fraction is left out */
#define UI_DECIMAL_SEPARATOR_STRING 9241
#define UI_RANGE_FORMAT_STRING 730
#define UI_UNIT_MILLIMETRE_STRING 2012
#define UI_UNIT_INCH_STRING 2013
#define UI_UNIT_INCH 1
#define UI_VALUE_TEXT_BYTES 48 /* the buffer of a value text without decimals */
#define UI_RANGE_TEXT_CHARS 128
#define UI_MARGINS_ALL 4

/* Four margins in the orientation the caller holds them; index i of the accessors is
 * field i. */
typedef struct PaperMargins {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} PaperMargins;

/* ui_GetDecimalSeparator: the first character of string 9241 of the resource module, '.'
 * without it. */
WCHAR ui_GetDecimalSeparator(void);

/*
 * ui_FormatFixedPoint: value / 10^decimals as "<sign><integer><separator><fraction>", the
 * fraction with its leading zeros, the separator the first character of string 9241; with
 * UI_FIXED_POINT_DROP_ZERO a zero fraction leaves only "<sign><integer>". The sign "-" is
 * written for a negative value with signedFlag; without it the value is formatted
 * unsigned. Decimals 0 give the integer alone. text: out, a new global block. Returns 1, or
 * 0 when flags lack UI_FIXED_POINT_REQUIRED, decimals exceed 9 or memory runs out.
 */
int ui_FormatFixedPoint(WCHAR **text, WORD decimals, BOOL signedFlag, DWORD flags, LONG value);

/*
 * ui_FormatValueText: with decimals, ui_FormatFixedPoint (flags 0x40); else the value in a
 * new 48-byte block, unsigned for ValueTypes 3, 5 and 8, else signed. Returns 1/0.
 */
int ui_FormatValueText(WCHAR **text, WORD decimals, BOOL signedFlag, WORD valueType, LONG value);

/*
 * ui_ParseIntegerA: an optional "-" or "+" and 1 to 10 decimal digits, nothing else; ten
 * digits must not exceed "2147483648" (negative) or "4294967295". value: out, the 32-bit
 * pattern of the signed result, written only on success. Returns 1/0.
 */
int ui_ParseIntegerA(const char *text, DWORD *value);

/* ui_MetricToInch: tenths of a millimetre to hundredths of an inch, rounded half away from
 * zero; for FunctionIDs 268, 269, 324 and 482 kept within -19..19. */
LONG ui_MetricToInch(LONG value, WORD functionId);

/* ui_InchToMetric: hundredths of an inch to tenths of a millimetre (util_InchToMetric). */
LONG ui_InchToMetric(LONG value);

/*
 * ui_GetUnitDecimals: the decimals a length setting shows, u = 1 for inches, else 0:
 * 268, 269, 324, 482: u; 481: u + 2; 460, 461, 470, 478, 1825-1828, 1863, 1864 and the
 * user paper sizes: u + 1. Returns 1, or 0 for another FunctionID or a NULL out.
 */
int ui_GetUnitDecimals(WORD functionId, DWORD unit, WORD *decimals);

/* ui_SetMargins / ui_GetMargins: which 0..3 sets or gets field which from or into
 * values[which]; UI_MARGINS_ALL all four. Return 1, or 0 for NULL or another which. */
int ui_SetMargins(PaperMargins *margins, DWORD which, const LONG values[4]);
int ui_GetMargins(const PaperMargins *margins, DWORD which, LONG values[4]);

/*
 * ui_GetUnitFlags: flags[0] = 1 when the model has capability bit 34 and the locale
 * measures in U.S. units; flags[1] = capability bit 35 (custom sizes shown to the nearest
 * ten). Returns 1, or 0 for NULL arguments.
 */
int ui_GetUnitFlags(DriverContext *context, DWORD flags[2]);

/*
 * ui_FormatRangeText: low and high formatted with the decimals, joined by format string
 * 730 ("%1s", "%2s" the numbers, "%3s" the unit) with unit string 2013 for unit choice 1,
 * else 2012, all from module. text: out, a new global block. Returns 1/0.
 */
int ui_FormatRangeText(HMODULE module, LONG low, LONG high, WORD decimals, DWORD unitChoice, WCHAR **text);

/* ui_ScaleForDpi: value x dots per inch (LOGPIXELSX or LOGPIXELSY of dc, the screen for a
 * NULL dc) / 96 on Windows Vista and later, else the value. */
int ui_ScaleForDpi(HDC dc, int value, int index);

#endif /* QM_UI_DRIVER_RUNTIME_NUMBERS_H */
