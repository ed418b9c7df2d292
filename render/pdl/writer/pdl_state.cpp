/*
 * Graphics-state operations of the writer: transformation, line attributes, raster
 * operation, colour, brushes and clipping.
 */
#include "render/pdl/writer/pdl_private.h"

#include <cstring>

// Rows of the built-in 8 x 8 one-bit pattern of pdl_SetPatternFromColor.
static const BYTE kColorPatternRows[8] = {0xBB, 0xBB, 0xEE, 0xEE, 0xBB, 0xBB, 0xEE, 0xEE};

// Colour type of three colour bytes, and the background mode pdl_SetPatternFromColor uses.
static const int kColorTypeRgb = 4;
static const int kBackgroundMode = 2;

// ---- Transformation --------------------------------------------------------------------

int pdl_SetTransform(PdlWriter *writer, const Matrix2x3 *matrix)
{
    if (writer == NULL || matrix == NULL) {
        return -1;
    }
    float values[6] = {matrix->a, matrix->b, matrix->c, matrix->d, matrix->e, matrix->f};
    GraphicsStateCache *cache = writer->cache;
    if (pdl_IsCached(writer, memcmp(values, cache->matrix, sizeof values) == 0)) {
        return 0;
    }
    if (lmq_CmdAa(writer->stream, values) != 0) {
        return -1;
    }
    memcpy(cache->matrix, values, sizeof values);
    return 0;
}

void pdl_SetCachedTransform(PdlWriter *writer, const Matrix2x3 *matrix)
{
    if (writer == NULL || matrix == NULL) {
        return;
    }
    float values[6] = {matrix->a, matrix->b, matrix->c, matrix->d, matrix->e, matrix->f};
    memcpy(writer->cache->matrix, values, sizeof values);
}

void pdl_GetCurrentTransform(PdlWriter *writer, Matrix2x3 *out)
{
    if (writer == NULL || out == NULL) {
        return;
    }
    const float *m = writer->cache->matrix;
    out->a = m[0];
    out->b = m[1];
    out->c = m[2];
    out->d = m[3];
    out->e = m[4];
    out->f = m[5];
}

int pdl_EmitAA(PdlWriter *writer, int code)
{
    return writer == NULL ? -1 : lmq_CmdAA(writer->stream, code);
}

// ---- Line attributes -------------------------------------------------------------------

// Compare and set of a one-byte attribute kept as a 32-bit word.
static int SetLongAttribute(PdlWriter *writer, LONG *cached, int value, int (*send)(OutputStream *, int))
{
    if (pdl_IsCached(writer, *cached == (LONG)value)) {
        return 0;
    }
    if (send(writer->stream, value) != 0) {
        return -1;
    }
    *cached = (LONG)value;
    return 0;
}

// Compare and set of a one-byte attribute kept as a 16-bit word.
static int SetWordAttribute(PdlWriter *writer, WORD *cached, int value, int (*send)(OutputStream *, int))
{
    if (pdl_IsCached(writer, *cached == (WORD)value)) {
        return 0;
    }
    if (send(writer->stream, value) != 0) {
        return -1;
    }
    *cached = (WORD)value;
    return 0;
}

int pdl_SetLineCap(PdlWriter *writer, int cap)
{
    return writer == NULL ? -1 : SetLongAttribute(writer, &writer->cache->lineCap, cap, lmq_CmdAE);
}

int pdl_SetLineJoin(PdlWriter *writer, int join)
{
    return writer == NULL ? -1 : SetLongAttribute(writer, &writer->cache->lineJoin, join, lmq_CmdAF);
}

int pdl_SetAI(PdlWriter *writer, int value)
{
    return writer == NULL ? -1 : SetLongAttribute(writer, &writer->cache->pageAttribute, value, lmq_CmdAI);
}

int pdl_SetFillRule(PdlWriter *writer, int rule)
{
    return writer == NULL ? -1 : SetWordAttribute(writer, &writer->cache->fillRule, rule, lmq_CmdAJ);
}

int pdl_SetPaintMode(PdlWriter *writer, int mode)
{
    return writer == NULL ? -1 : SetWordAttribute(writer, &writer->cache->paintMode, mode, lmq_CmdAK);
}

