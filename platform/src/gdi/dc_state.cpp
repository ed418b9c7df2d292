/*
 * The drawing state of DCs: pens, brushes, stock objects, selection, colours and modes,
 * the current position and the clip region. Display, memory and printer DCs share it.
 */
#include "platform/src/gdi/gdi_private.h"

#include <algorithm>

namespace qmg {

namespace {

/* Stock pens and brushes, by GetStockObject index. */
struct StockRow {
    int index;
    ObjectKind kind;
    UINT style; /* brush style or pen style */
    COLORREF color;
};
const StockRow kStockRows[] = {
    {WHITE_BRUSH, kBrush, BS_SOLID, RGB(255, 255, 255)},
    {LTGRAY_BRUSH, kBrush, BS_SOLID, RGB(192, 192, 192)},
    {GRAY_BRUSH, kBrush, BS_SOLID, RGB(128, 128, 128)},
    {DKGRAY_BRUSH, kBrush, BS_SOLID, RGB(64, 64, 64)},
    {BLACK_BRUSH, kBrush, BS_SOLID, RGB(0, 0, 0)},
    {NULL_BRUSH, kBrush, BS_NULL, 0},
    {WHITE_PEN, kPen, PS_SOLID, RGB(255, 255, 255)},
    {BLACK_PEN, kPen, PS_SOLID, RGB(0, 0, 0)},
    {NULL_PEN, kPen, PS_NULL, 0},
};
const size_t kStockCount = sizeof kStockRows / sizeof kStockRows[0];

/* The stock objects, made once. */
Object **StockObjects()
{
    static Object **objects = [] {
        static Object *made[kStockCount];
        for (size_t i = 0; i < kStockCount; ++i) {
            const StockRow &row = kStockRows[i];
            if (row.kind == kBrush) {
                Brush *b = new Brush();
                b->kind = kBrush;
                b->stock = true;
                b->style = row.style;
                b->color = row.color;
                made[i] = b;
            } else {
                Pen *p = new Pen();
                p->kind = kPen;
                p->stock = true;
                p->style = row.style;
                p->color = row.color;
                made[i] = p;
            }
        }
        return made;
    }();
    return objects;
}

void Hold(Object *object, int delta)
{
    if (!object || object->stock) {
        return;
    }
    if (object->kind == kPen) {
        static_cast<Pen *>(object)->selections += delta;
    } else if (object->kind == kBrush) {
        static_cast<Brush *>(object)->selections += delta;
    }
}

/* A region in logical units made device pixels; false beyond the device range. */
bool DeviceRect(const Mapping &m, int left, int top, int right, int bottom, RECTL *out)
{
    POINTL a, b;
    if (!ToDevice(m, POINT{left, top}, &a) || !ToDevice(m, POINT{right, bottom}, &b)) {
        return false;
    }
    *out = RECTL{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    return true;
}

int KindOfClip(const DcState &s)
{
    if (!s.clipped) {
        return SIMPLEREGION;
    }
    return s.clip.rects.empty() ? NULLREGION : s.clip.rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

/* Combines the clip with a logical rectangle: RGN_AND or RGN_DIFF. Without a clip the
 * whole device plane is the clip. */
int CombineClipRect(HDC hdc, int left, int top, int right, int bottom, int op)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    DcState *s = StateOf(hdc);
    RECTL r;
    if (!s) {
        return ERROR;
    }
    qme::Region rect, out;
    if (!DeviceRect(s->mapping, left, top, right, bottom, &r) || !qme::RectRegion(r, &rect)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return ERROR;
    }
    if (!qme::CombineRegions(ClipOrPlane(*s), rect, op, &out)) {
        return ERROR;
    }
    s->clip = out;
    s->clipped = true;
    return KindOfClip(*s);
}

/* Sets one int attribute, answering the previous value; 0 for a bad handle or value. */
int SetAttribute(HDC hdc, int DcState::*field, int value, int low, int high)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    DcState *s = StateOf(hdc);
    if (!s || value < low || value > high) {
        if (s) {
            SetLastError(ERROR_INVALID_PARAMETER);
        }
        return 0;
    }
    int previous = s->*field;
    s->*field = value;
    return previous;
}

COLORREF SetColor(HDC hdc, COLORREF DcState::*field, COLORREF color)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    DcState *s = StateOf(hdc);
    if (!s) {
        return CLR_INVALID;
    }
    COLORREF previous = s->*field;
    s->*field = color & 0x00FFFFFF;
    return previous;
}

} // namespace

