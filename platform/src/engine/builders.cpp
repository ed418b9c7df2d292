/*
 * Builders of engine objects for tests (qm_testing_engine.h): the bitmaps, translations,
 * transforms, fonts, clips, paths and strings GDI would hand to a driver.
 */
#include "platform/src/engine/engine_private.h"

#include "platform/src/engine/drawing_objects.h"

#include "platform/testing/qm_testing_engine.h"

#include <algorithm>
#include <cmath>
#include <string.h>

using namespace qme;

/* The path's last run, when it is open and of the kind asked (Bezier or line). */
static Run *OpenRun(Path *p, bool bezier)
{
    if (!p->open || p->runs.empty())
        return nullptr;
    Run &last = p->runs.back();
    bool lastIsStartOnly = (last.flags & PD_BEGINSUBPATH) && last.points.size() == 1;
    if (lastIsStartOnly) {
        if (bezier)
            last.flags |= PD_BEZIERS;
        return &last;
    }
    return ((last.flags & PD_BEZIERS) != 0) == bezier ? &last : nullptr;
}

/* Appends segments to the open subpath of a path. */
static void AddSegments(PATHOBJ *ppo, ULONG count, const POINTFIX *pptfx, bool bezier)
{
    Path *p = PathOf(ppo);
    if (!p || !pptfx || count == 0 || !p->open)
        return;
    Run *run = OpenRun(p, bezier);
    if (!run) {
        p->runs.push_back(Run{bezier ? static_cast<FLONG>(PD_BEZIERS) : 0, {}});
        run = &p->runs.back();
    }
    run->points.insert(run->points.end(), pptfx, pptfx + count);
    ppo->cCurves += bezier ? count / 3 : count;
    if (bezier)
        ppo->fl |= PO_BEZIERS;
}

/* Ends the open subpath of a path, closed or not. */
static void EndSubpath(Path *p, bool close)
{
    if (!p->open || p->runs.empty())
        return;
    p->runs.back().flags |= PD_ENDSUBPATH | (close ? PD_CLOSEFIGURE : 0);
    p->open = false;
}

