/*
 * The geometry of a booklet half: the logical page's rectangle and size that, scaled to
 * fit, fill half of the sheet's printable area, and the half's matrix from dots to 1/72
 * inch at the half's origin.
 */
#include "render/driver/booklet/booklet.h"

LONG bk_GetHalfRects(LONG dpi, const PaperRecord *paper, float x, float y, WORD gutter1, WORD gutter2, float rect[4],
                     float size[2])
{
    if (paper == NULL || rect == NULL || size == NULL || dpi <= 0)
        return -1;
    float w = 0;
    float h = 0;
    bk_TenthMmToDots(paper->printableWidth, &w, (int)dpi);
    bk_TenthMmToDots(paper->printableLength, &h, (int)dpi);
    float s = 0;
    bk_ScaleToHalf(&s, w, h);
    if (s <= 0)
        return -1;
    float halfWidth = h * 0.5f / s;
    float halfLength = w / s;
    rect[0] = x;
    rect[1] = y + halfLength;
    rect[2] = x + halfWidth;
    rect[3] = y;
    float margins[4] = {0, 0, 0, 0};
    bk_TenthMmToDots(paper->marginLeft, &margins[0], (int)dpi);
    bk_TenthMmToDots(paper->marginRight, &margins[1], (int)dpi);
    bk_TenthMmToDots(paper->marginTop, &margins[2], (int)dpi);
    bk_TenthMmToDots(paper->marginBottom, &margins[3], (int)dpi);
    size[0] = halfWidth + margins[0] + margins[1];
    size[1] = halfLength + margins[2] + margins[3];
    // A gutter narrows the half on its right edge, in the half's unscaled units.
    const WORD gutters[2] = {gutter1, gutter2};
    for (WORD gutter : gutters) {
        if (gutter == 0)
            continue;
        float dots = 0;
        bk_TenthMmToDots(gutter, &dots, (int)dpi);
        rect[2] -= dots / s;
        size[0] -= dots / s;
    }
    return 0;
}

LONG bk_HalfPageMatrix(const Matrix2x3 *matrix, Matrix2x3 *out, LONG dpiX, LONG dpiY, float offset, float x, float y)
{
    if (matrix == NULL || out == NULL || dpiX <= 0 || dpiY <= 0)
        return -1;
    // Applied after the matrix: the scale from dots to 1/72 inch, then (0, -offset), then
    // the half's origin.
    float sx = 72.0f / (float)dpiX;
    float sy = 72.0f / (float)dpiY;
    Matrix2x3 result;
    result.a = matrix->a * sx;
    result.b = matrix->b * sy;
    result.c = matrix->c * sx;
    result.d = matrix->d * sy;
    result.e = matrix->e * sx + x;
    result.f = matrix->f * sy - offset + y;
    *out = result;
    return 0;
}

void geo_TranslateLocal(Matrix2x3 *matrix, float x, float y)
{
    if (matrix == NULL)
        return;
    matrix->e += x * matrix->a + y * matrix->c;
    matrix->f += x * matrix->b + y * matrix->d;
}
