/*
 * GDI objects of the host build: the table of live objects, "DISPLAY" device contexts,
 * logical palettes and their selection, stock objects, and deletion.
 */
#include "platform/src/gdi/gdi_private.h"

#include "platform/src/kernel/kernel_private.h"
#include "platform/testing/qm_testing_icons.h"

#include <map>

namespace qmg {

static std::map<const void *, Object *> g_objects;
static DWORD g_calls;
static DWORD g_live[kObjectKinds]; /* by ObjectKind */

/* The twenty static colours of the default palette. */
static const PALETTEENTRY kStockColors[20] = {
    {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},   {0, 0, 128, 0},
    {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0}, {192, 220, 192, 0}, {166, 202, 240, 0},
    {255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},
    {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
};

std::recursive_mutex &Lock()
{
    static std::recursive_mutex lock;
    return lock;
}

void CountCall()
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    ++g_calls;
}

/* Frees an object by its own kind (records have no virtual destructor). */
static void Destroy(Object *object)
{
    switch (object->kind) {
    case kDc: delete static_cast<Dc *>(object); break;
    case kPalette: delete static_cast<Palette *>(object); break;
    case kBitmap: delete static_cast<Bitmap *>(object); break;
    case kPrinterDc: delete static_cast<PrinterDc *>(object); break;
    case kFont: delete static_cast<Font *>(object); break;
    case kRegion: delete static_cast<Rgn *>(object); break;
    case kPen: delete static_cast<Pen *>(object); break;
    case kBrush: delete static_cast<Brush *>(object); break;
    case kObjectKinds: break;
    }
}

bool Admit(Object *object)
{
    if (!qmk::AllocationAllowed()) {
        return false;
    }
    std::lock_guard<std::recursive_mutex> guard(Lock());
    g_objects[object] = object;
    ++g_live[object->kind];
    return true;
}

bool Register(Object *object)
{
    if (!Admit(object)) {
        Destroy(object);
        return false;
    }
    return true;
}

void Forget(Object *object)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    g_objects.erase(object);
    --g_live[object->kind];
}

void Unregister(Object *object)
{
    Forget(object);
    Destroy(object);
}

Object *Find(const void *handle, ObjectKind kind)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    if (handle == StockPalette() && kind == kPalette) {
        return StockPalette();
    }
    if (handle == StockBitmap() && kind == kBitmap) {
        return StockBitmap();
    }
    if (Object *stock = FindStock(handle)) {
        return stock->kind == kind ? stock : nullptr;
    }
    auto it = g_objects.find(handle);
    return it != g_objects.end() && it->second->kind == kind ? it->second : nullptr;
}

HDC NewDc(Bitmap *bitmap)
{
    Dc *dc = new Dc();
    dc->kind = kDc;
    dc->stock = false;
    dc->palette = StockPalette();
    ResetDcState(&dc->state, Dpi(), Dpi());
    dc->bitmap = bitmap;
    if (!Register(dc)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return reinterpret_cast<HDC>(dc);
}

Palette *StockPalette()
{
    static Palette *stock = [] {
        Palette *p = new Palette();
        p->kind = kPalette;
        p->stock = true;
        p->entries.assign(kStockColors, kStockColors + 20);
        p->selections = 0;
        return p;
    }();
    return stock;
}

} // namespace qmg

using namespace qmg;

