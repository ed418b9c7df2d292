/*
 * The job's image rotation buffer: made at job open, reused by every image of a turned
 * page, freed when the job is released.
 */
#include "render/driver/job/job_control.h"

#include "render/driver/pdev/pdev.h"
#include "render/pdl/images/raster_image.h"

LONG WINAPI jcs_CreateRotationBuffer(PDEV *pdev)
{
    if (pdev == NULL) {
        return -1;
    }
    if (pdev->job.rotateBuffer == NULL) {
        pdev->job.rotateBuffer = img_CreateRotateBuffer();
    }
    return pdev->job.rotateBuffer != NULL ? 0 : -1;
}

void WINAPI jcs_FreeRotationBuffer(PDEV *pdev)
{
    if (pdev == NULL) {
        return;
    }
    img_FreeRotateBuffer(pdev->job.rotateBuffer);
    pdev->job.rotateBuffer = NULL;
}
