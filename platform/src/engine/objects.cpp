/*
 * Engine objects a driver reads while drawing: brushes (realisations), transforms, fonts
 * and their glyphs, clip regions, paths and glyph strings.
 */
#include "platform/src/engine/engine_private.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace qme {

DWORD g_live_paths;
DWORD g_live_rbrushes;

/* Realisations made by BRUSHOBJ_pvAllocRbrush, by brush: freed when the brush goes. */
static std::map<BRUSHOBJ *, std::vector<void *>> g_rbrushes;

Brush *BrushOf(BRUSHOBJ *pbo)
{
    return IsObject(pbo, kBrushMagic) ? reinterpret_cast<Brush *>(pbo) : nullptr;
}

Xform *XformOf(XFORMOBJ *pxo)
{
    return IsObject(pxo, kXformMagic) ? reinterpret_cast<Xform *>(pxo) : nullptr;
}

Font *FontOf(FONTOBJ *pfo)
{
    return IsObject(pfo, kFontMagic) ? reinterpret_cast<Font *>(pfo) : nullptr;
}

Path *PathOf(PATHOBJ *ppo)
{
    return IsObject(ppo, kPathMagic) ? reinterpret_cast<Path *>(ppo) : nullptr;
}

Clip *ClipOf(CLIPOBJ *pco)
{
    return IsObject(pco, kClipMagic) ? reinterpret_cast<Clip *>(pco) : nullptr;
}

String *StringOf(STROBJ *pstro)
{
    return IsObject(pstro, kStringMagic) ? reinterpret_cast<String *>(pstro) : nullptr;
}

Path *NewPath()
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Path *p = new Path();
    p->magic = kPathMagic;
    RegisterObject(p, kPathMagic);
    ++g_live_paths;
    return p;
}

void FreePath(Path *p)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    UnregisterObject(p);
    p->magic = 0;
    --g_live_paths;
    delete p;
}

void FreeRbrushes(BRUSHOBJ *pbo)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    auto it = g_rbrushes.find(pbo);
    if (it == g_rbrushes.end())
        return;
    for (void *p : it->second) {
        operator delete(p);
        --g_live_rbrushes;
    }
    g_rbrushes.erase(it);
}

/* Rounds a float to the nearest LONG (halves away from zero), saturating. */
static LONG RoundLong(double v)
{
    double r = std::floor(std::fabs(v) + 0.5);
    if (r > 2147483647.0)
        r = 2147483647.0;
    return static_cast<LONG>(v < 0 ? -r : r);
}

/* Orders the clip rectangles for an enumeration direction (CD_*). */
static void OrderRects(Clip *c, ULONG iDirection)
{
    c->order = c->rects;
    if (iDirection == CD_ANY || iDirection > CD_LEFTUP)
        return;
    bool leftward = iDirection & CD_LEFTWARDS, upward = iDirection & CD_UPWARDS;
    std::stable_sort(c->order.begin(), c->order.end(), [=](const RECTL &a, const RECTL &b) {
        if (a.top != b.top)
            return upward ? a.top > b.top : a.top < b.top;
        return leftward ? a.left > b.left : a.left < b.left;
    });
}

} // namespace qme

using namespace qme;

extern "C" {

/*
 * Allocates the driver's realisation of a brush: cj bytes, owned by the engine and freed
 * with the brush. Returns the block (also stored as the brush's pvRbrush); NULL when pbo is
 * missing, cj is 0 or memory is refused.
 */
PVOID WINAPI BRUSHOBJ_pvAllocRbrush(BRUSHOBJ *pbo, ULONG cj)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    if (!pbo || cj == 0 || cj > 0x10000000 || !CallAllowed(kFailRbrush))
        return nullptr;
    void *p = operator new(cj);
    g_rbrushes[pbo].push_back(p);
    ++g_live_rbrushes;
    pbo->pvRbrush = p;
    return p;
}

/*
 * The brush's realisation. A pattern brush not yet realised is realised first by the
 * driver's realiser the brush was built with (as GDI calls DrvRealizeBrush). Returns NULL
 * when there is none and the driver does not make one.
 */
