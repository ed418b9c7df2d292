/*
 * Wide text and the ANSI code page: conversions into new global blocks and byte lengths.
 */
#include "ui/driver/runtime/text.h"

#include "core/util/global_block.h"

static int pages_ToMultiByte(const WCHAR *text, DWORD flags, BOOL exact, char **out, DWORD *length);

/* The conversion of text with flags; exact refuses a character that needs the default. */
static int pages_ToMultiByte(const WCHAR *text, DWORD flags, BOOL exact, char **out, DWORD *length)
{
    if (text == nullptr || out == nullptr)
        return 0;
    *out = nullptr;
    BOOL usedDefault = FALSE;
    int bytes = WideCharToMultiByte(CP_ACP, flags, text, -1, nullptr, 0, nullptr, exact ? &usedDefault : nullptr);
    if (bytes <= 0 || (exact && usedDefault))
        return 0;
    char *result = (char *)util_GlobalAllocZero((DWORD)bytes);
    if (result == nullptr)
        return 0;
    if (WideCharToMultiByte(CP_ACP, flags, text, -1, result, bytes, nullptr, nullptr) != bytes) {
        GlobalFree(result);
        return 0;
    }
    *out = result;
    if (length != nullptr)
        *length = (DWORD)(bytes - 1);
    return 1;
}

int ui_WideToMultiByte(const WCHAR *text, char **out, DWORD *length)
{
    return pages_ToMultiByte(text, 0, FALSE, out, length);
}

int ui_WideToMultiByteExact(const WCHAR *text, char **out, DWORD *length)
{
    return pages_ToMultiByte(text, WC_NO_BEST_FIT_CHARS, TRUE, out, length);
}

int ui_MultiByteToWide(const char *text, WCHAR **out, DWORD *length)
{
    if (text == nullptr || out == nullptr)
        return 0;
    *out = nullptr;
    int chars = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (chars <= 0)
        return 0;
    WCHAR *result = (WCHAR *)util_GlobalAllocZero((DWORD)chars * sizeof(WCHAR));
    if (result == nullptr)
        return 0;
    if (MultiByteToWideChar(CP_ACP, 0, text, -1, result, chars) != chars) {
        GlobalFree(result);
        return 0;
    }
    *out = result;
    if (length != nullptr)
        *length = (DWORD)(chars - 1);
    return 1;
}

DWORD ui_GetMultiByteLength(const WCHAR *text)
{
    if (text == nullptr)
        return 0;
    int bytes = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    return bytes > 0 ? (DWORD)(bytes - 1) : 0;
}
