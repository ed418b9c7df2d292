/*
 * RealizedBrush: the driver's realisation of a GDI brush (DrvRealizeBrush), allocated with
 * BRUSHOBJ_pvAllocRbrush and read by the brush code: the head, then the pixel block (rows
 * padded to 4 bytes, in source row order), then the palette.
 */
#ifndef QM_RENDER_PDL_BRUSHES_REALIZED_BRUSH_H
#define QM_RENDER_PDL_BRUSHES_REALIZED_BRUSH_H

#include <windows.h>

typedef struct RealizedBrush {
    DWORD width;           /* pattern width in pixels, 0 for a hatch */
    DWORD height;          /* pattern rows, 0 for a hatch */
    DWORD format;          /* BMF_24BPP for 16/24/32 bpp patterns, else the pattern's format */
    WORD surfaceFlags;     /* the pattern's bitmap flags with BMF_TOPDOWN */
    DWORD paletteCount;    /* translation table entries (XO_TABLE), else 0 */
    DWORD palettePosition; /* offset of the palette from the start of the record */
    DWORD hatch;           /* iHatch */
} RealizedBrush;

static_assert(sizeof(RealizedBrush) == 28, "RealizedBrush");

#endif /* QM_RENDER_PDL_BRUSHES_REALIZED_BRUSH_H */
