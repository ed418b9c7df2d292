/*
 * Engine palettes and colour translation objects (XLATEOBJ).
 */
#include "platform/src/engine/engine_private.h"

#include <algorithm>

namespace qme {

DWORD g_live_palettes;

static std::vector<Palette *> g_palettes;

Palette *PaletteOf(HPALETTE h)
{
    for (Palette *p : g_palettes)
        if (reinterpret_cast<HPALETTE>(p) == h)
            return p;
    return nullptr;
}

Xlate *XlateOf(XLATEOBJ *pxlo)
{
    return IsObject(pxlo, kXlateMagic) ? reinterpret_cast<Xlate *>(pxlo) : nullptr;
}

/* The value of the colour field `mask` in `color`, scaled to 8 bits. */
static ULONG Channel(ULONG color, FLONG mask)
{
    if (mask == 0)
        return 0;
    int shift = 0;
    while (!((mask >> shift) & 1))
        ++shift;
    ULONG field = mask >> shift;
    ULONG v = (color & mask) >> shift;
    return (v * 255 + field / 2) / field;
}

/* Red, green and blue (8 bits each) of a colour in palette mode `mode`. */
static void SplitColor(ULONG color, ULONG mode, const FLONG *masks, ULONG *r, ULONG *g, ULONG *b)
{
    switch (mode) {
    case PAL_RGB:
        *r = color & 0xFF;
        *g = (color >> 8) & 0xFF;
        *b = (color >> 16) & 0xFF;
        break;
    case PAL_BGR:
        *b = color & 0xFF;
        *g = (color >> 8) & 0xFF;
        *r = (color >> 16) & 0xFF;
        break;
    default:
        *r = Channel(color, masks[0]);
        *g = Channel(color, masks[1]);
        *b = Channel(color, masks[2]);
        break;
    }
}

} // namespace qme

using namespace qme;

extern "C" {

/*
 * Makes a palette. iMode: PAL_INDEXED (cColors colours from pulColors, low three bytes
 * each), PAL_BITFIELDS (flRed, flGreen, flBlue masks), PAL_RGB, PAL_BGR or PAL_CMYK.
 * Returns the handle; NULL with ERROR_INVALID_PARAMETER for an unknown mode or an indexed
 * palette without colours, ERROR_NOT_ENOUGH_MEMORY when refused.
 */
HPALETTE WINAPI EngCreatePalette(ULONG iMode, ULONG cColors, ULONG *pulColors, FLONG flRed, FLONG flGreen, FLONG flBlue)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    bool known =
        iMode == PAL_INDEXED || iMode == PAL_BITFIELDS || iMode == PAL_RGB || iMode == PAL_BGR || iMode == PAL_CMYK;
    if (!known || (iMode == PAL_INDEXED && (cColors == 0 || !pulColors || cColors > 0x10000))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!CallAllowed(kFailPalette)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    Palette *p = new Palette();
    p->magic = kPaletteMagic;
    p->mode = iMode;
    if (iMode == PAL_INDEXED)
        for (ULONG i = 0; i < cColors; ++i)
            p->colors.push_back(pulColors[i] & 0xFFFFFF);
    p->masks[0] = flRed;
    p->masks[1] = flGreen;
    p->masks[2] = flBlue;
    g_palettes.push_back(p);
    ++g_live_palettes;
    return reinterpret_cast<HPALETTE>(p);
}

/* Deletes a palette. Returns TRUE; FALSE with ERROR_INVALID_HANDLE for an unknown handle. */
BOOL WINAPI EngDeletePalette(HPALETTE hpal)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Palette *p = PaletteOf(hpal);
    if (!p) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    g_palettes.erase(std::find(g_palettes.begin(), g_palettes.end(), p));
    --g_live_palettes;
    delete p;
    return TRUE;
}

/*
 * Copies the source palette of a translation: iPal XO_SRCPALETTE (the table's colours) or
 * XO_SRCBITFIELDS (the three masks). pPal: out, up to cPal entries, or NULL to ask the
 * count. Returns the entries copied (or available); 0 for a translation without one.
 */
ULONG WINAPI XLATEOBJ_cGetPalette(XLATEOBJ *pxlo, ULONG iPal, ULONG cPal, ULONG *pPal)
{
    if (!pxlo)
        return 0;
    Xlate *x = XlateOf(pxlo);
    const ULONG *src = nullptr;
    ULONG count = 0;
    if (iPal == XO_SRCPALETTE && (pxlo->flXlate & XO_TABLE) && pxlo->pulXlate) {
        src = pxlo->pulXlate;
        count = pxlo->cEntries;
    } else if (iPal == XO_SRCBITFIELDS && x && x->srcMode == PAL_BITFIELDS) {
        src = x->srcMasks;
        count = 3;
    }
    if (!pPal)
        return count;
    count = std::min(count, cPal);
    std::copy(src, src + count, pPal);
    return count;
}

/*
 * Translates one source colour into the destination's. No translation or XO_TRIVIAL: the
 * colour itself. XO_TABLE: the table's entry, 0xFFFFFFFF for an index past its end.
 * Otherwise the source colour (RGB, BGR or bit fields) is rebuilt in the destination's
 * PAL_RGB or PAL_BGR order.
 */
ULONG WINAPI XLATEOBJ_iXlate(XLATEOBJ *pxlo, ULONG iColor)
{
    if (!pxlo || (pxlo->flXlate & XO_TRIVIAL))
        return iColor;
    if (pxlo->flXlate & XO_TABLE) {
        if (!pxlo->pulXlate || iColor >= pxlo->cEntries)
            return 0xFFFFFFFF;
        return pxlo->pulXlate[iColor];
    }
    Xlate *x = XlateOf(pxlo);
    if (!x)
        return iColor;
    ULONG r, g, b;
    SplitColor(iColor, x->srcMode, x->srcMasks, &r, &g, &b);
    if (x->dstMode == PAL_RGB)
        return r | (g << 8) | (b << 16);
    return b | (g << 8) | (r << 16);
}

} // extern "C"
