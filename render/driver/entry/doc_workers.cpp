/*
 * The document and page workers: PDEV flags around the job control of the job pipeline.
 */
#include "render/driver/entry/entry.h"

#include "core/trace/trace.h"
#include "render/driver/job/job_control.h"
#include "render/driver/pdev/pdev.h"
#include "render/pdl/images/image_queue.h"

static const DWORD kTraceStartDoc = 0x80000;
static const DWORD kTraceStartPage = 0x100000;

// The PDEV of a surface, or NULL (ERROR_INVALID_PARAMETER for a corrupt one).
static PDEV *SurfacePdev(SURFOBJ *pso)
{
    if (pso == NULL) {
        return NULL;
    }
    PDEV *pdev = pdev_FromSurface(pso);
    if (!pdev_IsValid(pdev)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return NULL;
    }
    return pdev;
}

// ent_EndDoc: see entry.h. A job that failed or whose end could not be written is not
// reported as printed; a completed abort is.
BOOL WINAPI ent_EndDoc(SURFOBJ *pso, FLONG fl)
{
    PDEV *pdev = SurfacePdev(pso);
    if (pdev == NULL) {
        return FALSE;
    }
    BOOL failed = (pdev->flags & PDEV_FLAG_JOB_FAILED) != 0;
    BOOL aborted = (fl & ED_ABORTDOC) != 0;
    if (aborted) {
        jc_AbortJob(pdev);
    } else if ((pdev->flags & PDEV_FLAG_PAGE_STARTED) && jc_EndJob(pdev) == -1) {
        failed = TRUE;
    }
    if (jc_CloseJob(pdev) == -1) {
        failed = TRUE;
    }
    pdev->flags &= ~(PDEV_FLAG_DOC_STARTED | PDEV_FLAG_PAGE_STARTED | PDEV_FLAG_CONTINUATION);
    return aborted ? TRUE : !failed;
}

// ent_SendPage: see entry.h.
BOOL WINAPI ent_SendPage(SURFOBJ *pso)
{
    PDEV *pdev = SurfacePdev(pso);
    if (pdev == NULL) {
        return FALSE;
    }
    BOOL good = TRUE;
    WORD state = pdev->job.pageState;
    if (!(state & PAGE_STATE_ABORT) && (state & PAGE_STATE_OUTPUT_BEGUN)) {
        good = img_FlushImageQueue(pdev, 1) == 0;
    }
    if (jc_SendPage(pdev) != 0) {
        good = FALSE;
    }
    pdev->flags &= ~PDEV_FLAG_PAGE_OPEN;
    return good;
}

// ent_StartDoc: see entry.h.
BOOL WINAPI ent_StartDoc(SURFOBJ *pso, LPWSTR pwszDocName, DWORD dwJobId)
{
    PDEV *pdev = SurfacePdev(pso);
    if (pdev == NULL) {
        return FALSE;
    }
    trc_DumpSettingValues(kTraceStartDoc, TEXT("<INPUT  DEVMODE>"), &pdev->devmode, pdev->printerData);
    pdev->flags |= PDEV_FLAG_DOC_STARTED;
    if (dwJobId != 0) {
        pdev->jobId = dwJobId;
    }
    if (pdev->flags & PDEV_FLAG_CONTINUATION) {
        return TRUE;
    }
    BOOL failed = jc_StartJob(pdev, pdev->printer) != 0;
    failed |= jc_OpenJob(pdev, pwszDocName, NULL) != 0;
    failed |= pdev_InitModuleSlot(pdev, pdev->jobId) != 0;
    pdev->flags &= ~(PDEV_FLAG_PAGE_STARTED | PDEV_FLAG_PAGE_OPEN);
    if (failed) {
        pdev->flags |= PDEV_FLAG_JOB_FAILED;
        return FALSE;
    }
    return TRUE;
}

// ent_StartPage: see entry.h.
BOOL WINAPI ent_StartPage(SURFOBJ *pso)
{
    PDEV *pdev = SurfacePdev(pso);
    if (pdev == NULL) {
        return FALSE;
    }
    trc_DumpSettingValues(kTraceStartPage, NULL, &pdev->devmode, pdev->printerData);
    if (pdev->flags & PDEV_FLAG_JOB_FAILED) {
        return FALSE;
    }
    if (pdev->flags & PDEV_FLAG_PAGE_OPEN) {
        return TRUE;
    }
    WORD both = PAGE_STATE_DOC_OPEN | PAGE_STATE_OUTPUT_BEGUN;
    if ((pdev->job.pageState & both) != both) {
        pdev_ClearCarryWord(pdev);
        pdev->flags |= PDEV_FLAG_PAGE_STARTED;
    }
    pdev_ResetPageBuffer(pdev);
    pdev->flags |= PDEV_FLAG_PAGE_OPEN;
    pdev->flags &= ~PDEV_FLAG_CONTINUATION;
    return TRUE;
}
