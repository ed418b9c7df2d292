/*
 * The colour scan: the exact and the tolerant grey test, RGB and palette images.
 */
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "render/pdl/compression/colour_analysis.h"

TEST(ColourAnalysis, GreyTests)
{
    struct Case {
        BYTE a, b, c;
        bool exact, tolerant;
    } cases[] = {
        {10, 10, 10, true, true},
        {100, 105, 100, false, true}, // mean 101: 5 below 192
        {100, 108, 100, false, false},
        {200, 202, 200, false, true}, // mean 200: 2 from 192
        {200, 204, 200, false, false},
        {190, 195, 190, false, true}, // mean 191 still 5
        {255, 250, 255, false, false},
        {0, 1, 0, false, true},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(img_IsTolerantGrey(c.a, c.b, c.c) != 0, c.tolerant) << (int)c.a << " " << (int)c.b << " " << (int)c.c;
        std::vector<BYTE> rgb = {c.a, c.b, c.c, 7, 7, 7};
        EXPECT_EQ(img_ScanImageColor(TRUE, rgb.data(), 2, 1, nullptr, 0, 4, 24), c.exact ? 2 : 1);
        EXPECT_EQ(img_ScanImageColor(FALSE, rgb.data(), 2, 1, nullptr, 0, 4, 24), c.tolerant ? 3 : 1);
    }
}

TEST(ColourAnalysis, PaletteImages)
{
    const DWORD greys[2] = {0x000000, 0xFFFFFF};
    const DWORD mixed[4] = {0x000000, 0x808080, 0xFF0000, 0xFFFFFF};
    BYTE data[2] = {0x05, 0x00}; // 4 bits: indices 0, 5 / 1 bit
    EXPECT_EQ(img_ScanImageColor(TRUE, data, 16, 1, greys, 2, 11, 1), 2) << "grey palette: no scan";
    BYTE used[1] = {0x13}; // 4 bits: 1, 3
    EXPECT_EQ(img_ScanImageColor(TRUE, used, 2, 1, mixed, 4, 11, 4), 2) << "the red entry is not used";
    BYTE red[1] = {0x12};
    EXPECT_EQ(img_ScanImageColor(TRUE, red, 2, 1, mixed, 4, 11, 4), 1);
    BYTE eight[2] = {3, 2};
    EXPECT_EQ(img_ScanImageColor(FALSE, eight, 2, 1, mixed, 4, 11, 8), 1);
    EXPECT_EQ(img_ScanImageColor(TRUE, eight, 2, 1, nullptr, 0, 11, 8), 4);
    EXPECT_EQ(img_ScanImageColor(TRUE, eight, 2, 1, mixed, 4, 11, 2), 4);
    EXPECT_EQ(img_ScanImageColor(TRUE, eight, 2, 1, nullptr, 0, 4, 8), 4);
    EXPECT_EQ(img_ScanImageColor(TRUE, eight, 2, 1, mixed, 4, 3, 8), 4);
}
