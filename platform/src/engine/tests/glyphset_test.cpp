/* Glyph sets of code pages, driver resources and the rounding multiply-divide. */
#include <windows.h>
#include <winddi.h>

#include "platform/testing/qm_testing.h"

#include <gtest/gtest.h>

#include <string.h>

/* Checks the shape of a glyph set: runs ascending and apart, handles inside the block. */
static void ExpectWellFormed(const FD_GLYPHSET *set)
{
    ULONG total = 0;
    const BYTE *begin = reinterpret_cast<const BYTE *>(set), *end = begin + set->cjThis;
    for (ULONG i = 0; i < set->cRuns; ++i) {
        const WCRUN &run = set->awcrun[i];
        EXPECT_GT(run.cGlyphs, 0);
        if (i > 0) {
            EXPECT_GT(run.wcLow, set->awcrun[i - 1].wcLow + set->awcrun[i - 1].cGlyphs);
        }
        EXPECT_GE(reinterpret_cast<const BYTE *>(run.phg), begin);
        EXPECT_LE(reinterpret_cast<const BYTE *>(run.phg + run.cGlyphs), end);
        total += run.cGlyphs;
    }
    EXPECT_EQ(total, set->cGlyphsSupported);
}

/* The handle of the glyph for Unicode value wc, or HGLYPH_INVALID. */
static HGLYPH HandleOf(const FD_GLYPHSET *set, WCHAR wc)
{
    for (ULONG i = 0; i < set->cRuns; ++i) {
        const WCRUN &run = set->awcrun[i];
        if (wc >= run.wcLow && wc < run.wcLow + run.cGlyphs)
            return run.phg[wc - run.wcLow];
    }
    return HGLYPH_INVALID;
}

TEST(EngineGlyphSet, DefaultSetIsOneGlobalBlock)
{
    DWORD before = qmt_LiveGlobalBlocks();
    FD_GLYPHSET *set = EngComputeGlyphSet(0, 0, 256);
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(qmt_LiveGlobalBlocks(), before + 1);
    EXPECT_EQ(GlobalSize(GlobalHandle(set)), static_cast<SIZE_T>(set->cjThis));
    EXPECT_EQ(set->flAccel, static_cast<FLONG>(GS_8BIT_HANDLES));
    EXPECT_GE(set->cGlyphsSupported, 251u);
    ExpectWellFormed(set);
    EXPECT_EQ(HandleOf(set, u'A'), 0x41u);
    EXPECT_EQ(HandleOf(set, 0x20AC), 0x80u); /* euro sign of code page 1252 */
    EXPECT_EQ(HandleOf(set, 0x00E9), 0xE9u);
    EXPECT_EQ(GlobalFree(set), nullptr);
    EXPECT_EQ(qmt_LiveGlobalBlocks(), before);
}

TEST(EngineGlyphSet, DoubleByteCodePageLeavesLeadBytesOut)
{
    FD_GLYPHSET *set = EngComputeGlyphSet(932, 0x80, 0x80);
    ASSERT_NE(set, nullptr);
    ExpectWellFormed(set);
    EXPECT_EQ(HandleOf(set, 0xFF61), 0xA1u); /* half-width katakana */
    EXPECT_EQ(HandleOf(set, 0xFF9F), 0xDFu);
    EXPECT_LE(set->cGlyphsSupported, 128u - 31u - 29u); /* lead bytes 0x81-0x9F, 0xE0-0xFC absent */
    GlobalFree(set);
}

TEST(EngineGlyphSet, RefusesBadRangesAndInjectedFaults)
{
    const struct {
        INT first, count;
    } bad[] = {{0, 0}, {0, 257}, {200, 100}, {-1, 10}};
    for (const auto &b : bad)
        EXPECT_EQ(EngComputeGlyphSet(0, b.first, b.count), nullptr) << b.first << " " << b.count;
    DWORD before = qmt_LiveGlobalBlocks();
    qmt_EngineFailCall(QMT_ENGINE_GLYPHSET, 0, 1);
    EXPECT_EQ(EngComputeGlyphSet(0, 0, 256), nullptr);
    EXPECT_EQ(qmt_LiveGlobalBlocks(), before);
}

TEST(EngineResource, FindsTheModulesResourceByNumbers)
{
    ULONG size = 99;
    const BYTE *data = static_cast<const BYTE *>(EngFindResource(nullptr, 6, 260, &size));
    ASSERT_NE(data, nullptr);
    ASSERT_EQ(size, 8u);
    const BYTE expected[8] = {0x02, 0x01, 0, 0, 0x04, 0x03, 0, 0};
    EXPECT_EQ(memcmp(data, expected, 8), 0);

    size = 99;
    EXPECT_EQ(EngFindResource(nullptr, 7, 260, &size), nullptr);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
    EXPECT_EQ(EngFindResource(nullptr, 6, 260, nullptr), nullptr);
}

TEST(EngineMulDiv, RoundsToNearestAndReportsOverflow)
{
    const struct {
        INT a, b, c, r;
    } cases[] = {
        {7, 3, 2, 11},
        {-7, 3, 2, -11},
        {7, -3, -2, 11},
        {10, 10, 3, 33},
        {1, 1, 0, -1},
        {0x7FFFFFFF, 2, 1, -1},
        {600, 7016, 600, 7016},
    };
    for (const auto &c : cases)
        EXPECT_EQ(EngMulDiv(c.a, c.b, c.c), c.r) << c.a << " " << c.b << " " << c.c;
}
