/*
 * Device-font text: the printer's own font selected with its transform, the characters
 * written as runs with advances or one by one.
 */
#include "render/pdl/text/text_private.h"

#include <string.h>

#include "platform/include/qm_float.h"
#include "render/pdl/writer/pdl_writer.h"

/* Codes of the private-use symbol range: the font's own codes live in their low bits. */
static const WCHAR kSymbolRangeStart = 0xF000;
static const WCHAR kSymbolRangeMask = 0x0FFF;
/* Shift-JIS device fonts: the yen sign and the no-break space as their single-byte codes. */
static const WCHAR kYenSign = 0xA5;
static const WCHAR kYenCode = 0x5C;
static const WCHAR kNoBreakSpace = 0xA0;
static const WCHAR kSpaceCode = 0x20;
static const BYTE kShiftJisCharset = 128;
static const float kPointsPerInch = 72.0f;
/* Characters whose codes and advances fit on the stack. */
static const ULONG kStackChars = 128;

void fnt_FixCodes(WCHAR *codes, ULONG count, BOOL shiftJis)
{
    for (ULONG i = 0; i < count; ++i) {
        if (shiftJis) {
            if (codes[i] == kYenSign) {
                codes[i] = kYenCode;
            } else if (codes[i] == kNoBreakSpace) {
                codes[i] = kSpaceCode;
            }
        } else if (codes[i] >= kSymbolRangeStart) {
            codes[i] &= kSymbolRangeMask;
        }
    }
}

int fnt_RunLayout(ULONG count, const POINTL *positions, const STROBJ *pstro)
{
    bool sameY = true;
    bool sameX = true;
    for (ULONG i = 1; i < count; ++i) {
        sameY = sameY && positions[i].y == positions[0].y;
        sameX = sameX && positions[i].x == positions[0].x;
    }
    if (sameY || (pstro != NULL && (pstro->flAccel & SO_HORIZONTAL))) {
        return RUN_LINE;
    }
    return sameX ? RUN_COLUMN : RUN_FREE;
}

float fnt_FontHeightPoints(const TextCall *call)
{
    const IFIMETRICS *pifi = FONTOBJ_pifi(call->pfo);
    XFORMOBJ *xform = FONTOBJ_pxoGetXform(call->pfo);
    LONG resolution = call->job.fonts.resolutionY;
    if (pifi == NULL || xform == NULL || resolution <= 0) {
        return 0.0f;
    }
    POINTL em = {0, pifi->fwdUnitsPerEm};
    POINTFIX out = {0, 0};
    if (!XFORMOBJ_bApplyXform(xform, XF_LTOFX, 1, &em, &out)) {
        return 0.0f;
    }
    return (float)fnt_VectorLength(out.x, out.y) / 16.0f * kPointsPerInch / (float)resolution;
}

BOOL fnt_DeviceFontStyle(const TextCall *call, ULONG face, DWORD *fontId)
{
    return fnt_GetDeviceFontId(&call->job.fonts, call->pfo, face, fontId, FALSE);
}

/* Db: the em height of the metrics through the font transform. */
static int device_SetFontMatrix(TextCall *call)
{
    const IFIMETRICS *pifi = FONTOBJ_pifi(call->pfo);
    XFORMOBJ *xform = FONTOBJ_pxoGetXform(call->pfo);
    XFORML m;
    if (pifi == NULL || xform == NULL || XFORMOBJ_iGetXform(xform, &m) == DDI_ERROR) {
        return 0;
    }
    float h = (float)pifi->fwdUnitsPerEm;
    const float matrix[6] = {
        h * qm_FloatOf(m.eM11), h * qm_FloatOf(m.eM12), -h * qm_FloatOf(m.eM21), -h * qm_FloatOf(m.eM22), 0.0f, 0.0f};
    return pdl_SetFontMatrix(call->target->writer, matrix) == 0 ? 1 : -1;
}

/* The characters of a run on one line: one advance when the gaps are equal, else each. */
static int device_WriteLine(PdlWriter *writer, ULONG count, const POINTL *positions, const WCHAR *codes)
{
    float stackAdvances[kStackChars];
    float *advances = stackAdvances;
    if (count > kStackChars) {
        advances = (float *)GlobalAlloc(GMEM_FIXED, count * sizeof(float));
        if (advances == NULL) {
            return 0;
        }
    }
    bool equal = true;
    for (ULONG i = 1; i < count; ++i) {
        advances[i - 1] = (float)(positions[i].x - positions[i - 1].x);
        equal = equal && advances[i - 1] == advances[0];
    }
    float x = (float)positions[0].x;
    float y = (float)positions[0].y;
    int answer = pdl_WriteText(writer, x, y, count, equal ? 0 : 1, (const WORD *)codes, count > 1 ? advances : NULL);
    if (advances != stackAdvances) {
        GlobalFree(advances);
    }
    return answer == 0 ? 1 : -1;
}

int fnt_DrawDeviceText(TextCall *call, const DeviceChoice *choice, ULONG count, const POINTL *positions,
                       const WCHAR *codes)
{
    WCHAR stackCodes[kStackChars];
    WCHAR *fixed = stackCodes;
    if (count > kStackChars) {
        fixed = (WCHAR *)GlobalAlloc(GMEM_FIXED, count * sizeof(WCHAR));
        if (fixed == NULL) {
            return 0;
        }
    }
    memcpy(fixed, codes, count * sizeof(WCHAR));
    const IFIMETRICS *device = choice->block != NULL ? fnt_BlockIfiMetrics(choice->block) : NULL;
    fnt_FixCodes(fixed, count, device != NULL && device->jWinCharSet == kShiftJisCharset);
    PdlWriter *writer = call->target->writer;
    int result = pdl_SelectFont(writer, choice->fontId | 1) == 0 ? 1 : -1;
    if (result == 1) {
        result = device_SetFontMatrix(call);
    }
    if (result == 1 && fnt_RunLayout(count, positions, call->pstro) == RUN_LINE) {
        result = device_WriteLine(writer, count, positions, fixed);
    } else {
        for (ULONG i = 0; i < count && result == 1; ++i) {
            float x = (float)positions[i].x;
            float y = (float)positions[i].y;
            result = pdl_WriteText(writer, x, y, 1, 0, (const WORD *)fixed + i, NULL) == 0 ? 1 : -1;
        }
    }
    if (fixed != stackCodes) {
        GlobalFree(fixed);
    }
    return result;
}
