/*
 * Chunked printer-data values: a REG_DWORD size value and REG_BINARY slices of 768 bytes
 * named base + "1".."N" (N at most 99); and the per-user form (a size value and one
 * value holding all bytes).
 */
#include "core/stored/stored.h"

#include "core/stored/stored_private.h"
#include "core/user_registry/user_registry.h"

#include <winspool.h>

DWORD pd_ChunkCount(DWORD total)
{
    return total / PD_CHUNK_SIZE + (total % PD_CHUNK_SIZE != 0);
}

BOOL pd_ChunkName(const WCHAR *base, DWORD n, WCHAR *name)
{
    if (!base || lstrlenW(base) > PD_MAX_BASE_CHARS || n > PD_MAX_CHUNKS)
        return FALSE;
    wsprintfW(name, TEXT("%s%d"), base, (int)n);
    return TRUE;
}

BOOL pd_ReadChunks(HANDLE printer, const WCHAR *base, BYTE *buffer, DWORD total, DWORD *read)
{
    *read = 0;
    DWORD count = pd_ChunkCount(total);
    for (DWORD n = 1; n <= count; ++n) {
        WCHAR name[PD_MAX_BASE_CHARS + 3];
        if (!pd_ChunkName(base, n, name))
            return FALSE;
        DWORD length = total - *read < PD_CHUNK_SIZE ? total - *read : (DWORD)PD_CHUNK_SIZE;
        DWORD type = 0;
        DWORD needed = 0;
        if (GetPrinterDataW(printer, name, &type, buffer + *read, length, &needed) != ERROR_SUCCESS)
            return FALSE;
        /* A short chunk would leave a hole of zeros in the value: refuse it. */
        if (needed != length)
            return FALSE;
        *read += length;
    }
    return TRUE;
}

DWORD pd_ReadSizeValue(HANDLE printer, const WCHAR *sizeName, DWORD *total)
{
    DWORD value = 0;
    DWORD type = 0;
    DWORD needed = 0;
    DWORD rc = GetPrinterDataW(printer, (LPWSTR)sizeName, &type, (BYTE *)&value, sizeof(value), &needed);
    if (rc == ERROR_SUCCESS && needed != sizeof(value))
        rc = ERROR_INVALID_DATA;
    if (rc == ERROR_SUCCESS)
        *total = value;
    return rc;
}

BOOL WINAPI pd_ReadChunkedValue(HANDLE printer, void **data, DWORD *size, const WCHAR *base, const WCHAR *sizeName)
{
    if (data)
        *data = NULL;
    if (size)
        *size = 0;
    if (!printer || !data || !size || !base || !sizeName)
        return FALSE;
    DWORD total = 0;
    if (pd_ReadSizeValue(printer, sizeName, &total) != ERROR_SUCCESS)
        return FALSE;
    if (pd_ChunkCount(total) > PD_MAX_CHUNKS)
        return FALSE;
    if (total == 0)
        return TRUE;
    BYTE *buffer = (BYTE *)GlobalAlloc(GPTR, total);
    if (!buffer)
        return FALSE;
    DWORD read = 0;
    if (!pd_ReadChunks(printer, base, buffer, total, &read)) {
        GlobalFree(buffer);
        return FALSE;
    }
    *data = buffer;
    *size = total;
    return TRUE;
}

BOOL WINAPI pd_WriteChunkedValue(HANDLE printer, const void *data, DWORD size, const WCHAR *base, const WCHAR *sizeName)
{
    if (!printer || !base || !sizeName || (!data && size))
        return FALSE;
    DWORD count = pd_ChunkCount(size);
    if (count > PD_MAX_CHUNKS || lstrlenW(base) > PD_MAX_BASE_CHARS)
        return FALSE;
    if (SetPrinterDataW(printer, (LPWSTR)sizeName, REG_DWORD, (BYTE *)&size, sizeof(size)) != ERROR_SUCCESS)
        return FALSE;
    const BYTE *bytes = (const BYTE *)data;
    DWORD written = 0;
    for (DWORD n = 1; n <= count; ++n) {
        WCHAR name[PD_MAX_BASE_CHARS + 3];
        pd_ChunkName(base, n, name);
        DWORD length = size - written < PD_CHUNK_SIZE ? size - written : (DWORD)PD_CHUNK_SIZE;
        if (SetPrinterDataW(printer, name, REG_BINARY, (BYTE *)bytes + written, length) != ERROR_SUCCESS)
            return FALSE;
        written += length;
    }
    return TRUE;
}

BOOL WINAPI ureg_ReadBlockValue(HANDLE printer, DriverContext *context, void **data, DWORD *size, const WCHAR *base,
                                const WCHAR *sizeName)
{
    if (data)
        *data = NULL;
    if (size)
        *size = 0;
    if (!data || !size || !base || !sizeName)
        return FALSE;
    void *sizeData = NULL;
    DWORD sizeBytes = 0;
    DWORD type = 0;
    if (ureg_ReadValueAlloc(context, printer, &sizeData, &sizeBytes, &type, NULL, sizeName) != UREG_READ_OK)
        return FALSE;
    DWORD total = 0;
    BOOL sized = sizeData && sizeBytes == sizeof(total);
    if (sized)
        CopyMemory(&total, sizeData, sizeof(total));
    GlobalFree(sizeData);
    if (!sized)
        return FALSE;
    void *value = NULL;
    DWORD valueBytes = 0;
    if (ureg_ReadValueAlloc(context, printer, &value, &valueBytes, &type, NULL, base) != UREG_READ_OK)
        return FALSE;
    if (valueBytes != total || !value) {
        GlobalFree(value);
        return FALSE;
    }
    *data = value;
    *size = total;
    return TRUE;
}

BOOL WINAPI ureg_WriteBlockValue(HANDLE printer, DriverContext *context, const void *data, DWORD size,
                                 const WCHAR *base, const WCHAR *sizeName)
{
    if (!base || !sizeName || (!data && size))
        return FALSE;
    if (!ureg_WriteValue(printer, context, &size, sizeof(size), REG_DWORD, NULL, sizeName))
        return FALSE;
    return ureg_WriteValue(printer, context, data, size, REG_BINARY, NULL, base);
}
