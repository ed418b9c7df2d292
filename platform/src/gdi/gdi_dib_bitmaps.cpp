/*
 * Device-dependent bitmaps of the display made from DIBs: CreateDIBitmap, SetDIBits and
 * GetBitmapBits. DIBs of 1, 4, 8, 24 and 32 bits without compression, with an info header
 * (40 bytes or more) or a core header (12 bytes); colours from the DIB's table
 * (DIB_RGB_COLORS) or from the DC's palette (DIB_PAL_COLORS).
 */
#include "platform/src/gdi/gdi_private.h"

#include <cstring>

namespace qmg {

/* The parts of a DIB header the conversion needs. */
struct DibShape {
    LONG width;
    LONG height; /* rows */
    bool bottomUp;
    WORD bits;
    DWORD colors;     /* entries of the colour table */
    DWORD entryBytes; /* 4 (RGBQUAD), 3 (RGBTRIPLE) or 2 (palette index) */
    const BYTE *table;
};

/* Reads a DIB header; false for a header, depth or compression this layer does not take. */
static bool ReadShape(const BITMAPINFO *info, UINT usage, DibShape *shape)
{
    if (!info) {
        return false;
    }
    const BYTE *bytes = reinterpret_cast<const BYTE *>(info);
    DWORD size = info->bmiHeader.biSize;
    DWORD used = 0;
    if (size == sizeof(BITMAPCOREHEADER)) {
        const BITMAPCOREHEADER *core = reinterpret_cast<const BITMAPCOREHEADER *>(info);
        shape->width = core->bcWidth;
        shape->height = core->bcHeight;
        shape->bottomUp = true;
        shape->bits = core->bcBitCount;
        shape->entryBytes = 3;
    } else if (size >= sizeof(BITMAPINFOHEADER)) {
        const BITMAPINFOHEADER *h = &info->bmiHeader;
        if (h->biCompression != BI_RGB) {
            return false;
        }
        shape->width = h->biWidth;
        shape->bottomUp = h->biHeight > 0;
        shape->height = h->biHeight > 0 ? h->biHeight : -h->biHeight;
        shape->bits = h->biBitCount;
        shape->entryBytes = 4;
        used = h->biClrUsed;
    } else {
        return false;
    }
    if (shape->width <= 0 || shape->height <= 0) {
        return false;
    }
    switch (shape->bits) {
    case 1:
    case 4:
    case 8: shape->colors = used && used < (1u << shape->bits) ? used : (1u << shape->bits); break;
    case 24:
    case 32: shape->colors = 0; break;
    default: return false;
    }
    if (usage == DIB_PAL_COLORS) {
        shape->entryBytes = 2;
    } else if (usage != DIB_RGB_COLORS) {
        return false;
    }
    shape->table = bytes + size;
    return true;
}

/* The colour (0x00RRGGBB) of pixel x of a DIB row. */
static DWORD PixelAt(const DibShape &shape, const BYTE *row, LONG x, const Palette *palette)
{
    if (shape.bits == 24 || shape.bits == 32) {
        const BYTE *p = row + x * (shape.bits / 8);
        return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16);
    }
    DWORD bitOffset = (DWORD)x * shape.bits;
    BYTE byte = row[bitOffset / 8];
    DWORD index = (byte >> (8 - shape.bits - bitOffset % 8)) & ((1u << shape.bits) - 1);
    if (index >= shape.colors) {
        return 0;
    }
    const BYTE *entry = shape.table + index * shape.entryBytes;
    if (shape.entryBytes == 2) {
        WORD slot = (WORD)(entry[0] | (entry[1] << 8));
        if (!palette || slot >= palette->entries.size()) {
            return 0;
        }
        const PALETTEENTRY &pe = palette->entries[slot];
        return (DWORD)pe.peBlue | ((DWORD)pe.peGreen << 8) | ((DWORD)pe.peRed << 16);
    }
    return (DWORD)entry[0] | ((DWORD)entry[1] << 8) | ((DWORD)entry[2] << 16);
}

