/*
 * The per-user registry store: one key per printer under HKEY_CURRENT_USER, named by the
 * printer's id (kept as printer data "PRNID"), so that a user's settings survive a
 * renamed printer and are removed once the printer is gone; the values of that key, key
 * trees, and the user setting record kept there.
 *
 * A missing base path in the description data or a missing printer id makes reads answer
 * "not present" and writes fail; nothing is created then.
 */
#ifndef QM_CORE_USER_REGISTRY_USER_REGISTRY_H
#define QM_CORE_USER_REGISTRY_USER_REGISTRY_H

#include <windows.h>

#include "core/context/driver_context.h"
#include "core/user_registry/user_setting_info.h"

enum {
    PRINTER_ID_SIZE = 16,
    PRINTER_ID_TEXT_CHARS = 32, /* hexadecimal digits of the id's key name */
    UREG_MAX_PATH_CHARS = 259,  /* longest key path below the root key */
    UREG_READ_OK = 0,
    UREG_NOT_PRESENT = 1,
    UREG_READ_FAILED = 255,
    UREG_LOAD_PRINTER_DATA_ONLY = 0x100 /* ureg_LoadUserSettingInfo / Save flag */
};

#ifdef __cplusplus
extern "C" {
#endif

/* ureg_Md5: the MD5 digest (RFC 1321) of size bytes at data into digest (16 bytes). */
void ureg_Md5(const void *data, DWORD size, BYTE *digest);

/* ureg_ReadPrinterId: 1 when "PRNID" can be read into id (16 bytes, out). */
BOOL WINAPI ureg_ReadPrinterId(HANDLE printer, BYTE *id);

/* ureg_MakePrinterId: a new id for the printer (id: out, 16 bytes): the MD5 digest of the
 * time (seconds since 1970, 4 bytes little-endian) and the UTF-16 bytes of the printer's
 * name. 1 or 0. */
BOOL WINAPI ureg_MakePrinterId(HANDLE printer, BYTE *id);

/* ureg_StorePrinterId: stores id as "PRNID" unless the printer has one. 1 (also when it
 * keeps its own) or 0. */
BOOL WINAPI ureg_StorePrinterId(HANDLE printer, const BYTE *id);

/* ureg_PrinterIdToText: the id's 32 upper-case hexadecimal digits, byte 0 first, high
 * nibble first, into text of capacity characters (the terminator included; fewer digits
 * when it is smaller; always terminated). 1, or 0 for a NULL argument or capacity 0. */
BOOL ureg_PrinterIdToText(const BYTE *id, WCHAR *text, DWORD capacity);

/* ureg_JoinKeyPath: first and second joined by exactly one backslash into path (capacity
 * in characters, the terminator included). 1, or 0 when it does not fit. The one join of
 * every per-user and machine-wide key path. */
BOOL ureg_JoinKeyPath(WCHAR *path, DWORD capacity, const WCHAR *first, const WCHAR *second);

/*
 * ureg_OpenPrinterKey: the printer's per-user key (or its sub key), opened or created;
 * the printer id is made and stored first when the printer has none. key: out, close
 * with RegCloseKey. 1, or 0 (no base path, a path over 259 characters, no id, a refused
 * key).
 */
BOOL ureg_OpenPrinterKey(HANDLE printer, DriverContext *context, const WCHAR *subKey, HKEY *key);

/*
 * ureg_ReadValueAlloc: a value of the printer's per-user key (or its sub key) in a new
 * block. data, size, type: out. Returns UREG_READ_OK, UREG_NOT_PRESENT or UREG_READ_FAILED.
 */
DWORD WINAPI ureg_ReadValueAlloc(DriverContext *context, HANDLE printer, void **data, DWORD *size, DWORD *type,
                                 const WCHAR *subKey, const WCHAR *valueName);

/*
 * ureg_WriteValue: writes a value of the printer's per-user key (or its sub key), after
 * removing the keys of deleted printers; the per-printer key gets its default value (the
 * printer's attributes, 4 bytes) when it has none. 1 when the value was written and the
 * default value is there, or 0.
 */
BOOL WINAPI ureg_WriteValue(HANDLE printer, DriverContext *context, const void *data, DWORD size, DWORD type,
                            const WCHAR *subKey, const WCHAR *valueName);

/*
 * ureg_ReadValue: ureg_ReadValueAlloc into the caller's buffer of capacity bytes: the
 * first min(stored, capacity) bytes, the rest of the buffer zeroed; nothing is written
 * past capacity. type: out (may be NULL). Returns UREG_READ_OK, UREG_NOT_PRESENT,
 * UREG_READ_FAILED, or -1 for a NULL buffer.
 */
LONG ureg_ReadValue(HANDLE printer, DriverContext *context, void *buffer, DWORD *type, const WCHAR *subKey,
                    const WCHAR *valueName, DWORD capacity);

/* ureg_DeleteValueKey: deletes a sub key (without sub keys of its own) of the printer's
 * per-user key. 1 or 0. */
BOOL ureg_DeleteValueKey(HANDLE printer, DriverContext *context, const WCHAR *subKey);

/* ureg_DeleteKeyTree: deletes subKey of key with all its sub keys, depth first. 1 or 0. */
BOOL ureg_DeleteKeyTree(HKEY key, const WCHAR *subKey);

/* ureg_CopyKeyTree: copies every value of source into destination, then every sub key
 * the same way. 1 or 0 (a failure stops the copy; what was copied stays). */
BOOL ureg_CopyKeyTree(HKEY destination, HKEY source);

/*
 * ureg_DeleteStalePrinterKeys: without a printer, removes every key under the per-user
 * base path named by a printer id that no local printer holds, when its default value
 * says the printer was local; the number removed. Nothing is removed (0) when the local
 * printers cannot all be listed, opened and asked for their id. With a printer, removes
 * its own key under the same condition; 1 when removed.
 */
DWORD ureg_DeleteStalePrinterKeys(HANDLE printer, DriverContext *context);

/* ureg_LoadUserSettingInfo: the user's record (record: out) for the parts in flags,
 * defaults where nothing is stored. 1 or 0. */
BOOL WINAPI ureg_LoadUserSettingInfo(HANDLE printer, DriverContext *context, UserSettingInfo *record, DWORD flags,
                                     BOOL upgrade);

/* ureg_SaveUserSettingInfo: saves the parts in flags of record for the user. 1 or 0. */
BOOL WINAPI ureg_SaveUserSettingInfo(HANDLE printer, DriverContext *context, const UserSettingInfo *record,
                                     DWORD flags);

/* ureg_DeleteUserSettingInfo: deletes the user's "UserSettingInfo". 1 or 0. */
BOOL ureg_DeleteUserSettingInfo(HANDLE printer, DriverContext *context);

/*
 * ureg_RefreshUserSettings: compares settings 5168 and 5169 of block with the printer's
 * loaded block; when either differs, part 3 of block takes the description defaults and
 * *changed is set (else cleared). 1 when the values could be compared.
 */
BOOL ureg_RefreshUserSettings(HANDLE printer, DriverContext *context, PrinterDataBlock *block, BOOL *changed);

/* ureg_IsUserSettingId: 1 when the FunctionID is a field of one of the record's parts. */
BOOL ureg_IsUserSettingId(WORD functionId);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_USER_REGISTRY_USER_REGISTRY_H */
