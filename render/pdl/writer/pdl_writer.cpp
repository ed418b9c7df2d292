/*
 * The writer's life cycle, its graphics-state cache and the printer memory model binding.
 */
#include "render/pdl/writer/pdl_private.h"

#include <cmath>
#include <cstring>

#include "core/settings/function_ids.h"
#include "render/pdl/writer/job_version.h"

// Value of the FH pair and the other "unknown" words after a reset.
static const WORD kUnknownWord = 0xFFFF;

// ---- Helpers ---------------------------------------------------------------------------

int pdl_IsCached(const PdlWriter *writer, int equal)
{
    return writer->cache->enabled != 0 && equal;
}

int pdl_FloatToS16(float value, int *out)
{
    if (lmq_HasFraction(value)) {
        return 0;
    }
    double whole = std::trunc((double)value);
    if (whole < -32768.0 || whole > 32767.0) {
        return 0;
    }
    *out = (int)whole;
    return 1;
}

int pdl_FitsS16(LONG value)
{
    return value >= -32768 && value <= 32767;
}

int pdl_WriteRect(PdlWriter *writer, const RECTL *rect, int (*sendInt)(OutputStream *, int, int, int, int),
                  int (*sendFloat)(OutputStream *, float, float, float, float))
{
    if (writer == NULL || rect == NULL) {
        return -1;
    }
    if (pdl_UseIntForm(writer) && pdl_FitsS16(rect->left) && pdl_FitsS16(rect->top) && pdl_FitsS16(rect->right) &&
        pdl_FitsS16(rect->bottom)) {
        return sendInt(writer->stream, rect->left, rect->top, rect->right, rect->bottom);
    }
    return sendFloat(writer->stream, (float)rect->left, (float)rect->top, (float)rect->right, (float)rect->bottom);
}

int pdl_UseIntForm(const PdlWriter *writer)
{
    return writer->floatOnly == 0;
}

void pdl_ClearColor(GraphicsStateCache *cache)
{
    cache->colorKind = 0;
    cache->colorType = 0;
    cache->colorValue = (DWORD)-1;
}

void pdl_ClearPattern(GraphicsStateCache *cache)
{
    if (cache->patternData != NULL) {
        GlobalFree(cache->patternData);
        cache->patternData = NULL;
    }
}

void *pdl_TempAlloc(DWORD bytes)
{
    return GlobalAlloc(GPTR, bytes);
}

void pdl_TempFree(void *block)
{
    if (block != NULL) {
        GlobalFree(block);
    }
}

// ---- Cache -----------------------------------------------------------------------------

// gsc_Create: see pdl_writer.h. A new cache starts with every value unknown, as after
// both resets, so that nothing is taken for sent before it was.
GraphicsStateCache *gsc_Create(void)
{
    GraphicsStateCache *cache = (GraphicsStateCache *)GlobalAlloc(GPTR, sizeof(GraphicsStateCache));
    if (cache == NULL) {
        return NULL;
    }
    cache->enabled = 1;
    gsc_ResetGraphics(cache);
    gsc_ResetPageLevel(cache);
    return cache;
}

void gsc_Destroy(GraphicsStateCache *cache)
{
    if (cache == NULL) {
        return;
    }
    pdl_ClearPattern(cache);
    GlobalFree(cache);
}

void gsc_ResetGraphics(GraphicsStateCache *cache)
{
    memset(cache->matrix, 0, sizeof cache->matrix);
    cache->lineWidth = -1.0f;
    cache->lineJoin = -1;
    cache->lineCap = -1;
    cache->miterLimit = -1.0f;
    cache->pageAttribute = -1;
    cache->fillRule = 0;
    cache->paintMode = 0;
    cache->ropKind = 0;
    pdl_ClearColor(cache);
    cache->lineStyleKind = PDL_DASH_NONE;
    pdl_ClearPattern(cache);
    cache->hatchKind = 0;
    cache->hatchMode = 0;
    cache->hatchColorType = 0;
    cache->hatchValue = 0;
    cache->ffValues[0] = -1;
    cache->ffValues[1] = -1;
    cache->paletteWord = 0;
    cache->paletteColorType = 0;
}

void gsc_ResetPageLevel(GraphicsStateCache *cache)
{
    cache->faValues[0] = 0;
    cache->faValues[1] = 0;
    cache->deviceFont = 0;
    memset(cache->fontMatrix, 0, sizeof cache->fontMatrix);
    cache->fhPair[0] = kUnknownWord;
    cache->fhPair[1] = kUnknownWord;
}

// ---- Life cycle ------------------------------------------------------------------------

