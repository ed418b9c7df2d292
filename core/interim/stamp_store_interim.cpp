/* Stands in for the per-user stamp store: an empty store that may take stamps. */
#include "core/stamps/stamp_store.h"

WORD WINAPI ureg_CanAddStamp(HANDLE printer, const WCHAR *name, DriverContext *context)
{
    (void)printer;
    (void)name;
    (void)context;
    return 1;
}

WORD WINAPI ureg_CountStamps(HANDLE printer, WORD *count, DriverContext *context)
{
    (void)printer;
    (void)context;
    if (!count) {
        return 99;
    }
    *count = 0;
    return 1;
}

/* No names, size 0. */
WORD WINAPI ureg_ListStampNames(HANDLE printer, WCHAR *buffer, WORD *count, DWORD *size, DriverContext *context)
{
    (void)printer;
    (void)buffer;
    (void)context;
    if (count) {
        *count = 0;
    }
    if (size) {
        *size = 0;
    }
    return 1;
}

WORD WINAPI ureg_StampExists(HANDLE printer, const WCHAR *name, DriverContext *context)
{
    (void)printer;
    (void)name;
    (void)context;
    return 99;
}
