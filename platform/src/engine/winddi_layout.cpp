/*
 * Layout checks of the graphics-engine records: compiled in both builds (into the platform
 * library on the host, into the engine link check on Windows), so that the host header and
 * the Windows one agree on every size and offset the driver relies on. No code.
 */
#include <windows.h>
#include <winddi.h>

#include <stddef.h>

#include "platform/include/qm_layout.h"

static_assert(sizeof(GDIINFO) == QM_LAYOUT(304, 320), "GDIINFO");
static_assert(offsetof(GDIINFO, ptlPhysOffset) == 88, "GDIINFO.ptlPhysOffset");
static_assert(offsetof(GDIINFO, ciDevice) == 108, "GDIINFO.ciDevice");
static_assert(offsetof(GDIINFO, ulHTPatternSize) == 236, "GDIINFO.ulHTPatternSize");
static_assert(sizeof(COLORINFO) == 120, "COLORINFO");
static_assert(sizeof(DEVINFO) == QM_LAYOUT(300, 312), "DEVINFO");
static_assert(offsetof(DEVINFO, cFonts) == 280, "DEVINFO.cFonts");
static_assert(offsetof(DEVINFO, hpalDefault) == QM_LAYOUT(292, 296), "DEVINFO.hpalDefault");
static_assert(sizeof(DRVENABLEDATA) == QM_LAYOUT(12, 16), "DRVENABLEDATA");
static_assert(sizeof(DRVFN) == QM_LAYOUT(8, 16), "DRVFN");
static_assert(sizeof(FD_DEVICEMETRICS) == 124, "FD_DEVICEMETRICS");
static_assert(offsetof(FD_DEVICEMETRICS, lNonLinearExtLeading) == 92, "FD_DEVICEMETRICS.lNonLinearExtLeading");
static_assert(sizeof(IFIMETRICS) == QM_LAYOUT(184, 192), "IFIMETRICS");
static_assert(offsetof(IFIMETRICS, fwdUnitsPerEm) == 56, "IFIMETRICS.fwdUnitsPerEm");
static_assert(offsetof(IFIMETRICS, rclFontBox) == 144, "IFIMETRICS.rclFontBox");
static_assert(offsetof(IFIMETRICS, panose) == 172, "IFIMETRICS.panose");
static_assert(sizeof(FD_KERNINGPAIR) == 6, "FD_KERNINGPAIR");
static_assert(sizeof(FD_GLYPHSET) == QM_LAYOUT(24, 32), "FD_GLYPHSET");
static_assert(sizeof(WCRUN) == QM_LAYOUT(8, 16), "WCRUN");
static_assert(sizeof(FD_XFORM) == 16, "FD_XFORM");
static_assert(sizeof(XFORML) == 24, "XFORML");
static_assert(sizeof(POINTFIX) == 8 && sizeof(RECTFX) == 16 && sizeof(POINTE) == 8, "points");
static_assert(sizeof(SURFOBJ) == QM_LAYOUT(52, 80), "SURFOBJ");
static_assert(offsetof(SURFOBJ, pvScan0) == QM_LAYOUT(32, 56) && offsetof(SURFOBJ, iBitmapFormat) == QM_LAYOUT(44, 72),
              "SURFOBJ offsets");
static_assert(sizeof(BRUSHOBJ) == QM_LAYOUT(12, 24), "BRUSHOBJ");
static_assert(sizeof(CLIPOBJ) == 24, "CLIPOBJ");
static_assert(sizeof(ENUMRECTS) == 20, "ENUMRECTS");
static_assert(sizeof(FONTOBJ) == QM_LAYOUT(44, 64), "FONTOBJ");
static_assert(sizeof(PATHOBJ) == 8 && sizeof(PATHDATA) == QM_LAYOUT(12, 16), "PATHOBJ, PATHDATA");
static_assert(sizeof(STROBJ) == QM_LAYOUT(36, 48), "STROBJ");
static_assert(sizeof(XLATEOBJ) == QM_LAYOUT(20, 24) && offsetof(XLATEOBJ, pulXlate) == 16, "XLATEOBJ");
static_assert(sizeof(XFORMOBJ) == 4 && sizeof(PALOBJ) == 4, "XFORMOBJ, PALOBJ");
static_assert(sizeof(LINEATTRS) == QM_LAYOUT(32, 40), "LINEATTRS");
static_assert(sizeof(GLYPHPOS) == QM_LAYOUT(16, 24), "GLYPHPOS");
static_assert(sizeof(GLYPHBITS) == 20, "GLYPHBITS");
static_assert(sizeof(GLYPHDATA) == 64 && offsetof(GLYPHDATA, ptqD) == 48, "GLYPHDATA");
static_assert(sizeof(PANOSE) == 10, "PANOSE");
static_assert(sizeof(COLORADJUSTMENT) == 24, "COLORADJUSTMENT");

/* The render driver's entry points as the host header declares them: on Windows a
 * declaration differing from the installed header's fails to compile. */
#include "platform/include/qm_ddi_entry.h"
