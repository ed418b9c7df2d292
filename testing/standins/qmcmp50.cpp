/*
 * Test stand-in of the outside compression component: a simple run-length coding of its
 * own (per run of equal bytes a count byte and the byte), with scripted failures, a
 * result larger than the data and a zero handle.
 */
#include "testing/standins/standin_controls.h"

#include <string.h>

#include <vector>

static CompressStandinControl g_control;
static int g_handle;
static std::vector<BYTE> g_result;

extern "C" CompressStandinControl *WINAPI QmCompressStandinControl(DWORD reset)
{
    if (reset)
        memset(&g_control, 0, sizeof(g_control));
    return &g_control;
}

static LONG standin_Fails(DWORD step)
{
    return g_control.script == COMPRESS_FAIL_STEP && g_control.failStep == step ? 1 : 0;
}

extern "C" HANDLE WINAPI qmcmp_LoadCompress(void)
{
    g_control.loads++;
    return g_control.script == COMPRESS_NO_HANDLE ? NULL : (HANDLE)&g_handle;
}

extern "C" LONG WINAPI qmcmp_InitBitmap(HANDLE, DWORD mode, DWORD, DWORD, DWORD)
{
    g_control.lastMode = mode;
    g_result.clear();
    return standin_Fails(1);
}

extern "C" LONG WINAPI qmcmp_CompressBitmap(HANDLE, const BYTE *data, DWORD height, DWORD *size)
{
    (void)height;
    // The coding sees only what it is told: the caller's length is not passed, so the
    // stand-in codes height rows of one byte each (enough to show a change).
    g_result.clear();
    for (DWORD i = 0; i < height;) {
        DWORD n = 1;
        while (i + n < height && n < 255 && data[i + n] == data[i])
            n++;
        g_result.push_back((BYTE)n);
        g_result.push_back(data[i]);
        i += n;
    }
    if (g_control.script == COMPRESS_LARGER)
        g_result.resize(0x100000, 0);
    *size = (DWORD)g_result.size();
    return standin_Fails(2);
}

extern "C" LONG WINAPI qmcmp_GetBitmap(HANDLE, BYTE *destination)
{
    memcpy(destination, g_result.data(), g_result.size());
    return standin_Fails(3);
}

extern "C" LONG WINAPI qmcmp_FinishBitmap(HANDLE)
{
    return standin_Fails(4);
}

extern "C" LONG WINAPI qmcmp_FreeCompress(HANDLE)
{
    g_control.frees++;
    return 0;
}
