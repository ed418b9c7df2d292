/*
 * A scripted per-user stamp store for the engine's tests: each call answers what the
 * test put into g_stampScript; the name list is empty. The test program links it in place
 * of the core's stand-in of the store.
 */
#include "core/constraints/tests/constraints_test_support.h"

StampScript g_stampScript = {1, 1, 0, 99};

WORD WINAPI ureg_CanAddStamp(HANDLE, const WCHAR *, DriverContext *)
{
    return g_stampScript.canAdd;
}

WORD WINAPI ureg_CountStamps(HANDLE, WORD *count, DriverContext *)
{
    if (!count)
        return 99;
    *count = g_stampScript.stored;
    return g_stampScript.countAnswer;
}

WORD WINAPI ureg_ListStampNames(HANDLE, WCHAR *, WORD *count, DWORD *size, DriverContext *)
{
    if (count)
        *count = 0;
    if (size)
        *size = 0;
    return 1;
}

WORD WINAPI ureg_StampExists(HANDLE, const WCHAR *, DriverContext *)
{
    return g_stampScript.exists;
}
