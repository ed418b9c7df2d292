/*
 * Row conversion of each source depth, shifted origins, widened indices, white-mask
 * rows, conversion through the reducer, and the image checks of the blit core.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <winddi.h>

#include <vector>

#include "platform/testing/qm_testing_engine.h"
#include "render/pdl/images/image_checks.h"
#include "render/pdl/images/reducer.h"
#include "render/pdl/images/row_convert.h"

namespace {

BYTE *Row(SURFOBJ *pso, LONG y)
{
    return (BYTE *)pso->pvScan0 + (LONG_PTR)y * pso->lDelta;
}

std::vector<BYTE> RowOf(const ConvertedRows &rows, DWORD j)
{
    return std::vector<BYTE>(rows.data + j * rows.rowBytes, rows.data + (j + 1) * rows.rowBytes);
}

} // namespace

TEST(RowConvert, ClassifyTranslations)
{
    XLATEOBJ *trivial = qmt_EngineXlateTrivial();
    XLATEOBJ *same = qmt_EngineXlateColors(PAL_BGR, 0, 0, 0, PAL_BGR); // loses the top byte
    XLATEOBJ *swap = qmt_EngineXlateColors(PAL_BGR, 0, 0, 0, PAL_RGB);
    XLATEOBJ *fields = qmt_EngineXlateColors(PAL_BITFIELDS, 0xF800, 0x07E0, 0x001F, PAL_BGR);
    struct Case {
        XLATEOBJ *pxlo;
        DWORD bits;
        XlateClass expected;
    } cases[] = {
        {trivial, 1, XLATE_INDICES},
        {trivial, 4, XLATE_INDICES},
        {trivial, 8, XLATE_INDICES},
        {trivial, 16, XLATE_EACH},
        {fields, 16, XLATE_EACH},
        {trivial, 24, XLATE_COPY},
        {nullptr, 24, XLATE_COPY},
        {trivial, 32, XLATE_FIRST_THREE},
        {same, 24, XLATE_EACH},
        {same, 32, XLATE_FIRST_THREE},
        {swap, 24, XLATE_REVERSE},
        {swap, 32, XLATE_REVERSE},
        {fields, 32, XLATE_EACH},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(img_ClassifyXlate(c.pxlo, c.bits), c.expected) << c.bits << " bits, case " << (&c - cases);
    }
    qmt_EngineFreeXlate(trivial);
    qmt_EngineFreeXlate(same);
    qmt_EngineFreeXlate(swap);
    qmt_EngineFreeXlate(fields);
}

TEST(RowConvert, DirectColourDepths)
{
    XLATEOBJ *trivial = qmt_EngineXlateTrivial();
    XLATEOBJ *same = qmt_EngineXlateColors(PAL_BGR, 0, 0, 0, PAL_BGR);
    XLATEOBJ *swap = qmt_EngineXlateColors(PAL_BGR, 0, 0, 0, PAL_RGB);
    XLATEOBJ *fields = qmt_EngineXlateColors(PAL_BITFIELDS, 0xF800, 0x07E0, 0x001F, PAL_BGR);
    // Three pixels of memory blue, green, red: (1, 2, 3), (4, 5, 6), (7, 8, 9); from x = 1.
    const BYTE bgr[] = {0xAA, 0xBB, 0xCC, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    const std::vector<BYTE> asIs = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    const std::vector<BYTE> reversed = {3, 2, 1, 6, 5, 4, 9, 8, 7};
    struct Case {
        ULONG format;
        XLATEOBJ *pxlo;
        std::vector<BYTE> expected;
    } cases[] = {
        {BMF_24BPP, trivial, asIs},
        {BMF_24BPP, same, asIs},
        {BMF_24BPP, swap, reversed},
        {BMF_32BPP, trivial, asIs},
        {BMF_32BPP, same, asIs},
        {BMF_32BPP, swap, reversed},
    };
    for (const Case &c : cases) {
        SURFOBJ *pso = qmt_EngineBitmap(4, 2, c.format, FALSE);
        ASSERT_NE(pso, nullptr);
        DWORD step = c.format == BMF_32BPP ? 4 : 3;
        for (LONG y = 0; y < 2; ++y) {
            for (DWORD i = 0; i < 4; ++i) {
                memcpy(Row(pso, y) + i * step, bgr + i * 3, 3);
                if (step == 4) {
                    Row(pso, y)[i * 4 + 3] = 0x5A;
                }
            }
        }
        ConvertedRows rows;
        ASSERT_EQ(img_ConvertRows(pso, 1, 1, 3, 1, c.pxlo, IMG_ROWS_COLOUR, nullptr, 1, &rows), 0);
        EXPECT_EQ(rows.bits, 24u);
        EXPECT_EQ(rows.bytes, 9u);
        EXPECT_EQ(RowOf(rows, 0), c.expected) << "case " << (&c - cases);
        img_FreeRows(&rows);
        qmt_EngineFreeBitmap(pso);
    }

    // 16 bits 5-6-5: each pixel through the translation, low byte first.
    SURFOBJ *pso = qmt_EngineBitmap(2, 1, BMF_16BPP, TRUE);
    ASSERT_NE(pso, nullptr);
    const WORD pixels[2] = {0xF800, 0x001F}; // red, blue
    memcpy(Row(pso, 0), pixels, sizeof(pixels));
    ConvertedRows rows;
    ASSERT_EQ(img_ConvertRows(pso, 0, 0, 2, 1, fields, IMG_ROWS_COLOUR, nullptr, 1, &rows), 0);
    EXPECT_EQ(RowOf(rows, 0), (std::vector<BYTE>{0, 0, 0xFF, 0xFF, 0, 0}));
    img_FreeRows(&rows);
    qmt_EngineFreeBitmap(pso);
    qmt_EngineFreeXlate(trivial);
    qmt_EngineFreeXlate(same);
    qmt_EngineFreeXlate(swap);
    qmt_EngineFreeXlate(fields);
}

TEST(RowConvert, IndicesAtOddOriginsAndWidened)
{
    // 4 bits: indices 1..9 in one row; from x = 1, five pixels.
    SURFOBJ *four = qmt_EngineBitmap(10, 1, BMF_4BPP, TRUE);
    ASSERT_NE(four, nullptr);
    const BYTE packed[] = {0x12, 0x34, 0x56, 0x78, 0x9A};
    memcpy(Row(four, 0), packed, sizeof(packed));
    ConvertedRows rows;
    ASSERT_EQ(img_ConvertRows(four, 1, 0, 5, 1, nullptr, IMG_ROWS_COLOUR, nullptr, 1, &rows), 0);
    EXPECT_EQ(rows.bits, 4u);
    EXPECT_EQ(RowOf(rows, 0), (std::vector<BYTE>{0x23, 0x45, 0x60}));
    img_FreeRows(&rows);
    ASSERT_EQ(img_ConvertRows(four, 1, 0, 5, 1, nullptr, IMG_ROWS_COLOUR, nullptr, 8, &rows), 0);
    EXPECT_EQ(rows.bits, 8u);
    EXPECT_EQ(rows.bytes, 5u * 1 + 1);
    EXPECT_EQ(RowOf(rows, 0), (std::vector<BYTE>{2, 3, 4, 5, 6}));
    img_FreeRows(&rows);
    qmt_EngineFreeBitmap(four);

    // 1 bit from x = 3, eleven pixels.
    SURFOBJ *one = qmt_EngineBitmap(16, 1, BMF_1BPP, TRUE);
    ASSERT_NE(one, nullptr);
    Row(one, 0)[0] = 0x1F; // 0001 1111
    Row(one, 0)[1] = 0x81; // 1000 0001
    ASSERT_EQ(img_ConvertRows(one, 3, 0, 11, 1, nullptr, IMG_ROWS_COLOUR, nullptr, 1, &rows), 0);
    EXPECT_EQ(RowOf(rows, 0), (std::vector<BYTE>{0xFC, 0x00}));
    img_FreeRows(&rows);
    BYTE mask[2] = {};
    img_CopyMaskRows(one, 3, 0, 11, 1, mask);
    EXPECT_EQ(mask[0], 0xFC);
    EXPECT_EQ(mask[1], 0x00);
    qmt_EngineFreeBitmap(one);
}

TEST(RowConvert, WhiteMaskRows)
{
    const ULONG palette[3] = {0xFFFFFF, 0x000000, 0x808080}; // white at index 0
    XLATEOBJ *table = qmt_EngineXlateTable(palette, 3);
    SURFOBJ *eight = qmt_EngineBitmap(9, 1, BMF_8BPP, TRUE);
    ASSERT_NE(eight, nullptr);
    const BYTE indices[9] = {0, 1, 2, 0, 0, 1, 1, 2, 0};
    memcpy(Row(eight, 0), indices, sizeof(indices));
    ConvertedRows rows;
    ASSERT_EQ(img_ConvertRows(eight, 0, 0, 9, 1, table, IMG_ROWS_WHITE_MASK, nullptr, 1, &rows), 0);
    EXPECT_EQ(rows.bits, 1u);
    EXPECT_EQ(RowOf(rows, 0), (std::vector<BYTE>{0x98, 0x80}));
    img_FreeRows(&rows);
    qmt_EngineFreeBitmap(eight);

    SURFOBJ *rgb = qmt_EngineBitmap(3, 1, BMF_24BPP, TRUE);
    ASSERT_NE(rgb, nullptr);
    const BYTE colours[9] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF};
    memcpy(Row(rgb, 0), colours, sizeof(colours));
    ASSERT_EQ(img_ConvertRows(rgb, 0, 0, 3, 1, nullptr, IMG_ROWS_WHITE_MASK, nullptr, 1, &rows), 0);
    EXPECT_EQ(RowOf(rows, 0), (std::vector<BYTE>{0xA0}));
    img_FreeRows(&rows);
    qmt_EngineFreeBitmap(rgb);
    qmt_EngineFreeXlate(table);
}

TEST(RowConvert, ThroughTheReducer)
{
    // 4 x 4 of 24 bits, bottom-up, reduced to 2 x 2: each output pixel the mean of a block.
    SURFOBJ *pso = qmt_EngineBitmap(4, 4, BMF_24BPP, FALSE);
    ASSERT_NE(pso, nullptr);
    for (LONG y = 0; y < 4; ++y) {
        for (DWORD i = 0; i < 4; ++i) {
            BYTE value = (BYTE)(y * 40 + i * 10);
            BYTE *pixel = Row(pso, y) + i * 3;
            pixel[0] = pixel[1] = pixel[2] = value;
        }
    }
    Reducer *reducer = img_CreateReducer();
    ASSERT_EQ(img_InitReducer(reducer, 1, 600, 600, 300), 1);
    ASSERT_EQ(img_SetReduction(reducer, 4, 4, 2, 2, 3), 1);
    ConvertedRows rows;
    ASSERT_EQ(img_ConvertRows(pso, 0, 0, 4, 4, nullptr, IMG_ROWS_COLOUR, reducer, 1, &rows), 0);
    EXPECT_EQ(rows.width, 2u);
    EXPECT_EQ(rows.height, 2u);
    EXPECT_EQ(rows.bytes, 12u);
    EXPECT_EQ(RowOf(rows, 0), (std::vector<BYTE>{25, 25, 25, 45, 45, 45}));
    EXPECT_EQ(RowOf(rows, 1), (std::vector<BYTE>{105, 105, 105, 125, 125, 125}));
    img_FreeRows(&rows);
    img_DestroyReducer(reducer);
    qmt_EngineFreeBitmap(pso);
}

TEST(ImageChecks, BlackAndWhite)
{
    const ULONG blackWhite[2] = {0x000000, 0xFFFFFF};
    const ULONG whiteBlack[2] = {0xFFFFFF, 0x000000};
    const ULONG withGrey[2] = {0x000000, 0x808080};
    XLATEOBJ *bw = qmt_EngineXlateTable(blackWhite, 2);
    XLATEOBJ *wb = qmt_EngineXlateTable(whiteBlack, 2);
    XLATEOBJ *grey = qmt_EngineXlateTable(withGrey, 2);
    SURFOBJ *one = qmt_EngineBitmap(8, 2, BMF_1BPP, TRUE);
    SURFOBJ *rgb = qmt_EngineBitmap(2, 1, BMF_24BPP, TRUE);
    ASSERT_NE(one, nullptr);
    ASSERT_NE(rgb, nullptr);
    memset(Row(rgb, 0), 0xFF, 3); // white, black
    SURFOBJ *grey24 = qmt_EngineBitmap(2, 1, BMF_24BPP, TRUE);
    memset(Row(grey24, 0), 0x80, 3);
    POINTL origin = {0, 0};
    struct Case {
        SURFOBJ *pso;
        XLATEOBJ *pxlo;
        DWORD kind, code;
        BOOL expected;
    } cases[] = {
        {one, bw, 2, 184, TRUE},
        {one, wb, 2, 226, TRUE},
        {one, grey, 2, 184, FALSE},
        {one, bw, 2, 204, FALSE},
        {one, bw, 3, 0xB8B8, FALSE},
        {rgb, nullptr, 2, 184, TRUE},
        {grey24, nullptr, 2, 184, FALSE},
    };
    for (const Case &c : cases) {
        DWORD kept = 7;
        EXPECT_EQ(img_IsBlackAndWhite(c.pso, 2, 1, &origin, c.pxlo, &kept, c.kind, c.code), c.expected)
            << "case " << (&c - cases);
        EXPECT_EQ(kept, c.expected ? 1u : 0u);
    }
    qmt_EngineFreeBitmap(one);
    qmt_EngineFreeBitmap(rgb);
    qmt_EngineFreeBitmap(grey24);
    qmt_EngineFreeXlate(bw);
    qmt_EngineFreeXlate(wb);
    qmt_EngineFreeXlate(grey);
}

TEST(ImageChecks, SingleRectangleClip)
{
    CLIPOBJ clip = {};
    clip.iDComplexity = DC_RECT;
    clip.rclBounds = {10, 10, 100, 100};
    RECTL inside = {20, 20, 50, 50};
    RECTL across = {0, 5, 30, 35};
    EXPECT_FALSE(img_IsClippedByRect(30, 30, &clip, &inside));
    EXPECT_TRUE(img_IsClippedByRect(30, 30, &clip, &across));
    EXPECT_FALSE(img_IsClippedByRect(31, 30, &clip, &across)); // not exactly that size
    clip.iDComplexity = DC_COMPLEX;
    EXPECT_FALSE(img_IsClippedByRect(30, 30, &clip, &across));
    clip.iDComplexity = DC_RECT;

    RECTL cut;
    POINTL source = {3, 4};
    EXPECT_TRUE(img_ClipDestination(&clip, &cut, &across, &source));
    EXPECT_EQ(cut.left, 10);
    EXPECT_EQ(cut.top, 10);
    EXPECT_EQ(cut.right, 30);
    EXPECT_EQ(cut.bottom, 35);
    EXPECT_EQ(source.x, 13);
    EXPECT_EQ(source.y, 9);
    RECTL outside = {200, 200, 210, 210};
    EXPECT_FALSE(img_ClipDestination(&clip, &cut, &outside, nullptr));
}
