/*
 * The job's PDL version: the packed value (bytes 2, 1, 0 major, minor, patch) of setting
 * 8205, kept within the versions the driver writes.
 */
#ifndef QM_RENDER_PDL_WRITER_JOB_VERSION_H
#define QM_RENDER_PDL_WRITER_JOB_VERSION_H

#include <windows.h>

#include "core/settings/settings_types.h"

#define JOB_PDL_VERSION_MIN 0x01010501UL
#define JOB_PDL_VERSION_MAX 0x0102000DUL

// jc_GetJobPdlVersion: setting 8205 of devmode and block (a PDEV's DEVMODE and printer-data
// block) clamped to JOB_PDL_VERSION_MIN .. JOB_PDL_VERSION_MAX. A NULL argument, or a
// setting that cannot be read, gives JOB_PDL_VERSION_MIN.
DWORD jc_GetJobPdlVersion(DriverDevmode *devmode, PrinterDataBlock *block);

// jc_IsPdlVersionAtLeast: 1 when the job PDL version of devmode and block
// (jc_GetJobPdlVersion) is at least version, else 0.
BOOL jc_IsPdlVersionAtLeast(DriverDevmode *devmode, PrinterDataBlock *block, DWORD version);

#endif /* QM_RENDER_PDL_WRITER_JOB_VERSION_H */
