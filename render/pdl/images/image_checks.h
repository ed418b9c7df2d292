/*
 * The checks the blit core makes on an image before it goes out: whether it can be sent
 * as a one-bit mask, and whether its destination only needs cutting to a single clip
 * rectangle.
 */
#ifndef QM_RENDER_PDL_IMAGES_IMAGE_CHECKS_H
#define QM_RENDER_PDL_IMAGES_IMAGE_CHECKS_H

#include <windows.h>
#include <winddi.h>

/* Raster operation kinds of the writer's raster operation command. */
#define IMG_ROP_KIND_ROP3 2
#define IMG_ROP_KIND_ROP4 3

/*
 * img_IsBlackAndWhite: TRUE when the image can go out as a one-bit mask: ROP kind 2 with
 * code 184 or 226, and every pixel of the width x height area from the source origin
 * translates to black (0) or white (0xFFFFFF); for 1-bit sources both palette entries
 * must. kept (may be NULL) receives the answer.
 */
BOOL img_IsBlackAndWhite(const SURFOBJ *pso, DWORD width, DWORD height, const POINTL *origin, XLATEOBJ *pxlo,
                         DWORD *kept, DWORD kind, DWORD code);

/* img_IsClippedByRect: TRUE when dest is exactly width x height, the clip is a single
 * rectangle and dest reaches outside it. */
BOOL img_IsClippedByRect(DWORD width, DWORD height, const CLIPOBJ *pco, const RECTL *dest);

/*
 * img_ClipDestination: out = dest cut to the clip rectangle; the source origin (may be
 * NULL) moves by what was cut off the left and the top. FALSE when nothing is left.
 */
BOOL img_ClipDestination(const CLIPOBJ *pco, RECTL *out, const RECTL *dest, POINTL *origin);

#endif /* QM_RENDER_PDL_IMAGES_IMAGE_CHECKS_H */
