/*
 * Path brackets of printer DCs: between BeginPath and EndPath the drawing calls add their
 * figures to the DC's path (device 28.4 units) instead of drawing; StrokePath, FillPath and
 * StrokeAndFillPath hand the finished path to the driver as the shapes do, SelectClipPath
 * makes it the clip (curves flattened, pixels whose centre lies inside). Each of them
 * consumes the path; a new BeginPath discards an unfinished one.
 */
#include "platform/src/gdi/printer_calls.h"

#include <cmath>

using namespace qmg;

namespace {

/* Line segments a Bezier curve is flattened to for a clip. */
const int kCurveSteps = 16;

/* The DC's state when it has a finished path; false (ERROR_CAN_NOT_COMPLETE) otherwise.
 * Call under the lock. */
DcState *FinishedPath(HDC hdc)
{
    DcState *s = StateOf(hdc);
    if (s && s->pathMode != kPathDone) {
        SetLastError(ERROR_CAN_NOT_COMPLETE);
        return nullptr;
    }
    return s;
}

/* Hands the DC's finished path to the driver and discards it. */
BOOL PaintPath(HDC hdc, int paint)
{
    PrinterCall c;
    if (!BeginPrinterCall(hdc, &c, true)) {
        return FALSE;
    }
    {
        std::lock_guard<std::recursive_mutex> guard(Lock());
        DcState *s = FinishedPath(hdc);
        if (!s) {
            return FALSE;
        }
        s->pathMode = kNoPath;
        s->path.clear();
    }
    std::vector<PathRun> runs = c.state.path;
    if (paint & kFill) {
        for (PathRun &run : runs) {
            if (run.flags & PD_ENDSUBPATH) {
                run.flags |= PD_CLOSEFIGURE; /* filling closes every figure */
            }
        }
        if (!runs.empty()) {
            runs.back().flags |= PD_ENDSUBPATH | PD_CLOSEFIGURE;
        }
    }
    CallObjects o;
    o.path = PathOfRuns(runs);
    return DrawPath(c, &o, paint, c.state.polyFillMode);
}

/* A point of a cubic Bezier curve at t, in pixels. */
POINTL CurvePoint(const POINTFIX &p0, const POINTFIX &p1, const POINTFIX &p2, const POINTFIX &p3, double t)
{
    double u = 1 - t;
    double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    double x = (a * p0.x + b * p1.x + c * p2.x + d * p3.x) / 16.0;
    double y = (a * p0.y + b * p1.y + c * p2.y + d * p3.y) / 16.0;
    return POINTL{(LONG)std::lround(x), (LONG)std::lround(y)};
}

} // namespace

namespace qmg {

void FlattenPath(const std::vector<PathRun> &runs, std::vector<POINTL> *points, std::vector<INT> *counts,
                 std::vector<bool> *closed)
{
    POINTFIX last = {0, 0};
    INT open = 0;
    for (const PathRun &run : runs) {
        size_t i = 0;
        if (run.flags & PD_BEGINSUBPATH) {
            if (open > 0) {
                counts->push_back(open);
                closed->push_back(false);
            }
            open = 0;
            last = run.points[0];
            points->push_back(POINTL{(LONG)std::lround(last.x / 16.0), (LONG)std::lround(last.y / 16.0)});
            ++open;
            i = 1;
        }
        if (run.flags & PD_BEZIERS) {
            for (; i + 2 < run.points.size(); i += 3) {
                for (int step = 1; step <= kCurveSteps; ++step) {
                    points->push_back(CurvePoint(
                        last, run.points[i], run.points[i + 1], run.points[i + 2], double(step) / kCurveSteps));
                    ++open;
                }
                last = run.points[i + 2];
            }
        } else {
            for (; i < run.points.size(); ++i) {
                last = run.points[i];
                points->push_back(POINTL{(LONG)std::lround(last.x / 16.0), (LONG)std::lround(last.y / 16.0)});
                ++open;
            }
        }
        if (run.flags & PD_ENDSUBPATH) {
            if (open > 0) {
                counts->push_back(open);
                closed->push_back((run.flags & PD_CLOSEFIGURE) != 0);
            }
            open = 0;
        }
    }
    if (open > 0) {
        counts->push_back(open);
        closed->push_back(false);
    }
}

std::vector<PathRun> RunsOf(PATHOBJ *path)
{
    std::vector<PathRun> runs;
    PATHDATA pd;
    PATHOBJ_vEnumStart(path);
    BOOL more = TRUE;
    while (more) {
        more = PATHOBJ_bEnum(path, &pd);
        if (pd.count > 0) {
            runs.push_back(PathRun{pd.flags, std::vector<POINTFIX>(pd.pptfx, pd.pptfx + pd.count)});
        }
    }
    return runs;
}

PATHOBJ *PathOfRuns(const std::vector<PathRun> &runs)
{
    PATHOBJ *path = qme::NewEnginePath();
    for (const PathRun &run : runs) {
        const POINTFIX *pts = run.points.data();
        ULONG count = (ULONG)run.points.size();
        if (run.flags & PD_BEGINSUBPATH) {
            qme::PathMoveTo(path, pts[0]);
            ++pts;
            --count;
        }
        if (count > 0 && (run.flags & PD_BEZIERS)) {
            qme::PathBeziersTo(path, pts, count);
        } else if (count > 0) {
            qme::PathLinesTo(path, pts, count);
        }
        if (run.flags & PD_CLOSEFIGURE) {
            qme::PathCloseFigure(path);
        }
    }
    return path;
}

void RecordPath(HDC hdc, PATHOBJ *path, bool continues)
{
    std::vector<PathRun> runs = RunsOf(path);
    std::lock_guard<std::recursive_mutex> guard(Lock());
    DcState *s = StateOf(hdc);
    if (!s || runs.empty()) {
        return;
    }
    bool figureOpen = !s->path.empty() && !(s->path.back().flags & PD_ENDSUBPATH);
    if (continues && figureOpen) {
        /* The open figure goes on from its end: the repeated start point is left out. */
        PathRun &first = runs.front();
        first.flags &= ~(FLONG)PD_BEGINSUBPATH;
        first.points.erase(first.points.begin());
    } else if (figureOpen) {
        s->path.back().flags |= PD_ENDSUBPATH;
    }
    for (PathRun &run : runs) {
        if (!run.points.empty() || (run.flags & PD_CLOSEFIGURE)) {
            s->path.push_back(run);
        }
    }
    /* An open figure stays open for the next call from the current position. */
    if (!(s->path.back().flags & PD_CLOSEFIGURE)) {
        s->path.back().flags &= ~(FLONG)PD_ENDSUBPATH;
    }
}

} // namespace qmg

