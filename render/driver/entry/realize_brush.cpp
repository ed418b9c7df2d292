/*
 * DrvRealizeBrush's worker: a brush pattern turned into a RealizedBrush.
 */
#include "render/driver/entry/entry.h"

#include <string.h>

#include "render/pdl/brushes/realized_brush.h"
#include "render/driver/pdev/pdev.h"

// Bits per pixel of the realised pixel block for a pattern format; 0 for an unsupported one.
static ULONG RealizedBits(ULONG format)
{
    switch (format) {
    case BMF_1BPP: return 1;
    case BMF_4BPP: return 4;
    case BMF_8BPP: return 8;
    case BMF_16BPP:
    case BMF_24BPP:
    case BMF_32BPP: return 24;
    default: return 0;
    }
}

// Converts one row of a 16, 24 or 32 bpp pattern into three bytes per pixel, low first.
static void ConvertRow(const BYTE *source, BYTE *target, LONG width, ULONG format, XLATEOBJ *pxlo)
{
    for (LONG x = 0; x < width; ++x) {
        ULONG color;
        if (format == BMF_24BPP) {
            memcpy(target + 3 * x, source + 3 * x, 3);
            continue;
        }
        if (format == BMF_16BPP) {
            color = XLATEOBJ_iXlate(pxlo, (ULONG)(source[2 * x] | (source[2 * x + 1] << 8)));
        } else {
            const BYTE *p = source + 4 * x;
            color = XLATEOBJ_iXlate(pxlo, (ULONG)p[0] | ((ULONG)p[1] << 8) | ((ULONG)p[2] << 16) | ((ULONG)p[3] << 24));
        }
        target[3 * x] = (BYTE)color;
        target[3 * x + 1] = (BYTE)(color >> 8);
        target[3 * x + 2] = (BYTE)(color >> 16);
    }
}

// ent_RealizeBrush: see entry.h.
BOOL WINAPI ent_RealizeBrush(BRUSHOBJ *pbo, SURFOBJ *psoTarget, SURFOBJ *psoPattern, SURFOBJ *, XLATEOBJ *pxlo,
                             ULONG iHatch)
{
    if (pbo == NULL || psoTarget == NULL || psoPattern == NULL || pxlo == NULL ||
        !pdev_IsValid(pdev_FromSurface(psoTarget))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    bool pattern = iHatch >= HS_DDI_MAX;
    ULONG format = psoPattern->iBitmapFormat;
    ULONG bits = RealizedBits(format);
    LONG width = pattern ? psoPattern->sizlBitmap.cx : 0;
    LONG height = pattern ? psoPattern->sizlBitmap.cy : 0;
    if (pattern && (bits == 0 || width < 0 || height < 0)) {
        return FALSE;
    }
    DWORD rowBytes = pattern ? (DWORD)((width * bits + 31) / 32) * 4 : 0;
    DWORD block = rowBytes * (DWORD)height;
    DWORD paletteCount = (pxlo->flXlate & XO_TABLE) && pxlo->pulXlate != NULL ? pxlo->cEntries : 0;
    DWORD size = sizeof(RealizedBrush) + block + 4 * paletteCount;
    RealizedBrush *brush = (RealizedBrush *)BRUSHOBJ_pvAllocRbrush(pbo, size);
    if (brush == NULL) {
        return FALSE;
    }
    memset(brush, 0, size);
    brush->width = (DWORD)width;
    brush->height = (DWORD)height;
    brush->format = bits == 24 ? BMF_24BPP : format;
    brush->surfaceFlags = (WORD)(psoPattern->fjBitmap | BMF_TOPDOWN);
    brush->paletteCount = paletteCount;
    brush->palettePosition = sizeof(RealizedBrush) + block;
    brush->hatch = iHatch;
    BYTE *pixels = (BYTE *)(brush + 1);
    if (paletteCount != 0) {
        memcpy(pixels + block, pxlo->pulXlate, 4 * paletteCount);
    }
    const BYTE *row = (const BYTE *)psoPattern->pvScan0;
    for (LONG y = 0; y < height && row != NULL; ++y, row += psoPattern->lDelta) {
        BYTE *target = pixels + (DWORD)y * rowBytes;
        if (bits == 24) {
            ConvertRow(row, target, width, format, pxlo);
        } else {
            memcpy(target, row, rowBytes);
        }
    }
    pbo->pvRbrush = brush;
    return TRUE;
}
