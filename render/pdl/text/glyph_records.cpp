/*
 * Downloaded glyphs: bitmap and outline glyph records built from the engine's glyphs,
 * sent once into the printer memory and drawn by address, or without a memory model sent
 * with a position record each time.
 *
 * A record is as long as its header says: its size is worked out from the counts before
 * anything is written, so the header, the bytes written and the printer memory reserved
 * agree, the extra points and operations of the page hook and of bold simulation
 * included. A glyph whose record does not fit its header fields goes the other way
 * (bitmap or outline); when neither fits the call fails before writing.
 */
#include "render/pdl/text/text_private.h"

#include <string.h>

#include "core/settings/function_ids.h"
#include "render/pdl/compression/compress_component.h"
#include "render/pdl/writer/pdl_writer.h"

/* Glyph record value types of the writer. */
enum {
    kTypeFloat = 3,
    kTypeWidth = 4,
    kTypeHeight = 5,
    kTypeRowBytes = 6,
    kTypeBitDepth = 7,
    kTypeBytes = 8,
    kTypePointCount = 9,
    kTypeOpCount = 10,
    kTypePointFloat = 11,
    kTypeOps = 12,
    kTypePointShort = 13,
    kTypeHeader = 14,
};

/* Outline operations. */
enum { kOpMove = 1, kOpLine = 2, kOpBezier = 4, kOpClose = 5, kOpEnd = 6 };

/* Bitmap records: the header's kind bit, the compressed flag, the size field and the
 * fixed part before the bits; padding bytes. */
static const DWORD kBitmapHeader = 0x400000;
static const DWORD kBitmapCompressed = 0x2000000;
static const DWORD kBitmapSizeLimit = 0x3FFFFF;
static const DWORD kBitmapFixedBytes = 18;
static const BYTE kBitmapPad = 0x11;
static const DWORD kMaxRowBytes = 255;
/* Outline records: flags, the size field, the fixed part, padding. */
static const DWORD kOutlineFloat = 0x200000;
static const DWORD kOutlineSmallHint = 0x1000000;
static const DWORD kOutlineBold = 0x38000000;
static const DWORD kOutlineSizeLimit = 0x3FFFF;
static const DWORD kOutlineFixedBytes = 8;
static const BYTE kOutlinePad = 0x22;
static const DWORD kMaxCount = 0xFFFF;
/* The extras: two points and the operations move, close, move, close (two bytes). */
static const ULONG kExtraPoints = 2;
static const ULONG kExtraOps = 4;
static const BYTE kExtraOpByte = 0x15;
/* Compression mode of glyph bits offered to the component (its 1-bit method 7). */
static const DWORD kGlyphCompressionMethod = 7;
/* Highest glyph handle the printer memory can key. */
static const HGLYPH kMaxKeyedGlyph = 0xFFFF;

/* One glyph record ready to be written. */
typedef struct GlyphRecord {
    int outline;
    DWORD header;
    DWORD size;
    /* bitmap */
    const GLYPHBITS *bits;
    const BYTE *data; /* the bits, or the compressed bits in owned */
    DWORD dataBytes;
    DWORD rowBytes;
    /* outline */
    POINTFIX *points; /* in owned; the bold extras first */
    ULONG pointCount;
    BYTE *ops; /* in owned */
    ULONG opCount;
    int floatForm;
    int hook;
    int bold;
    float emPoints;
    void *owned; /* global heap */
} GlyphRecord;

static void record_Free(GlyphRecord *record)
{
    if (record->owned != NULL) {
        GlobalFree(record->owned);
    }
    memset(record, 0, sizeof *record);
}

/* The solid colour of the text brush (-1 for a pattern). */
static ULONG record_BrushColour(const TextCall *call)
{
    return call->pboFore->iSolidColor;
}

/* ---- bitmap records ---- */

/* The bits of glyph hg as a bitmap record; 0 when the engine has none, -2 when they do
 * not fit the record's fields. */
