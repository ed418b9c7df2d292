/*
 * Option icons: an icon DIB of the description data (colour image over the AND mask)
 * turned into an icon, with a logical palette for 256-colour images.
 */
#include "core/handlers/setting_handlers.h"

#include "core/util/global_block.h"

#include <string.h>

enum { CORE_HEADER = 12, INFO_HEADER = 40, MAX_ICON_SIDE = 32, MAX_COLORS = 256, PALETTE_VERSION = 0x300 };

/* An icon DIB's header and colour table, checked and copied aligned, the height halved. */
typedef struct IconDib {
    LONG width;
    LONG rows; /* of each half */
    WORD bits;
    DWORD colors;
    DWORD entryBytes;  /* 3 (core header) or 4 */
    DWORD headerBytes; /* header and colour table */
    const BYTE *image; /* colour rows, bottom row first */
    const BYTE *mask;  /* AND rows, bottom row first */
    DWORD imageStride;
    DWORD maskStride;
    union {
        BITMAPINFO info;
        BYTE bytes[INFO_HEADER + MAX_COLORS * sizeof(RGBQUAD)];
    } copy;
} IconDib;

/*
 * Checks an icon DIB before anything is made of it: a 12- or 40-byte header, one plane,
 * width 1-32, half height 1-32, 1, 4 or 8 bits without compression, and the colour
 * table and both halves inside length. Fills dib with an aligned copy of the header and
 * table whose height is one half. Returns 1, or 0 for a DIB to refuse.
 */
static BOOL ico_Check(const BYTE *bytes, DWORD length, IconDib *dib)
{
    DWORD headerSize = 0;
    if (!bytes || length < sizeof(DWORD)) {
        return FALSE;
    }
    memcpy(&headerSize, bytes, sizeof(DWORD));
    if ((headerSize != CORE_HEADER && headerSize != INFO_HEADER) || length < headerSize) {
        return FALSE;
    }
    WORD planes = 0;
    LONG height = 0;
    DWORD used = 0;
    if (headerSize == CORE_HEADER) {
        BITMAPCOREHEADER core;
        memcpy(&core, bytes, sizeof(core));
        dib->width = core.bcWidth;
        height = core.bcHeight;
        planes = core.bcPlanes;
        dib->bits = core.bcBitCount;
        dib->entryBytes = sizeof(RGBTRIPLE);
    } else {
        BITMAPINFOHEADER info;
        memcpy(&info, bytes, sizeof(info));
        if (info.biCompression != BI_RGB) {
            return FALSE;
        }
        dib->width = info.biWidth;
        height = info.biHeight;
        planes = info.biPlanes;
        dib->bits = info.biBitCount;
        dib->entryBytes = sizeof(RGBQUAD);
        used = info.biClrUsed;
    }
    dib->rows = height / 2;
    if (planes != 1 || dib->width < 1 || dib->width > MAX_ICON_SIDE || dib->rows < 1 || dib->rows > MAX_ICON_SIDE ||
        (dib->bits != 1 && dib->bits != 4 && dib->bits != 8)) {
        return FALSE;
    }
    DWORD full = 1u << dib->bits;
    if (used > full) {
        return FALSE;
    }
    dib->colors = used ? used : full;
    dib->headerBytes = headerSize + dib->colors * dib->entryBytes;
    dib->imageStride = (((DWORD)dib->width * dib->bits + 31) / 32) * 4;
    dib->maskStride = (((DWORD)dib->width + 31) / 32) * 4;
    DWORD total = dib->headerBytes + (dib->imageStride + dib->maskStride) * (DWORD)dib->rows;
    if (total > length) {
        return FALSE;
    }
    memcpy(dib->copy.bytes, bytes, dib->headerBytes);
    if (headerSize == CORE_HEADER) {
        WORD half = (WORD)dib->rows;
        memcpy(dib->copy.bytes + offsetof(BITMAPCOREHEADER, bcHeight), &half, sizeof(half));
    } else {
        dib->copy.info.bmiHeader.biHeight = dib->rows;
    }
    dib->image = bytes + dib->headerBytes;
    dib->mask = dib->image + dib->imageStride * (DWORD)dib->rows;
    return TRUE;
}

/* Colour-table entry i as red, green, blue. */
static void ico_TableColor(const IconDib *dib, DWORD i, PALETTEENTRY *entry)
{
    const BYTE *e = dib->copy.bytes + (dib->headerBytes - dib->colors * dib->entryBytes) + i * dib->entryBytes;
    entry->peBlue = e[0];
    entry->peGreen = e[1];
    entry->peRed = e[2];
    entry->peFlags = 0;
}

