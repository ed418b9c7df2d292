/*
 * A small module for the loader tests. Its DllMain counts the notifications it gets in an
 * array whose address the test hands over in QM_TESTMOD_CALLS (hex), and refuses to load
 * when QM_TESTMOD_REFUSE is set. Built twice: qmtestmod.dll is loaded with LoadLibraryW,
 * qmtestlnk.dll is linked into the test program.
 */
#include <windows.h>

#include <stdlib.h>

#include "platform/src/kernel/kernel_private.h"

static LONG *calls()
{
    const char *env = getenv("QM_TESTMOD_CALLS");
    return env ? (LONG *)strtoul(env, nullptr, 16) : nullptr;
}

extern "C" __attribute__((visibility("default"))) BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (LONG *c = calls()) {
        if (reason <= DLL_PROCESS_ATTACH)
            ++c[reason];
        c[2] = (LONG)(ULONG_PTR)instance;
    }
    return getenv("QM_TESTMOD_REFUSE") ? FALSE : TRUE;
}

/* An address inside this module that no other module can stand in for. */
static void anchor() {}

/* Loads a string of this module's own resources, found through the address of its code. */
extern "C" __attribute__((visibility("default"))) int WINAPI QmTestOwnString(UINT id, LPWSTR buffer, int size)
{
    return LoadStringW(qmk::ModuleOfAddress((const void *)&anchor), id, buffer, size);
}
