/*
 * The end of a job: completed (DrvEndDoc), aborted or closed, the release of what it
 * holds, and the carry-over into a new PDEV at DrvResetPDEV.
 */
#include "render/driver/job/job_private.h"

#include "core/outside/monitor_binding.h"

#include "render/driver/fax/fax.h"
#include "render/driver/header/job_header.h"
#include "render/driver/hook/image_hook.h"
#include "render/driver/job/extended_escape.h"
#include "render/driver/page/page_setup.h"
#include "render/driver/pdev/escape_state.h"
#include "render/driver/pdev/pdev_output.h"
#include "render/pdl/colour/colour_session.h"
#include "render/pdl/compression/compress_dll.h"
#include "render/pdl/compression/colour_analysis.h"
#include "render/pdl/images/image_queue.h"
#include "render/pdl/text/text_job.h"
#include "render/pdl/writer/pdl_writer.h"

// EndOpenPages: a logical page and a sheet left open at job end are ended, each with its
// trace record; a back face still due is output blank.
static LONG EndOpenPages(PDEV *pdev)
{
    LONG result = 0;
    if (jc_HasState(pdev, PAGE_STATE_PAGE_OPEN)) {
        result |= jc_TracePageEvent(pdev, TRACE_END_JOB_OPEN_PAGE);
        result |= jc_EndLogicalPage(pdev);
        if (jc_HasState(pdev, PAGE_STATE_PAGE_OPEN)) {
            return -1;
        }
    }
    if (jc_HasState(pdev, PAGE_STATE_SHEET_OPEN)) {
        result |= jc_TracePageEvent(pdev, TRACE_END_JOB_LEFT_NUP);
        result |= jc_EndSheet(pdev);
        if (jc_HasState(pdev, PAGE_STATE_SHEET_OPEN)) {
            return -1;
        }
    }
    if (jc_IsBackFaceDue(pdev, pdev->job.setup.snapshot.duplex)) {
        result |= jc_TracePageEvent(pdev, TRACE_SKIP_BACK_FACE);
        result |= jcp_WriteBlankSide(pdev, pdev->job.setup.paperSource);
    }
    return result;
}

// WriteRecordedJob: the deferred header, the recorded sides (replayed, or imposed as a
// booklet), the job-end text; then the page store ends.
static LONG WriteRecordedJob(PDEV *pdev)
{
    const PageSetupSnapshot *snapshot = &pdev->job.setup.snapshot;
    LONG result = 0;
    if (snapshot->headerDeferred) {
        result |= jc_BeginJobText(pdev, 0);
    }
    if (pdev->job.control.replayFlag) {
        result |= jc_ReplayPages(pdev);
    } else if (snapshot->bookletOn) {
        result |= jc_ReplayBooklet(pdev);
    } else {
        result = -1;
    }
    result |= jc_EndJobText(pdev);
    result |= spl_PdevEndRecording(pdev);
    return result;
}

// WriteJobEnd: a pending paper-source change (a blank side from that source, followed up
// when it is the page's source), then the job-end text.
static LONG WriteJobEnd(PDEV *pdev)
{
    PageCounters *counters = &pdev->job.control.counters;
    LONG result = 0;
    if (counters->pendingSourceSet) {
        WORD source = counters->pendingSource;
        counters->pendingSourceSet = 0;
        result |= pg_WriteBlankSide(pdev, source);
        if (source == pdev->job.setup.paperSource) {
            result |= pg_FollowSourceChange(pdev, source, SOURCE_FOLLOW_BACK_FACE);
        }
    }
    result |= jc_EndJobText(pdev);
    return result;
}

