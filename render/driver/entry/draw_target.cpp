/*
 * The services the drawing side asks of the driver: the PDEV's pieces a drawing call
 * uses, job failure and the page transform.
 */
#include "render/pdl/drawing/draw_target.h"

#include <string.h>

#include "render/driver/escape/escape.h"
#include "render/driver/hook/image_hook.h"
#include "render/driver/job/job_control.h"
#include "render/driver/page/page_setup.h"
#include "render/driver/entry/entry.h"
#include "render/driver/pdev/pdev.h"
#include "render/pdl/text/text_job.h"

void drw_TargetOfPdev(PDEV *pdev, DrawTarget *target)
{
    memset(target, 0, sizeof *target);
    target->pdev = pdev;
    target->writer = pdev->job.writer;
    target->clip = &pdev->job.clip;
    target->heap = pdev->heap;
    target->devmode = &pdev->devmode;
    target->block = pdev->printerData;
}

LONG drw_BeginDrawing(SURFOBJ *pso, DrawTarget *target)
{
    if (target == NULL) {
        return -1;
    }
    memset(target, 0, sizeof *target);
    PDEV *pdev = pdev_FromSurface(pso);
    if (!pdev_IsValid(pdev)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    if ((pdev->flags & PDEV_FLAG_JOB_FAILED) || jc_EnsurePageStarted(pdev) != 0 || pdev->job.writer == NULL) {
        return -1;
    }
    drw_TargetOfPdev(pdev, target);
    target->stampDrawing = jc_IsStampDrawing(pdev) != 0 ? 1 : 0;
    target->stampClipSkipped = jc_IsStampClipSkipped(pdev) != 0 ? 1 : 0;
    target->stampColorWord = jc_GetStampColorWord(pdev);
    target->pageHook = hook_IsActive(pdev) ? 1 : 0;
    return 0;
}

void drw_FailJob(DrawTarget *target)
{
    if (target != NULL && pdev_IsValid(target->pdev)) {
        target->pdev->flags |= PDEV_FLAG_JOB_FAILED;
    }
}

LONG drw_SetDeviceTransform(DrawTarget *target, const Matrix2x3 *matrix)
{
    if (target == NULL || !pdev_IsValid(target->pdev)) {
        return -1;
    }
    Matrix2x3 page;
    if (geo_FromDeviceMatrix(&page, target->pdev, matrix) != 0) {
        return -1;
    }
    return jc_SetTransform(target->pdev, &page) == 0 ? 0 : -1;
}

LONG drw_GetTextJob(DrawTarget *target, TextJob *job)
{
    if (target == NULL || job == NULL || !pdev_IsValid(target->pdev)) {
        return -1;
    }
    memset(job, 0, sizeof *job);
    PDEV *pdev = target->pdev;
    if (!ent_GetFontJobView(pdev, &job->fonts)) {
        return -1;
    }
    job->fontSubTable = &pdev->fontSubTable;
    job->printer = pdev->job.control.printer != NULL ? pdev->job.control.printer : pdev->printer;
    job->groupTable = pdev->job.control.fontTable;
    job->compression = pdev->job.textCompression;
    job->keys = &pdev->job.fontKeys;
    return 0;
}
