/*
 * Rotated layout of a box in an area.
 */
#include <gtest/gtest.h>

#include "core/settings/rotated_layout.h"

namespace {

const float kTolerance = 1e-3f;

TEST(RotatedLayout, AngleZeroIsTheIdentity)
{
    const float area[2] = {100, 100}, box[2] = {30, 20}, point[2] = {7, 9};
    RotationLayout l;
    EXPECT_EQ(util_PrepareRotatedLayout(area, box, 0, 0, 0x0101, &l), 1);
    EXPECT_NEAR(l.m11, 1, kTolerance);
    EXPECT_NEAR(l.m12, 0, kTolerance);
    EXPECT_NEAR(l.m21, 0, kTolerance);
    EXPECT_NEAR(l.m22, 1, kTolerance);
    float out[2];
    EXPECT_EQ(util_MapRotatedPoint(&l, point, 0, out), 0) << "a layout placed once has placement 0";
    EXPECT_NEAR(out[0], 7, kTolerance);
    EXPECT_NEAR(out[1], 9, kTolerance);
    EXPECT_EQ(util_MapRotatedPoint(&l, point, 1, out), -1);
}

TEST(RotatedLayout, TilesCountPartialButNotExactFits)
{
    const float area[2] = {100, 100}, box[2] = {30, 20}, point[2] = {0, 0};
    RotationLayout l;
    EXPECT_EQ(util_PrepareRotatedLayout(area, box, 0, 0, 0, &l), 20);
    EXPECT_EQ(l.columns, 4);
    EXPECT_EQ(l.rows, 5);
    EXPECT_NEAR(l.tileWidth, 30, kTolerance);
    EXPECT_NEAR(l.tileHeight, 20, kTolerance);
    float out[2];
    EXPECT_EQ(util_MapRotatedPoint(&l, point, 19, out), 0);
    EXPECT_NEAR(out[0], 90, kTolerance);
    EXPECT_NEAR(out[1], 80, kTolerance);
    EXPECT_EQ(util_MapRotatedPoint(&l, point, 20, out), -1);

    const float flat[2] = {30, 0};
    EXPECT_EQ(util_PrepareRotatedLayout(area, flat, 0, 0, 0, &l), -1) << "a box with a zero side cannot tile";
    EXPECT_EQ(util_PrepareRotatedLayout(nullptr, box, 0, 0, 0, &l), -1);
}

TEST(RotatedLayout, CentredBoundingBox)
{
    const float area[2] = {100, 80}, box[2] = {30, 20};
    RotationLayout l;
    EXPECT_EQ(util_PrepareRotatedLayout(area, box, 90, 0, 0x0202, &l), 1);
    /* turned a quarter: bounding box 20 x 30, dy = sin 90 x 30 before centring */
    EXPECT_NEAR(l.dx, 100 / 2.0f - 20 / 2.0f, kTolerance);
    EXPECT_NEAR(l.dy, 30 + 80 / 2.0f - 30 / 2.0f, kTolerance);
    EXPECT_NEAR(l.m12, 1, kTolerance);
    EXPECT_NEAR(l.m21, -1, kTolerance);
    EXPECT_EQ(l.columns, 0);
}

TEST(RotatedLayout, BoundingBoxBeyondAQuarterTurn)
{
    const float area[2] = {100, 100}, box[2] = {30, 20};
    RotationLayout l;
    /* 180 degrees keeps the box's size: columns and rows as for 0 degrees */
    EXPECT_EQ(util_PrepareRotatedLayout(area, box, 180, 0, 0, &l), 20);
    EXPECT_NEAR(l.tileWidth, 30, kTolerance);
    EXPECT_NEAR(l.tileHeight, 20, kTolerance);
    EXPECT_NEAR(l.m11, -1, kTolerance);
    EXPECT_EQ(util_PrepareRotatedLayout(area, box, -270, 0, 0, &l), 5 * 4);
    EXPECT_NEAR(l.tileWidth, 20, kTolerance);
    EXPECT_NEAR(l.tileHeight, 30, kTolerance);
}

TEST(RotatedLayout, AboutTheCentre)
{
    const float area[2] = {100, 100}, box[2] = {30, 20}, centre[2] = {15, 10};
    RotationLayout l;
    EXPECT_EQ(util_PrepareRotatedLayout(area, box, 90, ROTATE_ABOUT_CENTRE, 0x0101, &l), 1);
    float out[2];
    EXPECT_EQ(util_MapRotatedPoint(&l, centre, 0, out), 0);
    EXPECT_NEAR(out[0], 15, kTolerance) << "the centre stays in place";
    EXPECT_NEAR(out[1], 10, kTolerance);
}

} // namespace
