/*
 * Region objects of GDI: rectangle, elliptic, polygon and combined regions in device
 * pixels, kept as the engine's y-banded regions (the clips handed to a driver are made
 * from them).
 */
#include "platform/src/gdi/gdi_private.h"

using namespace qmg;

namespace {

/* NULLREGION, SIMPLEREGION or COMPLEXREGION by the rectangles of a region. */
int KindOf(const qme::Region &r)
{
    return r.rects.empty() ? NULLREGION : r.rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

/* A new region object holding `region`; NULL when refused. */
HRGN NewRgn(bool built, const qme::Region &region)
{
    if (!built) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Rgn *r = new Rgn();
    r->kind = kRegion;
    r->stock = false;
    r->region = region;
    if (!Register(r)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return reinterpret_cast<HRGN>(r);
}

} // namespace

extern "C" {

HRGN WINAPI CreateRectRgn(int x1, int y1, int x2, int y2)
{
    CountCall();
    qme::Region region;
    return NewRgn(qme::RectRegion(RECTL{x1, y1, x2, y2}, &region), region);
}

HRGN WINAPI CreateRectRgnIndirect(const RECT *lprect)
{
    if (!lprect) {
        CountCall();
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateRectRgn(lprect->left, lprect->top, lprect->right, lprect->bottom);
}

HRGN WINAPI CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    CountCall();
    qme::Region region;
    return NewRgn(qme::EllipseRegion(RECTL{x1, y1, x2, y2}, &region), region);
}

HRGN WINAPI CreatePolygonRgn(const POINT *pptl, int cPoint, int iMode)
{
    CountCall();
    qme::Region region;
    bool built = cPoint > 0 &&
                 qme::PolygonRegion(reinterpret_cast<const POINTL *>(pptl), static_cast<ULONG>(cPoint), iMode, &region);
    return NewRgn(built, region);
}

HRGN WINAPI CreatePolyPolygonRgn(const POINT *pptl, const INT *pc, int cPoly, int iMode)
{
    CountCall();
    qme::Region region;
    bool built =
        cPoly > 0 &&
        qme::PolyPolygonRegion(reinterpret_cast<const POINTL *>(pptl), pc, static_cast<ULONG>(cPoly), iMode, &region);
    return NewRgn(built, region);
}

/* ERROR (ERROR_INVALID_HANDLE) when a handle the mode reads is not a live region; the
 * destination may be one of the sources. */
int WINAPI CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Rgn *dst = static_cast<Rgn *>(Find(hrgnDst, kRegion));
    Rgn *a = static_cast<Rgn *>(Find(hrgnSrc1, kRegion));
    Rgn *b = iMode == RGN_COPY ? a : static_cast<Rgn *>(Find(hrgnSrc2, kRegion));
    if (!dst || !a || !b) {
        SetLastError(ERROR_INVALID_HANDLE);
        return ERROR;
    }
    qme::Region out;
    if (!qme::CombineRegions(a->region, b->region, iMode, &out)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return ERROR;
    }
    dst->region = out;
    return KindOf(dst->region);
}

/* ERROR (nothing moved) when the region would leave the device coordinate range. */
int WINAPI OffsetRgn(HRGN hrgn, int x, int y)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Rgn *r = static_cast<Rgn *>(Find(hrgn, kRegion));
    if (!r) {
        SetLastError(ERROR_INVALID_HANDLE);
        return ERROR;
    }
    RECTL b = qme::RegionBounds(r->region);
    const LONGLONG edges[4] = {
        LONGLONG(b.left) + x, LONGLONG(b.right) + x, LONGLONG(b.top) + y, LONGLONG(b.bottom) + y};
    for (LONGLONG e : edges) {
        if (!r->region.rects.empty() && (e < -qme::kRegionCoordLimit || e > qme::kRegionCoordLimit)) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return ERROR;
        }
    }
    qme::OffsetRegion(&r->region, x, y);
    return KindOf(r->region);
}

int WINAPI GetRgnBox(HRGN hrgn, LPRECT lprc)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    const Rgn *r = static_cast<const Rgn *>(Find(hrgn, kRegion));
    if (!r || !lprc) {
        SetLastError(r ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
        return ERROR;
    }
    RECTL b = qme::RegionBounds(r->region);
    *lprc = RECT{b.left, b.top, b.right, b.bottom};
    return KindOf(r->region);
}

} // extern "C"
