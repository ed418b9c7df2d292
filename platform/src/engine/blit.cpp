/*
 * The engine's own drawing on engine bitmaps: EngBitBlt with any ROP4 (solid brushes
 * only) and EngCopyBits, pixel by pixel, through the clip and the colour translation.
 * Device surfaces hold no pixels here: the driver draws on them itself.
 */
#include "platform/src/engine/engine_private.h"

#include <algorithm>
#include <string.h>

namespace qme {

/* Reads the pixel at (x, y) of a bitmap surface. */
static ULONG PixelAt(const SURFOBJ *so, LONG x, LONG y)
{
    const BYTE *row = static_cast<const BYTE *>(so->pvScan0) + static_cast<ptrdiff_t>(y) * so->lDelta;
    switch (so->iBitmapFormat) {
    case BMF_1BPP: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case BMF_4BPP: return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    case BMF_8BPP: return row[x];
    case BMF_16BPP: return row[2 * x] | (row[2 * x + 1] << 8);
    case BMF_24BPP: return row[3 * x] | (row[3 * x + 1] << 8) | (static_cast<ULONG>(row[3 * x + 2]) << 16);
    case BMF_32BPP: {
        ULONG v;
        memcpy(&v, row + 4 * x, 4);
        return v;
    }
    default: return 0;
    }
}

/* Applies a ROP3 to pattern, source and destination values, bit by bit. */
static ULONG Rop3(BYTE rop, ULONG p, ULONG s, ULONG d)
{
    ULONG r = 0;
    for (int i = 0; i < 8; ++i)
        if (rop & (1 << i))
            r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    return r;
}

static bool UsesPattern(BYTE rop)
{
    return ((rop >> 4) ^ rop) & 0x0F;
}
static bool UsesSource(BYTE rop)
{
    return ((rop >> 2) ^ rop) & 0x33;
}

/* The rectangles of a clip cut to `bounds` (one for no clip or a rectangle clip). */
static std::vector<RECTL> ClipRects(CLIPOBJ *pco, const RECTL &bounds)
{
    std::vector<RECTL> in;
    if (!pco || pco->iDComplexity == DC_TRIVIAL)
        in.push_back(bounds);
    else if (pco->iDComplexity == DC_RECT || !ClipOf(pco) || ClipOf(pco)->rects.empty())
        in.push_back(pco->rclBounds);
    else
        in = ClipOf(pco)->rects;
    std::vector<RECTL> out;
    for (const RECTL &r : in) {
        RECTL c = {std::max(r.left, bounds.left),
                   std::max(r.top, bounds.top),
                   std::min(r.right, bounds.right),
                   std::min(r.bottom, bounds.bottom)};
        if (c.left < c.right && c.top < c.bottom)
            out.push_back(c);
    }
    return out;
}

static bool IsBitmap(const SURFOBJ *so)
{
    return so && so->iType == STYPE_BITMAP && so->pvScan0 && BitsOfFormat(so->iBitmapFormat) != 0;
}

} // namespace qme

using namespace qme;

