/*
 * Interim raster-transfer drawing: the image drawing is not built, so every chunk is refused (-1).
 */
#include "render/driver/escape/escape.h"

LONG WINAPI esc_DrawRasterChunk(PDEV *, const BYTE *, const BYTE *, DWORD)
{
    return -1;
}
