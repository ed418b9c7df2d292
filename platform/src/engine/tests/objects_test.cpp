/* Engine objects a driver reads while drawing: brushes, transforms, fonts, clips, paths,
 * strings. */
#include <windows.h>
#include <winddi.h>

#include "platform/testing/qm_testing.h"

#include <gtest/gtest.h>

#include <vector>

TEST(EngineBrush, RealisationBelongsToTheBrush)
{
    BRUSHOBJ bo = {0xFFFFFFFF, nullptr, 0};
    void *rb = BRUSHOBJ_pvAllocRbrush(&bo, 28 + 24);
    ASSERT_NE(rb, nullptr);
    EXPECT_EQ(bo.pvRbrush, rb);
    EXPECT_EQ(BRUSHOBJ_pvGetRbrush(&bo), rb);
    EXPECT_EQ(BRUSHOBJ_ulGetBrushColor(&bo), 0xFFFFFFFFu);
    EXPECT_EQ(qmt_LiveRealizedBrushes(), 1u);
    qmt_EngineReleaseBrush(&bo);
    EXPECT_EQ(qmt_LiveRealizedBrushes(), 0u);

    EXPECT_EQ(BRUSHOBJ_pvAllocRbrush(nullptr, 4), nullptr);
    EXPECT_EQ(BRUSHOBJ_pvAllocRbrush(&bo, 0), nullptr);
    qmt_EngineFailCall(QMT_ENGINE_RBRUSH, 0, 1);
    EXPECT_EQ(BRUSHOBJ_pvAllocRbrush(&bo, 4), nullptr);
    EXPECT_EQ(qmt_LiveRealizedBrushes(), 0u);
}

/* A scaled font's transform maps notional points to device points. */
TEST(EngineXform, FontTransformAppliesInEveryMode)
{
    FONTOBJ *fo = qmt_EngineFont(nullptr, 2.0f, 3.0f, FO_TYPE_DEVICE, 1);
    XFORMOBJ *xo = FONTOBJ_pxoGetXform(fo);
    ASSERT_NE(xo, nullptr);
    XFORML m;
    EXPECT_EQ(XFORMOBJ_iGetXform(xo, &m), static_cast<ULONG>(GX_SCALE));
    EXPECT_EQ(m.eM22, 3.0f);

    const struct {
        ULONG mode;
        POINTL in;
        POINTL out;
    } cases[] = {
        {XF_LTOL, {10, 20}, {20, 60}},
        {XF_LTOFX, {10, 20}, {320, 960}},
        {XF_INV_LTOL, {20, 60}, {10, 20}},
        {XF_INV_FXTOL, {320, 960}, {10, 20}},
        {XF_INV_LTOL, {3, -3}, {2, -1}}, /* 1.5 -> 2, -1 exactly */
    };
    for (const auto &c : cases) {
        POINTL p = c.in;
        ASSERT_TRUE(XFORMOBJ_bApplyXform(xo, c.mode, 1, &p, &p)) << c.mode; /* in place */
        EXPECT_EQ(p.x, c.out.x) << c.mode;
        EXPECT_EQ(p.y, c.out.y) << c.mode;
    }
    POINTL p = {1, 1};
    EXPECT_FALSE(XFORMOBJ_bApplyXform(xo, 4, 1, &p, &p));
    EXPECT_FALSE(XFORMOBJ_bApplyXform(nullptr, XF_LTOL, 1, &p, &p));
    qmt_EngineFreeFont(fo);
}

