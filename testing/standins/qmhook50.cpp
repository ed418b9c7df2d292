/*
 * Test stand-in of the outside image hook component: its entry keeps its seven arguments,
 * reads the input file's size and first bytes and writes an output file of the size the
 * test asks for, or answers 0 or writes a short file when scripted. On the host the
 * entry's decorated name is reached through its alias (the loader maps one to the other).
 */
#include "testing/standins/standin_controls.h"

#include <string.h>

#include <vector>

static HookStandinControl g_control;

extern "C" HookStandinControl *WINAPI QmHookStandinControl(DWORD reset)
{
    if (reset)
        memset(&g_control, 0, sizeof(g_control));
    return &g_control;
}

// Copies a narrow path into a record field, cut to its size.
static void hook_Keep(char *field, size_t size, const char *text)
{
    field[0] = 0;
    if (text != nullptr) {
        strncpy(field, text, size - 1);
        field[size - 1] = 0;
    }
}

// Opens a narrow (ANSI) path.
static HANDLE hook_Open(const char *path, DWORD access, DWORD disposition)
{
    WCHAR wide[MAX_PATH];
    if (path == nullptr || MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH) == 0)
        return INVALID_HANDLE_VALUE;
    return CreateFileW(wide, access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Reads the input file's size and first bytes into the record.
static void hook_ReadInput(const char *path)
{
    g_control.inputBytes = 0xFFFFFFFF;
    memset(g_control.inputHead, 0, sizeof g_control.inputHead);
    HANDLE file = hook_Open(path, GENERIC_READ, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE)
        return;
    g_control.inputBytes = GetFileSize(file, nullptr);
    DWORD got = 0;
    ReadFile(file, g_control.inputHead, sizeof g_control.inputHead, &got, nullptr);
    CloseHandle(file);
}

// Writes bytes bytes of the known raster to the output file.
static BOOL hook_WriteOutput(const char *path, DWORD bytes)
{
    HANDLE file = hook_Open(path, GENERIC_WRITE, CREATE_ALWAYS);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    std::vector<BYTE> raster(bytes);
    for (DWORD i = 0; i < bytes; ++i)
        raster[i] = (BYTE)((i * 7) & 0xFF);
    DWORD written = 0;
    BOOL good = bytes == 0 || (WriteFile(file, raster.data(), bytes, &written, nullptr) && written == bytes);
    CloseHandle(file);
    return good;
}

extern "C" int WINAPI qmstdcall_callHB_28(const char *input, const char *output, void *blockA, void *blockB,
                                          void *blockC, void *workArea, const char *data)
{
    g_control.calls++;
    hook_Keep(g_control.input, sizeof g_control.input, input);
    hook_Keep(g_control.output, sizeof g_control.output, output);
    hook_Keep(g_control.data, sizeof g_control.data, data);
    if (blockA != nullptr)
        memcpy(g_control.blockA, blockA, sizeof g_control.blockA);
    if (blockB != nullptr)
        memcpy(g_control.blockB, blockB, sizeof g_control.blockB);
    if (blockC != nullptr)
        memcpy(g_control.blockC, blockC, sizeof g_control.blockC);
    g_control.workAreaZero = 0;
    if (workArea != nullptr) {
        const BYTE *work = (const BYTE *)workArea;
        DWORD i = 0;
        while (i < 14380 && work[i] == 0)
            ++i;
        g_control.workAreaZero = i == 14380 ? 1 : 0;
    }
    hook_ReadInput(input);
    DWORD bytes = g_control.script == HOOK_SHORT_FILE ? g_control.outputBytes / 2 : g_control.outputBytes;
    if (!hook_WriteOutput(output, bytes))
        return 0;
    return g_control.script == HOOK_ANSWER_ZERO ? 0 : 1;
}
