/*
 * Test stand-in of the outside colour component: a visible conversion (every byte
 * complemented) with scripted failures, a zero handle and a page with nothing to convert.
 */
#include "testing/standins/standin_controls.h"

#include <string.h>

static ColourStandinControl g_control;
static int g_handle;

extern "C" ColourStandinControl *WINAPI QmColourStandinControl(DWORD reset)
{
    if (reset)
        memset(&g_control, 0, sizeof(g_control));
    return &g_control;
}

extern "C" HANDLE WINAPI KRV_LoadKRV32(const char *colourFile)
{
    g_control.loads++;
    if (colourFile != NULL) {
        strncpy(g_control.colourFile, colourFile, sizeof g_control.colourFile - 1);
        g_control.colourFile[sizeof g_control.colourFile - 1] = 0;
    }
    return g_control.script == COLOUR_NO_HANDLE ? NULL : (HANDLE)&g_handle;
}

extern "C" LONG WINAPI KRV_FreeKRV32(HANDLE)
{
    g_control.frees++;
    return 0;
}

extern "C" LONG WINAPI KRV_CreateParam_Begin32(HANDLE, BYTE mode)
{
    g_control.mode = mode;
    return g_control.script == COLOUR_BEGIN_FAILS ? 1 : 0;
}

extern "C" LONG WINAPI KRV_CreateParam32(HANDLE, BYTE *, DWORD, DWORD)
{
    g_control.params++;
    return 0;
}

extern "C" LONG WINAPI KRV_CreateParam_End32(HANDLE)
{
    return g_control.script == COLOUR_END_ONE ? 1 : 0;
}

extern "C" LONG WINAPI KRV_DeleteParam32(HANDLE)
{
    g_control.deletes++;
    return 0;
}

extern "C" LONG WINAPI KRV_ColorConvert32(HANDLE, const BYTE *source, BYTE *destination, DWORD width, DWORD height)
{
    g_control.converts++;
    if (g_control.script == COLOUR_CONVERT_FAILS)
        return 1;
    for (DWORD i = 0; i < width * height * 3; i++)
        destination[i] = (BYTE)~source[i];
    return 0;
}
