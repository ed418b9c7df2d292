/*
 * Logical to device coordinates of a DC (GM_COMPATIBLE): the mapping mode, the window and
 * viewport origins and extents. device = (logical - window origin) * viewport extent /
 * window extent + viewport origin, computed in double and rounded to the nearest pixel or
 * sixteenth of a pixel.
 */
#ifndef QM_PLATFORM_GDI_MAPPING_H
#define QM_PLATFORM_GDI_MAPPING_H

#include <windows.h>
#include <winddi.h>

namespace qmg {

struct Mapping {
    int mode;        /* MM_* */
    LONG dpiX, dpiY; /* the device's pixels per inch, for the metric and English modes */
    POINT windowOrg;
    SIZE windowExt;
    POINT viewportOrg;
    SIZE viewportExt;
};

/* Device coordinates beyond this magnitude are refused. */
const LONG kDeviceCoordLimit = 1L << 27;

/* MM_TEXT with both origins at 0, for a device of the given resolution. */
void ResetMapping(Mapping *m, LONG dpiX, LONG dpiY);

/* Sets the mode: the fixed modes take their extents (MM_LOMETRIC 0.1 mm, MM_HIMETRIC
 * 0.01 mm, MM_LOENGLISH 0.01 in, MM_HIENGLISH 0.001 in, MM_TWIPS 1/1440 in a unit, y up;
 * MM_TEXT a pixel, y down); MM_ISOTROPIC and MM_ANISOTROPIC keep the extents in force,
 * MM_ISOTROPIC made equal in both directions. The previous mode, or 0 for an unknown
 * mode (nothing changed). */
int SetMappingMode(Mapping *m, int mode);

/* The extents; taken only in MM_ISOTROPIC and MM_ANISOTROPIC (TRUE and ignored in the
 * others). False for a zero extent. In MM_ISOTROPIC the viewport extent is then narrowed
 * in the direction whose unit is larger, so a logical unit is as long both ways. */
bool SetWindowExtent(Mapping *m, SIZE ext);
bool SetViewportExtent(Mapping *m, SIZE ext);

/* A logical point in device pixels, rounded; in 28.4, rounded to a sixteenth. False when
 * the result lies beyond kDeviceCoordLimit pixels. */
bool ToDevice(const Mapping &m, POINT logical, POINTL *device);
bool ToDeviceFix(const Mapping &m, POINT logical, POINTFIX *device);
/* A device point in logical units, rounded. False beyond the LONG range. */
bool ToLogical(const Mapping &m, POINT device, POINT *logical);
/* A logical length along x in device pixels, as a magnitude (for pen widths). */
double DeviceLengthX(const Mapping &m, double logical);

} // namespace qmg

#endif /* QM_PLATFORM_GDI_MAPPING_H */
