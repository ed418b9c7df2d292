/*
 * The settings file: the stored blocks written and read whole, in the order NDEV block,
 * VQBINFO block, SPINFO block, then the fax list running to the end of the file.
 */
#include "core/stored/stored.h"

#include "core/stored/settings_blocks_private.h"

/* Writes all bytes or fails. */
static BOOL file_WriteAll(HANDLE file, const void *data, DWORD size)
{
    if (size == 0)
        return TRUE;
    DWORD written = 0;
    return WriteFile(file, data, size, &written, NULL) && written == size;
}

BOOL WINAPI pd_ReadSettingsFile(const WCHAR *path, void **data, DWORD *size)
{
    if (data)
        *data = NULL;
    if (size)
        *size = 0;
    if (!path || !data || !size)
        return FALSE;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    BOOL read = pd_ReadWholeFile(file, data, size);
    CloseHandle(file);
    return read;
}

BOOL WINAPI pd_ReadWholeFile(HANDLE file, void **data, DWORD *bytesRead)
{
    if (data)
        *data = NULL;
    if (bytesRead)
        *bytesRead = 0;
    if (!data || !bytesRead || file == NULL || file == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD size = GetFileSize(file, NULL);
    if (size == INVALID_FILE_SIZE || size == 0)
        return FALSE;
    void *buffer = GlobalAlloc(GPTR, size);
    if (!buffer)
        return FALSE;
    DWORD read = 0;
    if (!ReadFile(file, buffer, size, &read, NULL) || read != size) {
        GlobalFree(buffer);
        return FALSE;
    }
    *data = buffer;
    *bytesRead = read;
    return TRUE;
}

BOOL WINAPI pd_WriteSettingsFile(const WCHAR *path, const void *faxList, DWORD faxListSize,
                                 const DevmodeSecondPart *second, const void *vqb, DWORD vqbSize, const void *sp,
                                 DWORD spSize)
{
    if (!path || !second)
        return FALSE;
    /* The file must exist: the caller creates it empty, and a wrong path creates nothing. */
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, NULL, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    NdevBlockHeader ndev;
    InfoBlockHeader vqbHeader;
    InfoBlockHeader spHeader;
    blk_MakeNdevHeader(&ndev);
    blk_MakeInfoHeader(&vqbHeader, kVqbName, vqbSize);
    blk_MakeInfoHeader(&spHeader, kSpName, spSize);
    BOOL written = file_WriteAll(file, &ndev, sizeof(ndev)) && file_WriteAll(file, second, sizeof(*second)) &&
                   file_WriteAll(file, &vqbHeader, sizeof(vqbHeader)) && file_WriteAll(file, vqb, vqbSize) &&
                   file_WriteAll(file, &spHeader, sizeof(spHeader)) && file_WriteAll(file, sp, spSize) &&
                   (!faxList || file_WriteAll(file, faxList, faxListSize));
    CloseHandle(file);
    return written;
}