int pdl_SetLineWidth(PdlWriter *writer, float width)
{
    if (writer == NULL) {
        return -1;
    }
    GraphicsStateCache *cache = writer->cache;
    if (pdl_IsCached(writer, cache->lineWidth == width)) {
        return 0;
    }
    int whole = 0;
    int result = pdl_UseIntForm(writer) && pdl_FloatToS16(width, &whole) ? lmq_CmdAD(writer->stream, whole)
                                                                         : lmq_CmdAd(writer->stream, width);
    if (result != 0) {
        return -1;
    }
    cache->lineWidth = width;
    return 0;
}

int pdl_SetMiterLimit(PdlWriter *writer, float limit)
{
    if (writer == NULL) {
        return -1;
    }
    GraphicsStateCache *cache = writer->cache;
    if (pdl_IsCached(writer, cache->miterLimit == limit)) {
        return 0;
    }
    int whole = 0;
    int useInt = pdl_UseIntForm(writer) && pdl_FloatToS16(limit, &whole) && whole >= -128 && whole <= 127;
    int result = useInt ? lmq_CmdAG(writer->stream, whole) : lmq_CmdAg(writer->stream, limit);
    if (result != 0) {
        return -1;
    }
    cache->miterLimit = limit;
    return 0;
}

// Sends a user dash array: AH with s16 values when the offset and every length are whole
// and fit, else Ah.
static int SendUserDash(PdlWriter *writer, int kind, float offset, DWORD count, const float *lengths)
{
    int wholeOffset = 0;
    int useInt = pdl_UseIntForm(writer) && pdl_FloatToS16(offset, &wholeOffset);
    for (DWORD i = 0; useInt && i < count; ++i) {
        int ignored = 0;
        useInt = pdl_FloatToS16(lengths[i], &ignored);
    }
    if (!useInt) {
        return lmq_CmdAh(writer->stream, kind, offset, count, lengths);
    }
    short *values = NULL;
    if (count > 0) {
        values = (short *)pdl_TempAlloc(count * sizeof(short));
        if (values == NULL) {
            return -1;
        }
    }
    for (DWORD i = 0; i < count; ++i) {
        int whole = 0;
        pdl_FloatToS16(lengths[i], &whole);
        values[i] = (short)whole;
    }
    int result = lmq_CmdAH(writer->stream, kind, wholeOffset, count, values);
    pdl_TempFree(values);
    return result;
}

int pdl_SetLineDash(PdlWriter *writer, int kind, float offset, DWORD count, const float *lengths)
{
    if (writer == NULL) {
        return -1;
    }
    GraphicsStateCache *cache = writer->cache;
    if ((BYTE)kind == PDL_DASH_USER) {
        if (count > 255 || (count > 0 && lengths == NULL)) {
            return -1;
        }
        if (SendUserDash(writer, kind, offset, count, lengths) != 0) {
            return -1;
        }
        cache->lineStyleKind = PDL_DASH_NONE;
        return 0;
    }
    if (pdl_IsCached(writer, cache->lineStyleKind == (BYTE)kind)) {
        return 0;
    }
    int result = pdl_UseIntForm(writer) ? lmq_CmdAH(writer->stream, kind, 0, 0, NULL)
                                        : lmq_CmdAh(writer->stream, kind, 0.0f, 0, NULL);
    if (result != 0) {
        return -1;
    }
    cache->lineStyleKind = (BYTE)kind;
    return 0;
}

int pdl_SetLineDashInt(PdlWriter *writer, int kind, LONG offset, DWORD count, const LONG *lengths)
{
    if (writer == NULL) {
        return -1;
    }
    if ((BYTE)kind != PDL_DASH_USER || count == 0) {
        return pdl_SetLineDash(writer, kind, (float)offset, 0, NULL);
    }
    if (count > 255 || lengths == NULL) {
        return -1;
    }
    float *values = (float *)pdl_TempAlloc(count * sizeof(float));
    if (values == NULL) {
        return -1;
    }
    for (DWORD i = 0; i < count; ++i) {
        values[i] = (float)lengths[i];
    }
    int result = pdl_SetLineDash(writer, kind, (float)offset, count, values);
    pdl_TempFree(values);
    return result;
}

