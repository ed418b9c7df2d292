/*
 * The checks the text output makes per device font: the identifier with its style bits,
 * whether glyphs go as outlines, which point form an outline takes, and the small-bitmap
 * hint of outline glyph records.
 */
#include "render/pdl/fonts/fonts.h"

#include <math.h>

static const BYTE kItalicBit = 0x08;
static const BYTE kWeightMask = 0xF0;
static const BYTE kBoldSimulationStep = 0x30; /* the simulated face weighs 300 more */
static const BYTE kWeightCapFrom = 0xC0;
static const BYTE kWeightCap = 0xF0;
static const float kPointsPerInch = 72.0f;
/* How far the page transform may be off the nominal 72 units per inch and still count as
 * nominal. */
static const float kNominalScaleTolerance = 0.0109f;
static const LONG kLowResolutionLimit = 600;
static const LONG kLowResolutionMaxPoints = 40;
static const LONG kHighResolutionPointBudget = 24000;
static const ULONG kHighResolutionMaxGlyphWidth = 333;
static const BYTE kCopyPen = 13;

/* The length of the font transform applied to (x, y) in 28.4 units; -1 without transform. */
static LONG fnt_TransformedLengthFix(FONTOBJ *pfo, LONG x, LONG y)
{
    XFORMOBJ *xform = FONTOBJ_pxoGetXform(pfo);
    if (xform == NULL) {
        return -1;
    }
    POINTL in = {x, y};
    POINTFIX out = {0, 0};
    if (!XFORMOBJ_bApplyXform(xform, XF_LTOFX, 1, &in, &out)) {
        return -1;
    }
    return fnt_VectorLength(out.x, out.y);
}

BOOL WINAPI fnt_GetDeviceFontId(const FontJobView *view, FONTOBJ *pfo, ULONG font, DWORD *id, BOOL plain)
{
    if (view == NULL || pfo == NULL || id == NULL) {
        return FALSE;
    }
    const FontInfoBlock *block = fnt_GetFontBlock(view->tables, font);
    if (block == NULL) {
        return FALSE;
    }
    *id = block->fontId;
    if (plain) {
        return TRUE;
    }
    const IFIMETRICS *ifi = FONTOBJ_pifi(pfo);
    BOOL simItalic = (pfo->flFontType & FO_SIM_ITALIC) != 0;
    BOOL simBold = (pfo->flFontType & FO_SIM_BOLD) != 0;
    DWORD style = 0;
    if (ifi != NULL && (ifi->fsSelection & FM_SEL_ITALIC) != 0 && !simItalic) {
        style |= kItalicBit;
    }
    /* The weight nibble is the face's weight / 100 when its metrics are bold; simulated
       bold then moves it up by 300, as the simulated face's IFIMETRICS weight is. */
    if (ifi != NULL && (ifi->fsSelection & FM_SEL_BOLD) != 0) {
        style |= ((DWORD)(ifi->usWinWeight / 100) << 4) & kWeightMask;
    }
    if (simItalic) {
        style |= kItalicBit;
    }
    if (simBold) {
        DWORD weight = (style & kWeightMask) + kBoldSimulationStep;
        if (weight >= kWeightCapFrom) {
            weight = kWeightCap;
        }
        style = (style & ~(DWORD)kWeightMask) | weight;
    }
    *id += style;
    return TRUE;
}

BOOL WINAPI fnt_FontPixelSize(const FontJobView *view, FONTOBJ *pfo, LONG *size)
{
    if (view == NULL || pfo == NULL || size == NULL || view->resolutionY <= 0) {
        return FALSE;
    }
    const IFIMETRICS *ifi = FONTOBJ_pifi(pfo);
    if (ifi == NULL) {
        return FALSE;
    }
    LONG length = fnt_TransformedLengthFix(pfo, 0, ifi->fwdUnitsPerEm);
    if (length < 0) {
        return FALSE;
    }
    /* length x 72 / resolution, rounded to nearest (the length is never negative) */
    LONGLONG points = ((LONGLONG)(length >> 4) * (LONGLONG)kPointsPerInch + view->resolutionY / 2) / view->resolutionY;
    *size = (LONG)points;
    return TRUE;
}

