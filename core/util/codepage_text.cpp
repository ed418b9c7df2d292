/* Text in code pages. */
#include "core/util/codepage_text.h"

#include "core/util/global_block.h"

WCHAR *WINAPI util_CodePageToWideAlloc(UINT cp, const char *text, DWORD *count)
{
    if (text == nullptr)
        return nullptr;
    int needed = MultiByteToWideChar(cp, 0, text, -1, nullptr, 0);
    if (needed <= 0)
        return nullptr;
    WCHAR *copy = (WCHAR *)util_GlobalAllocZero((DWORD)needed * sizeof(WCHAR));
    if (copy == nullptr)
        return nullptr;
    MultiByteToWideChar(cp, 0, text, -1, copy, needed);
    if (count != nullptr)
        *count = (DWORD)needed;
    return copy;
}

WCHAR *WINAPI util_CodePageToWideNew(UINT cp, const char *text, DWORD *count)
{
    DWORD withTerminator = 0;
    WCHAR *copy = util_CodePageToWideAlloc(cp, text, &withTerminator);
    if (copy != nullptr && count != nullptr)
        *count = withTerminator - 1;
    return copy;
}

DWORD WINAPI util_MultiByteToWide(UINT cp, WCHAR *buffer, const char *text, DWORD size)
{
    if (text == nullptr)
        return 0;
    UINT page = util_ValidCodePage(cp);
    DWORD characters = 0;
    DWORD written = 0;
    const char *p = text;
    while (*p != 0) {
        int bytes = (IsDBCSLeadByteEx(page, (BYTE)*p) && p[1] != 0) ? 2 : 1;
        if (buffer != nullptr && size > 0 && written + 1 < size) {
            WCHAR one[2] = {};
            if (MultiByteToWideChar(page, 0, p, bytes, one, 2) == 1)
                buffer[written++] = one[0];
        }
        characters++;
        p += bytes;
    }
    if (buffer != nullptr && size > 0)
        buffer[written] = 0;
    return characters;
}

UINT WINAPI util_ValidCodePage(UINT cp)
{
    CPINFO info;
    if (GetCPInfo(cp, &info))
        return cp;
    return GetACP();
}

char *WINAPI util_WideToCodePageAlloc(UINT cp, const WCHAR *text, DWORD *length)
{
    if (text == nullptr)
        return nullptr;
    int needed = WideCharToMultiByte(cp, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        return nullptr;
    char *copy = (char *)util_GlobalAllocZero((DWORD)needed);
    if (copy == nullptr)
        return nullptr;
    WideCharToMultiByte(cp, 0, text, -1, copy, needed, nullptr, nullptr);
    if (length != nullptr)
        *length = (DWORD)needed - 1;
    return copy;
}

char *WINAPI util_WideToCodePageNew(UINT cp, const WCHAR *text)
{
    return util_WideToCodePageAlloc(cp, text, nullptr);
}

DWORD WINAPI util_WideToMultiByteBuf(UINT cp, const WCHAR *text, char *buffer, DWORD size)
{
    if (text == nullptr)
        return 0;
    UINT page = util_ValidCodePage(cp);
    bool counting = (buffer == nullptr || size == 0);
    DWORD used = 0;
    for (const WCHAR *p = text; *p != 0; p++) {
        char one[8];
        int units = (p[0] >= 0xD800 && p[0] <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF) ? 2 : 1;
        int bytes = WideCharToMultiByte(page, 0, p, units, one, (int)sizeof(one), nullptr, nullptr);
        p += units - 1;
        if (bytes <= 0)
            continue;
        if (!counting && used + (DWORD)bytes + 1 > size)
            break;
        for (int k = 0; !counting && k < bytes; k++)
            buffer[used + (DWORD)k] = one[k];
        used += (DWORD)bytes;
    }
    if (!counting)
        buffer[used] = 0;
    return used + 1;
}