// ---- Raster operation and colour -------------------------------------------------------

int pdl_SetRop(PdlWriter *writer, int kind, DWORD code)
{
    if (writer == NULL) {
        return -1;
    }
    GraphicsStateCache *cache = writer->cache;
    if (pdl_IsCached(writer, cache->ropKind == (WORD)kind && cache->ropCode == code)) {
        return 0;
    }
    if (lmq_CmdAL(writer->stream, kind, code) != 0) {
        return -1;
    }
    cache->ropKind = (WORD)kind;
    cache->ropCode = code;
    pdl_ClearColor(cache);
    return 0;
}

void pdl_GetRop(PdlWriter *writer, int *kind, DWORD *code)
{
    if (writer == NULL) {
        return;
    }
    if (kind != NULL) {
        *kind = writer->cache->ropKind;
    }
    if (code != NULL) {
        *code = writer->cache->ropCode;
    }
}

DWORD pdl_PackColor(int colorType, const BYTE *color)
{
    if (color == NULL) {
        return 0;
    }
    if (colorType == 3) {
        return (DWORD)color[0] * 0x10101UL;
    }
    return (DWORD)color[0] << 16 | (DWORD)color[1] << 8 | (DWORD)color[2];
}

int pdl_SetColor(PdlWriter *writer, int kind, int colorType, const BYTE *color)
{
    if (writer == NULL || color == NULL) {
        return -1;
    }
    GraphicsStateCache *cache = writer->cache;
    DWORD packed = pdl_PackColor(colorType, color);
    int equal = cache->colorKind == (BYTE)kind && cache->colorType == (BYTE)colorType && cache->colorValue == packed;
    if (pdl_IsCached(writer, equal)) {
        return 0;
    }
    if (lmq_CmdAM(writer->stream, kind, colorType, packed) != 0) {
        return -1;
    }
    cache->colorKind = (BYTE)kind;
    cache->colorType = (BYTE)colorType;
    cache->colorValue = packed;
    pdl_ClearPattern(cache);
    return 0;
}

// ---- Brushes ---------------------------------------------------------------------------

// 1 when a brush origin goes in the s16 form.
static int UseIntOrigin(const PdlWriter *writer, const POINTL *origin)
{
    return pdl_UseIntForm(writer) && pdl_FitsS16(origin->x) && pdl_FitsS16(origin->y);
}

int pdl_SetHatchBrush(PdlWriter *writer, int kind, int colorType, int pattern, const POINTL *origin, const BYTE *color)
{
    if (writer == NULL || origin == NULL || color == NULL) {
        return -1;
    }
    DWORD packed = pdl_PackColor(colorType, color);
    int result = UseIntOrigin(writer, origin)
                     ? lmq_CmdAN(writer->stream, origin->x, origin->y, kind, colorType, packed, pattern)
                     : lmq_CmdAn(writer->stream, (float)origin->x, (float)origin->y, kind, colorType, packed, pattern);
    if (result != 0) {
        return -1;
    }
    pdl_ClearColor(writer->cache);
    pdl_ClearPattern(writer->cache);
    return 0;
}

int pdl_SetMonoPattern(PdlWriter *writer, const POINTL *origin, int kind, int colorType, const BYTE *color, DWORD width,
                       DWORD height, const BYTE *bits)
{
    if (writer == NULL || origin == NULL || color == NULL || (bits == NULL && width > 0 && height > 0)) {
        return -1;
    }
    DWORD packed = pdl_PackColor(colorType, color);
    int result =
        UseIntOrigin(writer, origin)
            ? lmq_CmdAO(writer->stream, origin->x, origin->y, kind, colorType, packed, width, height, bits)
            : lmq_CmdAo(
                  writer->stream, (float)origin->x, (float)origin->y, kind, colorType, packed, width, height, bits);
    if (result != 0) {
        return -1;
    }
    pdl_ClearColor(writer->cache);
    pdl_ClearPattern(writer->cache);
    return 0;
}

