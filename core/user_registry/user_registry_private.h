/* Helpers shared by the per-user store's sources; not part of the core's interface. */
#ifndef QM_CORE_USER_REGISTRY_USER_REGISTRY_PRIVATE_H
#define QM_CORE_USER_REGISTRY_USER_REGISTRY_PRIVATE_H

#include <windows.h>

#include "core/context/driver_context.h"

/* Characters of a key path buffer: the longest path and its terminator. */
enum { UREG_PATH_BUFFER = 260 };

/* The printer's "PRNID" into id: UREG_READ_OK, UREG_NOT_PRESENT or UREG_READ_FAILED. */
DWORD ureg_QueryPrinterId(HANDLE printer, BYTE *id);

/* The per-user base path of the description data (a new string, free with GlobalFree),
 * or NULL when the model names none. */
WCHAR *ureg_GetBasePath(DriverContext *context);

/*
 * The printer's key path below HKEY_CURRENT_USER: base path, id text and the sub key
 * (may be NULL). With create, an id is made and stored when the printer has none.
 * Returns UREG_READ_OK, UREG_NOT_PRESENT (no base path or no id) or UREG_READ_FAILED (a
 * path over 259 characters, a failed id).
 */
DWORD ureg_BuildKeyPath(HANDLE printer, DriverContext *context, const WCHAR *subKey, BOOL create,
                        WCHAR path[UREG_PATH_BUFFER]);

/* 1 when text is a printer id's key name: 32 upper-case hexadecimal digits. */
BOOL ureg_IsPrinterIdText(const WCHAR *text);

/* The 4-byte default value of key's sub key name (the printer's attributes) in
 * *attributes. 1, or 0 when it cannot be read or is not 4 bytes. */
BOOL ureg_ReadKeyAttributes(HKEY key, const WCHAR *name, DWORD *attributes);

#endif /* QM_CORE_USER_REGISTRY_USER_REGISTRY_PRIVATE_H */
