/* Stands in for the per-user stamp store: a printer without a stamps key, so the built-in
 * stamps answer. */
#include "core/stamps/stamp_record.h"
#include "core/stamps/stamp_store.h"

WORD WINAPI ureg_CanAddStamp(HANDLE printer, const WCHAR *name, DriverContext *context)
{
    (void)printer;
    (void)context;
    return name && ureg_IsBuiltinStampName(name) ? STAMP_NAME_TAKEN : STAMP_OK;
}

WORD WINAPI ureg_CountStamps(HANDLE printer, WORD *count, DriverContext *context)
{
    (void)printer;
    (void)context;
    if (!count) {
        return STAMP_NOT_FOUND;
    }
    *count = 0;
    return STAMP_OK;
}

/* The built-in names. */
WORD WINAPI ureg_ListStampNames(HANDLE printer, WCHAR *buffer, WORD *count, DWORD *size, DriverContext *context)
{
    (void)printer;
    (void)context;
    return ureg_ListBuiltinStampNames(buffer, count, size);
}

WORD WINAPI ureg_StampExists(HANDLE printer, const WCHAR *name, DriverContext *context)
{
    (void)printer;
    (void)context;
    return name && ureg_IsBuiltinStampName(name) ? STAMP_BUILTIN : STAMP_NOT_FOUND;
}
