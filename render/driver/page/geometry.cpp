/*
 * Matrix maths and unit conversions of the page code. Matrices map a point (x, y) to
 * (x a + y c + e, x b + y d + f).
 */
#include "render/driver/page/page_setup.h"

#include "render/driver/page/page_private.h"
#include "render/pdl/writer/matrix2x3.h"

void geo_Identity(Matrix2x3 *out)
{
    if (out)
        *out = Matrix2x3{1, 0, 0, 1, 0, 0};
}

void geo_Compose(const Matrix2x3 *outer, Matrix2x3 *out, const Matrix2x3 *inner)
{
    if (!outer || !out || !inner)
        return;
    const Matrix2x3 &o = *outer;
    const Matrix2x3 &i = *inner;
    Matrix2x3 r;
    r.a = i.a * o.a + i.b * o.c;
    r.b = i.a * o.b + i.b * o.d;
    r.c = i.c * o.a + i.d * o.c;
    r.d = i.c * o.b + i.d * o.d;
    r.e = i.e * o.a + i.f * o.c + o.e;
    r.f = i.e * o.b + i.f * o.d + o.f;
    *out = r;
}

void geo_ScaleAxes(Matrix2x3 *out, float sx, float sy)
{
    if (out)
        *out = Matrix2x3{sx, 0, 0, sy, 0, 0};
}

void geo_Translate(Matrix2x3 *out, float dx, float dy)
{
    if (out)
        *out = Matrix2x3{1, 0, 0, 1, dx, dy};
}

void geo_FlipY(Matrix2x3 *out)
{
    if (out)
        *out = Matrix2x3{1, 0, 0, -1, 0, 0};
}

void geo_Copy(Matrix2x3 *out, const Matrix2x3 *in)
{
    if (out && in)
        *out = *in;
}

LONG page_Resolution(LONG value)
{
    return value > 0 ? value : PAGE_DEFAULT_RESOLUTION;
}

LONG geo_ToDeviceMatrix(Matrix2x3 *out, const PDEV *pdev, const Matrix2x3 *in)
{
    if (!out || !pdev || !in)
        return -1;
    double rx = page_Resolution(pdev->job.setup.resolutionX);
    double ry = page_Resolution(pdev->job.setup.resolutionY);
    double length = pdev->job.setup.page.page.length;
    Matrix2x3 r;
    r.a = (float)(rx * in->a / 72.0);
    r.b = (float)(-ry * in->b / 72.0);
    r.c = (float)(rx * in->c / 72.0);
    r.d = (float)(-ry * in->d / 72.0);
    r.e = (float)(rx * in->e / 72.0);
    r.f = (float)(ry * length * GEO_TENTH_MM_PER_INCH - ry * in->f / 72.0);
    *out = r;
    return 0;
}

LONG geo_FromDeviceMatrix(Matrix2x3 *out, const PDEV *pdev, const Matrix2x3 *in)
{
    if (!out || !pdev || !in)
        return -1;
    double rx = page_Resolution(pdev->job.setup.resolutionX);
    double ry = page_Resolution(pdev->job.setup.resolutionY);
    if (rx == 0 || ry == 0)
        return -1;
    double length = pdev->job.setup.page.page.length;
    Matrix2x3 r;
    r.a = (float)(in->a * 72.0 / rx);
    r.b = (float)(-in->b * 72.0 / ry);
    r.c = (float)(in->c * 72.0 / rx);
    r.d = (float)(-in->d * 72.0 / ry);
    r.e = (float)(in->e * 72.0 / rx);
    r.f = (float)((ry * length * GEO_TENTH_MM_PER_INCH - in->f) * 72.0 / ry);
    *out = r;
    return 0;
}

float geo_TenthMmToDots(LONG value, LONG dpi)
{
    return (float)value * (float)dpi / 254.0f;
}

LONG geo_TenthMmToDotsInt(LONG value, LONG dpi)
{
    return (LONG)((long long)dpi * value / 254);
}

int geo_Dots18432ToTenthMm(DWORD value)
{
    return (int)(((unsigned long long)value * 254 + 9216) / 18432);
}
