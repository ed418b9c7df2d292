/*
 * The process-wide glyph sets: the default 256-glyph set and the Shift-JIS set read from
 * the resource module, both guarded by the glyph lock.
 */
#include "render/pdl/fonts/fonts.h"

#include <stddef.h>
#include <string.h>

#include "core/util/resource_module.h"
#include "render/pdl/fonts/font_record.h"

static const int kShiftJisResourceType = 260;
static const int kShiftJisResourceId = 6;
static const BYTE kShiftJisCharSet = 128;
static const DWORD kCharSetOffset = 20;    // of the font record
static const DWORD kGlyphSetHeadSize = 16; // cjThis, flAccel, cGlyphsSupported, cRuns
static const DWORD kResourceRunSize = 8;   // wcLow, cGlyphs, 4 unused bytes
// Capacity of the Shift-JIS set: its head, runs and handles must fit.
static const DWORD kShiftJisCapacity = 96 * 1024;

static CRITICAL_SECTION g_glyphLock;
static BOOL g_glyphLockCreated;
static FD_GLYPHSET *g_defaultSet;
static FD_GLYPHSET *g_shiftJisSet;
static DWORD g_shiftJisBlock[kShiftJisCapacity / sizeof(DWORD)];

// Copies the FD_GLYPHSET image of the resource into the fixed block. NULL when the
// resource is missing or its counts exceed its size or the block's capacity.
static FD_GLYPHSET *BuildShiftJisSet(void)
{
    HMODULE module = util_GetResourceModuleHandle();
    if (module == NULL) {
        return NULL;
    }
    ULONG size = 0;
    const BYTE *image = (const BYTE *)EngFindResource(module, kShiftJisResourceId, kShiftJisResourceType, &size);
    if (image == NULL || size < kGlyphSetHeadSize) {
        return NULL;
    }
    DWORD runs = fnt_U32(image + 12);
    if (runs == 0 || runs > (size - kGlyphSetHeadSize) / kResourceRunSize) {
        return NULL;
    }
    DWORD handlesAt = kGlyphSetHeadSize + runs * kResourceRunSize;
    DWORD handles = 0;
    for (DWORD i = 0; i < runs; ++i) {
        handles += fnt_U16(image + kGlyphSetHeadSize + i * kResourceRunSize + 2);
    }
    DWORD setSize = offsetof(FD_GLYPHSET, awcrun) + runs * sizeof(WCRUN) + handles * sizeof(HGLYPH);
    if (handles > (size - handlesAt) / 4 || setSize > kShiftJisCapacity) {
        return NULL;
    }
    FD_GLYPHSET *set = (FD_GLYPHSET *)g_shiftJisBlock;
    memset(g_shiftJisBlock, 0, sizeof g_shiftJisBlock);
    set->cjThis = fnt_U32(image);
    set->flAccel = fnt_U32(image + 4);
    set->cGlyphsSupported = fnt_U32(image + 8);
    set->cRuns = runs;
    HGLYPH *nextHandle = (HGLYPH *)&set->awcrun[runs];
    const BYTE *source = image + handlesAt;
    for (DWORD i = 0; i < runs; ++i) {
        const BYTE *run = image + kGlyphSetHeadSize + i * kResourceRunSize;
        set->awcrun[i].wcLow = (WCHAR)fnt_U16(run);
        set->awcrun[i].cGlyphs = fnt_U16(run + 2);
        set->awcrun[i].phg = nextHandle;
        for (DWORD g = 0; g < set->awcrun[i].cGlyphs; ++g) {
            *nextHandle++ = fnt_U32(source);
            source += 4;
        }
    }
    return set;
}

// fnt_DeleteGlyphLock: see fonts.h.
void WINAPI fnt_DeleteGlyphLock(void)
{
    if (g_glyphLockCreated) {
        DeleteCriticalSection(&g_glyphLock);
        g_glyphLockCreated = FALSE;
    }
}

// fnt_EnterGlyphLock: see fonts.h.
void WINAPI fnt_EnterGlyphLock(void)
{
    EnterCriticalSection(&g_glyphLock);
}

// fnt_FreeGlyphSets: see fonts.h.
void WINAPI fnt_FreeGlyphSets(void)
{
    g_shiftJisSet = NULL;
    if (g_defaultSet != NULL) {
        GlobalFree(g_defaultSet);
        g_defaultSet = NULL;
    }
}

// fnt_GetGlyphSet: see fonts.h.
FD_GLYPHSET *WINAPI fnt_GetGlyphSet(const DeviceFontTables *tables, ULONG font)
{
    const FontInfoBlock *block = fnt_GetFontBlock(tables, font);
    if (block == NULL) {
        return NULL;
    }
    const BYTE *record = (const BYTE *)block + block->recordOffset;
    if (record[kCharSetOffset] != kShiftJisCharSet) {
        return g_defaultSet;
    }
    if (g_shiftJisSet == NULL) {
        g_shiftJisSet = BuildShiftJisSet();
    }
    return g_shiftJisSet;
}

// fnt_BuildDefaultGlyphSet: the default set of 256 glyphs, one per code.
static FD_GLYPHSET *fnt_BuildDefaultGlyphSet(void)
{
    return EngComputeGlyphSet(0, 0, 256);
}

// fnt_InitFontModule: see fonts.h.
BOOL WINAPI fnt_InitFontModule(void)
{
    if (!g_glyphLockCreated) {
        InitializeCriticalSection(&g_glyphLock);
        g_glyphLockCreated = TRUE;
    }
    if (g_defaultSet == NULL) {
        g_defaultSet = fnt_BuildDefaultGlyphSet();
    }
    if (g_defaultSet == NULL) {
        fnt_DeleteGlyphLock();
        return FALSE;
    }
    return TRUE;
}

// fnt_LeaveGlyphLock: see fonts.h.
void WINAPI fnt_LeaveGlyphLock(void)
{
    LeaveCriticalSection(&g_glyphLock);
}
