/*
 * The model's prepared cover file: a file of the driver directory named by the model,
 * copied into the stream unchanged. Its name must be a plain file name; a read error is
 * told apart from the end of the file, so a failing disk never passes half a file as a
 * whole one.
 */
#include "render/pdl/cover/cover_block.h"

/* 1 when name is a plain file name: not empty, no separator or drive, not "." or "..". */
static BOOL cover_PlainName(LPCWSTR name)
{
    if (name == NULL || name[0] == 0 || lstrcmpW(name, TEXT(".")) == 0 || lstrcmpW(name, TEXT("..")) == 0) {
        return FALSE;
    }
    for (LPCWSTR p = name; *p != 0; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':') {
            return FALSE;
        }
    }
    return TRUE;
}

HANDLE pdl_OpenPreparedFile(const CoverJob *job)
{
    if (job == NULL || job->driverDirectory == NULL || !cover_PlainName(job->preparedFileName)) {
        return INVALID_HANDLE_VALUE;
    }
    WCHAR path[MAX_PATH];
    int directory = lstrlenW(job->driverDirectory);
    int name = lstrlenW(job->preparedFileName);
    BOOL slash = directory > 0 && job->driverDirectory[directory - 1] != '\\';
    if (directory + (slash ? 1 : 0) + name + 1 > MAX_PATH) {
        return INVALID_HANDLE_VALUE;
    }
    lstrcpyW(path, job->driverDirectory);
    if (slash) {
        lstrcatW(path, TEXT("\\"));
    }
    lstrcatW(path, job->preparedFileName);
    return CreateFileW(path, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
}

LONG pdl_ReadPreparedFile(HANDLE file, DWORD n, BYTE *buffer)
{
    if (file == NULL || file == INVALID_HANDLE_VALUE) {
        return -1;
    }
    if (buffer == NULL) {
        CloseHandle(file);
        return -1;
    }
    DWORD total = 0;
    while (total < n) {
        DWORD piece = n - total < COVER_PREPARED_PIECE ? n - total : COVER_PREPARED_PIECE;
        DWORD read = 0;
        if (!ReadFile(file, buffer + total, piece, &read, NULL)) {
            CloseHandle(file);
            return -1;
        }
        if (read == 0) {
            break;
        }
        total += read;
    }
    if (total == 0) {
        CloseHandle(file);
    }
    return (LONG)total;
}
