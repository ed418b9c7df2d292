/*
 * A batch of glyphs: positions made from a fixed advance, then the characters split into
 * stretches that go as device-font text or as downloaded glyphs.
 */
#include "render/pdl/text/text_private.h"

#include "core/settings/function_ids.h"
#include "render/pdl/fontsub/font_substitution.h"
#include "render/pdl/writer/pdl_writer.h"

/* Glyphs whose positions, handles and ways fit on the stack; larger batches take a
 * global-heap block. */
static const ULONG kStackGlyphs = 64;
/* Setting 17: TrueType fonts are replaced by device fonts. */
static const DWORD kTrueTypeSubstitute = 3;
/* Setting 292: device fonts refused; the table alone; the table, then scoring. */
static const DWORD kSubstRefused = 1;
static const DWORD kSubstTableOnly = 2;
static const DWORD kSubstTableThenScore = 0;
/* The character sets that pick the symbol code page and the Shift-JIS fixes. */
static const BYTE kSymbolCharset = 2;
static const BYTE kShiftJisCharset = 128;

/* The per-glyph arrays of a batch. */
typedef struct BatchArrays {
    POINTL stackPositions[kStackGlyphs];
    HGLYPH stackGlyphs[kStackGlyphs];
    BYTE stackWays[kStackGlyphs];
    POINTL *positions;
    HGLYPH *glyphs;
    BYTE *ways; /* 1: device font */
    void *block;
} BatchArrays;

static bool batch_Alloc(BatchArrays *arrays, ULONG count)
{
    arrays->block = NULL;
    arrays->positions = arrays->stackPositions;
    arrays->glyphs = arrays->stackGlyphs;
    arrays->ways = arrays->stackWays;
    if (count <= kStackGlyphs) {
        return true;
    }
    SIZE_T bytes = (SIZE_T)count * (sizeof(POINTL) + sizeof(HGLYPH) + 1);
    arrays->block = GlobalAlloc(GPTR, bytes);
    if (arrays->block == NULL) {
        return false;
    }
    arrays->positions = (POINTL *)arrays->block;
    arrays->glyphs = (HGLYPH *)(arrays->positions + count);
    arrays->ways = (BYTE *)(arrays->glyphs + count);
    return true;
}

static void batch_Free(BatchArrays *arrays)
{
    if (arrays->block != NULL) {
        GlobalFree(arrays->block);
    }
}

/* Positions and handles; with a fixed advance the positions follow from the first. */
static void batch_Positions(const TextCall *call, ULONG count, const GLYPHPOS *pgp, BatchArrays *arrays)
{
    const STROBJ *pstro = call->pstro;
    LONG step = (pstro->flAccel & SO_REVERSED) ? -(LONG)pstro->ulCharInc : (LONG)pstro->ulCharInc;
    for (ULONG i = 0; i < count; ++i) {
        arrays->glyphs[i] = pgp[i].hg;
        arrays->positions[i] = pgp[i].ptl;
        if (i > 0 && count > 1 && pstro->ulCharInc != 0) {
            arrays->positions[i] = arrays->positions[i - 1];
            if (pstro->flAccel & SO_HORIZONTAL) {
                arrays->positions[i].x += step;
            }
            if (pstro->flAccel & SO_VERTICAL) {
                arrays->positions[i].y += step;
            }
        }
    }
}

/* The block (and its 1-based face index) of the device font with identifier fontId. */
static ULONG batch_FaceOf(const DeviceFontTables *tables, DWORD fontId)
{
    for (ULONG face = 1; tables != NULL && face <= tables->count; ++face) {
        const FontInfoBlock *block = fnt_GetFontBlock(tables, face);
        if (block != NULL && block->fontId == fontId) {
            return face;
        }
    }
    return 0;
}

/* The name at a byte offset of the metrics, or an empty name. */
static const WCHAR *batch_MetricsName(const IFIMETRICS *pifi, PTRDIFF offset)
{
    return offset > 0 ? (const WCHAR *)((const BYTE *)pifi + offset) : TEXT("");
}

