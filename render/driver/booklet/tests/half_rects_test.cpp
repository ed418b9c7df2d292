/*
 * The geometry of a booklet half: the page rectangle that fills half of the printable area
 * once scaled, gutters and margins, the half matrix and the local translation.
 */
#include "render/driver/booklet/booklet.h"

#include <math.h>
#include <string.h>

#include <gtest/gtest.h>

namespace {

/* Where the matrix maps (x, y). */
void Map(const Matrix2x3 &m, float x, float y, float *outX, float *outY)
{
    *outX = m.a * x + m.c * y + m.e;
    *outY = m.b * x + m.d * y + m.f;
}

// Scaled by the half scale, the half's rectangle fits half of the printable area (half its
// length across the full width) and touches it on one axis, upright or turned.
TEST(BookletHalfRects, ScaledRectangleFillsHalfThePrintableArea)
{
    const struct {
        WORD width, length;
        LONG dpi;
    } papers[] = {{2000, 2870, 600}, {2870, 2000, 600}, {2000, 2000, 300}, {4120, 2890, 1200}, {1000, 3000, 600}};
    for (const auto &p : papers) {
        PaperRecord paper = {};
        paper.printableWidth = p.width;
        paper.printableLength = p.length;
        float rect[4] = {};
        float size[2] = {};
        ASSERT_EQ(0, bk_GetHalfRects(p.dpi, &paper, 50, 70, 0, 0, rect, size));
        float w = 0, h = 0, s = 0;
        bk_TenthMmToDots(p.width, &w, (int)p.dpi);
        bk_TenthMmToDots(p.length, &h, (int)p.dpi);
        bk_ScaleToHalf(&s, w, h);
        float across = (rect[2] - rect[0]) * s;
        float along = (rect[1] - rect[3]) * s;
        EXPECT_FLOAT_EQ(50, rect[0]);
        EXPECT_FLOAT_EQ(70, rect[3]);
        EXPECT_LE(across, h * 0.5f * 1.0001f) << p.width << " x " << p.length;
        EXPECT_LE(along, w * 1.0001f) << p.width << " x " << p.length;
        EXPECT_TRUE(fabsf(across - h * 0.5f) < 0.01f || fabsf(along - w) < 0.01f) << p.width << " x " << p.length;
        EXPECT_FLOAT_EQ(rect[2] - rect[0], size[0]);
        EXPECT_FLOAT_EQ(rect[1] - rect[3], size[1]);
    }
}

TEST(BookletHalfRects, GuttersAndMargins)
{
    PaperRecord paper = {};
    paper.printableWidth = 2000;
    paper.printableLength = 2870;
    float plain[4] = {};
    float plainSize[2] = {};
    ASSERT_EQ(0, bk_GetHalfRects(600, &paper, 0, 0, 0, 0, plain, plainSize));
    float s = 0, w = 0, h = 0;
    bk_TenthMmToDots(2000, &w, 600);
    bk_TenthMmToDots(2870, &h, 600);
    bk_ScaleToHalf(&s, w, h);

    // Two gutters of 5 and 10 mm: the right edge and the width lose 15 mm unscaled.
    float rect[4] = {};
    float size[2] = {};
    ASSERT_EQ(0, bk_GetHalfRects(600, &paper, 0, 0, 50, 100, rect, size));
    float gutter = 0;
    bk_TenthMmToDots(150, &gutter, 600);
    EXPECT_NEAR(plain[2] - gutter / s, rect[2], 0.01f);
    EXPECT_FLOAT_EQ(plain[1], rect[1]);
    EXPECT_NEAR(plainSize[0] - gutter / s, size[0], 0.01f);

    // Margins widen the size on both sides, not the rectangle.
    paper.marginLeft = paper.marginRight = 254; // 600 dots each
    paper.marginTop = 127;
    paper.marginBottom = 0;
    ASSERT_EQ(0, bk_GetHalfRects(600, &paper, 0, 0, 0, 0, rect, size));
    EXPECT_NEAR(plainSize[0] + 1200, size[0], 0.01f);
    EXPECT_NEAR(plainSize[1] + 300, size[1], 0.01f);
    EXPECT_FLOAT_EQ(plain[2], rect[2]);

    PaperRecord empty = {};
    EXPECT_EQ(-1, bk_GetHalfRects(600, &empty, 0, 0, 0, 0, rect, size));
    EXPECT_EQ(-1, bk_GetHalfRects(0, &paper, 0, 0, 0, 0, rect, size));
    EXPECT_EQ(-1, bk_GetHalfRects(600, NULL, 0, 0, 0, 0, rect, size));
}

TEST(BookletHalfMatrix, ScaleThenOffsetThenOrigin)
{
    const Matrix2x3 identity = {1, 0, 0, 1, 0, 0};
    const Matrix2x3 turned = {0, 1, -1, 0, 1200, 0}; // a quarter turn in dots
    Matrix2x3 out = {};
    ASSERT_EQ(0, bk_HalfPageMatrix(&identity, &out, 600, 300, 10, 100, 200));
    float x = 0, y = 0;
    Map(out, 600, 300, &x, &y);
    EXPECT_FLOAT_EQ(172, x);
    EXPECT_FLOAT_EQ(72 - 10 + 200, y);

    ASSERT_EQ(0, bk_HalfPageMatrix(&turned, &out, 600, 600, 0, 0, 0));
    Map(out, 600, 0, &x, &y); // the page's (600, 0) is the sheet's (1200, 600) in dots
    EXPECT_FLOAT_EQ(144, x);
    EXPECT_FLOAT_EQ(72, y);

    const Matrix2x3 kept = {9, 9, 9, 9, 9, 9};
    out = kept;
    EXPECT_EQ(-1, bk_HalfPageMatrix(&identity, &out, 0, 600, 0, 0, 0));
    EXPECT_EQ(-1, bk_HalfPageMatrix(NULL, &out, 600, 600, 0, 0, 0));
    EXPECT_EQ(0, memcmp(&kept, &out, sizeof out)) << "a failure leaves the out matrix alone";
}

TEST(BookletHalfMatrix, TranslateLocalMovesTheSourceOrigin)
{
    const Matrix2x3 matrices[] = {{1, 0, 0, 1, 5, 6}, {0, 1, -1, 0, 800, 0}, {-2, 0, 0, -3, 10, 20}};
    for (const Matrix2x3 &m : matrices) {
        Matrix2x3 moved = m;
        geo_TranslateLocal(&moved, 10, 20);
        float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        Map(m, 10 + 3, 20 + 4, &x0, &y0);
        Map(moved, 3, 4, &x1, &y1);
        EXPECT_FLOAT_EQ(x0, x1);
        EXPECT_FLOAT_EQ(y0, y1);
    }
    geo_TranslateLocal(NULL, 1, 1);
}

} // namespace
