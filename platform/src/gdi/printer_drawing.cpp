/*
 * Drawing on printer DCs: lines, curves and shapes in logical units become 28.4 paths in
 * device pixels, handed to the render driver's DrvStrokePath, DrvFillPath and
 * DrvStrokeAndFillPath with the engine's objects (the pen as
 * LINEATTRS and the world-to-device XFORMOBJ, solid and hatch brushes in the device
 * palette's format, the mix, the clip as a CLIPOBJ). A call reaches the driver only when the
 * driver hooked its entry and announced the capabilities it needs (GCAPS_BEZIERS for
 * curves, the fill mode's GCAPS_*FILL, GCAPS_GEOMETRICWIDE for wide pens); otherwise it
 * fails unsent with ERROR_NOT_SUPPORTED. A FALSE DrvStrokeAndFillPath is tried again as
 * DrvFillPath then DrvStrokePath; nothing else is retried or drawn another way. The driver
 * runs without the GDI lock. On a memory DC the same paths are drawn by the raster
 * (memory_shapes.cpp).
 */
#include "platform/src/gdi/printer_calls.h"

#include <algorithm>
#include <cmath>
#include <vector>

using namespace qmg;

namespace {

typedef decltype(&DrvStrokePath) StrokePathProc;
typedef decltype(&DrvFillPath) FillPathProc;
typedef decltype(&DrvStrokeAndFillPath) StrokeAndFillPathProc;

/* Logical points in 28.4 device units; false when one lies beyond the device range. */
bool ToFixPoints(const Mapping &m, const POINT *points, size_t count, std::vector<POINTFIX> *out)
{
    out->resize(count);
    for (size_t i = 0; i < count; ++i) {
        if (!ToDeviceFix(m, points[i], &(*out)[i])) {
            return false;
        }
    }
    return true;
}

/* The world-to-device transform of the mapping (GM_COMPATIBLE: scale and offset). */
XFORML WorldToDevice(const Mapping &m)
{
    double sx = double(m.viewportExt.cx) / m.windowExt.cx;
    double sy = double(m.viewportExt.cy) / m.windowExt.cy;
    XFORML x;
    x.eM11 = (FLOATL)sx;
    x.eM12 = 0;
    x.eM21 = 0;
    x.eM22 = (FLOATL)sy;
    x.eDx = (FLOATL)(m.viewportOrg.x - m.windowOrg.x * sx);
    x.eDy = (FLOATL)(m.viewportOrg.y - m.windowOrg.y * sy);
    return x;
}

/* The device pixels a path touches, widened by half a wide pen's width. */
RECTL PathBounds(PATHOBJ *path, double penWidth)
{
    LONG margin = penWidth > 1.0 ? (LONG)std::ceil(penWidth / 2) : 0;
    RECTFX r;
    PATHOBJ_vGetBounds(path, &r);
    return RECTL{(r.xLeft >> 4) - margin,
                 (r.yTop >> 4) - margin,
                 ((r.xRight + 15) >> 4) + margin + 1,
                 ((r.yBottom + 15) >> 4) + margin + 1};
}

/* Draws a built path, or adds it to the DC's path while a bracket is open. */
BOOL Finish(HDC hdc, const PrinterCall &c, CallObjects *o, bool continues, int paint, int fillMode)
{
    if (c.state.pathMode == kPathOpen) {
        RecordPath(hdc, o->path, continues);
        return TRUE;
    }
    return DrawPath(c, o, paint, fillMode);
}

/* An open figure of lines or Bezier curves from the first point (the current position,
 * which moves to the last point, when `fromPosition`), stroked with the pen. */
BOOL StrokeFigure(HDC hdc, const POINT *points, size_t count, bool bezier, bool fromPosition)
{
    PrinterCall c;
    if (!BeginPrinterCall(hdc, &c, true)) {
        return FALSE;
    }
    std::vector<POINT> logical;
    if (fromPosition) {
        logical.push_back(c.state.position);
    }
    logical.insert(logical.end(), points, points + count);
    std::vector<POINTFIX> fix;
    if (!ToFixPoints(c.state.mapping, logical.data(), logical.size(), &fix)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if (fromPosition) {
        std::lock_guard<std::recursive_mutex> guard(Lock());
        if (DcState *s = StateOf(hdc)) {
            s->position = logical.back();
        }
    }
    CallObjects o;
    o.path = qme::NewEnginePath();
    qme::PathMoveTo(o.path, fix[0]);
    if (bezier) {
        qme::PathBeziersTo(o.path, fix.data() + 1, (ULONG)(fix.size() - 1));
    } else {
        qme::PathLinesTo(o.path, fix.data() + 1, (ULONG)(fix.size() - 1));
    }
    return Finish(hdc, c, &o, fromPosition, kStroke, ALTERNATE);
}

/* Closed polygons filled with the brush under the DC's fill mode and outlined with the pen. */
BOOL DrawPolygons(HDC hdc, const POINT *points, const INT *counts, int polygons)
{
    PrinterCall c;
    if (!BeginPrinterCall(hdc, &c, true)) {
        return FALSE;
    }
    size_t total = 0;
    for (int i = 0; i < polygons; ++i) {
        if (counts[i] < 2) {
            return Fail(ERROR_INVALID_PARAMETER);
        }
        total += (size_t)counts[i];
    }
    std::vector<POINTFIX> fix;
    if (!ToFixPoints(c.state.mapping, points, total, &fix)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    CallObjects o;
    o.path = qme::NewEnginePath();
    size_t at = 0;
    for (int i = 0; i < polygons; ++i) {
        qme::PathMoveTo(o.path, fix[at]);
        qme::PathLinesTo(o.path, fix.data() + at + 1, (ULONG)counts[i] - 1);
        qme::PathCloseFigure(o.path);
        at += (size_t)counts[i];
    }
    return Finish(hdc, c, &o, false, kStroke | kFill, c.state.polyFillMode);
}

/* Rectangle or Ellipse over the box of two logical corners. */
BOOL DrawShape(HDC hdc, int left, int top, int right, int bottom, bool ellipse)
{
    PrinterCall c;
    if (!BeginPrinterCall(hdc, &c, true)) {
        return FALSE;
    }
    POINTL a, b;
    if (!ToDevice(c.state.mapping, POINT{left, top}, &a) || !ToDevice(c.state.mapping, POINT{right, bottom}, &b)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    RECTL box = qme::ShapeBox(a, b);
    if (box.right < box.left || box.bottom < box.top) {
        return TRUE; /* an empty box draws nothing */
    }
    CallObjects o;
    o.path = qme::NewEnginePath();
    if (ellipse) {
        qme::PathAddEllipse(o.path, box);
    } else {
        qme::PathAddRectangle(o.path, box);
    }
    return Finish(hdc, c, &o, false, kStroke | kFill, ALTERNATE);
}

} // namespace

namespace qmg {

bool BeginPrinterCall(HDC hdc, PrinterCall *call, bool memoryToo)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    call->hdc = hdc;
    const Dc *memory = memoryToo ? static_cast<const Dc *>(Find(hdc, kDc)) : nullptr;
    if (memory && memory->bitmap) {
        call->driver = nullptr;
        call->surface = nullptr;
        call->hooks = 0;
        call->caps = 0;
        call->paletteMode = PAL_BGR;
        call->state = memory->state;
        call->pen = *memory->state.pen;
        call->brush = *memory->state.brush;
        return true;
    }
    PrinterDc *dc = static_cast<PrinterDc *>(Find(hdc, kPrinterDc));
    if (!dc || !dc->driver || !dc->surface) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    call->driver = dc->driver;
    call->surface = dc->surface;
    call->hooks = qmh_SurfaceHooks(dc->device.hsurf);
    call->caps = dc->device.devInfo.flGraphicsCaps;
    call->paletteMode = qme::PaletteMode(dc->device.devInfo.hpalDefault);
    call->state = dc->state;
    call->pen = *dc->state.pen;
    call->brush = *dc->state.brush;
    return true;
}

/* printer_calls.h */
BRUSHOBJ *DeviceBrush(const PrinterCall &c)
{
    if (c.brush.style == BS_SOLID) {
        return qme::NewSolidBrush(qme::DeviceColor(c.brush.color, c.paletteMode));
    }
    if (c.brush.style == BS_HATCHED) {
        return qme::NewHatchBrush(c.surface,
                                  c.brush.hatch,
                                  qme::DeviceColor(c.brush.color, c.paletteMode),
                                  qme::DeviceColor(c.state.bkColor, c.paletteMode),
                                  (qme::BrushRealizer)(void *)DriverEntry(c.driver, INDEX_DrvRealizeBrush));
    }
    return nullptr;
}

/* True when the brush's background is left alone (TRANSPARENT under a hatch). */
bool TransparentBrush(const PrinterCall &c)
{
    return c.state.bkMode == TRANSPARENT && c.brush.style == BS_HATCHED;
}

/* The entry of a hooked driver call, or NULL. */
PFN HookedEntry(const PrinterCall &c, FLONG hook, ULONG index)
{
    return (c.hooks & hook) ? DriverEntry(c.driver, index) : nullptr;
}

BOOL Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

CallObjects::~CallObjects()
{
    if (path) {
        EngDeletePath(path);
    }
    qme::DeleteEngineSurface(source);
    qme::DeleteEngineXlate(xlate);
    qme::DeleteEngineClip(clip);
    qme::DeleteEngineXform(xform);
    qme::DeleteEngineBrush(stroke);
    qme::DeleteEngineBrush(fill);
}

BOOL DrawPath(const PrinterCall &c, CallObjects *o, int paint, int fillMode)
{
    if (!c.driver) {
        return MemoryDrawPath(c, o->path, paint, fillMode);
    }
    bool stroke = (paint & kStroke) && (c.pen.style & PS_STYLE_MASK) != PS_NULL;
    bool fill = (paint & kFill) && c.brush.style != BS_NULL;
    if (!stroke && !fill) {
        return TRUE;
    }
    double width = DeviceLengthX(c.state.mapping, c.pen.width);
    qme::LineAttrs line;
    if (stroke && !qme::MakeLineAttrs(c.pen.style, width, &line)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    bool curves = (o->path->fl & PO_BEZIERS) != 0;
    bool wide = stroke && (line.la.fl & LA_GEOMETRIC) && width > 1.0;
    FLONG fillCap = fillMode == WINDING ? GCAPS_WINDINGFILL : GCAPS_ALTERNATEFILL;
    if ((curves && !(c.caps & GCAPS_BEZIERS)) || (wide && !(c.caps & GCAPS_GEOMETRICWIDE)) ||
        (fill && !(c.caps & fillCap))) {
        return Fail(ERROR_NOT_SUPPORTED);
    }
    StrokePathProc strokePath = (StrokePathProc)(void *)HookedEntry(c, HOOK_STROKEPATH, INDEX_DrvStrokePath);
    FillPathProc fillPath = (FillPathProc)(void *)HookedEntry(c, HOOK_FILLPATH, INDEX_DrvFillPath);
    StrokeAndFillPathProc both =
        (StrokeAndFillPathProc)(void *)HookedEntry(c, HOOK_STROKEANDFILLPATH, INDEX_DrvStrokeAndFillPath);
    if ((stroke && fill && !both) || (stroke && !fill && !strokePath) || (fill && !stroke && !fillPath)) {
        return Fail(ERROR_NOT_SUPPORTED);
    }
    o->clip = qme::NewEngineClip(
        c.state.clipped ? &c.state.clip : nullptr, c.surface->sizlBitmap, PathBounds(o->path, stroke ? width : 0));
    if (!o->clip) {
        return TRUE; /* clipped away: nothing to draw */
    }
    POINTL origin = {0, 0};
    MIX mix = qme::MixOf(c.state.rop2, fill && TransparentBrush(c));
    FLONG options = fillMode == WINDING ? FP_WINDINGMODE : FP_ALTERNATEMODE;
    if (stroke) {
        o->xform = qme::NewEngineXform(WorldToDevice(c.state.mapping));
        o->stroke = qme::NewSolidBrush(qme::DeviceColor(c.pen.color, c.paletteMode));
    }
    if (fill) {
        o->fill = DeviceBrush(c);
        if (!o->fill) {
            return Fail(ERROR_NOT_ENOUGH_MEMORY);
        }
    }
    if (stroke && fill) {
        if (both(c.surface, o->path, o->clip, o->xform, o->stroke, &line.la, o->fill, &origin, mix, options)) {
            return TRUE;
        }
        /* Refused together: filled, then stroked, each when the driver takes it alone. */
        PATHOBJ_vEnumStart(o->path);
        bool filled = fillPath && fillPath(c.surface, o->path, o->clip, o->fill, &origin, mix, options);
        PATHOBJ_vEnumStart(o->path);
        bool stroked =
            strokePath &&
            strokePath(
                c.surface, o->path, o->clip, o->xform, o->stroke, &origin, &line.la, qme::MixOf(c.state.rop2, false));
        return filled && stroked;
    }
    if (fill) {
        return fillPath(c.surface, o->path, o->clip, o->fill, &origin, mix, options);
    }
    return strokePath(c.surface, o->path, o->clip, o->xform, o->stroke, &origin, &line.la, mix);
}

} // namespace qmg

extern "C" {

BOOL WINAPI LineTo(HDC hdc, int x, int y)
{
    POINT to = {x, y};
    return StrokeFigure(hdc, &to, 1, false, true);
}

/* At least two points. */
BOOL WINAPI Polyline(HDC hdc, const POINT *apt, int cpt)
{
    if (!apt || cpt < 2) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    return StrokeFigure(hdc, apt, (size_t)cpt, false, false);
}

/* From the current position, which moves to the last point. */
BOOL WINAPI PolylineTo(HDC hdc, const POINT *apt, DWORD cpt)
{
    if (!apt || cpt < 1) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    return StrokeFigure(hdc, apt, cpt, false, true);
}

/* A start point and three points a curve. */
BOOL WINAPI PolyBezier(HDC hdc, const POINT *apt, DWORD cpt)
{
    if (!apt || cpt < 4 || (cpt - 1) % 3 != 0) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    return StrokeFigure(hdc, apt, cpt, true, false);
}

BOOL WINAPI PolyBezierTo(HDC hdc, const POINT *apt, DWORD cpt)
{
    if (!apt || cpt < 3 || cpt % 3 != 0) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    return StrokeFigure(hdc, apt, cpt, true, true);
}

BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom)
{
    return DrawShape(hdc, left, top, right, bottom, false);
}

BOOL WINAPI Ellipse(HDC hdc, int left, int top, int right, int bottom)
{
    return DrawShape(hdc, left, top, right, bottom, true);
}

BOOL WINAPI Polygon(HDC hdc, const POINT *apt, int cpt)
{
    if (!apt || cpt < 2) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    INT count = cpt;
    return DrawPolygons(hdc, apt, &count, 1);
}

BOOL WINAPI PolyPolygon(HDC hdc, const POINT *apt, const INT *asz, int csz)
{
    if (!apt || !asz || csz < 1) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    return DrawPolygons(hdc, apt, asz, csz);
}

} // extern "C"
