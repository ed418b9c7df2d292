/*
 * Seams of job control towards the areas of the render driver that are not built yet: the
 * image queue, the rotation buffer, the compression binding, the colour session with the
 * page's colour set, the font substitution table, the feed-direction test, the document
 * monitor and the image hook. Each holds its area's state for a page with nothing drawn
 * (empty queue, no colours, component absent, no turn, no monitor) until the area
 * replaces it.
 */
#ifndef QM_RENDER_DRIVER_JOB_JOB_SEAMS_H
#define QM_RENDER_DRIVER_JOB_JOB_SEAMS_H

#include <windows.h>

#include "render/driver/pdev/pdev.h"

/* jcs_CreateImageQueue: the image queue with its limit (0 with the image hook). 0 / -1. */
LONG jcs_CreateImageQueue(PDEV *pdev, DWORD limit);
/* jcs_DestroyImageQueue: 0 / -1. */
LONG jcs_DestroyImageQueue(PDEV *pdev);

/* jcs_CreateRotationBuffer / jcs_FreeRotationBuffer: the rotation buffer of turned pages. */
LONG jcs_CreateRotationBuffer(PDEV *pdev);
void jcs_FreeRotationBuffer(PDEV *pdev);

/* jcs_BindCompression: binds the compression library of the model when the job's PDL
 * version allows it; jcs_UnbindCompression gives it back. 0 / -1. */
LONG jcs_BindCompression(PDEV *pdev, DWORD pdlVersion);
void jcs_UnbindCompression(PDEV *pdev);

/* jcs_InitPageColorSet: the page's colour set, empty. 0 / -1. */
LONG jcs_InitPageColorSet(PDEV *pdev);
/* jcs_OpenColorSession / jcs_CloseColorSession: the job's colour session. 0 / -1. */
LONG jcs_OpenColorSession(PDEV *pdev);
LONG jcs_CloseColorSession(PDEV *pdev);

/* jcs_SelectFontTable: selects substitution table 0 or 1. 1 when selected. */
LONG jcs_SelectFontTable(DWORD table);

/* jcs_IsPageTurnNeeded: 1 when the page must be turned for the feed direction of its tray. */
DWORD jcs_IsPageTurnNeeded(PDEV *pdev);

/* jcs_RunMonitorSession: runs the document-monitor session after a successful spool job;
 * jcs_EndMonitorSession ends one that was not run. 0 / -1. */
LONG jcs_RunMonitorSession(PDEV *pdev);
LONG jcs_EndMonitorSession(PDEV *pdev);

/* jcs_IsHookActive: 1 while the model's image hook component is in use. */
DWORD jcs_IsHookActive(const PDEV *pdev);

/* jcs_HasMarkingData: 1 when the user-interface DLL delivered security-marking data. */
DWORD jcs_HasMarkingData(const PDEV *pdev);

#endif /* QM_RENDER_DRIVER_JOB_JOB_SEAMS_H */
