/*
 * Shapes, pens, mixes and colours as the engine hands them to a driver (drawing_objects.h).
 */
#include "platform/src/engine/drawing_objects.h"

#include "platform/src/engine/engine_private.h"

#include <algorithm>
#include <cmath>
#include <string.h>

namespace qme {

namespace {

/* The control distance of a quarter ellipse, as a part of its radius. */
const double kEllipseControl = 0.5522847;

/* Style arrays of the cosmetic pen styles, in style units. */
struct CosmeticStyle {
    DWORD penStyle;
    ULONG count;
    LONG units[6];
};
const CosmeticStyle kCosmeticStyles[] = {
    {PS_DASH, 2, {3, 1}},
    {PS_DOT, 2, {1, 1}},
    {PS_DASHDOT, 4, {3, 1, 1, 1}},
    {PS_DASHDOTDOT, 6, {3, 1, 1, 1, 1, 1}},
};

/* The open figure's last run when it can take segments of this kind. */
Run *OpenRunOf(Path *p, bool bezier)
{
    if (!p->open || p->runs.empty())
        return nullptr;
    Run &last = p->runs.back();
    if ((last.flags & PD_BEGINSUBPATH) && last.points.size() == 1) {
        if (bezier)
            last.flags |= PD_BEZIERS;
        return &last;
    }
    return ((last.flags & PD_BEZIERS) != 0) == bezier ? &last : nullptr;
}

void AddSegments(PATHOBJ *ppo, const POINTFIX *pts, ULONG count, bool bezier)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Path *p = PathOf(ppo);
    if (!p || !pts || count == 0 || !p->open)
        return;
    Run *run = OpenRunOf(p, bezier);
    if (!run) {
        p->runs.push_back(Run{bezier ? static_cast<FLONG>(PD_BEZIERS) : 0, {}});
        run = &p->runs.back();
    }
    run->points.insert(run->points.end(), pts, pts + count);
    ppo->cCurves += bezier ? count / 3 : count;
    if (bezier)
        ppo->fl |= PO_BEZIERS;
}

FIX ToFix(double pixels)
{
    return static_cast<FIX>(std::lround(pixels * 16.0));
}

} // namespace

PATHOBJ *NewEnginePath()
{
    return &NewPath()->po;
}

void PathMoveTo(PATHOBJ *ppo, POINTFIX pt)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Path *p = PathOf(ppo);
    if (!p)
        return;
    if (p->open && !p->runs.empty())
        p->runs.back().flags |= PD_ENDSUBPATH;
    p->runs.push_back(Run{PD_BEGINSUBPATH, {pt}});
    p->open = true;
}

void PathLinesTo(PATHOBJ *ppo, const POINTFIX *pts, ULONG count)
{
    AddSegments(ppo, pts, count, false);
}

void PathBeziersTo(PATHOBJ *ppo, const POINTFIX *pts, ULONG count)
{
    AddSegments(ppo, pts, count - count % 3, true);
}

void PathCloseFigure(PATHOBJ *ppo)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Path *p = PathOf(ppo);
    if (!p || !p->open || p->runs.empty())
        return;
    p->runs.back().flags |= PD_ENDSUBPATH | PD_CLOSEFIGURE;
    p->open = false;
}

RECTL ShapeBox(POINTL a, POINTL b)
{
    RECTL box;
    box.left = std::min(a.x, b.x);
    box.top = std::min(a.y, b.y);
    box.right = std::max(a.x, b.x) - 1;
    box.bottom = std::max(a.y, b.y) - 1;
    return box;
}

void PathAddRectangle(PATHOBJ *ppo, const RECTL &box)
{
    const POINTFIX corners[3] = {
        {box.right * 16, box.top * 16},
        {box.right * 16, box.bottom * 16},
        {box.left * 16, box.bottom * 16},
    };
    PathMoveTo(ppo, POINTFIX{box.left * 16, box.top * 16});
    PathLinesTo(ppo, corners, 3);
    PathCloseFigure(ppo);
}

