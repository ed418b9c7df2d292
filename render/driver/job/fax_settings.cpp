/*
 * The fax settings of a job, read when the user-interface driver hands over a fax
 * destination list, and the list itself.
 */
#include "render/driver/job/job_private.h"

#include "core/settings/function_ids.h"
#include "render/driver/binding/pdev_settings.h"
#include "render/driver/fax/fax.h"

LONG WINAPI jc_ReadFaxJobSettings(PDEV *pdev)
{
    if (pdev == NULL) {
        return -1;
    }
    FaxJobFlags *fax = &pdev->job.control.fax;
    pdev->job.faxJob = 1;
    fax->coverOnly = pdev_GetSetting16(pdev, FID_FAX_COVER_ONLY) == 1;
    if (pdev_GetSetting16(pdev, FID_FAX_COVER_SHEET) == 1) {
        fax->coverKind = pdev_GetSetting16(pdev, FID_FAX_COVER_KIND) != 0 ? FAX_COVER_DOC_NAME : FAX_COVER_PREPARED;
    } else {
        fax->coverKind = FAX_COVER_NONE;
    }
    WORD count = pdev_GetSetting16(pdev, FID_FAX_DESTINATIONS);
    pdev->job.faxDestinations = count;
    pdev->job.faxPerDestination = pdev_GetSetting16(pdev, FID_FAX_ONE_DESTINATION) == 0 && count >= 2 &&
                                  fax->coverKind != FAX_COVER_NONE && !fax->coverOnly;
    fax->setting1800 = pdev_GetSetting16(pdev, FID_CLOCK_ON) == 1;
    return 0;
}

LONG WINAPI jc_LoadFaxSendList(PDEV *pdev, const void *payload, DWORD size)
{
    if (pdev == NULL || payload == NULL) {
        return -1;
    }
    if (!pdev->faxModel) {
        return 0;
    }
    LONG result = jc_ReadFaxJobSettings(pdev);
    // The old list goes first: after a failed load the job has none.
    fax_FreeSendList(pdev);
    result |= fax_LoadSendList(pdev, payload, size);
    return result == 0 ? 0 : -1;
}
