/* Stands in for the per-user store: a printer with no printer id and no stored user values. */
#include "core/user_registry/user_registry.h"

BOOL WINAPI ureg_ReadPrinterId(HANDLE printer, BYTE *id)
{
    (void)printer;
    (void)id;
    return FALSE;
}

BOOL WINAPI ureg_MakePrinterId(HANDLE printer, BYTE *id)
{
    (void)printer;
    (void)id;
    return FALSE;
}

BOOL WINAPI ureg_StorePrinterId(HANDLE printer, const BYTE *id)
{
    (void)printer;
    (void)id;
    return FALSE;
}

DWORD WINAPI ureg_ReadValueAlloc(DriverContext *context, HANDLE printer, void **data, DWORD *size, DWORD *type,
                                 const WCHAR *subKey, const WCHAR *valueName)
{
    (void)context;
    (void)printer;
    (void)subKey;
    (void)valueName;
    if (data)
        *data = NULL;
    if (size)
        *size = 0;
    if (type)
        *type = 0;
    return UREG_NOT_PRESENT;
}

BOOL WINAPI ureg_WriteValue(HANDLE printer, DriverContext *context, const void *data, DWORD size, DWORD type,
                            const WCHAR *subKey, const WCHAR *valueName)
{
    (void)printer;
    (void)context;
    (void)data;
    (void)size;
    (void)type;
    (void)subKey;
    (void)valueName;
    return FALSE;
}

/* Nothing is stored: the record of the description defaults. */
BOOL WINAPI ureg_LoadUserSettingInfo(HANDLE printer, DriverContext *context, UserSettingInfo *record, DWORD flags,
                                     BOOL upgrade)
{
    (void)flags;
    (void)upgrade;
    if (!record)
        return FALSE;
    ureg_BuildDefaultUserSettingInfo(printer, context, record);
    return TRUE;
}

BOOL WINAPI ureg_SaveUserSettingInfo(HANDLE printer, DriverContext *context, const UserSettingInfo *record, DWORD flags)
{
    (void)printer;
    (void)context;
    (void)record;
    (void)flags;
    return FALSE;
}
