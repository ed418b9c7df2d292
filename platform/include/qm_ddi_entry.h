/*
 * The render driver's entry points as the engine calls them. Included by the host build's
 * winddi.h; the layout check includes it in the target build too, after the Windows
 * winddi.h, so that a declaration differing from the Windows one fails to compile there
 * and driver code fits both headers.
 */
#ifndef QM_DDI_ENTRY_H
#define QM_DDI_ENTRY_H

#ifdef __cplusplus
extern "C" {
#endif

BOOL WINAPI DrvEnableDriver(ULONG iEngineVersion, ULONG cj, DRVENABLEDATA *pded);
void WINAPI DrvDisableDriver(void);
BOOL WINAPI DrvQueryDriverInfo(DWORD dwMode, PVOID pBuffer, DWORD cbBuf, PDWORD pcbNeeded);
DHPDEV WINAPI DrvEnablePDEV(DEVMODEW *pdm, LPWSTR pwszLogAddress, ULONG cPat, HSURF *phsurfPatterns, ULONG cjCaps,
                            ULONG *pdevcaps, ULONG cjDevInfo, DEVINFO *pdi, HDEV hdev, LPWSTR pwszDeviceName,
                            HANDLE hDriver);
void WINAPI DrvCompletePDEV(DHPDEV dhpdev, HDEV hdev);
void WINAPI DrvDisablePDEV(DHPDEV dhpdev);
BOOL WINAPI DrvResetPDEV(DHPDEV dhpdevOld, DHPDEV dhpdevNew);
HSURF WINAPI DrvEnableSurface(DHPDEV dhpdev);
void WINAPI DrvDisableSurface(DHPDEV dhpdev);
BOOL WINAPI DrvBitBlt(SURFOBJ *psoTrg, SURFOBJ *psoSrc, SURFOBJ *psoMask, CLIPOBJ *pco, XLATEOBJ *pxlo, RECTL *prclTrg,
                      POINTL *pptlSrc, POINTL *pptlMask, BRUSHOBJ *pbo, POINTL *pptlBrush, ROP4 rop4);
BOOL WINAPI DrvCopyBits(SURFOBJ *psoDest, SURFOBJ *psoSrc, CLIPOBJ *pco, XLATEOBJ *pxlo, RECTL *prclDest,
                        POINTL *pptlSrc);
BOOL WINAPI DrvStretchBlt(SURFOBJ *psoDest, SURFOBJ *psoSrc, SURFOBJ *psoMask, CLIPOBJ *pco, XLATEOBJ *pxlo,
                          COLORADJUSTMENT *pca, POINTL *pptlHTOrg, RECTL *prclDest, RECTL *prclSrc, POINTL *pptlMask,
                          ULONG iMode);
BOOL WINAPI DrvStretchBltROP(SURFOBJ *psoDest, SURFOBJ *psoSrc, SURFOBJ *psoMask, CLIPOBJ *pco, XLATEOBJ *pxlo,
                             COLORADJUSTMENT *pca, POINTL *pptlHTOrg, RECTL *prclDest, RECTL *prclSrc, POINTL *pptlMask,
                             ULONG iMode, BRUSHOBJ *pbo, DWORD rop4);
BOOL WINAPI DrvTextOut(SURFOBJ *pso, STROBJ *pstro, FONTOBJ *pfo, CLIPOBJ *pco, RECTL *prclExtra, RECTL *prclOpaque,
                       BRUSHOBJ *pboFore, BRUSHOBJ *pboOpaque, POINTL *pptlOrg, MIX mix);
BOOL WINAPI DrvStrokePath(SURFOBJ *pso, PATHOBJ *ppo, CLIPOBJ *pco, XFORMOBJ *pxo, BRUSHOBJ *pbo, POINTL *pptlBrushOrg,
                          LINEATTRS *plineattrs, MIX mix);
BOOL WINAPI DrvFillPath(SURFOBJ *pso, PATHOBJ *ppo, CLIPOBJ *pco, BRUSHOBJ *pbo, POINTL *pptlBrushOrg, MIX mix,
                        FLONG flOptions);
BOOL WINAPI DrvStrokeAndFillPath(SURFOBJ *pso, PATHOBJ *ppo, CLIPOBJ *pco, XFORMOBJ *pxo, BRUSHOBJ *pboStroke,
                                 LINEATTRS *plineattrs, BRUSHOBJ *pboFill, POINTL *pptlBrushOrg, MIX mixFill,
                                 FLONG flOptions);
BOOL WINAPI DrvRealizeBrush(BRUSHOBJ *pbo, SURFOBJ *psoTarget, SURFOBJ *psoPattern, SURFOBJ *psoMask, XLATEOBJ *pxlo,
                            ULONG iHatch);
PIFIMETRICS WINAPI DrvQueryFont(DHPDEV dhpdev, ULONG_PTR iFile, ULONG iFace, ULONG_PTR *pid);
PVOID WINAPI DrvQueryFontTree(DHPDEV dhpdev, ULONG_PTR iFile, ULONG iFace, ULONG iMode, ULONG_PTR *pid);
LONG WINAPI DrvQueryFontData(DHPDEV dhpdev, FONTOBJ *pfo, ULONG iMode, HGLYPH hg, GLYPHDATA *pgd, PVOID pv,
                             ULONG cjSize);
BOOL WINAPI DrvQueryAdvanceWidths(DHPDEV dhpdev, FONTOBJ *pfo, ULONG iMode, HGLYPH *phg, PVOID pvWidths, ULONG cGlyphs);
ULONG WINAPI DrvEscape(SURFOBJ *pso, ULONG iEsc, ULONG cjIn, PVOID pvIn, ULONG cjOut, PVOID pvOut);
BOOL WINAPI DrvStartDoc(SURFOBJ *pso, LPWSTR pwszDocName, DWORD dwJobId);
BOOL WINAPI DrvEndDoc(SURFOBJ *pso, FLONG fl);
BOOL WINAPI DrvStartPage(SURFOBJ *pso);
BOOL WINAPI DrvSendPage(SURFOBJ *pso);
ULONG WINAPI DrvGetGlyphMode(DHPDEV dhpdev, FONTOBJ *pfo);

#ifdef __cplusplus
}
#endif

#endif /* QM_DDI_ENTRY_H */