extern "C" {

/*
 * Blits onto an engine bitmap with a ROP4 (low byte: the ROP3 where the mask is 1 or
 * there is no mask; high byte: where the mask is 0). Source pixels go through pxlo;
 * the pattern is the brush's solid colour. The target rectangle is cut to the surface and
 * the clip. Returns TRUE; FALSE with ERROR_INVALID_PARAMETER for a missing target or
 * rectangle, a needed source or point that is missing or not a bitmap, or a pattern brush
 * (the engine cannot read a driver's realisation); ERROR_NOT_SUPPORTED for a device target.
 */
BOOL WINAPI EngBitBlt(SURFOBJ *psoTrg, SURFOBJ *psoSrc, SURFOBJ *psoMask, CLIPOBJ *pco, XLATEOBJ *pxlo, RECTL *prclTrg,
                      POINTL *pptlSrc, POINTL *pptlMask, BRUSHOBJ *pbo, POINTL *pptlBrush, ROP4 rop4)
{
    RecordBitBlt(
        QMT_ENGINE_BITBLT{0, psoTrg, psoSrc, psoMask, pco, pxlo, prclTrg, pptlSrc, pptlMask, pbo, pptlBrush, rop4});
    if (!psoTrg || !prclTrg) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!IsBitmap(psoTrg)) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    BYTE fg = static_cast<BYTE>(rop4), bg = static_cast<BYTE>(rop4 >> 8);
    bool masked = fg != bg;
    bool needSource = UsesSource(fg) || UsesSource(bg);
    bool needPattern = UsesPattern(fg) || UsesPattern(bg);
    if ((needSource && (!IsBitmap(psoSrc) || !pptlSrc)) ||
        (masked && (!psoMask || psoMask->iBitmapFormat != BMF_1BPP || !IsBitmap(psoMask))) ||
        (needPattern && (!pbo || pbo->iSolidColor == 0xFFFFFFFF))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    ULONG bpp = BitsOfFormat(psoTrg->iBitmapFormat);
    ULONG valueMask = bpp == 32 ? 0xFFFFFFFF : ((1u << bpp) - 1);
    ULONG pattern = needPattern ? pbo->iSolidColor : 0;
    POINTL maskOrigin = pptlMask ? *pptlMask : (pptlSrc ? *pptlSrc : POINTL{0, 0});
    RECTL target = {std::min(prclTrg->left, prclTrg->right),
                    std::min(prclTrg->top, prclTrg->bottom),
                    std::max(prclTrg->left, prclTrg->right),
                    std::max(prclTrg->top, prclTrg->bottom)};
    RECTL surface = {0, 0, psoTrg->sizlBitmap.cx, psoTrg->sizlBitmap.cy};
    target = {std::max(target.left, surface.left),
              std::max(target.top, surface.top),
              std::min(target.right, surface.right),
              std::min(target.bottom, surface.bottom)};
    for (const RECTL &r : ClipRects(pco, target)) {
        for (LONG y = r.top; y < r.bottom; ++y) {
            for (LONG x = r.left; x < r.right; ++x) {
                LONG dx = x - prclTrg->left, dy = y - prclTrg->top;
                ULONG s = 0;
                if (needSource) {
                    LONG sx = pptlSrc->x + dx, sy = pptlSrc->y + dy;
                    if (sx < 0 || sy < 0 || sx >= psoSrc->sizlBitmap.cx || sy >= psoSrc->sizlBitmap.cy)
                        continue;
                    s = XLATEOBJ_iXlate(pxlo, PixelAt(psoSrc, sx, sy));
                }
                BYTE rop = fg;
                if (masked) {
                    LONG mx = maskOrigin.x + dx, my = maskOrigin.y + dy;
                    bool in = mx >= 0 && my >= 0 && mx < psoMask->sizlBitmap.cx && my < psoMask->sizlBitmap.cy;
                    rop = (in && PixelAt(psoMask, mx, my)) ? fg : bg;
                }
                ULONG d = PixelAt(psoTrg, x, y);
                StorePixel(psoTrg, x, y, Rop3(rop, pattern, s, d) & valueMask);
            }
        }
    }
    return TRUE;
}

/*
 * Copies pixels from a source bitmap at pptlSrc into prclDest of a target bitmap,
 * translated through pxlo and cut to the clip. Returns as EngBitBlt with ROP4 0xCCCC.
 */
BOOL WINAPI EngCopyBits(SURFOBJ *psoDest, SURFOBJ *psoSrc, CLIPOBJ *pco, XLATEOBJ *pxlo, RECTL *prclDest,
                        POINTL *pptlSrc)
{
    return EngBitBlt(psoDest, psoSrc, nullptr, pco, pxlo, prclDest, pptlSrc, nullptr, nullptr, nullptr, 0xCCCC);
}

} // extern "C"
