/*
 * The DLL entry routine, DrvEnableDriver, DrvDisableDriver, DrvQueryDriverInfo and the
 * table of entry points handed to GDI.
 */
#include "render/driver/entry/entry.h"

#include "core/trace/trace.h"
#include "render/pdl/fonts/fonts.h"

static const DWORD kUserModeAnswerSize = sizeof(DWORD);

// The table holds each entry point as GDI's untyped function pointer.
#define ENTRY(function) ((PFN)(void *)(function))

// The entry points in GDI's order, with the function index GDI receives.
static const DRVFN kFunctionTable[ENT_FUNCTION_COUNT] = {
    {INDEX_DrvEnablePDEV, ENTRY(DrvEnablePDEV)},
    {INDEX_DrvResetPDEV, ENTRY(DrvResetPDEV)},
    {INDEX_DrvCompletePDEV, ENTRY(DrvCompletePDEV)},
    {INDEX_DrvDisablePDEV, ENTRY(DrvDisablePDEV)},
    {INDEX_DrvEnableSurface, ENTRY(DrvEnableSurface)},
    {INDEX_DrvDisableSurface, ENTRY(DrvDisableSurface)},
    {INDEX_DrvBitBlt, ENTRY(DrvBitBlt)},
    {INDEX_DrvStretchBlt, ENTRY(DrvStretchBlt)},
    {INDEX_DrvCopyBits, ENTRY(DrvCopyBits)},
    {INDEX_DrvTextOut, ENTRY(DrvTextOut)},
    {INDEX_DrvQueryFont, ENTRY(DrvQueryFont)},
    {INDEX_DrvQueryFontTree, ENTRY(DrvQueryFontTree)},
    {INDEX_DrvQueryFontData, ENTRY(DrvQueryFontData)},
    {INDEX_DrvQueryAdvanceWidths, ENTRY(DrvQueryAdvanceWidths)},
    {INDEX_DrvSendPage, ENTRY(DrvSendPage)},
    {INDEX_DrvStrokePath, ENTRY(DrvStrokePath)},
    {INDEX_DrvFillPath, ENTRY(DrvFillPath)},
    {INDEX_DrvStrokeAndFillPath, ENTRY(DrvStrokeAndFillPath)},
    {INDEX_DrvRealizeBrush, ENTRY(DrvRealizeBrush)},
    {INDEX_DrvStartPage, ENTRY(DrvStartPage)},
    {INDEX_DrvStartDoc, ENTRY(DrvStartDoc)},
    {INDEX_DrvEscape, ENTRY(DrvEscape)},
    {INDEX_DrvEndDoc, ENTRY(DrvEndDoc)},
    {INDEX_DrvGetGlyphMode, ENTRY(DrvGetGlyphMode)},
    {INDEX_DrvStretchBltROP, ENTRY(DrvStretchBltROP)},
};

// The worker of DrvEnableDriver.
static BOOL EnableDriver(ULONG iEngineVersion, ULONG cj, DRVENABLEDATA *pded)
{
    if (iEngineVersion < ENT_DRIVER_VERSION || cj < sizeof(DRVENABLEDATA) || pded == NULL) {
        SetLastError(ERROR_BAD_DRIVER_LEVEL);
        return FALSE;
    }
    pded->iDriverVersion = ENT_DRIVER_VERSION;
    pded->c = ENT_FUNCTION_COUNT;
    pded->pdrvfn = (DRVFN *)kFunctionTable;
    ent_CreateLocks();
    if (!fnt_InitFontModule()) {
        // No half-made driver: the locks made so far go again.
        ent_DeleteLocks();
        return FALSE;
    }
    return TRUE;
}

// The worker of DrvQueryDriverInfo.
static BOOL QueryDriverInfo(DWORD dwMode, PVOID pBuffer, DWORD cbBuf, PDWORD pcbNeeded)
{
    if (dwMode != DRVQUERY_USERMODE || pcbNeeded == NULL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *pcbNeeded = kUserModeAnswerSize;
    if (pBuffer == NULL || cbBuf < kUserModeAnswerSize) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    *(DWORD *)pBuffer = TRUE;
    return TRUE;
}

// DrvDisableDriver: deletes the locks and the glyph sets.
extern "C" void WINAPI DrvDisableDriver(void)
{
    trc_WriteEnter(TEXT("DrvDisableDriver"));
    ent_DeleteLocks();
    fnt_EnterGlyphLock();
    fnt_FreeGlyphSets();
    fnt_LeaveGlyphLock();
    fnt_DeleteGlyphLock();
    ent_TraceExitBare(TEXT("DrvDisableDriver"));
}

// DrvEnableDriver: hands GDI the table of entry points; creates the locks and the default
// glyph set.
extern "C" BOOL WINAPI DrvEnableDriver(ULONG iEngineVersion, ULONG cj, DRVENABLEDATA *pded)
{
    trc_WriteEnter(TEXT("DrvEnableDriver"));
    BOOL result = EnableDriver(iEngineVersion, cj, pded);
    ent_TraceExitInt(TEXT("DrvEnableDriver"), result);
    return result;
}

// DrvQueryDriverInfo: answers DRVQUERY_USERMODE with TRUE.
extern "C" BOOL WINAPI DrvQueryDriverInfo(DWORD dwMode, PVOID pBuffer, DWORD cbBuf, PDWORD pcbNeeded)
{
    trc_WriteEnter(TEXT("DrvQueryDriverInfo"));
    BOOL result = QueryDriverInfo(dwMode, pBuffer, cbBuf, pcbNeeded);
    ent_TraceExitInt(TEXT("DrvQueryDriverInfo"), result);
    return result;
}

// ent_GetFunctionTable: see entry.h.
const DRVFN *WINAPI ent_GetFunctionTable(void)
{
    return kFunctionTable;
}
