/*
 * String and memory helpers of the render driver.
 */
#include "render/driver/header/string_util.h"

#include <string.h>
#include <winspool.h>

#include "core/ddd/ddd_access.h"
#include "core/util/caches.h"
#include "core/util/host_env.h"
#include "core/util/locale_paper.h"

// Characters of the user name read before the limit is applied (128 bytes).
#define USER_NAME_READ_CHARS 64

DWORD util_StrNLenA(const char *bytes, DWORD count)
{
    DWORD n = 0;
    if (!bytes)
        return 0;
    while (n < count && bytes[n])
        ++n;
    return n;
}

void *util_ReallocCopy(void *block, DWORD oldSize, DWORD newSize)
{
    void *copy = GlobalAlloc(GPTR, newSize);
    if (!copy)
        return NULL;
    if (block) {
        memcpy(copy, block, oldSize < newSize ? oldSize : newSize);
        GlobalFree(block);
    }
    return copy;
}

void util_CopyWideBounded(LPWSTR destination, LPCWSTR source, DWORD count)
{
    if (!destination || count == 0)
        return;
    DWORD i = 0;
    for (; source && i + 1 < count && source[i]; ++i)
        destination[i] = source[i];
    for (; i < count; ++i)
        destination[i] = 0;
}

DWORD util_AnsiToWide(LPWSTR destination, DWORD capacity, DWORD *bytes, const char *text, int length)
{
    if (bytes)
        *bytes = 0;
    if (!destination || !text || capacity < sizeof(WCHAR))
        return 0;
    int chars = MultiByteToWideChar(CP_ACP, 0, text, length, destination, (int)(capacity / sizeof(WCHAR)));
    if (chars <= 0)
        return 0;
    if (bytes)
        *bytes = (DWORD)chars * sizeof(WCHAR);
    return (DWORD)chars * sizeof(WCHAR);
}

LONG util_AnsiToWideBuf(LPWSTR destination, DWORD capacity, const char *text, int n)
{
    if (!destination || !text || capacity == 0)
        return -1;
    int length = n > 0 ? n : (int)strlen(text) + 1;
    if ((DWORD)length > capacity)
        length = (int)capacity;
    int chars = MultiByteToWideChar(CP_ACP, 0, text, length, destination, (int)capacity);
    if (chars < 0)
        chars = 0;
    if ((DWORD)chars >= capacity)
        chars = (int)capacity - 1;
    destination[chars] = 0;
    return lstrlenW(destination);
}

BOOL util_WideToAnsiFixed(LPCWSTR text, char *destination, DWORD capacity)
{
    if (!text || !destination || capacity == 0)
        return FALSE;
    destination[0] = 0;
    int length = WideCharToMultiByte(CP_ACP, 0, text, -1, NULL, 0, NULL, NULL);
    if (length <= 0)
        return FALSE;
    char *full = (char *)GlobalAlloc(GPTR, (SIZE_T)length);
    if (!full)
        return FALSE;
    WideCharToMultiByte(CP_ACP, 0, text, -1, full, length, NULL, NULL);
    // Walk whole characters: a trail byte may look like a lead byte, so the cut point is
    // found from the start, never by testing the last byte alone.
    UINT codePage = GetACP();
    DWORD limit = capacity - 1, at = 0;
    while (full[at]) {
        DWORD size = IsDBCSLeadByteEx(codePage, (BYTE)full[at]) && full[at + 1] ? 2 : 1;
        if (at + size > limit)
            break;
        at += size;
    }
    memcpy(destination, full, at);
    destination[at] = 0;
    GlobalFree(full);
    return TRUE;
}

BOOL util_ClearOutPointer(const void *object, void **out)
{
    if (!object || !out)
        return FALSE;
    *out = NULL;
    return TRUE;
}

BOOL util_IsAtLeast(DWORD a, DWORD b)
{
    return a >= b;
}

