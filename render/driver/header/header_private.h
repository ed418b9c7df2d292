/*
 * Shared helpers of the job header, job information and trace record files.
 */
#ifndef QM_RENDER_DRIVER_HEADER_HEADER_PRIVATE_H
#define QM_RENDER_DRIVER_HEADER_HEADER_PRIVATE_H

#include <windows.h>

#include "render/driver/pdev/pdev.h"

// hdr_JobDevmode: the DEVMODE job control keeps for the job; every setting of the job
// text is read from it (with the PDEV's printer-data block).
DriverDevmode *hdr_JobDevmode(PDEV *pdev);

// hdr_Setting: a numeric setting of the job, 0 when it cannot be read.
LONG hdr_Setting(PDEV *pdev, WORD functionId);

// hdr_SettingText: a wide-string setting of the job, NULL when it cannot be read.
LPCWSTR hdr_SettingText(PDEV *pdev, WORD functionId);

// hdr_JobVersion: the job's PDL version (setting 8205 clamped).
DWORD hdr_JobVersion(PDEV *pdev);

// hdr_WriteRaw: length bytes written as they are. 0, -1 when the write failed.
LONG hdr_WriteRaw(PDEV *pdev, const char *bytes, DWORD length);

#endif /* QM_RENDER_DRIVER_HEADER_HEADER_PRIVATE_H */