/* A logical palette of the DIB's 256 colours, selected and realised in dc. previous: out.
 * Returns the palette, or NULL (nothing left selected) on failure. */
static HPALETTE ico_RealizePalette(HDC dc, const IconDib *dib, HPALETTE *previous)
{
    DWORD bytes = sizeof(LOGPALETTE) + (MAX_COLORS - 1) * sizeof(PALETTEENTRY);
    LOGPALETTE *logical = (LOGPALETTE *)util_GlobalAllocZero(bytes);
    if (!logical) {
        return nullptr;
    }
    logical->palVersion = PALETTE_VERSION;
    logical->palNumEntries = MAX_COLORS;
    for (DWORD i = 0; i < MAX_COLORS; ++i) {
        ico_TableColor(dib, i, &logical->palPalEntry[i]);
    }
    HPALETTE palette = CreatePalette(logical);
    GlobalFree(logical);
    if (!palette) {
        return nullptr;
    }
    *previous = SelectPalette(dc, palette, FALSE);
    if (!*previous) {
        DeleteObject(palette);
        return nullptr;
    }
    if (RealizePalette(dc) == GDI_ERROR) {
        SelectPalette(dc, *previous, FALSE);
        *previous = nullptr;
        DeleteObject(palette);
        return nullptr;
    }
    return palette;
}

/* The colour plane in the display's format (new global block) and its depth. NULL on failure. */
static BYTE *ico_ColorPlane(HDC dc, const IconDib *dib, BYTE *bitsPixel)
{
    int depth = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
    if (depth <= 0 || depth > 32) {
        return nullptr;
    }
    HBITMAP bitmap = CreateDIBitmap(dc, &dib->copy.info.bmiHeader, 0, nullptr, nullptr, DIB_RGB_COLORS);
    if (!bitmap) {
        return nullptr;
    }
    LONG bytes = (LONG)(((dib->width * depth + 15) / 16) * 2 * dib->rows);
    BYTE *plane = (BYTE *)util_GlobalAllocZero((DWORD)bytes);
    BOOL ok = plane && SetDIBits(dc, bitmap, 0, (UINT)dib->rows, dib->image, &dib->copy.info, DIB_RGB_COLORS) != 0 &&
              GetBitmapBits(bitmap, bytes, plane) == bytes;
    DeleteObject(bitmap);
    if (!ok) {
        util_GlobalFreeIfSet(plane);
        return nullptr;
    }
    *bitsPixel = (BYTE)depth;
    return plane;
}

/* The AND plane in the icon's row order (top row first, WORD-aligned rows). NULL when out of memory. */
static BYTE *ico_MaskPlane(const IconDib *dib)
{
    DWORD stride = (((DWORD)dib->width + 15) / 16) * 2;
    BYTE *plane = (BYTE *)util_GlobalAllocZero(stride * (DWORD)dib->rows);
    if (!plane) {
        return nullptr;
    }
    for (LONG row = 0; row < dib->rows; ++row) {
        memcpy(plane + row * stride, dib->mask + (dib->rows - 1 - row) * dib->maskStride, stride);
    }
    return plane;
}

BOOL WINAPI opt_CreateIconFromDib(HINSTANCE instance, const BITMAPINFO *dib, DWORD dibBytes, HICON *icon,
                                  HPALETTE *palette)
{
    if (!icon || !palette) {
        return FALSE;
    }
    *icon = nullptr;
    *palette = nullptr;
    IconDib checked;
    if (!ico_Check((const BYTE *)dib, dibBytes, &checked)) {
        return FALSE;
    }
    HDC dc = CreateDCW(TEXT("DISPLAY"), nullptr, nullptr, nullptr);
    if (!dc) {
        return FALSE;
    }
    HPALETTE previous = nullptr;
    HPALETTE made = nullptr;
    BOOL ok = TRUE;
    if (checked.colors == MAX_COLORS) {
        made = ico_RealizePalette(dc, &checked, &previous);
        ok = made != nullptr;
    }
    BYTE depth = 0;
    BYTE *colorPlane = ok ? ico_ColorPlane(dc, &checked, &depth) : nullptr;
    BYTE *maskPlane = colorPlane ? ico_MaskPlane(&checked) : nullptr;
    if (maskPlane) {
        *icon = CreateIcon(instance, checked.width, checked.rows, 1, depth, maskPlane, colorPlane);
    }
    util_GlobalFreeIfSet(colorPlane);
    util_GlobalFreeIfSet(maskPlane);
    if (previous) {
        SelectPalette(dc, previous, FALSE);
    }
    DeleteDC(dc);
    if (!*icon) {
        if (made) {
            DeleteObject(made);
        }
        return FALSE;
    }
    *palette = made;
    return TRUE;
}
