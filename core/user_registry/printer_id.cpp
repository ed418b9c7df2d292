/*
 * The printer id: 16 bytes made once per printer (the MD5 digest of the time and the
 * printer's name) and kept as its printer data "PRNID"; its text form names the printer's
 * per-user key.
 */
#include "core/user_registry/user_registry.h"

#include "core/printerdata/printer_info.h"
#include "core/user_registry/user_registry_private.h"

#include <winspool.h>

#include <string.h>

static const WCHAR kPrinterIdValue[] = TEXT("PRNID");

/* 100-nanosecond intervals from 1601-01-01 to 1970-01-01. */
static const unsigned long long kUnixEpochTicks = 116444736000000000ULL;
static const unsigned long long kTicksPerSecond = 10000000ULL;

DWORD ureg_QueryPrinterId(HANDLE printer, BYTE *id)
{
    if (!printer || !id)
        return UREG_READ_FAILED;
    DWORD type = 0;
    DWORD needed = 0;
    DWORD status = GetPrinterDataW(printer, (LPWSTR)kPrinterIdValue, &type, id, PRINTER_ID_SIZE, &needed);
    if (status == ERROR_SUCCESS && needed == PRINTER_ID_SIZE)
        return UREG_READ_OK;
    if (status == ERROR_FILE_NOT_FOUND)
        return UREG_NOT_PRESENT;
    return UREG_READ_FAILED;
}

BOOL WINAPI ureg_ReadPrinterId(HANDLE printer, BYTE *id)
{
    return ureg_QueryPrinterId(printer, id) == UREG_READ_OK;
}

BOOL WINAPI ureg_MakePrinterId(HANDLE printer, BYTE *id)
{
    if (!printer || !id)
        return FALSE;
    PRINTER_INFO_1W *info = (PRINTER_INFO_1W *)util_GetPrinterInfoAlloc(printer, 1);
    if (!info)
        return FALSE;
    DWORD nameBytes = info->pName ? (DWORD)(lstrlenW(info->pName) * sizeof(WCHAR)) : 0;
    BYTE *message = (BYTE *)GlobalAlloc(GPTR, 4 + nameBytes);
    if (!message) {
        GlobalFree(info);
        return FALSE;
    }
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    unsigned long long ticks = ((unsigned long long)now.dwHighDateTime << 32) | now.dwLowDateTime;
    DWORD seconds = (DWORD)((ticks - kUnixEpochTicks) / kTicksPerSecond);
    for (int i = 0; i < 4; ++i)
        message[i] = (BYTE)(seconds >> (8 * i));
    /* The name's UTF-16 code units, low byte first. */
    for (DWORD i = 0; i < nameBytes / sizeof(WCHAR); ++i) {
        message[4 + 2 * i] = (BYTE)info->pName[i];
        message[5 + 2 * i] = (BYTE)(info->pName[i] >> 8);
    }
    ureg_Md5(message, 4 + nameBytes, id);
    GlobalFree(message);
    GlobalFree(info);
    return TRUE;
}

BOOL WINAPI ureg_StorePrinterId(HANDLE printer, const BYTE *id)
{
    if (!printer || !id)
        return FALSE;
    DWORD type = 0;
    DWORD needed = 0;
    if (GetPrinterDataW(printer, (LPWSTR)kPrinterIdValue, &type, NULL, 0, &needed) == ERROR_MORE_DATA)
        return TRUE;
    return SetPrinterDataW(printer, (LPWSTR)kPrinterIdValue, REG_BINARY, (BYTE *)id, PRINTER_ID_SIZE) == ERROR_SUCCESS;
}

BOOL ureg_PrinterIdToText(const BYTE *id, WCHAR *text, DWORD capacity)
{
    static const char kDigits[] = "0123456789ABCDEF";
    if (!id || !text || capacity == 0)
        return FALSE;
    DWORD count = 0;
    for (DWORD i = 0; i < PRINTER_ID_TEXT_CHARS && count + 1 < capacity; ++i) {
        BYTE value = id[i / 2];
        text[count++] = (WCHAR)kDigits[i % 2 == 0 ? value >> 4 : value & 0xF];
    }
    text[count] = 0;
    return TRUE;
}
