/*
 * Regions in y-bands and the CLIPOBJs made from them (drawing_objects.h). A region is kept
 * as bands internally: rows [top, bottom) with sorted column pairs [x0, x1).
 */
#include "platform/src/engine/drawing_objects.h"

#include "platform/src/engine/engine_private.h"

#include <algorithm>
#include <cmath>

namespace qme {

namespace {

struct Band {
    LONG top;
    LONG bottom;
    std::vector<LONG> xs; /* x0, x1, x0, x1 ... */
};

bool InRange(LONG v)
{
    return v >= -kRegionCoordLimit && v <= kRegionCoordLimit;
}

std::vector<Band> BandsOf(const Region &r)
{
    std::vector<Band> bands;
    for (const RECTL &rc : r.rects) {
        if (bands.empty() || bands.back().top != rc.top)
            bands.push_back(Band{rc.top, rc.bottom, {}});
        bands.back().xs.push_back(rc.left);
        bands.back().xs.push_back(rc.right);
    }
    return bands;
}

/* Appends a band, joining it to the last one when they touch with the same columns. */
void AppendBand(std::vector<Band> *bands, LONG top, LONG bottom, const std::vector<LONG> &xs)
{
    if (xs.empty() || bottom <= top)
        return;
    if (!bands->empty() && bands->back().bottom == top && bands->back().xs == xs) {
        bands->back().bottom = bottom;
        return;
    }
    bands->push_back(Band{top, bottom, xs});
}

Region RegionOf(const std::vector<Band> &bands)
{
    Region r;
    for (const Band &b : bands)
        for (size_t i = 0; i + 1 < b.xs.size(); i += 2)
            r.rects.push_back(RECTL{b.xs[i], b.top, b.xs[i + 1], b.bottom});
    return r;
}

bool Inside(const std::vector<LONG> &xs, LONG x)
{
    for (size_t i = 0; i + 1 < xs.size(); i += 2)
        if (x >= xs[i] && x < xs[i + 1])
            return true;
    return false;
}

bool Apply(int op, bool a, bool b)
{
    switch (op) {
    case RGN_AND: return a && b;
    case RGN_OR: return a || b;
    case RGN_XOR: return a != b;
    case RGN_DIFF: return a && !b;
    default: return a;
    }
}

/* Columns of one row under op: evaluated between every pair of neighbouring edges. */
std::vector<LONG> CombineRow(const std::vector<LONG> &a, const std::vector<LONG> &b, int op)
{
    std::vector<LONG> edges(a);
    edges.insert(edges.end(), b.begin(), b.end());
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    std::vector<LONG> out;
    for (size_t i = 0; i + 1 < edges.size(); ++i) {
        if (!Apply(op, Inside(a, edges[i]), Inside(b, edges[i])))
            continue;
        if (!out.empty() && out.back() == edges[i])
            out.back() = edges[i + 1];
        else {
            out.push_back(edges[i]);
            out.push_back(edges[i + 1]);
        }
    }
    return out;
}

/* The columns of the band covering row y, or none. */
const std::vector<LONG> &ColumnsAt(const std::vector<Band> &bands, LONG y)
{
    static const std::vector<LONG> kNone;
    for (const Band &b : bands)
        if (y >= b.top && y < b.bottom)
            return b.xs;
    return kNone;
}

struct Edge {
    LONG x0, y0, x1, y1;
};

/* Builds a region row by row from the polygon edges: a pixel is inside when its centre is
 * (left edges in, right edges out). */
bool RegionOfEdges(const std::vector<Edge> &edges, LONG top, LONG bottom, int fillMode, Region *out)
{
    if (bottom - top > kRegionRowLimit)
        return false;
    std::vector<Band> bands;
    std::vector<std::pair<double, int>> crossings;
    for (LONG y = top; y < bottom; ++y) {
        double yc = y + 0.5;
        crossings.clear();
        for (const Edge &e : edges) {
            if (e.y0 == e.y1)
                continue;
            bool down = e.y1 > e.y0;
            double lo = down ? e.y0 : e.y1, hi = down ? e.y1 : e.y0;
            if (yc < lo || yc >= hi)
                continue;
            double x = e.x0 + (yc - e.y0) * static_cast<double>(e.x1 - e.x0) / (e.y1 - e.y0);
            crossings.push_back({x, down ? 1 : -1});
        }
        std::sort(crossings.begin(), crossings.end());
        std::vector<LONG> xs;
        int winding = 0;
        for (size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += fillMode == WINDING ? crossings[i].second : 1;
            bool in = fillMode == WINDING ? winding != 0 : (winding & 1) != 0;
            if (!in)
                continue;
            LONG x0 = static_cast<LONG>(std::ceil(crossings[i].first - 0.5));
            LONG x1 = static_cast<LONG>(std::ceil(crossings[i + 1].first - 0.5));
            if (x1 <= x0)
                continue;
            if (!xs.empty() && xs.back() >= x0)
                xs.back() = std::max(xs.back(), x1);
            else {
                xs.push_back(x0);
                xs.push_back(x1);
            }
        }
        AppendBand(&bands, y, y + 1, xs);
    }
    *out = RegionOf(bands);
    return true;
}

RECTL Intersect(const RECTL &a, const RECTL &b)
{
    return RECTL{
        std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

bool IsEmpty(const RECTL &r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

bool Contains(const RECTL &outer, const RECTL &inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

} // namespace

bool RectRegion(const RECTL &r, Region *out)
{
    if (!InRange(r.left) || !InRange(r.top) || !InRange(r.right) || !InRange(r.bottom))
        return false;
    out->rects.clear();
    RECTL n = {
        std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right), std::max(r.top, r.bottom)};
    if (!IsEmpty(n))
        out->rects.push_back(n);
    return true;
}

bool PolyPolygonRegion(const POINTL *pts, const INT *counts, ULONG polygons, int fillMode, Region *out)
{
    if (!pts || !counts || polygons == 0 || (fillMode != ALTERNATE && fillMode != WINDING))
        return false;
    std::vector<Edge> edges;
    LONG top = 0, bottom = 0;
    bool first = true;
    const POINTL *p = pts;
    for (ULONG i = 0; i < polygons; ++i) {
        if (counts[i] < 2)
            return false;
        for (INT k = 0; k < counts[i]; ++k) {
            const POINTL &a = p[k], &b = p[(k + 1) % counts[i]];
            if (!InRange(a.x) || !InRange(a.y))
                return false;
            edges.push_back(Edge{a.x, a.y, b.x, b.y});
            top = first ? a.y : std::min(top, a.y);
            bottom = first ? a.y : std::max(bottom, a.y);
            first = false;
        }
        p += counts[i];
    }
    return RegionOfEdges(edges, top, bottom, fillMode, out);
}

bool PolygonRegion(const POINTL *pts, ULONG count, int fillMode, Region *out)
{
    if (count < 3 || count > 0x7FFFFFFF)
        return false;
    INT n = static_cast<INT>(count);
    return PolyPolygonRegion(pts, &n, 1, fillMode, out);
}

bool EllipseRegion(const RECTL &r, Region *out)
{
    Region box;
    if (!RectRegion(r, &box))
        return false;
    out->rects.clear();
    if (box.rects.empty())
        return true;
    const RECTL &b = box.rects[0];
    if (b.bottom - b.top > kRegionRowLimit)
        return false;
    double cx = (b.left + b.right) / 2.0, cy = (b.top + b.bottom) / 2.0;
    double rx = (b.right - b.left) / 2.0, ry = (b.bottom - b.top) / 2.0;
    std::vector<Band> bands;
    for (LONG y = b.top; y < b.bottom; ++y) {
        double dy = (y + 0.5 - cy) / ry;
        std::vector<LONG> xs;
        if (dy * dy < 1.0) {
            double half = rx * std::sqrt(1.0 - dy * dy);
            LONG x0 = static_cast<LONG>(std::floor(cx - half - 0.5)) + 1;
            LONG x1 = static_cast<LONG>(std::ceil(cx + half - 0.5));
            if (x1 > x0)
                xs = {x0, x1};
        }
        AppendBand(&bands, y, y + 1, xs);
    }
    *out = RegionOf(bands);
    return true;
}

bool CombineRegions(const Region &a, const Region &b, int op, Region *out)
{
    if (op < RGN_AND || op > RGN_COPY)
        return false;
    if (op == RGN_COPY) {
        *out = a;
        return true;
    }
    std::vector<Band> ba = BandsOf(a), bb = BandsOf(b);
    std::vector<LONG> ys;
    for (const std::vector<Band> *set : {&ba, &bb})
        for (const Band &band : *set) {
            ys.push_back(band.top);
            ys.push_back(band.bottom);
        }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    std::vector<Band> bands;
    for (size_t i = 0; i + 1 < ys.size(); ++i)
        AppendBand(&bands, ys[i], ys[i + 1], CombineRow(ColumnsAt(ba, ys[i]), ColumnsAt(bb, ys[i]), op));
    *out = RegionOf(bands);
    return true;
}

void OffsetRegion(Region *region, LONG dx, LONG dy)
{
    for (RECTL &r : region->rects) {
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
    }
}

RECTL RegionBounds(const Region &region)
{
    if (region.rects.empty())
        return RECTL{0, 0, 0, 0};
    RECTL b = region.rects[0];
    for (const RECTL &r : region.rects) {
        b.left = std::min(b.left, r.left);
        b.top = std::min(b.top, r.top);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

CLIPOBJ *NewEngineClip(const Region *clip, SIZEL surface, const RECTL &callBounds)
{
    const RECTL page = {0, 0, surface.cx, surface.cy};
    if (IsEmpty(Intersect(page, callBounds)))
        return nullptr;
    std::vector<RECTL> rects;
    if (clip) {
        for (const RECTL &r : clip->rects) {
            RECTL in = Intersect(r, page);
            if (!IsEmpty(in))
                rects.push_back(in);
        }
        bool touches = false;
        for (const RECTL &r : rects)
            touches = touches || !IsEmpty(Intersect(r, callBounds));
        if (!touches)
            return nullptr;
    } else if (!Contains(page, callBounds)) {
        rects.push_back(page);
    }
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Clip *c = new Clip();
    c->magic = kClipMagic;
    RegisterObject(c, kClipMagic);
    c->co.iUniq = 1;
    if (rects.empty()) {
        c->co.iDComplexity = DC_TRIVIAL;
        c->co.iFComplexity = FC_RECT;
        c->co.rclBounds = page;
        return &c->co;
    }
    c->rects = rects;
    c->co.rclBounds = RegionBounds(Region{rects});
    c->co.iDComplexity = rects.size() == 1 ? DC_RECT : DC_COMPLEX;
    c->co.iFComplexity = rects.size() == 1 ? FC_RECT : FC_COMPLEX;
    c->co.iMode = TC_RECTANGLES;
    return &c->co;
}

void DeleteEngineClip(CLIPOBJ *pco)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Clip *c = ClipOf(pco);
    if (!c)
        return;
    UnregisterObject(c);
    c->magic = 0;
    delete c;
}

} // namespace qme
