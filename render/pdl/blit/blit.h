/*
 * The blit core: the one worker of DrvBitBlt, DrvCopyBits, DrvStretchBlt and
 * DrvStretchBltROP, which turns a raster operation on the page into LUMIQ.
 */
#ifndef QM_RENDER_PDL_BLIT_BLIT_H
#define QM_RENDER_PDL_BLIT_BLIT_H

#include <windows.h>
#include <winddi.h>

#ifdef __cplusplus
extern "C" {
#endif

/*
 * vec_BitBlt: the blit core. prclDst is the caller's destination rectangle, prclDstCopy a
 * private copy the core may normalise; the source is given as a point (pptlSrc) or a
 * rectangle (prclSrc), either may be NULL. Returns TRUE when drawn.
 */
BOOL WINAPI vec_BitBlt(SURFOBJ *psoDst, SURFOBJ *psoSrc, SURFOBJ *psoMask, CLIPOBJ *pco, XLATEOBJ *pxlo, RECTL *prclDst,
                       RECTL *prclDstCopy, POINTL *pptlSrc, RECTL *prclSrc, POINTL *pptlMask, BRUSHOBJ *pbo,
                       POINTL *pptlBrush, ROP4 rop4);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_PDL_BLIT_BLIT_H */
