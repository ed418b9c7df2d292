/*
 * The paint of a drawing call: solid colours, engine hatches, one-bit and colour patterns.
 */
#include "render/pdl/brushes/brushes.h"

#include <string.h>

#include "core/settings/function_ids.h"
#include "render/pdl/writer/pdl_writer.h"

/* Bits per pixel of a realised pattern format, 0 for a format without colour pixels. */
static DWORD brush_BitsOf(DWORD format)
{
    switch (format) {
    case BMF_4BPP: return 4;
    case BMF_8BPP: return 8;
    case BMF_24BPP: return 24;
    default: return 0;
    }
}

/* Bytes of one stored row of a realised pattern (padded to 32 bits). */
static DWORD brush_Stride(const RealizedBrush *brush, DWORD bits)
{
    return 4 * ((brush->width * bits + 31) / 32);
}

/* The stored row that is row y from the top. */
static const BYTE *brush_Row(const RealizedBrush *brush, DWORD stride, DWORD y)
{
    DWORD stored = (brush->surfaceFlags & BMF_TOPDOWN) ? y : brush->height - 1 - y;
    return (const BYTE *)(brush + 1) + (size_t)stored * stride;
}

/* Colour entry i of a realised brush (4 bytes, PAL_BGR), NULL when it has none. */
static const BYTE *brush_Entry(const RealizedBrush *brush, DWORD i)
{
    if (i >= brush->paletteCount) {
        return NULL;
    }
    return (const BYTE *)brush + brush->palettePosition + 4 * i;
}

/* A writer answer as a worker answer. */
static int brush_Written(int answer)
{
    return answer == 0 ? 1 : -1;
}

/* One colour translated and put in wire order. color: in/out, 3 bytes. Answers the
 * colour type, or 0 when the translation failed. */
static int brush_TranslateOne(DrawTarget *target, BYTE *color)
{
    int result = vec_TranslateColors(target, 0, color, 1, color);
    if (result == 1) {
        vec_ToWireOrder(color, 1);
        return COLOR_TYPE_RGB;
    }
    return result == 2 ? COLOR_TYPE_GREY : 0;
}

int vec_TranslateColors(DrawTarget *target, DWORD kind, const BYTE *in, DWORD count, BYTE *out)
{
    if (target == NULL || in == NULL || out == NULL) {
        return 0;
    }
    LONG result = drw_ConvertColors(target, kind, in, out, count);
    return result == 1 || result == 2 ? (int)result : 0;
}

int vec_SetSolidColor(DrawTarget *target, int kind, ULONG color)
{
    if (target->stampDrawing && target->stampColorWord != 0) {
        // The stamp colour is a COLORREF (red in the low byte), sent lowest byte first.
        DWORD stamp = drw_ReadSetting(target, FID_STAMP_COLOR);
        BYTE bytes[3] = {(BYTE)stamp, (BYTE)(stamp >> 8), (BYTE)(stamp >> 16)};
        int result = vec_TranslateColors(target, 0, bytes, 1, bytes);
        if (result == 0) {
            return 0;
        }
        if (result == 2) {
            bytes[1] = bytes[2] = bytes[0];
        }
        DWORD value = (DWORD)bytes[0] | (DWORD)bytes[1] << 8 | (DWORD)bytes[2] << 16;
        return brush_Written(pdl_SetPatternFromColor(target->writer, BRUSH_KIND_STAMP, value));
    }
    BYTE bytes[3] = {(BYTE)color, (BYTE)(color >> 8), (BYTE)(color >> 16)};
    int type = brush_TranslateOne(target, bytes);
    if (type == 0) {
        return 0;
    }
    return brush_Written(pdl_SetColor(target->writer, kind, type, bytes));
}

int vec_SetHatchBackground(DrawTarget *target, const BYTE *entry, int kind, ROP4 rop4)
{
    BYTE bytes[3] = {entry[0], entry[1], entry[2]};
    if ((vec_Rop3ToCode(rop4) >> 8) == ROP_CODE_NOP) {
        // A transparent background: the entry untranslated, only in wire order.
        vec_ToWireOrder(bytes, 1);
        return brush_Written(pdl_SetHatchBackground(target->writer, kind, 2, COLOR_TYPE_RGB, bytes));
    }
    int type = brush_TranslateOne(target, bytes);
    if (type == 0) {
        return 0;
    }
    return brush_Written(pdl_SetHatchBackground(target->writer, kind, 1, type, bytes));
}

int vec_SetHatch(DrawTarget *target, const BYTE *entry, int kind, ULONG style, const POINTL *origin)
{
    BYTE bytes[3] = {entry[0], entry[1], entry[2]};
    int type = brush_TranslateOne(target, bytes);
    if (type == 0) {
        return 0;
    }
    ULONG low = style & 0xFF;
    int code = low < HS_DDI_MAX ? (int)low + 2 : 1;
    int pattern = (int)(style & ~0xFFUL) | code;
    POINTL zero = {0, 0};
    return brush_Written(
        pdl_SetHatchBrush(target->writer, kind, type, pattern, origin != NULL ? origin : &zero, bytes));
}

