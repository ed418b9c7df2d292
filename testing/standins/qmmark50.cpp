/*
 * Test stand-in of the outside security-marking module: answers as the test scripts it
 * and records the arguments it receives. Its handle is the address of a counter, so a
 * call after the module was unloaded cannot pass for a live one.
 */
#include "testing/standins/standin_controls.h"

#include "core/outside/outside_interfaces.h"

#include <string.h>

static MarkStandinControl g_control;
static int g_handle;
static const BYTE kSettingsFill = 0x5C;

/* mark_Fails: the scripted failure of a function. */
static bool mark_Fails(DWORD function)
{
    return (g_control.failMask & function) != 0;
}

static bool mark_Ours(HANDLE handle)
{
    return handle == (HANDLE)&g_handle;
}

static void mark_Copy(char *field, size_t size, const char *text)
{
    memset(field, 0, size);
    if (text != NULL)
        strncpy(field, text, size - 1);
}

extern "C" MarkStandinControl *WINAPI QmMarkStandinControl(DWORD reset)
{
    if (reset)
        memset(&g_control, 0, sizeof(g_control));
    return &g_control;
}

extern "C" HANDLE WINAPI VAZER_CreateHandle(LPCSTR printer, LPCSTR typeName, LPCSTR pdl, DWORD language)
{
    mark_Copy(g_control.printer, sizeof(g_control.printer), printer);
    mark_Copy(g_control.typeName, sizeof(g_control.typeName), typeName);
    mark_Copy(g_control.pdl, sizeof(g_control.pdl), pdl);
    g_control.language = language;
    if (g_control.noHandle)
        return NULL;
    g_control.openHandles++;
    return (HANDLE)&g_handle;
}

extern "C" BOOL WINAPI VAZER_ReleaseHandle(HANDLE handle)
{
    if (!mark_Ours(handle) || g_control.openHandles == 0)
        return FALSE;
    g_control.openHandles--;
    return !mark_Fails(MARK_FN_RELEASE);
}

extern "C" int WINAPI VAZER_GetNumOfIDs(HANDLE handle)
{
    if (!mark_Ours(handle) || mark_Fails(MARK_FN_COUNT_IDS))
        return -1;
    return (int)g_control.idCount;
}

extern "C" BOOL WINAPI VAZER_GetIDList(HANDLE handle, void *buffer, DWORD bytes)
{
    if (!mark_Ours(handle) || buffer == NULL || mark_Fails(MARK_FN_ID_LIST))
        return FALSE;
    g_control.idListBytes = bytes;
    memcpy(g_control.idList, buffer, bytes < sizeof(g_control.idList) ? bytes : sizeof(g_control.idList));
    // A buffer marked as an id list: fill in the identifiers asked for.
    VqbIdEntry *entries = (VqbIdEntry *)buffer;
    if (bytes == g_control.idCount * sizeof(VqbIdEntry)) {
        for (DWORD i = 0; i < g_control.idCount && i < 8; ++i)
            entries[i].id = g_control.ids[i];
    }
    return TRUE;
}

extern "C" BOOL WINAPI VAZER_SetDriverSettings(HANDLE handle, const VqbIdValues *values)
{
    if (!mark_Ours(handle) || values == NULL || mark_Fails(MARK_FN_DRIVER_SETTINGS))
        return FALSE;
    g_control.passedCount = values->count;
    g_control.passedValue0 = values->count > 0 ? values->entries[0].value : 0;
    return TRUE;
}

extern "C" int WINAPI VAZER_GetSizeOfSettings(HANDLE handle)
{
    if (!mark_Ours(handle) || mark_Fails(MARK_FN_SETTINGS_SIZE))
        return -1;
    return (int)g_control.settingsSize;
}

extern "C" BOOL WINAPI VAZER_SetVQBSettings(HANDLE handle, const void *data, DWORD size)
{
    if (!mark_Ours(handle) || mark_Fails(MARK_FN_SET_SETTINGS))
        return FALSE;
    g_control.settingsBytes = size;
    memset(g_control.settings, 0, sizeof(g_control.settings));
    if (data != NULL)
        memcpy(g_control.settings, data, size < sizeof(g_control.settings) ? size : sizeof(g_control.settings));
    return TRUE;
}

extern "C" int WINAPI VAZER_DisplayUI(HANDLE handle, HWND window, void *buffer, DWORD size, BOOL *changed)
{
    g_control.window = window;
    if (!mark_Ours(handle) || mark_Fails(MARK_FN_DISPLAY))
        return -1;
    if (buffer != NULL)
        memset(buffer, kSettingsFill, size);
    if (changed != NULL)
        *changed = g_control.displayChanged ? TRUE : FALSE;
    return g_control.displayAnswer != 0 ? g_control.displayAnswer : 1;
}

extern "C" int WINAPI VAZER_CheckConflict(HANDLE handle, const VqbIdValues *values, const void *data, DWORD size,
                                          HWND window)
{
    (void)values;
    (void)data;
    (void)size;
    g_control.window = window;
    if (!mark_Ours(handle) || mark_Fails(MARK_FN_CONFLICT))
        return -1;
    if (g_control.conflictAnswer == 2)
        return 0;
    return g_control.conflictAnswer != 0 ? g_control.conflictAnswer : 1;
}

extern "C" int WINAPI VAZER_GetNumOfOutputs(HANDLE handle)
{
    if (!mark_Ours(handle) || mark_Fails(MARK_FN_OUTPUTS))
        return -1;
    return (int)g_control.outputs;
}
