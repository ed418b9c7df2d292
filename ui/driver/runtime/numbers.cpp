/*
 * Numbers of the user interface: texts of values, strict parsing, units and margins.
 */
#include "ui/driver/runtime/numbers.h"

#include <string.h>

#include "core/ddd/ddd_access.h"
#include "core/settings/settings_types.h"
#include "core/util/conversion.h"
#include "core/util/format_text.h"
#include "core/util/global_block.h"
#include "core/util/os_version.h"
#include "core/util/paper_number.h"
#include "core/util/resource_module.h"

static const WCHAR kSignText[] = TEXT("-");
static const WCHAR kDefaultSeparator = '.'; /* without string 9241 */
static const WORD kMostDecimals = 9;
static const DWORD kFixedPointChars = 48;
static const LONG kTenthsInchLimit = 19;
static const int kScreenDpi = 96;
static const DWORD kCapUsUnits = 0xFFFF0000u | 34;
static const DWORD kCapRoundCustomSizes = 0xFFFF0000u | 35;

/* Length settings that show whole millimetres or tenths of an inch. */
static const WORD kWholeUnitIds[] = {268, 269, 324, 482};
/* Length settings that show one decimal more than their unit. */
static const WORD kOneDecimalIds[] = {460, 461, 470, 478, 1825, 1826, 1827, 1828, 1863, 1864};
static const WORD kTwoDecimalsId = 481;

static BOOL numbers_InList(const WORD *list, DWORD count, WORD functionId);

static BOOL numbers_InList(const WORD *list, DWORD count, WORD functionId)
{
    for (DWORD i = 0; i < count; ++i)
        if (list[i] == functionId)
            return TRUE;
    return FALSE;
}

WCHAR ui_GetDecimalSeparator(void)
{
    WCHAR text[8] = {};
    HMODULE module = util_GetResourceModule();
    if (module == nullptr || LoadStringW(module, UI_DECIMAL_SEPARATOR_STRING, text, 8) <= 0)
        return kDefaultSeparator;
    return text[0];
}

int ui_FormatFixedPoint(WCHAR **text, WORD decimals, BOOL signedFlag, DWORD flags, LONG value)
{
    if (text == nullptr)
        return 0;
    *text = nullptr;
    if ((flags & UI_FIXED_POINT_REQUIRED) == 0 || decimals > kMostDecimals)
        return 0;
    const WCHAR *sign = TEXT("");
    DWORD magnitude = (DWORD)value;
    if (signedFlag && value < 0) {
        sign = kSignText;
        magnitude = 0u - (DWORD)value;
    }
    DWORD scale = 1;
    for (WORD i = 0; i < decimals; ++i)
        scale *= 10;
    DWORD whole = magnitude / scale;
    DWORD fraction = magnitude % scale;
    WCHAR *out = (WCHAR *)util_GlobalAllocZero(kFixedPointChars * sizeof(WCHAR));
    if (out == nullptr)
        return 0;
    if (decimals == 0 || ((flags & UI_FIXED_POINT_DROP_ZERO) != 0 && fraction == 0)) {
        wsprintfW(out, TEXT("%s%lu"), sign, whole);
    } else {
        WCHAR separator[2] = {ui_GetDecimalSeparator(), 0};
        WCHAR zeros[10] = {};
        DWORD digits = 1;
        for (DWORD rest = fraction / 10; rest != 0; rest /= 10)
            ++digits;
        for (DWORD i = 0; i + digits < decimals; ++i)
            zeros[i] = '0';
        wsprintfW(out, TEXT("%s%lu%s%s%lu"), sign, whole, separator, zeros, fraction);
    }
    *text = out;
    return 1;
}

int ui_FormatValueText(WCHAR **text, WORD decimals, BOOL signedFlag, WORD valueType, LONG value)
{
    if (text == nullptr)
        return 0;
    *text = nullptr;
    if (decimals != 0)
        return ui_FormatFixedPoint(text, decimals, signedFlag, UI_FIXED_POINT_REQUIRED, value);
    WCHAR *out = (WCHAR *)util_GlobalAllocZero(UI_VALUE_TEXT_BYTES);
    if (out == nullptr)
        return 0;
    if (valueType == VT_WORD || valueType == VT_DWORD || valueType == VT_BYTE)
        wsprintfW(out, TEXT("%lu"), (DWORD)value);
    else
        wsprintfW(out, TEXT("%ld"), value);
    *text = out;
    return 1;
}

int ui_ParseIntegerA(const char *text, DWORD *value)
{
    if (text == nullptr || value == nullptr)
        return 0;
    BOOL negative = FALSE;
    if (*text == '-' || *text == '+') {
        negative = *text == '-';
        ++text;
    }
    int digits = 0;
    while (text[digits] >= '0' && text[digits] <= '9')
        ++digits;
    if (digits == 0 || digits > 10 || text[digits] != 0)
        return 0;
    if (digits == 10 && strcmp(text, negative ? "2147483648" : "4294967295") > 0)
        return 0;
    DWORD result = 0;
    for (int i = 0; i < digits; ++i)
        result = result * 10 + (DWORD)(text[i] - '0');
    *value = negative ? 0u - result : result;
    return 1;
}

