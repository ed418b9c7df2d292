/*
 * The printer's information from the spooler (printer_info.h).
 */
#include "core/printerdata/printer_info.h"

static void *info_Alloc(HANDLE printer, DWORD level, BOOL driver);

/* Asks for the size, then reads into a block of that size (both calls of one kind). */
static void *info_Alloc(HANDLE printer, DWORD level, BOOL driver)
{
    if (!printer) {
        return NULL;
    }
    DWORD needed = 0;
    BOOL done = driver ? GetPrinterDriverW(printer, NULL, level, NULL, 0, &needed)
                       : GetPrinterW(printer, level, NULL, 0, &needed);
    if (done || GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) {
        return NULL;
    }
    BYTE *block = (BYTE *)GlobalAlloc(GPTR, needed);
    if (!block) {
        return NULL;
    }
    done = driver ? GetPrinterDriverW(printer, NULL, level, block, needed, &needed)
                  : GetPrinterW(printer, level, block, needed, &needed);
    if (!done) {
        GlobalFree(block);
        return NULL;
    }
    return block;
}

WCHAR *WINAPI ddd_GetDriverDataFilePath(HANDLE printer)
{
    DRIVER_INFO_2W *info = (DRIVER_INFO_2W *)util_GetDriverInfoAlloc(printer, 2);
    if (!info) {
        return NULL;
    }
    WCHAR *copy = NULL;
    if (info->pDataFile && info->pDataFile[0]) {
        DWORD bytes = (DWORD)(lstrlenW(info->pDataFile) + 1) * sizeof(WCHAR);
        copy = (WCHAR *)GlobalAlloc(GPTR, bytes);
        if (copy) {
            CopyMemory(copy, info->pDataFile, bytes);
        }
    }
    GlobalFree(info);
    return copy;
}

void *WINAPI util_GetDriverInfoAlloc(HANDLE printer, DWORD level)
{
    return info_Alloc(printer, level, TRUE);
}

void *WINAPI util_GetPrinterInfoAlloc(HANDLE printer, DWORD level)
{
    return info_Alloc(printer, level, FALSE);
}
