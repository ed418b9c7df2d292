/* Whole key trees: deleted depth first, and copied value by value and key by key. */
#include "core/user_registry/user_registry.h"

#include "core/user_registry/user_registry_private.h"

/* Characters of a sub key name buffer: the longest name and its terminator. */
static const DWORD kKeyNameBuffer = 261;

BOOL ureg_DeleteKeyTree(HKEY key, const WCHAR *subKey)
{
    if (!key || !subKey || !subKey[0])
        return FALSE;
    HKEY opened = NULL;
    if (RegOpenKeyExW(key, subKey, 0, KEY_ALL_ACCESS, &opened) != ERROR_SUCCESS)
        return FALSE;
    BOOL all = TRUE;
    WCHAR name[kKeyNameBuffer];
    /* Each removal moves the next sub key to index 0; a sub key that stays ends the walk. */
    for (;;) {
        DWORD chars = kKeyNameBuffer;
        if (RegEnumKeyExW(opened, 0, name, &chars, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        if (!ureg_DeleteKeyTree(opened, name)) {
            all = FALSE;
            break;
        }
    }
    RegCloseKey(opened);
    return all && RegDeleteKeyW(key, subKey) == ERROR_SUCCESS;
}

/* Copies every value of source into destination. */
static BOOL tree_CopyValues(HKEY destination, HKEY source)
{
    DWORD nameChars = 0;
    DWORD dataBytes = 0;
    if (RegQueryInfoKeyW(source, NULL, NULL, NULL, NULL, NULL, NULL, NULL, &nameChars, &dataBytes, NULL, NULL) !=
        ERROR_SUCCESS)
        return FALSE;
    WCHAR *name = (WCHAR *)GlobalAlloc(GPTR, (nameChars + 1) * sizeof(WCHAR));
    BYTE *data = (BYTE *)GlobalAlloc(GPTR, dataBytes ? dataBytes : 1);
    BOOL all = name && data;
    for (DWORD index = 0; all; ++index) {
        DWORD chars = nameChars + 1;
        DWORD type = 0;
        DWORD size = dataBytes;
        LONG status = RegEnumValueW(source, index, name, &chars, NULL, &type, data, &size);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        all = status == ERROR_SUCCESS &&
              RegSetValueExW(destination, chars ? name : NULL, 0, type, data, size) == ERROR_SUCCESS;
    }
    if (name)
        GlobalFree(name);
    if (data)
        GlobalFree(data);
    return all;
}

BOOL ureg_CopyKeyTree(HKEY destination, HKEY source)
{
    if (!destination || !source || !tree_CopyValues(destination, source))
        return FALSE;
    WCHAR name[kKeyNameBuffer];
    for (DWORD index = 0;; ++index) {
        DWORD chars = kKeyNameBuffer;
        LONG status = RegEnumKeyExW(source, index, name, &chars, NULL, NULL, NULL, NULL);
        if (status == ERROR_NO_MORE_ITEMS)
            return TRUE;
        if (status != ERROR_SUCCESS)
            return FALSE;
        HKEY from = NULL;
        HKEY to = NULL;
        BOOL copied =
            RegOpenKeyExW(source, name, 0, KEY_READ, &from) == ERROR_SUCCESS &&
            RegCreateKeyExW(destination, name, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &to, NULL) == ERROR_SUCCESS &&
            ureg_CopyKeyTree(to, from);
        if (from)
            RegCloseKey(from);
        if (to)
            RegCloseKey(to);
        if (!copied)
            return FALSE;
    }
}
