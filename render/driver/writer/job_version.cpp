// The job's PDL version from setting 8205, and the writer's reading of numeric settings.
#include "render/driver/writer/job_version.h"

#include "core/settings/settings.h"
#include "render/driver/pdev/pdev.h"
#include "render/driver/writer/pdl_private.h"

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
DWORD jc_GetJobPdlVersion(PDEV *pdev, DriverDevmode *devmode, PrinterDataBlock *block)
{
    if (pdev == NULL || devmode == NULL || block == NULL) {
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
BOOL jc_IsPdlVersionAtLeast(PDEV *pdev, DWORD version)
{
    DWORD job = pdev == NULL ? JOB_PDL_VERSION_MIN
                             : jc_GetJobPdlVersion(pdev, &pdev->devmode, pdev->printerData);
    return job >= version ? TRUE : FALSE;
}