Object *StockOf(int index)
{
    for (size_t i = 0; i < kStockCount; ++i) {
        if (kStockRows[i].index == index) {
            return StockObjects()[i];
        }
    }
    return nullptr;
}

Object *FindStock(const void *handle)
{
    for (size_t i = 0; i < kStockCount; ++i) {
        if (StockObjects()[i] == handle) {
            return StockObjects()[i];
        }
    }
    return nullptr;
}

void ResetDcState(DcState *state, LONG dpiX, LONG dpiY)
{
    ResetMapping(&state->mapping, dpiX, dpiY);
    state->pen = static_cast<Pen *>(StockOf(BLACK_PEN));
    state->brush = static_cast<Brush *>(StockOf(WHITE_BRUSH));
    state->font = nullptr;
    state->rop2 = R2_COPYPEN;
    state->bkMode = OPAQUE;
    state->bkColor = RGB(255, 255, 255);
    state->textColor = RGB(0, 0, 0);
    state->polyFillMode = ALTERNATE;
    state->textAlign = TA_LEFT | TA_TOP;
    state->position = POINT{0, 0};
    state->clipped = false;
    state->clip.rects.clear();
    state->pathMode = kNoPath;
    state->path.clear();
}

qme::Region ClipOrPlane(const DcState &state)
{
    if (state.clipped) {
        return state.clip;
    }
    const LONG all = qme::kRegionCoordLimit;
    qme::Region plane;
    qme::RectRegion(RECTL{-all, -all, all, all}, &plane);
    return plane;
}

void ReleaseDcState(DcState *state)
{
    for (DcState &saved : state->saved) {
        ReleaseDcState(&saved);
    }
    state->saved.clear();
    Hold(state->pen, -1);
    Hold(state->brush, -1);
    state->pen = nullptr;
    state->brush = nullptr;
}

DcState *StateOf(HDC hdc)
{
    if (Dc *dc = static_cast<Dc *>(Find(hdc, kDc))) {
        return &dc->state;
    }
    PrinterDc *printer = static_cast<PrinterDc *>(Find(hdc, kPrinterDc));
    if (!printer || !printer->driver) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return &printer->state;
}

} // namespace qmg

using namespace qmg;

extern "C" {

/* A pen of a style (PS_SOLID to PS_INSIDEFRAME, with PS_GEOMETRIC, join and cap bits); a
 * negative width is refused. */
HPEN WINAPI CreatePen(int iStyle, int cWidth, COLORREF color)
{
    CountCall();
    DWORD style = (DWORD)iStyle & PS_STYLE_MASK;
    if (style > PS_INSIDEFRAME || cWidth < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Pen *p = new Pen();
    p->kind = kPen;
    p->stock = false;
    p->style = (DWORD)iStyle;
    p->width = cWidth;
    p->color = color & 0x00FFFFFF;
    p->selections = 0;
    if (!Register(p)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return reinterpret_cast<HPEN>(p);
}

static HBRUSH NewBrush(UINT style, COLORREF color, ULONG hatch)
{
    Brush *b = new Brush();
    b->kind = kBrush;
    b->stock = false;
    b->style = style;
    b->color = color & 0x00FFFFFF;
    b->hatch = hatch;
    b->selections = 0;
    if (!Register(b)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return reinterpret_cast<HBRUSH>(b);
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color)
{
    CountCall();
    return NewBrush(BS_SOLID, color, 0);
}

/* A hatched brush of HS_HORIZONTAL to HS_DIAGCROSS; its background is the DC's. */
HBRUSH WINAPI CreateHatchBrush(int iHatch, COLORREF color)
{
    CountCall();
    if (iHatch < HS_HORIZONTAL || iHatch > HS_DIAGCROSS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return NewBrush(BS_HATCHED, color, (ULONG)iHatch);
}

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    DcState *s = StateOf(hdc);
    if (!s) {
        return nullptr;
    }
    if (Pen *pen = static_cast<Pen *>(Find(h, kPen))) {
        Pen *previous = s->pen;
        Hold(pen, 1);
        Hold(previous, -1);
        s->pen = pen;
        return previous;
    }
    if (Brush *brush = static_cast<Brush *>(Find(h, kBrush))) {
        Brush *previous = s->brush;
        Hold(brush, 1);
        Hold(previous, -1);
        s->brush = brush;
        return previous;
    }
    if (Find(h, kFont)) {
        HFONT previous = s->font;
        s->font = reinterpret_cast<HFONT>(h);
        return previous;
    }
    if (Bitmap *bitmap = static_cast<Bitmap *>(Find(h, kBitmap))) {
        Dc *dc = static_cast<Dc *>(Find(hdc, kDc));
        HBITMAP previous = dc && dc->bitmap ? SelectBitmap(dc, bitmap) : nullptr;
        if (!previous) {
            SetLastError(ERROR_INVALID_PARAMETER);
        }
        return previous;
    }
    if (const Rgn *r = static_cast<const Rgn *>(Find(h, kRegion))) {
        s->clip = r->region;
        s->clipped = true;
        return reinterpret_cast<HGDIOBJ>((LONG_PTR)KindOfClip(*s));
    }
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
}

int WINAPI SetROP2(HDC hdc, int rop2)
{
    return SetAttribute(hdc, &DcState::rop2, rop2, R2_BLACK, R2_WHITE);
}

int WINAPI GetROP2(HDC hdc)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    DcState *s = StateOf(hdc);
    return s ? s->rop2 : 0;
}

int WINAPI SetBkMode(HDC hdc, int mode)
{
    return SetAttribute(hdc, &DcState::bkMode, mode, TRANSPARENT, OPAQUE);
}

int WINAPI SetPolyFillMode(HDC hdc, int mode)
{
    return SetAttribute(hdc, &DcState::polyFillMode, mode, ALTERNATE, WINDING);
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color)
{
    return SetColor(hdc, &DcState::bkColor, color);
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color)
{
    return SetColor(hdc, &DcState::textColor, color);
}

/* The previous alignment, GDI_ERROR for a bad handle. */
UINT WINAPI SetTextAlign(HDC hdc, UINT align)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    DcState *s = StateOf(hdc);
    if (!s) {
        return (UINT)GDI_ERROR;
    }
    UINT previous = s->textAlign;
    s->textAlign = align & (TA_UPDATECP | TA_CENTER | TA_BASELINE);
    return previous;
}

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    DcState *s = StateOf(hdc);
    if (!s) {
        return FALSE;
    }
    if (lppt) {
        *lppt = s->position;
    }
    s->position = POINT{x, y};
    if (s->pathMode == kPathOpen && !s->path.empty()) {
        s->path.back().flags |= PD_ENDSUBPATH; /* the next figure starts here */
    }
    return TRUE;
}

BOOL WINAPI GetCurrentPositionEx(HDC hdc, LPPOINT lppt)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    DcState *s = StateOf(hdc);
    if (!s || !lppt) {
        return FALSE;
    }
    *lppt = s->position;
    return TRUE;
}

