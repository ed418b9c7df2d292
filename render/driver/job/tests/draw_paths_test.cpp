/*
 * Path calls through the entry points: shapes, clips, line attributes, brushes and raster
 * operations as the stream carries them, and the calls that are refused.
 */
#include <windows.h>
#include <winddi.h>

#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_engine.h"
#include "render/driver/entry/entry.h"
#include "render/driver/job/tests/job_fixture.h"
#include "render/pdl/brushes/brushes.h"

namespace job_test {
namespace {

using Strings = std::vector<std::string>;

// Mixes: copy pen on both sides, and copy pen over an untouched background.
const MIX kCopyPen = 0x0D0D;
const MIX kTransparentPen = 0x0B0D;
const ULONG kRed = 0xFF0000; // PAL_BGR: red in the third byte

// A built path, freed with the test.
struct Path {
    PATHOBJ *ppo = qmt_EnginePath();
    ~Path()
    {
        EngDeletePath(ppo);
    }
    // A closed polygon of pixel points.
    Path &Poly(std::initializer_list<POINTL> points)
    {
        bool first = true;
        for (const POINTL &p : points) {
            POINTFIX fix = {p.x * 16, p.y * 16};
            if (first)
                qmt_EnginePathMoveTo(ppo, fix.x, fix.y);
            else
                qmt_EnginePathLineTo(ppo, 1, &fix);
            first = false;
        }
        qmt_EnginePathClose(ppo);
        return *this;
    }
    Path &Rect(LONG l, LONG t, LONG r, LONG b)
    {
        return Poly({{l, t}, {r, t}, {r, b}, {l, b}});
    }
    Path &Ellipse(LONG l, LONG t, LONG r, LONG b)
    {
        qmt_EnginePathEllipse(ppo, l * 16, t * 16, r * 16, b * 16);
        return *this;
    }
};

class DrawPathTest : public JobTest
{
protected:
    void SetUp() override
    {
        paths_ = qmt_LiveEnginePaths();
        realized_ = qmt_LiveRealizedBrushes();
        JobTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(Open());
        ASSERT_TRUE(StartDoc());
        ASSERT_TRUE(DrvStartPage(surface_));
    }
    // Ends the page and the job; the page's drawing commands (from the page transform on,
    // without comments), each a listing line without "body ".
    Strings Drawn(bool endOk = true)
    {
        EXPECT_TRUE(DrvSendPage(surface_) || !endOk);
        EXPECT_EQ(EndDoc(), endOk ? TRUE : FALSE);
        Strings drawn;
        bool inPage = false;
        for (const std::string &line : Listing()) {
            if (line.rfind("body ", 0) != 0)
                continue;
            std::string command = line.substr(5);
            if (command.rfind("EP", 0) == 0) {
                if (command.find("StartPage") != std::string::npos)
                    inPage = true;
                if (command.find("EndPage") != std::string::npos)
                    inPage = false;
                continue;
            }
            if (inPage)
                drawn.push_back(command);
        }
        return drawn;
    }
    BOOL Fill(PATHOBJ *ppo, CLIPOBJ *pco, BRUSHOBJ *pbo, MIX mix = kCopyPen, FLONG options = FP_ALTERNATEMODE)
    {
        return DrvFillPath(surface_, ppo, pco, pbo, nullptr, mix, options);
    }
    BOOL Stroke(PATHOBJ *ppo, BRUSHOBJ *pbo, LINEATTRS *la, XFORMOBJ *pxo = nullptr, CLIPOBJ *pco = nullptr)
    {
        return DrvStrokePath(surface_, ppo, pco, pxo, pbo, nullptr, la, kCopyPen);
    }
    BRUSHOBJ *Solid(ULONG color)
    {
        brushes_.push_back(qmt_EngineSolidBrush(color));
        return brushes_.back();
    }
    void TearDown() override
    {
        for (BRUSHOBJ *pbo : brushes_)
            qmt_EngineFreeBrush(pbo);
        JobTest::TearDown();
        EXPECT_EQ(qmt_LiveEnginePaths(), paths_) << "engine paths left";
        EXPECT_EQ(qmt_LiveRealizedBrushes(), realized_) << "realised brushes left";
    }
    std::vector<BRUSHOBJ *> brushes_;
    DWORD paths_ = 0, realized_ = 0;
};

bool Has(const Strings &list, const std::string &item, bool prefix = false)
{
    return Find(list, item, 0, prefix) < list.size();
}

size_t CountPrefix(const Strings &list, const std::string &prefix)
{
    size_t n = 0;
    for (const std::string &line : list)
        n += line.rfind(prefix, 0) == 0;
    return n;
}

TEST_F(DrawPathTest, FilledRectangleIsOneRectangleCommandInTheBrushColour)
{
    Path rect;
    rect.Rect(10, 20, 110, 70);
    ASSERT_TRUE(Fill(rect.ppo, nullptr, Solid(kRed)));
    Strings drawn = Drawn();
    EXPECT_TRUE(Has(drawn, "AL 1 13")) << ::testing::PrintToString(drawn);
    EXPECT_TRUE(Has(drawn, "AM 2 4 #ff0000")) << ::testing::PrintToString(drawn);
    EXPECT_TRUE(Has(drawn, "AJ 1"));
    EXPECT_TRUE(Has(drawn, "CG 10 20 110 70")) << ::testing::PrintToString(drawn);
    EXPECT_FALSE(Has(drawn, "BA"));
}

TEST_F(DrawPathTest, ShapesPickTheirCommands)
{
    Path ellipse, vertical;
    ellipse.Ellipse(100, 100, 300, 200);
    vertical.Poly({{10, 10}, {10, 50}, {90, 50}, {90, 10}});
    ASSERT_TRUE(Fill(ellipse.ppo, nullptr, Solid(0)));
    ASSERT_TRUE(Fill(vertical.ppo, nullptr, Solid(0)));
    // A geometric pen under a scaling transform: the ellipse goes out as a path, drawn
    // under the pen transform and the page transform back after it.
    XFORML scale = {2.0f, 0, 0, 2.0f, 0, 0};
    XFORMOBJ *pxo = qmt_EngineXform(&scale);
    LINEATTRS la = {};
    la.fl = LA_GEOMETRIC;
    la.iJoin = JOIN_MITER;
    la.iEndCap = ENDCAP_BUTT;
    la.elWidth.e = 2.5f;
    la.eMiterLimit = 0.5f;
    ASSERT_TRUE(Stroke(ellipse.ppo, Solid(0), &la, pxo));
    qmt_EngineFreeXform(pxo);
    Strings drawn = Drawn();
    EXPECT_EQ(CountPrefix(drawn, "Cc "), 1u) << ::testing::PrintToString(drawn);
    EXPECT_TRUE(Has(drawn, "Cc 200 150 100 50 0 360")) << ::testing::PrintToString(drawn);
    EXPECT_EQ(CountPrefix(drawn, "BA"), 2u); // the vertical-first rectangle and the stroke
    EXPECT_TRUE(Has(drawn, "AG 1"));
    EXPECT_TRUE(Has(drawn, "Ad 2.5"));
    size_t paint = Find(drawn, "BD");
    paint = Find(drawn, "BD", paint + 1);
    ASSERT_LT(paint, drawn.size());
    size_t set = drawn.size(), restore = drawn.size();
    for (size_t i = 0; i < drawn.size(); ++i) {
        if (drawn[i].rfind("Aa ", 0) == 0)
            (i < paint ? set : restore) = i;
    }
    EXPECT_LT(set, paint);
    EXPECT_LT(restore, drawn.size());
}

TEST_F(DrawPathTest, CosmeticStyleLengthsAreStyleUnitsAtTheJobResolution)
{
    DWORD resolution = Get(20);
    Path line;
    POINTFIX end = {400 * 16, 10 * 16};
    qmt_EnginePathMoveTo(line.ppo, 10 * 16, 10 * 16);
    qmt_EnginePathLineTo(line.ppo, 1, &end);
    FLOAT_LONG dots[2];
    dots[0].l = 1;
    dots[1].l = 2;
    LINEATTRS la = {};
    la.elWidth.l = 1;
    la.cstyle = 2;
    la.pstyle = dots;
    ASSERT_TRUE(Stroke(line.ppo, Solid(0), &la));
    la.fl = LA_STARTGAP;
    ASSERT_TRUE(Stroke(line.ppo, Solid(0), &la));
    Strings drawn = Drawn();
    LONG unit = (LONG)(24 * resolution / 600);
    std::string first = "AH 6 0 2 " + std::to_string(unit) + " " + std::to_string(2 * unit);
    std::string rotated = "AH 6 0 2 " + std::to_string(2 * unit) + " " + std::to_string(unit);
    EXPECT_TRUE(Has(drawn, first)) << ::testing::PrintToString(drawn);
    EXPECT_TRUE(Has(drawn, rotated));
}

TEST_F(DrawPathTest, RectangleClipsAreSentOnlyWhenTheyChange)
{
    Path path;
    path.Poly({{0, 0}, {500, 10}, {20, 500}});
    RECTL narrow = {10, 10, 200, 200}, wide = {0, 0, 400, 400}, inner = {20, 20, 100, 100};
    CLIPOBJ *clips[3] = {qmt_EngineClip(&narrow, 1), qmt_EngineClip(&wide, 1), qmt_EngineClip(&inner, 1)};
    ASSERT_TRUE(Fill(path.ppo, clips[0], Solid(0)));
    ASSERT_TRUE(Fill(path.ppo, clips[0], Solid(0))); // same: nothing
    ASSERT_TRUE(Fill(path.ppo, clips[1], Solid(0))); // wider: reset first
    ASSERT_TRUE(Fill(path.ppo, clips[2], Solid(0))); // narrower: no reset
    for (CLIPOBJ *pco : clips)
        qmt_EngineFreeClip(pco);
    Strings clipsSent;
    for (const std::string &line : Drawn()) {
        if (line.rfind("AB", 0) == 0 || line.rfind("AR", 0) == 0)
            clipsSent.push_back(line);
    }
    // The page starts with a reset.
    EXPECT_EQ(clipsSent, (Strings{"AR", "AB 10 10 200 200", "AR", "AB 0 0 400 400", "AB 20 20 100 100"}));
}

TEST_F(DrawPathTest, ComplexClipIsSentOncePerPageAndAgainAfterAFailedCopy)
{
    RECTL parts[2] = {{0, 0, 100, 100}, {200, 0, 300, 100}};
    CLIPOBJ *pco = qmt_EngineClip(parts, 2);
    Path path;
    path.Poly({{0, 0}, {500, 10}, {20, 500}});
    ASSERT_TRUE(Fill(path.ppo, pco, Solid(0)));
    ASSERT_TRUE(Fill(path.ppo, pco, Solid(0)));
    ASSERT_TRUE(DrvSendPage(surface_));
    ASSERT_TRUE(DrvStartPage(surface_));
    ASSERT_TRUE(Fill(path.ppo, pco, Solid(0)));
    // The stored copy cannot be made: the engine's path goes out directly.
    ASSERT_TRUE(DrvSendPage(surface_));
    ASSERT_TRUE(DrvStartPage(surface_));
    ASSERT_TRUE(Fill(path.ppo, nullptr, Solid(0))); // the page begins
    qmt_FailAllocations(0, 1);                      // the copy of the clip path
    BOOL filled = Fill(path.ppo, pco, Solid(0));
    qmt_FailAllocations(0, 0);
    EXPECT_TRUE(filled);
    EXPECT_EQ(qmt_LiveEnginePaths(), 1u); // only the test's own
    qmt_EngineFreeClip(pco);
    ASSERT_TRUE(DrvSendPage(surface_));
    ASSERT_TRUE(EndDoc());
    EXPECT_EQ(Count(Commands(), "AC"), 3u);
}

// The stored clip path stays with the old PDEV's heap: after ResetDC the new PDEV resets
// the clip and sends the path again (the fixture checks that nothing is left).
TEST_F(DrawPathTest, ResetBetweenPagesSendsTheComplexClipAgain)
{
    RECTL parts[2] = {{0, 0, 100, 100}, {200, 0, 300, 100}};
    CLIPOBJ *pco = qmt_EngineClip(parts, 2);
    Path path;
    path.Poly({{0, 0}, {500, 10}, {20, 500}});
    ASSERT_TRUE(Fill(path.ppo, pco, Solid(0)));
    ASSERT_TRUE(DrvSendPage(surface_));
    ASSERT_TRUE(Reset());
    EXPECT_EQ(Pdev()->job.clip.storedPath, nullptr);
    ASSERT_TRUE(DrvStartPage(surface_));
    ASSERT_TRUE(Fill(path.ppo, pco, Solid(0)));
    qmt_EngineFreeClip(pco);
    ASSERT_TRUE(DrvSendPage(surface_));
    ASSERT_TRUE(EndDoc());
    EXPECT_EQ(Count(Commands(), "AC"), 2u);
}

TEST_F(DrawPathTest, FillCutByOneClipRectangleIsCutNotClipped)
{
    Path rect, apart;
    rect.Rect(50, 50, 150, 150);
    apart.Rect(500, 500, 600, 600);
    RECTL clip = {0, 0, 100, 100};
    CLIPOBJ *pco = qmt_EngineClip(&clip, 1);
    ASSERT_TRUE(Fill(rect.ppo, pco, Solid(0)));
    ASSERT_TRUE(Fill(apart.ppo, pco, Solid(0))); // cut to nothing: drawn as nothing
    qmt_EngineFreeClip(pco);
    Strings drawn = Drawn();
    EXPECT_TRUE(Has(drawn, "CG 50 50 100 100")) << ::testing::PrintToString(drawn);
    EXPECT_EQ(CountPrefix(drawn, "CG"), 1u);
    EXPECT_FALSE(Has(drawn, "AB", true));
}

TEST_F(DrawPathTest, MixesWithoutABrush)
{
    Path rect;
    rect.Poly({{0, 0}, {100, 10}, {10, 100}});
    EXPECT_TRUE(Fill(rect.ppo, nullptr, nullptr, 0x0606));
    EXPECT_FALSE(Fill(rect.ppo, nullptr, nullptr, kCopyPen));
    EXPECT_FALSE(Fill(rect.ppo, nullptr, Solid(0), kCopyPen, 3)); // no such fill mode
    Strings drawn = Drawn();
    EXPECT_TRUE(Has(drawn, "AL 1 6"));
}

// Builds a one-bit 8 x 2 pattern brush in either row order with the same picture.
BRUSHOBJ *MonoBrush(SURFOBJ *target, bool topDown, SURFOBJ **pattern, XLATEOBJ **xlate)
{
    *pattern = qmt_EngineBitmap(8, 2, BMF_1BPP, topDown);
    BYTE *row = (BYTE *)(*pattern)->pvScan0;
    row[0] = 0xF0; // top row
    row[(*pattern)->lDelta] = 0x0F;
    static const ULONG colors[2] = {kRed, 0xFFFFFF};
    *xlate = qmt_EngineXlateTable(colors, 2);
    return qmt_EnginePatternBrush(target, *pattern, nullptr, *xlate, HS_DDI_MAX, DrvRealizeBrush);
}

TEST_F(DrawPathTest, HatchesAndPatterns)
{
    Path rect;
    rect.Rect(0, 0, 64, 64);
    BRUSHOBJ *hatch = qmt_EngineHatchBrush(surface_, HS_CROSS, kRed, 0xFFFFFF, DrvRealizeBrush);
    ASSERT_TRUE(Fill(rect.ppo, nullptr, hatch));
    ASSERT_TRUE(Fill(rect.ppo, nullptr, hatch, kTransparentPen));
    qmt_EngineFreeBrush(hatch);
    SURFOBJ *patterns[2];
    XLATEOBJ *xlates[2];
    for (int i = 0; i < 2; ++i) {
        BRUSHOBJ *mono = MonoBrush(surface_, i == 0, &patterns[i], &xlates[i]);
        ASSERT_TRUE(Fill(rect.ppo, nullptr, mono));
        qmt_EngineFreeBrush(mono);
        qmt_EngineFreeBitmap(patterns[i]);
        qmt_EngineFreeXlate(xlates[i]);
    }
    // A 24-bit 3 x 2 pattern: rows tightly packed, colours in wire order.
    SURFOBJ *colour = qmt_EngineBitmap(3, 2, BMF_24BPP, TRUE);
    BYTE *bits = (BYTE *)colour->pvScan0;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            BYTE *p = bits + y * colour->lDelta + 3 * x;
            p[0] = 0x01; // blue
            p[1] = (BYTE)(0x10 * (y + 1));
            p[2] = (BYTE)x; // red
        }
    XLATEOBJ *trivial = qmt_EngineXlateTrivial();
    BRUSHOBJ *pattern = qmt_EnginePatternBrush(surface_, colour, nullptr, trivial, HS_DDI_MAX, DrvRealizeBrush);
    ASSERT_TRUE(Fill(rect.ppo, nullptr, pattern));
    qmt_EngineFreeBrush(pattern);
    qmt_EngineFreeXlate(trivial);
    qmt_EngineFreeBitmap(colour);
    Strings drawn = Drawn();
    EXPECT_TRUE(Has(drawn, "AQ 2 1 4 #ffffff")) << ::testing::PrintToString(drawn);
    EXPECT_TRUE(Has(drawn, "AN 0 0 2 4 #ff0000 6")) << ::testing::PrintToString(drawn);
    EXPECT_TRUE(Has(drawn, "AQ 2 2 4 #ffffff"));
    size_t first = Find(drawn, "AO", 0, true);
    ASSERT_LT(first, drawn.size());
    size_t second = Find(drawn, "AO", first + 1, true);
    ASSERT_LT(second, drawn.size());
    EXPECT_EQ(drawn[first], drawn[second]);
    EXPECT_NE(drawn[first].find("f00f"), std::string::npos) << drawn[first];
    size_t ap = Find(drawn, "AP", 0, true);
    ASSERT_LT(ap, drawn.size());
    EXPECT_NE(drawn[ap].find("18:001001011001021001002001012001022001"), std::string::npos) << drawn[ap];
}

// While a stamp is drawn with a stamp option and the stamp colour word on: no clip but a
// reset, and solid colours become the built-in pattern in setting 301's colour.
TEST_F(DrawPathTest, StampColourBecomesTheBuiltInPattern)
{
    Path rect;
    rect.Rect(0, 0, 50, 50);
    ASSERT_TRUE(Fill(rect.ppo, nullptr, Solid(0))); // the page begins
    Set(301, 0x0000FF);                             // red, as a COLORREF
    Pdev()->job.setup.snapshot.formSecond = 1;
    Pdev()->job.escape.stampMode = 1;
    Pdev()->job.escape.stampColorWord = 1;
    RECTL clip = {0, 0, 20, 20};
    CLIPOBJ *pco = qmt_EngineClip(&clip, 1);
    ASSERT_TRUE(Fill(rect.ppo, pco, Solid(kRed)));
    qmt_EngineFreeClip(pco);
    Pdev()->job.escape.stampMode = 0;
    Pdev()->job.escape.stampColorWord = 0;
    Strings drawn = Drawn();
    size_t stamp = Find(drawn, "AQ", 0, true);
    ASSERT_LT(stamp, drawn.size()) << ::testing::PrintToString(drawn);
    EXPECT_EQ(drawn[stamp], "AQ 3 2 4 #ff0000") << ::testing::PrintToString(drawn);
    EXPECT_FALSE(Has(drawn, "AB", true));
    EXPECT_TRUE(Has(drawn, "AO 0 0 3 4 #ff0000 1 8 8 8:bbbbeeeebbbbeeee")) << ::testing::PrintToString(drawn);
}

TEST_F(DrawPathTest, RefusedCallsFailOnlyThemselves)
{
    Path bezier;
    qmt_EnginePathMoveTo(bezier.ppo, 0, 0);
    POINTFIX four[4] = {{16, 0}, {32, 16}, {48, 16}, {64, 0}};
    qmt_EnginePathBezierTo(bezier.ppo, 4, four);
    SetLastError(0);
    EXPECT_FALSE(Fill(bezier.ppo, nullptr, Solid(0)));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
    SURFOBJ fake = {};
    SetLastError(0);
    EXPECT_FALSE(DrvFillPath(&fake, bezier.ppo, nullptr, Solid(0), nullptr, kCopyPen, FP_ALTERNATEMODE));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
    EXPECT_EQ(Pdev()->flags & PDEV_FLAG_JOB_FAILED, 0u);
    Drawn();
}

TEST_F(DrawPathTest, LongSubpathGoesOutAsTwoLineCommands)
{
    std::vector<POINTFIX> points(70000);
    for (size_t i = 0; i < points.size(); ++i)
        points[i] = POINTFIX{(FIX)(i % 1000) * 16, (FIX)(i / 1000) * 16};
    Path path;
    qmt_EnginePathMoveTo(path.ppo, 0, 0);
    qmt_EnginePathLineTo(path.ppo, (ULONG)points.size(), points.data());
    ASSERT_TRUE(Fill(path.ppo, nullptr, Solid(0)));
    Strings drawn = Drawn();
    size_t lines = 0;
    for (const std::string &line : drawn) {
        std::string op = line.substr(0, 2);
        lines += op[0] == 'B' && op != "BA" && op != "BB" && op != "Bb" && op != "BC" && op != "BD";
    }
    EXPECT_EQ(lines, 2u);
}

// A write that fails inside a path fails the job: the call, the page end and the job end
// answer FALSE.
TEST_F(DrawPathTest, FailedWriteInsideAPathFailsTheJob)
{
    std::vector<POINTFIX> points(70000);
    for (size_t i = 0; i < points.size(); ++i)
        points[i] = POINTFIX{(FIX)(i % 1000) * 16, (FIX)(i / 1000) * 16};
    Path path;
    qmt_EnginePathMoveTo(path.ppo, 0, 0);
    qmt_EnginePathLineTo(path.ppo, (ULONG)points.size(), points.data());
    qmt_SpoolerFailWrite((DWORD)Bytes().size() + 20000, ERROR_DISK_FULL);
    EXPECT_FALSE(Fill(path.ppo, nullptr, Solid(0)));
    EXPECT_NE(Pdev()->flags & PDEV_FLAG_JOB_FAILED, 0u);
    EXPECT_FALSE(Fill(path.ppo, nullptr, Solid(0))); // the job has failed: nothing more is drawn
    EXPECT_FALSE(EndDoc());
}

TEST(RasterOperations, MixesAndRopsMapThroughTheirTables)
{
    const BYTE rop3[16] = {
        0xFF, 0x00, 0x05, 0x0A, 0x0F, 0x50, 0x55, 0x5A, 0x5F, 0xA0, 0xA5, 0xAA, 0xAF, 0xF0, 0xF5, 0xFA};
    for (int n = 0; n < 16; ++n) {
        MIX mix = (MIX)((n == 0 ? 16 : n) | (15 - n) << 8);
        WORD both = vec_MixToRop3(mix);
        EXPECT_EQ(both & 0xFF, rop3[n]) << n;
        EXPECT_EQ(both >> 8, rop3[15 - n]) << n;
        WORD codes = vec_Rop3ToCode(both);
        EXPECT_EQ(codes & 0xFF, n == 0 ? 16 : n) << n;
    }
    EXPECT_EQ(vec_Rop3ToCode(0xAA66), (11 << 8) | 13); // 0x66 is not in the table
    EXPECT_EQ(vec_Rop3ToCode(vec_MixToRop3(0x0606)) & 0xFF, 6);
}

} // namespace
} // namespace job_test
