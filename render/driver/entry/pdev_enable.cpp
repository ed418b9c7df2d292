/*
 * The PDEV's life: DrvEnablePDEV builds it from the application's DEVMODE, DrvCompletePDEV
 * takes GDI's handle, DrvDisablePDEV gives everything back.
 */
#include <string.h>

#include "core/context/driver_context.h"
#include "core/ddd/model_query.h"
#include "core/settings/function_ids.h"
#include "core/stored/stored.h"
#include "core/trace/trace.h"
#include "core/util/module.h"
#include "core/util/resource_module.h"
#include "render/driver/binding/dma_binding.h"
#include "render/driver/binding/pdev_settings.h"
#include "render/driver/entry/entry.h"
#include "render/driver/entry/pdev_lifecycle.h"
#include "render/driver/escape/escape.h"
#include "render/driver/job/job_control.h"
#include "render/pdl/fonts/fonts.h"

static const DWORD kInitialHeapSize = 8192;
static const DWORD kInitialWord = 256;
static const WORD kFaxModelClass = 2;
// dmDriverExtra of the full DEVMODE kept inside the driver.
static const WORD kInnerDriverExtra = DM_FULL_SIZE - DM_PUBLIC_SIZE;
static const DWORD kTraceEnableCategory = 0x10000;

// DevmodeAcceptable: a DEVMODE of the public size carrying the full private part and the
// 24-byte trailer. Only fields inside the size it claims are read.
static BOOL DevmodeAcceptable(const DEVMODEW *pdm)
{
    if (pdm == NULL || pdm->dmSize != DM_PUBLIC_SIZE || pdm->dmDriverExtra != DEVMODE_TRAILER_EXTRA) {
        return FALSE;
    }
    WORD trailerSize = 0;
    const BYTE *trailer = (const BYTE *)pdm + DEVMODE_TRAILER_OFFSET;
    memcpy(&trailerSize, trailer + offsetof(DevmodeTrailer, size), sizeof trailerSize);
    return trailerSize == DEVMODE_TRAILER_SIZE;
}

// TakeTrailer: the trailer's paper record, device-paper-list value and enforced flag.
static void TakeTrailer(PDEV *pdev, const DEVMODEW *pdm)
{
    memcpy(&pdev->trailer, (const BYTE *)pdm + DEVMODE_TRAILER_OFFSET, sizeof pdev->trailer);
}

void pdev_Release(PDEV *pdev, BOOL resourceTaken, BOOL bound)
{
    if (pdev != NULL) {
        if (pdev->palette != NULL) {
            EngDeletePalette(pdev->palette);
            pdev->palette = NULL;
        }
        fnt_FreeDeviceFontTables(pdev->heap, pdev->fonts);
        pdev->fonts = NULL;
        pdev->fontCount = 0;
        if (pdev->fontSubTable != NULL) {
            GlobalFree(pdev->fontSubTable);
            pdev->fontSubTable = NULL;
        }
        pdev_FreePapers(pdev);
        esc_ReleaseKept(pdev);
        if (pdev->context != NULL) {
            ent_EnterContextLock();
            ddd_CloseContext(pdev->context);
            ent_LeaveContextLock();
            pdev->context = NULL;
            pdev->modelFile = NULL;
            pdev->baseFile = NULL;
        }
        pdev->signature = 0;
        pdev->signatureEnd = 0;
        HeapDestroy(pdev->heap); // the PDEV, its printer-data block and page buffer with it
    }
    if (resourceTaken) {
        util_ReleaseResourceModule();
    }
    if (bound) {
        ent_EnterBindingLock();
        dma_UnbindLibrary();
        ent_LeaveBindingLock();
    }
}

// CreatePdev: a zeroed PDEV on a new private heap; NULL when either cannot be made.
static PDEV *CreatePdev(void)
{
    HANDLE heap = HeapCreate(0, kInitialHeapSize, 0);
    if (heap == NULL) {
        return NULL;
    }
    PDEV *pdev = (PDEV *)HeapAlloc(heap, HEAP_ZERO_MEMORY, sizeof(PDEV));
    if (pdev == NULL) {
        HeapDestroy(heap);
        return NULL;
    }
    pdev->heap = heap;
    return pdev;
}

// OpenContext: the printer context and its two description files, under the context lock.
static BOOL OpenContext(PDEV *pdev)
{
    ent_EnterContextLock();
    pdev->context = ddd_OpenContext(pdev->printer);
    ent_LeaveContextLock();
    if (pdev->context == NULL) {
        return FALSE;
    }
    pdev->modelFile = pdev->context->model;
    pdev->baseFile = pdev->context->base;
    return TRUE;
}

