/*
 * Test controls of the graphics-engine area (tests only, never driver code): live counts,
 * fault injection, and builders of the engine objects GDI hands to a driver.
 */
#ifndef QM_TESTING_ENGINE_H
#define QM_TESTING_ENGINE_H

#include <windows.h>
#include <winddi.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Live surfaces (device surfaces and engine bitmaps), palettes, engine-made paths (built
 * ones and CLIPOBJ_ppoGetPath's until EngDeletePath) and brush realisations. */
DWORD qmt_LiveSurfaces(void);
DWORD qmt_LivePalettes(void);
DWORD qmt_LiveEnginePaths(void);
DWORD qmt_LiveRealizedBrushes(void);

/* Engine calls fault injection can refuse. */
#define QMT_ENGINE_SURFACE 1  /* EngCreateDeviceSurface, EngCreateBitmap */
#define QMT_ENGINE_PALETTE 2  /* EngCreatePalette */
#define QMT_ENGINE_RBRUSH 3   /* BRUSHOBJ_pvAllocRbrush */
#define QMT_ENGINE_GLYPHSET 4 /* EngComputeGlyphSet */

/* Lets `after` more calls of that kind succeed, then refuses the next `count` (0 = off). */
void qmt_EngineFailCall(DWORD kind, DWORD after, DWORD count);
/* Turns every engine fault off. */
void qmt_EngineReset(void);

/* ---- Builders. Every object made here is freed by its qmt_EngineFree* (paths by
 * EngDeletePath). */

/* An engine bitmap of cx x cy pixels in format iFormat (BMF_1BPP..BMF_32BPP), zeroed,
 * bottom-up unless topDown; locked. NULL on failure. */
SURFOBJ *qmt_EngineBitmap(LONG cx, LONG cy, ULONG iFormat, BOOL topDown);
void qmt_EngineFreeBitmap(SURFOBJ *pso);

/* A translation by table (XO_TABLE, source palette `table` of count entries). */
XLATEOBJ *qmt_EngineXlateTable(const ULONG *table, ULONG count);
/* A translation without table from direct colours: srcMode PAL_RGB, PAL_BGR or
 * PAL_BITFIELDS (with the three masks) into dstMode PAL_RGB or PAL_BGR. */
XLATEOBJ *qmt_EngineXlateColors(ULONG srcMode, FLONG flRed, FLONG flGreen, FLONG flBlue, ULONG dstMode);
/* An identity translation (XO_TRIVIAL). */
XLATEOBJ *qmt_EngineXlateTrivial(void);
void qmt_EngineFreeXlate(XLATEOBJ *pxlo);

/* A transform with the given matrix. */
XFORMOBJ *qmt_EngineXform(const XFORML *pxform);
void qmt_EngineFreeXform(XFORMOBJ *pxo);

/* A font scaled from notional to device space by scaleX, scaleY; pifi (kept by the
 * caller, may be NULL), type flags (FO_*) and face index as given. */
FONTOBJ *qmt_EngineFont(IFIMETRICS *pifi, FLOAT scaleX, FLOAT scaleY, FLONG flFontType, ULONG iFace);
/* Replaces the font's transform. */
void qmt_EngineFontSetXform(FONTOBJ *pfo, const XFORML *pxform);
/* Adds a glyph bitmap: origin, size, rows of ((cx + 7) / 8) bytes each, advance fxD. */
BOOL qmt_EngineFontAddBitmapGlyph(FONTOBJ *pfo, HGLYPH hg, LONG originX, LONG originY, LONG cx, LONG cy,
                                  const BYTE *rows, FIX fxD);
/* Adds a glyph outline; the font takes the path over. */
BOOL qmt_EngineFontAddOutlineGlyph(FONTOBJ *pfo, HGLYPH hg, PATHOBJ *ppo, FIX fxD);
void qmt_EngineFreeFont(FONTOBJ *pfo);

/* A clip of count rectangles: none DC_TRIVIAL, one DC_RECT, more DC_COMPLEX; rclBounds is
 * their union. */
