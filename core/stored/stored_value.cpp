/*
 * The stored-value table: five chunked printer-data values, each by its size value name
 * and base name, written, read and deleted by kind.
 */
#include "core/stored/stored.h"

#include "core/stored/stored_private.h"

#include <winspool.h>

static const struct {
    const WCHAR *sizeName;
    const WCHAR *base;
} kStoredValues[SVK_COUNT] = {
    {TEXT("FontSubTableSize"), TEXT("FontSubTable")},
    {TEXT("SysTTFontListSize"), TEXT("SysTTFontList")},
    {TEXT("PrinterDataSize"), TEXT("PrinterData")},
    {TEXT("UserSettingInfoSize"), TEXT("UserSettingInfo")},
    {TEXT("PaperMarginArraySize"), TEXT("PaperMarginArray")},
};

BOOL WINAPI pd_DeleteStoredValue(HANDLE printer, DWORD kind)
{
    const WCHAR *sizeName = NULL;
    const WCHAR *base = NULL;
    if (!printer || !pd_GetStoredValueNames(kind, &sizeName, &base))
        return FALSE;
    DWORD total = 0;
    DWORD rc = pd_ReadSizeValue(printer, sizeName, &total);
    if (rc == ERROR_FILE_NOT_FOUND)
        return TRUE;
    if (rc != ERROR_SUCCESS || total == 0)
        return FALSE;
    DWORD count = pd_ChunkCount(total);
    if (count > PD_MAX_CHUNKS)
        return FALSE;
    for (DWORD n = 1; n <= count; ++n) {
        WCHAR name[PD_MAX_BASE_CHARS + 3];
        pd_ChunkName(base, n, name);
        if (DeletePrinterDataW(printer, name) != ERROR_SUCCESS)
            return FALSE;
    }
    return DeletePrinterDataW(printer, (LPWSTR)sizeName) == ERROR_SUCCESS;
}

BOOL WINAPI pd_GetStoredValueNames(DWORD kind, const WCHAR **sizeName, const WCHAR **base)
{
    if (kind >= SVK_COUNT)
        return FALSE;
    if (sizeName)
        *sizeName = kStoredValues[kind].sizeName;
    if (base)
        *base = kStoredValues[kind].base;
    return TRUE;
}

BOOL WINAPI pd_ReadStoredValue(HANDLE printer, DWORD kind, void *buffer, DWORD *size)
{
    const WCHAR *sizeName = NULL;
    const WCHAR *base = NULL;
    if (!size)
        return FALSE;
    DWORD capacity = *size;
    *size = 0;
    if (!printer || !pd_GetStoredValueNames(kind, &sizeName, &base))
        return FALSE;
    DWORD total = 0;
    if (pd_ReadSizeValue(printer, sizeName, &total) != ERROR_SUCCESS)
        return FALSE;
    /* A total no stored value can have (more than 99 chunks) is refused before anyone
     * sizes a buffer by it. */
    if (pd_ChunkCount(total) > PD_MAX_CHUNKS)
        return FALSE;
    if (!buffer) {
        *size = total;
        return total != 0;
    }
    if (total == 0 || capacity < total)
        return FALSE;
    return pd_ReadChunks(printer, base, (BYTE *)buffer, total, size);
}

BOOL WINAPI pd_WriteStoredValue(HANDLE printer, const void *data, DWORD size, DWORD kind)
{
    const WCHAR *sizeName = NULL;
    const WCHAR *base = NULL;
    if (!printer || size == 0 || !pd_GetStoredValueNames(kind, &sizeName, &base))
        return FALSE;
    return pd_WriteChunkedValue(printer, data, size, base, sizeName);
}