/* Keeps the DC's state (selected objects, colours, modes, mapping, position, clip, path);
 * the new depth of saved states, 0 on failure. */
int WINAPI SaveDC(HDC hdc)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    DcState *s = StateOf(hdc);
    if (!s) {
        return 0;
    }
    DcState copy = *s;
    copy.saved.clear();
    Hold(copy.pen, 1);
    Hold(copy.brush, 1);
    s->saved.push_back(copy);
    return (int)s->saved.size();
}

/* Returns to a saved state: nSavedDC above 0 the state SaveDC answered with, below 0 counted
 * back from the last; the states saved after it are dropped. */
BOOL WINAPI RestoreDC(HDC hdc, int nSavedDC)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    DcState *s = StateOf(hdc);
    if (!s) {
        return FALSE;
    }
    int depth = (int)s->saved.size();
    int level = nSavedDC > 0 ? nSavedDC : depth + 1 + nSavedDC;
    if (nSavedDC == 0 || level < 1 || level > depth) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::vector<DcState> saved;
    saved.swap(s->saved);
    DcState restored = saved[(size_t)level - 1];
    for (size_t i = (size_t)level; i < saved.size(); ++i) {
        ReleaseDcState(&saved[i]);
    }
    saved.resize((size_t)level - 1);
    ReleaseDcState(s);
    *s = restored;
    s->saved.swap(saved);
    return TRUE;
}

int WINAPI SelectClipRgn(HDC hdc, HRGN hrgn)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    DcState *s = StateOf(hdc);
    if (!s) {
        return ERROR;
    }
    if (!hrgn) {
        s->clipped = false;
        s->clip.rects.clear();
        return SIMPLEREGION;
    }
    const Rgn *r = static_cast<const Rgn *>(Find(hrgn, kRegion));
    if (!r) {
        SetLastError(ERROR_INVALID_HANDLE);
        return ERROR;
    }
    s->clip = r->region;
    s->clipped = true;
    return KindOfClip(*s);
}

int WINAPI IntersectClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    return CombineClipRect(hdc, left, top, right, bottom, RGN_AND);
}

int WINAPI ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    return CombineClipRect(hdc, left, top, right, bottom, RGN_DIFF);
}

} // extern "C"
