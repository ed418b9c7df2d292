/*
 * Rectangle arithmetic of the user area.
 */
#include <gtest/gtest.h>
#include <windows.h>

namespace {

TEST(UserRects, IntersectionIsEmptyWhenTheRectanglesOnlyTouch)
{
    const struct {
        RECT a, b;
        BOOL result;
        RECT out;
    } cases[] = {
        {{0, 0, 10, 10}, {5, 5, 20, 20}, TRUE, {5, 5, 10, 10}},
        {{0, 0, 10, 10}, {2, 3, 4, 5}, TRUE, {2, 3, 4, 5}},
        {{0, 0, 10, 10}, {10, 0, 20, 10}, FALSE, {0, 0, 0, 0}}, // touching edges
        {{0, 0, 10, 10}, {20, 20, 30, 30}, FALSE, {0, 0, 0, 0}},
        {{0, 0, 0, 10}, {0, 0, 10, 10}, FALSE, {0, 0, 0, 0}}, // empty source
    };
    for (const auto &c : cases) {
        RECT out = {99, 99, 99, 99};
        EXPECT_EQ(IntersectRect(&out, &c.a, &c.b), c.result);
        EXPECT_EQ(out.left, c.out.left);
        EXPECT_EQ(out.top, c.out.top);
        EXPECT_EQ(out.right, c.out.right);
        EXPECT_EQ(out.bottom, c.out.bottom);
    }
    RECT same = {0, 0, 10, 10}, other = {5, 0, 15, 5};
    EXPECT_TRUE(IntersectRect(&same, &same, &other)); // the destination may be a source
    EXPECT_EQ(same.left, 5);
    EXPECT_EQ(same.bottom, 5);
    EXPECT_FALSE(IntersectRect(&same, nullptr, &other));
}

} // namespace
