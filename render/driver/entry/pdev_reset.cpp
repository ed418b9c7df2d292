/*
 * DrvResetPDEV: a new PDEV takes over the running job of the old one.
 */
#include <string.h>

#include "core/settings/function_ids.h"
#include "core/trace/trace.h"
#include "render/driver/binding/dma_binding.h"
#include "render/driver/binding/pdev_settings.h"
#include "render/driver/entry/entry.h"
#include "render/driver/forms/forms.h"
#include "render/driver/forms/pdev_paper.h"
#include "render/driver/job/job_control.h"

static const DWORD kTraceResetCategory = 0x20000;

// The page-level settings a new PDEV keeps of its own when the job output has begun.
static const WORD kPageSettings[] = {
    FID_ORIENTATION, FID_PAPER_SIZE, FID_PAPER_LENGTH, FID_PAPER_WIDTH, FID_FORM_NAME, FID_DEFAULT_SOURCE};

// The fax settings a fax model's new PDEV takes from the old DEVMODE before the output
// has begun: cover sheet, cover kind, one job per destination, destination count, cover
// only, and the two file paths.
static const WORD kFaxSettings[] = {FID_FAX_COVER_SHEET,
                                    FID_FAX_COVER_KIND,
                                    FID_FAX_ONE_DESTINATION,
                                    FID_FAX_DESTINATIONS,
                                    FID_FAX_COVER_ONLY,
                                    FID_SETTINGS_FILE,
                                    FID_FILE_PATH_375};

// Value buffer of one setting copy: large enough for any scalar value.
struct SettingValue {
    BYTE bytes[64];
};

// CopySetting: one setting from a DEVMODE (and printer-data block) into the PDEV's
// DEVMODE. Returns 1, or 0 when it cannot be read or written.
static BOOL CopySetting(WORD functionId, DriverDevmode *from, PrinterDataBlock *fromBlock, PDEV *to)
{
    WORD type = 0;
    DWORD size = 0;
    SettingValue value = {};
    if (dma_CallGetValue(functionId, from, fromBlock, &type, &size, value.bytes) != 0) {
        return FALSE;
    }
    return dma_CallSetValue(functionId, &to->devmode, to->printerData, type, size, value.bytes) == 0;
}

// TakeJob: the old PDEV's job state moves whole into the new one.
static void TakeJob(PDEV *oldPdev, PDEV *newPdev)
{
    newPdev->jobId = oldPdev->jobId;
    newPdev->trailer = oldPdev->trailer;
    newPdev->job = oldPdev->job;
    memset(&oldPdev->job, 0, sizeof oldPdev->job);
    // The stored clip path lives on the old PDEV's heap and goes with it: the new PDEV
    // starts with a clip reset and nothing stored.
    memset(&newPdev->job.clip, 0, sizeof newPdev->job.clip);
    newPdev->job.clip.kind = CLIP_KIND_RESET;
}

// TakeOutputPaper: the old PDEV's output paper with its description record.
static void TakeOutputPaper(PDEV *oldPdev, PDEV *newPdev)
{
    PaperDescription *mine = &newPdev->paper[1];
    if (mine->ownsRecord && mine->record != NULL) {
        ddd_FreeRecord(&mine->record, DDD_FREE_OWN_TYPE);
    }
    *mine = oldPdev->paper[1];
    oldPdev->paper[1].ownsRecord = 0;
}

// CarryDevmode: after output began the new PDEV takes the old DEVMODE with its own page
// settings; before, it keeps its DEVMODE and takes the old second part, a fax model's fax
// settings and setting 334.
static BOOL CarryDevmode(PDEV *oldPdev, PDEV *newPdev, WORD jobControl0, WORD jobControl1)
{
    if (!(newPdev->job.pageState & PAGE_STATE_OUTPUT_BEGUN)) {
        util_CopySecondPart(&newPdev->devmode, &oldPdev->devmode);
        BOOL ok = TRUE;
        for (size_t i = 0; newPdev->faxModel && i < sizeof kFaxSettings / sizeof kFaxSettings[0]; ++i) {
            ok = ok && CopySetting(kFaxSettings[i], &oldPdev->devmode, oldPdev->printerData, newPdev);
        }
        return ok && CopySetting(FID_JOB_TYPE, &oldPdev->devmode, oldPdev->printerData, newPdev);
    }
    DriverDevmode *own = (DriverDevmode *)HeapAlloc(newPdev->heap, 0, sizeof(DriverDevmode));
    if (own == NULL) {
        return FALSE;
    }
    *own = newPdev->devmode;
    newPdev->devmode = oldPdev->devmode;
    BOOL ok = TRUE;
    for (WORD id : kPageSettings) {
        ok = ok && CopySetting(id, own, newPdev->printerData, newPdev);
    }
    if (ok && pdev_GetSetting32(oldPdev, FID_PER_PAGE_DUPLEX) != 0) {
        ok = CopySetting(FID_DUPLEX, own, newPdev->printerData, newPdev);
    }
    HeapFree(newPdev->heap, 0, own);
    if (ok && jobControl0 == 0 && jobControl1 == 0) {
        TakeOutputPaper(oldPdev, newPdev);
    }
    return ok;
}

extern "C" BOOL WINAPI DrvResetPDEV(DHPDEV dhpdevOld, DHPDEV dhpdevNew)
{
    trc_WriteEnter(TEXT("DrvResetPDEV"));
    PDEV *oldPdev = (PDEV *)dhpdevOld;
    PDEV *newPdev = (PDEV *)dhpdevNew;
    if (!pdev_IsValid(oldPdev) || !pdev_IsValid(newPdev)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        ent_TraceExitInt(TEXT("DrvResetPDEV"), FALSE);
        return FALSE;
    }
    BOOL docOpen = (oldPdev->flags & PDEV_FLAG_DOC_STARTED) != 0;
    if (docOpen) {
        newPdev->carryWord = oldPdev->carryWord;
        newPdev->carryFlag = oldPdev->carryFlag;
    }
    if (docOpen || oldPdev->jobInProgress) {
        WORD jobControl0 = oldPdev->job.jobControl[0];
        WORD jobControl1 = oldPdev->job.jobControl[1];
        TakeJob(oldPdev, newPdev);
        newPdev->carriedWord = oldPdev->carriedWord;
        newPdev->jobInProgress = oldPdev->jobInProgress;
        if (!CarryDevmode(oldPdev, newPdev, jobControl0, jobControl1)) {
            ent_TraceExitInt(TEXT("DrvResetPDEV"), FALSE);
            return FALSE;
        }
        newPdev->flags |= PDEV_FLAG_CONTINUATION | (oldPdev->flags & (PDEV_FLAG_DOC_STARTED | PDEV_FLAG_PAGE_STARTED));
        oldPdev->flags |= PDEV_FLAG_HANDED_OVER;
        if (jc_CarryJobState(newPdev, oldPdev) < 0) {
            ent_TraceExitInt(TEXT("DrvResetPDEV"), FALSE);
            return FALSE;
        }
    }
    newPdev->jobStartDevmode = oldPdev->jobStartDevmode;
    trc_DumpSettingValues(kTraceResetCategory, TEXT("<OLD DEVMODE>"), &oldPdev->devmode, oldPdev->printerData);
    trc_DumpSettingValues(kTraceResetCategory, TEXT("<NEW DEVMODE>"), &newPdev->devmode, newPdev->printerData);
    ent_TraceExitInt(TEXT("DrvResetPDEV"), TRUE);
    return TRUE;
}
