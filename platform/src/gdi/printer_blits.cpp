/*
 * Blits onto printer DCs: the source image handed to the driver as a SURFOBJ over its own
 * pixels with the XLATEOBJ of its colours to the device palette. SRCCOPY goes to DrvCopyBits,
 * or DrvStretchBlt when scaled; other raster operations to DrvBitBlt, or DrvStretchBltROP
 * when scaled; blits without source (PatBlt) to DrvBitBlt with the DC's brush. The source
 * rectangle is clipped to the image and the destination cut in proportion; a mirrored
 * rectangle is not drawn (ERROR_INVALID_PARAMETER).
 */
#include "platform/src/gdi/blits.h"

#include "platform/src/gdi/printer_calls.h"

#include <algorithm>
#include <cmath>
#include <vector>

using namespace qmg;

namespace {

typedef decltype(&DrvBitBlt) BitBltProc;
typedef decltype(&DrvCopyBits) CopyBitsProc;
typedef decltype(&DrvStretchBlt) StretchBltProc;
typedef decltype(&DrvStretchBltROP) StretchBltRopProc;

/* Stretching keeps whole source pixels (no averaging). */
const ULONG kStretchMode = 3; /* COLORONCOLOR */

} // namespace

namespace qmg {

bool RopUsesSource(DWORD rop)
{
    BYTE rop3 = (BYTE)(rop >> 16);
    return ((rop3 >> 2) ^ rop3) & 0x33;
}

bool RopUsesPattern(DWORD rop)
{
    BYTE rop3 = (BYTE)(rop >> 16);
    return ((rop3 >> 4) ^ rop3) & 0x0F;
}

BOOL PrinterBlit(HDC hdc, const BlitRequest &r)
{
    PrinterCall c;
    if (!BeginPrinterCall(hdc, &c)) {
        return FALSE;
    }
    POINTL a, b;
    if (!ToDevice(c.state.mapping, POINT{r.x, r.y}, &a) ||
        !ToDevice(c.state.mapping, POINT{r.x + r.width, r.y + r.height}, &b)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    RECTL dest = {a.x, a.y, b.x, b.y};
    if (!r.bmi) {
        dest = RECTL{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    }
    if (dest.left == dest.right || dest.top == dest.bottom) {
        return TRUE;
    }
    CallObjects o;
    if (r.bmi) {
        LONG sw = r.source.right - r.source.left, sh = r.source.bottom - r.source.top;
        qme::DibLayout layout;
        if (dest.right < dest.left || dest.bottom < dest.top || sw <= 0 || sh <= 0 ||
            !qme::ReadDibHeader(r.bmi, DIB_RGB_COLORS, &layout)) {
            return Fail(ERROR_INVALID_PARAMETER);
        }
        RECTL in = {std::max(r.source.left, (LONG)0),
                    std::max(r.source.top, (LONG)0),
                    std::min(r.source.right, layout.width),
                    std::min(r.source.bottom, layout.height)};
        if (in.left >= in.right || in.top >= in.bottom) {
            return TRUE; /* nothing of the image in the rectangle */
        }
        double kx = double(dest.right - dest.left) / sw, ky = double(dest.bottom - dest.top) / sh;
        RECTL cut = {dest.left + (LONG)std::lround((in.left - r.source.left) * kx),
                     dest.top + (LONG)std::lround((in.top - r.source.top) * ky),
                     dest.left + (LONG)std::lround((in.right - r.source.left) * kx),
                     dest.top + (LONG)std::lround((in.bottom - r.source.top) * ky)};
        dest = cut;
        if (dest.left >= dest.right || dest.top >= dest.bottom) {
            return TRUE;
        }
        /* A monochrome bitmap paints the DC's text colour for black, its background for
         * white: those pixels are handed over translated. */
        std::vector<DWORD> mono;
        const void *bits = r.bits;
        if (r.sourceMono) {
            const DWORD *pixels = static_cast<const DWORD *>(r.bits);
            mono.assign(pixels, pixels + (size_t)layout.width * (size_t)layout.height);
            for (DWORD &pixel : mono) {
                COLORREF c2 = (pixel & 0x00FFFFFF) == 0 ? c.state.textColor : c.state.bkColor;
                pixel = (DWORD)GetBValue(c2) | ((DWORD)GetGValue(c2) << 8) | ((DWORD)GetRValue(c2) << 16);
            }
            bits = mono.data();
        }
        o.source = qme::NewDibSurface(layout, bits);
        o.xlate = qme::NewDibXlate(r.bmi, layout, c.paletteMode);
        if (!o.source || !o.xlate) {
            return Fail(ERROR_NOT_ENOUGH_MEMORY);
        }
        POINTL from = {in.left, in.top};
        RECTL source = in;
        bool scaled = dest.right - dest.left != in.right - in.left || dest.bottom - dest.top != in.bottom - in.top;
        PFN entry = r.rop == SRCCOPY ? (scaled ? HookedEntry(c, HOOK_STRETCHBLT, INDEX_DrvStretchBlt)
                                               : HookedEntry(c, HOOK_COPYBITS, INDEX_DrvCopyBits))
                                     : (scaled ? HookedEntry(c, HOOK_STRETCHBLTROP, INDEX_DrvStretchBltROP)
                                               : HookedEntry(c, HOOK_BITBLT, INDEX_DrvBitBlt));
        if (!entry) {
            return Fail(ERROR_NOT_SUPPORTED);
        }
        o.clip = qme::NewEngineClip(c.state.clipped ? &c.state.clip : nullptr, c.surface->sizlBitmap, dest);
        if (!o.clip) {
            return TRUE;
        }
        if (RopUsesPattern(r.rop)) {
            o.fill = DeviceBrush(c);
        }
        POINTL origin = {0, 0};
        ROP4 rop4 = qme::Rop4Of(r.rop, TransparentBrush(c) && RopUsesPattern(r.rop));
        if (r.rop == SRCCOPY && !scaled) {
            return ((CopyBitsProc)(void *)entry)(c.surface, o.source, o.clip, o.xlate, &dest, &from);
        }
        if (r.rop == SRCCOPY) {
            return ((StretchBltProc)(void *)entry)(
                c.surface, o.source, nullptr, o.clip, o.xlate, nullptr, &origin, &dest, &source, nullptr, kStretchMode);
        }
        if (!scaled) {
            return ((BitBltProc)(void *)entry)(
                c.surface, o.source, nullptr, o.clip, o.xlate, &dest, &from, nullptr, o.fill, &origin, rop4);
        }
        return ((StretchBltRopProc)(void *)entry)(c.surface,
                                                  o.source,
                                                  nullptr,
                                                  o.clip,
                                                  o.xlate,
                                                  nullptr,
                                                  &origin,
                                                  &dest,
                                                  &source,
                                                  nullptr,
                                                  kStretchMode,
                                                  o.fill,
                                                  rop4);
    }
    BitBltProc bitBlt = (BitBltProc)(void *)HookedEntry(c, HOOK_BITBLT, INDEX_DrvBitBlt);
    if (!bitBlt) {
        return Fail(ERROR_NOT_SUPPORTED);
    }
    o.clip = qme::NewEngineClip(c.state.clipped ? &c.state.clip : nullptr, c.surface->sizlBitmap, dest);
    if (!o.clip) {
        return TRUE;
    }
    o.fill = DeviceBrush(c);
    POINTL origin = {0, 0};
    ROP4 rop4 = qme::Rop4Of(r.rop, TransparentBrush(c));
    return bitBlt(c.surface, nullptr, nullptr, o.clip, nullptr, &dest, nullptr, nullptr, o.fill, &origin, rop4);
}

} // namespace qmg
