/*
 * The blit and path workers: argument checks, then the blit core or the path drawer.
 */
#include "render/driver/entry/entry.h"

#include "render/pdl/blit/blit.h"
#include "render/pdl/paths/paths.h"

static const ROP4 kSourceCopy = 0xCCCC;
static const ULONG kWhite = 0xFFFFFFFF;

static BOOL Refuse(void)
{
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

// ent_BitBlt: see entry.h.
BOOL WINAPI ent_BitBlt(SURFOBJ *psoTrg, SURFOBJ *psoSrc, SURFOBJ *psoMask, CLIPOBJ *pco, XLATEOBJ *pxlo, RECTL *prclTrg,
                       POINTL *pptlSrc, POINTL *pptlMask, BRUSHOBJ *pbo, POINTL *pptlBrush, ROP4 rop4)
{
    if (psoTrg == NULL || prclTrg == NULL) {
        return Refuse();
    }
    RECTL copy = *prclTrg;
    return vec_BitBlt(
        psoTrg, psoSrc, psoMask, pco, pxlo, prclTrg, &copy, pptlSrc, NULL, pptlMask, pbo, pptlBrush, rop4);
}

// ent_CopyBits: see entry.h. The driver keeps no page image: reading its own surface back
// gives white.
BOOL WINAPI ent_CopyBits(SURFOBJ *psoDest, SURFOBJ *psoSrc, CLIPOBJ *pco, XLATEOBJ *pxlo, RECTL *prclDest,
                         POINTL *pptlSrc)
{
    if (psoDest == NULL || psoSrc == NULL || prclDest == NULL) {
        return Refuse();
    }
    if (psoSrc->iType != STYPE_BITMAP) {
        return EngEraseSurface(psoDest, prclDest, kWhite);
    }
    if (psoDest->iType == STYPE_DEVICE) {
        RECTL copy = *prclDest;
        return vec_BitBlt(
            psoDest, psoSrc, NULL, pco, pxlo, prclDest, &copy, pptlSrc, NULL, NULL, NULL, NULL, kSourceCopy);
    }
    return Refuse();
}

// ent_FillPath: see entry.h.
BOOL WINAPI ent_FillPath(SURFOBJ *pso, PATHOBJ *ppo, CLIPOBJ *pco, BRUSHOBJ *pbo, POINTL *pptlBrushOrg, MIX mix,
                         FLONG flOptions)
{
    if (pso == NULL || ppo == NULL) {
        return Refuse();
    }
    return vec_DrawPath(pso, ppo, pco, NULL, NULL, pbo, pptlBrushOrg, NULL, mix, flOptions, VEC_PATH_FILL);
}

// ent_StretchBlt: see entry.h.
BOOL WINAPI ent_StretchBlt(SURFOBJ *psoDest, SURFOBJ *psoSrc, SURFOBJ *psoMask, CLIPOBJ *pco, XLATEOBJ *pxlo,
                           RECTL *prclDest, RECTL *prclSrc, POINTL *pptlMask)
{
    if (psoDest == NULL || prclSrc == NULL) {
        return Refuse();
    }
    RECTL copy = prclDest != NULL ? *prclDest : RECTL{0, 0, 0, 0};
    return vec_BitBlt(
        psoDest, psoSrc, psoMask, pco, pxlo, prclDest, &copy, NULL, prclSrc, pptlMask, NULL, NULL, kSourceCopy);
}

// ent_StretchBltROP: see entry.h.
BOOL WINAPI ent_StretchBltROP(SURFOBJ *psoDest, SURFOBJ *psoSrc, SURFOBJ *psoMask, CLIPOBJ *pco, XLATEOBJ *pxlo,
                              RECTL *prclDest, RECTL *prclSrc, POINTL *pptlMask, BRUSHOBJ *pbo, DWORD rop4)
{
    if (psoDest == NULL || prclSrc == NULL) {
        return Refuse();
    }
    RECTL copy = prclDest != NULL ? *prclDest : RECTL{0, 0, 0, 0};
    return vec_BitBlt(psoDest, psoSrc, psoMask, pco, pxlo, prclDest, &copy, NULL, prclSrc, pptlMask, pbo, NULL, rop4);
}

// ent_StrokeAndFillPath: see entry.h.
BOOL WINAPI ent_StrokeAndFillPath(SURFOBJ *pso, PATHOBJ *ppo, CLIPOBJ *pco, XFORMOBJ *pxo, BRUSHOBJ *pboStroke,
                                  LINEATTRS *plineattrs, BRUSHOBJ *pboFill, POINTL *pptlBrushOrg, MIX mixFill,
                                  FLONG flOptions)
{
    if (pso == NULL || ppo == NULL || plineattrs == NULL || ((plineattrs->fl & LA_GEOMETRIC) && pxo == NULL)) {
        return Refuse();
    }
    return vec_DrawPath(
        pso, ppo, pco, pxo, pboStroke, pboFill, pptlBrushOrg, plineattrs, mixFill, flOptions, VEC_PATH_STROKE_AND_FILL);
}

// ent_StrokePath: see entry.h.
BOOL WINAPI ent_StrokePath(SURFOBJ *pso, PATHOBJ *ppo, CLIPOBJ *pco, XFORMOBJ *pxo, BRUSHOBJ *pbo, POINTL *pptlBrushOrg,
                           LINEATTRS *plineattrs, MIX mix)
{
    if (pso == NULL || ppo == NULL || plineattrs == NULL || ((plineattrs->fl & LA_GEOMETRIC) && pxo == NULL)) {
        return Refuse();
    }
    return vec_DrawPath(pso, ppo, pco, pxo, pbo, NULL, pptlBrushOrg, plineattrs, mix, 0, VEC_PATH_STROKE);
}