void PathAddEllipse(PATHOBJ *ppo, const RECTL &box)
{
    double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
    double rx = (box.right - box.left) / 2.0, ry = (box.bottom - box.top) / 2.0;
    double kx = kEllipseControl * rx, ky = kEllipseControl * ry;
    auto at = [](double x, double y) { return POINTFIX{ToFix(x), ToFix(y)}; };
    const POINTFIX curves[12] = {
        at(cx + rx, cy - ky),
        at(cx + kx, cy - ry),
        at(cx, cy - ry), /* to the top */
        at(cx - kx, cy - ry),
        at(cx - rx, cy - ky),
        at(cx - rx, cy), /* to the left */
        at(cx - rx, cy + ky),
        at(cx - kx, cy + ry),
        at(cx, cy + ry), /* to the bottom */
        at(cx + kx, cy + ry),
        at(cx + rx, cy + ky),
        at(cx + rx, cy), /* back to the right */
    };
    PathMoveTo(ppo, at(cx + rx, cy));
    PathBeziersTo(ppo, curves, 12);
    PathCloseFigure(ppo);
    std::lock_guard<std::recursive_mutex> guard(Lock());
    if (PathOf(ppo))
        ppo->fl |= PO_ELLIPSE;
}

bool MakeLineAttrs(DWORD penStyle, double deviceWidth, LineAttrs *out)
{
    DWORD style = penStyle & PS_STYLE_MASK;
    if (!out || style == PS_NULL || style == PS_USERSTYLE || style > PS_ALTERNATE)
        return false;
    memset(out, 0, sizeof(*out));
    bool geometric = (penStyle & PS_TYPE_MASK) == PS_GEOMETRIC || deviceWidth > 1.0;
    if (!geometric) {
        out->la.elWidth.l = 1;
        out->la.iJoin = JOIN_ROUND;
        out->la.iEndCap = ENDCAP_ROUND;
        if (style == PS_ALTERNATE) {
            out->la.fl = LA_ALTERNATE;
            return true;
        }
        for (const CosmeticStyle &c : kCosmeticStyles) {
            if (c.penStyle != style)
                continue;
            for (ULONG i = 0; i < c.count; ++i)
                out->style[i].l = c.units[i];
            out->la.fl = LA_STYLED;
            out->la.cstyle = c.count;
            out->la.pstyle = out->style;
        }
        return true;
    }
    /* Geometric pens draw solid: dash styles are cosmetic only. */
    out->la.fl = LA_GEOMETRIC;
    out->la.elWidth.e = static_cast<FLOATL>(deviceWidth);
    switch (penStyle & PS_JOIN_MASK) {
    case PS_JOIN_BEVEL: out->la.iJoin = JOIN_BEVEL; break;
    case PS_JOIN_MITER: out->la.iJoin = JOIN_MITER; break;
    default: out->la.iJoin = JOIN_ROUND; break;
    }
    switch (penStyle & PS_ENDCAP_MASK) {
    case PS_ENDCAP_SQUARE: out->la.iEndCap = ENDCAP_SQUARE; break;
    case PS_ENDCAP_FLAT: out->la.iEndCap = ENDCAP_BUTT; break;
    default: out->la.iEndCap = ENDCAP_ROUND; break;
    }
    return true;
}

void CopyLineAttrs(const LineAttrs &from, LineAttrs *to)
{
    *to = from;
    if (from.la.pstyle)
        to->la.pstyle = to->style;
}

MIX MixOf(int rop2, bool transparentBackground)
{
    MIX fore = static_cast<MIX>(rop2) & 0xFF;
    MIX back = transparentBackground ? static_cast<MIX>(R2_NOP) : fore;
    return (back << 8) | fore;
}

ROP4 Rop4Of(DWORD rop, bool transparentBackground)
{
    ROP4 rop3 = (rop >> 16) & 0xFF;
    ROP4 back = transparentBackground ? 0xAA : rop3;
    return (back << 8) | rop3;
}

ULONG DeviceColor(COLORREF color, ULONG paletteMode)
{
    color &= 0x00FFFFFF;
    if (paletteMode == PAL_RGB)
        return color;
    return (static_cast<ULONG>(GetRValue(color)) << 16) | (static_cast<ULONG>(GetGValue(color)) << 8) |
           GetBValue(color);
}

} // namespace qme