/* Copies DIB rows start..start+lines-1 (counted from the DIB's first stored row) into the
 * bitmap. Returns the rows copied. */
static int CopyRows(Bitmap *bitmap, const Dc *dc, UINT start, UINT lines, const void *bits, const DibShape &shape)
{
    DWORD stride = (((DWORD)shape.width * shape.bits + 31) / 32) * 4;
    LONG columns = shape.width < bitmap->width ? shape.width : bitmap->width;
    int copied = 0;
    for (UINT i = 0; i < lines && start + i < (UINT)shape.height; ++i) {
        UINT stored = start + i;
        LONG y = shape.bottomUp ? shape.height - 1 - (LONG)stored : (LONG)stored;
        if (y >= bitmap->height) {
            continue;
        }
        const BYTE *row = static_cast<const BYTE *>(bits) + (size_t)i * stride;
        for (LONG x = 0; x < columns; ++x) {
            PixelOf(bitmap, x, y) = PixelAt(shape, row, x, dc ? dc->palette : nullptr);
        }
        ++copied;
    }
    return copied;
}

} // namespace qmg

using namespace qmg;

extern "C" {

/* Sets rows of a bitmap from a DIB. Returns the rows copied, 0 on failure. */
int WINAPI SetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, const void *lpBits, const BITMAPINFO *lpbmi,
                     UINT ColorUse)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Bitmap *bitmap = static_cast<Bitmap *>(Find(hbm, kBitmap));
    const Dc *dc = static_cast<const Dc *>(Find(hdc, kDc));
    DibShape shape;
    if (!bitmap || bitmap->stock || !lpBits || !ReadShape(lpbmi, ColorUse, &shape) ||
        (ColorUse == DIB_PAL_COLORS && !dc)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return CopyRows(bitmap, dc, start, cLines, lpBits, shape);
}

/* A display bitmap of the header's size; with CBM_INIT its pixels from the DIB. */
HBITMAP WINAPI CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER *pbmih, DWORD flInit, const void *pjBits,
                              const BITMAPINFO *pbmi, UINT iUsage)
{
    CountCall();
    DibShape shape;
    if (!pbmih || !ReadShape(reinterpret_cast<const BITMAPINFO *>(pbmih), DIB_RGB_COLORS, &shape) ||
        (hdc && !Find(hdc, kDc))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Bitmap *bitmap = new Bitmap();
    bitmap->kind = kBitmap;
    bitmap->stock = false;
    bitmap->width = shape.width;
    bitmap->height = shape.height;
    bitmap->pixels.assign((size_t)shape.width * shape.height, 0);
    if (!Register(bitmap)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    HBITMAP handle = reinterpret_cast<HBITMAP>(bitmap);
    if ((flInit & CBM_INIT) && pjBits && SetDIBits(hdc, handle, 0, (UINT)shape.height, pjBits, pbmi, iUsage) == 0) {
        DeleteObject(handle);
        return nullptr;
    }
    return handle;
}

/* Copies up to cb bytes of the bitmap's pixels (rows top first, 4 bytes a pixel). Returns
 * the bytes copied, 0 for an unknown bitmap or no buffer. */
LONG WINAPI GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Bitmap *bitmap = static_cast<Bitmap *>(Find(hbit, kBitmap));
    if (!bitmap || !lpvBits || cb <= 0) {
        return 0;
    }
    LONG total = (LONG)(bitmap->pixels.size() * sizeof(DWORD));
    LONG n = cb < total ? cb : total;
    BYTE *out = static_cast<BYTE *>(lpvBits);
    for (LONG at = 0; at < n; at += 4) {
        LONG pixel = at / 4;
        DWORD value = PixelOf(bitmap, pixel % bitmap->width, pixel / bitmap->width);
        std::memcpy(out + at, &value, (size_t)(n - at < 4 ? n - at : 4));
    }
    return n;
}

} // extern "C"
