/*
 * What DrvEnablePDEV answers GDI: the GDIINFO of the page and the DEVINFO of the device.
 */
#include <string.h>

#include "render/driver/binding/pdev_settings.h"
#include "core/settings/function_ids.h"
#include "platform/include/qm_layout.h"
#include "render/driver/entry/pdev_lifecycle.h"
#include "render/pdl/fonts/fonts.h"

static_assert(sizeof(GDIINFO) == QM_LAYOUT(304, 320), "GDIINFO");
static_assert(sizeof(DEVINFO) == QM_LAYOUT(300, 312), "DEVINFO");
static_assert(sizeof(DRVENABLEDATA) == QM_LAYOUT(12, 16), "DRVENABLEDATA");

static const DWORD kColor = 2;
static const ULONG kTextCaps = 0x19F7;
static const ULONG kGraphicsCaps = 0x11F;
static const ULONG kGraphicsCapsExtra = 0x2000;
static const ULONG kLargestHalftoneSize = 15;
static const ULONG kHalftoneFallback = 5;

// The device's colour description.
static const COLORINFO kColorInfo = {
    {6380, 3350, 0},
    {2345, 6075, 0},
    {1410, 932, 0},
    {2000, 2450, 0},
    {5210, 2100, 0},
    {4750, 5100, 0},
    {3127, 3290, 0},
    12500,
    12500,
    12500,
    585,
    120,
    0,
    0,
    0,
    10000,
};

// PrintableTenths: the printable area in tenths: the paper's, the trailer's margins when
// setting 387 is on for this paper, the whole paper when setting 383 is on.
static PaperTenths PrintableTenths(PDEV *pdev, const PaperTenths *paper)
{
    PaperTenths area = *paper;
    const DevmodeTrailer *trailer = &pdev->trailer;
    if (pdev_GetSetting32(pdev, FID_TRAILER_PAPER) == 1 &&
        trailer->paperSize == pdev_GetSetting16(pdev, FID_PAPER_SIZE)) {
        LONG left = trailer->margins[0], right = trailer->margins[1];
        LONG top = trailer->margins[2], bottom = trailer->margins[3];
        if (pdev->paper[0].rotated) {
            LONG l = bottom, t = left, r = top, b = right;
            left = l, top = t, right = r, bottom = b;
        }
        area.left = left;
        area.top = top;
        area.right = paper->width - right;
        area.bottom = paper->height - bottom;
    }
    if (pdev_GetSetting32(pdev, FID_NO_MARGINS) == 1) {
        area.left = area.top = 0;
        area.right = paper->width;
        area.bottom = paper->height;
    }
    return area;
}