PdlWriter *pdl_CreateWriter(OutputStream *stream, DriverDevmode *devmode, PrinterDataBlock *block, DWORD memorySize)
{
    if (devmode == NULL) {
        return NULL;
    }
    PdlWriter *writer = (PdlWriter *)GlobalAlloc(GPTR, sizeof(PdlWriter));
    if (writer == NULL) {
        return NULL;
    }
    writer->cache = gsc_Create();
    if (writer->cache == NULL) {
        GlobalFree(writer);
        return NULL;
    }
    writer->pageMode1 = 1;
    writer->pageMode2 = 1;
    writer->stream = stream;
    writer->noMemoryModel = pdl_ReadSettingValue(devmode, block, FID_NO_MEMORY_MODEL);
    if (writer->noMemoryModel != 0) {
        memorySize = 0;
    }
    if (pdl_InitMemoryModel(writer, memorySize) != 0) {
        gsc_Destroy(writer->cache);
        GlobalFree(writer);
        return NULL;
    }
    writer->pdlVersion = pdl_ReadSettingValue(devmode, block, FID_JOB_PDL_VERSION);
    writer->glyphUnits = jc_IsPdlVersionAtLeast(devmode, block, PDL_VERSION_GLYPH_UNITS) ? 1 : 0;
    return writer;
}

void pdl_DestroyWriter(PdlWriter *writer)
{
    if (writer == NULL) {
        return;
    }
    pdl_FreeMemoryModel(writer);
    gsc_Destroy(writer->cache);
    GlobalFree(writer);
}

int pdl_ResetPage(PdlWriter *writer)
{
    if (writer == NULL) {
        return -1;
    }
    int result = 0;
    if (writer->pageMode2 == 1) {
        result = pdl_ResetMemoryModel(writer);
        gsc_ResetPageLevel(writer->cache);
    }
    gsc_ResetGraphics(writer->cache);
    return result;
}

void pdl_InvalidateStateCache(PdlWriter *writer)
{
    if (writer != NULL) {
        gsc_ResetPageLevel(writer->cache);
    }
}

int pdl_SetCacheEnabled(PdlWriter *writer, int enabled)
{
    if (writer == NULL) {
        return 0;
    }
    int previous = (int)writer->cache->enabled;
    writer->cache->enabled = (DWORD)enabled;
    return previous;
}

void pdl_SetPageMode(PdlWriter *writer, DWORD first, DWORD second)
{
    if (writer != NULL) {
        writer->pageMode1 = first;
        writer->pageMode2 = second;
    }
}

void pdl_SetLanguageVersion(PdlWriter *writer, DWORD version)
{
    if (writer != NULL) {
        writer->pdlVersion = version;
    }
}

// ---- Printer memory model --------------------------------------------------------------

int pdl_InitMemoryModel(PdlWriter *writer, DWORD size)
{
    if (writer == NULL) {
        return -1;
    }
    // A model still open is closed first, so that reopening never loses it.
    if (writer->memoryModelOn != 0 && pdl_FreeMemoryModel(writer) != 0) {
        return -1;
    }
    writer->memoryModelOn = 0;
    if (size == 0) {
        return 0;
    }
    if (mem_CreatePrinterMemory(&writer->memory, size) != MEM_OK) {
        writer->memory = NULL;
        return -1;
    }
    writer->memoryModelOn = 1;
    writer->memorySize = size;
    return 0;
}

int pdl_FreeMemoryModel(PdlWriter *writer)
{
    if (writer == NULL) {
        return -1;
    }
    int result = 0;
    if (writer->memoryModelOn != 0) {
        result = mem_DestroyPrinterMemory(writer->memory) == MEM_OK ? 0 : -1;
        writer->memory = NULL;
    }
    writer->memoryModelOn = 0;
    return result;
}

int pdl_ResetMemoryModel(PdlWriter *writer)
{
    if (writer == NULL) {
        return -1;
    }
    if (writer->memoryModelOn == 0) {
        return 0;
    }
    if (pdl_FreeMemoryModel(writer) != 0) {
        return -1;
    }
    return pdl_InitMemoryModel(writer, writer->memorySize);
}

int pdl_IsMemoryModelOn(PdlWriter *writer)
{
    return writer != NULL && writer->memoryModelOn != 0 ? 1 : 0;
}

LONG pdl_FindDownload(PdlWriter *writer, WORD charCode, WORD fontId, BYTE kind)
{
    if (pdl_IsMemoryModelOn(writer) == 0) {
        return -1;
    }
    DWORD address = 0;
    if (mem_FindDownload(writer->memory, charCode, fontId, kind, &address) != MEM_OK) {
        return -1;
    }
    return (LONG)address;
}

LONG pdl_AllocDownload(PdlWriter *writer, WORD charCode, WORD fontId, BYTE kind, DWORD size, BOOL commit)
{
    if (pdl_IsMemoryModelOn(writer) == 0) {
        return -1;
    }
    DWORD address = 0;
    if (mem_AllocateDownload(writer->memory, charCode, fontId, kind, &address, NULL, size, commit) != MEM_OK) {
        return -1;
    }
    return (LONG)address;
}
