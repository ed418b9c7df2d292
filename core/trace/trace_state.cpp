/*
 * The trace's configuration, lock and log file (trace.h).
 */
#include "core/trace/trace_private.h"

#include "core/config/config_file.h"
#include "core/util/conversion.h"
#include "core/util/host_env.h"
#include "core/util/module.h"

static int state_CountDigits(const WCHAR *text);
static void state_ReadIds(LPCWSTR path);

/* The trace configuration file's name in the module directory. */
static const WCHAR kConfigName[] = TEXT("qmkelv.cfg");
static const WCHAR kSection[] = TEXT("LOG");
/* Characters of the "Log" value read, and the digits it may have after a "0x" prefix. */
#define TRC_LOG_VALUE_CHARS 261
#define TRC_LOG_DIGITS 8

TraceState g_Trace;
static LONG g_traceLock;

/*
 * The digits of a "Log" value: its length without a "0x"/"0X" prefix. The limit counts
 * digits, so that a full 32-bit hexadecimal value such as 0x80000007 (debugger output)
 * stays reachable.
 */
static int state_CountDigits(const WCHAR *text)
{
    int length = lstrlenW(text);
    if (length >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        length -= 2;
    }
    return length;
}

/* Appends each id named by a "LOGOUT.DDMID=" line of the section, once, up to 256 lines. */
static void state_ReadIds(LPCWSTR path)
{
    WCHAR *block = cfg_ReadSection(path, kSection);
    if (!block) {
        return;
    }
    WORD line = 1;
    for (DWORD lines = 0; lines < TRC_MAX_IDS; ++lines) {
        WCHAR *value = NULL;
        WORD found = cfg_FindKey(line, FALSE, block, TEXT("LOGOUT.DDMID="), &value);
        if (found == 0) {
            break;
        }
        int id = 0;
        if (util_ParseNumber(value, &id) && id >= 0 && id <= 0xFFFF) {
            DWORD i = 0;
            while (i < g_Trace.idCount && g_Trace.ids[i] != (WORD)id) {
                ++i;
            }
            if (i == g_Trace.idCount) {
                g_Trace.ids[g_Trace.idCount++] = (WORD)id;
            }
        }
        GlobalFree(value);
        line = (WORD)(found + 1);
    }
    GlobalFree(block);
}

void trace_Lock(void)
{
    while (InterlockedCompareExchange(&g_traceLock, 1, 0) != 0) {
        Sleep(0);
    }
}

void trace_Unlock(void)
{
    InterlockedExchange(&g_traceLock, 0);
}

void trace_EnsureConfigLocked(void)
{
    if (!g_Trace.configRead) {
        trace_ReadConfigLocked();
    }
}

void trace_ReadConfigLocked(void)
{
    g_Trace.flags = 0;
    g_Trace.idCount = 0;
    g_Trace.configRead = TRUE;
    WCHAR path[MAX_PATH];
    if (!util_GetModuleDirectory(path, sizeof(path)) || lstrlenW(path) + lstrlenW(kConfigName) >= MAX_PATH) {
        return;
    }
    lstrcatW(path, kConfigName);
    WCHAR value[TRC_LOG_VALUE_CHARS];
    GetPrivateProfileStringW(kSection, TEXT("Log"), TEXT("0"), value, TRC_LOG_VALUE_CHARS, path);
    int flags = 0;
    if (state_CountDigits(value) > TRC_LOG_DIGITS || !util_ParseNumber(value, &flags)) {
        return;
    }
    g_Trace.flags = (DWORD)flags;
    state_ReadIds(path);
}

BOOL trace_HasFlags(DWORD mask)
{
    trace_Lock();
    trace_EnsureConfigLocked();
    DWORD flags = g_Trace.flags;
    trace_Unlock();
    return (flags & TRC_ON) && (flags & mask) == mask;
}

BOOL trace_OpenLogLocked(void)
{
    trace_EnsureConfigLocked();
    if (!(g_Trace.flags & TRC_ON) || (g_Trace.flags & TRC_DEBUGGER)) {
        return TRUE;
    }
    if (g_Trace.openCount > 0) {
        ++g_Trace.openCount;
        return TRUE;
    }
    if (!g_Trace.pathBuilt) {
        WCHAR directory[UTIL_DEBUG_LOG_CHARS];
        LPCWSTR name = trc_GetLogFileName();
        if (!util_GetDebugLogDirectory(directory) || !name || lstrlenW(directory) + lstrlenW(name) >= MAX_PATH) {
            return FALSE;
        }
        lstrcpyW(g_Trace.path, directory);
        lstrcatW(g_Trace.path, name);
        g_Trace.pathBuilt = TRUE;
    }
    HANDLE file = CreateFileW(g_Trace.path,
                              GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE,
                              NULL,
                              OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL,
                              NULL);
    if (file == INVALID_HANDLE_VALUE) {
        return FALSE;
    }
    SetFilePointer(file, 0, NULL, FILE_END);
    g_Trace.file = file;
    g_Trace.openCount = 1;
    return TRUE;
}

BOOL trace_CloseLogLocked(void)
{
    if (g_Trace.openCount == 0) {
        return TRUE;
    }
    if (--g_Trace.openCount > 0) {
        return TRUE;
    }
    HANDLE file = g_Trace.file;
    g_Trace.file = NULL;
    return CloseHandle(file) ? TRUE : FALSE;
}

BOOL WINAPI trc_CloseLog(void)
{
    trace_Lock();
    BOOL result = trace_CloseLogLocked();
    trace_Unlock();
    return result;
}

DWORD WINAPI trc_GetFlags(void)
{
    trace_Lock();
    trace_EnsureConfigLocked();
    DWORD flags = g_Trace.flags;
    trace_Unlock();
    return flags;
}

DWORD WINAPI trc_GetIds(WORD *ids, DWORD capacity)
{
    trace_Lock();
    trace_EnsureConfigLocked();
    DWORD count = g_Trace.idCount;
    for (DWORD i = 0; ids && i < count && i < capacity; ++i) {
        ids[i] = g_Trace.ids[i];
    }
    trace_Unlock();
    return count;
}

DWORD WINAPI trc_GetOpenCount(void)
{
    trace_Lock();
    DWORD count = g_Trace.openCount;
    trace_Unlock();
    return count;
}

BOOL WINAPI trc_Initialize(void)
{
    trace_Lock();
    trace_ReadConfigLocked();
    trace_Unlock();
    return TRUE;
}

BOOL WINAPI trc_IsEnabled(void)
{
    return trace_HasFlags(TRC_ON);
}

BOOL WINAPI trc_OpenLog(void)
{
    trace_Lock();
    BOOL result = trace_OpenLogLocked();
    trace_Unlock();
    return result;
}
