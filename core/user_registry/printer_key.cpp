/*
 * The printer's per-user key: its path (base path of the description data, the id's text
 * and a sub key, joined by single backslashes, at most 259 characters), and the values
 * read and written there.
 */
#include "core/user_registry/user_registry.h"

#include "core/ddd/ddd_access.h"
#include "core/printerdata/printer_info.h"
#include "core/user_registry/user_registry_private.h"

#include <winspool.h>

#include <string.h>

/* Access of keys opened for reading and for changing. */
static const REGSAM kReadAccess = KEY_READ;
static const REGSAM kWriteAccess = KEY_ALL_ACCESS;

BOOL ureg_JoinKeyPath(WCHAR *path, DWORD capacity, const WCHAR *first, const WCHAR *second)
{
    if (!path || !first || !second || capacity == 0)
        return FALSE;
    DWORD firstChars = (DWORD)lstrlenW(first);
    while (firstChars > 0 && first[firstChars - 1] == '\\')
        --firstChars;
    while (*second == '\\')
        ++second;
    DWORD secondChars = (DWORD)lstrlenW(second);
    if (firstChars + 1 + secondChars + 1 > capacity)
        return FALSE;
    memmove(path, first, firstChars * sizeof(WCHAR));
    path[firstChars] = '\\';
    memcpy(path + firstChars + 1, second, secondChars * sizeof(WCHAR));
    path[firstChars + 1 + secondChars] = 0;
    return TRUE;
}

WCHAR *ureg_GetBasePath(DriverContext *context)
{
    if (!context || !context->model)
        return NULL;
    WCHAR *base = NULL;
    if (ddd_GetRegistryBasePath(context->model, 0, &base) != DDD_OK || !base) {
        if (base)
            GlobalFree(base);
        return NULL;
    }
    /* Paths are joined with single backslashes: the base path keeps none at its end. */
    DWORD chars = (DWORD)lstrlenW(base);
    while (chars > 0 && base[chars - 1] == '\\')
        base[--chars] = 0;
    if (chars == 0) {
        GlobalFree(base);
        return NULL;
    }
    return base;
}

DWORD ureg_BuildKeyPath(HANDLE printer, DriverContext *context, const WCHAR *subKey, BOOL create,
                        WCHAR path[UREG_PATH_BUFFER])
{
    WCHAR *base = ureg_GetBasePath(context);
    if (!base)
        return UREG_NOT_PRESENT;
    /* The length is known before the id: a path too long fails before an id is made. */
    WCHAR placeholder[PRINTER_ID_TEXT_CHARS + 1];
    for (DWORD i = 0; i < PRINTER_ID_TEXT_CHARS; ++i)
        placeholder[i] = '0';
    placeholder[PRINTER_ID_TEXT_CHARS] = 0;
    BOOL fits = ureg_JoinKeyPath(path, UREG_PATH_BUFFER, base, placeholder) &&
                (!subKey || ureg_JoinKeyPath(path, UREG_PATH_BUFFER, path, subKey));
    if (!fits) {
        GlobalFree(base);
        return UREG_READ_FAILED;
    }
    BYTE id[PRINTER_ID_SIZE];
    DWORD found = ureg_QueryPrinterId(printer, id);
    if (found == UREG_NOT_PRESENT && create) {
        /* Another process may store its id first: the stored one counts. */
        found = ureg_MakePrinterId(printer, id) && ureg_StorePrinterId(printer, id) ? ureg_QueryPrinterId(printer, id)
                                                                                    : (DWORD)UREG_READ_FAILED;
    }
    if (found != UREG_READ_OK) {
        GlobalFree(base);
        return found;
    }
    WCHAR text[PRINTER_ID_TEXT_CHARS + 1];
    ureg_PrinterIdToText(id, text, PRINTER_ID_TEXT_CHARS + 1);
    ureg_JoinKeyPath(path, UREG_PATH_BUFFER, base, text);
    if (subKey)
        ureg_JoinKeyPath(path, UREG_PATH_BUFFER, path, subKey);
    GlobalFree(base);
    return UREG_READ_OK;
}

BOOL ureg_OpenPrinterKey(HANDLE printer, DriverContext *context, const WCHAR *subKey, HKEY *key)
{
    if (!key)
        return FALSE;
    *key = NULL;
    WCHAR path[UREG_PATH_BUFFER];
    if (ureg_BuildKeyPath(printer, context, subKey, TRUE, path) != UREG_READ_OK)
        return FALSE;
    return RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, NULL, 0, kWriteAccess, NULL, key, NULL) == ERROR_SUCCESS;
}

BOOL ureg_ReadKeyAttributes(HKEY key, const WCHAR *name, DWORD *attributes)
{
    HKEY opened = NULL;
    if (RegOpenKeyExW(key, name, 0, kReadAccess, &opened) != ERROR_SUCCESS)
        return FALSE;
    DWORD type = 0;
    DWORD size = sizeof(*attributes);
    LONG status = RegQueryValueExW(opened, NULL, NULL, &type, (BYTE *)attributes, &size);
    RegCloseKey(opened);
    return status == ERROR_SUCCESS && size == sizeof(*attributes);
}

