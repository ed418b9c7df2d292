/*
 * The outside compression component of a model: bound at job open when the job's PDL
 * version allows it and the image hook does not take the pages, given back when the job
 * is released.
 */
#ifndef QM_RENDER_PDL_COMPRESSION_COMPRESS_DLL_H
#define QM_RENDER_PDL_COMPRESSION_COMPRESS_DLL_H

#include <windows.h>

struct PDEV;

#ifdef __cplusplus
extern "C" {
#endif

/* img_LoadCompressDll: binds the compression component of the PDEV's model for a job of
 * PDL version pdlVersion. 0, or -1 when it cannot be bound. */
LONG WINAPI img_LoadCompressDll(struct PDEV *pdev, DWORD pdlVersion);

/* img_UnloadCompressDll: gives back the PDEV job's compression component (none: nothing
 * to do). */
void WINAPI img_UnloadCompressDll(struct PDEV *pdev);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_PDL_COMPRESSION_COMPRESS_DLL_H */
