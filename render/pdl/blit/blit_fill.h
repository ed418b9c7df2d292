/*
 * The fills of the blit core: raster operations without a source (black, white and the
 * brush through a pattern operation) written as rectangle fills.
 */
#ifndef QM_RENDER_PDL_BLIT_BLIT_FILL_H
#define QM_RENDER_PDL_BLIT_BLIT_FILL_H

#include <windows.h>
#include <winddi.h>

#include "render/pdl/blit/blit_source.h"
#include "render/pdl/drawing/draw_target.h"

/* vec_IsFillRop: the ROP4 fills without a source (black, white, a pattern operation or
 * the pattern through a mask, 0xAAA0 and 0xAAF0). */
BOOL vec_IsFillRop(ROP4 rop4);

/*
 * vec_BlitFill: the fill of a ROP4 for which vec_IsFillRop holds over dest (normalised).
 * A rectangle that one clip rectangle cuts is cut to it and sent without the clip.
 * Black and white are solid; the others paint the brush (origin pptlBrush, NULL 0, 0)
 * with the ROP4. mask (surface NULL: none) is the mask of 0xAAA0 and 0xAAF0: its set
 * bits paint, sent as a one-bit mask image. 1 drawn (or nothing to draw), 0 refused, -1 a
 * write failed.
 */
int vec_BlitFill(DrawTarget *target, CLIPOBJ *pco, const RECTL *dest, BlitSource *mask, BRUSHOBJ *pbo,
                 POINTL *pptlBrush, ROP4 rop4);

#endif /* QM_RENDER_PDL_BLIT_BLIT_FILL_H */