int vec_SetMonoPattern(DrawTarget *target, int kind, const BYTE *entry, const RealizedBrush *brush,
                       const POINTL *origin)
{
    POINTL zero = {0, 0};
    const POINTL *at = origin != NULL ? origin : &zero;
    LONG values[4] = {at->x, at->y, (LONG)brush->width, (LONG)brush->height};
    if (!vec_ValuesFit16(values, 2) || brush->width > 0xFFFF || brush->height > 0xFFFF) {
        return 0;
    }
    DWORD rowBytes = (brush->width + 7) / 8;
    DWORD stride = brush_Stride(brush, 1);
    BYTE *bits = (BYTE *)GlobalAlloc(GMEM_FIXED, rowBytes * brush->height + 1);
    if (bits == NULL) {
        return 0;
    }
    for (DWORD y = 0; y < brush->height; ++y) {
        memcpy(bits + (size_t)y * rowBytes, brush_Row(brush, stride, y), rowBytes);
    }
    BYTE color[3] = {entry[0], entry[1], entry[2]};
    int result = 0;
    int type = brush_TranslateOne(target, color);
    if (type != 0) {
        result =
            brush_Written(pdl_SetMonoPattern(target->writer, at, kind, type, color, brush->width, brush->height, bits));
    }
    GlobalFree(bits);
    return result;
}

int vec_PatternToRgb(const RealizedBrush *brush, DWORD *size, BYTE *out)
{
    DWORD bits = brush != NULL ? brush_BitsOf(brush->format) : 0;
    if (bits == 0 || size == NULL || brush->width > 0xFFFF || brush->height > 0xFFFF) {
        return 0;
    }
    DWORD needed = 3 * brush->width * brush->height;
    if (out == NULL) {
        *size = needed;
        return 1;
    }
    if (*size < needed) {
        return 0;
    }
    *size = needed;
    DWORD stride = brush_Stride(brush, bits);
    BYTE *pixel = out;
    for (DWORD y = 0; y < brush->height; ++y) {
        const BYTE *row = brush_Row(brush, stride, y);
        for (DWORD x = 0; x < brush->width; ++x, pixel += 3) {
            if (bits == 24) {
                memcpy(pixel, row + 3 * x, 3);
                continue;
            }
            DWORD index = bits == 8 ? row[x] : (x & 1) ? (DWORD)(row[x / 2] & 0x0F) : (DWORD)(row[x / 2] >> 4);
            const BYTE *entry = brush_Entry(brush, index);
            if (entry == NULL) {
                return 0;
            }
            memcpy(pixel, entry, 3);
        }
    }
    return 1;
}

int vec_SetColorPattern(DrawTarget *target, const RealizedBrush *brush, int kind, const POINTL *origin)
{
    POINTL zero = {0, 0};
    const POINTL *at = origin != NULL ? origin : &zero;
    LONG extent[2] = {(LONG)brush->width, (LONG)brush->height};
    if (brush->width > 0x7FFF || brush->height > 0x7FFF || !vec_ValuesFit16(extent, 2)) {
        return 0;
    }
    DWORD size = 0;
    if (!vec_PatternToRgb(brush, &size, NULL)) {
        return 0;
    }
    BYTE *data = (BYTE *)GlobalAlloc(GMEM_FIXED, size + 1);
    if (data == NULL) {
        return 0;
    }
    int result = 0;
    DWORD count = brush->width * brush->height;
    if (vec_PatternToRgb(brush, &size, data)) {
        int translated = vec_TranslateColors(target, 0, data, count, data);
        if (translated == 1) {
            vec_ToWireOrder(data, count);
        }
        if (translated != 0) {
            int type = translated == 1 ? COLOR_TYPE_RGB : COLOR_TYPE_GREY;
            DWORD length = translated == 1 ? 3 * count : count;
            result = brush_Written(
                pdl_SetColorPattern(target->writer, at, kind, type, 8, brush->width, brush->height, 1, length, data));
        }
    }
    GlobalFree(data);
    return result;
}

int vec_SetBrush(DrawTarget *target, int kind, const POINTL *origin, BRUSHOBJ *pbo, const ROP4 *rop4)
{
    if (target == NULL || target->writer == NULL) {
        return 0;
    }
    if (pbo == NULL) {
        // Only inverting the destination needs no brush.
        if (rop4 == NULL || *rop4 != ROP4_INVERT) {
            return 0;
        }
        return brush_Written(pdl_SetRop(target->writer, 1, vec_Rop3ToCode(*rop4) & 0xFF));
    }
    ROP4 rop = rop4 != NULL ? *rop4 : 0;
    if (rop4 != NULL && pdl_SetRop(target->writer, 1, vec_Rop3ToCode(rop) & 0xFF) != 0) {
        return -1;
    }
    if (pbo->iSolidColor != 0xFFFFFFFF) {
        return vec_SetSolidColor(target, kind, pbo->iSolidColor);
    }
    const RealizedBrush *brush = (const RealizedBrush *)BRUSHOBJ_pvGetRbrush(pbo);
    if (brush == NULL) {
        return 0;
    }
    const BYTE *first = brush_Entry(brush, 0);
    const BYTE *second = brush_Entry(brush, 1);
    if (brush->hatch < HS_DDI_MAX) {
        // The engine's hatch translation is {lines, background}.
        if (first == NULL || second == NULL) {
            return 0;
        }
        int result = vec_SetHatchBackground(target, second, kind, rop);
        return result != 1 ? result : vec_SetHatch(target, first, kind, brush->hatch, origin);
    }
    if (brush->format == BMF_1BPP) {
        if (first == NULL || second == NULL) {
            return 0;
        }
        int result = vec_SetHatchBackground(target, second, kind, rop);
        return result != 1 ? result : vec_SetMonoPattern(target, kind, first, brush, origin);
    }
    if (brush_BitsOf(brush->format) == 0) {
        return 0;
    }
    return vec_SetColorPattern(target, brush, kind, origin);
}
