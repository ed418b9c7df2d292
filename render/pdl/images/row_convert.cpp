/*
 * Row conversion of source bitmaps into image rows, mask rows and white-mask rows.
 */
#include "render/pdl/images/row_convert.h"

#include <string.h>

#include "render/pdl/images/reducer.h"

/* Bits a pixel by bitmap format, BMF_1BPP to BMF_32BPP. */
static const DWORD kFormatBits[] = {0, 1, 4, 8, 16, 24, 32};

DWORD img_BitmapBits(ULONG format)
{
    return format < sizeof(kFormatBits) / sizeof(kFormatBits[0]) ? kFormatBits[format] : 0;
}

enum XlateClass img_ClassifyXlate(XLATEOBJ *pxlo, DWORD bits)
{
    if (bits <= 8) {
        return XLATE_INDICES;
    }
    if (bits == 16) {
        return XLATE_EACH;
    }
    ULONG blue = XLATEOBJ_iXlate(pxlo, 0xFF);
    ULONG green = XLATEOBJ_iXlate(pxlo, 0xFF00);
    ULONG red = XLATEOBJ_iXlate(pxlo, 0xFF0000);
    ULONG top = XLATEOBJ_iXlate(pxlo, 0xFF000000);
    if (blue == 0xFF0000 && green == 0xFF00 && red == 0xFF && top == 0) {
        return XLATE_REVERSE;
    }
    if (blue == 0xFF && green == 0xFF00 && red == 0xFF0000 && (top == 0 || top == 0xFF000000)) {
        if (bits == 32) {
            return XLATE_FIRST_THREE;
        }
        return top == 0xFF000000 ? XLATE_COPY : XLATE_EACH;
    }
    return XLATE_EACH;
}

// row_Shift: bytes bytes of a row starting shift bits into src (available bytes readable)
// moved to byte alignment.
static void row_Shift(const BYTE *src, DWORD shift, DWORD available, DWORD bytes, BYTE *out)
{
    for (DWORD k = 0; k < bytes; ++k) {
        BYTE next = k + 1 < available ? src[k + 1] : 0;
        out[k] = (BYTE)((src[k] << shift) | (next >> (8 - shift)));
    }
}

// row_ClearPadding: the bits past width pixels of bits each in the row's last byte cleared,
// so padding never carries neighbouring pixels into the stream.
static void row_ClearPadding(BYTE *row, DWORD width, DWORD bits)
{
    DWORD used = (width * bits) % 8;
    if (used != 0) {
        row[(width * bits) / 8] &= (BYTE)(0xFF << (8 - used));
    }
}

// row_Source: the aligned source row j: in place, or shifted into scratch.
static const BYTE *row_Source(const SURFOBJ *pso, LONG x, LONG y, DWORD j, DWORD width, DWORD bits, BYTE *scratch)
{
    const BYTE *line = (const BYTE *)pso->pvScan0 + (LONG_PTR)(y + (LONG)j) * pso->lDelta;
    ULONGLONG bitOffset = (ULONGLONG)x * bits;
    const BYTE *start = line + bitOffset / 8;
    DWORD shift = (DWORD)(bitOffset % 8);
    if (shift == 0) {
        return start;
    }
    DWORD bytes = (width * bits + 7) / 8;
    DWORD available = (shift + width * bits + 7) / 8;
    row_Shift(start, shift, available, bytes, scratch);
    return scratch;
}

// row_Pixel: pixel i of an aligned row of depth 16, 24 or 32 as a colour value.
static ULONG row_Pixel(const BYTE *row, DWORD i, DWORD bits)
{
    switch (bits) {
    case 16: return (ULONG)row[i * 2] | ((ULONG)row[i * 2 + 1] << 8);
    case 24: return (ULONG)row[i * 3] | ((ULONG)row[i * 3 + 1] << 8) | ((ULONG)row[i * 3 + 2] << 16);
    default:
        return (ULONG)row[i * 4] | ((ULONG)row[i * 4 + 1] << 8) | ((ULONG)row[i * 4 + 2] << 16) |
               ((ULONG)row[i * 4 + 3] << 24);
    }
}