PVOID WINAPI BRUSHOBJ_pvGetRbrush(BRUSHOBJ *pbo)
{
    if (!pbo)
        return nullptr;
    Brush *b = BrushOf(pbo);
    if (!pbo->pvRbrush && b && b->realize && b->pattern) {
        if (!b->realize(pbo, b->target, b->pattern, b->mask, b->xlate, b->hatch))
            return nullptr;
    }
    return pbo->pvRbrush;
}

/* The brush's solid colour, 0xFFFFFFFF for a pattern brush or a missing one. */
ULONG WINAPI BRUSHOBJ_ulGetBrushColor(BRUSHOBJ *pbo)
{
    return pbo ? pbo->iSolidColor : 0xFFFFFFFF;
}

/*
 * Starts an enumeration of a clip region's rectangles in direction iDirection (CD_*).
 * bAll, iType: accepted as given (CT_RECTANGLES). Returns the rectangle count, or
 * 0xFFFFFFFF when cLimit is not 0 and the count exceeds it; 0xFFFFFFFF for an unknown clip.
 */
ULONG WINAPI CLIPOBJ_cEnumStart(CLIPOBJ *pco, BOOL bAll, ULONG iType, ULONG iDirection, ULONG cLimit)
{
    (void)bAll;
    (void)iType;
    Clip *c = ClipOf(pco);
    if (!c)
        return 0xFFFFFFFF;
    if (c->rects.empty() && pco->iDComplexity != DC_TRIVIAL)
        c->rects.push_back(pco->rclBounds);
    OrderRects(c, iDirection);
    c->cursor = 0;
    ULONG count = static_cast<ULONG>(c->order.size());
    return (cLimit != 0 && count > cLimit) ? 0xFFFFFFFF : count;
}

/*
 * Gives the next rectangles of a clip enumeration. pul: out, an ENUMRECTS of cj bytes,
 * filled with as many rectangles as fit (at least room for one is required). Returns TRUE
 * while more rectangles follow, FALSE with the last batch (or for bad arguments, c = 0).
 */
BOOL WINAPI CLIPOBJ_bEnum(CLIPOBJ *pco, ULONG cj, ULONG *pul)
{
    ENUMRECTS *er = reinterpret_cast<ENUMRECTS *>(pul);
    Clip *c = ClipOf(pco);
    if (!er || cj < sizeof(ULONG))
        return FALSE;
    er->c = 0;
    if (!c)
        return FALSE;
    size_t room = (cj - sizeof(ULONG)) / sizeof(RECTL);
    while (room > 0 && c->cursor < c->order.size()) {
        er->arcl[er->c++] = c->order[c->cursor++];
        --room;
    }
    return c->cursor < c->order.size();
}

/*
 * The clip region as a path: one closed rectangle per clip rectangle, in 28.4 units. The
 * caller deletes it with EngDeletePath. Returns NULL for an unknown clip.
 */
PATHOBJ *WINAPI CLIPOBJ_ppoGetPath(CLIPOBJ *pco)
{
    Clip *c = ClipOf(pco);
    if (!c)
        return nullptr;
    Path *p = NewPath();
    if (!c->shape.empty()) {
        p->runs = c->shape;
        for (const Run &run : p->runs)
            p->po.cCurves += static_cast<ULONG>(run.points.size());
        return &p->po;
    }
    std::vector<RECTL> rects = c->rects.empty() ? std::vector<RECTL>{pco->rclBounds} : c->rects;
    for (const RECTL &r : rects) {
        Run run;
        run.flags = PD_BEGINSUBPATH | PD_ENDSUBPATH | PD_CLOSEFIGURE;
        run.points = {{r.left * 16, r.top * 16},
                      {r.right * 16, r.top * 16},
                      {r.right * 16, r.bottom * 16},
                      {r.left * 16, r.bottom * 16}};
        p->runs.push_back(run);
        p->po.cCurves += 4;
    }
    return &p->po;
}

/* Deletes a path the engine made (CLIPOBJ_ppoGetPath) or a built one. NULL is ignored. */
void WINAPI EngDeletePath(PATHOBJ *ppo)
{
    Path *p = PathOf(ppo);
    if (p)
        FreePath(p);
}

/*
 * Gives glyph data of a font. iMode: FO_GLYPHBITS or FO_PATHOBJ; cGlyph: 1 (one glyph per
 * call, as the engine allows); phg: in, the glyph handle; ppvGlyph: out, its GLYPHDATA,
 * whose gdf points at the bitmap or the outline. Returns 1; 0 for an unknown font or glyph,
 * a glyph without that kind of data, or bad arguments.
 */
