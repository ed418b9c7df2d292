// The job's PDL version from setting 8205.
#include "render/driver/writer/job_version.h"

#include "core/settings/settings.h"
#include "render/driver/pdev/pdev.h"

static const WORD kSettingPdlVersion = 8205;
static const WORD kTypeDword = 5;

// jc_GetJobPdlVersion: see job_version.h.
DWORD jc_GetJobPdlVersion(PDEV *pdev, DriverDevmode *devmode, PrinterDataBlock *block)
{
    if (pdev == NULL || devmode == NULL || block == NULL) {
        return JOB_PDL_VERSION_MIN;
    }
    DWORD version = (DWORD)dma_GetTypedValue(devmode, block, kSettingPdlVersion, kTypeDword);
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
