/*
 * The deferred image queue of a job: raster images kept until the page's colour
 * conversion is done, then written in the order they were drawn. Job control creates it
 * at job open and destroys it when the job is released; the drawing entry points, page
 * end and the escapes that write flush it.
 */
#ifndef QM_RENDER_PDL_IMAGES_IMAGE_QUEUE_H
#define QM_RENDER_PDL_IMAGES_IMAGE_QUEUE_H

#include <windows.h>

struct PDEV;

#ifdef __cplusplus
extern "C" {
#endif

/* img_CreateImageQueue: the PDEV job's image queue holding at most limit images (0: the
 * image hook takes the pages). 0, or -1 when it cannot be made. */
LONG WINAPI img_CreateImageQueue(struct PDEV *pdev, DWORD limit);

/* img_DestroyImageQueue: frees the PDEV job's image queue and its spill file. 0 / -1. */
LONG WINAPI img_DestroyImageQueue(struct PDEV *pdev);

/* img_FlushImageQueue: sends the queued images of the page (mode 1: page end). Returns
 * TRUE when they went out. */
BOOL WINAPI img_FlushImageQueue(struct PDEV *pdev, DWORD mode);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_PDL_IMAGES_IMAGE_QUEUE_H */