void pdev_FillGdiInfo(PDEV *pdev, const PaperTenths *tenths, ULONG size, ULONG *caps)
{
    GDIINFO info;
    memset(&info, 0, sizeof info);
    LONG r = (LONG)pdev_GetSetting32(pdev, FID_PRINT_QUALITY);
    LONG s = (pdev_GetSetting32(pdev, FID_FIELDS) & DM_SCALE) ? (LONG)pdev_GetSetting32(pdev, FID_SCALE) : 100;
    BOOL color = pdev_GetSetting32(pdev, FID_COLOR) == kColor;
    PaperTenths area = PrintableTenths(pdev, tenths);
    LONG width = area.right - area.left;
    LONG height = area.bottom - area.top;
    info.ulVersion = 0x400;
    info.ulTechnology = DT_RASPRINTER;
    info.ulHorzSize = (ULONG)pdev_RoundDiv(width, 10, s);
    info.ulVertSize = (ULONG)pdev_RoundDiv(height, 10, s);
    info.ulHorzRes = (ULONG)pdev_RoundDiv(width, r, 254);
    info.ulVertRes = (ULONG)pdev_RoundDiv(height, r, 254);
    info.cBitsPixel = color ? 24 : 1;
    info.cPlanes = 1;
    info.ulNumColors = color ? (pdev_GetSetting32(pdev, FID_TRUE_COLOR) == 1 ? 0xFFFFFF : 16) : 2;
    info.flRaster = 0;
    info.ulLogPixelsX = pdev->scaledResolution;
    info.ulLogPixelsY = pdev->scaledResolution;
    info.flTextCaps = kTextCaps;
    info.ulAspectX = (ULONG)r;
    info.ulAspectY = (ULONG)r;
    info.ulAspectXY = (ULONG)r * 1414 / 1000;
    info.xStyleStep = 1;
    info.yStyleStep = 1;
    info.denStyleStep = (ULONG)r / 25;
    info.ptlPhysOffset.x = pdev_RoundDiv(area.left, r, 254);
    info.ptlPhysOffset.y = pdev_RoundDiv(area.top, r, 254);
    info.szlPhysSize.cx = pdev_RoundDiv(tenths->width, r, 254);
    info.szlPhysSize.cy = pdev_RoundDiv(tenths->height, r, 254);
    info.ciDevice = kColorInfo;
    ULONG pattern = pdev_GetHalftonePatternSize((ULONG)r, (ULONG)r, 0);
    info.ulHTPatternSize = pattern > kLargestHalftoneSize ? kHalftoneFallback : pattern;
    info.ulHTOutputFormat = color && pdev_GetSetting32(pdev, FID_COLOR_MODE) != 1 ? HT_FORMAT_4BPP : 0;
    info.flHTFlags = HT_FLAG_HAS_BLACK_DYE;
    memcpy(caps, &info, size < sizeof info ? size : sizeof info);
}

// FaceCopy: a copy of the default font with another face, charset 0 and pitch-and-family.
static LOGFONTW FaceCopy(const LOGFONTW *font, const WCHAR *face, BYTE pitchAndFamily)
{
    LOGFONTW copy = *font;
    memset(copy.lfFaceName, 0, sizeof copy.lfFaceName);
    for (size_t i = 0; face[i] != 0 && i + 1 < LF_FACESIZE; ++i) {
        copy.lfFaceName[i] = face[i];
    }
    copy.lfCharSet = 0;
    copy.lfPitchAndFamily = pitchAndFamily;
    return copy;
}

BOOL pdev_FillDevInfo(PDEV *pdev, ULONG size, DEVINFO *out)
{
    DEVINFO info;
    memset(&info, 0, sizeof info);
    info.flGraphicsCaps = kGraphicsCaps;
    if (pdev_GetSetting32(pdev, FID_JOB_ATTRIBUTES) == 0) {
        info.flGraphicsCaps |= kGraphicsCapsExtra;
    }
    if (pdev->fontCount > 0) {
        DWORD fontId = pdev_GetSetting32(pdev, FID_DEFAULT_DEVICE_FONT);
        WORD resolution = pdev_GetSetting16(pdev, FID_PRINT_QUALITY);
        if (!fnt_GetDeviceFontLogFont(pdev->fonts, fontId, resolution, &info.lfDefaultFont)) {
            return FALSE;
        }
        info.lfAnsiVarFont = FaceCopy(&info.lfDefaultFont, TEXT("Helvetica"), 0x22);
        info.lfAnsiFixFont = FaceCopy(&info.lfDefaultFont, TEXT("Courier"), 0x31);
    }
    BOOL fontsOff =
        pdev_GetSetting32(pdev, FID_FONT_SUBSTITUTION) == 1 || pdev_GetSetting32(pdev, FID_NO_MEMORY_MODEL) == 1;
    info.cFonts = fontsOff ? 0 : pdev->fontCount;
    info.iDitherFormat = BMF_24BPP;
    if (pdev->palette != NULL) {
        EngDeletePalette(pdev->palette);
    }
    pdev->palette = EngCreatePalette(PAL_BGR, 0, NULL, 0, 0, 0);
    if (pdev->palette == NULL) {
        return FALSE;
    }
    info.hpalDefault = pdev->palette;
    memcpy(out, &info, size < sizeof info ? size : sizeof info);
    return TRUE;
}
