/*
 * Source raster operations: the source clipped to its surface, the one-bit mask test,
 * brush, clip, reduction and placement, then image output.
 */
#include "render/pdl/blit/blit_source.h"

#include <string.h>

#include "render/pdl/brushes/brushes.h"
#include "render/pdl/colour/colour_session.h"
#include "render/pdl/images/image_checks.h"
#include "render/pdl/images/image_output.h"
#include "render/pdl/images/row_convert.h"
#include "render/pdl/paths/path_workers.h"
#include "render/pdl/writer/pdl_writer.h"

/* The raster operation a one-bit mask image is drawn with. */
static const int kMaskRopKind = 1;
static const DWORD kMaskRopCode = 13;

// source_Cut: amount cut off a source of size source, as the target's share of size target.
static LONG source_Cut(LONG cut, LONG source, LONG target)
{
    return source > 0 ? (LONG)((LONGLONG)cut * target / source) : 0;
}

BOOL vec_ClipSource(BlitSource *s, RECTL *dest)
{
    LONG width = (LONG)s->width;
    LONG height = (LONG)s->height;
    LONG destWidth = dest->right - dest->left;
    LONG destHeight = dest->bottom - dest->top;
    if (width <= 0 || height <= 0 || destWidth <= 0 || destHeight <= 0) {
        return FALSE;
    }
    if (s->origin.x < 0) {
        dest->left += source_Cut(-s->origin.x, width, destWidth);
        width += s->origin.x;
        s->origin.x = 0;
    }
    if (s->origin.y < 0) {
        dest->top += source_Cut(-s->origin.y, height, destHeight);
        height += s->origin.y;
        s->origin.y = 0;
    }
    LONG overX = s->origin.x + width - s->surface->sizlBitmap.cx;
    if (overX > 0) {
        dest->right -= source_Cut(overX, (LONG)s->width, destWidth);
        width -= overX;
    }
    LONG overY = s->origin.y + height - s->surface->sizlBitmap.cy;
    if (overY > 0) {
        dest->bottom -= source_Cut(overY, (LONG)s->height, destHeight);
        height -= overY;
    }
    if (s->maskOrigin.x < 0) {
        s->maskOrigin.x = 0;
    }
    if (s->maskOrigin.y < 0) {
        s->maskOrigin.y = 0;
    }
    if (width <= 0 || height <= 0 || dest->right <= dest->left || dest->bottom <= dest->top) {
        return FALSE;
    }
    s->width = (DWORD)width;
    s->height = (DWORD)height;
    return TRUE;
}

BOOL vec_SetupReduction(const DrawTarget *target, Reducer **reducer, const SURFOBJ *source, DWORD width, DWORD height,
                        const RECTL *dest, DWORD kind, DWORD code)
{
    *reducer = NULL;
    if (kind != 2 || code != 204 || source == NULL ||
        (source->iBitmapFormat != 0 && source->iBitmapFormat < BMF_16BPP)) {
        return FALSE;
    }
    if ((drw_ReadSetting(target, BLIT_SETTING_REDUCE) & 0xFF) == 0) {
        return FALSE;
    }
    DWORD reduction = drw_ReadSetting(target, BLIT_SETTING_REDUCE_RESOLUTION);
    if (reduction == 0) {
        return FALSE;
    }
    Reducer *made = img_CreateReducer();
    if (made == NULL) {
        return FALSE;
    }
    DWORD reducedWidth = width;
    DWORD reducedHeight = height;
    if (img_InitReducer(made,
                        1,
                        drw_ReadSetting(target, BLIT_SETTING_RESOLUTION_X),
                        drw_ReadSetting(target, BLIT_SETTING_RESOLUTION_Y),
                        reduction) == 1) {
        img_GetReducedSize(made,
                           width,
                           height,
                           (DWORD)(dest->right - dest->left),
                           (DWORD)(dest->bottom - dest->top),
                           &reducedWidth,
                           &reducedHeight);
    }
    // Not smaller in either direction, or a size the reducer cannot take: the full size.
    if ((reducedWidth >= width && reducedHeight >= height) ||
        img_SetReduction(made, width, height, reducedWidth, reducedHeight, 3) != 1) {
        img_DestroyReducer(made);
        return FALSE;
    }
    *reducer = made;
    return TRUE;
}

BOOL vec_BlitImage(DrawTarget *target, CLIPOBJ *pco, BlitSource *source, RECTL *dest, XLATEOBJ *pxlo, BRUSHOBJ *pbo,
                   POINTL *pptlBrush, DWORD kind, DWORD code)
{
    if (source->surface == NULL || (pxlo == NULL && source->surface->iBitmapFormat != BMF_24BPP) ||
        img_BitmapBits(source->surface->iBitmapFormat) == 0) {
        return FALSE;
    }
    if (!vec_ClipSource(source, dest)) {
        return TRUE; // nothing left to draw
    }
    ImageServices services;
    if (img_GetServices(target->pdev, &services) != 0) {
        return FALSE;
    }
    BOOL blackWhite =
        img_IsBlackAndWhite(source->surface, source->width, source->height, &source->origin, pxlo, NULL, kind, code);
    int sent = blackWhite ? pdl_SetRop(target->writer, kMaskRopKind, kMaskRopCode)
                          : pdl_SetRop(target->writer, (int)kind, code);
    if (sent != 0) {
        return FALSE;
    }
    if (pbo != NULL) {
        int painted =
            blackWhite ? vec_SetSolidColor(target, 2, pbo->iSolidColor) : vec_SetBrush(target, 2, pptlBrush, pbo, NULL);
        if (painted != 1) {
            return FALSE;
        }
    }
    BOOL pageWide = services.session != NULL && clr_GetSessionMode(services.session) == 4;
    if (!pageWide && vec_SetClip(target, pco, dest) < 0) {
        return FALSE;
    }
    Reducer *reducer = NULL;
    vec_SetupReduction(target, &reducer, source->surface, source->width, source->height, dest, kind, code);

    ImageRequest request;
    memset(&request, 0, sizeof request);
    request.source = source->surface;
    request.mask = source->mask;
    request.pxlo = pxlo;
    request.width = source->width;
    request.height = source->height;
    request.sourceOrigin = source->origin;
    request.maskOrigin = source->maskOrigin;
    request.reducer = reducer;
    request.dest = *dest;
    DWORD usedWidth = reducer != NULL ? reducer->reducedWidth : source->width;
    DWORD usedHeight = reducer != NULL ? reducer->reducedHeight : source->height;
    request.placement[0] = (float)usedWidth / (float)(dest->right - dest->left);
    request.placement[3] = (float)usedHeight / (float)(dest->bottom - dest->top);
    request.pco = pco;
    request.ropKind = kind;
    request.ropCode = code;
    // Masked images are never turned: the mask rows go out as the source has them.
    request.rotate = kind == IMG_ROP_KIND_ROP4 ? 0 : 1;
    LONG drawn = blackWhite ? img_OutputWhiteMask(&services, &request) : img_OutputImage(&services, &request);
    img_DestroyReducer(reducer);
    return drawn == 1;
}
