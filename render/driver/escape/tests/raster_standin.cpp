/*
 * Stand-in for the drawing of a raster-transfer chunk: counts the chunks and answers the
 * value a test sets.
 */
#include "render/driver/escape/escape.h"
#include "render/driver/escape/tests/raster_standin.h"

namespace escape_test {
LONG g_ChunkAnswer = 0;
int g_ChunksDrawn = 0;
} // namespace escape_test

extern "C" LONG WINAPI esc_DrawRasterChunk(PDEV *, const BYTE *, const BYTE *, DWORD)
{
    ++escape_test::g_ChunksDrawn;
    return escape_test::g_ChunkAnswer;
}
