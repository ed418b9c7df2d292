/*
 * Cutting and editing of user text: byte-bounded truncation, removal and extraction that
 * read double-byte characters whole, and the parenthesis, append and file-name edits.
 */
#include "ui/driver/runtime/text.h"

#include "core/util/global_block.h"
#include "core/util/resource_module.h"

static const DWORD kSeparatorChars = 16;

static DWORD edit_CharBytes(const char *p, UINT page);
static WCHAR *edit_LastOpening(WCHAR *text);

/* The bytes of the ANSI character at p: 2 for a lead byte with its trail byte, else 1. */
static DWORD edit_CharBytes(const char *p, UINT page)
{
    return IsDBCSLeadByteEx(page, (BYTE)*p) && p[1] != 0 ? 2 : 1;
}

static WCHAR *edit_LastOpening(WCHAR *text)
{
    WCHAR *last = nullptr;
    for (WCHAR *p = text; *p != 0; ++p)
        if (*p == '(')
            last = p;
    return last;
}

int ui_TruncateToBytes(DWORD maxBytes, WCHAR *text, BOOL *truncated)
{
    if (text == nullptr)
        return 0;
    DWORD used = 0;
    BOOL cut = FALSE;
    for (WCHAR *p = text; *p != 0; ++p) {
        char bytes[8];
        int n = WideCharToMultiByte(CP_ACP, 0, p, 1, bytes, sizeof(bytes), nullptr, nullptr);
        if (n <= 0)
            n = 1;
        if (used + (DWORD)n > maxBytes) {
            *p = 0;
            cut = TRUE;
            break;
        }
        used += (DWORD)n;
    }
    if (truncated != nullptr)
        *truncated = cut;
    return 1;
}

int ui_RemoveCharacters(char *text, const char *characters)
{
    if (text == nullptr || characters == nullptr)
        return 0;
    UINT page = GetACP();
    char *write = text;
    for (const char *read = text; *read != 0;) {
        DWORD n = edit_CharBytes(read, page);
        BOOL listed = FALSE;
        for (const char *c = characters; *c != 0 && !listed;) {
            DWORD m = edit_CharBytes(c, page);
            listed = m == n && c[0] == read[0] && (n == 1 || c[1] == read[1]);
            c += m;
        }
        if (!listed)
            for (DWORD i = 0; i < n; ++i)
                *write++ = read[i];
        read += n;
    }
    *write = 0;
    return 1;
}

int ui_ExtractDelimitedText(char **out, DWORD *length, const char *text, char opening, char closing)
{
    if (out == nullptr || length == nullptr || text == nullptr)
        return 0;
    *out = nullptr;
    UINT page = GetACP();
    const char *first = nullptr;
    const char *last = nullptr;
    for (const char *p = text; *p != 0;) {
        DWORD n = edit_CharBytes(p, page);
        if (n == 1 && *p == opening && first == nullptr)
            first = p;
        else if (n == 1 && *p == closing && first != nullptr)
            last = p;
        p += n;
    }
    if (first == nullptr || last == nullptr)
        return 0;
    DWORD bytes = (DWORD)(last - first - 1);
    char *result = (char *)util_GlobalAllocZero(bytes + 1);
    if (result == nullptr)
        return 0;
    for (DWORD i = 0; i < bytes; ++i)
        result[i] = first[1 + i];
    *out = result;
    *length = bytes;
    return 1;
}

int ui_StripParenthesis(WCHAR *text, DWORD mode)
{
    if (text == nullptr || mode > UI_STRIP_BRACKETED_PART)
        return 0;
    WCHAR *opening = edit_LastOpening(text);
    if (opening == nullptr)
        return 0;
    if (mode == UI_STRIP_BRACKETED_PART) {
        WCHAR *closing = opening;
        while (*closing != 0 && *closing != ')')
            ++closing;
        const WCHAR *rest = *closing == ')' ? closing + 1 : closing;
        WCHAR *write = opening;
        while (*rest != 0)
            *write++ = *rest++;
        *write = 0;
        return 1;
    }
    *opening = 0;
    if (mode == UI_STRIP_AND_SEPARATOR) {
        WCHAR separator[kSeparatorChars] = {};
        HMODULE module = util_GetResourceModule();
        int n = module != nullptr ? LoadStringW(module, UI_TRAILING_SEPARATOR_STRING, separator, kSeparatorChars) : 0;
        int length = lstrlenW(text);
        if (n > 0 && length >= n && lstrcmpW(text + length - n, separator) == 0)
            text[length - n] = 0;
    }
    return 1;
}

int ui_CutAtParenthesis(WCHAR *text)
{
    return ui_StripParenthesis(text, UI_STRIP_AT_PARENTHESIS);
}

int ui_AppendBounded(WCHAR *text, const WCHAR *addition, DWORD capacity)
{
    if (text == nullptr || addition == nullptr)
        return 0;
    DWORD length = (DWORD)lstrlenW(text);
    if (length + 1 > capacity)
        return 0;
    DWORD i = 0;
    for (; addition[i] != 0 && length + 1 < capacity; ++i)
        text[length++] = addition[i];
    text[length] = 0;
    return addition[i] == 0 ? 1 : 0;
}

const WCHAR *ui_GetFileNamePart(const WCHAR *path)
{
    if (path == nullptr)
        return nullptr;
    const WCHAR *name = path;
    for (const WCHAR *p = path; *p != 0; ++p)
        if (*p == '\\')
            name = p + 1;
    return name;
}
