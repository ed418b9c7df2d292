/*
 * Recorded jobs: when a job's pages are recorded in the page store, each sheet side being
 * one stored page, and how they are written at job end (in order or reversed, once per
 * copy the driver makes).
 */
#include "render/driver/job/job_private.h"

#include "render/driver/page/page_setup.h"
#include "render/driver/pdev/pdev_output.h"

// Recording modes of a sheet side by the job's layout.
static const WORD kRecordPoster = 38;
static const WORD kRecordBooklet = 62;
static const WORD kRecordReplay = 6;
static const WORD kRecordPlain = 4;

// Every stored command of a page written back.
static const DWORD kReplayAll = REPLAY_PAGE_SIZE | REPLAY_FB | REPLAY_ED | REPLAY_TRANSFORM | REPLAY_RESET_CLIP;

BOOL jcp_RecordsPages(const PDEV *pdev)
{
    const PageSetupSnapshot *snapshot = &pdev->job.setup.snapshot;
    return snapshot->bookletOn || snapshot->posterOn || snapshot->driverLayout || pdev->job.control.replayFlag;
}

LONG jcp_BeginRecordedSide(PDEV *pdev)
{
    if (!jcp_RecordsPages(pdev)) {
        return 0;
    }
    if (pdev->job.recordWord == 0 && spl_PdevStartRecording(pdev) != 0) {
        return -1;
    }
    const PageSetupSnapshot *snapshot = &pdev->job.setup.snapshot;
    WORD mode = kRecordPlain;
    if (snapshot->posterOn) {
        mode = kRecordPoster;
    } else if (snapshot->bookletOn) {
        mode = kRecordBooklet;
    } else if (pdev->job.control.replayFlag) {
        mode = kRecordReplay;
    }
    // Pages are 16-bit: the store ends one below the blank-half marker.
    if (pdev->job.storedPages >= JOB_MAX_RECORDED_PAGES) {
        return -1;
    }
    return spl_PdevBeginRecordedPage(pdev, mode);
}

LONG jcp_EndRecordedSide(PDEV *pdev)
{
    if ((pdev->job.recordWord & RECORD_PAGE_OPEN) != RECORD_PAGE_OPEN) {
        return 0;
    }
    return spl_PdevEndRecordedPage(pdev, NULL);
}

LONG jcp_WriteBlankSide(PDEV *pdev, WORD source)
{
    if (pdev->job.recordWord != RECORD_ON) {
        return pg_WriteBlankSide(pdev, source);
    }
    LONG result = jcp_BeginRecordedSide(pdev);
    if (result != 0) {
        return -1;
    }
    result |= pg_WriteBlankSide(pdev, source);
    result |= jcp_EndRecordedSide(pdev);
    return result;
}

WORD jcp_ReplayedSide(WORD pages, WORD i, const PageSetupSnapshot *snapshot)
{
    if (!snapshot->reverseOrder) {
        return (WORD)(i + 1);
    }
    // Two-sided sheets come out last sheet first, each with its front before its back (a
    // two-sided job records whole sheets; an odd count is taken side by side).
    LONG sides = snapshot->duplex == 2 && pages % 2 == 0 ? 2 : 1;
    LONG sheet = (LONG)pages / sides - 1 - i / sides;
    return (WORD)(sheet * sides + i % sides + 1);
}

LONG WINAPI jc_ReplayPages(PDEV *pdev)
{
    if (pdev == NULL || jc_IsAborted(pdev) || pdev->job.recordWord != RECORD_ON) {
        return -1;
    }
    const PageSetupSnapshot *snapshot = &pdev->job.setup.snapshot;
    // The driver makes the copies when the device does not collate them itself.
    LONG passes = snapshot->deviceCollates && snapshot->copies > 1 ? snapshot->copies : 1;
    WORD pages = (WORD)pdev->job.storedPages;
    LONG result = 0;
    for (LONG pass = 0; pass < passes && result == 0; pass++) {
        result |= jcp_ResetWriterPage(pdev);
        if (snapshot->bookletOn) {
            result |= jc_ReplayBooklet(pdev);
            continue;
        }
        for (WORD i = 0; i < pages && result == 0; i++) {
            result |= pg_ReplayPage(pdev, jcp_ReplayedSide(pages, i, snapshot), kReplayAll, NULL);
        }
    }
    return result == 0 ? 0 : -1;
}

LONG WINAPI jc_ReplayBooklet(PDEV *pdev)
{
    if (pdev == NULL) {
        return -1;
    }
    // Booklet imposition is not wired into the replay: such jobs are refused at their start.
    return -1;
}
