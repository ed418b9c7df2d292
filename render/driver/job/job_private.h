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

#endif /* QM_RENDER_DRIVER_JOB_JOB_PRIVATE_H */