TEST(EngineXform, KindsAndSingularInverse)
{
    const struct {
        XFORML m;
        ULONG kind;
    } cases[] = {
        {{1, 0, 0, 1, 0, 0}, GX_IDENTITY},
        {{1, 0, 0, 1, 5, 0}, GX_OFFSET},
        {{2, 0, 0, 1, 0, 0}, GX_SCALE},
        {{0, 1, -1, 0, 0, 0}, GX_GENERAL},
    };
    for (const auto &c : cases) {
        XFORMOBJ *xo = qmt_EngineXform(&c.m);
        EXPECT_EQ(XFORMOBJ_iGetXform(xo, nullptr), c.kind);
        qmt_EngineFreeXform(xo);
    }
    XFORML flat = {1, 1, 1, 1, 0, 0};
    XFORMOBJ *xo = qmt_EngineXform(&flat);
    POINTL p = {1, 2};
    EXPECT_FALSE(XFORMOBJ_bApplyXform(xo, XF_INV_LTOL, 1, &p, &p));
    EXPECT_TRUE(XFORMOBJ_bApplyXform(xo, XF_LTOL, 1, &p, &p));
    EXPECT_EQ(p.x, 3);
    qmt_EngineFreeXform(xo);
    EXPECT_EQ(XFORMOBJ_iGetXform(nullptr, nullptr), DDI_ERROR);
}

TEST(EngineFont, GlyphsAsBitmapsAndOutlines)
{
    IFIMETRICS ifi = {};
    ifi.fwdUnitsPerEm = 2048;
    FONTOBJ *fo = qmt_EngineFont(&ifi, 0.5f, 0.5f, FO_TYPE_TRUETYPE | FO_SIM_BOLD, 3);
    EXPECT_EQ(FONTOBJ_pifi(fo), &ifi);
    EXPECT_EQ(fo->iFace, 3u);
    const BYTE rows[2] = {0xC0, 0x40};
    ASSERT_TRUE(qmt_EngineFontAddBitmapGlyph(fo, 7, -1, -2, 2, 2, rows, 48));
    PATHOBJ *outline = qmt_EnginePath();
    qmt_EnginePathMoveTo(outline, 0, 0);
    POINTFIX line[2] = {{16, 0}, {16, 16}};
    qmt_EnginePathLineTo(outline, 2, line);
    qmt_EnginePathClose(outline);
    ASSERT_TRUE(qmt_EngineFontAddOutlineGlyph(fo, 7, outline, 48));

    HGLYPH hg = 7;
    GLYPHDATA *gd = nullptr;
    ASSERT_EQ(FONTOBJ_cGetGlyphs(fo, FO_GLYPHBITS, 1, &hg, reinterpret_cast<PVOID *>(&gd)), 1u);
    EXPECT_EQ(gd->hg, 7u);
    EXPECT_EQ(gd->fxD, 48);
    EXPECT_EQ(gd->gdf.pgb->sizlBitmap.cx, 2);
    EXPECT_EQ(gd->gdf.pgb->ptlOrigin.y, -2);
    EXPECT_EQ(gd->gdf.pgb->aj[1], 0x40);
    ASSERT_EQ(FONTOBJ_cGetGlyphs(fo, FO_PATHOBJ, 1, &hg, reinterpret_cast<PVOID *>(&gd)), 1u);
    PATHDATA pd;
    EXPECT_FALSE(PATHOBJ_bEnum(gd->gdf.ppo, &pd));
    EXPECT_EQ(pd.count, 3u);

    hg = 8;
    EXPECT_EQ(FONTOBJ_cGetGlyphs(fo, FO_GLYPHBITS, 1, &hg, reinterpret_cast<PVOID *>(&gd)), 0u);
    qmt_EngineFreeFont(fo);
    EXPECT_EQ(qmt_LiveEnginePaths(), 0u);
}

class EngineClip : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const RECTL rects[3] = {{0, 0, 10, 10}, {20, 0, 30, 10}, {0, 20, 10, 30}};
        co = qmt_EngineClip(rects, 3);
    }
    void TearDown() override
    {
        qmt_EngineFreeClip(co);
    }
    CLIPOBJ *co = nullptr;
};

TEST_F(EngineClip, ComplexityAndBounds)
{
    EXPECT_EQ(co->iDComplexity, DC_COMPLEX);
    EXPECT_EQ(co->rclBounds.right, 30);
    EXPECT_EQ(co->rclBounds.bottom, 30);
    RECTL one = {1, 2, 3, 4};
    CLIPOBJ *rect = qmt_EngineClip(&one, 1);
    CLIPOBJ *trivial = qmt_EngineClip(nullptr, 0);
    EXPECT_EQ(rect->iDComplexity, DC_RECT);
    EXPECT_EQ(rect->rclBounds.bottom, 4);
    EXPECT_EQ(trivial->iDComplexity, DC_TRIVIAL);
    qmt_EngineFreeClip(rect);
    qmt_EngineFreeClip(trivial);
}

