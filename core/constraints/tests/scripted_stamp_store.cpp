/*
 * A scripted per-user stamp store for the engine's tests: each call answers what the
 * test put into g_stampScript. Linked ahead of the core library, it replaces the interim
 * store there.
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

WORD WINAPI ureg_StampExists(HANDLE, const WCHAR *, DriverContext *)
{
    return g_stampScript.exists;
}
