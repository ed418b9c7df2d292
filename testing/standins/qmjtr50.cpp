/*
 * Test stand-in of the outside document monitor: gives handles and ids as the test
 * scripts them, and records the records it is handed. Only the functions the driver calls
 * do anything; the others are exported so that they can be bound.
 */
#include "testing/standins/standin_controls.h"

#include "core/outside/outside_interfaces.h"

#include <string.h>

static MonitorStandinControl g_control;
static int g_handle;

static bool jtr_Ours(HANDLE handle)
{
    return handle == (HANDLE)&g_handle;
}

/* jtr_PutId: an id into the 64-byte buffer. */
static BOOL jtr_PutId(LPSTR text, const char *scripted, const char *fallback)
{
    const char *id = scripted[0] != 0 ? scripted : fallback;
    memcpy(text, id, strlen(id));
    return TRUE;
}

extern "C" MonitorStandinControl *WINAPI QmMonitorStandinControl(DWORD reset)
{
    if (reset)
        memset(&g_control, 0, sizeof(g_control));
    return &g_control;
}

extern "C" HANDLE WINAPI JtrInitializeJobtrace(DWORD reserved)
{
    (void)reserved;
    if (g_control.noHandle)
        return NULL;
    g_control.started++;
    return (HANDLE)&g_handle;
}

extern "C" int WINAPI JtrUnInitializeJobtrace(HANDLE monitor)
{
    if (!jtr_Ours(monitor))
        return 0;
    g_control.ended++;
    return g_control.failEnd ? 0 : 1;
}

extern "C" BOOL WINAPI JtrCreateClientId(HANDLE monitor, LPSTR text)
{
    if (!jtr_Ours(monitor) || g_control.failClientId)
        return FALSE;
    if (g_control.unterminated) {
        memset(text, 'c', 64);
        return TRUE;
    }
    return jtr_PutId(text, g_control.clientId, "C1");
}

extern "C" BOOL WINAPI JtrCreateJobId(HANDLE monitor, LPSTR text)
{
    if (!jtr_Ours(monitor) || g_control.failJobId)
        return FALSE;
    return jtr_PutId(text, g_control.jobId, "J1");
}

extern "C" BOOL WINAPI JtrSetJtrDataEx(HANDLE monitor, const JtrClientRecord *record)
{
    if (!jtr_Ours(monitor) || record == NULL || g_control.failSetData)
        return FALSE;
    g_control.exCalls++;
    g_control.clientSize = record->size;
    memcpy(g_control.clientRecord, record, sizeof(g_control.clientRecord));
    memcpy(g_control.jobRecord, record->job, sizeof(g_control.jobRecord));
    return TRUE;
}

extern "C" BOOL WINAPI JtrSetJtrData(HANDLE monitor, const void *data, DWORD size)
{
    if (!jtr_Ours(monitor) || data == NULL || g_control.failSetData)
        return FALSE;
    g_control.oldCalls++;
    g_control.oldSize = size;
    memcpy(g_control.oldData, data, size < sizeof(g_control.oldData) ? size : sizeof(g_control.oldData));
    return TRUE;
}

extern "C" BOOL WINAPI JtrExecJobtrace(HANDLE monitor)
{
    if (!jtr_Ours(monitor) || g_control.failExec)
        return FALSE;
    g_control.executed++;
    return TRUE;
}

/* Bound, never called. */
extern "C" BOOL WINAPI JtrSetGroupStyle(HANDLE, DWORD)
{
    return TRUE;
}
extern "C" BOOL WINAPI JtrSetJobId(HANDLE, LPCSTR)
{
    return TRUE;
}
extern "C" BOOL WINAPI JtrSetDestinationCount(HANDLE, DWORD)
{
    return TRUE;
}
extern "C" BOOL WINAPI JtrSetPortName(HANDLE, LPCSTR)
{
    return TRUE;
}
extern "C" BOOL WINAPI JtrSetFriendlyName(HANDLE, LPCSTR)
{
    return TRUE;
}
extern "C" BOOL WINAPI JtrSetParamStyle(HANDLE, DWORD)
{
    return TRUE;
}
extern "C" BOOL WINAPI JtrExecJobtracePreferences(HANDLE)
{
    return TRUE;
}
extern "C" BOOL WINAPI JtrSetJobDestinations(HANDLE, const void *, DWORD)
{
    return TRUE;
}
extern "C" BOOL WINAPI JtrExecJobtraceWithStatus(HANDLE, DWORD *)
{
    return TRUE;
}
extern "C" BOOL WINAPI JtrExecJobtracePreferencesWithStatus(HANDLE, DWORD *)
{
    return TRUE;
}
