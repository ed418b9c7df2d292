/*
 * The blit calls: PatBlt, BitBlt and StretchBlt from a memory DC, StretchDIBits from an
 * application's image, onto a printer DC (its driver) or a memory DC (the raster).
 */
#include "platform/src/gdi/blits.h"

#include <vector>

using namespace qmg;

namespace {

/* The header of a memory DC's bitmap read as a DIB of 32 bits a pixel. */
struct BitmapInfo {
    BITMAPINFOHEADER header;
};

/* Sends a request to the destination's kind of DC. */
BOOL Blit(HDC hdc, const BlitRequest &r)
{
    bool printer = false;
    {
        std::lock_guard<std::recursive_mutex> guard(Lock());
        printer = Find(hdc, kPrinterDc) != nullptr;
    }
    return printer ? PrinterBlit(hdc, r) : MemoryBlit(hdc, r);
}

/* A blit from a memory DC's bitmap: the bitmap handed over as a DIB over its own pixels.
 * The source rectangle is in the source DC's logical units. */
BOOL BlitFromDc(HDC hdc, LONG x, LONG y, LONG w, LONG h, HDC hdcSrc, LONG xs, LONG ys, LONG ws, LONG hs, DWORD rop)
{
    BlitRequest r = {x, y, w, h, nullptr, nullptr, RECTL{0, 0, 0, 0}, rop, false, 0};
    if (!RopUsesSource(rop)) {
        return Blit(hdc, r);
    }
    BitmapInfo info = {};
    {
        std::lock_guard<std::recursive_mutex> guard(Lock());
        const Dc *src = static_cast<const Dc *>(Find(hdcSrc, kDc));
        POINTL a, b;
        if (!src || !src->bitmap || !ToDevice(src->state.mapping, POINT{xs, ys}, &a) ||
            !ToDevice(src->state.mapping, POINT{xs + ws, ys + hs}, &b)) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        const Bitmap *bitmap = src->bitmap;
        info.header.biSize = sizeof(BITMAPINFOHEADER);
        info.header.biWidth = bitmap->width;
        info.header.biHeight = bitmap->bottomUp ? bitmap->height : -bitmap->height;
        info.header.biPlanes = 1;
        info.header.biBitCount = 32;
        info.header.biCompression = BI_RGB;
        r.source = RECTL{a.x, a.y, b.x, b.y};
        r.sourceMono = bitmap->mono;
        r.sourceBk = src->state.bkColor;
        r.bits = bitmap->pixels.data(); /* the bitmap's own pixels, as the application keeps them */
    }
    r.bmi = reinterpret_cast<const BITMAPINFO *>(&info);
    return Blit(hdc, r);
}

} // namespace

extern "C" {

/* The DC's brush over a rectangle by a raster operation without source. */
BOOL WINAPI PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop)
{
    if (RopUsesSource(rop)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    BlitRequest r = {x, y, w, h, nullptr, nullptr, RECTL{0, 0, 0, 0}, rop, false, 0};
    return Blit(hdc, r);
}

BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop)
{
    return BlitFromDc(hdc, x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop);
}

BOOL WINAPI StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
                       int wSrc, int hSrc, DWORD rop)
{
    return BlitFromDc(hdcDest, xDest, yDest, wDest, hDest, hdcSrc, xSrc, ySrc, wSrc, hSrc, rop);
}

/* An application's image (DIB_RGB_COLORS) onto the DC. The source rectangle counts rows
 * from the image's first row in memory: for a bottom-up image, from its bottom. Answers
 * the rows drawn, 0 on failure. */
int WINAPI StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight, int xSrc, int ySrc, int SrcWidth,
                         int SrcHeight, const void *lpBits, const BITMAPINFO *lpbmi, UINT iUsage, DWORD rop)
{
    qme::DibLayout layout;
    if (!lpBits || !qme::ReadDibHeader(lpbmi, iUsage, &layout)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    RECTL source = {xSrc, ySrc, xSrc + SrcWidth, ySrc + SrcHeight};
    if (!layout.topDown) {
        source.top = layout.height - (ySrc + SrcHeight);
        source.bottom = layout.height - ySrc;
    }
    BlitRequest r = {xDest, yDest, DestWidth, DestHeight, lpbmi, lpBits, source, rop, false, 0};
    if (!RopUsesSource(rop)) {
        r.bmi = nullptr;
    }
    return Blit(hdc, r) ? SrcHeight : 0;
}

} // extern "C"
