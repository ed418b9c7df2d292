/*
 * File primitives and temporary file names.
 */
#include "render/stream/file_io.h"

// Name used when no directory gives a temporary file name.
static const WCHAR kLastResortName[] = TEXT("c:\\qmnqt.tmp");
static const WCHAR kDefaultPrefix[] = TEXT("QMP");

HANDLE file_Create(LPCWSTR path, DWORD mode)
{
    DWORD access = (mode & FILE_MODE_READ_ONLY) ? GENERIC_READ : (GENERIC_READ | GENERIC_WRITE);
    DWORD disposition = (mode & FILE_MODE_CREATE_ALWAYS) ? CREATE_ALWAYS : OPEN_ALWAYS;
    return CreateFileW(path, access, 0, NULL, disposition, FILE_ATTRIBUTE_NORMAL, NULL);
}

BOOL file_Close(HANDLE file)
{
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    return CloseHandle(file);
}

LONG file_Read(HANDLE file, void *buffer, DWORD length)
{
    DWORD done = 0;
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    if (!ReadFile(file, buffer, length, &done, NULL))
        return -1;
    return (LONG)done;
}

BOOL file_Write(HANDLE file, const void *bytes, DWORD length, DWORD *done)
{
    DWORD written = 0;
    BOOL ok = FALSE;
    if (file != INVALID_HANDLE_VALUE)
        ok = WriteFile(file, bytes, length, &written, NULL);
    if (done)
        *done = written;
    return ok && written == length;
}

// Moves the file pointer; -1 on failure.
static LONG seek(HANDLE file, LONG offset, DWORD method)
{
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    SetLastError(NO_ERROR);
    DWORD pos = SetFilePointer(file, offset, NULL, method);
    if (pos == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        return -1;
    return (LONG)pos;
}

LONG file_SeekFromStart(HANDLE file, LONG offset)
{
    return seek(file, offset, FILE_BEGIN);
}

LONG file_SeekFromEnd(HANDLE file, LONG offset)
{
    return seek(file, offset, FILE_END);
}

// Fills dir with directory number n (0 temporary, 1 Windows, 2 system, 3 current).
// Returns FALSE when it cannot be obtained.
static BOOL temp_directory(int n, LPWSTR dir)
{
    DWORD got = 0;
    switch (n) {
    case 0: got = GetTempPathW(MAX_PATH, dir); break;
    case 1: got = GetWindowsDirectoryW(dir, MAX_PATH); break;
    case 2: got = GetSystemDirectoryW(dir, MAX_PATH); break;
    default: got = GetCurrentDirectoryW(MAX_PATH, dir); break;
    }
    return got > 0 && got < MAX_PATH;
}

LONG util_MakeTempFileName(LPWSTR path, LPCWSTR prefix)
{
    WCHAR dir[MAX_PATH];
    if (!path)
        return -1;
    if (!prefix)
        prefix = kDefaultPrefix;
    for (int n = 0; n < 4; ++n) {
        if (temp_directory(n, dir) && GetTempFileNameW(dir, prefix, 0, path))
            return 0;
    }
    lstrcpyW(path, kLastResortName);
    return 0;
}
