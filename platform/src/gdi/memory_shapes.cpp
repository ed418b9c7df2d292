/*
 * Lines, curves and shapes drawn into a memory DC's bitmap by the raster: the path of the
 * call (as printer DCs hand it to a driver) flattened to polygons; the fill covers the
 * pixels whose centre lies inside under the fill mode; the pen draws each edge pixel by
 * pixel (Bresenham), a square of the pen's width in device pixels around each, solid
 * whatever its style; both through the DC's ROP2 and clip. Hatched brushes are not drawn
 * into bitmaps (ERROR_NOT_SUPPORTED).
 */
#include "platform/src/gdi/printer_calls.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace qmg;

namespace {

DWORD Bgr(COLORREF c)
{
    return (DWORD)GetBValue(c) | ((DWORD)GetGValue(c) << 8) | ((DWORD)GetRValue(c) << 16);
}

/* A ROP2 (R2_*) of pen P over destination D, bit by bit: its code less one is the truth
 * table, bit (P << 1 | D). */
DWORD Rop2(int rop2, DWORD p, DWORD d)
{
    DWORD code = (DWORD)(rop2 - 1) & 0x0F, out = 0;
    for (int i = 0; i < 4; ++i) {
        if (code & (1u << i)) {
            out |= ((i & 2) ? p : ~p) & ((i & 1) ? d : ~d);
        }
    }
    return out & 0x00FFFFFF;
}

/* The pixels of a bitmap the DC may paint: inside the bitmap and the clip. */
struct Target {
    Bitmap *bitmap;
    const DcState *state;
    std::vector<RECTL> clip; /* NULL region: everything */
    bool Paints(LONG x, LONG y) const
    {
        if (x < 0 || y < 0 || x >= bitmap->width || y >= bitmap->height) {
            return false;
        }
        if (!state->clipped) {
            return true;
        }
        for (const RECTL &r : clip) {
            if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) {
                return true;
            }
        }
        return false;
    }
    void Paint(LONG x, LONG y, DWORD color) const
    {
        if (Paints(x, y)) {
            DWORD &pixel = PixelOf(bitmap, x, y);
            DWORD value = Rop2(state->rop2, color, pixel);
            pixel = bitmap->mono ? (value == 0x00FFFFFF ? value : 0) : value;
        }
    }
};

/* A line of pen squares from a to b (both ends drawn). */
void DrawLine(const Target &t, POINTL a, POINTL b, LONG width, DWORD color)
{
    LONG dx = std::labs(b.x - a.x), dy = -std::labs(b.y - a.y);
    LONG sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    LONG err = dx + dy, half = (width - 1) / 2;
    for (;;) {
        for (LONG y = a.y - half; y < a.y - half + width; ++y) {
            for (LONG x = a.x - half; x < a.x - half + width; ++x) {
                t.Paint(x, y, color);
            }
        }
        if (a.x == b.x && a.y == b.y) {
            return;
        }
        LONG e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            a.x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            a.y += sy;
        }
    }
}

} // namespace

namespace qmg {

BOOL MemoryDrawPath(const PrinterCall &c, PATHOBJ *path, int paint, int fillMode)
{
    bool stroke = (paint & kStroke) && (c.pen.style & PS_STYLE_MASK) != PS_NULL;
    bool fill = (paint & kFill) && c.brush.style != BS_NULL;
    if (fill && c.brush.style == BS_HATCHED) {
        return Fail(ERROR_NOT_SUPPORTED);
    }
    std::vector<POINTL> points;
    std::vector<INT> counts;
    std::vector<bool> closed;
    FlattenPath(RunsOf(path), &points, &counts, &closed);
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Dc *dc = static_cast<Dc *>(Find(c.hdc, kDc));
    if (!dc || !dc->bitmap) {
        return Fail(ERROR_INVALID_HANDLE);
    }
    Target t = {dc->bitmap, &dc->state, dc->state.clip.rects};
    if (fill) {
        std::vector<POINTL> polygons;
        std::vector<INT> sizes;
        size_t at = 0;
        for (size_t i = 0; i < counts.size(); at += (size_t)counts[i], ++i) {
            if (counts[i] >= 3) {
                polygons.insert(polygons.end(), points.begin() + (long)at, points.begin() + (long)at + counts[i]);
                sizes.push_back(counts[i]);
            }
        }
        qme::Region area;
        if (!sizes.empty() &&
            !qme::PolyPolygonRegion(polygons.data(), sizes.data(), (ULONG)sizes.size(), fillMode, &area)) {
            return Fail(ERROR_INVALID_PARAMETER);
        }
        DWORD color = Bgr(c.brush.color);
        for (const RECTL &r : area.rects) {
            for (LONG y = std::max(r.top, (LONG)0); y < std::min(r.bottom, t.bitmap->height); ++y) {
                for (LONG x = std::max(r.left, (LONG)0); x < std::min(r.right, t.bitmap->width); ++x) {
                    t.Paint(x, y, color);
                }
            }
        }
    }
    if (stroke) {
        LONG width = std::max((LONG)1, (LONG)std::lround(DeviceLengthX(c.state.mapping, c.pen.width)));
        DWORD color = Bgr(c.pen.color);
        size_t at = 0;
        for (size_t i = 0; i < counts.size(); at += (size_t)counts[i], ++i) {
            for (INT k = 1; k < counts[i]; ++k) {
                DrawLine(t, points[at + (size_t)k - 1], points[at + (size_t)k], width, color);
            }
            if (closed[i] && counts[i] > 2) {
                DrawLine(t, points[at + (size_t)counts[i] - 1], points[at], width, color);
            }
        }
    }
    return TRUE;
}

} // namespace qmg
