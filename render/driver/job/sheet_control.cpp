/*
 * The job's output and its physical sheets: the settings refreshed when the output
 * begins, the header, and each sheet's start and end commands.
 */
#include "render/driver/job/job_private.h"

#include "core/settings/function_ids.h"
#include "render/driver/binding/pdev_settings.h"
#include "render/driver/fax/fax.h"
#include "render/driver/header/job_header.h"
#include "render/driver/hook/image_hook.h"
#include "render/driver/job/extended_escape.h"
#include "render/driver/page/page_setup.h"
#include "render/driver/pdev/pdev_output.h"
#include "render/pdl/colour/colour_session.h"
#include "render/pdl/writer/pdl_writer.h"

static const LONG kDefaultResolution = 600;
// Output mode whose job starts with a blank side from the output source.
static const LONG kSeparatorOutputMode = 2;
// With the image hook, versions above this one are written as this one.
static const DWORD kHookVersion = 0x01010901;
// Recording kind of the sheets of a job output at job end: page sizes kept as records.

LONG jcp_ResetWriterPage(PDEV *pdev)
{
    PdlWriter *writer = pdev->job.writer;
    if (writer == NULL) {
        return -1;
    }
    const PageSetupSnapshot *snapshot = &pdev->job.setup.snapshot;
    BOOL layout = snapshot->posterOn || snapshot->bookletOn || snapshot->reverseOrder;
    pdl_SetPageMode(writer, 1, layout ? 0 : 1);
    pdl_InvalidateStateCache(writer);
    return pdl_ResetPage(writer) == 0 ? 0 : -1;
}

// ReadDuplexSetting: setting 16 as the page's duplex setting: 2 and 3 as they are, any
// other value 1.
static WORD ReadDuplexSetting(PDEV *pdev)
{
    WORD value = pdev_GetSetting16(pdev, FID_DUPLEX);
    return value == 2 || value == 3 ? value : 1;
}

LONG WINAPI jc_BeginJobOutput(PDEV *pdev)
{
    if (pdev == NULL || jc_IsAborted(pdev) || !jc_HasState(pdev, PAGE_STATE_DOC_OPEN) ||
        (pdev->job.recordWord & RECORD_PAGE_OPEN) == RECORD_PAGE_OPEN) {
        return -1;
    }
    JobControlState *control = &pdev->job.control;
    pdev->job.pageState |= PAGE_STATE_OUTPUT_BEGUN;
    LONG result = esc_ApplyJobOverrides(pdev);
    // Nothing is written for a job asking for a feature this driver does not print.
    if (jcp_BuildSnapshot(pdev, TRUE) != 0) {
        jc_AbortJob(pdev);
        return -1;
    }
    LONG resolution = (LONG)pdev_GetSetting32(pdev, FID_PRINT_QUALITY);
    pdev->job.setup.resolutionX = pdev->job.setup.resolutionY = resolution > 0 ? resolution : kDefaultResolution;
    result |= jcp_ReadPageGeometry(pdev, TRUE);
    // A replay request for a later page goes back to the geometry the output began with.
    control->savedGeometry = pdev->job.setup.page;
    WORD source = 0;
    jc_SelectPaperSource(pdev, &pdev->devmode, &source);
    pdev->job.setup.paperSource = source != 0 ? source : JOB_DEFAULT_SOURCE;
    memset(&control->counters, 0, sizeof control->counters);
    pdev->job.logicalPages = 0;
    result |= clr_OpenColorSession(pdev);
    pdev->jobStartDevmode = pdev->devmode;

    result |= jcp_ResetWriterPage(pdev);
    const PageSetupSnapshot *snapshot = &pdev->job.setup.snapshot;
    if (pdev->job.faxJob && pdev->job.faxPerDestination) {
        // Each destination gets its own spool job at job end: the pages are recorded.
        control->fax.outputPaper = pdev->job.setup.page.output;
        control->replayFlag = 1;
        result |= spl_PdevStartRecording(pdev);
    } else {
        if (!snapshot->headerDeferred) {
            result |= jc_BeginJobText(pdev, 0);
        }
        if (result == 0 && pdev->job.faxJob && control->fax.coverKind != FAX_COVER_NONE) {
            result |= jcp_WriteDestinationCover(pdev, 0);
            if (control->fax.coverOnly) {
                control->counters.pagesOutput++;
            }
        }
        if (snapshot->outputMode == kSeparatorOutputMode && !control->replayFlag) {
            result |= pg_WriteBlankSide(pdev, snapshot->outputSource);
            result |= pg_FollowSourceChange(pdev, snapshot->outputSource, SOURCE_FOLLOW_BACK_FACE);
        }
    }
    if (result != 0) {
        jc_AbortJob(pdev);
        return -1;
    }
    return 0;
}

