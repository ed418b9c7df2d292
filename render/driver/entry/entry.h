/*
 * The render driver's entry layer: the process-wide locks, the trace lines every entry
 * point writes, and the workers behind the entry points that only check arguments and
 * hand on.
 */
#ifndef QM_RENDER_DRIVER_ENTRY_ENTRY_H
#define QM_RENDER_DRIVER_ENTRY_ENTRY_H

#include <windows.h>
#include <winddi.h>

#include "render/pdl/fonts/fonts.h"

struct PDEV;

/* Number of entry points in the table handed to GDI. */
#define ENT_FUNCTION_COUNT 25
/* The engine version the driver needs, and the driver version it reports. */
#define ENT_DRIVER_VERSION 0x20000UL

#ifdef __cplusplus
extern "C" {
#endif

/* ---- locks (driver_locks.cpp) ---- */

/* ent_CreateLocks: creates the context lock, the binding lock and the third lock. */
void WINAPI ent_CreateLocks(void);
/* ent_DeleteLocks: deletes the three locks ent_CreateLocks made (nothing when none). */
void WINAPI ent_DeleteLocks(void);
/* The context lock: held while a PDEV opens its printer context. */
void WINAPI ent_EnterContextLock(void);
void WINAPI ent_LeaveContextLock(void);
/* The binding lock: held around every bind and unbind of the DEVMODE access library. */
void WINAPI ent_EnterBindingLock(void);
void WINAPI ent_LeaveBindingLock(void);

/* ---- the entry-point table (driver_entry.cpp) ---- */

/* ent_GetFunctionTable: the 25 entries in GDI's order. */
const DRVFN *WINAPI ent_GetFunctionTable(void);

/* ---- trace lines (trace_lines.cpp): "<name> RetValue = <result>" ---- */

void WINAPI ent_TraceExitInt(LPCWSTR name, int result);       /* "%d" */
void WINAPI ent_TraceExitHex(LPCWSTR name, ULONG_PTR result); /* "0x%08X", pointer-wide */
void WINAPI ent_TraceExitLong(LPCWSTR name, LONG result);     /* "%ld" */
void WINAPI ent_TraceExitBare(LPCWSTR name);                  /* the name alone */

/* ---- workers behind the entry points ---- */

BOOL WINAPI ent_BitBlt(SURFOBJ *psoTrg, SURFOBJ *psoSrc, SURFOBJ *psoMask, CLIPOBJ *pco, XLATEOBJ *pxlo, RECTL *prclTrg,
                       POINTL *pptlSrc, POINTL *pptlMask, BRUSHOBJ *pbo, POINTL *pptlBrush, ROP4 rop4);
BOOL WINAPI ent_CopyBits(SURFOBJ *psoDest, SURFOBJ *psoSrc, CLIPOBJ *pco, XLATEOBJ *pxlo, RECTL *prclDest,
                         POINTL *pptlSrc);
BOOL WINAPI ent_StretchBlt(SURFOBJ *psoDest, SURFOBJ *psoSrc, SURFOBJ *psoMask, CLIPOBJ *pco, XLATEOBJ *pxlo,
                           RECTL *prclDest, RECTL *prclSrc, POINTL *pptlMask);
BOOL WINAPI ent_StretchBltROP(SURFOBJ *psoDest, SURFOBJ *psoSrc, SURFOBJ *psoMask, CLIPOBJ *pco, XLATEOBJ *pxlo,
                              RECTL *prclDest, RECTL *prclSrc, POINTL *pptlMask, BRUSHOBJ *pbo, DWORD rop4);
BOOL WINAPI ent_StrokePath(SURFOBJ *pso, PATHOBJ *ppo, CLIPOBJ *pco, XFORMOBJ *pxo, BRUSHOBJ *pbo, POINTL *pptlBrushOrg,
                           LINEATTRS *plineattrs, MIX mix);
BOOL WINAPI ent_FillPath(SURFOBJ *pso, PATHOBJ *ppo, CLIPOBJ *pco, BRUSHOBJ *pbo, POINTL *pptlBrushOrg, MIX mix,
                         FLONG flOptions);
BOOL WINAPI ent_StrokeAndFillPath(SURFOBJ *pso, PATHOBJ *ppo, CLIPOBJ *pco, XFORMOBJ *pxo, BRUSHOBJ *pboStroke,
                                  LINEATTRS *plineattrs, BRUSHOBJ *pboFill, POINTL *pptlBrushOrg, MIX mixFill,
                                  FLONG flOptions);
BOOL WINAPI ent_RealizeBrush(BRUSHOBJ *pbo, SURFOBJ *psoTarget, SURFOBJ *psoPattern, SURFOBJ *psoMask, XLATEOBJ *pxlo,
                             ULONG iHatch);
BOOL WINAPI ent_StartDoc(SURFOBJ *pso, LPWSTR pwszDocName, DWORD dwJobId);
BOOL WINAPI ent_StartPage(SURFOBJ *pso);
BOOL WINAPI ent_SendPage(SURFOBJ *pso);
BOOL WINAPI ent_EndDoc(SURFOBJ *pso, FLONG fl);
PIFIMETRICS WINAPI ent_QueryFont(DHPDEV dhpdev, ULONG_PTR iFile, ULONG iFace, ULONG_PTR *pid);
PVOID WINAPI ent_QueryFontTree(DHPDEV dhpdev, ULONG_PTR iFile, ULONG iFace, ULONG iMode, ULONG_PTR *pid);
LONG WINAPI ent_QueryFontData(DHPDEV dhpdev, FONTOBJ *pfo, ULONG iMode, HGLYPH hg, GLYPHDATA *pgd, PVOID pv,
                              ULONG cjSize);
BOOL WINAPI ent_QueryAdvanceWidths(DHPDEV dhpdev, FONTOBJ *pfo, ULONG iMode, HGLYPH *phg, PVOID pvWidths,
                                   ULONG cGlyphs);
/* ent_GetFontJobView: what the font checks of the text output read of pdev (font tables,
 * resolution, outline and hint settings, the model's outline capability and hint values,
 * the page hook and the writer's current page transform). view: out. 0 for NULL. */
BOOL WINAPI ent_GetFontJobView(struct PDEV *pdev, FontJobView *view);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_DRIVER_ENTRY_ENTRY_H */
