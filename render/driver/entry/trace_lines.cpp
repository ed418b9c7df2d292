/*
 * The exit lines of the entry points' trace wrapper, in their four forms.
 */
#include "render/driver/entry/entry.h"

#include "core/trace/trace.h"

// ent_TraceExitBare: see entry.h.
void WINAPI ent_TraceExitBare(LPCWSTR name)
{
    trc_WriteExit(TEXT("%s"), name);
}

// ent_TraceExitHex: see entry.h.
void WINAPI ent_TraceExitHex(LPCWSTR name, ULONG_PTR result)
{
    // Handles and addresses are pointer-sized: one beyond 32 bits is written whole.
    ULONG high = (ULONG)((ULONGLONG)result >> 32);
    if (high != 0)
        trc_WriteExit(TEXT("%s RetValue = 0x%08X%08X"), name, high, (ULONG)result);
    else
        trc_WriteExit(TEXT("%s RetValue = 0x%08X"), name, (ULONG)result);
}

// ent_TraceExitInt: see entry.h.
void WINAPI ent_TraceExitInt(LPCWSTR name, int result)
{
    trc_WriteExit(TEXT("%s RetValue = %d"), name, result);
}

// ent_TraceExitLong: see entry.h.
void WINAPI ent_TraceExitLong(LPCWSTR name, LONG result)
{
    trc_WriteExit(TEXT("%s RetValue = %ld"), name, result);
}