// row_Colour: one aligned source row as colour output.
static void row_Colour(const BYTE *in, BYTE *out, DWORD width, DWORD bits, enum XlateClass cls, BOOL widen,
                       XLATEOBJ *pxlo)
{
    DWORD step = bits / 8;
    switch (cls) {
    case XLATE_INDICES:
        if (widen) {
            for (DWORD i = 0; i < width; ++i) {
                out[i] = (BYTE)((i & 1) ? (in[i / 2] & 0x0F) : (in[i / 2] >> 4));
            }
        } else {
            memcpy(out, in, (width * bits + 7) / 8);
            row_ClearPadding(out, width, bits);
        }
        return;
    case XLATE_COPY: memcpy(out, in, (SIZE_T)width * 3); return;
    case XLATE_REVERSE:
        for (DWORD i = 0; i < width; ++i) {
            out[i * 3] = in[i * step + 2];
            out[i * 3 + 1] = in[i * step + 1];
            out[i * 3 + 2] = in[i * step];
        }
        return;
    case XLATE_FIRST_THREE:
        for (DWORD i = 0; i < width; ++i) {
            memcpy(out + i * 3, in + i * step, 3);
        }
        return;
    case XLATE_EACH:
        for (DWORD i = 0; i < width; ++i) {
            ULONG colour = XLATEOBJ_iXlate(pxlo, row_Pixel(in, i, bits));
            out[i * 3] = (BYTE)colour;
            out[i * 3 + 1] = (BYTE)(colour >> 8);
            out[i * 3 + 2] = (BYTE)(colour >> 16);
        }
        return;
    }
}

// row_IsWhite: pixel i of an aligned row of depth 4 and up is white.
static BOOL row_IsWhite(const BYTE *in, DWORD i, DWORD bits, enum XlateClass cls, XLATEOBJ *pxlo)
{
    ULONG colour;
    if (bits == 4) {
        colour = XLATEOBJ_iXlate(pxlo, (i & 1) ? (in[i / 2] & 0x0F) : (in[i / 2] >> 4));
    } else if (bits == 8) {
        colour = XLATEOBJ_iXlate(pxlo, in[i]);
    } else if (bits == 24 && (cls == XLATE_COPY || cls == XLATE_REVERSE)) {
        colour = row_Pixel(in, i, 24);
    } else {
        colour = XLATEOBJ_iXlate(pxlo, row_Pixel(in, i, bits));
    }
    return (colour & 0xFFFFFF) == 0xFFFFFF;
}

// row_WhiteMask: one aligned source row as a white-mask row.
static void row_WhiteMask(const BYTE *in, BYTE *out, DWORD width, DWORD bits, enum XlateClass cls, XLATEOBJ *pxlo)
{
    DWORD bytes = (width + 7) / 8;
    if (bits == 1) {
        memcpy(out, in, bytes);
        row_ClearPadding(out, width, 1);
        return;
    }
    memset(out, 0, bytes);
    for (DWORD i = 0; i < width; ++i) {
        if (row_IsWhite(in, i, bits, cls, pxlo)) {
            out[i / 8] |= (BYTE)(0x80 >> (i % 8));
        }
    }
}

void img_FreeRows(ConvertedRows *rows)
{
    if (rows == NULL || rows->handle == NULL) {
        return;
    }
    GlobalUnlock(rows->handle);
    GlobalFree(rows->handle);
    rows->handle = NULL;
    rows->data = NULL;
}

