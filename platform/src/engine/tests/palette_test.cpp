/* Engine palettes and colour translation. */
#include <windows.h>
#include <winddi.h>

#include "platform/testing/qm_testing.h"

#include <gtest/gtest.h>

TEST(EnginePalette, CreateAndDeleteAreCounted)
{
    HPALETTE bgr = EngCreatePalette(PAL_BGR, 0, nullptr, 0, 0, 0);
    ASSERT_NE(bgr, nullptr);
    ULONG colors[2] = {0, 0xFFFFFF};
    HPALETTE indexed = EngCreatePalette(PAL_INDEXED, 2, colors, 0, 0, 0);
    ASSERT_NE(indexed, nullptr);
    EXPECT_EQ(qmt_LivePalettes(), 2u);
    EXPECT_TRUE(EngDeletePalette(bgr));
    EXPECT_TRUE(EngDeletePalette(indexed));
    EXPECT_EQ(qmt_LivePalettes(), 0u);
    EXPECT_FALSE(EngDeletePalette(bgr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(EnginePalette, RefusalsLeaveNoPalette)
{
    EXPECT_EQ(EngCreatePalette(0x40, 0, nullptr, 0, 0, 0), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(EngCreatePalette(PAL_INDEXED, 0, nullptr, 0, 0, 0), nullptr);
    qmt_EngineFailCall(QMT_ENGINE_PALETTE, 1, 1);
    HPALETTE first = EngCreatePalette(PAL_BGR, 0, nullptr, 0, 0, 0);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(EngCreatePalette(PAL_BGR, 0, nullptr, 0, 0, 0), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_EQ(qmt_LivePalettes(), 1u);
    EngDeletePalette(first);
    HPALETTE again = EngCreatePalette(PAL_BGR, 0, nullptr, 0, 0, 0);
    EXPECT_NE(again, nullptr);
    EngDeletePalette(again);
}

TEST(EngineXlate, TableTranslation)
{
    const ULONG table[3] = {0x000000, 0x123456, 0xFFFFFF};
    XLATEOBJ *xo = qmt_EngineXlateTable(table, 3);
    EXPECT_TRUE(xo->flXlate & XO_TABLE);
    EXPECT_EQ(xo->cEntries, 3u);
    EXPECT_EQ(XLATEOBJ_iXlate(xo, 1), 0x123456u);
    EXPECT_EQ(XLATEOBJ_iXlate(xo, 2), 0xFFFFFFu);
    EXPECT_EQ(XLATEOBJ_iXlate(xo, 3), 0xFFFFFFFFu); /* past the table */
    EXPECT_EQ(XLATEOBJ_cGetPalette(xo, XO_SRCPALETTE, 0, nullptr), 3u);
    ULONG copy[2] = {};
    EXPECT_EQ(XLATEOBJ_cGetPalette(xo, XO_SRCPALETTE, 2, copy), 2u);
    EXPECT_EQ(copy[1], 0x123456u);
    qmt_EngineFreeXlate(xo);

    /* A translation made outside the engine is read only through its public fields. */
    ULONG own[2] = {7, 8};
    XLATEOBJ plain = {1, XO_TABLE, PAL_INDEXED, PAL_BGR, 2, own};
    EXPECT_EQ(XLATEOBJ_iXlate(&plain, 1), 8u);
    EXPECT_EQ(XLATEOBJ_cGetPalette(&plain, XO_SRCPALETTE, 2, copy), 2u);
    EXPECT_EQ(copy[0], 7u);
    EXPECT_EQ(XLATEOBJ_cGetPalette(&plain, XO_SRCBITFIELDS, 3, copy), 0u);
}

/* Translations without table rebuild direct colours in the destination's byte order. */
TEST(EngineXlate, DirectColours)
{
    XLATEOBJ *x565 = qmt_EngineXlateColors(PAL_BITFIELDS, 0xF800, 0x07E0, 0x001F, PAL_BGR);
    XLATEOBJ *x555 = qmt_EngineXlateColors(PAL_BITFIELDS, 0x7C00, 0x03E0, 0x001F, PAL_RGB);
    XLATEOBJ *bgrToRgb = qmt_EngineXlateColors(PAL_BGR, 0, 0, 0, PAL_RGB);
    XLATEOBJ *trivial = qmt_EngineXlateTrivial();
    struct Case {
        XLATEOBJ *xo;
        ULONG in;
        ULONG out;
    } const cases[] = {
        {x565, 0xF800, 0xFF0000},
        {x565, 0x07E0, 0x00FF00},
        {x565, 0x001F, 0x0000FF},
        {x565, 0xFFFF, 0xFFFFFF},
        {x555, 0x7C00, 0x0000FF},
        {x555, 0x001F, 0xFF0000},
        {bgrToRgb, 0x112233, 0x332211},
        {trivial, 0xABCDEF, 0xABCDEF},
        {nullptr, 0x42, 0x42},
    };
    for (const Case &c : cases)
        EXPECT_EQ(XLATEOBJ_iXlate(c.xo, c.in), c.out) << std::hex << c.in;
    EXPECT_EQ(XLATEOBJ_cGetPalette(x565, XO_SRCPALETTE, 0, nullptr), 0u);
    ULONG masks[3] = {};
    EXPECT_EQ(XLATEOBJ_cGetPalette(x565, XO_SRCBITFIELDS, 3, masks), 3u);
    EXPECT_EQ(masks[0], 0xF800u);
    for (XLATEOBJ *xo : {x565, x555, bgrToRgb, trivial})
        qmt_EngineFreeXlate(xo);
}
