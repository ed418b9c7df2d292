/*
 * The image hook component a model may name: an outside library that replaces the
 * page images of a job. Job control and the page commands ask whether it takes the
 * pages.
 */
#ifndef QM_RENDER_DRIVER_HOOK_IMAGE_HOOK_H
#define QM_RENDER_DRIVER_HOOK_IMAGE_HOOK_H

#include <windows.h>

#include "render/driver/pdev/pdev.h"

#ifdef __cplusplus
extern "C" {
#endif

/* hook_IsActive: 1 while the image hook component of the PDEV's model is in use. */
BOOL WINAPI hook_IsActive(const PDEV *pdev);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_DRIVER_HOOK_IMAGE_HOOK_H */
