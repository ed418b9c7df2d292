/*
 * The job's side of image output: the image queue with its spill file and the rotation
 * buffer (made at job open, freed when the job is released), and the services image
 * output asks of the driver.
 */
#include "render/driver/job/job_control.h"

#include <string.h>

#include "core/util/resource_module.h"
#include "render/driver/pdev/pdev.h"
#include "render/pdl/images/image_output.h"
#include "render/pdl/paths/path_workers.h"
#include "render/pdl/writer/pdl_writer.h"

LONG WINAPI jcs_CreateImageQueue(PDEV *pdev, DWORD imageMode)
{
    if (pdev == NULL) {
        return -1;
    }
    jcs_DestroyImageQueue(pdev);
    HMODULE module = pdev->resourceUse ? util_GetResourceModule() : NULL;
    ImageSpillFile *spill = NULL;
    ImageQueue *queue = NULL;
    if (img_CreateImageQueue(&spill, &queue, imageMode, module) != 0) {
        return -1;
    }
    pdev->job.imageSpill = spill;
    pdev->job.imageQueue = queue;
    return 0;
}

LONG WINAPI jcs_DestroyImageQueue(PDEV *pdev)
{
    if (pdev == NULL) {
        return -1;
    }
    LONG result = img_DestroyImageQueue(pdev->job.imageSpill, (ImageQueue *)pdev->job.imageQueue);
    pdev->job.imageSpill = NULL;
    pdev->job.imageQueue = NULL;
    return result;
}

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

LONG img_GetServices(PDEV *pdev, ImageServices *services)
{
    if (services == NULL) {
        return -1;
    }
    memset(services, 0, sizeof *services);
    if (!pdev_IsValid(pdev) || pdev->job.writer == NULL) {
        return -1;
    }
    services->pdev = pdev;
    services->writer = pdev->job.writer;
    services->queue = (ImageQueue *)pdev->job.imageQueue;
    services->spill = pdev->job.imageSpill;
    services->session = pdev->job.colorSession;
    services->colorSet = &pdev->job.colorSet;
    services->rotate = pdev->job.rotateBuffer;
    services->component = pdev->job.imageCompression;
    services->rotateImages = pdev->job.control.pageTurn;
    return 0;
}

void img_FailImageJob(PDEV *pdev)
{
    if (pdev_IsValid(pdev)) {
        pdev->flags |= PDEV_FLAG_JOB_FAILED;
    }
}

LONG img_CaptureClip(PDEV *, CLIPOBJ *pco, ImageGeometry *geometry)
{
    if (geometry == NULL) {
        return -1;
    }
    geometry->points = NULL;
    geometry->pointCount = 0;
    geometry->pointBytes = 0;
    if (pco == NULL) {
        geometry->dComplexity = DC_TRIVIAL;
        return 0;
    }
    geometry->clipUniq = pco->iUniq;
    geometry->clipBounds = pco->rclBounds;
    geometry->dComplexity = pco->iDComplexity;
    geometry->fComplexity = pco->iFComplexity;
    geometry->mode = pco->iMode;
    geometry->options = pco->fjOptions;
    if (pco->iDComplexity != DC_COMPLEX) {
        return 0;
    }
    PATHOBJ *ppo = CLIPOBJ_ppoGetPath(pco);
    if (ppo == NULL) {
        return -1;
    }
    BYTE *block = NULL;
    DWORD size = 0;
    DWORD count = 0;
    int copied = vec_CopyPath(ppo, &block, &size, &count);
    EngDeletePath(ppo);
    if (copied != COPY_DONE) {
        return -1;
    }
    geometry->points = block;
    geometry->pointBytes = size;
    geometry->pointCount = count;
    return 0;
}

LONG img_ApplyGeometryClip(PDEV *pdev, const ImageGeometry *geometry)
{
    if (!pdev_IsValid(pdev) || geometry == NULL || pdev->job.writer == NULL) {
        return -1;
    }
    DrawTarget target;
    drw_TargetOfPdev(pdev, &target);
    if (geometry->dComplexity != DC_COMPLEX) {
        CLIPOBJ clip;
        memset(&clip, 0, sizeof clip);
        clip.iUniq = geometry->clipUniq;
        clip.rclBounds = geometry->clipBounds;
        clip.iDComplexity = geometry->dComplexity;
        clip.iFComplexity = geometry->fComplexity;
        clip.iMode = geometry->mode;
        clip.fjOptions = geometry->options;
        return vec_ApplyClip(&target, &clip, NULL, &geometry->dest, NULL, 0, 0) < 0 ? -1 : 0;
    }
    // The stored path goes out as it is; the clip state then asks for a reset before the
    // next clip, as the printer's clip no longer matches the stored one.
    ClipState *state = target.clip;
    if (state->kind != CLIP_KIND_NONE && pdl_ResetClip(target.writer) != 0) {
        return -1;
    }
    state->kind = CLIP_KIND_NONE;
    int written = 0;
    if (vec_WritePath(target.writer, NULL, (const PathCopyEntry *)geometry->points, geometry->pointCount, &written) !=
            1 ||
        pdl_SetPaintMode(target.writer, 2) != 0 || pdl_ClipToPath(target.writer) != 0) {
        return -1;
    }
    state->kind = CLIP_KIND_RESET;
    return 0;
}