LONG WINAPI jc_EndJob(PDEV *pdev)
{
    if (pdev == NULL || jc_IsAborted(pdev) || !jc_HasState(pdev, PAGE_STATE_DOC_OPEN)) {
        return -1;
    }
    LONG result = 0;
    if (jc_HasState(pdev, PAGE_STATE_OUTPUT_BEGUN)) {
        result |= EndOpenPages(pdev);
        if (pdev->job.faxJob && pdev->job.faxPerDestination && pdev->job.recordWord == RECORD_ON) {
            result |= jcp_OutputPerDestination(pdev);
            result |= spl_PdevEndRecording(pdev);
        } else if (pdev->job.recordWord == RECORD_ON) {
            result |= WriteRecordedJob(pdev);
        } else {
            result |= WriteJobEnd(pdev);
        }
    }
    BOOL failed = result != 0;
    if (spl_PdevCloseChannel(pdev, failed) != 0) {
        failed = TRUE;
    }
    // The document monitor runs only after the job was handed over whole.
    if (!failed && pdev->job.monitorSession != NULL) {
        ext_JtrExecute(pdev->job.monitorSession);
        pdev->job.monitorSession = NULL;
    }
    jc_ReleaseJob(pdev);
    pdev->job.pageState &= (WORD) ~(PAGE_STATE_DOC_OPEN | PAGE_STATE_OUTPUT_BEGUN);
    if (failed) {
        jc_MarkJobFailed(pdev);
        return -1;
    }
    return 0;
}

LONG WINAPI jc_AbortJob(PDEV *pdev)
{
    if (pdev == NULL || jc_IsAborted(pdev) || !jc_HasState(pdev, PAGE_STATE_DOC_OPEN)) {
        return -1;
    }
    pdev->job.pageState |= PAGE_STATE_ABORT;
    jc_MarkJobFailed(pdev);
    spl_PdevCloseChannel(pdev, TRUE);
    jc_ReleaseJob(pdev);
    pdev->job.pageState &= (WORD) ~(PAGE_STATE_DOC_OPEN | PAGE_STATE_OUTPUT_BEGUN);
    return 0;
}

LONG WINAPI jc_CloseJob(PDEV *pdev)
{
    if (pdev == NULL) {
        return -1;
    }
    pdev->job.control.printer = NULL;
    pdev->job.pageState = 0;
    pdev->job.recordWord = 0;
    hook_Close(pdev);
    spl_PdevDestroyStream(pdev);
    return jc_ReleaseJob(pdev);
}

LONG WINAPI jc_ReleaseJob(PDEV *pdev)
{
    if (pdev == NULL) {
        return -1;
    }
    JobControlState *control = &pdev->job.control;
    LONG result = clr_CloseColorSession(pdev);
    img_FreeAnalysisState(pdev);
    result |= jcs_DestroyImageQueue(pdev);
    // A document-monitor session that was not run is ended.
    if (pdev->job.monitorSession != NULL) {
        ext_JtrEnd(pdev->job.monitorSession);
        pdev->job.monitorSession = NULL;
    }
    jcs_FreeRotationBuffer(pdev);
    hook_Close(pdev);
    if (pdev->job.writer != NULL) {
        pdl_DestroyWriter(pdev->job.writer);
        pdev->job.writer = NULL;
    }
    fnt_FreeFontKeys(&pdev->job.fontKeys);
    img_UnloadCompressDll(pdev);
    // A fax job's list and its fax file go on every end of the job.
    if (pdev->job.faxJob) {
        result |= fax_ReleaseSendList(pdev);
        jcp_DeleteFaxFile(pdev);
        pdev->job.faxJob = 0;
    }
    jc_FreeJobInfo(pdev);
    esc_ReleaseKept(pdev);
    control->replayRequest = 0;
    control->replayFlag = 0;
    control->nextPageReplay = 0;
    pdev->carryFlag = 0;
    // The escape overrides leak into the next job unless every end restores them.
    esc_RestoreJobOverrides(pdev);
    return result == 0 ? 0 : -1;
}

LONG WINAPI jc_CarryJobState(PDEV *newPdev, PDEV *oldPdev)
{
    if (newPdev == NULL || oldPdev == NULL) {
        return -1;
    }
    // The job state has moved already: the old PDEV's page state is in the new one.
    WORD states = (WORD)(newPdev->job.pageState | oldPdev->job.pageState);
    if (states & (PAGE_STATE_ABORT | PAGE_STATE_PAGE_OPEN)) {
        return -1;
    }
    newPdev->job.pageState |= PAGE_STATE_REREAD;
    return 0;
}