/* The printer's attributes: from PRINTER_INFO_4, or PRINTER_INFO_5 when level 4 fails. */
static BOOL pkey_GetAttributes(HANDLE printer, DWORD *attributes)
{
    PRINTER_INFO_4W *info4 = (PRINTER_INFO_4W *)util_GetPrinterInfoAlloc(printer, 4);
    if (info4) {
        *attributes = info4->Attributes;
        GlobalFree(info4);
        return TRUE;
    }
    PRINTER_INFO_5W *info5 = (PRINTER_INFO_5W *)util_GetPrinterInfoAlloc(printer, 5);
    if (!info5)
        return FALSE;
    *attributes = info5->Attributes;
    GlobalFree(info5);
    return TRUE;
}

/* Gives the per-printer key its default value when it has none. 1 when it is there. */
static BOOL pkey_EnsureDefaultValue(HANDLE printer, DriverContext *context)
{
    HKEY key = NULL;
    if (!ureg_OpenPrinterKey(printer, context, NULL, &key))
        return FALSE;
    DWORD size = 0;
    BOOL present = RegQueryValueExW(key, NULL, NULL, NULL, NULL, &size) == ERROR_SUCCESS;
    DWORD attributes = 0;
    if (!present && pkey_GetAttributes(printer, &attributes))
        present =
            RegSetValueExW(key, NULL, 0, REG_BINARY, (const BYTE *)&attributes, sizeof(attributes)) == ERROR_SUCCESS;
    RegCloseKey(key);
    return present;
}

BOOL WINAPI ureg_WriteValue(HANDLE printer, DriverContext *context, const void *data, DWORD size, DWORD type,
                            const WCHAR *subKey, const WCHAR *valueName)
{
    if (!printer || !context || (!data && size))
        return FALSE;
    HKEY key = NULL;
    if (!ureg_OpenPrinterKey(printer, context, subKey, &key))
        return FALSE;
    ureg_DeleteStalePrinterKeys(NULL, context);
    BOOL written = RegSetValueExW(key, valueName, 0, type, (const BYTE *)data, size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return written && pkey_EnsureDefaultValue(printer, context);
}

DWORD WINAPI ureg_ReadValueAlloc(DriverContext *context, HANDLE printer, void **data, DWORD *size, DWORD *type,
                                 const WCHAR *subKey, const WCHAR *valueName)
{
    if (data)
        *data = NULL;
    if (size)
        *size = 0;
    if (type)
        *type = 0;
    if (!data || !size || !type || !context)
        return UREG_READ_FAILED;
    WCHAR path[UREG_PATH_BUFFER];
    DWORD found = ureg_BuildKeyPath(printer, context, subKey, FALSE, path);
    if (found != UREG_READ_OK)
        return found;
    HKEY key = NULL;
    LONG status = RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, kReadAccess, &key);
    if (status != ERROR_SUCCESS)
        return status == ERROR_FILE_NOT_FOUND ? UREG_NOT_PRESENT : UREG_READ_FAILED;
    DWORD stored = 0;
    status = RegQueryValueExW(key, valueName, NULL, type, NULL, &stored);
    DWORD result = status == ERROR_FILE_NOT_FOUND ? UREG_NOT_PRESENT : UREG_READ_FAILED;
    if (status == ERROR_SUCCESS) {
        BYTE *block = (BYTE *)GlobalAlloc(GPTR, stored ? stored : 1);
        DWORD read = stored;
        if (block && RegQueryValueExW(key, valueName, NULL, type, block, &read) == ERROR_SUCCESS && read == stored) {
            *data = block;
            *size = stored;
            result = UREG_READ_OK;
        } else if (block) {
            GlobalFree(block);
        }
    }
    RegCloseKey(key);
    if (result != UREG_READ_OK)
        *type = 0;
    return result;
}

LONG ureg_ReadValue(HANDLE printer, DriverContext *context, void *buffer, DWORD *type, const WCHAR *subKey,
                    const WCHAR *valueName, DWORD capacity)
{
    if (!buffer)
        return -1;
    void *data = NULL;
    DWORD size = 0;
    DWORD storedType = 0;
    DWORD result = ureg_ReadValueAlloc(context, printer, &data, &size, &storedType, subKey, valueName);
    if (type)
        *type = storedType;
    if (result != UREG_READ_OK)
        return (LONG)result;
    DWORD copied = size < capacity ? size : capacity;
    memcpy(buffer, data, copied);
    memset((BYTE *)buffer + copied, 0, capacity - copied);
    GlobalFree(data);
    return UREG_READ_OK;
}

BOOL ureg_DeleteValueKey(HANDLE printer, DriverContext *context, const WCHAR *subKey)
{
    if (!subKey || !subKey[0])
        return FALSE;
    WCHAR path[UREG_PATH_BUFFER];
    if (ureg_BuildKeyPath(printer, context, subKey, FALSE, path) != UREG_READ_OK)
        return FALSE;
    return RegDeleteKeyW(HKEY_CURRENT_USER, path) == ERROR_SUCCESS;
}
