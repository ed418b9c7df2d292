/*
 * Interim answers of the stamp store, until it is built: an empty store that may take
 * stamps. This file holds exactly these three calls, so that the stamp store's own file
 * (or a test's scripted store) replaces it whole.
 */
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

WORD WINAPI ureg_StampExists(HANDLE printer, const WCHAR *name, DriverContext *context)
{
    (void)printer;
    (void)name;
    (void)context;
    return 99;
}
