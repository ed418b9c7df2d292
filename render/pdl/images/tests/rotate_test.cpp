/*
 * The quarter turn: which images turn, the pixel rule at every depth, the reused buffer
 * and the placement rule.
 */
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "render/pdl/images/raster_image.h"

TEST(Rotate, WhichImagesTurn)
{
    struct Case {
        DWORD width, height, bits;
        BOOL turns;
    } cases[] = {
        {64, 1000, 24, FALSE},
        {1000, 64, 24, FALSE},
        {65, 65, 24, TRUE},
        {65, 65, 8, TRUE},
        {65, 65, 16, TRUE},
        {65, 65, 32, TRUE},
        {65, 65, 4, FALSE},
        {65, 65, 1, FALSE},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(img_WantsRotation(c.width, c.height, c.bits), c.turns) << c.width << "x" << c.height << "@" << c.bits;
    }
}

TEST(Rotate, PixelRuleAtEveryDepth)
{
    RotateBuffer *holder = img_CreateRotateBuffer();
    ASSERT_NE(holder, nullptr);
    const DWORD width = 67;
    const DWORD height = 65;
    BYTE *first = nullptr;
    for (DWORD bits : {32u, 24u, 16u, 8u}) {
        DWORD pixel = bits / 8;
        DWORD rowBytes = width * pixel + 3; // rows may be padded
        std::vector<BYTE> source(rowBytes * height);
        for (size_t k = 0; k < source.size(); ++k) {
            source[k] = (BYTE)(k * 7 + k / 251);
        }
        BYTE *rotated = nullptr;
        ASSERT_EQ(img_Rotate90(holder, width, height, rowBytes, bits, source.data(), 1, &rotated), 0) << bits;
        if (first == nullptr) {
            first = rotated;
        }
        EXPECT_EQ(rotated, first) << "one buffer, reused";
        DWORD outRow = height * pixel;
        for (DWORD j = 0; j < height; ++j) {
            for (DWORD i = 0; i < width; ++i) {
                for (DWORD b = 0; b < pixel; ++b) {
                    ASSERT_EQ(rotated[i * outRow + (height - 1 - j) * pixel + b], source[j * rowBytes + i * pixel + b])
                        << bits << " bits at " << i << "," << j;
                }
            }
        }
    }
    BYTE *rotated = nullptr;
    BYTE four[8] = {};
    EXPECT_EQ(img_Rotate90(holder, 4, 2, 2, 4, four, 1, &rotated), 1);
    EXPECT_EQ(img_Rotate90(nullptr, 2, 2, 2, 8, four, 1, &rotated), 1);
    img_FreeRotateBuffer(holder);
}

TEST(Rotate, PlacementRule)
{
    float placement[6] = {2.0f, 0.0f, 0.0f, 3.0f, 5.0f, 7.0f};
    img_RotatePlacement(placement);
    const float expected[6] = {-0.0f, 2.0f, -3.0f, 0.0f, 0.0f, 0.0f};
    for (int k = 0; k < 6; ++k) {
        EXPECT_FLOAT_EQ(placement[k], expected[k]) << k;
    }
}
