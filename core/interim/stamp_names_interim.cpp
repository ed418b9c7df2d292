/*
 * Interim answer of the stamp store's name list, until the store is built: an empty
 * store (no names, size 0). This file holds exactly this call, so that the stamp store's
 * own file replaces it whole.
 */
#include "core/interim/stamp_names.h"

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
