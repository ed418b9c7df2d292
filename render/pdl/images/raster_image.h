/*
 * Raster image output: the buffer that images of turned pages are rotated in, made at
 * job open and freed when the job is released.
 */
#ifndef QM_RENDER_PDL_IMAGES_RASTER_IMAGE_H
#define QM_RENDER_PDL_IMAGES_RASTER_IMAGE_H

#include <windows.h>

struct PDEV;

#ifdef __cplusplus
extern "C" {
#endif

/* img_CreateRotateBuffer: the PDEV job's rotation buffer. 0, or -1 when it cannot be
 * made. */
LONG WINAPI img_CreateRotateBuffer(struct PDEV *pdev);

/* img_FreeRotateBuffer: frees the PDEV job's rotation buffer (none: nothing to do). */
void WINAPI img_FreeRotateBuffer(struct PDEV *pdev);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_PDL_IMAGES_RASTER_IMAGE_H */
