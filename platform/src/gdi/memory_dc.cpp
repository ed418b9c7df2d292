/*
 * Memory DCs and their bitmaps: CreateCompatibleDC over the stock 1 x 1 monochrome bitmap,
 * compatible, monochrome and DIB-section bitmaps of 32 bits a pixel, one memory DC per
 * bitmap, and single pixels.
 */
#include "platform/src/gdi/gdi_private.h"

using namespace qmg;

namespace qmg {

DWORD &PixelOf(Bitmap *bitmap, LONG x, LONG y)
{
    LONG row = bitmap->bottomUp ? bitmap->height - 1 - y : y;
    return bitmap->pixels[(size_t)row * (size_t)bitmap->width + (size_t)x];
}

Bitmap *StockBitmap()
{
    static Bitmap *stock = [] {
        Bitmap *b = new Bitmap();
        b->kind = kBitmap;
        b->stock = true;
        b->width = 1;
        b->height = 1;
        b->pixels.assign(1, 0x00FFFFFF);
        b->mono = true;
        return b;
    }();
    return stock;
}

HBITMAP SelectBitmap(Dc *dc, Bitmap *bitmap)
{
    if (!dc->bitmap || (!bitmap->stock && bitmap->selectedInto && bitmap->selectedInto != dc)) {
        return nullptr;
    }
    Bitmap *previous = dc->bitmap;
    if (!previous->stock) {
        previous->selectedInto = nullptr;
    }
    if (!bitmap->stock) {
        bitmap->selectedInto = dc;
    }
    dc->bitmap = bitmap;
    return reinterpret_cast<HBITMAP>(previous);
}

} // namespace qmg

namespace {

/* A new bitmap of the size, white; NULL when refused. */
HBITMAP NewBitmap(LONG width, LONG height, bool mono, bool bottomUp)
{
    if (width <= 0 || height <= 0 || (unsigned long long)width * (unsigned long long)height > kMaxBitmapPixels) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Bitmap *b = new Bitmap();
    b->kind = kBitmap;
    b->stock = false;
    b->width = width;
    b->height = height;
    b->pixels.assign((size_t)width * (size_t)height, mono ? 0x00FFFFFF : 0);
    b->mono = mono;
    b->bottomUp = bottomUp;
    if (!Register(b)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return reinterpret_cast<HBITMAP>(b);
}

/* The memory DC of a handle and its bitmap pixel at a logical point, or NULL. */
DWORD *PixelAt(HDC hdc, int x, int y, Bitmap **bitmap)
{
    Dc *dc = static_cast<Dc *>(Find(hdc, kDc));
    POINTL d;
    if (!dc || !dc->bitmap || !ToDevice(dc->state.mapping, POINT{x, y}, &d)) {
        return nullptr;
    }
    if (d.x < 0 || d.y < 0 || d.x >= dc->bitmap->width || d.y >= dc->bitmap->height) {
        return nullptr;
    }
    *bitmap = dc->bitmap;
    return &PixelOf(dc->bitmap, d.x, d.y);
}

COLORREF ToColorRef(DWORD bgr)
{
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

} // namespace

extern "C" {

/* A memory DC for drawing into bitmaps, of the display's kind whatever DC is given. */
HDC WINAPI CreateCompatibleDC(HDC hdc)
{
    CountCall();
    if (hdc && !Find(hdc, kDc) && !Find(hdc, kPrinterDc) && !IsDisplayDC(hdc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return NewDc(StockBitmap());
}

/* A bitmap for the DC: monochrome for a memory DC holding a monochrome bitmap, else of 32
 * bits a pixel (printer DCs included: the pixels are the application's to hand over). */
HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    const Dc *dc = static_cast<const Dc *>(Find(hdc, kDc));
    if (!dc && !Find(hdc, kPrinterDc) && !IsDisplayDC(hdc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return NewBitmap(cx, cy, dc && dc->bitmap && dc->bitmap->mono, false);
}

/* One plane of 1 or 32 bits a pixel; lpBits (rows of WORD-aligned bytes for 1 bit, 4 bytes a
 * pixel for 32) fills it. */
HBITMAP WINAPI CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void *lpBits)
{
    CountCall();
    if (nPlanes != 1 || (nBitCount != 1 && nBitCount != 32)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::lock_guard<std::recursive_mutex> guard(Lock());
    HBITMAP handle = NewBitmap(nWidth, nHeight, nBitCount == 1, false);
    if (!handle || !lpBits) {
        return handle;
    }
    Bitmap *b = reinterpret_cast<Bitmap *>(handle);
    const BYTE *bytes = static_cast<const BYTE *>(lpBits);
    size_t stride = nBitCount == 1 ? (((size_t)nWidth + 15) / 16) * 2 : (size_t)nWidth * 4;
    for (LONG y = 0; y < b->height; ++y) {
        const BYTE *row = bytes + stride * (size_t)y;
        for (LONG x = 0; x < b->width; ++x) {
            if (nBitCount == 1) {
                PixelOf(b, x, y) = ((row[x >> 3] >> (7 - (x & 7))) & 1) ? 0x00FFFFFF : 0;
            } else {
                PixelOf(b, x, y) = (DWORD)row[4 * x] | ((DWORD)row[4 * x + 1] << 8) | ((DWORD)row[4 * x + 2] << 16);
            }
        }
    }
    return handle;
}

/* A DIB section of 32 bits a pixel (BI_RGB, DIB_RGB_COLORS): its pixels through ppvBits,
 * rows in the header's order. Other depths are refused. */
HBITMAP WINAPI CreateDIBSection(HDC hdc, const BITMAPINFO *pbmi, UINT usage, void **ppvBits, HANDLE hSection,
                                DWORD offset)
{
    CountCall();
    (void)hdc;
    if (ppvBits) {
        *ppvBits = nullptr;
    }
    if (!pbmi || usage != DIB_RGB_COLORS || hSection || offset || pbmi->bmiHeader.biSize < sizeof(BITMAPINFOHEADER) ||
        pbmi->bmiHeader.biBitCount != 32 || pbmi->bmiHeader.biCompression != BI_RGB ||
        pbmi->bmiHeader.biHeight == LONG(0x80000000)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    LONG height = pbmi->bmiHeader.biHeight;
    std::lock_guard<std::recursive_mutex> guard(Lock());
    HBITMAP handle = NewBitmap(pbmi->bmiHeader.biWidth, height < 0 ? -height : height, false, height > 0);
    if (handle && ppvBits) {
        *ppvBits = reinterpret_cast<Bitmap *>(handle)->pixels.data();
    }
    return handle;
}

/* The pixel of a memory DC's bitmap; CLR_INVALID outside it or for another DC. */
COLORREF WINAPI GetPixel(HDC hdc, int x, int y)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Bitmap *bitmap = nullptr;
    DWORD *pixel = PixelAt(hdc, x, y, &bitmap);
    return pixel ? ToColorRef(*pixel) : CLR_INVALID;
}

/* Sets a pixel of a memory DC's bitmap (a monochrome one: white for white, else black); the
 * colour set, or CLR_INVALID. */
COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Bitmap *bitmap = nullptr;
    DWORD *pixel = PixelAt(hdc, x, y, &bitmap);
    if (!pixel) {
        return CLR_INVALID;
    }
    DWORD bgr = (DWORD)GetBValue(color) | ((DWORD)GetGValue(color) << 8) | ((DWORD)GetRValue(color) << 16);
    *pixel = bitmap->mono ? ((bgr == 0x00FFFFFF) ? 0x00FFFFFF : 0) : bgr;
    return ToColorRef(*pixel);
}

} // extern "C"