TEST_F(EngineClip, EnumeratesInBatchesAndDirections)
{
    EXPECT_EQ(CLIPOBJ_cEnumStart(co, FALSE, CT_RECTANGLES, CD_ANY, 2), 0xFFFFFFFFu);
    EXPECT_EQ(CLIPOBJ_cEnumStart(co, FALSE, CT_RECTANGLES, CD_LEFTUP, 0), 3u);
    struct {
        ULONG c;
        RECTL arcl[2];
    } batch;
    ASSERT_TRUE(CLIPOBJ_bEnum(co, sizeof(batch), reinterpret_cast<ULONG *>(&batch)));
    ASSERT_EQ(batch.c, 2u);
    EXPECT_EQ(batch.arcl[0].top, 20);  /* bottom row first */
    EXPECT_EQ(batch.arcl[1].left, 20); /* then right to left */
    EXPECT_FALSE(CLIPOBJ_bEnum(co, sizeof(batch), reinterpret_cast<ULONG *>(&batch)));
    ASSERT_EQ(batch.c, 1u);
    EXPECT_EQ(batch.arcl[0].left, 0);
    EXPECT_EQ(batch.arcl[0].top, 0);
}

TEST_F(EngineClip, PathOfTheRegionIsDeletedByTheCaller)
{
    PATHOBJ *po = CLIPOBJ_ppoGetPath(co);
    ASSERT_NE(po, nullptr);
    EXPECT_EQ(qmt_LiveEnginePaths(), 1u);
    PATHOBJ_vEnumStart(po);
    PATHDATA pd;
    int runs = 0;
    BOOL more;
    do {
        more = PATHOBJ_bEnum(po, &pd);
        EXPECT_EQ(pd.flags, static_cast<FLONG>(PD_BEGINSUBPATH | PD_ENDSUBPATH | PD_CLOSEFIGURE));
        EXPECT_EQ(pd.count, 4u);
        ++runs;
    } while (more);
    EXPECT_EQ(runs, 3);
    EXPECT_EQ(pd.pptfx[2].x, 10 * 16);
    EXPECT_EQ(pd.pptfx[2].y, 30 * 16);
    EngDeletePath(po);
    EXPECT_EQ(qmt_LiveEnginePaths(), 0u);
}

/* A path of lines and curves enumerates as runs with the subpath flags set where they
 * begin and end. */
TEST(EnginePath, LinesAndCurvesEnumerateAsRuns)
{
    PATHOBJ *po = qmt_EnginePath();
    qmt_EnginePathMoveTo(po, 0, 0);
    POINTFIX lines[2] = {{160, 0}, {160, 160}};
    qmt_EnginePathLineTo(po, 2, lines);
    POINTFIX curve[3] = {{100, 200}, {50, 200}, {0, 160}};
    qmt_EnginePathBezierTo(po, 3, curve);
    qmt_EnginePathClose(po);
    qmt_EnginePathMoveTo(po, 320, 320);
    qmt_EnginePathBezierTo(po, 3, curve);
    EXPECT_TRUE(po->fl & PO_BEZIERS);
    EXPECT_EQ(po->cCurves, 4u);

    const struct {
        FLONG flags;
        ULONG count;
    } expected[] = {
        {PD_BEGINSUBPATH, 3},
        {PD_BEZIERS | PD_ENDSUBPATH | PD_CLOSEFIGURE, 3},
        {PD_BEGINSUBPATH | PD_BEZIERS, 4},
    };
    PATHOBJ_vEnumStart(po);
    PATHDATA pd;
    for (size_t i = 0; i < 3; ++i) {
        BOOL more = PATHOBJ_bEnum(po, &pd);
        EXPECT_EQ(more, i < 2 ? TRUE : FALSE) << i;
        EXPECT_EQ(pd.flags, expected[i].flags) << i;
        EXPECT_EQ(pd.count, expected[i].count) << i;
    }
    EXPECT_EQ(pd.pptfx[0].x, 320);
    PATHOBJ_vEnumStart(po);
    EXPECT_TRUE(PATHOBJ_bEnum(po, &pd));
    EXPECT_EQ(pd.pptfx[1].x, 160);
    EngDeletePath(po);
}

