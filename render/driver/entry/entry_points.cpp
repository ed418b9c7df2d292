/*
 * The exported graphics entry points: each writes its entry line, runs its worker and
 * writes its exit line with the result in its form, returning the result unchanged.
 */
#include "render/driver/entry/entry.h"

#include "core/trace/trace.h"
#include "render/driver/escape/escape.h"
#include "render/pdl/fonts/fonts.h"
#include "render/pdl/text/text_output.h"

extern "C" {

BOOL WINAPI DrvBitBlt(SURFOBJ *psoTrg, SURFOBJ *psoSrc, SURFOBJ *psoMask, CLIPOBJ *pco, XLATEOBJ *pxlo, RECTL *prclTrg,
                      POINTL *pptlSrc, POINTL *pptlMask, BRUSHOBJ *pbo, POINTL *pptlBrush, ROP4 rop4)
{
    trc_WriteEnter(TEXT("DrvBitBlt"));
    BOOL result = ent_BitBlt(psoTrg, psoSrc, psoMask, pco, pxlo, prclTrg, pptlSrc, pptlMask, pbo, pptlBrush, rop4);
    ent_TraceExitInt(TEXT("DrvBitBlt"), result);
    return result;
}

BOOL WINAPI DrvCopyBits(SURFOBJ *psoDest, SURFOBJ *psoSrc, CLIPOBJ *pco, XLATEOBJ *pxlo, RECTL *prclDest,
                        POINTL *pptlSrc)
{
    trc_WriteEnter(TEXT("DrvCopyBits"));
    BOOL result = ent_CopyBits(psoDest, psoSrc, pco, pxlo, prclDest, pptlSrc);
    ent_TraceExitInt(TEXT("DrvCopyBits"), result);
    return result;
}

BOOL WINAPI DrvEndDoc(SURFOBJ *pso, FLONG fl)
{
    trc_WriteEnter(TEXT("DrvEndDoc"));
    BOOL result = ent_EndDoc(pso, fl);
    ent_TraceExitInt(TEXT("DrvEndDoc"), result);
    return result;
}

ULONG WINAPI DrvEscape(SURFOBJ *pso, ULONG iEsc, ULONG cjIn, PVOID pvIn, ULONG cjOut, PVOID pvOut)
{
    trc_WriteEnter(TEXT("DrvEscape"));
    ULONG result = esc_Dispatch(pso, iEsc, cjIn, pvIn, cjOut, pvOut);
    ent_TraceExitLong(TEXT("DrvEscape"), (LONG)result);
    return result;
}

BOOL WINAPI DrvFillPath(SURFOBJ *pso, PATHOBJ *ppo, CLIPOBJ *pco, BRUSHOBJ *pbo, POINTL *pptlBrushOrg, MIX mix,
                        FLONG flOptions)
{
    trc_WriteEnter(TEXT("DrvFillPath"));
    BOOL result = ent_FillPath(pso, ppo, pco, pbo, pptlBrushOrg, mix, flOptions);
    ent_TraceExitInt(TEXT("DrvFillPath"), result);
    return result;
}

ULONG WINAPI DrvGetGlyphMode(DHPDEV dhpdev, FONTOBJ *pfo)
{
    trc_WriteEnter(TEXT("DrvGetGlyphMode"));
    ULONG result = fnt_GetGlyphMode(dhpdev, pfo);
    ent_TraceExitLong(TEXT("DrvGetGlyphMode"), (LONG)result);
    return result;
}

BOOL WINAPI DrvQueryAdvanceWidths(DHPDEV dhpdev, FONTOBJ *pfo, ULONG iMode, HGLYPH *phg, PVOID pvWidths, ULONG cGlyphs)
{
    trc_WriteEnter(TEXT("DrvQueryAdvanceWidths"));
    BOOL result = ent_QueryAdvanceWidths(dhpdev, pfo, iMode, phg, pvWidths, cGlyphs);
    ent_TraceExitInt(TEXT("DrvQueryAdvanceWidths"), result);
    return result;
}

PIFIMETRICS WINAPI DrvQueryFont(DHPDEV dhpdev, ULONG_PTR iFile, ULONG iFace, ULONG_PTR *pid)
{
    trc_WriteEnter(TEXT("DrvQueryFont"));
    PIFIMETRICS result = ent_QueryFont(dhpdev, iFile, iFace, pid);
    ent_TraceExitHex(TEXT("DrvQueryFont"), (ULONG_PTR)result);
    return result;
}

LONG WINAPI DrvQueryFontData(DHPDEV dhpdev, FONTOBJ *pfo, ULONG iMode, HGLYPH hg, GLYPHDATA *pgd, PVOID pv,
                             ULONG cjSize)
{
    trc_WriteEnter(TEXT("DrvQueryFontData"));
    LONG result = ent_QueryFontData(dhpdev, pfo, iMode, hg, pgd, pv, cjSize);
    ent_TraceExitLong(TEXT("DrvQueryFontData"), result);
    return result;
}

PVOID WINAPI DrvQueryFontTree(DHPDEV dhpdev, ULONG_PTR iFile, ULONG iFace, ULONG iMode, ULONG_PTR *pid)
{
    trc_WriteEnter(TEXT("DrvQueryFontTree"));
    PVOID result = ent_QueryFontTree(dhpdev, iFile, iFace, iMode, pid);
    ent_TraceExitHex(TEXT("DrvQueryFontTree"), (ULONG_PTR)result);
    return result;
}

BOOL WINAPI DrvRealizeBrush(BRUSHOBJ *pbo, SURFOBJ *psoTarget, SURFOBJ *psoPattern, SURFOBJ *psoMask, XLATEOBJ *pxlo,
                            ULONG iHatch)
{
    trc_WriteEnter(TEXT("DrvRealizeBrush"));
    BOOL result = ent_RealizeBrush(pbo, psoTarget, psoPattern, psoMask, pxlo, iHatch);
    ent_TraceExitInt(TEXT("DrvRealizeBrush"), result);
    return result;
}

BOOL WINAPI DrvSendPage(SURFOBJ *pso)
{
    trc_WriteEnter(TEXT("DrvSendPage"));
    BOOL result = ent_SendPage(pso);
    ent_TraceExitInt(TEXT("DrvSendPage"), result);
    return result;
}

BOOL WINAPI DrvStartDoc(SURFOBJ *pso, LPWSTR pwszDocName, DWORD dwJobId)
{
    trc_WriteEnter(TEXT("DrvStartDoc"));
    BOOL result = ent_StartDoc(pso, pwszDocName, dwJobId);
    ent_TraceExitInt(TEXT("DrvStartDoc"), result);
    return result;
}

BOOL WINAPI DrvStartPage(SURFOBJ *pso)
{
    trc_WriteEnter(TEXT("DrvStartPage"));
    BOOL result = ent_StartPage(pso);
    ent_TraceExitInt(TEXT("DrvStartPage"), result);
    return result;
}

BOOL WINAPI DrvStretchBlt(SURFOBJ *psoDest, SURFOBJ *psoSrc, SURFOBJ *psoMask, CLIPOBJ *pco, XLATEOBJ *pxlo,
                          COLORADJUSTMENT *, POINTL *, RECTL *prclDest, RECTL *prclSrc, POINTL *pptlMask, ULONG)
{
    trc_WriteEnter(TEXT("DrvStretchBlt"));
    BOOL result = ent_StretchBlt(psoDest, psoSrc, psoMask, pco, pxlo, prclDest, prclSrc, pptlMask);
    ent_TraceExitInt(TEXT("DrvStretchBlt"), result);
    return result;
}

BOOL WINAPI DrvStretchBltROP(SURFOBJ *psoDest, SURFOBJ *psoSrc, SURFOBJ *psoMask, CLIPOBJ *pco, XLATEOBJ *pxlo,
                             COLORADJUSTMENT *, POINTL *, RECTL *prclDest, RECTL *prclSrc, POINTL *pptlMask, ULONG,
                             BRUSHOBJ *pbo, DWORD rop4)
{
    trc_WriteEnter(TEXT("DrvStretchBltROP"));
    BOOL result = ent_StretchBltROP(psoDest, psoSrc, psoMask, pco, pxlo, prclDest, prclSrc, pptlMask, pbo, rop4);
    ent_TraceExitInt(TEXT("DrvStretchBltROP"), result);
    return result;
}

BOOL WINAPI DrvStrokeAndFillPath(SURFOBJ *pso, PATHOBJ *ppo, CLIPOBJ *pco, XFORMOBJ *pxo, BRUSHOBJ *pboStroke,
                                 LINEATTRS *plineattrs, BRUSHOBJ *pboFill, POINTL *pptlBrushOrg, MIX mixFill,
                                 FLONG flOptions)
{
    trc_WriteEnter(TEXT("DrvStrokeAndFillPath"));
    BOOL result =
        ent_StrokeAndFillPath(pso, ppo, pco, pxo, pboStroke, plineattrs, pboFill, pptlBrushOrg, mixFill, flOptions);
    ent_TraceExitInt(TEXT("DrvStrokeAndFillPath"), result);
    return result;
}

BOOL WINAPI DrvStrokePath(SURFOBJ *pso, PATHOBJ *ppo, CLIPOBJ *pco, XFORMOBJ *pxo, BRUSHOBJ *pbo, POINTL *pptlBrushOrg,
                          LINEATTRS *plineattrs, MIX mix)
{
    trc_WriteEnter(TEXT("DrvStrokePath"));
    BOOL result = ent_StrokePath(pso, ppo, pco, pxo, pbo, pptlBrushOrg, plineattrs, mix);
    ent_TraceExitInt(TEXT("DrvStrokePath"), result);
    return result;
}

BOOL WINAPI DrvTextOut(SURFOBJ *pso, STROBJ *pstro, FONTOBJ *pfo, CLIPOBJ *pco, RECTL *prclExtra, RECTL *prclOpaque,
                       BRUSHOBJ *pboFore, BRUSHOBJ *pboOpaque, POINTL *pptlOrg, MIX mix)
{
    trc_WriteEnter(TEXT("DrvTextOut"));
    BOOL result = fnt_TextOut(pso, pstro, pfo, pco, prclExtra, prclOpaque, pboFore, pboOpaque, pptlOrg, mix);
    ent_TraceExitInt(TEXT("DrvTextOut"), result);
    return result;
}

} // extern "C"
