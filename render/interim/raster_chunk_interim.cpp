// Drawing of one raster-transfer chunk. Kept in a file of its own: the image drawing it
// needs is not part of the driver yet, so every chunk is refused.
#include "render/driver/escape/escape.h"

extern "C" LONG WINAPI esc_DrawRasterChunk(PDEV *, const BYTE *, const BYTE *, DWORD)
{
    return -1;
}
