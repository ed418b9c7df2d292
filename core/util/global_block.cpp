/* Global-heap blocks. */
#include "core/util/global_block.h"

#include "core/util/os_version.h"

WCHAR *WINAPI util_DupWide(const WCHAR *text)
{
    if (text == nullptr)
        return nullptr;
    return util_DupWideN(text, (DWORD)lstrlenW(text));
}

WCHAR *WINAPI util_DupWideN(const WCHAR *text, DWORD count)
{
    if (text == nullptr)
        return nullptr;
    WCHAR *copy = (WCHAR *)util_GlobalAllocZero((count + 1) * sizeof(WCHAR));
    if (copy == nullptr)
        return nullptr;
    for (DWORD i = 0; i < count; i++)
        copy[i] = text[i];
    return copy;
}

void *WINAPI util_GlobalAllocZero(DWORD bytes)
{
    return (void *)GlobalAlloc(GPTR, bytes == 0 ? 1 : bytes);
}

DWORD WINAPI util_GlobalBlockSize(const void *pointer)
{
    if (pointer == nullptr || util_IsVistaOrLater())
        return 0;
    return (DWORD)GlobalSize((HGLOBAL)pointer);
}

void WINAPI util_GlobalFreeIfSet(void *pointer)
{
    if (pointer != nullptr)
        GlobalFree((HGLOBAL)pointer);
}
