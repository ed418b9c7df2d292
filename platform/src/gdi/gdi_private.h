/*
 * Private records and services of the GDI area, shared with the user area.
 *
 * Display DCs of GetDC carry no drawing state (font enumeration only). DCs of CreateDCW
 * ("DISPLAY"), logical palettes and device-dependent bitmaps are records whose handle is
 * their address; every handle passed in is looked up in the table of live objects first,
 * so a stale or foreign handle is refused. Display bitmaps hold 32 bits per pixel (blue,
 * green, red, unused), rows top first. Printer DCs (CreateDCW of a printer, or
 * qmh_CreatePrinterDC over a driver the caller runs) are records of their own kind.
 */
#ifndef QM_PLATFORM_GDI_PRIVATE_H
#define QM_PLATFORM_GDI_PRIVATE_H

#include <windows.h>
#include <qmhost_engine.h>

#include "platform/src/engine/drawing_objects.h"
#include "platform/src/gdi/mapping.h"

#include <mutex>
#include <string>
#include <vector>

namespace qmg {

/* A new display DC (the screen). NULL when out of memory. */
HDC CreateDisplayDC();

/* Deletes a display DC made by CreateDisplayDC; false for any other handle. */
bool DeleteDisplayDC(HDC hdc);

/* True for a live display DC. */
bool IsDisplayDC(HDC hdc);

enum ObjectKind {
    kDc = 1,
    kPalette = 2,
    kBitmap = 3,
    kPrinterDc = 4,
    kFont = 5,
    kRegion = 6,
    kPen = 7,
    kBrush = 8,
    kObjectKinds = 9
};

struct Object {
    ObjectKind kind;
    bool stock;
};

struct Palette : Object {
    std::vector<PALETTEENTRY> entries;
    DWORD selections; /* DCs holding it selected */
};

/* A pen of CreatePen (or a stock one). */
struct Pen : Object {
    DWORD style; /* PS_* with type, join and cap */
    LONG width;  /* logical units */
    COLORREF color;
    DWORD selections; /* DCs holding it selected */
};

/* A brush of CreateSolidBrush or CreateHatchBrush (or a stock one). */
struct Brush : Object {
    UINT style; /* BS_SOLID, BS_HATCHED or BS_NULL */
    COLORREF color;
    ULONG hatch; /* HS_* of a hatched brush */
    DWORD selections;
};

/* One run of a recorded path (device 28.4 units), as PATHOBJ_bEnum hands it out: PD_* flags
 * and points. */
struct PathRun {
    FLONG flags;
    std::vector<POINTFIX> points;
};

/* Where a DC's path bracket stands. */
enum PathMode { kNoPath = 0, kPathOpen = 1, kPathDone = 2 };

/* The drawing state of a DC: mapping, selected objects, colours and modes, the current
 * position and the clip region. */
struct DcState {
    Mapping mapping; /* logical to device coordinates */
    Pen *pen;
    Brush *brush;
    HFONT font; /* NULL: the device's default */
    int rop2;
    int bkMode;
    COLORREF bkColor;
    COLORREF textColor;
    int polyFillMode;
    UINT textAlign;
    POINT position; /* current position, logical */
    bool clipped;   /* a clip region is selected */
    qme::Region clip;
    PathMode pathMode; /* BeginPath ... EndPath */
    std::vector<PathRun> path;
    std::vector<DcState> saved; /* SaveDC's states, oldest first */
};

/* The state of a new DC over a device of the given resolution: MM_TEXT, the black pen and
 * white brush, R2_COPYPEN, OPAQUE white background, black text, ALTERNATE, no clip. */
void ResetDcState(DcState *state, LONG dpiX, LONG dpiY);

/* The DC's clip, or without one the whole device plane. */
qme::Region ClipOrPlane(const DcState &state);

/* Releases the objects a DC's state holds selected. */
void ReleaseDcState(DcState *state);

/* The state of a display, memory or printer DC, or NULL (ERROR_INVALID_HANDLE). Call under
 * the lock. */
DcState *StateOf(HDC hdc);

struct Bitmap;

struct Dc : Object {
    Palette *palette; /* the selected palette (the stock one at first) */
    DcState state;
    Bitmap *bitmap; /* a memory DC's selected bitmap; NULL for a display DC */
};

/* A render driver loaded by path and enabled once per process; freed after its last DC. */
struct PrinterDriver {
    std::u16string path; /* pDriverPath as the spooler gave it */
    HMODULE module;
    DRVENABLEDATA table;
    DWORD users; /* DCs holding it */
};

/* The driver's side of a printer DC: its PDEV and surface. */
struct PrinterDevice {
    HDEV hdev;
    DHPDEV pdev;
    HSURF hsurf;
    SURFOBJ *surface; /* the surface locked for the DC's calls */
    GDIINFO gdiInfo;
    DEVINFO devInfo;
};

struct PrinterDc : Object {
    QMH_ESCAPE_ENTRY escape; /* the render driver's DrvEscape */
    SURFOBJ *surface;        /* the device's current surface; NULL before it has one */
    /* Made by CreateDCW (NULL and zero for qmh_CreatePrinterDC's DCs): */
    PrinterDriver *driver;
    HANDLE printer; /* the spooler's handle, the PDEV's hDriver */
    std::u16string name;
    PrinterDevice device;
    DWORD job;               /* the spool job of the open document; 0 outside one */
    std::u16string document; /* its name */
    bool inPage;             /* between StartPage and EndPage */
    DcState state;
};

/* The entry of a driver's table, or NULL. */
PFN DriverEntry(const PrinterDriver *driver, ULONG index);

/* The driver of a path, loaded and enabled on first use (one more user); NULL when the module
 * does not load or DrvEnableDriver refuses. */
PrinterDriver *AcquireDriver(LPCWSTR path);

/* One user less; after the last DrvDisableDriver and the module freed. */
void ReleaseDriver(PrinterDriver *driver);

/* A printer DC of CreateDCW: the printer opened, its render driver's PDEV and surface. NULL
 * with the last error set when any step fails; nothing made stays. */
HDC CreatePrinterDC(LPCWSTR device, const DEVMODEW *devmode);

/* Tears down a printer DC of CreateDCW (an open document aborted first) and frees it.
 * Called without the GDI lock. */
void DestroyPrinterDC(PrinterDc *dc);

/* ResetDCW of a printer DC of CreateDCW: a new PDEV and surface for the DEVMODE (NULL: the
 * printer's), DrvResetPDEV from the old one, the old one disabled, and inside a document
 * DrvStartDoc on the new surface. Fails inside a page; the old PDEV stays when the new one
 * cannot be made or DrvResetPDEV refuses. */
bool ResetPrinterDC(HDC hdc, const DEVMODEW *devmode);

/* GetDeviceCaps of a printer DC of CreateDCW. */
int PrinterDeviceCaps(const PrinterDc *dc, int index);

/* A bitmap of 32 bits a pixel (blue, green, red, unused), rows top first unless a bottom-up
 * DIB section's; a monochrome one holds black and white only. */
struct Bitmap : Object {
    LONG width;
    LONG height;
    std::vector<DWORD> pixels;
    bool mono;
    bool bottomUp;
    Dc *selectedInto; /* the memory DC holding it, or NULL */
};

/* Bitmaps, and the images a blit reads into one, larger than this many pixels are
 * refused. */
const unsigned long long kMaxBitmapPixels = 1ULL << 26;

/* The pixel (x, y) of a bitmap, inside it. */
DWORD &PixelOf(Bitmap *bitmap, LONG x, LONG y);

/* A new display DC (bitmap NULL) or memory DC over a bitmap; NULL when refused. */
HDC NewDc(Bitmap *bitmap);

/* The stock 1 x 1 monochrome bitmap of new memory DCs. */
Bitmap *StockBitmap();

/* Selects a bitmap into a memory DC: the previous one, or NULL when the bitmap is held by
 * another DC or the DC is no memory DC. Call under the lock. */
HBITMAP SelectBitmap(Dc *dc, Bitmap *bitmap);

/* A logical font: what CreateFontIndirectW received. */
struct Font : Object {
    LOGFONTW log;
};

/* A region in device pixels, in y-bands. */
struct Rgn : Object {
    qme::Region region;
};

/* The display's dots per inch (qmt_PinDpi; 96 by default). */
int Dpi();

/* The text cell of display and memory DCs, one rule for reproducible tests and pictures:
 * pixel height h (|lfHeight|; 0 means an 8-point font at the display's dpi), internal
 * leading h / 5, cell height h + h / 5, half-width advance (h + 1) / 2, full-width twice
 * that. */
struct TextCell {
    int pixelHeight;
    int height;
    int halfWidth;
};
TextCell CellOfHeight(LONG lfHeight);

/* The font of a handle, or NULL. */
const Font *FindFont(HGDIOBJ handle);

/* The lock over every GDI object; one per process. */
std::recursive_mutex &Lock();

/* Counts one GDI call (for qmt_GdiCalls). */
void CountCall();

/* Registers a new object (counted live); false when refused (allocation fault). */
bool Register(Object *object);

/* Registers a new object; false when refused, the object then left to the caller. */
bool Admit(Object *object);

/* Removes a registered object from the table without freeing it. */
void Forget(Object *object);

/* Removes and frees a registered object. */
void Unregister(Object *object);

/* The live object of a handle and kind, or NULL. */
Object *Find(const void *handle, ObjectKind kind);

/* The stock pen or brush of a GetStockObject index, or NULL. */
Object *StockOf(int index);

/* The stock pen or brush of a handle, or NULL. */
Object *FindStock(const void *handle);

/* The stock default palette (20 entries). */
Palette *StockPalette();

} // namespace qmg

#endif /* QM_PLATFORM_GDI_PRIVATE_H */