int fnt_MapTrueTypeToDevice(TextCall *call, DeviceChoice *choice)
{
    DrawTarget *target = call->target;
    const DeviceFontTables *tables = call->job.fonts.tables;
    if (drw_ReadSetting(target, FID_TT_OPTION) != kTrueTypeSubstitute || tables == NULL || tables->count == 0) {
        return 2;
    }
    DWORD mode = drw_ReadSetting(target, FID_FONT_SUBSTITUTION);
    if (mode != kSubstTableOnly && mode != kSubstTableThenScore) {
        return 2;
    }
    IFIMETRICS *pifi = FONTOBJ_pifi(call->pfo);
    if (pifi == NULL) {
        return 0;
    }
    SubstRequest request = {
        call->job.fontSubTable, call->job.printer, call->job.groupTable, tables->count, tables->entries};
    DWORD index = 0;
    LONG found = fnt_FindSubstitute(&request, call->pfo, batch_MetricsName(pifi, pifi->dpwszFaceName), &index);
    if (found == SUBST_NONE && mode == kSubstTableOnly) {
        return 2;
    }
    if (found == SUBST_NONE) {
        found = fnt_MatchDeviceFont(&request, call->pfo, batch_MetricsName(pifi, pifi->dpwszFamilyName), &index);
    }
    if (found != SUBST_FOUND || index >= tables->count) {
        return 0;
    }
    ULONG face = batch_FaceOf(tables, tables->entries[index].fontId);
    if (face == 0 || !fnt_DeviceFontStyle(call, face, &choice->fontId)) {
        return 0;
    }
    choice->block = fnt_GetFontBlock(tables, face);
    return 1;
}

/* The device font of the call's font: 1 with choice, 2 when there is none, 0 failure. */
static int batch_DeviceChoice(TextCall *call, DeviceChoice *choice)
{
    FONTOBJ *pfo = call->pfo;
    if (pfo->flFontType & FO_TYPE_DEVICE) {
        choice->block = fnt_GetFontBlock(call->job.fonts.tables, pfo->iFace);
        return fnt_DeviceFontStyle(call, pfo->iFace, &choice->fontId) ? 1 : 2;
    }
    bool allowed =
        !call->job.fonts.pageHookRunning && drw_ReadSetting(call->target, FID_FONT_SUBSTITUTION) != kSubstRefused;
    if (!allowed || !(pfo->flFontType & FO_TYPE_TRUETYPE)) {
        return 2;
    }
    return fnt_MapTrueTypeToDevice(call, choice);
}

/* 1 when character ch goes as device-font text: it converts to the font's code page
 * without the default character and the device font's code table has it. */
static bool batch_GoesToDevice(const TextCall *call, const DeviceChoice *choice, WCHAR ch)
{
    const IFIMETRICS *pifi = FONTOBJ_pifi(call->pfo);
    UINT codePage = pifi != NULL && pifi->jWinCharSet == kSymbolCharset ? CP_SYMBOL : CP_ACP;
    char bytes[4];
    BOOL usedDefault = FALSE;
    int length = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, &ch, 1, bytes, sizeof bytes, NULL, &usedDefault);
    if (length <= 0 || usedDefault) {
        return false;
    }
    if (choice->block == NULL || choice->block->codeTableResult != 0) {
        return true;
    }
    const IFIMETRICS *device = fnt_BlockIfiMetrics(choice->block);
    WCHAR code = ch;
    fnt_FixCodes(&code, 1, device != NULL && device->jWinCharSet == kShiftJisCharset);
    return fnt_MapCharCode(&choice->block->codeTable, code) > 0;
}

/* The stretches of one way each. */
static int batch_DrawStretches(TextCall *call, const DeviceChoice *choice, ULONG count, const BatchArrays *arrays,
                               const WCHAR *codes)
{
    int result = 1;
    for (ULONG start = 0; start < count && result == 1;) {
        ULONG end = start;
        while (end < count && arrays->ways[end] == arrays->ways[start]) {
            ++end;
        }
        ULONG n = end - start;
        if (arrays->ways[start]) {
            result = fnt_DrawDeviceText(call, choice, n, arrays->positions + start, codes + start);
        } else if (pdl_IsMemoryModelOn(call->target->writer)) {
            result = fnt_DrawDownloadedGlyphs(call, n, arrays->glyphs + start, arrays->positions + start);
        } else {
            result = fnt_DrawGlyphRecords(call, n, arrays->glyphs + start, arrays->positions + start);
        }
        start = end;
    }
    return result;
}

int fnt_DrawGlyphBatch(TextCall *call, ULONG count, const GLYPHPOS *pgp, const WCHAR *codes)
{
    if (count == 0) {
        return 1;
    }
    if (pgp == NULL) {
        return 0;
    }
    BatchArrays arrays;
    if (!batch_Alloc(&arrays, count)) {
        return 0;
    }
    batch_Positions(call, count, pgp, &arrays);
    DeviceChoice choice = {};
    int way = codes != NULL ? batch_DeviceChoice(call, &choice) : 2;
    int result = way == 0 ? 0 : 1;
    for (ULONG i = 0; i < count && result == 1; ++i) {
        arrays.ways[i] = way == 1 && batch_GoesToDevice(call, &choice, codes[i]) ? 1 : 0;
    }
    if (result == 1) {
        result = batch_DrawStretches(call, &choice, count, &arrays, codes);
    }
    batch_Free(&arrays);
    return result;
}
