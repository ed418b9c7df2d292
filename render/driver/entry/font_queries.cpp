/*
 * The font query workers over the PDEV's device font tables.
 */
#include "render/driver/entry/entry.h"

#include <string.h>

#include "core/settings/function_ids.h"
#include "render/driver/binding/pdev_settings.h"
#include "render/driver/pdev/pdev.h"
#include "render/pdl/fonts/fonts.h"

static const LONG kUnitVector = 4096;
static const BYTE kFamilyRoman = 0x10;
static const BYTE kFamilySwiss = 0x20;

// Rounds a 28.4 value to whole pixels.
static LONG RoundFix(LONG value)
{
    return (value + 8) & ~15;
}

// The face's block for a valid PDEV and face index; ERROR_INVALID_PARAMETER otherwise.
static FontInfoBlock *FaceBlock(DHPDEV dhpdev, ULONG iFace, bool *noTable)
{
    PDEV *pdev = (PDEV *)dhpdev;
    *noTable = false;
    if (!pdev_IsValid(pdev)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return NULL;
    }
    if (pdev->fonts == NULL) {
        *noTable = true;
        return NULL;
    }
    if (iFace == 0 || iFace > pdev->fontCount) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return NULL;
    }
    return fnt_GetFontBlock(pdev->fonts, iFace);
}

// The length of the font transform applied to (x, y); 0 without transform.
static LONG TransformedLength(FONTOBJ *pfo, LONG x, LONG y, POINTL *out)
{
    POINTL in = {x, y};
    POINTL result = {0, 0};
    if (!fnt_TransformPoints(pfo, 1, &in, &result)) {
        return 0;
    }
    if (out != NULL) {
        *out = result;
    }
    return fnt_VectorLength(result.x, result.y);
}

