/* Region objects: creation, combination, moving, bounds and refused input. */
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_icons.h"

TEST(GdiRegions, KindsBoundsAndCombinations)
{
    DWORD live = qmt_LiveGdiObjects(QMT_GDI_REGION);
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateEllipticRgn(5, 5, 15, 15);
    const POINT star[5] = {{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};
    HRGN c = CreatePolygonRgn(star, 5, WINDING);
    HRGN d = CreateRectRgn(0, 0, 1, 1);
    ASSERT_TRUE(a && b && c && d);
    EXPECT_EQ(qmt_LiveGdiObjects(QMT_GDI_REGION), live + 4);

    RECT box;
    EXPECT_EQ(GetRgnBox(a, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 10);
    EXPECT_EQ(GetRgnBox(b, &box), COMPLEXREGION);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.bottom, 15);
    EXPECT_EQ(GetRgnBox(c, &box), COMPLEXREGION);
    EXPECT_EQ(box.top, 2); /* the tip's first two rows hold no pixel centre */
    EXPECT_EQ(box.bottom, 90);

    const struct {
        int op;
        int kind;
        RECT bounds;
    } ops[] = {
        {RGN_AND, COMPLEXREGION, {5, 5, 10, 10}}, /* the ellipse's rounded corner */
        {RGN_OR, COMPLEXREGION, {0, 0, 15, 15}},
        {RGN_DIFF, COMPLEXREGION, {0, 0, 10, 10}},
        {RGN_COPY, SIMPLEREGION, {0, 0, 10, 10}},
    };
    for (const auto &o : ops) {
        EXPECT_EQ(CombineRgn(d, a, b, o.op), o.kind) << o.op;
        ASSERT_EQ(GetRgnBox(d, &box), o.kind);
        EXPECT_EQ(box.left, o.bounds.left) << o.op;
        EXPECT_EQ(box.top, o.bounds.top) << o.op;
        EXPECT_EQ(box.right, o.bounds.right) << o.op;
        EXPECT_EQ(box.bottom, o.bounds.bottom) << o.op;
    }
    /* The destination may be a source; disjoint AND leaves nothing. */
    HRGN far = CreateRectRgn(100, 100, 110, 110);
    EXPECT_EQ(CombineRgn(a, a, far, RGN_AND), NULLREGION);
    EXPECT_EQ(GetRgnBox(a, &box), NULLREGION);
    EXPECT_EQ(box.right, 0);
    EXPECT_EQ(OffsetRgn(far, -100, 5), SIMPLEREGION);
    EXPECT_EQ(GetRgnBox(far, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 105);
    EXPECT_EQ(OffsetRgn(far, 1 << 27, 0), ERROR); /* beyond the device range: unmoved */
    EXPECT_EQ(GetRgnBox(far, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 0);

    for (HRGN h : {a, b, c, d, far})
        EXPECT_TRUE(DeleteObject(h));
    EXPECT_EQ(qmt_LiveGdiObjects(QMT_GDI_REGION), live);
    EXPECT_EQ(GetRgnBox(a, &box), ERROR); /* stale */
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(CombineRgn(a, b, c, RGN_OR), ERROR);
}

TEST(GdiRegions, BadInputBuildsNothing)
{
    DWORD live = qmt_LiveGdiObjects(QMT_GDI_REGION);
    const POINT pts[4] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
    const INT counts[2] = {3, 1};
    const INT negative[1] = {-4};
    const POINT tall[3] = {{0, 0}, {1, 0}, {0, 70000}};
    EXPECT_EQ(CreateRectRgn(0, 0, (1 << 27) + 1, 1), nullptr);
    EXPECT_EQ(CreateRectRgnIndirect(nullptr), nullptr);
    EXPECT_EQ(CreateEllipticRgn(-(1 << 28), 0, 0, 10), nullptr);
    EXPECT_EQ(CreatePolygonRgn(pts, 2, ALTERNATE), nullptr);
    EXPECT_EQ(CreatePolygonRgn(pts, -4, ALTERNATE), nullptr);
    EXPECT_EQ(CreatePolygonRgn(nullptr, 4, ALTERNATE), nullptr);
    EXPECT_EQ(CreatePolygonRgn(pts, 4, 0), nullptr);
    EXPECT_EQ(CreatePolygonRgn(tall, 3, ALTERNATE), nullptr);
    EXPECT_EQ(CreatePolyPolygonRgn(pts, counts, 2, ALTERNATE), nullptr);
    EXPECT_EQ(CreatePolyPolygonRgn(pts, negative, 1, ALTERNATE), nullptr);
    EXPECT_EQ(CreatePolyPolygonRgn(pts, counts, 0, ALTERNATE), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    HRGN ok = CreateRectRgn(0, 0, 1, 1);
    EXPECT_EQ(CombineRgn(ok, ok, ok, 9), ERROR);
    EXPECT_TRUE(DeleteObject(ok));
    EXPECT_EQ(qmt_LiveGdiObjects(QMT_GDI_REGION), live);
}
