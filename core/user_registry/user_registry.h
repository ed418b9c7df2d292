/*
 * The per-user registry store and the printer id, as far as the stored blocks and the
 * printer-data block use them. Until the per-user store lands, the bodies in
 * core/interim/user_registry_interim.cpp answer as a printer without stored user values
 * does; the store's own sources replace that file.
 */
#ifndef QM_CORE_USER_REGISTRY_USER_REGISTRY_H
#define QM_CORE_USER_REGISTRY_USER_REGISTRY_H

#include <windows.h>

#include "core/context/driver_context.h"
#include "core/user_registry/user_setting_info.h"

enum {
    PRINTER_ID_SIZE = 16,
    UREG_READ_OK = 0,
    UREG_NOT_PRESENT = 1,
    UREG_READ_FAILED = 255,
    UREG_LOAD_PRINTER_DATA_ONLY = 0x100 /* ureg_LoadUserSettingInfo / Save flag */
};

#ifdef __cplusplus
extern "C" {
#endif

/* ureg_ReadPrinterId: 1 when "PRNID" can be read into id (16 bytes, out). */
BOOL WINAPI ureg_ReadPrinterId(HANDLE printer, BYTE *id);

/* ureg_MakePrinterId: a new id for the printer (id: out, 16 bytes). 1 or 0. */
BOOL WINAPI ureg_MakePrinterId(HANDLE printer, BYTE *id);

/* ureg_StorePrinterId: stores id as "PRNID" unless the printer has one. 1 or 0. */
BOOL WINAPI ureg_StorePrinterId(HANDLE printer, const BYTE *id);

/*
 * ureg_ReadValueAlloc: a value of the printer's per-user key (or its sub key) in a new
 * block. data, size, type: out. Returns UREG_READ_OK, UREG_NOT_PRESENT or UREG_READ_FAILED.
 */
DWORD WINAPI ureg_ReadValueAlloc(DriverContext *context, HANDLE printer, void **data, DWORD *size, DWORD *type,
                                 const WCHAR *subKey, const WCHAR *valueName);

/* ureg_WriteValue: writes a value of the printer's per-user key (or its sub key). 1 or 0. */
BOOL WINAPI ureg_WriteValue(HANDLE printer, DriverContext *context, const void *data, DWORD size, DWORD type,
                            const WCHAR *subKey, const WCHAR *valueName);

/* ureg_LoadUserSettingInfo: the user's record (record: out) for the parts in flags,
 * defaults where nothing is stored. 1 or 0. */
BOOL WINAPI ureg_LoadUserSettingInfo(HANDLE printer, DriverContext *context, UserSettingInfo *record, DWORD flags,
                                     BOOL upgrade);

/* ureg_SaveUserSettingInfo: saves the parts in flags of record for the user. 1 or 0. */
BOOL WINAPI ureg_SaveUserSettingInfo(HANDLE printer, DriverContext *context, const UserSettingInfo *record,
                                     DWORD flags);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_USER_REGISTRY_USER_REGISTRY_H */