// ent_QueryAdvanceWidths: see entry.h.
BOOL WINAPI ent_QueryAdvanceWidths(DHPDEV dhpdev, FONTOBJ *pfo, ULONG iMode, HGLYPH *phg, PVOID pvWidths, ULONG cGlyphs)
{
    if (pfo == NULL || phg == NULL || pvWidths == NULL || (iMode != QAW_GETWIDTHS && iMode != QAW_GETEASYWIDTHS)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (cGlyphs == 0) {
        return TRUE;
    }
    bool noTable = false;
    FontInfoBlock *block = FaceBlock(dhpdev, pfo->iFace, &noTable);
    if (block == NULL) {
        return FALSE;
    }
    LONG scale = TransformedLength(pfo, kUnitVector, 0, NULL);
    USHORT *widths = (USHORT *)pvWidths;
    for (ULONG i = 0; i < cGlyphs; ++i) {
        LONG width = fnt_BlockCharWidth(block, (WORD)phg[i]);
        // The transform gives whole pixels; the engine takes advances in 28.4.
        widths[i] = (USHORT)RoundFix((LONG)((LONGLONG)scale * width * 16 / kUnitVector));
    }
    return TRUE;
}

// ent_QueryFont: see entry.h.
PIFIMETRICS WINAPI ent_QueryFont(DHPDEV dhpdev, ULONG_PTR, ULONG iFace, ULONG_PTR *pid)
{
    if (pid != NULL) {
        *pid = 0;
    }
    bool noTable = false;
    return fnt_BlockIfiMetrics(FaceBlock(dhpdev, iFace, &noTable));
}

// Fills the glyph data of one glyph (QFD_GLYPHANDBITMAP).
static void FillGlyphData(FONTOBJ *pfo, const FontInfoBlock *block, HGLYPH hg, GLYPHDATA *pgd)
{
    const IFIMETRICS *ifi = fnt_BlockIfiMetrics(block);
    LONG width = fnt_BlockCharWidth(block, (WORD)hg);
    LONG top = TransformedLength(pfo, 0, ifi->rclFontBox.top, NULL);
    LONG bottom = TransformedLength(pfo, 0, ifi->rclFontBox.bottom, NULL);
    POINTL base = {0, 0};
    LONG length = TransformedLength(pfo, kUnitVector, 0, &base);
    memset(pgd, 0, sizeof *pgd);
    pgd->hg = hg;
    pgd->fxInkTop = RoundFix(ifi->rclFontBox.top < 0 ? -top : top);
    pgd->fxInkBottom = RoundFix(ifi->rclFontBox.bottom < 0 ? -bottom : bottom);
    pgd->fxD = pgd->fxAB = RoundFix(width * length / kUnitVector);
    pgd->fxA = 0;
    pgd->ptqD.x.HighPart = RoundFix(width * base.x / kUnitVector);
    pgd->ptqD.y.HighPart = RoundFix(width * base.y / kUnitVector);
}

// Fills the device metrics (QFD_MAXEXTENTS).
static void FillMaxExtents(PDEV *pdev, FONTOBJ *pfo, const FontInfoBlock *block, FD_DEVICEMETRICS *metrics)
{
    const IFIMETRICS *ifi = fnt_BlockIfiMetrics(block);
    LONG em = ifi->fwdUnitsPerEm;
    memset(metrics, 0, sizeof *metrics);
    POINTL base = {0, 0}, side = {0, 0};
    LONG baseLength = TransformedLength(pfo, em, 0, &base);
    LONG sideLength = TransformedLength(pfo, 0, -em, &side);
    if (baseLength != 0) {
        metrics->pteBase = POINTE{(FLOATL)base.x / baseLength, (FLOATL)base.y / baseLength};
    }
    if (sideLength != 0) {
        metrics->pteSide = POINTE{(FLOATL)side.x / sideLength, (FLOATL)side.y / sideLength};
    }
    LONG maxInc = TransformedLength(pfo, ifi->fwdMaxCharInc, 0, NULL);
    if (ifi->flInfo & FM_INFO_CONSTANT_WIDTH) {
        metrics->lD = maxInc;
    }
    metrics->fxMaxAscender = RoundFix(TransformedLength(pfo, 0, ifi->rclFontBox.top, NULL));
    metrics->fxMaxDescender = RoundFix(TransformedLength(pfo, 0, ifi->rclFontBox.bottom, NULL));
    POINTL underline = {0, -ifi->fwdUnderscorePosition};
    POINTL strikeout = {0, -ifi->fwdStrikeoutPosition};
    POINTL thickness = {0, ifi->fwdUnderscoreSize};
    fnt_TransformPoints(pfo, 1, &underline, &metrics->ptlUnderline1);
    fnt_TransformPoints(pfo, 1, &strikeout, &metrics->ptlStrikeout);
    fnt_TransformPoints(pfo, 1, &thickness, &metrics->ptlULThickness);
    metrics->ptlSOThickness = metrics->ptlULThickness;
    metrics->cxMax = (ULONG)maxInc;
    // Leading from the em height in pixels and the face's family.
    LONG h = sideLength;
    LONG resolution = (LONG)pdev_GetSetting16(pdev, FID_Y_RESOLUTION);
    LONG points = resolution > 0 ? h * 72 / resolution : 0;
    BYTE family = ifi->jWinPitchAndFamily & 0xF0;
    LONG external;
    if (family == kFamilyRoman) {
        external = 2;
    } else if (family == kFamilySwiss) {
        external = points <= 12 ? 2 : (points < 14 ? 3 : 4);
    } else {
        external = em > 0 ? points * 196 / em : 0;
    }
    LONG internal = em > 0 ? (ifi->rclFontBox.top - em - ifi->rclFontBox.bottom) * h / em : 0;
    internal = internal > 0 ? internal : 0;
    bool fixedPitch = (ifi->flInfo & (FM_INFO_CONSTANT_WIDTH | FM_INFO_DBCS_FIXED_PITCH)) != 0;
    if (!fixedPitch) {
        LONG ext = (external * resolution / 72 - internal) * 16;
        metrics->lNonLinearExtLeading = ext > 0 ? ext : 0;
        metrics->lNonLinearIntLeading = internal * 16;
    }
}

// ent_QueryFontData: see entry.h.
LONG WINAPI ent_QueryFontData(DHPDEV dhpdev, FONTOBJ *pfo, ULONG iMode, HGLYPH hg, GLYPHDATA *pgd, PVOID pv,
                              ULONG cjSize)
{
    PDEV *pdev = (PDEV *)dhpdev;
    if (pfo == NULL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    bool noTable = false;
    FontInfoBlock *block = FaceBlock(dhpdev, pfo->iFace, &noTable);
    if (block == NULL || FONTOBJ_pxoGetXform(pfo) == NULL) {
        return -1;
    }
    switch (iMode) {
    case QFD_GLYPHANDBITMAP:
        if (pgd != NULL) {
            FillGlyphData(pfo, block, hg, pgd);
        }
        return 0;
    case QFD_MAXEXTENTS:
        if (pv == NULL) {
            return sizeof(FD_DEVICEMETRICS);
        }
        if (cjSize < sizeof(FD_DEVICEMETRICS)) {
            return -1;
        }
        FillMaxExtents(pdev, pfo, block, (FD_DEVICEMETRICS *)pv);
        return sizeof(FD_DEVICEMETRICS);
    default: return -1;
    }
}

// ent_QueryFontTree: see entry.h.
PVOID WINAPI ent_QueryFontTree(DHPDEV dhpdev, ULONG_PTR, ULONG iFace, ULONG iMode, ULONG_PTR *pid)
{
    if (pid != NULL) {
        *pid = 0;
    }
    bool noTable = false;
    FontInfoBlock *block = FaceBlock(dhpdev, iFace, &noTable);
    if (block == NULL) {
        return NULL;
    }
    if (iMode == QFT_KERNPAIRS) {
        return fnt_BlockKerningPairs(block);
    }
    if (iMode == QFT_GLYPHSET) {
        fnt_EnterGlyphLock();
        FD_GLYPHSET *set = fnt_GetGlyphSet(((PDEV *)dhpdev)->fonts, iFace);
        fnt_LeaveGlyphLock();
        return set;
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return NULL;
}
