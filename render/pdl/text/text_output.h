/*
 * Text output: the worker of DrvTextOut.
 */
#ifndef QM_RENDER_PDL_TEXT_TEXT_OUTPUT_H
#define QM_RENDER_PDL_TEXT_TEXT_OUTPUT_H

#include <windows.h>
#include <winddi.h>

#ifdef __cplusplus
extern "C" {
#endif

/* fnt_TextOut: the text output worker of DrvTextOut. Returns TRUE when drawn. */
BOOL WINAPI fnt_TextOut(SURFOBJ *pso, STROBJ *pstro, FONTOBJ *pfo, CLIPOBJ *pco, RECTL *prclExtra, RECTL *prclOpaque,
                        BRUSHOBJ *pboFore, BRUSHOBJ *pboOpaque, POINTL *pptlOrg, MIX mix);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_PDL_TEXT_TEXT_OUTPUT_H */