// 1 when the colour pattern equals the cached one, its data included.
static int IsCachedPattern(const GraphicsStateCache *cache, const POINTL *origin, int kind, int colorType, int bits,
                           DWORD width, DWORD height, int flag, DWORD length, const BYTE *data)
{
    return cache->patternData != NULL && length > 0 && cache->patternOriginX == origin->x &&
           cache->patternOriginY == origin->y && cache->patternKind == (BYTE)kind &&
           cache->patternColorType == (BYTE)colorType && cache->patternBits == (BYTE)bits &&
           cache->patternWidth == width && cache->patternHeight == height && cache->patternFlag == (BYTE)flag &&
           cache->patternLength == length && memcmp(cache->patternData, data, length) == 0;
}

int pdl_SetColorPattern(PdlWriter *writer, const POINTL *origin, int kind, int colorType, int bits, DWORD width,
                        DWORD height, int flag, DWORD length, const BYTE *data)
{
    if (writer == NULL || origin == NULL || (data == NULL && length > 0)) {
        return -1;
    }
    GraphicsStateCache *cache = writer->cache;
    if (pdl_IsCached(writer,
                     IsCachedPattern(cache, origin, kind, colorType, bits, width, height, flag, length, data))) {
        return 0;
    }
    if (lmq_CmdAP(writer->stream, origin->x, origin->y, kind, colorType, width, height, length, data) != 0) {
        return -1;
    }
    pdl_ClearPattern(cache);
    cache->patternOriginX = origin->x;
    cache->patternOriginY = origin->y;
    cache->patternKind = (BYTE)kind;
    cache->patternColorType = (BYTE)colorType;
    cache->patternBits = (BYTE)bits;
    cache->patternWidth = (WORD)width;
    cache->patternHeight = (WORD)height;
    cache->patternFlag = (BYTE)flag;
    cache->patternLength = length;
    // Without memory for the copy the pattern stays recorded without data, and the next
    // comparison sends it again.
    if (length > 0) {
        cache->patternData = (BYTE *)GlobalAlloc(GMEM_FIXED, length);
        if (cache->patternData != NULL) {
            memcpy(cache->patternData, data, length);
        }
    }
    pdl_ClearColor(cache);
    return 0;
}

int pdl_SetHatchBackground(PdlWriter *writer, int kind, int mode, int colorType, const BYTE *color)
{
    if (writer == NULL || color == NULL) {
        return -1;
    }
    GraphicsStateCache *cache = writer->cache;
    DWORD packed = pdl_PackColor(colorType, color);
    int equal = writer->noMemoryModel == 0 && cache->hatchKind == (BYTE)kind && cache->hatchMode == (BYTE)mode &&
                cache->hatchColorType == (BYTE)colorType && cache->hatchValue == packed;
    if (pdl_IsCached(writer, equal)) {
        return 0;
    }
    if (lmq_CmdAQ(writer->stream, kind, mode, colorType, packed) != 0) {
        return -1;
    }
    cache->hatchKind = (BYTE)kind;
    cache->hatchMode = (BYTE)mode;
    cache->hatchColorType = (BYTE)colorType;
    cache->hatchValue = packed;
    return 0;
}

int pdl_SetPatternFromColor(PdlWriter *writer, int kind, DWORD color)
{
    if (writer == NULL) {
        return -1;
    }
    // The colour's bytes from the lowest up, the same order in both commands.
    BYTE bytes[3] = {(BYTE)(color & 0xFF), (BYTE)((color >> 8) & 0xFF), (BYTE)((color >> 16) & 0xFF)};
    int result = pdl_SetHatchBackground(writer, kind, kBackgroundMode, kColorTypeRgb, bytes);
    POINTL origin = {0, 0};
    result |= pdl_SetMonoPattern(writer, &origin, kind, kColorTypeRgb, bytes, 8, 8, kColorPatternRows);
    return result != 0 ? -1 : 0;
}

// ---- Clipping --------------------------------------------------------------------------

int pdl_SetClipRect(PdlWriter *writer, const RECTL *rect)
{
    return pdl_WriteRect(writer, rect, lmq_CmdAB, lmq_CmdAb);
}

int pdl_ResetClip(PdlWriter *writer)
{
    return writer == NULL ? -1 : lmq_CmdAR(writer->stream);
}

int pdl_ClipToPath(PdlWriter *writer)
{
    return writer == NULL ? -1 : lmq_CmdAC(writer->stream);
}
