/*
 * Texts and boxes of setting conflicts: message loading, scaled numbers, setting names and
 * the range message.
 */
#include "ui/driver/conflict/conflict_messages.h"

#include <stdarg.h>

#include "core/ddd/ddd.h"
#include "core/ddd/ddd_access.h"
#include "core/util/global_block.h"
#include "core/util/resource_module.h"
#include "ui/driver/runtime/messages.h"
#include "ui/driver/runtime/numbers.h"
#include "ui/driver/sheet/snapshot.h"

/* The ValueTypes a scaled number text is made for. */
static const WORD kScaledNumberTypes[] = {
    DDD_VT_SHORT, DDD_VT_USHORT, DDD_VT_LONG, DDD_VT_ULONG, DDD_VT_STRING, DDD_VT_BYTE, DDD_VT_DWORD};

/* The settings whose name is followed by string 305. */
static const WORD kSuffixedNames[] = {327, 328};

static BOOL conflict_InTable(const WORD *table, size_t count, WORD value);

/* 1 when value is one of the count words of table. */
static BOOL conflict_InTable(const WORD *table, size_t count, WORD value)
{
    for (size_t i = 0; i < count; ++i)
        if (table[i] == value)
            return TRUE;
    return FALSE;
}

int cst_LoadMessage(HMODULE module, WCHAR **text, int capacity, UINT stringId, ...)
{
    if (text == nullptr)
        return 0;
    *text = nullptr;
    if (capacity <= 0)
        capacity = CST_MESSAGE_DEFAULT_CHARS;
    va_list args;
    va_start(args, stringId);
    BOOL loaded = ui_LoadFormattedStringV(module, text, capacity, stringId, args);
    va_end(args);
    return loaded ? 1 : 0;
}

int cst_FormatScaledNumber(const void *value, WORD divisor, WORD valueType, DWORD whole, WCHAR *text)
{
    if (text == nullptr)
        return 0;
    text[0] = 0;
    if (value == nullptr || divisor == 0 ||
        !conflict_InTable(kScaledNumberTypes, sizeof(kScaledNumberTypes) / sizeof(kScaledNumberTypes[0]), valueType))
        return 0;
    if (!cst_FormatValueText(whole != 0, text, divisor, valueType, value))
        return 0;
    if (valueType == DDD_VT_STRING || divisor == 1 || whole != 0)
        return 1;
    // The engine writes '.' between the whole part and the decimals.
    for (WCHAR *c = text; *c != 0; ++c)
        if (*c == L'.') {
            *c = ui_GetDecimalSeparator();
            break;
        }
    return 1;
}

int cst_FormatSettingName(HMODULE module, const ConstraintContext *context, WORD functionId, WCHAR **text)
{
    if (text == nullptr)
        return 0;
    *text = nullptr;
    if (context == nullptr || context->context == nullptr)
        return 0;
    WCHAR *name = nullptr;
    if (ddd_DupRecordString(context->context->model, context->context->base, functionId, nullptr, &name) != DDD_OK ||
        name == nullptr)
        return 0;
    for (WCHAR *c = name; *c != 0; ++c)
        if (*c == L'\n' || *c == L'\r') {
            *c = 0;
            break;
        }
    WCHAR *result = name;
    if (conflict_InTable(kSuffixedNames, sizeof(kSuffixedNames) / sizeof(kSuffixedNames[0]), functionId)) {
        const WCHAR *suffix = nullptr;
        int suffixLength = module != nullptr ? LoadStringW(module, CST_SUFFIX_327_328_STRING, (LPWSTR)&suffix, 0) : 0;
        if (suffixLength > 0 && suffix != nullptr) {
            int nameLength = lstrlenW(name);
            result = (WCHAR *)util_GlobalAllocZero((DWORD)(nameLength + suffixLength + 1) * sizeof(WCHAR));
            if (result != nullptr) {
                lstrcpyW(result, name);
                lstrcpynW(result + nameLength, suffix, suffixLength + 1);
            }
            GlobalFree(name);
        }
    }
    if (result == nullptr || result[0] == 0) {
        util_GlobalFreeIfSet(result);
        return 0;
    }
    *text = result;
    return 1;
}

int cst_ShowConflictMessage(HWND window, const ConstraintContext *context, WORD divisor, DWORD whole, WORD functionId,
                            const WCHAR *givenText, WORD valueType, LONG lower, LONG upper, const DWORD unitFlags[2])
{
    (void)unitFlags;
    if (ui_GetSheetContext(window) == nullptr)
        return 1;
    HMODULE module = util_GetResourceModule();
    if (module == nullptr)
        return 1;
    WCHAR *name = nullptr;
    if (givenText == nullptr || givenText[0] == 0) {
        if (functionId == 0 || !cst_FormatSettingName(module, context, functionId, &name))
            return 1;
        givenText = name;
    }
    WCHAR lowerText[CST_NUMBER_TEXT_CHARS] = {};
    WCHAR upperText[CST_NUMBER_TEXT_CHARS] = {};
    WCHAR *message = nullptr;
    int shown = 1;
    if (cst_FormatScaledNumber(&lower, divisor, valueType, whole, lowerText) &&
        cst_FormatScaledNumber(&upper, divisor, valueType, whole, upperText) &&
        cst_LoadMessage(module, &message, 0, CST_RANGE_STRING, givenText, lowerText, upperText)) {
        if (ui_ShowMessageBox(window, CST_CAPTION_STRING, nullptr, MB_ICONWARNING, UI_NO_STRING, message) != -1)
            shown = 0;
    }
    util_GlobalFreeIfSet(message);
    util_GlobalFreeIfSet(name);
    return shown;
}