static int record_PrepareBitmap(TextCall *call, HGLYPH hg, GlyphRecord *record)
{
    GLYPHDATA *gd = NULL;
    if (FONTOBJ_cGetGlyphs(call->pfo, FO_GLYPHBITS, 1, &hg, (PVOID *)&gd) != 1 || gd == NULL || gd->gdf.pgb == NULL) {
        return 0;
    }
    const GLYPHBITS *bits = gd->gdf.pgb;
    if (bits->sizlBitmap.cx < 0 || bits->sizlBitmap.cy < 0) {
        return 0;
    }
    DWORD rowBytes = ((DWORD)bits->sizlBitmap.cx + 7) / 8;
    if (rowBytes > kMaxRowBytes) {
        return -2;
    }
    record->outline = 0;
    record->bits = bits;
    record->rowBytes = rowBytes;
    record->data = bits->aj;
    record->dataBytes = rowBytes * (DWORD)bits->sizlBitmap.cy;
    record->header = kBitmapHeader;
    const CompressDllTable *table = call->job.compression;
    if (table != NULL && record->dataBytes > 0) {
        BYTE *copy = (BYTE *)GlobalAlloc(GMEM_FIXED, record->dataBytes);
        if (copy == NULL) {
            return 0;
        }
        memcpy(copy, bits->aj, record->dataBytes);
        DWORD length = record->dataBytes;
        BYTE method = 0;
        LONG answer = cmp_CompressWithComponent((DWORD)bits->sizlBitmap.cx,
                                                (DWORD)bits->sizlBitmap.cy,
                                                table,
                                                kGlyphCompressionMethod,
                                                &method,
                                                &length,
                                                copy);
        if (answer == CMP_DONE && length < record->dataBytes && ((length + 21) & ~3UL) <= kBitmapSizeLimit) {
            record->owned = copy;
            record->data = copy;
            record->dataBytes = length;
            record->header |= kBitmapCompressed;
        } else {
            GlobalFree(copy);
        }
    }
    record->size = (record->dataBytes + 21) & ~3UL;
    if (record->size > kBitmapSizeLimit) {
        record_Free(record);
        return -2;
    }
    record->header |= record->size;
    return 1;
}

/* Writes a bitmap record; the bytes written, or -1. */
static LONG record_WriteBitmap(PdlWriter *writer, const GlyphRecord *record)
{
    DWORD written = 0;
    float x = (float)record->bits->ptlOrigin.x;
    float y = (float)record->bits->ptlOrigin.y;
    WORD width = (WORD)record->bits->sizlBitmap.cx;
    WORD height = (WORD)record->bits->sizlBitmap.cy;
    BYTE rowBytes = (BYTE)record->rowBytes;
    BYTE depth = 1;
    if (pdl_WriteGlyphValue(writer, kTypeHeader, &record->header, 4) != 0 ||
        pdl_WriteGlyphValue(writer, kTypeFloat, &x, 4) != 0 || pdl_WriteGlyphValue(writer, kTypeFloat, &y, 4) != 0 ||
        pdl_WriteGlyphValue(writer, kTypeWidth, &width, 2) != 0 ||
        pdl_WriteGlyphValue(writer, kTypeHeight, &height, 2) != 0 ||
        pdl_WriteGlyphValue(writer, kTypeRowBytes, &rowBytes, 1) != 0 ||
        pdl_WriteGlyphValue(writer, kTypeBitDepth, &depth, 1) != 0) {
        return -1;
    }
    written += kBitmapFixedBytes;
    if (record->dataBytes > 0 && pdl_WriteGlyphValue(writer, kTypeBytes, record->data, record->dataBytes) != 0) {
        return -1;
    }
    written += record->dataBytes;
    for (; written < record->size; ++written) {
        if (pdl_WriteGlyphValue(writer, kTypeBytes, &kBitmapPad, 1) != 0) {
            return -1;
        }
    }
    return (LONG)written;
}

/* ---- outline records ---- */

/* Walks a glyph path: counts its points and operations (the end of the glyph included)
 * and, when record is given, copies them after `first` extra points and `firstOps` extra
 * operations. false for a Bezier run whose count is not a multiple of 3. */
