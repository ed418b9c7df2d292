/*
 * The process-wide locks of the render driver: the context lock, the binding lock and a
 * third lock that is created and deleted with them and entered nowhere. The glyph lock
 * belongs to the font module.
 */
#include "render/driver/entry/entry.h"

static CRITICAL_SECTION g_contextLock;
static CRITICAL_SECTION g_bindingLock;
static CRITICAL_SECTION g_thirdLock;
static BOOL g_locksCreated;

// ent_CreateLocks: see entry.h.
void WINAPI ent_CreateLocks(void)
{
    if (g_locksCreated) {
        return;
    }
    InitializeCriticalSection(&g_contextLock);
    InitializeCriticalSection(&g_bindingLock);
    InitializeCriticalSection(&g_thirdLock);
    g_locksCreated = TRUE;
}

// ent_DeleteLocks: see entry.h.
void WINAPI ent_DeleteLocks(void)
{
    if (!g_locksCreated) {
        return;
    }
    DeleteCriticalSection(&g_contextLock);
    DeleteCriticalSection(&g_bindingLock);
    DeleteCriticalSection(&g_thirdLock);
    g_locksCreated = FALSE;
}

// ent_EnterBindingLock: see entry.h.
void WINAPI ent_EnterBindingLock(void)
{
    EnterCriticalSection(&g_bindingLock);
}

// ent_EnterContextLock: see entry.h.
void WINAPI ent_EnterContextLock(void)
{
    EnterCriticalSection(&g_contextLock);
}

// ent_LeaveBindingLock: see entry.h.
void WINAPI ent_LeaveBindingLock(void)
{
    LeaveCriticalSection(&g_bindingLock);
}

// ent_LeaveContextLock: see entry.h.
void WINAPI ent_LeaveContextLock(void)
{
    LeaveCriticalSection(&g_contextLock);
}
