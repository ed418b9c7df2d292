/*
 * Constructors of the engine objects a printer DC hands a render driver while drawing: the
 * 28.4 paths of shapes, pens as LINEATTRS, mixes and ROP4s, solid colours in the device
 * palette's format, y-banded regions and the CLIPOBJs made from them. Used by GDI; the
 * fixed rules the drivers' output rests on live here, each in one place.
 */
#ifndef QM_ENGINE_DRAWING_OBJECTS_H
#define QM_ENGINE_DRAWING_OBJECTS_H

#include <windows.h>
#include <winddi.h>

#include <vector>

namespace qme {

/* ---- Paths (28.4 device units). Each New*Path is freed with EngDeletePath. */

/* An empty engine path. */
PATHOBJ *NewEnginePath();
/* Starts a figure at a point, ending the open one (not closed). */
void PathMoveTo(PATHOBJ *ppo, POINTFIX pt);
/* Lines from the current point; Bezier curves (count a multiple of 3: two controls and
 * the end point each) also flag the path PO_BEZIERS. */
void PathLinesTo(PATHOBJ *ppo, const POINTFIX *pts, ULONG count);
void PathBeziersTo(PATHOBJ *ppo, const POINTFIX *pts, ULONG count);
/* Closes the open figure. */
void PathCloseFigure(PATHOBJ *ppo);

/* The box of Rectangle and Ellipse in device pixels: the corners ordered, right and
 * bottom excluded, so Rectangle(l, t, r, b) covers (l, t) .. (r - 1, b - 1). */
RECTL ShapeBox(POINTL a, POINTL b);
/* Adds Rectangle's closed figure over a box: (l, t), (r, t), (r, b), (l, b) of the box as
 * ShapeBox gives it. */
void PathAddRectangle(PATHOBJ *ppo, const RECTL &box);
/* Adds Ellipse's closed figure over a box: four Bezier curves from the right middle
 * through top, left and bottom, control points 0.5522847 of the radius from each end;
 * flags the path PO_ELLIPSE. */
void PathAddEllipse(PATHOBJ *ppo, const RECTL &box);

/* ---- Pens, mixes, colours */

/* A pen as the driver reads it: LINEATTRS whose pstyle points into this record (copy it
 * only with CopyLineAttrs). */
struct LineAttrs {
    LINEATTRS la;
    FLOAT_LONG style[6];
};

/* The LINEATTRS of a pen of style `penStyle` (PS_*) and width `deviceWidth` (device
 * pixels). Cosmetic when the width is at most one pixel and the pen is not PS_GEOMETRIC:
 * styles in style units (dash {3, 1}, dot {1, 1}, dash-dot {3, 1, 1, 1}, dash-dot-dot
 * {3, 1, 1, 1, 1, 1}), PS_ALTERNATE as LA_ALTERNATE. Otherwise geometric: the width as a
 * float, join and cap from the style (a CreatePen pen: round). False for PS_NULL, which
 * draws nothing, and for styles not provided (PS_USERSTYLE). */
bool MakeLineAttrs(DWORD penStyle, double deviceWidth, LineAttrs *out);
void CopyLineAttrs(const LineAttrs &from, LineAttrs *to);

/* The MIX of a drawing call: the ROP2 (R2_*) in both bytes, or R2_NOP in the high byte
 * when the background is TRANSPARENT under a hatch or one-bit pattern brush. */
MIX MixOf(int rop2, bool transparentBackground);
/* The ROP4 of a blit: the ROP3 (high word of a raster operation) twice, or 0xAA in the
 * high byte when the background is TRANSPARENT under a hatch or one-bit pattern brush. */
ROP4 Rop4Of(DWORD rop, bool transparentBackground);

/* A COLORREF as a solid colour of a device palette (PAL_BGR: blue in the low byte;
 * PAL_RGB: as the COLORREF). Other palettes take the PAL_BGR form. */
ULONG DeviceColor(COLORREF color, ULONG paletteMode);

/* ---- Brushes and transforms */

/* The driver's brush realiser (DrvRealizeBrush). */
typedef BOOL(WINAPI *BrushRealizer)(BRUSHOBJ *, SURFOBJ *, SURFOBJ *, SURFOBJ *, XLATEOBJ *, ULONG);

/* A solid brush of a colour in the device palette's format. Freed with DeleteEngineBrush. */
BRUSHOBJ *NewSolidBrush(ULONG deviceColor);
/* A pattern brush over a caller's pattern (and mask) surface and translation, realised by
 * `realize` for `target` at the driver's first BRUSHOBJ_pvGetRbrush; the surfaces and the
 * translation stay the caller's. */
BRUSHOBJ *NewPatternBrush(SURFOBJ *target, SURFOBJ *pattern, SURFOBJ *mask, XLATEOBJ *xlate, ULONG hatch,
                          BrushRealizer realize);
/* A hatch brush (HS_*): the engine's 8 x 8 one-bit pattern, translated {lineColor,
 * backColor} (device colours); the pattern and translation go with the brush. NULL for an
 * unknown hatch or when the engine refuses the pattern. */
BRUSHOBJ *NewHatchBrush(SURFOBJ *target, ULONG hatch, ULONG lineColor, ULONG backColor, BrushRealizer realize);
/* Frees a brush with the realisations the driver made for it. */
void DeleteEngineBrush(BRUSHOBJ *pbo);

/* A transform object over a matrix. Freed with DeleteEngineXform. */
XFORMOBJ *NewEngineXform(const XFORML &m);
void DeleteEngineXform(XFORMOBJ *pxo);

/* PAL_* of an engine palette (a driver's DEVINFO.hpalDefault); PAL_BGR for an unknown one. */
ULONG PaletteMode(HPALETTE hpal);

/* ---- Regions: rectangles in y-bands (sorted by top, then left; the rectangles of a band
 * share top and bottom and neither overlap nor touch; no two adjacent bands have the same
 * columns). Device pixels, right and bottom excluded. */
struct Region {
    std::vector<RECTL> rects;
};

/* Regions larger than this many rows or columns are refused (device coordinates beyond
 * this range are not drawn). */
const LONG kRegionCoordLimit = 1L << 27;
/* Polygon and ellipse regions are built row by row; taller ones are refused. */
const LONG kRegionRowLimit = 1L << 16;

/* A rectangle region (empty for an empty rectangle). False beyond the limits. */
bool RectRegion(const RECTL &r, Region *out);
/* The pixels whose centre lies inside the polygon, under ALTERNATE or WINDING fill.
 * False for fewer than 3 points, beyond the limits or for another fill mode. */
bool PolygonRegion(const POINTL *pts, ULONG count, int fillMode, Region *out);
/* Several polygons filled together (PolyPolygon): counts[i] points each, 2 or more. */
bool PolyPolygonRegion(const POINTL *pts, const INT *counts, ULONG polygons, int fillMode, Region *out);
/* The pixels whose centre lies inside the ellipse inscribed in the rectangle. */
bool EllipseRegion(const RECTL &r, Region *out);
/* a op b, op one of RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY (a). False for others. */
bool CombineRegions(const Region &a, const Region &b, int op, Region *out);
/* The region moved by (dx, dy). */
void OffsetRegion(Region *region, LONG dx, LONG dy);
/* The union of the region's rectangles; empty (all 0) for an empty region. */
RECTL RegionBounds(const Region &region);

/* ---- Clips */

/* The CLIPOBJ of a drawing call whose device bounds are `callBounds` on a surface of
 * `surface` size: without clip region (clip NULL) DC_TRIVIAL when the call lies inside the
 * surface, else DC_RECT of the surface; with one, the region within the surface: DC_RECT
 * for one rectangle, else DC_COMPLEX (TC_RECTANGLES, the bands in order). Freed with
 * DeleteEngineClip. NULL when the clip leaves nothing to draw. */
CLIPOBJ *NewEngineClip(const Region *clip, SIZEL surface, const RECTL &callBounds);
void DeleteEngineClip(CLIPOBJ *pco);

/* ---- Device-independent bitmaps handed to a driver as sources */

/* What a DIB's header describes. */
struct DibLayout {
    LONG width;
    LONG height; /* rows, positive */
    bool topDown;
    ULONG bitCount;
    ULONG format;     /* BMF_* */
    ULONG stride;     /* bytes a row, rows DWORD-aligned */
    ULONG imageBytes; /* stride x height */
    ULONG colors;     /* colour-table entries (up to 8 bits a pixel) */
    bool bitfields;   /* masks in use (16 and 32 bits a pixel) */
    ULONG masks[3];   /* red, green, blue */
};

/* Reads a DIB header with DIB_RGB_COLORS: a BITMAPINFOHEADER or larger, width above 0,
 * height not 0 (negative: top row first), 1, 4, 8, 16, 24 or 32 bits, BI_RGB, or
 * BI_BITFIELDS at 16 or 32 bits (the masks after the first 40 bytes), colours used up to
 * 2^bits, image below 2^31 bytes. False (nothing read past the header, masks and colour
 * table) for anything else, DIB_PAL_COLORS included. */
bool ReadDibHeader(const BITMAPINFO *bmi, UINT usage, DibLayout *out);

/* A source SURFOBJ over the DIB's own pixels, never copied: bottom-up images with the
 * last row first in memory and a negative lDelta. NULL when the engine refuses it. Freed
 * with DeleteEngineSurface (the pixels stay the caller's). */
SURFOBJ *NewDibSurface(const DibLayout &layout, const void *bits);
void DeleteEngineSurface(SURFOBJ *pso);

/* The translation of the DIB's colours to a device palette (PAL_BGR or PAL_RGB): a table
 * for up to 8 bits a pixel (XO_TABLE), XO_TRIVIAL when the pixels already are in the
 * device's order, else a translation of the DIB's masks. Freed with DeleteEngineXlate. */
XLATEOBJ *NewDibXlate(const BITMAPINFO *bmi, const DibLayout &layout, ULONG deviceMode);
void DeleteEngineXlate(XLATEOBJ *pxlo);

} // namespace qme

#endif /* QM_ENGINE_DRAWING_OBJECTS_H */