BOOL util_SetLocalePaperKind(WORD kind)
{
    if (kind != UTIL_PAPER_LETTER && kind != UTIL_PAPER_METRIC)
        return FALSE;
    InterlockedExchange(&g_UtilCaches.paperKind, (LONG)kind);
    return TRUE;
}

LONG util_GetUserNameLimited(LPWSTR name)
{
    if (!name)
        return -1;
    name[0] = 0;
    WCHAR read[USER_NAME_READ_CHARS];
    UserNameRequest request = {read, USER_NAME_READ_CHARS};
    if (util_GetUserName(&request) == 0)
        return -1;
    lstrcpynW(name, read, USER_NAME_LIMITED_CHARS);
    return 0;
}

static WCHAR upper_ascii(WCHAR c)
{
    return c >= TEXT('a') && c <= TEXT('z') ? (WCHAR)(c - TEXT('a') + TEXT('A')) : c;
}

// Position of the last ".DLL" in path (without case), -1 when there is none.
static int last_dll(LPCWSTR path)
{
    static const WCHAR kDll[] = TEXT(".DLL");
    int found = -1;
    for (int i = 0; path[i]; ++i) {
        int k = 0;
        while (k < 4 && upper_ascii(path[i + k]) == kDll[k])
            ++k;
        if (k == 4)
            found = i;
    }
    return found;
}

// The printer driver's level-2 information in a new global-heap block; NULL on failure.
static DRIVER_INFO_2W *driver_info(HANDLE printer)
{
    DWORD needed = 0;
    GetPrinterDriverW(printer, NULL, 2, NULL, 0, &needed);
    if (needed == 0)
        return NULL;
    DRIVER_INFO_2W *info = (DRIVER_INFO_2W *)GlobalAlloc(GPTR, needed);
    if (info && !GetPrinterDriverW(printer, NULL, 2, (LPBYTE)info, needed, &needed)) {
        GlobalFree(info);
        info = NULL;
    }
    return info;
}

LPWSTR util_GetDriverDirectory(HANDLE printer)
{
    DRIVER_INFO_2W *info = driver_info(printer);
    if (!info)
        return NULL;
    LPWSTR directory = NULL;
    if (info->pDriverPath) {
        LPCWSTR path = info->pDriverPath;
        int dll = last_dll(path), slash = -1;
        for (int i = 0; i < dll; ++i)
            if (path[i] == TEXT('\\'))
                slash = i;
        if (dll >= 0 && slash >= 0) {
            directory = (LPWSTR)GlobalAlloc(GPTR, (SIZE_T)(slash + 2) * sizeof(WCHAR));
            if (directory)
                lstrcpynW(directory, path, slash + 2);
        }
    }
    GlobalFree(info);
    return directory;
}

LPWSTR util_GetModelFilePath(HANDLE printer, WORD kind)
{
    LPWSTR directory = util_GetDriverDirectory(printer);
    DRIVER_INFO_2W *info = directory ? driver_info(printer) : NULL;
    LPWSTR path = NULL;
    DddFile model, base;
    memset(&model, 0, sizeof(model));
    memset(&base, 0, sizeof(base));
    if (info && info->pDataFile && ddd_OpenFilePair(info->pDataFile, &model, &base) == DDD_OK) {
        WCHAR *name = NULL;
        if (ddd_GetInfoString(&model, kind, &name) == DDD_OK && name && name[0]) {
            int length = lstrlenW(directory) + lstrlenW(name);
            if (length < MAX_PATH)
                path = (LPWSTR)GlobalAlloc(GPTR, (SIZE_T)(length + 1) * sizeof(WCHAR));
            if (path) {
                lstrcpyW(path, directory);
                lstrcatW(path, name);
            }
        }
        GlobalFree(name);
        ddd_CloseFilePair(&model, &base);
    }
    GlobalFree(info);
    GlobalFree(directory);
    return path;
}
