/*
 * The job's PDL version from setting 8205, and the writer's reading of numeric settings.
 */
#include "render/pdl/writer/job_version.h"

#include "core/settings/settings.h"
#include "render/pdl/writer/pdl_private.h"

DWORD pdl_ReadSettingValue(DriverDevmode *devmode, PrinterDataBlock *block, WORD functionId)
{
    WORD type = 0;
    DWORD size = 0;
    BYTE value[sizeof(DWORD_PTR)] = {};
    if (devmode == NULL || dma_GetFunctionValue(functionId, devmode, block, &type, &size, value) != 0) {
        return 0;
    }
    return dma_ValueToDword(type, value);
}

// jc_GetJobPdlVersion: see job_version.h.
DWORD jc_GetJobPdlVersion(DriverDevmode *devmode, PrinterDataBlock *block)
{
    if (devmode == NULL || block == NULL) {
        return JOB_PDL_VERSION_MIN;
    }
    DWORD version = pdl_ReadSettingValue(devmode, block, FID_JOB_PDL_VERSION);
    if (version < JOB_PDL_VERSION_MIN) {
        return JOB_PDL_VERSION_MIN;
    }
    if (version > JOB_PDL_VERSION_MAX) {
        return JOB_PDL_VERSION_MAX;
    }
    return version;
}

// jc_IsPdlVersionAtLeast: see job_version.h.
BOOL jc_IsPdlVersionAtLeast(DriverDevmode *devmode, PrinterDataBlock *block, DWORD version)
{
    DWORD job = jc_GetJobPdlVersion(devmode, block);
    return job >= version ? TRUE : FALSE;
}
