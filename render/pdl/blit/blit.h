/*
 * The workers the entry points hand on to: drawing (blits, paths, text, image queue),
 * escapes and job control (render/driver/job/job_control.h). Until each is built in its
 * own area, render/driver/interim/ defines it: drawing answers FALSE (nothing drawn is
 * never reported as drawn) and the image queue, always empty, flushes with success.
 */
#ifndef QM_RENDER_DRIVER_INTERIM_HANDOFFS_H
#define QM_RENDER_DRIVER_INTERIM_HANDOFFS_H

#include <windows.h>
#include <winddi.h>

#include "render/driver/job/job_control.h"
#include "render/driver/pdev/pdev.h"

/* Path drawing modes of vec_DrawPath. */
#define VEC_PATH_STROKE 1
#define VEC_PATH_FILL 2
#define VEC_PATH_STROKE_AND_FILL 3

#ifdef __cplusplus
extern "C" {
#endif

/*
 * vec_BitBlt: the blit core. prclDst is the caller's destination rectangle, prclDstCopy a
 * private copy the core may normalise; the source is given as a point (pptlSrc) or a
 * rectangle (prclSrc), either may be NULL. Returns TRUE when drawn.
 */
BOOL WINAPI vec_BitBlt(SURFOBJ *psoDst, SURFOBJ *psoSrc, SURFOBJ *psoMask, CLIPOBJ *pco, XLATEOBJ *pxlo,
                       RECTL *prclDst, RECTL *prclDstCopy, POINTL *pptlSrc, RECTL *prclSrc, POINTL *pptlMask,
                       BRUSHOBJ *pbo, POINTL *pptlBrush, ROP4 rop4);

/* vec_DrawPath: strokes and/or fills a path (mode VEC_PATH_*). Returns TRUE when drawn. */
BOOL WINAPI vec_DrawPath(SURFOBJ *pso, PATHOBJ *ppo, CLIPOBJ *pco, XFORMOBJ *pxo, BRUSHOBJ *pboStroke,
                         BRUSHOBJ *pboFill, POINTL *pptlBrushOrg, LINEATTRS *plineattrs, MIX mix,
                         FLONG flOptions, ULONG mode);

/* fnt_TextOut: the text output worker of DrvTextOut. Returns TRUE when drawn. */
BOOL WINAPI fnt_TextOut(SURFOBJ *pso, STROBJ *pstro, FONTOBJ *pfo, CLIPOBJ *pco, RECTL *prclExtra,
                        RECTL *prclOpaque, BRUSHOBJ *pboFore, BRUSHOBJ *pboOpaque, POINTL *pptlOrg, MIX mix);

/* img_FlushImageQueue: sends the queued images of the page (mode 1: page end). Returns
 * TRUE when they went out. */
BOOL WINAPI img_FlushImageQueue(PDEV *pdev, DWORD mode);

/* esc_Dispatch: the worker of DrvEscape. Returns the escape's answer. */
ULONG WINAPI esc_Dispatch(SURFOBJ *pso, ULONG iEsc, ULONG cjIn, PVOID pvIn, ULONG cjOut, PVOID pvOut);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_DRIVER_INTERIM_HANDOFFS_H */