TEST(EngineString, GlyphsComeInOneBatch)
{
    GLYPHPOS gp[3] = {{1, nullptr, {10, 50}}, {2, nullptr, {20, 50}}, {3, nullptr, {30, 50}}};
    STROBJ *so = qmt_EngineString(gp, 3, u"abc", 10, SO_HORIZONTAL, FALSE);
    EXPECT_EQ(so->pgp, nullptr);
    EXPECT_EQ(so->cGlyphs, 3u);
    EXPECT_EQ(so->pwszOrg[1], u'b');
    STROBJ_vEnumStart(so);
    ULONG c = 0;
    GLYPHPOS *pos = nullptr;
    EXPECT_FALSE(STROBJ_bEnum(so, &c, &pos));
    ASSERT_EQ(c, 3u);
    EXPECT_EQ(pos[2].hg, 3u);
    EXPECT_EQ(pos[2].ptl.x, 30);
    EXPECT_FALSE(STROBJ_bEnum(so, &c, &pos));
    EXPECT_EQ(c, 0u);
    qmt_EngineFreeString(so);

    STROBJ *with = qmt_EngineString(gp, 3, nullptr, 0, 0, TRUE);
    ASSERT_NE(with->pgp, nullptr);
    EXPECT_EQ(with->pgp[1].ptl.x, 20);
    qmt_EngineFreeString(with);
}

/* A realiser standing in for the driver's: records its call and realises 8 bytes. */
static int g_realize_calls;
static ULONG g_realized_hatch;
static BOOL WINAPI RealizeForTest(BRUSHOBJ *pbo, SURFOBJ *, SURFOBJ *psoPattern, SURFOBJ *, XLATEOBJ *, ULONG iHatch)
{
    ++g_realize_calls;
    g_realized_hatch = iHatch;
    if (!psoPattern)
        return FALSE;
    return BRUSHOBJ_pvAllocRbrush(pbo, 8) != nullptr;
}

/* A pattern brush is realised by the driver on first use, once. */
// A realiser that checks the horizontal hatch: row 4 all lines (bits 0), the others all
// background, translated {lines, background}.
static BOOL WINAPI CheckHatchPattern(BRUSHOBJ *pbo, SURFOBJ *, SURFOBJ *pattern, SURFOBJ *, XLATEOBJ *xlate,
                                     ULONG hatch)
{
    const BYTE *row = (const BYTE *)pattern->pvScan0;
    bool good = hatch == HS_HORIZONTAL && pattern->iBitmapFormat == BMF_1BPP && xlate->cEntries == 2 &&
                xlate->pulXlate[0] == 0xFF0000 && xlate->pulXlate[1] == 0xFFFFFF;
    for (int y = 0; y < 8 && good; ++y, row += pattern->lDelta)
        good = row[0] == (y == 4 ? 0x00 : 0xFF);
    return good && BRUSHOBJ_pvAllocRbrush(pbo, 4) != nullptr;
}

TEST(EngineBrush, PatternBrushIsRealisedOnDemand)
{
    g_realize_calls = 0;
    SURFOBJ *target = qmt_EngineBitmap(8, 8, BMF_24BPP, FALSE);
    SURFOBJ *pattern = qmt_EngineBitmap(8, 8, BMF_1BPP, FALSE);
    BRUSHOBJ *bo = qmt_EnginePatternBrush(target, pattern, nullptr, nullptr, HS_DDI_MAX, RealizeForTest);
    EXPECT_EQ(bo->iSolidColor, 0xFFFFFFFFu);
    void *rb = BRUSHOBJ_pvGetRbrush(bo);
    ASSERT_NE(rb, nullptr);
    EXPECT_EQ(BRUSHOBJ_pvGetRbrush(bo), rb);
    EXPECT_EQ(g_realize_calls, 1);
    EXPECT_EQ(g_realized_hatch, static_cast<ULONG>(HS_DDI_MAX));
    qmt_EngineFreeBrush(bo);
    EXPECT_EQ(qmt_LiveRealizedBrushes(), 0u);

    BRUSHOBJ *solid = qmt_EngineSolidBrush(0x00FF00);
    EXPECT_EQ(BRUSHOBJ_pvGetRbrush(solid), nullptr);
    EXPECT_EQ(BRUSHOBJ_ulGetBrushColor(solid), 0x00FF00u);
    qmt_EngineFreeBrush(solid);
    qmt_EngineFreeBitmap(target);
    qmt_EngineFreeBitmap(pattern);
}

