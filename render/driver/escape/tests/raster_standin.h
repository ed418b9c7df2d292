#ifndef QM_RENDER_DRIVER_ESCAPE_TESTS_RASTER_STANDIN_H
#define QM_RENDER_DRIVER_ESCAPE_TESTS_RASTER_STANDIN_H

#include <windows.h>

namespace escape_test {
extern LONG g_ChunkAnswer; // what the stand-in drawing answers
extern int g_ChunksDrawn;
} // namespace escape_test

#endif /* QM_RENDER_DRIVER_ESCAPE_TESTS_RASTER_STANDIN_H */