extern "C" {

/* A printer DC for "WINSPOOL" (any case) or NULL with a printer name; a DC for the driver
 * "DISPLAY" (any case); every other driver gives NULL. */
HDC WINAPI CreateDCW(LPCWSTR pwszDriver, LPCWSTR pwszDevice, LPCWSTR, const DEVMODEW *pdm)
{
    CountCall();
    bool spooler = !pwszDriver || lstrcmpiW(pwszDriver, TEXT("WINSPOOL")) == 0;
    if (spooler && pwszDevice && pwszDevice[0] != 0) {
        return CreatePrinterDC(pwszDevice, pdm);
    }
    if (!pwszDriver || lstrcmpiW(pwszDriver, TEXT("DISPLAY")) != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return NewDc(nullptr);
}

/* Deletes a DC (a display or printer DC); the palette selected into it is released. */
BOOL WINAPI DeleteDC(HDC hdc)
{
    CountCall();
    PrinterDc *owned = nullptr;
    {
        std::lock_guard<std::recursive_mutex> guard(Lock());
        if (PrinterDc *printer = static_cast<PrinterDc *>(Find(hdc, kPrinterDc))) {
            if (!printer->driver) {
                Unregister(printer);
                return TRUE;
            }
            Forget(printer);
            owned = printer;
        }
    }
    if (owned) {
        DestroyPrinterDC(owned); /* the driver runs outside the lock */
        return TRUE;
    }
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Dc *dc = static_cast<Dc *>(Find(hdc, kDc));
    if (!dc) {
        return FALSE;
    }
    if (dc->palette && !dc->palette->stock) {
        --dc->palette->selections;
    }
    ReleaseDcState(&dc->state);
    if (dc->bitmap) {
        SelectBitmap(dc, StockBitmap());
    }
    Unregister(dc);
    return TRUE;
}

/* A printer DC of CreateDCW answers from its driver's GDIINFO; display and memory DCs
 * BITSPIXEL 32, PLANES 1 and LOGPIXELSX/Y of the display; 0 for anything else. */
int WINAPI GetDeviceCaps(HDC hdc, int index)
{
    CountCall();
    {
        std::lock_guard<std::recursive_mutex> guard(Lock());
        if (const PrinterDc *printer = static_cast<const PrinterDc *>(Find(hdc, kPrinterDc))) {
            return printer->driver ? PrinterDeviceCaps(printer, index) : 0;
        }
    }
    if (!Find(hdc, kDc) && !IsDisplayDC(hdc)) {
        return 0;
    }
    if (index == LOGPIXELSX || index == LOGPIXELSY) {
        return Dpi();
    }
    return index == BITSPIXEL ? 32 : (index == PLANES ? 1 : 0);
}

/* DEFAULT_PALETTE and the stock pens and brushes. */
HGDIOBJ WINAPI GetStockObject(int i)
{
    CountCall();
    return i == DEFAULT_PALETTE ? static_cast<HGDIOBJ>(StockPalette()) : static_cast<HGDIOBJ>(StockOf(i));
}

/* A logical palette: version 0x300 and 1 to 1024 entries, else NULL. */
HPALETTE WINAPI CreatePalette(const LOGPALETTE *plpal)
{
    CountCall();
    if (!plpal || plpal->palVersion != 0x300 || plpal->palNumEntries == 0 || plpal->palNumEntries > 1024) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Palette *p = new Palette();
    p->kind = kPalette;
    p->stock = false;
    p->selections = 0;
    p->entries.assign(plpal->palPalEntry, plpal->palPalEntry + plpal->palNumEntries);
    if (!Register(p)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return reinterpret_cast<HPALETTE>(p);
}

/* Selects a palette into a DC; the previous one, or NULL for an unknown DC or palette. */
HPALETTE WINAPI SelectPalette(HDC hdc, HPALETTE hPal, BOOL)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Dc *dc = static_cast<Dc *>(Find(hdc, kDc));
    Palette *p = static_cast<Palette *>(Find(hPal, kPalette));
    if (!dc || !p) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    Palette *previous = dc->palette;
    if (!previous->stock) {
        --previous->selections;
    }
    if (!p->stock) {
        ++p->selections;
    }
    dc->palette = p;
    return reinterpret_cast<HPALETTE>(previous);
}

/* The number of entries of the DC's palette; GDI_ERROR for an unknown DC. */
UINT WINAPI RealizePalette(HDC hdc)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    Dc *dc = static_cast<Dc *>(Find(hdc, kDc));
    return dc ? (UINT)dc->palette->entries.size() : (UINT)GDI_ERROR;
}

/* Deletes a palette, bitmap, font, region, pen or brush. A palette, pen or brush still
 * selected into a DC is refused; a stock object is left alone (TRUE); DCs go through
 * DeleteDC. */
BOOL WINAPI DeleteObject(HGDIOBJ ho)
{
    CountCall();
    std::lock_guard<std::recursive_mutex> guard(Lock());
    if (ho && (ho == static_cast<HGDIOBJ>(StockPalette()) || FindStock(ho))) {
        return TRUE;
    }
    if (Pen *pen = static_cast<Pen *>(Find(ho, kPen))) {
        if (pen->selections) {
            return FALSE;
        }
        Unregister(pen);
        return TRUE;
    }
    if (Brush *brush = static_cast<Brush *>(Find(ho, kBrush))) {
        if (brush->selections) {
            return FALSE;
        }
        Unregister(brush);
        return TRUE;
    }
    if (Palette *p = static_cast<Palette *>(Find(ho, kPalette))) {
        if (p->selections) {
            return FALSE;
        }
        Unregister(p);
        return TRUE;
    }
    if (Bitmap *b = static_cast<Bitmap *>(Find(ho, kBitmap))) {
        if (b->stock) {
            return TRUE;
        }
        if (b->selectedInto) {
            return FALSE;
        }
        Unregister(b);
        return TRUE;
    }
    if (Object *f = Find(ho, kFont)) {
        Unregister(f);
        return TRUE;
    }
    if (Object *r = Find(ho, kRegion)) {
        Unregister(r);
        return TRUE;
    }
    return FALSE;
}

} // extern "C"

DWORD qmt_LiveGdiObjects(DWORD kind)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    return kind >= kDc && kind < kObjectKinds ? g_live[kind] : 0;
}

DWORD qmt_GdiCalls(void)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    return g_calls;
}
