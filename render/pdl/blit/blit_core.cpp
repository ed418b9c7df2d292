/*
 * The blit core: the one worker of the four blit entry points. Operations without a
 * source become rectangle fills, source operations images; while the image hook takes
 * the pages, masked operations go to the engine.
 */
#include "render/pdl/blit/blit.h"

#include "render/pdl/blit/blit_fill.h"
#include "render/pdl/blit/blit_source.h"
#include "render/pdl/images/image_checks.h"
#include "render/pdl/images/image_output.h"
#include "render/pdl/images/row_convert.h"
#include "render/pdl/paths/path_workers.h"

/* Leaves the destination as it is. */
static const ROP4 kLeaveDestination = 0xAAAA;
/* clr_PrepareColor answers that make the queued images go out first. */
static const LONG kFlushFirst[] = {6, 8};

// blit_IsMasked: the two raster operations of the ROP4 differ.
static BOOL blit_IsMasked(ROP4 rop4)
{
    return (rop4 & 0xFF) != (rop4 >> 8);
}

// blit_ToEngine: a masked operation while the image hook takes the pages: the queued
// images go out, then the engine draws with the caller's arguments and its answer is the
// call's. A stretch has no source point: the source rectangle's corner stands for it.
static BOOL blit_ToEngine(const DrawTarget *target, SURFOBJ *psoDst, SURFOBJ *psoSrc, SURFOBJ *psoMask, CLIPOBJ *pco,
                          XLATEOBJ *pxlo, RECTL *prclDst, POINTL *pptlSrc, const BlitSource *source, POINTL *pptlMask,
                          BRUSHOBJ *pbo, POINTL *pptlBrush, ROP4 rop4)
{
    if (img_FlushImageQueue(target->pdev, 0) != 0) {
        return FALSE;
    }
    POINTL corner = source->origin;
    POINTL *from = pptlSrc != NULL ? pptlSrc : (psoSrc != NULL ? &corner : NULL);
    return EngBitBlt(psoDst, psoSrc, psoMask, pco, pxlo, prclDst, from, pptlMask, pbo, pptlBrush, rop4);
}

BOOL WINAPI vec_BitBlt(SURFOBJ *psoDst, SURFOBJ *psoSrc, SURFOBJ *psoMask, CLIPOBJ *pco, XLATEOBJ *pxlo, RECTL *prclDst,
                       RECTL *prclDstCopy, POINTL *pptlSrc, RECTL *prclSrc, POINTL *pptlMask, BRUSHOBJ *pbo,
                       POINTL *pptlBrush, ROP4 rop4)
{
    if (prclDst == NULL || prclDstCopy == NULL) {
        return FALSE;
    }
    RECTL dest;
    vec_NormalizeRect(&dest, prclDstCopy->left, prclDstCopy->top, prclDstCopy->right, prclDstCopy->bottom);
    BlitSource source = {};
    source.surface = psoSrc;
    if (prclSrc != NULL) {
        RECTL src;
        vec_NormalizeRect(&src, prclSrc->left, prclSrc->top, prclSrc->right, prclSrc->bottom);
        source.origin.x = src.left;
        source.origin.y = src.top;
        source.width = (DWORD)(src.right - src.left);
        source.height = (DWORD)(src.bottom - src.top);
    } else {
        // A plain blit: the source has the target's size at the source point.
        source.origin = pptlSrc != NULL ? *pptlSrc : POINTL{0, 0};
        source.width = (DWORD)(dest.right - dest.left);
        source.height = (DWORD)(dest.bottom - dest.top);
    }

    DrawTarget target;
    if (drw_BeginDrawing(psoDst, &target) != 0) {
        return FALSE;
    }
    rop4 &= 0xFFFF;
    BOOL masked = blit_IsMasked(rop4);
    if (target.pageHook && masked) {
        return blit_ToEngine(
            &target, psoDst, psoSrc, psoMask, pco, pxlo, prclDst, pptlSrc, &source, pptlMask, pbo, pptlBrush, rop4);
    }
    if (rop4 == kLeaveDestination) {
        return img_FlushImageQueue(target.pdev, 0) == 0;
    }
    if (masked && psoMask != NULL && pptlMask != NULL) {
        source.mask = psoMask;
        source.maskOrigin = *pptlMask;
    }
    if (vec_IsFillRop(rop4)) {
        if (img_FlushImageQueue(target.pdev, 0) != 0) {
            return FALSE;
        }
        BlitSource mask = {};
        mask.surface = source.mask;
        mask.maskOrigin = source.maskOrigin;
        int filled = vec_BlitFill(&target, pco, &dest, &mask, pbo, pptlBrush, rop4);
        if (filled == -1) {
            drw_FailJob(&target);
        }
        return filled == 1;
    }
    if (psoSrc == NULL) {
        return FALSE;
    }
    DWORD kind = source.mask != NULL ? IMG_ROP_KIND_ROP4 : IMG_ROP_KIND_ROP3;
    DWORD code = source.mask != NULL ? rop4 : (DWORD)(rop4 & 0xFF);

    LONG prepared = img_PrepareImageColor(
        target.pdev, img_BitmapBits(psoSrc->iBitmapFormat), kind << 8 | code, source.width, source.height);
    for (LONG answer : kFlushFirst) {
        if (prepared == answer && img_FlushImageQueue(target.pdev, 0) != 0) {
            return FALSE;
        }
    }
    return vec_BlitImage(&target, pco, &source, &dest, pxlo, pbo, pptlBrush, kind, code);
}
