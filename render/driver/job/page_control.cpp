/*
 * Logical pages: the page started before drawing, its start commands, its end at
 * DrvSendPage and the count that ends a full sheet.
 */
#include "render/driver/job/job_private.h"

#include "core/settings/function_ids.h"
#include "render/driver/binding/pdev_settings.h"
#include "render/driver/header/job_header.h"
#include "render/driver/page/page_setup.h"
#include "render/pdl/colour/colour_session.h"
#include "render/pdl/writer/pdl_writer.h"

// The name text: at most this many characters, placed with the identity matrix.
static const DWORD kNameTextChars = 256;

// WriteNameText: 'Eg' with the text of setting 340 (nothing for an empty one).
static LONG WriteNameText(PDEV *pdev)
{
    const WCHAR *text = pdev_GetSettingString(pdev, FID_NAME_TEXT);
    if (text == NULL) {
        return -1;
    }
    DWORD count = 0;
    while (count < kNameTextChars && text[count] != 0) {
        ++count;
    }
    if (count == 0) {
        return 0;
    }
    TextEgRecord record = {};
    record.count = (WORD)count;
    record.matrix[0] = 1.0f;
    record.matrix[3] = 1.0f;
    return pdl_WriteTextEg(pdev->job.writer, &record, text) == 0 ? 0 : -1;
}

// BeginLogicalPage: the logical page's start commands.
static LONG BeginLogicalPage(PDEV *pdev)
{
    pdev->job.pageState |= PAGE_STATE_PAGE_OPEN;
    // The page's colour set starts empty (and valid again) with every logical page.
    LONG colours = clr_InitPageColorSet(pdev);
    // The current page number: 1-based, the logical pages ended in the job so far + 1.
    pdev->job.control.counters.currentPage = (WORD)(pdev->job.logicalPages + 1);
    LONG result = colours | jc_TracePageEvent(pdev, TRACE_START_PAGE);
    if (pdev->job.setup.snapshot.nameTextOn) {
        result |= WriteNameText(pdev);
    }
    result |= pg_WritePageTransform(pdev);
    result |= pg_WriteFFAndAI(pdev);
    if (pdev->job.setup.snapshot.turnAllowed) {
        pdev->job.control.pageTurn = jc_IsPageTurnNeeded(pdev);
    }
    return result;
}

LONG WINAPI jc_StartPage(PDEV *pdev)
{
    if (pdev == NULL || jc_IsAborted(pdev) || pdev->job.writer == NULL || !jc_HasState(pdev, PAGE_STATE_DOC_OPEN) ||
        jc_HasState(pdev, PAGE_STATE_PAGE_OPEN)) {
        return -1;
    }
    LONG result = 0;
    if (!jc_HasState(pdev, PAGE_STATE_OUTPUT_BEGUN)) {
        result = jc_BeginJobOutput(pdev);
        if (jc_IsAborted(pdev)) {
            return -1;
        }
    }
    // A cover-only fax job outputs no document pages.
    if (jcp_IsCoverOnly(pdev)) {
        return result == 0 ? 0 : -1;
    }
    if (jc_HasState(pdev, PAGE_STATE_REREAD)) {
        result |= jcp_ReadPageGeometry(pdev, FALSE);
    }
    if (!jc_HasState(pdev, PAGE_STATE_SHEET_OPEN)) {
        result |= jc_BeginSheet(pdev);
    }
    result |= BeginLogicalPage(pdev);
    if (result != 0) {
        jc_AbortJob(pdev);
        return -1;
    }
    // The printer starts the page unclipped: the next clip resets first.
    pdev->job.clip.kind = CLIP_KIND_RESET;
    return 0;
}

LONG WINAPI jc_EnsurePageStarted(PDEV *pdev)
{
    if (pdev == NULL || jc_IsAborted(pdev)) {
        return -1;
    }
    if (!jc_HasState(pdev, PAGE_STATE_DOC_OPEN)) {
        jc_MarkJobFailed(pdev);
        return -1;
    }
    pdev->job.pageState |= PAGE_STATE_DRAWN;
    LONG result = 0;
    if (!jc_HasState(pdev, PAGE_STATE_PAGE_OPEN)) {
        result = jc_StartPage(pdev);
    }
    if (result == 0 && jc_HasState(pdev, PAGE_STATE_PAGE_OPEN)) {
        result = pg_WritePageTransform(pdev);
    }
    if (result != 0) {
        jc_MarkJobFailed(pdev);
        return -1;
    }
    return 0;
}

LONG WINAPI jc_EndLogicalPage(PDEV *pdev)
{
    if (pdev == NULL || jc_IsAborted(pdev)) {
        return -1;
    }
    JobControlState *control = &pdev->job.control;
    LONG result = 0;
    if (!jc_HasState(pdev, PAGE_STATE_PAGE_OPEN)) {
        // A page nothing was drawn on: skipped when the job skips empty pages (no trace,
        // no count: a trace before the output began would fail its write).
        if (pdev->job.setup.snapshot.skipEmptyPages) {
            control->nextPageReplay = 0;
            return 0;
        }
        result = jc_EnsurePageStarted(pdev);
        pdev->job.pageState &= (WORD)~PAGE_STATE_DRAWN;
        if (result != 0) {
            return -1;
        }
    }
    result |= jc_TracePageEvent(pdev, TRACE_END_LOGICAL);
    pdev->job.pageState &= (WORD) ~(PAGE_STATE_PAGE_OPEN | PAGE_STATE_REREAD);
    PageCounters *counters = &control->counters;
    pdev->job.logicalPages++;
    if (!counters->blankFace) {
        counters->pagesOutput++;
    }
    pdev->job.setup.logicalIndex++;
    WORD capacity = pdev->job.setup.snapshot.nupCount > 0 ? pdev->job.setup.snapshot.nupCount : 1;
    if (pdev->job.setup.logicalIndex >= capacity) {
        result |= jc_EndSheet(pdev);
    }
    return result == 0 ? 0 : -1;
}

LONG WINAPI jc_SendPage(PDEV *pdev)
{
    if (pdev == NULL || jc_IsAborted(pdev) || pdev->job.writer == NULL) {
        return -1;
    }
    JobControlState *control = &pdev->job.control;
    // A cover-only fax job: the header and the cover sheet at the first page end.
    if (jcp_IsCoverOnly(pdev)) {
        return jc_HasState(pdev, PAGE_STATE_OUTPUT_BEGUN) ? 0 : jc_BeginJobOutput(pdev);
    }
    LONG result = jc_EndLogicalPage(pdev);
    if (control->nextPageReplay) {
        control->nextPageReplay = 0;
        control->replayFlag = 1;
        pdev->job.setup.page = control->savedGeometry;
    }
    if (result != 0) {
        jc_AbortJob(pdev);
        return -1;
    }
    return 0;
}
