/*
 * What the drawing calls of printer DCs share: the DC's state copied for one call, the
 * engine objects of a path call, and the hand-over of a path to the render driver.
 */
#ifndef QM_PLATFORM_SRC_GDI_PRINTER_CALLS_H
#define QM_PLATFORM_SRC_GDI_PRINTER_CALLS_H

#include "platform/src/gdi/gdi_private.h"

#include <vector>

namespace qmg {

/* What a drawing call needs of its DC, copied under the lock. */
struct PrinterCall {
    HDC hdc;
    PrinterDriver *driver; /* NULL for a memory DC */
    SURFOBJ *surface;
    FLONG hooks;
    FLONG caps;
    ULONG paletteMode;
    DcState state;
    Pen pen;
    Brush brush;
};

/* The state of a printer DC of CreateDCW with a surface, or with `memoryToo` of a memory DC
 * (the call counted); false (ERROR_INVALID_HANDLE) otherwise. */
bool BeginPrinterCall(HDC hdc, PrinterCall *call, bool memoryToo = false);

/* Sets the last error; FALSE. */
BOOL Fail(DWORD error);

/* The driver's brush of the DC's brush: solid in the device palette's format, or the
 * engine's hatch over {brush colour, background colour}; NULL for a hollow brush. */
BRUSHOBJ *DeviceBrush(const PrinterCall &c);

/* True when the brush leaves its background alone (TRANSPARENT under a hatch). */
bool TransparentBrush(const PrinterCall &c);

/* The entry of a driver call the surface hooked, or NULL. */
PFN HookedEntry(const PrinterCall &c, FLONG hook, ULONG index);

/* Engine objects of one drawing call, freed together. */
struct CallObjects {
    PATHOBJ *path = nullptr;
    SURFOBJ *source = nullptr;
    XLATEOBJ *xlate = nullptr;
    CLIPOBJ *clip = nullptr;
    XFORMOBJ *xform = nullptr;
    BRUSHOBJ *stroke = nullptr;
    BRUSHOBJ *fill = nullptr;
    CallObjects() = default;
    CallObjects(const CallObjects &) = delete;
    CallObjects &operator=(const CallObjects &) = delete;
    ~CallObjects();
};

enum Paint { kStroke = 1, kFill = 2 };

/* Hands a built path (o->path) to the driver: stroked with the pen, filled with the brush
 * under `fillMode`, or both, as `paint` asks and the pen and brush allow. TRUE when
 * nothing is to be drawn; FALSE with the last error when the driver does not take it or
 * answers FALSE. */
BOOL DrawPath(const PrinterCall &c, CallObjects *o, int paint, int fillMode);

/* The runs of an engine path. */
std::vector<PathRun> RunsOf(PATHOBJ *path);

/* The figures of a path as polygons in whole pixels, curves flattened: counts[i] points
 * each, closed[i] when the figure is closed. */
void FlattenPath(const std::vector<PathRun> &runs, std::vector<POINTL> *points, std::vector<INT> *counts,
                 std::vector<bool> *closed);

/* Draws a path into a memory DC's bitmap by the raster (memory_shapes.cpp). */
BOOL MemoryDrawPath(const PrinterCall &c, PATHOBJ *path, int paint, int fillMode);

/* A new engine path of recorded runs. */
PATHOBJ *PathOfRuns(const std::vector<PathRun> &runs);

/* Appends the runs of an engine path to the DC's open path; `continues` joins the first
 * run to the open figure when there is one. */
void RecordPath(HDC hdc, PATHOBJ *path, bool continues);

} // namespace qmg

#endif /* QM_PLATFORM_SRC_GDI_PRINTER_CALLS_H */