ULONG WINAPI FONTOBJ_cGetGlyphs(FONTOBJ *pfo, ULONG iMode, ULONG cGlyph, HGLYPH *phg, PVOID *ppvGlyph)
{
    Font *f = FontOf(pfo);
    if (!f || cGlyph != 1 || !phg || !ppvGlyph || (iMode != FO_GLYPHBITS && iMode != FO_PATHOBJ))
        return 0;
    for (Glyph &g : f->glyphs) {
        if (g.hg != *phg)
            continue;
        if (iMode == FO_GLYPHBITS) {
            if (g.bits.empty())
                return 0;
            g.data.gdf.pgb = reinterpret_cast<GLYPHBITS *>(g.bits.data());
        } else {
            if (!g.path)
                return 0;
            PathOf(g.path)->cursor = 0;
            g.data.gdf.ppo = g.path;
        }
        *ppvGlyph = &g.data;
        return 1;
    }
    return 0;
}

/* The font's IFIMETRICS, NULL when it has none. */
IFIMETRICS *WINAPI FONTOBJ_pifi(FONTOBJ *pfo)
{
    Font *f = FontOf(pfo);
    return f ? f->pifi : nullptr;
}

/* The font's transform from notional to device space; NULL for an unknown font. */
XFORMOBJ *WINAPI FONTOBJ_pxoGetXform(FONTOBJ *pfo)
{
    Font *f = FontOf(pfo);
    return f ? &f->xform.xo : nullptr;
}

/*
 * Gives the next run of a path enumeration. ppd: out, flags (PD_*), point count and the
 * points (28.4, valid until the next call). Returns TRUE while more runs follow, FALSE
 * with the last one (or an empty path or bad arguments: count 0).
 */
BOOL WINAPI PATHOBJ_bEnum(PATHOBJ *ppo, PATHDATA *ppd)
{
    Path *p = PathOf(ppo);
    if (!ppd)
        return FALSE;
    ppd->flags = 0;
    ppd->count = 0;
    ppd->pptfx = nullptr;
    if (!p || p->cursor >= p->runs.size())
        return FALSE;
    Run &run = p->runs[p->cursor++];
    ppd->flags = run.flags;
    ppd->count = static_cast<ULONG>(run.points.size());
    ppd->pptfx = run.points.data();
    return p->cursor < p->runs.size();
}

/* Restarts the enumeration of a path from its first run. */
void WINAPI PATHOBJ_vEnumStart(PATHOBJ *ppo)
{
    Path *p = PathOf(ppo);
    if (p)
        p->cursor = 0;
}

/*
 * The bounding rectangle of every point of a path (28.4). prectfx: out; all zeros for an
 * empty or unknown path.
 */
void WINAPI PATHOBJ_vGetBounds(PATHOBJ *ppo, PRECTFX prectfx)
{
    if (!prectfx)
        return;
    *prectfx = RECTFX{0, 0, 0, 0};
    Path *p = PathOf(ppo);
    if (!p)
        return;
    bool first = true;
    for (const Run &run : p->runs) {
        for (const POINTFIX &pt : run.points) {
            if (first) {
                *prectfx = RECTFX{pt.x, pt.y, pt.x, pt.y};
                first = false;
                continue;
            }
            prectfx->xLeft = std::min(prectfx->xLeft, pt.x);
            prectfx->yTop = std::min(prectfx->yTop, pt.y);
            prectfx->xRight = std::max(prectfx->xRight, pt.x);
            prectfx->yBottom = std::max(prectfx->yBottom, pt.y);
        }
    }
}

/*
 * Gives the next batch of glyphs of a string: all glyphs in one batch. pc: out, the count;
 * ppgpos: out, their positions. Returns FALSE with the last batch (always, as one batch
 * holds them all); FALSE with count 0 for an unknown string or a finished enumeration.
 */
BOOL WINAPI STROBJ_bEnum(STROBJ *pstro, ULONG *pc, PGLYPHPOS *ppgpos)
{
    String *s = StringOf(pstro);
    if (pc)
        *pc = 0;
    if (ppgpos)
        *ppgpos = nullptr;
    if (!s || !pc || !ppgpos || s->cursor >= s->glyphs.size())
        return FALSE;
    *pc = static_cast<ULONG>(s->glyphs.size() - s->cursor);
    *ppgpos = s->glyphs.data() + s->cursor;
    s->cursor = s->glyphs.size();
    return FALSE;
}