extern "C" {

SURFOBJ *qmt_EngineBitmap(LONG cx, LONG cy, ULONG iFormat, BOOL topDown)
{
    SIZEL size = {cx, cy};
    HBITMAP h = EngCreateBitmap(size, 0, iFormat, topDown ? BMF_TOPDOWN : 0, nullptr);
    return h ? EngLockSurface(reinterpret_cast<HSURF>(h)) : nullptr;
}

void qmt_EngineFreeBitmap(SURFOBJ *pso)
{
    if (!pso)
        return;
    HSURF h = pso->hsurf;
    EngUnlockSurface(pso);
    EngDeleteSurface(h);
}

XLATEOBJ *qmt_EngineXlateTable(const ULONG *table, ULONG count)
{
    Xlate *x = new Xlate();
    x->magic = kXlateMagic;
    RegisterObject(x, kXlateMagic);
    x->table.assign(table, table + count);
    x->xo.flXlate = XO_TABLE;
    x->xo.iSrcType = PAL_INDEXED;
    x->xo.iDstType = PAL_BGR;
    x->xo.cEntries = count;
    x->xo.pulXlate = x->table.data();
    x->srcMode = PAL_INDEXED;
    x->dstMode = PAL_BGR;
    return &x->xo;
}

XLATEOBJ *qmt_EngineXlateColors(ULONG srcMode, FLONG flRed, FLONG flGreen, FLONG flBlue, ULONG dstMode)
{
    Xlate *x = new Xlate();
    x->magic = kXlateMagic;
    RegisterObject(x, kXlateMagic);
    x->srcMode = srcMode;
    x->srcMasks[0] = flRed;
    x->srcMasks[1] = flGreen;
    x->srcMasks[2] = flBlue;
    x->dstMode = dstMode;
    x->xo.iSrcType = static_cast<USHORT>(srcMode);
    x->xo.iDstType = static_cast<USHORT>(dstMode);
    return &x->xo;
}

XLATEOBJ *qmt_EngineXlateTrivial(void)
{
    XLATEOBJ *xo = qmt_EngineXlateColors(PAL_BGR, 0, 0, 0, PAL_BGR);
    xo->flXlate = XO_TRIVIAL;
    return xo;
}

void qmt_EngineFreeXlate(XLATEOBJ *pxlo)
{
    Xlate *x = XlateOf(pxlo);
    if (!x)
        return;
    UnregisterObject(x);
    x->magic = 0;
    delete x;
}

XFORMOBJ *qmt_EngineXform(const XFORML *pxform)
{
    return NewEngineXform(*pxform);
}

void qmt_EngineFreeXform(XFORMOBJ *pxo)
{
    DeleteEngineXform(pxo);
}

FONTOBJ *qmt_EngineFont(IFIMETRICS *pifi, FLOAT scaleX, FLOAT scaleY, FLONG flFontType, ULONG iFace)
{
    Font *f = new Font();
    f->magic = kFontMagic;
    RegisterObject(f, kFontMagic);
    f->xform.magic = kXformMagic;
    RegisterObject(&f->xform, kXformMagic);
    f->xform.m = XFORML{scaleX, 0, 0, scaleY, 0, 0};
    f->pifi = pifi;
    f->fo.iUniq = 1;
    f->fo.iFace = iFace;
    f->fo.flFontType = flFontType;
    f->fo.sizLogResPpi = SIZE{600, 600};
    return &f->fo;
}

void qmt_EngineFontSetXform(FONTOBJ *pfo, const XFORML *pxform)
{
    Font *f = FontOf(pfo);
    if (f && pxform)
        f->xform.m = *pxform;
}

BOOL qmt_EngineFontAddBitmapGlyph(FONTOBJ *pfo, HGLYPH hg, LONG originX, LONG originY, LONG cx, LONG cy,
                                  const BYTE *rows, FIX fxD)
{
    Font *f = FontOf(pfo);
    if (!f || cx < 0 || cy < 0 || (cx * cy > 0 && !rows))
        return FALSE;
    size_t stride = static_cast<size_t>((cx + 7) / 8);
    Glyph g{};
    g.hg = hg;
    g.data.hg = hg;
    g.data.fxD = fxD;
    g.data.fxAB = fxD;
    g.bits.resize(std::max<size_t>(sizeof(GLYPHBITS), offsetof(GLYPHBITS, aj) + stride * cy));
    GLYPHBITS *gb = reinterpret_cast<GLYPHBITS *>(g.bits.data());
    gb->ptlOrigin = POINTL{originX, originY};
    gb->sizlBitmap = SIZEL{cx, cy};
    if (stride * cy > 0)
        memcpy(gb->aj, rows, stride * cy);
    f->glyphs.push_back(std::move(g));
    return TRUE;
}

BOOL qmt_EngineFontAddOutlineGlyph(FONTOBJ *pfo, HGLYPH hg, PATHOBJ *ppo, FIX fxD)
{
    Font *f = FontOf(pfo);
    if (!f || !PathOf(ppo))
        return FALSE;
    for (Glyph &g : f->glyphs) {
        if (g.hg == hg) {
            if (g.path)
                EngDeletePath(g.path);
            g.path = ppo;
            return TRUE;
        }
    }
    Glyph g{};
    g.hg = hg;
    g.data.hg = hg;
    g.data.fxD = fxD;
    g.data.fxAB = fxD;
    g.path = ppo;
    f->glyphs.push_back(std::move(g));
    return TRUE;
}

void qmt_EngineFreeFont(FONTOBJ *pfo)
{
    Font *f = FontOf(pfo);
    if (!f)
        return;
    for (Glyph &g : f->glyphs)
        if (g.path)
            EngDeletePath(g.path);
    UnregisterObject(f);
    f->magic = 0;
    UnregisterObject(&f->xform);
    f->xform.magic = 0;
    delete f;
}

CLIPOBJ *qmt_EngineClip(const RECTL *rects, ULONG count)
{
    Clip *c = new Clip();
    c->magic = kClipMagic;
    RegisterObject(c, kClipMagic);
    c->co.iUniq = 1;
    if (count == 0 || !rects) {
        c->co.iDComplexity = DC_TRIVIAL;
        c->co.rclBounds = RECTL{0, 0, 0x7FFFFFF, 0x7FFFFFF};
        return &c->co;
    }
    c->rects.assign(rects, rects + count);
    RECTL b = rects[0];
    for (ULONG i = 1; i < count; ++i) {
        b.left = std::min(b.left, rects[i].left);
        b.top = std::min(b.top, rects[i].top);
        b.right = std::max(b.right, rects[i].right);
        b.bottom = std::max(b.bottom, rects[i].bottom);
    }
    c->co.rclBounds = b;
    c->co.iDComplexity = count == 1 ? DC_RECT : DC_COMPLEX;
    c->co.iFComplexity = count == 1 ? FC_RECT : FC_COMPLEX;
    c->co.iMode = TC_RECTANGLES;
    return &c->co;
}

CLIPOBJ *qmt_EngineClipPath(PATHOBJ *ppo)
{
    Path *p = PathOf(ppo);
    if (!p || p->runs.empty())
        return nullptr;
    Clip *c = new Clip();
    c->magic = kClipMagic;
    RegisterObject(c, kClipMagic);
    c->co.iUniq = 1;
    c->shape = p->runs;
    RECTFX b;
    PATHOBJ_vGetBounds(ppo, &b);
    c->co.rclBounds = RECTL{b.xLeft >> 4, b.yTop >> 4, (b.xRight + 15) >> 4, (b.yBottom + 15) >> 4};
    c->rects.push_back(c->co.rclBounds);
    c->co.iDComplexity = DC_COMPLEX;
    c->co.iFComplexity = FC_COMPLEX;
    c->co.iMode = TC_PATHOBJ;
    return &c->co;
}

void qmt_EngineFreeClip(CLIPOBJ *pco)
{
    Clip *c = ClipOf(pco);
    if (!c)
        return;
    UnregisterObject(c);
    c->magic = 0;
    delete c;
}

PATHOBJ *qmt_EnginePath(void)
{
    return &NewPath()->po;
}

void qmt_EnginePathMoveTo(PATHOBJ *ppo, FIX x, FIX y)
{
    Path *p = PathOf(ppo);
    if (!p)
        return;
    EndSubpath(p, false);
    p->runs.push_back(Run{PD_BEGINSUBPATH, {POINTFIX{x, y}}});
    p->open = true;
}

void qmt_EnginePathLineTo(PATHOBJ *ppo, ULONG count, const POINTFIX *pptfx)
{
    AddSegments(ppo, count, pptfx, false);
}

void qmt_EnginePathBezierTo(PATHOBJ *ppo, ULONG count, const POINTFIX *pptfx)
{
    AddSegments(ppo, count, pptfx, true);
}

void qmt_EnginePathClose(PATHOBJ *ppo)
{
    Path *p = PathOf(ppo);
    if (p)
        EndSubpath(p, true);
}

void qmt_EnginePathEllipse(PATHOBJ *ppo, FIX left, FIX top, FIX right, FIX bottom)
{
    Path *p = PathOf(ppo);
    if (!p)
        return;
    // Four quarter curves from the right-hand point, counter-clockwise in device space;
    // the control points lie at the usual 0.5523 of each radius.
    double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
    double rx = (right - left) / 2.0, ry = (bottom - top) / 2.0;
    const double k = 0.5522847498;
    auto at = [](double x, double y) {
        return POINTFIX{static_cast<FIX>(std::lround(x)), static_cast<FIX>(std::lround(y))};
    };
    POINTFIX curves[12] = {
        at(cx + rx, cy - k * ry),
        at(cx + k * rx, cy - ry),
        at(cx, cy - ry),
        at(cx - k * rx, cy - ry),
        at(cx - rx, cy - k * ry),
        at(cx - rx, cy),
        at(cx - rx, cy + k * ry),
        at(cx - k * rx, cy + ry),
        at(cx, cy + ry),
        at(cx + k * rx, cy + ry),
        at(cx + rx, cy + k * ry),
        at(cx + rx, cy),
    };
    POINTFIX start = at(cx + rx, cy);
    qmt_EnginePathMoveTo(ppo, start.x, start.y);
    qmt_EnginePathBezierTo(ppo, 12, curves);
    qmt_EnginePathClose(ppo);
    ppo->fl |= PO_ELLIPSE;
}

STROBJ *qmt_EngineString(const GLYPHPOS *pgp, ULONG count, LPCWSTR text, ULONG ulCharInc, FLONG flAccel,
                         BOOL withPositions)
{
    String *s = new String();
    s->magic = kStringMagic;
    RegisterObject(s, kStringMagic);
    if (pgp)
        s->glyphs.assign(pgp, pgp + count);
    if (text)
        s->text = text;
    s->so.cGlyphs = count;
    s->so.flAccel = flAccel;
    s->so.ulCharInc = ulCharInc;
    s->so.pgp = withPositions ? s->glyphs.data() : nullptr;
    s->so.pwszOrg = text ? s->text.data() : nullptr;
    if (!s->glyphs.empty()) {
        RECTL b = {s->glyphs[0].ptl.x, s->glyphs[0].ptl.y, s->glyphs[0].ptl.x, s->glyphs[0].ptl.y};
        for (const GLYPHPOS &g : s->glyphs) {
            b.left = std::min(b.left, g.ptl.x);
            b.top = std::min(b.top, g.ptl.y);
            b.right = std::max(b.right, g.ptl.x);
            b.bottom = std::max(b.bottom, g.ptl.y);
        }
        s->so.rclBkGround = b;
    }
    return &s->so;
}

void qmt_EngineFreeString(STROBJ *pstro)
{
    String *s = StringOf(pstro);
    if (!s)
        return;
    UnregisterObject(s);
    s->magic = 0;
    delete s;
}

void qmt_EngineReleaseBrush(BRUSHOBJ *pbo)
{
    FreeRbrushes(pbo);
    if (pbo)
        pbo->pvRbrush = nullptr;
}

BRUSHOBJ *qmt_EngineSolidBrush(ULONG iSolidColor)
{
    return NewSolidBrush(iSolidColor);
}

BRUSHOBJ *qmt_EnginePatternBrush(SURFOBJ *psoTarget, SURFOBJ *psoPattern, SURFOBJ *psoMask, XLATEOBJ *pxlo,
                                 ULONG iHatch, QMT_REALIZE_BRUSH pfnRealize)
{
    return NewPatternBrush(psoTarget, psoPattern, psoMask, pxlo, iHatch, pfnRealize);
}

BRUSHOBJ *qmt_EngineHatchBrush(SURFOBJ *psoTarget, ULONG iHatch, ULONG lineColor, ULONG backColor,
                               QMT_REALIZE_BRUSH pfnRealize)
{
    return NewHatchBrush(psoTarget, iHatch, lineColor, backColor, pfnRealize);
}

void qmt_EngineFreeBrush(BRUSHOBJ *pbo)
{
    DeleteEngineBrush(pbo);
}

} // extern "C"