LONG ui_MetricToInch(LONG value, WORD functionId)
{
    LONGLONG magnitude = value < 0 ? -(LONGLONG)value : (LONGLONG)value;
    LONGLONG rounded = (magnitude * 100 + 127) / 254;
    LONG result = (LONG)(value < 0 ? -rounded : rounded);
    if (numbers_InList(kWholeUnitIds, sizeof(kWholeUnitIds) / sizeof(kWholeUnitIds[0]), functionId)) {
        if (result > kTenthsInchLimit)
            result = kTenthsInchLimit;
        if (result < -kTenthsInchLimit)
            result = -kTenthsInchLimit;
    }
    return result;
}

LONG ui_InchToMetric(LONG value)
{
    return util_InchToMetric(value);
}

int ui_GetUnitDecimals(WORD functionId, DWORD unit, WORD *decimals)
{
    if (decimals == nullptr)
        return 0;
    WORD inch = unit == UI_UNIT_INCH ? 1 : 0;
    if (numbers_InList(kWholeUnitIds, sizeof(kWholeUnitIds) / sizeof(kWholeUnitIds[0]), functionId))
        *decimals = inch;
    else if (functionId == kTwoDecimalsId)
        *decimals = (WORD)(inch + 2);
    else if (numbers_InList(kOneDecimalIds, sizeof(kOneDecimalIds) / sizeof(kOneDecimalIds[0]), functionId) ||
             opt_IsUserPaperSizeId(functionId))
        *decimals = (WORD)(inch + 1);
    else
        return 0;
    return 1;
}

int ui_SetMargins(PaperMargins *margins, DWORD which, const LONG values[4])
{
    if (margins == nullptr || values == nullptr || which > UI_MARGINS_ALL)
        return 0;
    LONG *fields[4] = {&margins->left, &margins->top, &margins->right, &margins->bottom};
    for (DWORD i = 0; i < 4; ++i)
        if (which == UI_MARGINS_ALL || which == i)
            *fields[i] = values[i];
    return 1;
}

int ui_GetMargins(const PaperMargins *margins, DWORD which, LONG values[4])
{
    if (margins == nullptr || values == nullptr || which > UI_MARGINS_ALL)
        return 0;
    const LONG fields[4] = {margins->left, margins->top, margins->right, margins->bottom};
    for (DWORD i = 0; i < 4; ++i)
        if (which == UI_MARGINS_ALL || which == i)
            values[i] = fields[i];
    return 1;
}

int ui_GetUnitFlags(DriverContext *context, DWORD flags[2])
{
    if (context == nullptr || flags == nullptr)
        return 0;
    WCHAR measure[4] = {};
    BOOL usUnits = GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, measure, 4) > 0 && measure[0] != '0';
    flags[0] = usUnits && ddd_HasCapability(context->model, kCapUsUnits) ? 1 : 0;
    flags[1] = ddd_HasCapability(context->model, kCapRoundCustomSizes) ? 1 : 0;
    return 1;
}

int ui_FormatRangeText(HMODULE module, LONG low, LONG high, WORD decimals, DWORD unitChoice, WCHAR **text)
{
    if (text == nullptr)
        return 0;
    *text = nullptr;
    WCHAR format[UI_RANGE_TEXT_CHARS] = {};
    WCHAR unit[UI_RANGE_TEXT_CHARS] = {};
    UINT unitId = unitChoice == UI_UNIT_INCH ? UI_UNIT_INCH_STRING : UI_UNIT_MILLIMETRE_STRING;
    if (module == nullptr || LoadStringW(module, UI_RANGE_FORMAT_STRING, format, UI_RANGE_TEXT_CHARS) <= 0 ||
        LoadStringW(module, unitId, unit, UI_RANGE_TEXT_CHARS) <= 0)
        return 0;
    WCHAR *lowText = nullptr;
    WCHAR *highText = nullptr;
    WCHAR *out = nullptr;
    if (ui_FormatValueText(&lowText, decimals, TRUE, VT_LONG32, low) &&
        ui_FormatValueText(&highText, decimals, TRUE, VT_LONG32, high))
        out = (WCHAR *)util_GlobalAllocZero(UI_RANGE_TEXT_CHARS * sizeof(WCHAR));
    if (out != nullptr)
        util_FormatText(out, UI_RANGE_TEXT_CHARS, format, lowText, highText, unit);
    util_GlobalFreeIfSet(lowText);
    util_GlobalFreeIfSet(highText);
    *text = out;
    return out != nullptr ? 1 : 0;
}

int ui_ScaleForDpi(HDC dc, int value, int index)
{
    if (!util_IsVistaOrLater())
        return value;
    HDC screen = dc != nullptr ? dc : GetDC(nullptr);
    if (screen == nullptr)
        return value;
    int dpi = GetDeviceCaps(screen, index);
    if (dc == nullptr)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? MulDiv(value, dpi, kScreenDpi) : value;
}
