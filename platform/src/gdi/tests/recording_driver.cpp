/*
 * The recording render driver (recording_driver.h): a PDEV of the scripted capabilities
 * over a device surface of the scripted hooks, and drawing entries that write what they are
 * handed (paths in 28.4 units, clips, brushes as the driver realises them, pens, mixes).
 */
#include "platform/src/gdi/tests/recording_driver.h"

#include <stdio.h>
#include <string.h>

#include <string>

namespace {

REC_SETUP g_setup = {GCAPS_BEZIERS | GCAPS_ALTERNATEFILL | GCAPS_WINDINGFILL | GCAPS_GEOMETRICWIDE,
                     HOOK_STROKEPATH | HOOK_FILLPATH | HOOK_STROKEANDFILLPATH | HOOK_BITBLT | HOOK_COPYBITS |
                         HOOK_STRETCHBLT | HOOK_STRETCHBLTROP,
                     PAL_BGR,
                     600,
                     TRUE};
std::string g_log;
std::string g_taken;

/* The PDEV: the device's palette and surface. */
struct RecordingPdev {
    HDEV hdev;
    HPALETTE palette;
    HSURF surface;
    REC_SETUP setup;
    SIZEL size;
};

/* The size of the page at the scripted resolution: 8.5 x 11 inches. */
SIZEL PageSize(ULONG dpi)
{
    return SIZEL{(LONG)(dpi * 17 / 2), (LONG)(dpi * 11)};
}

void Add(const std::string &text)
{
    g_log += text;
}

std::string Hex(ULONG value, int digits)
{
    char text[16];
    snprintf(text, sizeof text, "0x%0*lX", digits, (unsigned long)value);
    return text;
}

std::string Number(LONG value)
{
    return std::to_string(value);
}

/* " M(x, y) L(x, y) ... B(x, y) ... close" per subpath, in 28.4 units as integers. */
std::string PathText(PATHOBJ *ppo)
{
    std::string text;
    PATHDATA pd;
    PATHOBJ_vEnumStart(ppo);
    BOOL more = TRUE;
    while (more) {
        memset(&pd, 0, sizeof pd);
        more = PATHOBJ_bEnum(ppo, &pd);
        bool begins = (pd.flags & PD_BEGINSUBPATH) != 0;
        for (ULONG i = 0; i < pd.count; ++i) {
            // Each segment's first point is marked: L for a run of lines, B for each curve.
            ULONG j = i - (begins ? 1 : 0);
            const char *mark = "";
            if (begins && i == 0) {
                mark = "M";
            } else if (pd.flags & PD_BEZIERS) {
                mark = j % 3 == 0 ? "B" : "";
            } else if (j == 0) {
                mark = "L";
            }
            text += std::string(" ") + mark + "(" + Number(pd.pptfx[i].x) + ", " + Number(pd.pptfx[i].y) + ")";
        }
        if (pd.flags & PD_CLOSEFIGURE) {
            text += " close";
        }
    }
    if (ppo->fl & PO_ELLIPSE) {
        text += " ellipse";
    }
    return text;
}

std::string RectText(const RECTL &r)
{
    return "(" + Number(r.left) + ", " + Number(r.top) + ", " + Number(r.right) + ", " + Number(r.bottom) + ")";
}

/* "trivial", "rect (l, t, r, b)" or "complex (..) (..)". */
std::string ClipText(CLIPOBJ *pco)
{
    if (!pco || pco->iDComplexity == DC_TRIVIAL) {
        return "trivial";
    }
    if (pco->iDComplexity == DC_RECT) {
        return "rect " + RectText(pco->rclBounds);
    }
    std::string text = "complex";
    CLIPOBJ_cEnumStart(pco, FALSE, CT_RECTANGLES, CD_RIGHTDOWN, 0);
    struct {
        ULONG c;
        RECTL rects[8];
    } e;
    BOOL more = TRUE;
    while (more) {
        more = CLIPOBJ_bEnum(pco, sizeof e, (ULONG *)&e);
        for (ULONG i = 0; i < e.c && i < 8; ++i) {
            text += " " + RectText(e.rects[i]);
        }
    }
    return text;
}

/* A realised pattern brush: the hatch and its two colours as the driver received them. */
struct Realised {
    ULONG hatch;
    ULONG colors[2];
};

std::string BrushText(BRUSHOBJ *pbo)
{
    if (!pbo) {
        return "none";
    }
    if (pbo->iSolidColor != 0xFFFFFFFF) {
        return Hex(pbo->iSolidColor, 8);
    }
    const Realised *r = (const Realised *)BRUSHOBJ_pvGetRbrush(pbo);
    if (!r) {
        return "unrealised";
    }
    return "hatch " + Number((LONG)r->hatch) + " {" + Hex(r->colors[0], 8) + ", " + Hex(r->colors[1], 8) + "}";
}

std::string LineText(const LINEATTRS *la)
{
    if (!la) {
        return "none";
    }
    std::string text;
    if (la->fl & LA_GEOMETRIC) {
        char width[32];
        snprintf(width, sizeof width, "%g", (double)la->elWidth.e);
        text = std::string("geometric ") + width + " join " + Number((LONG)la->iJoin) + " cap " +
               Number((LONG)la->iEndCap);
    } else {
        text = "cosmetic";
    }
    if (la->fl & LA_ALTERNATE) {
        text += " alternate";
    }
    if (la->cstyle) {
        text += " style";
        for (ULONG i = 0; i < la->cstyle; ++i) {
            text += " " + Number(la->pstyle[i].l);
        }
    }
    return text;
}

std::string XformText(XFORMOBJ *pxo)
{
    if (!pxo) {
        return "none";
    }
    XFORML m;
    XFORMOBJ_iGetXform(pxo, &m);
    char text[96];
    snprintf(text,
             sizeof text,
             "[%g %g %g %g %g %g]",
             (double)m.eM11,
             (double)m.eM12,
             (double)m.eM21,
             (double)m.eM22,
             (double)m.eDx,
             (double)m.eDy);
    return text;
}

const char *FillText(FLONG options)
{
    return options == FP_WINDINGMODE ? "winding" : "alternate";
}

DHPDEV WINAPI RecEnablePDEV(DEVMODEW *, LPWSTR, ULONG, HSURF *, ULONG cjCaps, ULONG *pdevcaps, ULONG cjDevInfo,
                            DEVINFO *pdi, HDEV hdev, LPWSTR, HANDLE)
{
    if (cjCaps < sizeof(GDIINFO) || cjDevInfo < sizeof(DEVINFO)) {
        return NULL;
    }
    RecordingPdev *pdev = new RecordingPdev();
    pdev->hdev = hdev;
    pdev->setup = g_setup;
    pdev->size = PageSize(g_setup.ulDpi);
    pdev->palette = EngCreatePalette(g_setup.iPaletteMode, 0, NULL, 0, 0, 0);
    GDIINFO *gi = (GDIINFO *)pdevcaps;
    memset(gi, 0, sizeof *gi);
    gi->ulVersion = 0x5000;
    gi->ulTechnology = DT_RASPRINTER;
    gi->ulHorzRes = (ULONG)pdev->size.cx;
    gi->ulVertRes = (ULONG)pdev->size.cy;
    gi->cBitsPixel = 24;
    gi->cPlanes = 1;
    gi->ulLogPixelsX = g_setup.ulDpi;
    gi->ulLogPixelsY = g_setup.ulDpi;
    gi->szlPhysSize = pdev->size;
    memset(pdi, 0, sizeof *pdi);
    pdi->flGraphicsCaps = g_setup.flGraphicsCaps;
    pdi->iDitherFormat = BMF_24BPP;
    pdi->hpalDefault = pdev->palette;
    return (DHPDEV)pdev;
}

void WINAPI RecCompletePDEV(DHPDEV, HDEV) {}

void WINAPI RecDisablePDEV(DHPDEV dhpdev)
{
    RecordingPdev *pdev = (RecordingPdev *)dhpdev;
    EngDeletePalette(pdev->palette);
    delete pdev;
}

HSURF WINAPI RecEnableSurface(DHPDEV dhpdev)
{
    RecordingPdev *pdev = (RecordingPdev *)dhpdev;
    pdev->surface = EngCreateDeviceSurface((DHSURF)pdev, pdev->size, BMF_24BPP);
    if (pdev->surface && !EngAssociateSurface(pdev->surface, pdev->hdev, pdev->setup.flHooks)) {
        EngDeleteSurface(pdev->surface);
        pdev->surface = NULL;
    }
    return pdev->surface;
}

void WINAPI RecDisableSurface(DHPDEV dhpdev)
{
    RecordingPdev *pdev = (RecordingPdev *)dhpdev;
    EngDeleteSurface(pdev->surface);
    pdev->surface = NULL;
}

BOOL WINAPI RecStartDoc(SURFOBJ *, LPWSTR, DWORD)
{
    return TRUE;
}

BOOL WINAPI RecEndDoc(SURFOBJ *, FLONG)
{
    return TRUE;
}

BOOL WINAPI RecPage(SURFOBJ *)
{
    return TRUE;
}

BOOL WINAPI RecRealizeBrush(BRUSHOBJ *pbo, SURFOBJ *, SURFOBJ *, SURFOBJ *, XLATEOBJ *pxlo, ULONG iHatch)
{
    Realised *r = (Realised *)BRUSHOBJ_pvAllocRbrush(pbo, sizeof(Realised));
    if (!r) {
        return FALSE;
    }
    r->hatch = iHatch;
    r->colors[0] = XLATEOBJ_iXlate(pxlo, 0);
    r->colors[1] = XLATEOBJ_iXlate(pxlo, 1);
    return TRUE;
}

BOOL WINAPI RecStrokePath(SURFOBJ *, PATHOBJ *ppo, CLIPOBJ *pco, XFORMOBJ *pxo, BRUSHOBJ *pbo, POINTL *, LINEATTRS *pla,
                          MIX mix)
{
    Add("DrvStrokePath" + PathText(ppo) + "; clip " + ClipText(pco) + "; pen " + LineText(pla) + " " + BrushText(pbo) +
        "; mix " + Hex(mix, 4) + "; xform " + XformText(pxo) + "\n");
    return TRUE;
}

BOOL WINAPI RecFillPath(SURFOBJ *, PATHOBJ *ppo, CLIPOBJ *pco, BRUSHOBJ *pbo, POINTL *, MIX mix, FLONG options)
{
    Add("DrvFillPath" + PathText(ppo) + "; clip " + ClipText(pco) + "; fill " + BrushText(pbo) + "; mix " +
        Hex(mix, 4) + "; " + FillText(options) + "\n");
    return TRUE;
}

BOOL WINAPI RecStrokeAndFillPath(SURFOBJ *pso, PATHOBJ *ppo, CLIPOBJ *pco, XFORMOBJ *pxo, BRUSHOBJ *pboStroke,
                                 LINEATTRS *pla, BRUSHOBJ *pboFill, POINTL *, MIX mix, FLONG options)
{
    const RecordingPdev *pdev = (const RecordingPdev *)pso->dhpdev;
    Add("DrvStrokeAndFillPath" + PathText(ppo) + "; clip " + ClipText(pco) + "; pen " + LineText(pla) + " " +
        BrushText(pboStroke) + "; fill " + BrushText(pboFill) + "; mix " + Hex(mix, 4) + "; " + FillText(options) +
        "; xform " + XformText(pxo) + "\n");
    return pdev ? pdev->setup.bStrokeAndFill : TRUE;
}

std::string SourceText(SURFOBJ *pso, XLATEOBJ *pxlo, const RECTL &rect);

BOOL WINAPI RecBitBlt(SURFOBJ *, SURFOBJ *psoSrc, SURFOBJ *, CLIPOBJ *pco, XLATEOBJ *pxlo, RECTL *prclTrg,
                      POINTL *pptlSrc, POINTL *, BRUSHOBJ *pbo, POINTL *, ROP4 rop4)
{
    std::string source;
    if (psoSrc) {
        RECTL src = {pptlSrc->x,
                     pptlSrc->y,
                     pptlSrc->x + prclTrg->right - prclTrg->left,
                     pptlSrc->y + prclTrg->bottom - prclTrg->top};
        source = " from " + RectText(src) + "; " + SourceText(psoSrc, pxlo, src);
    }
    Add("DrvBitBlt " + RectText(*prclTrg) + source + "; clip " + ClipText(pco) + "; brush " + BrushText(pbo) +
        "; rop4 " + Hex(rop4, 4) + "\n");
    return TRUE;
}

/* The pixel value at (x, y) of a bitmap surface. */
ULONG SourcePixel(const SURFOBJ *so, LONG x, LONG y)
{
    const BYTE *row = (const BYTE *)so->pvScan0 + (ptrdiff_t)y * so->lDelta;
    switch (so->iBitmapFormat) {
    case BMF_1BPP: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case BMF_4BPP: return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    case BMF_8BPP: return row[x];
    case BMF_16BPP: return row[2 * x] | (row[2 * x + 1] << 8);
    case BMF_24BPP: return row[3 * x] | (row[3 * x + 1] << 8) | ((ULONG)row[3 * x + 2] << 16);
    case BMF_32BPP: return row[4 * x] | (row[4 * x + 1] << 8) | ((ULONG)row[4 * x + 2] << 16);
    default: return 0;
    }
}

/* "source <format> <cx>x<cy> up|down; xlate trivial|table <n>|masks; first <colour> last
 * <colour>": the corners of the source rectangle as the device colours they translate to. */
std::string SourceText(SURFOBJ *pso, XLATEOBJ *pxlo, const RECTL &rect)
{
    static const char *const kFormats[] = {"?", "1bpp", "4bpp", "8bpp", "16bpp", "24bpp", "32bpp"};
    std::string text = std::string("source ") + (pso->iBitmapFormat <= BMF_32BPP ? kFormats[pso->iBitmapFormat] : "?") +
                       " " + Number(pso->sizlBitmap.cx) + "x" + Number(pso->sizlBitmap.cy) +
                       (pso->lDelta < 0 ? " up" : " down") + "; xlate ";
    if (!pxlo || (pxlo->flXlate & XO_TRIVIAL)) {
        text += "trivial";
    } else if (pxlo->flXlate & XO_TABLE) {
        text += "table " + Number((LONG)pxlo->cEntries);
    } else {
        text += "masks";
    }
    ULONG first = XLATEOBJ_iXlate(pxlo, SourcePixel(pso, rect.left, rect.top));
    ULONG last = XLATEOBJ_iXlate(pxlo, SourcePixel(pso, rect.right - 1, rect.bottom - 1));
    return text + "; first " + Hex(first, 8) + " last " + Hex(last, 8);
}

BOOL WINAPI RecCopyBits(SURFOBJ *, SURFOBJ *psoSrc, CLIPOBJ *pco, XLATEOBJ *pxlo, RECTL *prclDest, POINTL *pptlSrc)
{
    RECTL src = {pptlSrc->x,
                 pptlSrc->y,
                 pptlSrc->x + prclDest->right - prclDest->left,
                 pptlSrc->y + prclDest->bottom - prclDest->top};
    Add("DrvCopyBits " + RectText(*prclDest) + " from " + RectText(src) + "; " + SourceText(psoSrc, pxlo, src) +
        "; clip " + ClipText(pco) + "\n");
    return TRUE;
}

BOOL WINAPI RecStretchBlt(SURFOBJ *, SURFOBJ *psoSrc, SURFOBJ *, CLIPOBJ *pco, XLATEOBJ *pxlo, COLORADJUSTMENT *,
                          POINTL *, RECTL *prclDest, RECTL *prclSrc, POINTL *, ULONG iMode)
{
    Add("DrvStretchBlt " + RectText(*prclDest) + " from " + RectText(*prclSrc) + "; " +
        SourceText(psoSrc, pxlo, *prclSrc) + "; clip " + ClipText(pco) + "; mode " + Number((LONG)iMode) + "\n");
    return TRUE;
}

BOOL WINAPI RecStretchBltROP(SURFOBJ *, SURFOBJ *psoSrc, SURFOBJ *, CLIPOBJ *pco, XLATEOBJ *pxlo, COLORADJUSTMENT *,
                             POINTL *, RECTL *prclDest, RECTL *prclSrc, POINTL *, ULONG iMode, BRUSHOBJ *pbo,
                             DWORD rop4)
{
    Add("DrvStretchBltROP " + RectText(*prclDest) + " from " + RectText(*prclSrc) + "; " +
        SourceText(psoSrc, pxlo, *prclSrc) + "; clip " + ClipText(pco) + "; mode " + Number((LONG)iMode) + "; brush " +
        BrushText(pbo) + "; rop4 " + Hex(rop4, 4) + "\n");
    return TRUE;
}

DRVFN g_functions[] = {
    {INDEX_DrvEnablePDEV, (PFN)(void *)RecEnablePDEV},
    {INDEX_DrvCompletePDEV, (PFN)(void *)RecCompletePDEV},
    {INDEX_DrvDisablePDEV, (PFN)(void *)RecDisablePDEV},
    {INDEX_DrvEnableSurface, (PFN)(void *)RecEnableSurface},
    {INDEX_DrvDisableSurface, (PFN)(void *)RecDisableSurface},
    {INDEX_DrvStartDoc, (PFN)(void *)RecStartDoc},
    {INDEX_DrvEndDoc, (PFN)(void *)RecEndDoc},
    {INDEX_DrvStartPage, (PFN)(void *)RecPage},
    {INDEX_DrvSendPage, (PFN)(void *)RecPage},
    {INDEX_DrvRealizeBrush, (PFN)(void *)RecRealizeBrush},
    {INDEX_DrvStrokePath, (PFN)(void *)RecStrokePath},
    {INDEX_DrvFillPath, (PFN)(void *)RecFillPath},
    {INDEX_DrvStrokeAndFillPath, (PFN)(void *)RecStrokeAndFillPath},
    {INDEX_DrvBitBlt, (PFN)(void *)RecBitBlt},
    {INDEX_DrvCopyBits, (PFN)(void *)RecCopyBits},
    {INDEX_DrvStretchBlt, (PFN)(void *)RecStretchBlt},
    {INDEX_DrvStretchBltROP, (PFN)(void *)RecStretchBltROP},
};

} // namespace

extern "C" {

BOOL WINAPI DrvEnableDriver(ULONG, ULONG cj, DRVENABLEDATA *pded)
{
    if (cj < sizeof(DRVENABLEDATA)) {
        return FALSE;
    }
    pded->iDriverVersion = DDI_DRIVER_VERSION_NT5;
    pded->c = sizeof g_functions / sizeof g_functions[0];
    pded->pdrvfn = g_functions;
    return TRUE;
}

void WINAPI DrvDisableDriver(void) {}

void WINAPI rec_Setup(const REC_SETUP *setup)
{
    g_setup = *setup;
}

const char *WINAPI rec_TakeLog(void)
{
    g_taken = g_log;
    g_log.clear();
    return g_taken.c_str();
}

} // extern "C"
