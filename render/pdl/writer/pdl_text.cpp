/*
 * Text and glyph operations of the writer: device fonts, text runs, text position
 * records and downloaded glyphs.
 */
#include "render/pdl/writer/pdl_private.h"

#include <cstring>

int pdl_SelectFont(PdlWriter *writer, DWORD font)
{
    if (writer == NULL) {
        return -1;
    }
    GraphicsStateCache *cache = writer->cache;
    if (pdl_IsCached(writer, cache->deviceFont == font)) {
        return 0;
    }
    if (lmq_CmdDA(writer->stream, (int)font) != 0) {
        return -1;
    }
    cache->deviceFont = font;
    return 0;
}

int pdl_SetFontMatrix(PdlWriter *writer, const float matrix[6])
{
    if (writer == NULL || matrix == NULL) {
        return -1;
    }
    GraphicsStateCache *cache = writer->cache;
    if (pdl_IsCached(writer, memcmp(cache->fontMatrix, matrix, sizeof cache->fontMatrix) == 0)) {
        return 0;
    }
    if (lmq_CmdDb(writer->stream, matrix) != 0) {
        return -1;
    }
    memcpy(cache->fontMatrix, matrix, sizeof cache->fontMatrix);
    return 0;
}

// Advances of a run that fit on the stack; longer runs take a global-heap block.
static const DWORD kStackAdvances = 128;

// Text run with one advance per character after the first (DD/Dd).
static int WriteTextAdvances(PdlWriter *writer, float x, float y, DWORD count, const WORD *codes, const float *advances,
                             int useInt, int ix, int iy)
{
    DWORD n = count - 1;
    if (!useInt) {
        return lmq_CmdDd(writer->stream, x, y, advances, count, codes);
    }
    short stackValues[kStackAdvances];
    short *values = stackValues;
    if (n > kStackAdvances) {
        values = (short *)pdl_TempAlloc(n * sizeof(short));
        if (values == NULL) {
            return -1;
        }
    }
    for (DWORD i = 0; useInt && i < n; ++i) {
        int whole = 0;
        useInt = pdl_FloatToS16(advances[i], &whole);
        values[i] = (short)whole;
    }
    int result = useInt ? lmq_CmdDD(writer->stream, ix, iy, values, count, codes)
                        : lmq_CmdDd(writer->stream, x, y, advances, count, codes);
    if (values != stackValues) {
        pdl_TempFree(values);
    }
    return result;
}

int pdl_WriteText(PdlWriter *writer, float x, float y, DWORD count, int advanceFlag, const WORD *codes,
                  const float *advances)
{
    if (writer == NULL || codes == NULL || count == 0 || (advances == NULL && advanceFlag == 1 && count > 1)) {
        return -1;
    }
    int ix = 0;
    int iy = 0;
    int useInt = pdl_UseIntForm(writer) && pdl_FloatToS16(x, &ix) && pdl_FloatToS16(y, &iy);
    if (advanceFlag == 1) {
        return WriteTextAdvances(writer, x, y, count, codes, advances, useInt, ix, iy);
    }
    float advance = count == 1 || advances == NULL ? 0.0f : advances[0];
    int whole = 0;
    if (useInt && pdl_FloatToS16(advance, &whole)) {
        return lmq_CmdDC(writer->stream, ix, iy, whole, count, codes);
    }
    return lmq_CmdDc(writer->stream, x, y, advance, count, codes);
}

// Float copy of a text position array (NULL when not sent); *failed on lack of memory.
static float *FloatArray(const short *values, DWORD count, int *failed)
{
    if (values == NULL || count == 0) {
        return NULL;
    }
    float *copy = (float *)pdl_TempAlloc(count * sizeof(float));
    if (copy == NULL) {
        *failed = 1;
        return NULL;
    }
    for (DWORD i = 0; i < count; ++i) {
        copy[i] = (float)values[i];
    }
    return copy;
}

// Array form of the text position record in the float layout (Df).
static int WriteFloatPositionArrays(PdlWriter *writer, const TextPositionRecord *record)
{
    int failed = 0;
    float *first = (record->flags & 1) ? FloatArray(record->first, record->count, &failed) : NULL;
    float *second = (record->flags & 2) ? FloatArray(record->second, record->count, &failed) : NULL;
    int result = -1;
    if (!failed) {
        result =
            lmq_CmdDf(writer->stream, record->x, record->y, record->flags, record->count, first, second, record->value);
    }
    pdl_TempFree(first);
    pdl_TempFree(second);
    return result;
}

int pdl_WriteTextPosition(PdlWriter *writer, const TextPositionRecord *record)
{
    if (writer == NULL || record == NULL) {
        return -1;
    }
    int flags = record->flags & 0xFF;
    DWORD needed = record->kind == 0 ? 1 : record->count;
    if (needed > 0 &&
        (((flags & 1) && record->kind != 0 && record->first == NULL) || ((flags & 2) && record->second == NULL))) {
        return -1;
    }
    int ix = 0;
    int iy = 0;
    int useInt = pdl_UseIntForm(writer) && pdl_FloatToS16(record->x, &ix) && pdl_FloatToS16(record->y, &iy);
    if (record->kind == 0) {
        short second = (flags & 2) ? record->second[0] : 0;
        return useInt ? lmq_CmdDE(writer->stream, ix, iy, flags, second, record->value)
                      : lmq_CmdDe(writer->stream, record->x, record->y, flags, (float)second, record->value);
    }
    if (useInt) {
        return lmq_CmdDF(writer->stream, ix, iy, flags, record->count, record->first, record->second, record->value);
    }
    return WriteFloatPositionArrays(writer, record);
}

// The address as sent: in 64-byte units (aligned, at most 0x3FFFC0) or as it is. 0 when
// it cannot be sent.
static int GlyphAddress(const PdlWriter *writer, DWORD address, DWORD *sent)
{
    if (writer->glyphUnits == 0) {
        *sent = address;
        return 1;
    }
    if (address > PDL_MAX_UNIT_ADDRESS || address % MEM_GRANULE != 0) {
        return 0;
    }
    *sent = address / MEM_GRANULE;
    return 1;
}

int pdl_BeginGlyph(PdlWriter *writer, DWORD address)
{
    DWORD sent = 0;
    if (writer == NULL || !GlyphAddress(writer, address, &sent)) {
        return -1;
    }
    return writer->glyphUnits ? lmq_CmdDL(writer->stream, sent) : lmq_CmdDH(writer->stream, sent);
}

int pdl_DrawGlyph(PdlWriter *writer, float x, float y, DWORD address)
{
    DWORD sent = 0;
    if (writer == NULL || !GlyphAddress(writer, address, &sent)) {
        return -1;
    }
    int ix = 0;
    int iy = 0;
    int useInt = pdl_UseIntForm(writer) && pdl_FloatToS16(x, &ix) && pdl_FloatToS16(y, &iy);
    if (writer->glyphUnits) {
        return useInt ? lmq_CmdDM(writer->stream, ix, iy, sent) : lmq_CmdDm(writer->stream, x, y, sent);
    }
    return useInt ? lmq_CmdDI(writer->stream, ix, iy, sent) : lmq_CmdDi(writer->stream, x, y, sent);
}

int pdl_WriteGlyphValue(PdlWriter *writer, int typeCode, const void *value, DWORD length)
{
    return writer == NULL ? -1 : lmq_WriteTypedValue(writer->stream, typeCode, value, length);
}