/* 1 when the page transform maps neither resolution to 72 units per inch. */
static BOOL fnt_PageIsScaled(const FontJobView *view)
{
    float scaledX = (float)view->resolutionX * fabsf(view->pageA);
    float scaledY = (float)view->resolutionY * fabsf(view->pageD);
    return fabsf(scaledX - kPointsPerInch) > kNominalScaleTolerance &&
           fabsf(scaledY - kPointsPerInch) > kNominalScaleTolerance;
}

BOOL WINAPI fnt_CanUseOutline(const FontJobView *view, FONTOBJ *pfo)
{
    if (view == NULL || pfo == NULL || view->outlineOff) {
        return FALSE;
    }
    if ((pfo->flFontType & FO_TYPE_RASTER) != 0 && (pfo->flFontType & FO_TYPE_TRUETYPE) == 0) {
        return FALSE;
    }
    if (view->outlineAlways || fnt_PageIsScaled(view) || (pfo->flFontType & FO_SIM_BOLD) != 0) {
        return TRUE;
    }
    LONG size = 0;
    return fnt_FontPixelSize(view, pfo, &size) && size > view->outlineMinSize;
}

BOOL WINAPI fnt_CanUseDeviceSize(const FontJobView *view, FONTOBJ *pfo)
{
    if (view == NULL || pfo == NULL || view->pageHookRunning || view->resolutionY <= 0) {
        return FALSE;
    }
    LONG size = 0;
    if (!fnt_FontPixelSize(view, pfo, &size)) {
        return FALSE;
    }
    if (view->resolutionY <= kLowResolutionLimit) {
        LONG maxWidth = view->resolutionX * kLowResolutionMaxPoints / (LONG)kPointsPerInch;
        return size <= kLowResolutionMaxPoints && (LONG)pfo->cxMax <= maxWidth;
    }
    return size <= kHighResolutionPointBudget / view->resolutionY && pfo->cxMax <= kHighResolutionMaxGlyphWidth;
}

/*
 * The font transform takes the em square to device pixels of a page at 72 units per inch;
 * a page transform off that scale (a scaled or fitted page) scales the glyphs by its own
 * factor per axis, resolution x scale / 72.
 */
LONG WINAPI fnt_FontPixelHeight(const FontJobView *view, FONTOBJ *pfo)
{
    if (view == NULL || pfo == NULL) {
        return 0;
    }
    const IFIMETRICS *ifi = FONTOBJ_pifi(pfo);
    XFORMOBJ *xform = FONTOBJ_pxoGetXform(pfo);
    if (ifi == NULL || xform == NULL) {
        return 0;
    }
    POINTL in[2] = {{ifi->fwdUnitsPerEm, 0}, {0, ifi->fwdUnitsPerEm}};
    POINTFIX out[2] = {};
    if (!XFORMOBJ_bApplyXform(xform, XF_LTOFX, 2, in, out)) {
        return 0;
    }
    float pageX = (float)view->resolutionX * hypotf(view->pageA, view->pageB) / kPointsPerInch;
    float pageY = (float)view->resolutionY * hypotf(view->pageC, view->pageD) / kPointsPerInch;
    float width = hypotf((float)out[0].x, (float)out[0].y) / 16.0f * pageX;
    float height = hypotf((float)out[1].x, (float)out[1].y) / 16.0f * pageY;
    return (LONG)lroundf(width < height ? width : height);
}

BOOL WINAPI fnt_CanUseSmallBitmap(const FontJobView *view, FONTOBJ *pfo, ULONG brushColour, ULONG outlinePoints,
                                  MIX mix)
{
    if (view == NULL || pfo == NULL || !view->smallBitmapOn || (mix & 0xFF) != kCopyPen) {
        return FALSE;
    }
    const IFIMETRICS *ifi = FONTOBJ_pifi(pfo);
    if ((pfo->flFontType & FO_SIM_BOLD) != 0 || (ifi != NULL && (ifi->fsSelection & FM_SEL_BOLD) != 0)) {
        return FALSE;
    }
    if (brushColour != 0 && brushColour != 0xFFFFFFFFUL) {
        return FALSE;
    }
    if ((LONG)outlinePoints < view->smallMinPoints) {
        return FALSE;
    }
    LONG height = fnt_FontPixelHeight(view, pfo);
    return height > view->smallMinPixels && height < view->smallMaxPixels;
}
