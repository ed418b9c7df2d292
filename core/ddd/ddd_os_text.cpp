/*
 * Text of description files: ANSI text in the process's ANSI code page to wide strings
 * (double-byte lead bytes respected), and the directory part of a path.
 */
#include "core/ddd/ddd.h"

#include "core/ddd/ddd_private.h"

WCHAR *ddd_AnsiToWide(const BYTE *ansi, DWORD length)
{
    DWORD end = 0;
    while (end < length && ansi[end] != 0) {
        ++end;
    }
    int chars = end ? MultiByteToWideChar(CP_ACP, 0, (LPCSTR)ansi, (int)end, NULL, 0) : 0;
    if (end && chars <= 0) {
        chars = 0;
    }
    WCHAR *text = (WCHAR *)GlobalAlloc(GPTR, ((DWORD)chars + 1) * sizeof(WCHAR));
    if (!text) {
        return NULL;
    }
    if (chars > 0) {
        MultiByteToWideChar(CP_ACP, 0, (LPCSTR)ansi, (int)end, text, chars);
    }
    return text;
}

WCHAR *ddd_OsDirectoryOf(LPCWSTR path)
{
    DWORD length = 0;
    DWORD cut = 0;
    while (path[length]) {
        if (path[length] == '\\' || path[length] == '/') {
            cut = length + 1;
        }
        ++length;
    }
    WCHAR *directory = (WCHAR *)GlobalAlloc(GPTR, ((DWORD)cut + 1) * sizeof(WCHAR));
    if (directory) {
        CopyMemory(directory, path, cut * sizeof(WCHAR));
    }
    return directory;
}