extern "C" {

/* Opens a path bracket; an unfinished path is discarded. */
BOOL WINAPI BeginPath(HDC hdc)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    DcState *s = StateOf(hdc);
    if (!s) {
        return FALSE;
    }
    s->pathMode = kPathOpen;
    s->path.clear();
    return TRUE;
}

BOOL WINAPI EndPath(HDC hdc)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    DcState *s = StateOf(hdc);
    if (!s || s->pathMode != kPathOpen) {
        if (s) {
            SetLastError(ERROR_CAN_NOT_COMPLETE);
        }
        return FALSE;
    }
    if (!s->path.empty()) {
        s->path.back().flags |= PD_ENDSUBPATH;
    }
    s->pathMode = kPathDone;
    return TRUE;
}

BOOL WINAPI AbortPath(HDC hdc)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    DcState *s = StateOf(hdc);
    if (!s) {
        return FALSE;
    }
    s->pathMode = kNoPath;
    s->path.clear();
    return TRUE;
}

/* Closes the open figure of the open path. */
BOOL WINAPI CloseFigure(HDC hdc)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    DcState *s = StateOf(hdc);
    if (!s || s->pathMode != kPathOpen || s->path.empty() || (s->path.back().flags & PD_ENDSUBPATH)) {
        if (s) {
            SetLastError(ERROR_CAN_NOT_COMPLETE);
        }
        return FALSE;
    }
    s->path.back().flags |= PD_ENDSUBPATH | PD_CLOSEFIGURE;
    return TRUE;
}

BOOL WINAPI StrokePath(HDC hdc)
{
    return PaintPath(hdc, kStroke);
}

BOOL WINAPI FillPath(HDC hdc)
{
    return PaintPath(hdc, kFill);
}

BOOL WINAPI StrokeAndFillPath(HDC hdc)
{
    return PaintPath(hdc, kStroke | kFill);
}

/* The finished path as a region under the DC's fill mode, combined with the clip by
 * `mode` (RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY); the path is consumed. */
BOOL WINAPI SelectClipPath(HDC hdc, int mode)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    DcState *s = FinishedPath(hdc);
    if (!s) {
        return FALSE;
    }
    if (mode < RGN_AND || mode > RGN_COPY) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::vector<POINTL> points;
    std::vector<INT> counts;
    std::vector<bool> closed;
    FlattenPath(s->path, &points, &counts, &closed);
    s->pathMode = kNoPath;
    s->path.clear();
    qme::Region shape, out;
    bool built = counts.empty() ||
                 qme::PolyPolygonRegion(points.data(), counts.data(), (ULONG)counts.size(), s->polyFillMode, &shape);
    for (INT count : counts) {
        built = built && count >= 3;
    }
    if (!built) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (mode == RGN_COPY) {
        out = shape;
    } else if (!qme::CombineRegions(ClipOrPlane(*s), shape, mode, &out)) {
        return FALSE;
    }
    s->clip = out;
    s->clipped = true;
    return TRUE;
}

} // extern "C"
