/*
 * Helpers the PDEV lifecycle files share: paper sizes in tenths of a millimetre, the unit
 * conversions, the paper and capability builders and the one release path.
 */
#ifndef QM_RENDER_DRIVER_PDEV_PDEV_PRIVATE_H
#define QM_RENDER_DRIVER_PDEV_PDEV_PRIVATE_H

#include "render/driver/pdev/pdev.h"

/* Units per inch of a PaperDescription. */
#define PDEV_UNITS_PER_INCH 18432

/* A paper in tenths of a millimetre: size and printable area. */
typedef struct PaperTenths {
    LONG width;
    LONG height;
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} PaperTenths;

/* pdev_TenthsToUnits: n tenths of a millimetre as n x 100 x 18432 / 25400 units,
 * truncated, with a 64-bit intermediate. */
LONG pdev_TenthsToUnits(LONG tenths);

/* pdev_UnitsToPixels: units x resolution / 18432 (64-bit intermediate). */
LONG pdev_UnitsToPixels(LONG units, DWORD resolution);

/* pdev_RoundDiv: a x b / c, plus 1 when the tenths digit of the remainder is 5 or more;
 * 0 when c is 0. */
LONG pdev_RoundDiv(LONG a, LONG b, LONG c);

/*
 * pdev_BuildPapers: fills both PaperDescription records of the PDEV (the first turned for
 * landscape) from its DEVMODE and the model's paper records. tenths: out, the first
 * paper in tenths of a millimetre (turned like the record). Returns 1, or 0 when no paper
 * record or form gives the page.
 */
BOOL pdev_BuildPapers(PDEV *pdev, PaperTenths *tenths);

/* pdev_FreePapers: frees the description records the two papers own. */
void pdev_FreePapers(PDEV *pdev);

/* pdev_FillGdiInfo: the 304-byte GDIINFO for the page, at most size bytes copied to caps. */
void pdev_FillGdiInfo(PDEV *pdev, const PaperTenths *tenths, ULONG size, ULONG *caps);

/* pdev_FillDevInfo: the 300-byte DEVINFO, at most size bytes copied to info; creates the
 * PDEV's palette (replacing an earlier one). Returns 1, or 0 when the default device font
 * or the palette cannot be made. */
BOOL pdev_FillDevInfo(PDEV *pdev, ULONG size, DEVINFO *info);

/*
 * pdev_Release: gives back, in reverse order of taking, everything a PDEV holds: palette,
 * font tables, font substitution table, printer-data block, paper records, printer
 * context (under the context lock), its heap (the PDEV itself with it), the resource
 * module use and the binding (under the binding lock). Each part is released only when
 * taken: bound and resourceTaken say whether those two uses were.
 */
void pdev_Release(PDEV *pdev, BOOL resourceTaken, BOOL bound);

#endif /* QM_RENDER_DRIVER_PDEV_PDEV_PRIVATE_H */
