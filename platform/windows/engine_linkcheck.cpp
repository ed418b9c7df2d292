/*
 * Target build only: a module that calls every graphics-engine entry point the render
 * driver uses, so that linking it proves the import libraries hold them all. Built, never
 * run.
 */
#include <windows.h>
#include <winddi.h>

extern "C" __declspec(dllexport) ULONG_PTR WINAPI qm_EngineLinkCheck(SURFOBJ *pso, ULONG_PTR n)
{
    ULONG_PTR r = 0;
    SIZEL size = {1, 1};
    POINTL pt = {0, 0};
    RECTL rc = {0, 0, 1, 1};
    PATHDATA pd;
    ENUMRECTS er;
    ULONG count = 0;
    GLYPHPOS *gp = nullptr;
    PVOID glyph = nullptr;
    HGLYPH hg = 0;
    XFORML xf;
    FD_GLYPHSET *set = EngComputeGlyphSet(0, 0, 256);
    r += reinterpret_cast<ULONG_PTR>(set);
    HSURF dev = EngCreateDeviceSurface(reinterpret_cast<DHSURF>(n), size, BMF_24BPP);
    r += EngAssociateSurface(dev, pso->hdev, HOOK_BITBLT);
    HBITMAP bmp = EngCreateBitmap(size, 4, BMF_24BPP, BMF_TOPDOWN, nullptr);
    SURFOBJ *locked = EngLockSurface(reinterpret_cast<HSURF>(bmp));
    r += EngEraseSurface(locked, &rc, 0xFFFFFFFF);
    r += EngCopyBits(locked, pso, nullptr, nullptr, &rc, &pt);
    r += EngBitBlt(locked, pso, nullptr, nullptr, nullptr, &rc, &pt, nullptr, nullptr, nullptr, 0xCCCC);
    EngUnlockSurface(locked);
    r += EngDeleteSurface(reinterpret_cast<HSURF>(bmp));
    r += EngDeleteSurface(dev);
    HPALETTE pal = EngCreatePalette(PAL_BGR, 0, nullptr, 0, 0, 0);
    r += EngDeletePalette(pal);
    ULONG size32 = 0;
    r += reinterpret_cast<ULONG_PTR>(EngFindResource(reinterpret_cast<HANDLE>(n), 6, 260, &size32));
    r += static_cast<ULONG_PTR>(EngMulDiv(1, 2, 3));

    BRUSHOBJ *bo = reinterpret_cast<BRUSHOBJ *>(n);
    r += reinterpret_cast<ULONG_PTR>(BRUSHOBJ_pvAllocRbrush(bo, 28));
    r += reinterpret_cast<ULONG_PTR>(BRUSHOBJ_pvGetRbrush(bo));
    r += BRUSHOBJ_ulGetBrushColor(bo);

    CLIPOBJ *co = reinterpret_cast<CLIPOBJ *>(n);
    r += CLIPOBJ_cEnumStart(co, FALSE, CT_RECTANGLES, CD_ANY, 0);
    r += CLIPOBJ_bEnum(co, sizeof(er), reinterpret_cast<ULONG *>(&er));
    PATHOBJ *po = CLIPOBJ_ppoGetPath(co);
    PATHOBJ_vEnumStart(po);
    r += PATHOBJ_bEnum(po, &pd);
    RECTFX bounds;
    PATHOBJ_vGetBounds(po, &bounds);
    r += static_cast<ULONG_PTR>(bounds.xLeft);
    EngDeletePath(po);

    FONTOBJ *fo = reinterpret_cast<FONTOBJ *>(n);
    r += FONTOBJ_cGetGlyphs(fo, FO_GLYPHBITS, 1, &hg, &glyph);
    r += reinterpret_cast<ULONG_PTR>(FONTOBJ_pifi(fo));
    XFORMOBJ *xo = FONTOBJ_pxoGetXform(fo);
    r += XFORMOBJ_bApplyXform(xo, XF_LTOL, 1, &pt, &pt);
    r += XFORMOBJ_iGetXform(xo, &xf);
    FLOATOBJ_XFORM fxf;
    r += XFORMOBJ_iGetFloatObjXform(xo, &fxf);

    STROBJ *so = reinterpret_cast<STROBJ *>(n);
    STROBJ_vEnumStart(so);
    r += STROBJ_bEnum(so, &count, &gp);

    XLATEOBJ *xl = reinterpret_cast<XLATEOBJ *>(n);
    r += XLATEOBJ_iXlate(xl, 0);
    r += XLATEOBJ_cGetPalette(xl, XO_SRCPALETTE, 1, &count);
    return r;
}
