/*
 * Device-independent bitmaps as driver sources (drawing_objects.h): the header's checks,
 * surfaces over the caller's pixels and the translation of their colours.
 */
#include "platform/src/engine/drawing_objects.h"

#include "platform/src/engine/engine_private.h"

namespace qme {

namespace {

/* The engine format of a pixel depth. */
ULONG FormatOfBits(ULONG bits)
{
    switch (bits) {
    case 1: return BMF_1BPP;
    case 4: return BMF_4BPP;
    case 8: return BMF_8BPP;
    case 16: return BMF_16BPP;
    case 24: return BMF_24BPP;
    case 32: return BMF_32BPP;
    default: return 0;
    }
}

/* A COLORREF-ordered or BGR-ordered colour from RGBQUAD parts, as the device reads it. */
ULONG DeviceOrder(ULONG r, ULONG g, ULONG b, ULONG deviceMode)
{
    return deviceMode == PAL_RGB ? r | (g << 8) | (b << 16) : b | (g << 8) | (r << 16);
}

} // namespace

bool ReadDibHeader(const BITMAPINFO *bmi, UINT usage, DibLayout *out)
{
    if (!bmi || !out || usage != DIB_RGB_COLORS)
        return false;
    const BITMAPINFOHEADER &h = bmi->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == LONG(0x80000000))
        return false;
    ULONG format = FormatOfBits(h.biBitCount);
    if (format == 0)
        return false;
    bool bitfields = h.biCompression == BI_BITFIELDS;
    if (h.biCompression != BI_RGB && !(bitfields && (h.biBitCount == 16 || h.biBitCount == 32)))
        return false;
    if (h.biBitCount < 32 && h.biClrUsed > (static_cast<ULONG>(1) << h.biBitCount))
        return false;
    unsigned long long stride = ((static_cast<unsigned long long>(h.biWidth) * h.biBitCount + 31) / 32) * 4;
    unsigned long long rows = h.biHeight < 0 ? -static_cast<long long>(h.biHeight) : h.biHeight;
    unsigned long long image = stride * rows;
    if (image >= 0x80000000ULL)
        return false;
    *out = DibLayout{};
    out->width = h.biWidth;
    out->height = static_cast<LONG>(rows);
    out->topDown = h.biHeight < 0;
    out->bitCount = h.biBitCount;
    out->format = format;
    out->stride = static_cast<ULONG>(stride);
    out->imageBytes = static_cast<ULONG>(image);
    if (h.biBitCount <= 8)
        out->colors = h.biClrUsed ? h.biClrUsed : static_cast<ULONG>(1) << h.biBitCount;
    out->bitfields = bitfields || h.biBitCount == 16;
    if (bitfields) {
        const DWORD *masks =
            reinterpret_cast<const DWORD *>(reinterpret_cast<const BYTE *>(bmi) + sizeof(BITMAPINFOHEADER));
        for (int i = 0; i < 3; ++i)
            out->masks[i] = masks[i];
    } else if (h.biBitCount == 16) {
        out->masks[0] = 0x7C00; /* 5-5-5 */
        out->masks[1] = 0x03E0;
        out->masks[2] = 0x001F;
    }
    return true;
}

SURFOBJ *NewDibSurface(const DibLayout &layout, const void *bits)
{
    if (!bits)
        return nullptr;
    SIZEL size = {layout.width, layout.height};
    HBITMAP h = EngCreateBitmap(size,
                                static_cast<LONG>(layout.stride),
                                layout.format,
                                layout.topDown ? BMF_TOPDOWN : 0,
                                const_cast<void *>(bits));
    if (!h)
        return nullptr;
    SURFOBJ *pso = EngLockSurface(reinterpret_cast<HSURF>(h));
    if (!pso)
        EngDeleteSurface(reinterpret_cast<HSURF>(h));
    return pso;
}

void DeleteEngineSurface(SURFOBJ *pso)
{
    if (!pso)
        return;
    HSURF h = pso->hsurf;
    EngUnlockSurface(pso);
    EngDeleteSurface(h);
}

XLATEOBJ *NewDibXlate(const BITMAPINFO *bmi, const DibLayout &layout, ULONG deviceMode)
{
    if (!bmi)
        return nullptr;
    ULONG dst = deviceMode == PAL_RGB ? PAL_RGB : PAL_BGR;
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Xlate *x = new Xlate();
    x->magic = kXlateMagic;
    RegisterObject(x, kXlateMagic);
    x->dstMode = dst;
    x->xo.iDstType = static_cast<USHORT>(dst);
    if (layout.bitCount <= 8) {
        const RGBQUAD *table =
            reinterpret_cast<const RGBQUAD *>(reinterpret_cast<const BYTE *>(bmi) + bmi->bmiHeader.biSize);
        for (ULONG i = 0; i < layout.colors; ++i)
            x->table.push_back(DeviceOrder(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, dst));
        x->srcMode = PAL_INDEXED;
        x->xo.flXlate = XO_TABLE;
        x->xo.iSrcType = PAL_INDEXED;
        x->xo.cEntries = layout.colors;
        x->xo.pulXlate = x->table.data();
        return &x->xo;
    }
    if (layout.bitfields) {
        x->srcMode = PAL_BITFIELDS;
        for (int i = 0; i < 3; ++i)
            x->srcMasks[i] = layout.masks[i];
    } else {
        x->srcMode = PAL_BGR; /* 24 and 32 bits: blue in the low byte */
        if (dst == PAL_BGR)
            x->xo.flXlate = XO_TRIVIAL;
    }
    x->xo.iSrcType = static_cast<USHORT>(x->srcMode);
    return &x->xo;
}

void DeleteEngineXlate(XLATEOBJ *pxlo)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Xlate *x = XlateOf(pxlo);
    if (!x)
        return;
    UnregisterObject(x);
    x->magic = 0;
    delete x;
}

} // namespace qme
