/*
 * Shared by the job control sources: page-state tests and the steps several routines take.
 */
#ifndef QM_RENDER_DRIVER_JOB_JOB_PRIVATE_H
#define QM_RENDER_DRIVER_JOB_JOB_PRIVATE_H

#include <windows.h>

#include "render/driver/job/job_control.h"

// Paper source used when the job's settings name none.
#define JOB_DEFAULT_SOURCE 7

// Follow-up kind of a paper-source change that keeps the sides of a two-sided sheet in step.
#define SOURCE_FOLLOW_BACK_FACE 2

inline BOOL jc_IsAborted(const PDEV *pdev)
{
    return (pdev->job.pageState & PAGE_STATE_ABORT) != 0;
}

inline BOOL jc_HasState(const PDEV *pdev, WORD bits)
{
    return (pdev->job.pageState & bits) == bits;
}

// jcp_IsCoverOnly: a fax job that outputs its cover sheet and no document pages.
inline BOOL jcp_IsCoverOnly(const PDEV *pdev)
{
    return pdev->job.faxJob && pdev->job.control.fax.coverOnly;
}

// jc_MarkJobFailed: the PDEV's job-failed flag; DrvEndDoc then reports the job as failed.
inline void jc_MarkJobFailed(PDEV *pdev)
{
    pdev->flags |= PDEV_FLAG_JOB_FAILED;
}

// jcp_ResetWriterPage: the writer's state for a new page: page mode (the second word off
// while the job lays pages out itself, so downloaded data survives the page), cache
// invalidated and the page reset.
LONG jcp_ResetWriterPage(PDEV *pdev);

// jcp_ReadPageGeometry: the page geometry record from the job's settings: layout values and
// the page paper record; the output paper record too when full (else only when the page's
// paper has no paper kind and the job sends paper 267).
LONG jcp_ReadPageGeometry(PDEV *pdev, BOOL full);

// jcp_BuildSnapshot: the page-setup snapshot from the job's DEVMODE (rebuild: keeping the
// words set during the job), then the check of the features this driver does not print.
LONG jcp_BuildSnapshot(PDEV *pdev, BOOL rebuild);

// jc_ModelComponentPath: the path of the model's outside component of a kind (4 colour, 5
// compression): the driver directory and a plain file name (no separator, not "." or
// ".."). A global-heap string the caller frees; NULL when missing or not a plain name.
LPWSTR jc_ModelComponentPath(HANDLE printer, WORD kind);

// jcp_WriteDestinationCover: the cover sheet of destination index of the job's fax list.
// -1 without list or destination, or when the sheet failed (the caller aborts the job).
LONG jcp_WriteDestinationCover(PDEV *pdev, DWORD index);

// jcp_OutputPerDestination: at job end, one spool job per fax destination (the driver's
// own for destination 0, a second one for each further): its header with set i, its
// cover sheet, the recorded pages and the trailer. A further destination that fails has
// its own spool job aborted (and a trace-log line) and the others go on; the answer is
// destination 0's, whose spool job is the driver's own.
LONG jcp_OutputPerDestination(PDEV *pdev);

// jcp_DeleteFaxFile: deletes the fax file a fax job names (setting 375) when it is a
// one-time fax destination file; any other file stays, with a trace-log line.
void jcp_DeleteFaxFile(PDEV *pdev);
// Recorded pages a job may hold: pages are 16-bit and the values from 65435 up mark blank
// booklet halves and errors, so the 65,436th page fails the job.
#define JOB_MAX_RECORDED_PAGES 65435

// jcp_RecordsPages: the job's sheet sides are recorded and written at job end (booklet,
// poster, a layout the driver makes, or the replay flag).
BOOL jcp_RecordsPages(const PDEV *pdev);

// jcp_BeginRecordedSide: for a recording job, starts the page store at its first side and
// the recording of the side by the job's layout; 0 for a job written directly.
LONG jcp_BeginRecordedSide(PDEV *pdev);

// jcp_EndRecordedSide: closes the side being recorded (none: 0).
LONG jcp_EndRecordedSide(PDEV *pdev);

// jcp_ReplayedSide: the recorded side (from 1) written i-th (from 0) of pages: in order,
// or with reverse order the last sheet first, a two-sided sheet's front before its back.
WORD jcp_ReplayedSide(WORD pages, WORD i, const PageSetupSnapshot *snapshot);

// jcp_WriteBlankSide: a blank side from source, recorded as a side of its own while the
// job records its pages.
LONG jcp_WriteBlankSide(PDEV *pdev, WORD source);

#endif /* QM_RENDER_DRIVER_JOB_JOB_PRIVATE_H */