TEST(EnginePath, BoundsEllipsesAndClipsShapedAsPaths)
{
    PATHOBJ *po = qmt_EnginePath();
    RECTFX bounds = {1, 1, 1, 1};
    PATHOBJ_vGetBounds(po, &bounds);
    EXPECT_EQ(bounds.xLeft | bounds.yTop | bounds.xRight | bounds.yBottom, 0); // empty: zeros
    qmt_EnginePathEllipse(po, 160, 320, 800, 640);
    EXPECT_TRUE(po->fl & PO_ELLIPSE);
    PATHOBJ_vGetBounds(po, &bounds);
    EXPECT_EQ(bounds.xLeft, 160);
    EXPECT_EQ(bounds.yTop, 320);
    EXPECT_EQ(bounds.xRight, 800);
    EXPECT_EQ(bounds.yBottom, 640);

    CLIPOBJ *co = qmt_EngineClipPath(po);
    ASSERT_NE(co, nullptr);
    EXPECT_EQ(co->iDComplexity, (BYTE)DC_COMPLEX);
    EXPECT_EQ(co->rclBounds.left, 10);
    EXPECT_EQ(co->rclBounds.bottom, 40);
    PATHOBJ *copy = CLIPOBJ_ppoGetPath(co);
    PATHDATA pd;
    PATHOBJ_vEnumStart(copy);
    PATHOBJ_bEnum(copy, &pd);
    EXPECT_EQ(pd.pptfx[0].x, 800); // the ellipse starts at its right-hand point
    EngDeletePath(copy);
    qmt_EngineFreeClip(co);
    EngDeletePath(po);
}

TEST(EngineXform, FloatMatrixMatchesTheMatrix)
{
    XFORML m = {2.0f, 0.5f, 0.0f, 3.0f, 4.0f, 5.0f};
    XFORMOBJ *xo = qmt_EngineXform(&m);
    FLOATOBJ_XFORM f;
    EXPECT_EQ(XFORMOBJ_iGetFloatObjXform(xo, &f), (ULONG)GX_GENERAL);
    EXPECT_EQ(f.eM11, 2.0f);
    EXPECT_EQ(f.eM12, 0.5f);
    EXPECT_EQ(f.eDy, 5.0f);
    qmt_EngineFreeXform(xo);
    EXPECT_EQ(XFORMOBJ_iGetFloatObjXform(nullptr, &f), (ULONG)DDI_ERROR);
}

// The hatch brush hands the driver the engine's own 8 x 8 pattern, lines as colour 0.
TEST(EngineBrush, HatchBrushCarriesTheEnginePattern)
{
    DWORD surfaces = qmt_LiveSurfaces();
    SURFOBJ *target = qmt_EngineBitmap(8, 8, BMF_24BPP, FALSE);
    EXPECT_EQ(qmt_EngineHatchBrush(target, HS_DDI_MAX, 0, 0, RealizeForTest), nullptr);
    BRUSHOBJ *bo = qmt_EngineHatchBrush(target, HS_HORIZONTAL, 0xFF0000, 0xFFFFFF, CheckHatchPattern);
    ASSERT_NE(bo, nullptr);
    EXPECT_NE(BRUSHOBJ_pvGetRbrush(bo), nullptr);
    qmt_EngineFreeBrush(bo);
    qmt_EngineFreeBitmap(target);
    EXPECT_EQ(qmt_LiveSurfaces(), surfaces); // the pattern went with the brush
}