// RefreshPerPageDuplex: with duplex set per page, a changed paper or duplex value writes
// 'FC' (once the page's duplex setting was read) and the 'FH' pair of the new value.
static LONG RefreshPerPageDuplex(PDEV *pdev)
{
    const PageSetupSnapshot *snapshot = &pdev->job.setup.snapshot;
    if (!snapshot->perPageDuplex || snapshot->driverLayout) {
        return 0;
    }
    PageBlock *block = &pdev->job.setup.page;
    WORD duplex = ReadDuplexSetting(pdev);
    WORD previous = pdev->job.setup.duplexSetting;
    if (previous != 0 && duplex == previous && pg_IsSamePaper(&block->page, &block->output)) {
        return 0;
    }
    LONG result = 0;
    if (previous != 0) {
        result |= pg_EmitMediaChange(pdev);
    }
    result |= pg_SetDuplexBySetting(pdev, (BYTE)duplex);
    pdev->job.setup.duplexSetting = duplex;
    block->output = block->page;
    return result;
}

LONG WINAPI jc_BeginSheet(PDEV *pdev)
{
    if (pdev == NULL || jc_IsAborted(pdev)) {
        return -1;
    }
    JobControlState *control = &pdev->job.control;
    PageCounters *counters = &control->counters;
    pdev->job.pageState |= PAGE_STATE_SHEET_OPEN;
    LONG result = 0;
    PageSetupState *setup = &pdev->job.setup;
    setup->sheetSide = setup->snapshot.duplex == 2 ? (WORD)(setup->sidesOutput & 1) : 0;
    setup->logicalIndex = 0;
    WORD source = 0;
    jc_SelectPaperSource(pdev, &pdev->devmode, &source);
    if (source == 0) {
        source = JOB_DEFAULT_SOURCE;
    }
    if (source != pdev->job.setup.paperSource) {
        counters->pendingSource = source;
        counters->pendingSourceSet = 1;
    }
    // A new source on a two-sided job starts a new sheet: the open front face gets its
    // blank back face first.
    if (counters->pendingSourceSet && jc_IsBackFaceDue(pdev, pdev->job.setup.snapshot.duplex)) {
        result |= jc_TracePageEvent(pdev, TRACE_SKIP_BACK_FACE);
        result |= jcp_WriteBlankSide(pdev, pdev->job.setup.paperSource);
        pdev->job.pageState |= PAGE_STATE_SHEET_OPEN;
        setup->sheetSide = 0;
    }
    if (counters->pendingSourceSet) {
        pdev->job.setup.paperSource = counters->pendingSource;
        counters->pendingSourceSet = 0;
    }
    if (control->pdlVersion > kHookVersion && hook_IsActive(pdev)) {
        control->pdlVersion = kHookVersion;
        pdl_SetLanguageVersion(pdev->job.writer, kHookVersion);
    }
    result |= jcp_BeginRecordedSide(pdev);
    result |= jcp_ResetWriterPage(pdev);
    result |= RefreshPerPageDuplex(pdev);
    result |= pg_WriteSheetPageSetup(pdev);
    return result == 0 ? 0 : -1;
}

LONG WINAPI jc_EndSheet(PDEV *pdev)
{
    if (pdev == NULL || jc_IsAborted(pdev) || jc_HasState(pdev, PAGE_STATE_PAGE_OPEN)) {
        return -1;
    }
    JobControlState *control = &pdev->job.control;
    LONG result = 0;
    if (!pdev->job.setup.snapshot.storedJob) {
        // A sheet whose job-information page is made when its page size is replayed has
        // none to refresh yet.
        if ((pdev->job.recordWord & RECORD_WITH_PAGE_SIZE) != RECORD_WITH_PAGE_SIZE || !pg_JobInfoAtReplay(pdev)) {
            result |= jc_RefreshJobInfoPage(pdev);
        }
        result |= pg_EndPageFB(pdev);
        result |= pg_EndPageED(pdev);
    }
    result |= jc_TracePageEvent(pdev, TRACE_END_PHYSICAL);
    if (hook_IsActive(pdev)) {
        control->pdlVersion = pdev_GetSetting32(pdev, FID_JOB_PDL_VERSION);
        pdl_SetLanguageVersion(pdev->job.writer, control->pdlVersion);
    }
    result |= jcp_EndRecordedSide(pdev);
    pdev->job.setup.sidesOutput++;
    pdev->job.setup.logicalIndex = 0;
    pdev->job.pageState &= (WORD) ~(PAGE_STATE_SHEET_OPEN | PAGE_STATE_DRAWN);
    return result == 0 ? 0 : -1;
}
