/*
 * The job's settings as the job text reads them, and the raw write of text.
 */
#include "render/driver/header/header_private.h"

#include "core/settings/setting_rules.h"
#include "core/settings/settings.h"
#include "render/pdl/writer/job_version.h"
#include "render/pdl/writer/pdl_writer.h"

DriverDevmode *hdr_JobDevmode(PDEV *pdev)
{
    // Job control keeps the job's DEVMODE when the output begins; before that the PDEV's
    // own DEVMODE is the job's.
    if (pdev->jobStartDevmode.dm.dmSize == 0) {
        return &pdev->devmode;
    }
    return &pdev->jobStartDevmode;
}

LONG hdr_Setting(PDEV *pdev, WORD functionId)
{
    LONG value = 0;
    return util_ReadSettingLong(functionId, hdr_JobDevmode(pdev), pdev->printerData, &value) ? value : 0;
}

LPCWSTR hdr_SettingText(PDEV *pdev, WORD functionId)
{
    return (LPCWSTR)dma_GetTypedValue(hdr_JobDevmode(pdev), pdev->printerData, functionId, VT_STRING);
}

DWORD hdr_JobVersion(PDEV *pdev)
{
    return jc_GetJobPdlVersion(hdr_JobDevmode(pdev), pdev->printerData);
}

LONG hdr_WriteRaw(PDEV *pdev, const char *bytes, DWORD length)
{
    return pdl_WriteRawString(pdev->job.writer, length, (const BYTE *)bytes) < 0 ? -1 : 0;
}