CLIPOBJ *qmt_EngineClip(const RECTL *rects, ULONG count);
/* A complex clip shaped as a path (TC_PATHOBJ): CLIPOBJ_ppoGetPath hands out a copy of
 * the path's figures; its rectangle enumeration gives the bounds. NULL for an empty path. */
CLIPOBJ *qmt_EngineClipPath(PATHOBJ *ppo);
void qmt_EngineFreeClip(CLIPOBJ *pco);

/* An empty path; figures are added in 28.4 units. */
PATHOBJ *qmt_EnginePath(void);
void qmt_EnginePathMoveTo(PATHOBJ *ppo, FIX x, FIX y);
void qmt_EnginePathLineTo(PATHOBJ *ppo, ULONG count, const POINTFIX *pptfx);
/* count a multiple of 3: control, control, end point for each curve. */
void qmt_EnginePathBezierTo(PATHOBJ *ppo, ULONG count, const POINTFIX *pptfx);
void qmt_EnginePathClose(PATHOBJ *ppo);
/* Adds a closed ellipse in the rectangle (four Bezier curves) and flags the path
 * PO_ELLIPSE, as the engine hands an Ellipse call. */
void qmt_EnginePathEllipse(PATHOBJ *ppo, FIX left, FIX top, FIX right, FIX bottom);

/* A string of count glyphs at the given positions with text (may be NULL); pgp in the
 * STROBJ only when withPositions. */
STROBJ *qmt_EngineString(const GLYPHPOS *pgp, ULONG count, LPCWSTR text, ULONG ulCharInc, FLONG flAccel,
                         BOOL withPositions);
void qmt_EngineFreeString(STROBJ *pstro);

/* Frees the realisations the driver made for a brush (any BRUSHOBJ) and clears its
 * pvRbrush, as when GDI drops a realisation. */
void qmt_EngineReleaseBrush(BRUSHOBJ *pbo);

/* The driver's brush realiser, DrvRealizeBrush. */
typedef BOOL(WINAPI *QMT_REALIZE_BRUSH)(BRUSHOBJ *pbo, SURFOBJ *psoTarget, SURFOBJ *psoPattern, SURFOBJ *psoMask,
                                        XLATEOBJ *pxlo, ULONG iHatch);
/* A solid brush. */
BRUSHOBJ *qmt_EngineSolidBrush(ULONG iSolidColor);
/* A pattern (or hatch, iHatch below HS_DDI_MAX) brush that BRUSHOBJ_pvGetRbrush realises on
 * first use through pfnRealize with these arguments (kept by the caller). */
BRUSHOBJ *qmt_EnginePatternBrush(SURFOBJ *psoTarget, SURFOBJ *psoPattern, SURFOBJ *psoMask, XLATEOBJ *pxlo,
                                 ULONG iHatch, QMT_REALIZE_BRUSH pfnRealize);
/* A hatch brush (iHatch below HS_DDI_MAX) as the engine hands it: its own 8 x 8 one-bit
 * pattern of the style, whose translation is {lineColor, backColor} (device colours),
 * realised through pfnRealize on first use. The pattern and translation go with the brush.
 * NULL for another style. */
BRUSHOBJ *qmt_EngineHatchBrush(SURFOBJ *psoTarget, ULONG iHatch, ULONG lineColor, ULONG backColor,
                               QMT_REALIZE_BRUSH pfnRealize);
/* Frees a built brush with its realisations. */
void qmt_EngineFreeBrush(BRUSHOBJ *pbo);

/* The arguments of the last EngBitBlt call (pointers as given; calls counts every call
 * since the process started or qmt_EngineReset). */
typedef struct QMT_ENGINE_BITBLT {
    DWORD calls;
    SURFOBJ *psoTrg;
    SURFOBJ *psoSrc;
    SURFOBJ *psoMask;
    CLIPOBJ *pco;
    XLATEOBJ *pxlo;
    RECTL *prclTrg;
    POINTL *pptlSrc;
    POINTL *pptlMask;
    BRUSHOBJ *pbo;
    POINTL *pptlBrush;
    ROP4 rop4;
} QMT_ENGINE_BITBLT;
QMT_ENGINE_BITBLT qmt_EngineLastBitBlt(void);

#ifdef __cplusplus
}
#endif

#endif /* QM_TESTING_ENGINE_H */
