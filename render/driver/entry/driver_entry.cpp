// The DLL entry routine, DrvEnableDriver, DrvDisableDriver, DrvQueryDriverInfo and the
// table of entry points handed to GDI.
#include "render/driver/entry/entry.h"

#include "core/trace/trace.h"
#include "render/driver/fonts/fonts.h"

static const DWORD kUserModeAnswerSize = sizeof(DWORD);

// The entry points in GDI's order, with the function index GDI receives.
static const DRVFN kFunctionTable[ENT_FUNCTION_COUNT] = {
    {INDEX_DrvEnablePDEV, (PFN)DrvEnablePDEV},
    {INDEX_DrvResetPDEV, (PFN)DrvResetPDEV},
    {INDEX_DrvCompletePDEV, (PFN)DrvCompletePDEV},
    {INDEX_DrvDisablePDEV, (PFN)DrvDisablePDEV},
    {INDEX_DrvEnableSurface, (PFN)DrvEnableSurface},
    {INDEX_DrvDisableSurface, (PFN)DrvDisableSurface},
    {INDEX_DrvBitBlt, (PFN)DrvBitBlt},
    {INDEX_DrvStretchBlt, (PFN)DrvStretchBlt},
    {INDEX_DrvCopyBits, (PFN)DrvCopyBits},
    {INDEX_DrvTextOut, (PFN)DrvTextOut},
    {INDEX_DrvQueryFont, (PFN)DrvQueryFont},
    {INDEX_DrvQueryFontTree, (PFN)DrvQueryFontTree},
    {INDEX_DrvQueryFontData, (PFN)DrvQueryFontData},
    {INDEX_DrvQueryAdvanceWidths, (PFN)DrvQueryAdvanceWidths},
    {INDEX_DrvSendPage, (PFN)DrvSendPage},
    {INDEX_DrvStrokePath, (PFN)DrvStrokePath},
    {INDEX_DrvFillPath, (PFN)DrvFillPath},
    {INDEX_DrvStrokeAndFillPath, (PFN)DrvStrokeAndFillPath},
    {INDEX_DrvRealizeBrush, (PFN)DrvRealizeBrush},
    {INDEX_DrvStartPage, (PFN)DrvStartPage},
    {INDEX_DrvStartDoc, (PFN)DrvStartDoc},
    {INDEX_DrvEscape, (PFN)DrvEscape},
    {INDEX_DrvEndDoc, (PFN)DrvEndDoc},
    {INDEX_DrvGetGlyphMode, (PFN)DrvGetGlyphMode},
    {INDEX_DrvStretchBltROP, (PFN)DrvStretchBltROP},
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