LONG img_ConvertRows(const SURFOBJ *pso, LONG x, LONG y, DWORD width, DWORD height, XLATEOBJ *pxlo, DWORD mode,
                     Reducer *reducer, DWORD method, ConvertedRows *rows)
{
    if (rows == NULL) {
        return -1;
    }
    memset(rows, 0, sizeof(*rows));
    DWORD bits = pso != NULL ? img_BitmapBits(pso->iBitmapFormat) : 0;
    if (bits == 0 || pso->pvScan0 == NULL || width == 0 || height == 0 || x < 0 || y < 0) {
        return -1;
    }
    enum XlateClass cls = img_ClassifyXlate(pxlo, bits);
    BOOL widen = mode == IMG_ROWS_COLOUR && bits == 4 && method != 1;
    BOOL reduce =
        mode == IMG_ROWS_COLOUR && bits > 8 && reducer != NULL && reducer->enabled == 1 && reducer->down != NULL;
    DWORD outBits = mode == IMG_ROWS_WHITE_MASK ? 1 : (bits > 8 ? 24 : (widen ? 8 : bits));
    rows->width = reduce ? reducer->reducedWidth : width;
    rows->height = reduce ? reducer->reducedHeight : height;
    rows->bits = outBits;
    rows->rowBytes = (DWORD)(((ULONGLONG)rows->width * outBits + 7) / 8);
    ULONGLONG total = (ULONGLONG)rows->rowBytes * rows->height + (widen ? 1 : 0);
    if (total > 0x7FFFFFFF) {
        return -2;
    }
    rows->bytes = (DWORD)total;

    // At most three row-sized scratch buffers: the shifted source row and, when reducing,
    // the converted full-width row.
    BYTE *shifted = (BYTE *)GlobalAlloc(GMEM_FIXED, (width * bits + 7) / 8 + 1);
    BYTE *full = reduce ? (BYTE *)GlobalAlloc(GMEM_FIXED, (SIZE_T)width * 3) : NULL;
    rows->handle = GlobalAlloc(GHND, rows->bytes);
    rows->data = rows->handle != NULL ? (BYTE *)GlobalLock(rows->handle) : NULL;
    LONG result = 0;
    if (shifted == NULL || (reduce && full == NULL) || rows->data == NULL) {
        result = -2;
    }
    DWORD produced = 0;
    for (DWORD j = 0; j < height && result == 0; ++j) {
        const BYTE *in = row_Source(pso, x, y, j, width, bits, shifted);
        if (mode == IMG_ROWS_WHITE_MASK) {
            row_WhiteMask(in, rows->data + (SIZE_T)j * rows->rowBytes, width, bits, cls, pxlo);
            continue;
        }
        if (!reduce) {
            row_Colour(in, rows->data + (SIZE_T)j * rows->rowBytes, width, bits, cls, widen, pxlo);
            continue;
        }
        row_Colour(in, full, width, bits, cls, FALSE, pxlo);
        LONG got = img_ReduceRow(reducer, full);
        if (got < 0) {
            result = -1; // a reducer error fails the image: no row is ever skipped
        } else if (got == 1 && produced < rows->height) {
            memcpy(rows->data + (SIZE_T)produced * rows->rowBytes, reducer->output, rows->rowBytes);
            ++produced;
        }
    }
    if (result == 0 && reduce && produced != rows->height) {
        result = -1;
    }
    if (shifted != NULL) {
        GlobalFree(shifted);
    }
    if (full != NULL) {
        GlobalFree(full);
    }
    if (result != 0) {
        if (rows->handle != NULL && rows->data == NULL) {
            GlobalFree(rows->handle);
            rows->handle = NULL;
        }
        img_FreeRows(rows);
        memset(rows, 0, sizeof(*rows));
    }
    return result;
}

void img_CopyMaskRows(const SURFOBJ *mask, LONG x, LONG y, DWORD width, DWORD height, BYTE *out)
{
    DWORD bytes = (width + 7) / 8;
    for (DWORD j = 0; j < height; ++j) {
        const BYTE *line = (const BYTE *)mask->pvScan0 + (LONG_PTR)(y + (LONG)j) * mask->lDelta;
        const BYTE *start = line + x / 8;
        DWORD shift = (DWORD)(x % 8);
        BYTE *row = out + (SIZE_T)j * bytes;
        if (shift == 0) {
            memcpy(row, start, bytes);
        } else {
            row_Shift(start, shift, (shift + width + 7) / 8, bytes, row);
        }
        row_ClearPadding(row, width, 1);
    }
}

void img_ReverseTriples(BYTE *data, DWORD count)
{
    for (DWORD i = 0; i < count; ++i) {
        BYTE *pixel = data + (SIZE_T)i * 3;
        BYTE first = pixel[0];
        pixel[0] = pixel[2];
        pixel[2] = first;
    }
}
