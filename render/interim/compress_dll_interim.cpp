/*
 * Interim compression component: none is bound, as for a model that names none (0).
 */
#include "render/pdl/compression/compress_dll.h"

LONG WINAPI img_LoadCompressDll(PDEV *, DWORD)
{
    return 0;
}

void WINAPI img_UnloadCompressDll(PDEV *) {}