static bool record_WalkPath(PATHOBJ *ppo, GlyphRecord *record, ULONG first, ULONG firstOps, ULONG *points, ULONG *ops)
{
    ULONG p = first;
    ULONG o = firstOps;
    PATHDATA pd;
    PATHOBJ_vEnumStart(ppo);
    for (BOOL more = TRUE; more;) {
        more = PATHOBJ_bEnum(ppo, &pd);
        if (pd.count == 0) {
            break;
        }
        ULONG lead = (pd.flags & PD_BEGINSUBPATH) ? 1 : 0;
        bool beziers = (pd.flags & PD_BEZIERS) != 0;
        if (beziers && (pd.count - lead) % 3 != 0) {
            return false;
        }
        for (ULONG i = 0; i < pd.count; ++i, ++p) {
            BYTE op = i < lead ? kOpMove : !beziers ? kOpLine : (i - lead) % 3 == 2 ? kOpBezier : 0;
            if (record != NULL) {
                record->points[p] = pd.pptfx[i];
            }
            if (op != 0 && record != NULL) {
                record->ops[o] = op;
            }
            o += op != 0 ? 1 : 0;
        }
        if ((pd.flags & PD_ENDSUBPATH) && (pd.flags & PD_CLOSEFIGURE)) {
            if (record != NULL) {
                record->ops[o] = kOpClose;
            }
            ++o;
        }
    }
    if (record != NULL) {
        record->ops[o] = kOpEnd;
    }
    *points = p - first;
    *ops = o + 1 - firstOps;
    return true;
}

/* The record size of an outline from its counts (extras of the page hook included). */
static DWORD record_OutlineSize(const GlyphRecord *record, ULONG *points, ULONG *ops)
{
    *points = record->pointCount + (record->hook ? kExtraPoints : 0);
    *ops = record->opCount + (record->hook ? kExtraOps : 0);
    DWORD pointBytes = record->floatForm ? 8 : 4;
    return (*points * pointBytes + (*ops + 1) / 2 + kOutlineFixedBytes + 3) & ~3UL;
}

/* The outline of glyph hg as a record; 0 when the engine has none or the path is
 * malformed, -2 when it does not fit the record's fields. */