/* Restarts the glyph enumeration of a string. */
void WINAPI STROBJ_vEnumStart(STROBJ *pstro)
{
    String *s = StringOf(pstro);
    if (s)
        s->cursor = 0;
}

/*
 * Applies a transform to cPoints points. iMode: XF_LTOL (POINTL to POINTL), XF_INV_LTOL
 * (the inverse), XF_LTOFX (POINTL to POINTFIX) or XF_INV_FXTOL (POINTFIX to POINTL by the
 * inverse). Results are rounded to nearest; pvIn and pvOut may be the same array. Returns
 * TRUE; FALSE for an unknown transform or mode, missing arrays or a transform that cannot
 * be inverted.
 */
BOOL WINAPI XFORMOBJ_bApplyXform(XFORMOBJ *pxo, ULONG iMode, ULONG cPoints, PVOID pvIn, PVOID pvOut)
{
    Xform *x = XformOf(pxo);
    if (!x || !pvIn || !pvOut || iMode > XF_INV_FXTOL)
        return FALSE;
    const XFORML &m = x->m;
    double a = m.eM11, b = m.eM12, c = m.eM21, d = m.eM22, dx = m.eDx, dy = m.eDy;
    bool inverse = iMode == XF_INV_LTOL || iMode == XF_INV_FXTOL;
    if (inverse) {
        double det = a * d - b * c;
        if (det == 0.0)
            return FALSE;
        double ia = d / det, ib = -b / det, ic = -c / det, id = a / det;
        double idx = -(dx * ia + dy * ic), idy = -(dx * ib + dy * id);
        a = ia;
        b = ib;
        c = ic;
        d = id;
        dx = idx;
        dy = idy;
    }
    const LONG *in = static_cast<const LONG *>(pvIn);
    LONG *out = static_cast<LONG *>(pvOut);
    double inScale = iMode == XF_INV_FXTOL ? 1.0 / 16 : 1.0;
    double outScale = iMode == XF_LTOFX ? 16.0 : 1.0;
    for (ULONG i = 0; i < cPoints; ++i) {
        double px = in[2 * i] * inScale, py = in[2 * i + 1] * inScale;
        double qx = (px * a + py * c + dx) * outScale, qy = (px * b + py * d + dy) * outScale;
        out[2 * i] = RoundLong(qx);
        out[2 * i + 1] = RoundLong(qy);
    }
    return TRUE;
}

/*
 * The transform's matrix and kind. pxform: out, the matrix (may be NULL). Returns
 * GX_IDENTITY, GX_OFFSET (translation only), GX_SCALE (diagonal, with or without a
 * translation) or GX_GENERAL; DDI_ERROR for an unknown transform.
 */
ULONG WINAPI XFORMOBJ_iGetXform(XFORMOBJ *pxo, XFORML *pxform)
{
    Xform *x = XformOf(pxo);
    if (!x)
        return DDI_ERROR;
    const XFORML &m = x->m;
    if (pxform)
        *pxform = m;
    if (m.eM12 != 0 || m.eM21 != 0)
        return GX_GENERAL;
    if (m.eM11 != 1 || m.eM22 != 1)
        return GX_SCALE;
    return (m.eDx != 0 || m.eDy != 0) ? GX_OFFSET : GX_IDENTITY;
}

/*
 * The transform's matrix as engine floats and its kind, as XFORMOBJ_iGetXform. pxfo: out
 * (may be NULL). DDI_ERROR for an unknown transform.
 */
ULONG WINAPI XFORMOBJ_iGetFloatObjXform(XFORMOBJ *pxo, FLOATOBJ_XFORM *pxfo)
{
    XFORML m;
    ULONG kind = XFORMOBJ_iGetXform(pxo, &m);
    if (kind == DDI_ERROR)
        return DDI_ERROR;
    if (pxfo)
        *pxfo = FLOATOBJ_XFORM{m.eM11, m.eM12, m.eM21, m.eM22, m.eDx, m.eDy};
    return kind;
}

} // extern "C"