// Initialise: the PDEV's settings, papers, fonts and tables (steps after the context).
static BOOL Initialise(PDEV *pdev, DriverDevmode *local, PaperTenths *tenths)
{
    pdev->flags = 0;
    pdev->signature = PDEV_SIGNATURE;
    pdev->signatureEnd = PDEV_SIGNATURE;
    pdev->printerData = (PrinterDataBlock *)HeapAlloc(pdev->heap, HEAP_ZERO_MEMORY, sizeof(PrinterDataBlock));
    if (pdev->printerData == NULL || !pd_LoadPrinterData(pdev->printer, pdev->printerData, pdev->context)) {
        return FALSE;
    }
    memcpy(&pdev->devmode, local, DM_SHORT_SIZE);
    pdev->fonts = fnt_BuildDeviceFontTables(pdev->heap, pdev->modelFile, pdev->baseFile);
    if (pdev->fonts == NULL) {
        return FALSE;
    }
    pdev->fontCount = pdev->fonts->count;
    if (!pdev_BuildPapers(pdev, tenths)) {
        return FALSE;
    }
    pdev->copyCount = pdev_GetSetting32(pdev, FID_COPIES);
    pdev->fontSubTable = pd_GetFontSubTable(pdev->printer, 0);
    if (pdev->fontSubTable == NULL) {
        pdev->fontSubTable = pd_BuildFontSubTable(pdev->context);
    }
    if (pdev->fontSubTable == NULL) {
        return FALSE;
    }
    pdev->word256 = kInitialWord;
    DWORD scale = (pdev_GetSetting32(pdev, FID_FIELDS) & DM_SCALE) ? pdev_GetSetting32(pdev, FID_SCALE) : 100;
    pdev->scaledResolution = pdev_GetSetting32(pdev, FID_PRINT_QUALITY) * scale / 100;
    pdev->carriedWord = 0;
    pdev->jobInProgress = 0;
    pdev->faxModel = ddd_GetModelClass(pdev->modelFile) == kFaxModelClass;
    memset(pdev->job.jobPointers, 0, sizeof pdev->job.jobPointers);
    return TRUE;
}

extern "C" {

DHPDEV WINAPI DrvEnablePDEV(DEVMODEW *pdm, LPWSTR, ULONG cPat, HSURF *phsurfPatterns, ULONG cjCaps, ULONG *pdevcaps,
                            ULONG cjDevInfo, DEVINFO *pdi, HDEV hdev, LPWSTR, HANDLE hDriver)
{
    trc_Initialize();
    trc_WriteEnter(TEXT("DrvEnablePDEV"));
    PDEV *pdev = NULL;
    BOOL bound = FALSE;
    BOOL resourceTaken = FALSE;
    DriverDevmode *local = NULL;
    PaperTenths tenths = {};
    if (pdevcaps == NULL || pdi == NULL || hdev == NULL || hDriver == NULL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        goto failed;
    }
    pdev = CreatePdev();
    if (pdev == NULL) {
        goto failed;
    }
    pdev->printer = hDriver;
    pdev->hdev = hdev;
    ent_EnterBindingLock();
    bound = dma_BindLibrary(util_GetModuleHandle());
    ent_LeaveBindingLock();
    if (!bound) {
        goto failed;
    }
    resourceTaken = util_LoadResourceModule() != NULL;
    if (!DevmodeAcceptable(pdm)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        goto failed;
    }
    local = (DriverDevmode *)HeapAlloc(pdev->heap, HEAP_ZERO_MEMORY, sizeof(DriverDevmode));
    if (local == NULL) {
        goto failed;
    }
    memcpy(local, pdm, DM_FULL_SIZE);
    local->dm.dmDriverExtra = kInnerDriverExtra;
    TakeTrailer(pdev, pdm);
    pdev->resourceUse = resourceTaken;
    if (!OpenContext(pdev) || !Initialise(pdev, local, &tenths)) {
        goto failed;
    }
    pdev_FillGdiInfo(pdev, &tenths, cjCaps, pdevcaps);
    if (!pdev_FillDevInfo(pdev, cjDevInfo, pdi)) {
        goto failed;
    }
    for (ULONG i = 0; phsurfPatterns != NULL && i < cPat; ++i) {
        phsurfPatterns[i] = NULL;
    }
    trc_DumpSettingValues(kTraceEnableCategory, TEXT("<INPUT  DEVMODE>"), local, pdev->printerData);
    trc_DumpSettingValues(kTraceEnableCategory, TEXT("<OUTPUT DEVMODE>"), &pdev->devmode, pdev->printerData);
    HeapFree(pdev->heap, 0, local);
    ent_TraceExitHex(TEXT("DrvEnablePDEV"), (ULONG_PTR)pdev);
    return (DHPDEV)pdev;

failed:
    pdev_Release(pdev, resourceTaken, bound);
    ent_TraceExitHex(TEXT("DrvEnablePDEV"), 0);
    return NULL;
}

void WINAPI DrvCompletePDEV(DHPDEV dhpdev, HDEV hdev)
{
    trc_WriteEnter(TEXT("DrvCompletePDEV"));
    PDEV *pdev = (PDEV *)dhpdev;
    if (pdev_IsValid(pdev)) {
        pdev->hdev = hdev;
    } else {
        SetLastError(ERROR_INVALID_PARAMETER);
    }
    ent_TraceExitBare(TEXT("DrvCompletePDEV"));
}

void WINAPI DrvDisablePDEV(DHPDEV dhpdev)
{
    trc_WriteEnter(TEXT("DrvDisablePDEV"));
    PDEV *pdev = (PDEV *)dhpdev;
    if (pdev_IsValid(pdev)) {
        if (!(pdev->flags & PDEV_FLAG_HANDED_OVER) && (pdev->flags & PDEV_FLAG_DOC_STARTED)) {
            jc_CloseJob(pdev);
        }
        pdev_Release(pdev, pdev->resourceUse, TRUE);
    } else {
        // Nothing was taken for a pointer that is no PDEV, so nothing is given back.
        SetLastError(ERROR_INVALID_PARAMETER);
    }
    ent_TraceExitBare(TEXT("DrvDisablePDEV"));
}

} // extern "C"
