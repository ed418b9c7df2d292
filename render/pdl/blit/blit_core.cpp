/*
 * The blit core: the one worker of the four blit entry points. Source raster operations
 * become images; operations without a source are not drawn by this driver yet.
 */
#include "render/pdl/blit/blit.h"

#include "render/pdl/blit/blit_source.h"
#include "render/pdl/images/image_checks.h"
#include "render/pdl/images/image_output.h"
#include "render/pdl/images/row_convert.h"
#include "render/pdl/paths/path_workers.h"

/* ROP4s without a source: black, white, the pattern operations and leaving the destination. */
static const ROP4 kNoSourceRops[] = {0x0000,
                                     0xFFFF,
                                     0x0505,
                                     0x0A0A,
                                     0x0F0F,
                                     0x5050,
                                     0x5555,
                                     0x5A5A,
                                     0x5F5F,
                                     0xA0A0,
                                     0xA5A5,
                                     0xAFAF,
                                     0xF0F0,
                                     0xF5F5,
                                     0xFAFA,
                                     0xAAA0,
                                     0xAAF0};
/* Leaves the destination as it is. */
static const ROP4 kLeaveDestination = 0xAAAA;
/* clr_PrepareColor answers that make the queued images go out first. */
static const LONG kFlushFirst[] = {6, 8};

// blit_IsNoSource: the ROP4 uses no source.
static BOOL blit_IsNoSource(ROP4 rop4)
{
    for (ROP4 rop : kNoSourceRops) {
        if (rop == rop4) {
            return TRUE;
        }
    }
    return FALSE;
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
    if (rop4 == kLeaveDestination) {
        return img_FlushImageQueue(target.pdev, 0) == 0;
    }
    if (blit_IsNoSource(rop4)) {
        OutputDebugStringA("qmkelvim: raster operation without a source not drawn\n");
        return FALSE;
    }
    if (psoSrc == NULL) {
        return FALSE;
    }
    BOOL masked = (rop4 & 0xFF) != (rop4 >> 8);
    if (masked && psoMask != NULL && pptlMask != NULL) {
        source.mask = psoMask;
        source.maskOrigin = *pptlMask;
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
