/*
 * The source path of the blit core: images drawn through a raster operation, and their
 * reduction before they go out.
 */
#ifndef QM_RENDER_PDL_BLIT_BLIT_SOURCE_H
#define QM_RENDER_PDL_BLIT_BLIT_SOURCE_H

#include <windows.h>
#include <winddi.h>

#include "render/pdl/drawing/draw_target.h"
#include "render/pdl/images/reducer.h"

/* Setting numbers of the reduction. */
#define BLIT_SETTING_REDUCE 1302           /* a byte: non-zero reduces source copies */
#define BLIT_SETTING_REDUCE_RESOLUTION 350 /* the resolution reduced to */
#define BLIT_SETTING_RESOLUTION_X 20
#define BLIT_SETTING_RESOLUTION_Y 21

/* BlitSource: the clipped source area of one blit. */
typedef struct BlitSource {
    SURFOBJ *surface;
    SURFOBJ *mask; /* NULL: none */
    DWORD width;
    DWORD height;
    POINTL origin;
    POINTL maskOrigin;
} BlitSource;

/*
 * vec_ClipSource: the source area cut to the surface (origin at least 0, size within it);
 * each cut moves or shrinks dest by cut x target size / source size. The mask point is
 * clamped to 0. FALSE when nothing is left to draw.
 */
BOOL vec_ClipSource(BlitSource *source, RECTL *dest);

/*
 * vec_SetupReduction: whether a source copy (kind 2, code 204) of a 16-bit or deeper
 * source is reduced: settings 1302 and 350 set, the reducer made for the device
 * resolutions (settings 20 and 21) and the size reduced for dest smaller in a direction.
 * TRUE with *reducer set up; FALSE with *reducer NULL.
 */
BOOL vec_SetupReduction(const DrawTarget *target, Reducer **reducer, const SURFOBJ *source, DWORD width, DWORD height,
                        const RECTL *dest, DWORD kind, DWORD code);

/* vec_BlitImage: the image of a source raster operation (kind 2: code the ROP3; kind 3:
 * the ROP4 with its mask). TRUE drawn (or nothing to draw), FALSE failed. */
BOOL vec_BlitImage(DrawTarget *target, CLIPOBJ *pco, BlitSource *source, RECTL *dest, XLATEOBJ *pxlo, BRUSHOBJ *pbo,
                   POINTL *pptlBrush, DWORD kind, DWORD code);

#endif /* QM_RENDER_PDL_BLIT_BLIT_SOURCE_H */
