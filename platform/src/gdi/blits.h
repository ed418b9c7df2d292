/*
 * Blits of every kind of DC: a destination rectangle in logical units painted from a
 * device-independent bitmap (or without source) by a raster operation. Memory DCs and
 * StretchDIBits hand their pixels over as such a bitmap.
 */
#ifndef QM_PLATFORM_SRC_GDI_BLITS_H
#define QM_PLATFORM_SRC_GDI_BLITS_H

#include "platform/src/gdi/gdi_private.h"

namespace qmg {

struct BlitRequest {
    LONG x, y, width, height; /* destination, logical */
    const BITMAPINFO *bmi;    /* the source image (DIB_RGB_COLORS), or NULL without source */
    const void *bits;
    RECTL source;      /* within the image, rows top first */
    DWORD rop;         /* raster operation */
    bool sourceMono;   /* the source is a monochrome bitmap (black and white) */
    COLORREF sourceBk; /* the source DC's background, white in a monochrome target */
};

/* True when a raster operation reads the source. */
bool RopUsesSource(DWORD rop);
/* True when a raster operation reads the pattern (the brush). */
bool RopUsesPattern(DWORD rop);

/* A blit onto a printer DC of CreateDCW: DrvCopyBits or DrvStretchBlt for SRCCOPY,
 * DrvBitBlt or DrvStretchBltROP otherwise. */
BOOL PrinterBlit(HDC hdc, const BlitRequest &r);

/* A blit onto a memory DC's bitmap by the engine's raster. */
BOOL MemoryBlit(HDC hdc, const BlitRequest &r);

} // namespace qmg

#endif /* QM_PLATFORM_SRC_GDI_BLITS_H */
