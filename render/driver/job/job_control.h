/*
 * Job and page control: the render job's state machine for jobs written straight to the
 * spooler or recorded and written at job end. The graphics entry points call it at DrvStartDoc, before drawing, at
 * DrvSendPage and DrvEndDoc; DrvResetPDEV and DrvDisablePDEV carry or close a job and
 * DrvEnableSurface prepares the surface settings.
 *
 * Every routine answers 0 for success and -1 for failure; along a path the results are
 * ORed, so one failed step fails the whole without skipping the rest. Once a job is
 * aborted (page state 0x8000) every routine answers -1 and nothing more is written.
 */
#ifndef QM_RENDER_DRIVER_JOB_JOB_CONTROL_H
#define QM_RENDER_DRIVER_JOB_JOB_CONTROL_H

#include <windows.h>

#include "render/driver/pdev/pdev.h"

#ifdef __cplusplus
extern "C" {
#endif

/* jc_StartJob: snapshot, page state and output stream of a new job. -1 when the snapshot
 * cannot be built, the job asks for a feature this driver does not print, or the stream
 * cannot be made. */
LONG WINAPI jc_StartJob(PDEV *pdev, HANDLE printer);

/* jc_OpenJob: PDL writer, trace clock, names (document name, output file; NULL: empty),
 * job information and the output channel. -1 without opening the channel when an earlier
 * step failed. */
LONG WINAPI jc_OpenJob(PDEV *pdev, LPCWSTR docName, LPCWSTR outputFile);

/* jc_EnsurePageStarted: before drawing: opens the job's output, the sheet and the logical
 * page as needed and marks the page drawn. -1 (and the PDEV's job-failed flag) on failure. */
LONG WINAPI jc_EnsurePageStarted(PDEV *pdev);

/* jc_StartPage: begins a logical page (and the job output and a sheet first when due). */
LONG WINAPI jc_StartPage(PDEV *pdev);

/* jc_BeginJobOutput: at the first page: escape overrides, snapshot rebuilt, writer page
 * reset, header with set 0 and the output-mode-2 separator side. */
LONG WINAPI jc_BeginJobOutput(PDEV *pdev);

/* jc_BeginSheet: begins a physical sheet with its page-setup sequence. */
LONG WINAPI jc_BeginSheet(PDEV *pdev);

/* jc_SendPage: DrvSendPage: ends the logical page. */
LONG WINAPI jc_SendPage(PDEV *pdev);

/* jc_EndLogicalPage: ends the open logical page (an empty one is output first unless
 * empty pages are skipped) and the sheet when it is full. */
LONG WINAPI jc_EndLogicalPage(PDEV *pdev);

/* jc_EndSheet: ends the open sheet; -1 while a logical page is open. */
LONG WINAPI jc_EndSheet(PDEV *pdev);

/* jc_EndJob: DrvEndDoc without abort: open pages and sheets ended, a due back face, the
 * job-end text, the channel closed and the job released. */
LONG WINAPI jc_EndJob(PDEV *pdev);

/* jc_ReplayPages: the recorded sides at job end, once per copy the driver makes: the
 * booklet faces when booklet is on, else every side, from the last with reverse order. */
LONG WINAPI jc_ReplayPages(PDEV *pdev);

/* jc_ReplayBooklet: the recorded pages imposed as booklet faces. */
LONG WINAPI jc_ReplayBooklet(PDEV *pdev);

/* jc_AbortJob: marks the job aborted, closes the channel with failure and releases it. */
LONG WINAPI jc_AbortJob(PDEV *pdev);

/* jc_CloseJob: forgets the printer handle and the page state, destroys the output stream
 * and releases the job. */
LONG WINAPI jc_CloseJob(PDEV *pdev);

/* jc_ReleaseJob: frees everything the job holds and restores the escape overrides.
 * Answers -1 when freeing the writer or a session failed. */
LONG WINAPI jc_ReleaseJob(PDEV *pdev);

/* jc_CarryJobState: DrvResetPDEV, after the job state moved: -1 when either PDEV is
 * aborted or the old one has a logical page open; else the new PDEV re-reads its page
 * setup at the next page start (0x40). */
LONG WINAPI jc_CarryJobState(PDEV *newPdev, PDEV *oldPdev);

/* jc_PrepareSurfaceSettings: DrvEnableSurface: sets up the extended escape state with the
 * job values, except on a PDEV continuing a job. */
LONG WINAPI jc_PrepareSurfaceSettings(PDEV *pdev);

/* jc_LoadFaxSendList: the fax-list escape: on a fax model the job's fax settings are
 * read again and the PDEV's list is replaced by the payload's (the old one is freed
 * first, so after a failed load there is none). 0 on another model; -1 for a missing
 * argument or a payload that is not a whole list. */
LONG WINAPI jc_LoadFaxSendList(PDEV *pdev, const void *payload, DWORD size);

/* jc_ReadFaxJobSettings: the fax job state from the job's DEVMODE: a fax job, cover-only
 * (setting 381), the cover kind (376 on: 2 when 377 is set, else 1), the destination
 * count (380), one spool job per destination (379 off, two destinations or more, a cover
 * sheet and not cover-only) and setting 1800. */
LONG WINAPI jc_ReadFaxJobSettings(PDEV *pdev);

/* jcs_CreateImageQueue: the job's image queue and spill file record for image mode
 * (setting 330; 0 while the image hook takes the pages). 0, or -1 when they cannot be made
 * (nothing is left then). */
LONG WINAPI jcs_CreateImageQueue(PDEV *pdev, DWORD imageMode);

/* jcs_DestroyImageQueue: frees the job's image queue and deletes its spill file. 0 / -1. */
LONG WINAPI jcs_DestroyImageQueue(PDEV *pdev);

/* jcs_CreateRotationBuffer: the job's image rotation buffer, made at job open. 0, or -1
 * without memory. */
LONG WINAPI jcs_CreateRotationBuffer(PDEV *pdev);

/* jcs_FreeRotationBuffer: frees the job's image rotation buffer (none: nothing to do). */
void WINAPI jcs_FreeRotationBuffer(PDEV *pdev);

/* jc_IsPageTurnNeeded: at a logical page start, 1 when the page must be turned for the
 * feed direction of its tray, else 0 (also when the feed direction is not known). */
DWORD WINAPI jc_IsPageTurnNeeded(PDEV *pdev);

/* jc_CheckWaitingFeatures: 0 when the job's snapshot and model ask for nothing this
 * driver cannot print yet; else -1 and a trace-log line naming the feature. */
LONG WINAPI jc_CheckWaitingFeatures(PDEV *pdev);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_DRIVER_JOB_JOB_CONTROL_H */