static int record_PrepareOutline(TextCall *call, HGLYPH hg, GlyphRecord *record)
{
    GLYPHDATA *gd = NULL;
    if (FONTOBJ_cGetGlyphs(call->pfo, FO_PATHOBJ, 1, &hg, (PVOID *)&gd) != 1 || gd == NULL || gd->gdf.ppo == NULL) {
        return 0;
    }
    PATHOBJ *ppo = gd->gdf.ppo;
    ULONG points = 0;
    ULONG ops = 0;
    if (!record_WalkPath(ppo, NULL, 0, 0, &points, &ops)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const FontJobView *view = &call->job.fonts;
    record->outline = 1;
    record->hook = view->pageHookRunning ? 1 : 0;
    record->bold = (call->pfo->flFontType & FO_SIM_BOLD) && drw_ReadSetting(call->target, FID_USER_SIZE_ON) == 0;
    record->floatForm = record->hook || !fnt_CanUseDeviceSize(view, call->pfo) ? 1 : 0;
    ULONG extraPoints = record->bold ? kExtraPoints : 0;
    ULONG extraOps = record->bold ? kExtraOps : 0;
    record->pointCount = points + extraPoints;
    record->opCount = ops + extraOps;
    ULONG allPoints = 0;
    ULONG allOps = 0;
    record->size = record_OutlineSize(record, &allPoints, &allOps);
    if (allPoints > kMaxCount || allOps > kMaxCount || record->size > kOutlineSizeLimit) {
        return -2;
    }
    record->owned = GlobalAlloc(GPTR, record->pointCount * sizeof(POINTFIX) + record->opCount);
    if (record->owned == NULL) {
        return 0;
    }
    record->points = (POINTFIX *)record->owned;
    record->ops = (BYTE *)(record->points + record->pointCount);
    record_WalkPath(ppo, record, extraPoints, extraOps, &points, &ops);
    record->emPoints = fnt_FontHeightPoints(call);
    if (record->bold) {
        RECTFX bounds;
        PATHOBJ_vGetBounds(ppo, &bounds);
        record->points[0] = POINTFIX{bounds.xLeft, bounds.yTop};
        record->points[1] = record->points[0];
        const BYTE extras[kExtraOps] = {kOpMove, kOpClose, kOpMove, kOpClose};
        memcpy(record->ops, extras, sizeof extras);
    }
    record->header = record->size;
    if (record->floatForm) {
        record->header |= kOutlineFloat;
    }
    if (fnt_CanUseSmallBitmap(view, call->pfo, record_BrushColour(call), points, call->mix)) {
        record->header |= kOutlineSmallHint;
    }
    if (record->bold) {
        record->header |= kOutlineBold;
    }
    return 1;
}

/* Writes one point in the record's form; the bytes written, or -1. */
static LONG record_WritePoint(PdlWriter *writer, const GlyphRecord *record, ULONG index)
{
    POINTFIX p = record->points[index];
    if (!record->floatForm) {
        WORD x = (WORD)((DWORD)p.x << 2);
        WORD y = (WORD)((DWORD)p.y << 2);
        return pdl_WriteGlyphValue(writer, kTypePointShort, &x, 2) == 0 &&
                       pdl_WriteGlyphValue(writer, kTypePointShort, &y, 2) == 0
                   ? 4
                   : -1;
    }
    float x = (float)p.x / 16.0f;
    float y = (float)p.y / 16.0f;
    if (record->bold && index == 1) {
        x += record->emPoints;
        y += record->emPoints;
    }
    return pdl_WriteGlyphValue(writer, kTypePointFloat, &x, 4) == 0 &&
                   pdl_WriteGlyphValue(writer, kTypePointFloat, &y, 4) == 0
               ? 8
               : -1;
}

/* Writes an outline record; the bytes written, or -1. */
static LONG record_WriteOutline(PdlWriter *writer, const GlyphRecord *record)
{
    ULONG allPoints = 0;
    ULONG allOps = 0;
    record_OutlineSize(record, &allPoints, &allOps);
    WORD pointCount = (WORD)allPoints;
    WORD opCount = (WORD)allOps;
    if (pdl_WriteGlyphValue(writer, kTypeHeader, &record->header, 4) != 0 ||
        pdl_WriteGlyphValue(writer, kTypePointCount, &pointCount, 2) != 0 ||
        pdl_WriteGlyphValue(writer, kTypeOpCount, &opCount, 2) != 0) {
        return -1;
    }
    DWORD written = kOutlineFixedBytes;
    if (record->hook) {
        for (int i = 0; i < 4; ++i, written += 4) {
            if (pdl_WriteGlyphValue(writer, kTypePointFloat, &record->emPoints, 4) != 0) {
                return -1;
            }
        }
    }
    for (ULONG i = 0; i < record->pointCount; ++i) {
        LONG bytes = record_WritePoint(writer, record, i);
        if (bytes < 0) {
            return -1;
        }
        written += (DWORD)bytes;
    }
    if (record->hook) {
        for (int i = 0; i < 2; ++i, ++written) {
            if (pdl_WriteGlyphValue(writer, kTypeOps, &kExtraOpByte, 1) != 0) {
                return -1;
            }
        }
    }
    for (ULONG i = 0; i < record->opCount; i += 2, ++written) {
        BYTE packed = (BYTE)(record->ops[i] << 4);
        if (i + 1 < record->opCount) {
            packed |= record->ops[i + 1];
        }
        if (pdl_WriteGlyphValue(writer, kTypeOps, &packed, 1) != 0) {
            return -1;
        }
    }
    for (; written < record->size; ++written) {
        if (pdl_WriteGlyphValue(writer, kTypeBytes, &kOutlinePad, 1) != 0) {
            return -1;
        }
    }
    return (LONG)written;
}

/* ---- choosing and writing ---- */

/* The record of glyph hg, an outline when outline, the other way when it does not fit
 * (or, with fallback, when the outline cannot be had). 1, or 0 when neither can go. */
static int record_Prepare(TextCall *call, HGLYPH hg, bool outline, bool fallback, GlyphRecord *record)
{
    memset(record, 0, sizeof *record);
    int result = outline ? record_PrepareOutline(call, hg, record) : record_PrepareBitmap(call, hg, record);
    if (result == 1) {
        return 1;
    }
    record_Free(record);
    if (result == -2 || (fallback && outline)) {
        result = outline ? record_PrepareBitmap(call, hg, record) : record_PrepareOutline(call, hg, record);
        if (result == 1) {
            return 1;
        }
        record_Free(record);
    }
    return 0;
}

/* Writes a prepared record; 1, or -1 when a write failed or the bytes do not make the
 * size the header gives. */
static int record_Write(PdlWriter *writer, const GlyphRecord *record)
{
    LONG written = record->outline ? record_WriteOutline(writer, record) : record_WriteBitmap(writer, record);
    return written == (LONG)record->size ? 1 : -1;
}

/* The printer-memory kind of a record. */
static BYTE record_Kind(const TextCall *call, bool outline)
{
    if (!outline) {
        return GLYPH_KIND_BITMAP;
    }
    return call->job.fonts.smallBitmapOn && record_BrushColour(call) == 0 ? GLYPH_KIND_OUTLINE_BLACK
                                                                          : GLYPH_KIND_OUTLINE;
}

/* A position record at the glyph's position, then its record. */
static int record_WritePositioned(PdlWriter *writer, const POINTL *position, const GlyphRecord *record)
{
    TextPositionRecord place = {0, (float)position->x, (float)position->y, 1, 1, NULL, NULL, 0};
    if (pdl_WriteTextPosition(writer, &place) != 0) {
        return -1;
    }
    return record_Write(writer, record);
}

int fnt_DrawGlyphRecords(TextCall *call, ULONG count, const HGLYPH *glyphs, const POINTL *positions)
{
    FONTOBJ *pfo = call->pfo;
    bool raster = (pfo->flFontType & FO_TYPE_RASTER) != 0;
    bool outline = !raster || fnt_CanUseOutline(&call->job.fonts, pfo);
    int result = 1;
    for (ULONG i = 0; i < count && result == 1; ++i) {
        GlyphRecord record;
        if (!record_Prepare(call, glyphs[i], outline, raster, &record)) {
            return 0;
        }
        result = record_WritePositioned(call->target->writer, &positions[i], &record);
        record_Free(&record);
    }
    return result;
}

/* One glyph through the printer memory. */
static int record_DrawDownloaded(TextCall *call, HGLYPH hg, const POINTL *position)
{
    PdlWriter *writer = call->target->writer;
    WORD key = 0;
    if (hg > kMaxKeyedGlyph || !fnt_GetFontKey(call->job.keys, call->pfo->iUniq, &key)) {
        return fnt_DrawGlyphRecords(call, 1, &hg, position);
    }
    bool outline = fnt_CanUseOutline(&call->job.fonts, call->pfo) != 0;
    BYTE kind = record_Kind(call, outline);
    LONG address = pdl_FindDownload(writer, (WORD)hg, key, kind);
    if (address < 0) {
        GlyphRecord record;
        if (!record_Prepare(call, hg, outline, false, &record)) {
            return 0;
        }
        kind = record_Kind(call, record.outline != 0);
        address = pdl_AllocDownload(writer, (WORD)hg, key, kind, record.size, FALSE);
        int result = 1;
        if (address < 0) {
            result = pdl_ResetMemoryModel(writer) == 0 ? 1 : -1;
            if (result == 1) {
                result = record_WritePositioned(writer, position, &record);
            }
            record_Free(&record);
            return result;
        }
        if (pdl_BeginGlyph(writer, (DWORD)address) != 0) {
            result = -1;
        }
        if (result == 1) {
            result = record_Write(writer, &record);
        }
        DWORD size = record.size;
        record_Free(&record);
        if (result != 1) {
            return result;
        }
        if (pdl_AllocDownload(writer, (WORD)hg, key, kind, size, TRUE) != address) {
            return -1;
        }
    }
    return pdl_DrawGlyph(writer, (float)position->x, (float)position->y, (DWORD)address) == 0 ? 1 : -1;
}

int fnt_DrawDownloadedGlyphs(TextCall *call, ULONG count, const HGLYPH *glyphs, const POINTL *positions)
{
    int result = 1;
    for (ULONG i = 0; i < count && result == 1; ++i) {
        result = record_DrawDownloaded(call, glyphs[i], &positions[i]);
    }
    return result;
}
