/*
 * Paths and clipping: the worker of DrvStrokePath, DrvFillPath and
 * DrvStrokeAndFillPath.
 */
#ifndef QM_RENDER_PDL_PATHS_PATHS_H
#define QM_RENDER_PDL_PATHS_PATHS_H

#include <windows.h>
#include <winddi.h>

/* Path drawing modes of vec_DrawPath. */
#define VEC_PATH_STROKE 1
#define VEC_PATH_FILL 2
#define VEC_PATH_STROKE_AND_FILL 3

#ifdef __cplusplus
extern "C" {
#endif

/* vec_DrawPath: strokes and/or fills a path (mode VEC_PATH_*). Returns TRUE when drawn. */
BOOL WINAPI vec_DrawPath(SURFOBJ *pso, PATHOBJ *ppo, CLIPOBJ *pco, XFORMOBJ *pxo, BRUSHOBJ *pboStroke,
                         BRUSHOBJ *pboFill, POINTL *pptlBrushOrg, LINEATTRS *plineattrs, MIX mix, FLONG flOptions,
                         ULONG mode);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_PDL_PATHS_PATHS_H */
