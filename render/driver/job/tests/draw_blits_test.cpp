/*
 * Blits through the entry points: source images as colour or one-bit mask images, their
 * clipping, masks, reduction and the calls that draw nothing or are refused.
 */
#include <windows.h>
#include <winddi.h>

#include <string.h>

#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_engine.h"
#include "render/driver/entry/entry.h"
#include "render/pdl/images/image_queue.h"
#include "core/context/tests/driver_files.h"
#include "render/driver/job/tests/job_fixture.h"
#include "testing/standins/standin_controls.h"

namespace job_test {
namespace {

using Strings = std::vector<std::string>;

const ROP4 kSourceCopy = 0xCCCC;
const ULONG kColorOnColor = 3; // the stretch mode of DrvStretchBlt

class DrawBlitTest : public JobTest
{
protected:
    void SetUp() override
    {
        JobTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(Open());
    }
    void Begin()
    {
        ASSERT_TRUE(StartDoc());
        ASSERT_TRUE(DrvStartPage(surface_));
    }
    // Ends the page and the job; the page's body commands without comments.
    Strings Drawn()
    {
        EXPECT_TRUE(DrvSendPage(surface_));
        EXPECT_TRUE(EndDoc());
        return PageCommands();
    }
    // The page is started by its first drawing, which decides the turn: a blit that
    // draws nothing starts it, then the page counts as turned.
    void TurnPage()
    {
        SURFOBJ *none = Bitmap(1, 1, BMF_24BPP);
        EXPECT_TRUE(Blt(none, nullptr, {0, 0, 0, 0}, {0, 0}));
        Pdev()->job.control.pageTurn = 1;
    }
    SURFOBJ *Bitmap(LONG cx, LONG cy, ULONG format)
    {
        SURFOBJ *pso = qmt_EngineBitmap(cx, cy, format, TRUE);
        bitmaps_.push_back(pso);
        return pso;
    }
    XLATEOBJ *Table(std::initializer_list<ULONG> colours)
    {
        std::vector<ULONG> table(colours);
        xlates_.push_back(qmt_EngineXlateTable(table.data(), (ULONG)table.size()));
        return xlates_.back();
    }
    BOOL Blt(SURFOBJ *src, XLATEOBJ *pxlo, RECTL dest, POINTL from, ROP4 rop4 = kSourceCopy, BRUSHOBJ *pbo = nullptr,
             SURFOBJ *mask = nullptr, POINTL *maskAt = nullptr)
    {
        return DrvBitBlt(surface_, src, mask, nullptr, pxlo, &dest, &from, maskAt, pbo, nullptr, rop4);
    }
    void TearDown() override
    {
        for (SURFOBJ *pso : bitmaps_)
            qmt_EngineFreeBitmap(pso);
        for (XLATEOBJ *pxlo : xlates_)
            qmt_EngineFreeXlate(pxlo);
        for (BRUSHOBJ *pbo : brushes_)
            qmt_EngineFreeBrush(pbo);
        JobTest::TearDown();
    }
    std::vector<SURFOBJ *> bitmaps_;
    std::vector<XLATEOBJ *> xlates_;
    std::vector<BRUSHOBJ *> brushes_;
};

// The first command of drawn starting with prefix, split at blanks; empty when none.
Strings Fields(const Strings &drawn, const std::string &prefix)
{
    for (const std::string &line : drawn) {
        if (line.rfind(prefix + " ", 0) != 0)
            continue;
        Strings fields;
        size_t at = 0;
        while (at < line.size()) {
            size_t blank = line.find(' ', at);
            if (blank == std::string::npos)
                blank = line.size();
            fields.push_back(line.substr(at, blank - at));
            at = blank + 1;
        }
        return fields;
    }
    return {};
}

bool Has(const Strings &drawn, const std::string &line)
{
    for (const std::string &d : drawn)
        if (d == line)
            return true;
    return false;
}

size_t Count(const Strings &drawn, const std::string &prefix)
{
    size_t n = 0;
    for (const std::string &d : drawn)
        n += d.rfind(prefix, 0) == 0;
    return n;
}

// Cq fields: 0 name, 1-2 origin, 3-8 placement, 9-10 size, 11 mask kind; without a mask
// 12 source kind, 13 colour type; with one 12 zero, 13 mask bytes, 14 source kind, 15 type.
TEST_F(DrawBlitTest, ColourImageOfA24BitSource)
{
    Begin();
    SURFOBJ *src = Bitmap(8, 4, BMF_24BPP);
    EXPECT_TRUE(Blt(src, nullptr, {100, 100, 116, 108}, {0, 0}));
    Strings drawn = Drawn();
    EXPECT_TRUE(Has(drawn, "AL 2 204"));
    Strings cq = Fields(drawn, "Cq");
    ASSERT_GE(cq.size(), 18u);
    // A plain blit has no stretch: the source is cut to its surface and the target with it.
    EXPECT_EQ(Strings(cq.begin() + 1, cq.begin() + 14),
              (Strings{"100", "100", "1", "0", "0", "1", "0", "0", "8", "4", "1", "2", "4"}));
    EXPECT_EQ(cq[14], "1") << "uncompressed below 1024 bytes";
    EXPECT_EQ(cq[17], "96");
}

TEST_F(DrawBlitTest, PaletteImageAndBlackAndWhiteMasks)
{
    Begin();
    SURFOBJ *eight = Bitmap(5, 3, BMF_8BPP);
    XLATEOBJ *palette = Table({0x102030, 0x405060, 0x708090});
    EXPECT_TRUE(Blt(eight, palette, {0, 0, 5, 3}, {0, 0}));

    SURFOBJ *one = Bitmap(9, 2, BMF_1BPP);
    XLATEOBJ *whiteFirst = Table({0xFFFFFF, 0x000000});
    brushes_.push_back(qmt_EngineSolidBrush(0x0000FF));
    EXPECT_TRUE(Blt(one, whiteFirst, {20, 20, 29, 22}, {0, 0}, 0xB8B8, brushes_.back()));
    // A source copy must paint white as well: it is a colour image, not a mask.
    EXPECT_TRUE(Blt(one, whiteFirst, {40, 40, 49, 42}, {0, 0}));
    Strings drawn = Drawn();
    Strings cq = Fields(drawn, "Cq");
    ASSERT_GE(cq.size(), 14u);
    EXPECT_TRUE(cq[13] == "11" || cq[13] == "15") << cq[13];
    EXPECT_TRUE(Has(drawn, "AL 1 13"));
    Strings cp = Fields(drawn, "Cp");
    ASSERT_GE(cp.size(), 6u);
    EXPECT_EQ(Strings(cp.begin() + 1, cp.begin() + 6), (Strings{"20", "20", "9", "2", "0"}))
        << "184 inverts, flipped back for white at entry 0";
    EXPECT_EQ(Count(drawn, "Cq "), 2u);
    EXPECT_EQ(Count(drawn, "Cp "), 1u);
}

TEST_F(DrawBlitTest, BlackAndWhitePaletteGoesOutGreyUnlessCopied)
{
    Begin();
    SURFOBJ *one = Bitmap(9, 2, BMF_1BPP);
    XLATEOBJ *blackWhite = Table({0x000000, 0xFFFFFF});
    EXPECT_TRUE(Blt(one, blackWhite, {0, 0, 9, 2}, {0, 0}, 0x8888)); // source and destination
    EXPECT_TRUE(Blt(one, blackWhite, {20, 0, 29, 2}, {0, 0}));
    Strings drawn = Drawn();
    std::vector<std::string> types;
    for (const std::string &line : drawn)
        if (line.rfind("Cq ", 0) == 0)
            types.push_back(Fields(Strings{line}, "Cq")[13]);
    EXPECT_EQ(types, (Strings{"10", "11"}));
}

TEST_F(DrawBlitTest, MaskedSourceCarriesMaskRowsUnrotated)
{
    Begin();
    TurnPage();
    SURFOBJ *src = Bitmap(80, 70, BMF_24BPP);
    SURFOBJ *mask = Bitmap(96, 80, BMF_1BPP);
    memset(mask->pvScan0, 0xF0, (size_t)mask->lDelta); // first mask row
    POINTL maskAt = {8, 0};
    EXPECT_TRUE(Blt(src, nullptr, {0, 0, 80, 70}, {0, 0}, 0xAACC, nullptr, mask, &maskAt));
    Strings drawn = Drawn();
    EXPECT_TRUE(Has(drawn, "AL 3 43724"));
    Strings cq = Fields(drawn, "Cq");
    ASSERT_GE(cq.size(), 16u);
    EXPECT_EQ(Strings(cq.begin() + 9, cq.begin() + 15), (Strings{"80", "70", "2", "0", "700", "2"}));
}

TEST_F(DrawBlitTest, TurnedPageRotatesLargeImages)
{
    Begin();
    TurnPage();
    SURFOBJ *big = Bitmap(70, 66, BMF_24BPP);
    SURFOBJ *tall = Bitmap(64, 100, BMF_24BPP);
    EXPECT_TRUE(Blt(big, nullptr, {10, 20, 80, 86}, {0, 0}));
    EXPECT_TRUE(Blt(tall, nullptr, {0, 0, 64, 100}, {0, 0}));
    Strings drawn = Drawn();
    Strings first = Fields(drawn, "Cq");
    ASSERT_GE(first.size(), 11u);
    // Turned: sizes swap, the origin is the left and bottom, placement (-p1, p0, -p3, p2).
    EXPECT_EQ(Strings(first.begin() + 1, first.begin() + 11),
              (Strings{"10", "86", "-0", "1", "-1", "0", "0", "0", "66", "70"}));
}

TEST_F(DrawBlitTest, SourceCutAndEmptyTargets)
{
    Begin();
    SURFOBJ *src = Bitmap(40, 40, BMF_24BPP);
    // Stretched twice over: 10 source pixels cut off the left move the target by 20.
    RECTL dest = {100, 100, 180, 180};
    RECTL from = {-10, 0, 30, 40};
    EXPECT_TRUE(DrvStretchBlt(
        surface_, src, nullptr, nullptr, nullptr, nullptr, nullptr, &dest, &from, nullptr, kColorOnColor));
    RECTL empty = {50, 50, 50, 60};
    RECTL all = {0, 0, 40, 40};
    EXPECT_TRUE(DrvStretchBlt(
        surface_, src, nullptr, nullptr, nullptr, nullptr, nullptr, &empty, &all, nullptr, kColorOnColor));
    RECTL outside = {100, 0, 140, 40};
    EXPECT_TRUE(DrvStretchBlt(
        surface_, src, nullptr, nullptr, nullptr, nullptr, nullptr, &all, &outside, nullptr, kColorOnColor));
    Strings drawn = Drawn();
    EXPECT_EQ(Count(drawn, "Cq "), 1u);
    Strings cq = Fields(drawn, "Cq");
    ASSERT_GE(cq.size(), 11u);
    EXPECT_EQ(cq[1], "120");
    EXPECT_EQ(cq[9], "30");
}

TEST_F(DrawBlitTest, RefusedBlitsWriteNothing)
{
    Begin();
    SURFOBJ *wide = Bitmap(65536, 1, BMF_8BPP);
    RECTL dest = {0, 0, 100, 1};
    RECTL from = {0, 0, 65536, 1};
    XLATEOBJ *grey = Table({0x808080});
    EXPECT_FALSE(
        DrvStretchBlt(surface_, wide, nullptr, nullptr, grey, nullptr, nullptr, &dest, &from, nullptr, kColorOnColor));
    // A source operation without its source.
    EXPECT_FALSE(Blt(nullptr, nullptr, {0, 0, 10, 10}, {0, 0}, 0x6666));
    // A pattern operation without a brush.
    EXPECT_FALSE(Blt(nullptr, nullptr, {0, 0, 10, 10}, {0, 0}, 0xF0F0));
    Strings drawn = Drawn();
    EXPECT_EQ(Count(drawn, "Cq "), 0u);
}

// Blits without a source are rectangle fills: black and white solid, the pattern
// operations with the brush. A rectangle that one clip rectangle cuts is cut instead.
TEST_F(DrawBlitTest, WhiteAndBlackFillsCutToOneClipRectangle)
{
    Begin();
    RECTL clipRect = {100, 100, 300, 300};
    CLIPOBJ *clip = qmt_EngineClip(&clipRect, 1);
    RECTL white = {50, 150, 200, 250};
    EXPECT_TRUE(
        DrvBitBlt(surface_, nullptr, nullptr, clip, nullptr, &white, nullptr, nullptr, nullptr, nullptr, 0xFFFF));
    RECTL black = {400, 420, 350, 400}; // given the wrong way round
    EXPECT_TRUE(DrvBitBlt(surface_, nullptr, nullptr, nullptr, nullptr, &black, nullptr, nullptr, nullptr, nullptr, 0));
    RECTL outside = {0, 0, 50, 50};
    EXPECT_TRUE(
        DrvBitBlt(surface_, nullptr, nullptr, clip, nullptr, &outside, nullptr, nullptr, nullptr, nullptr, 0xFFFF));
    qmt_EngineFreeClip(clip);
    Strings drawn = Drawn();
    // After the page's transform and clip reset:
    ASSERT_GE(drawn.size(), 2u);
    EXPECT_EQ(Strings(drawn.begin() + 2, drawn.end()),
              (Strings{"AM 2 4 #ffffff",
                       "AJ 1",
                       "AL 1 13",
                       "AK 2",
                       "CG 100 150 200 250",
                       "AM 2 4 #000000",
                       "CG 350 400 400 420"}));
}

TEST_F(DrawBlitTest, PatternOperationsPaintTheBrush)
{
    Begin();
    BRUSHOBJ *hatch = qmt_EngineHatchBrush(surface_, HS_CROSS, 0x0000FF, 0xFFFFFF, DrvRealizeBrush);
    brushes_.push_back(hatch);
    RECTL clipRect = {0, 0, 100, 100};
    CLIPOBJ *clip = qmt_EngineClip(&clipRect, 1);
    RECTL rect = {50, 50, 150, 80};
    POINTL origin = {3, 4};
    EXPECT_TRUE(DrvBitBlt(surface_, nullptr, nullptr, clip, nullptr, &rect, nullptr, nullptr, hatch, &origin, 0xF0F0));
    qmt_EngineFreeClip(clip);
    // Through its own mask: the background stays (transparent).
    EXPECT_TRUE(Blt(nullptr, nullptr, {200, 200, 210, 210}, {0, 0}, 0xAAF0, hatch));
    brushes_.push_back(qmt_EngineSolidBrush(0x00FF00));
    EXPECT_TRUE(Blt(nullptr, nullptr, {300, 300, 310, 310}, {0, 0}, 0x5A5A, brushes_.back()));
    Strings drawn = Drawn();
    ASSERT_GE(drawn.size(), 2u);
    EXPECT_EQ(Strings(drawn.begin() + 2, drawn.end()),
              (Strings{"AL 1 13",
                       "AQ 2 1 4 #ffffff",
                       "AN 3 4 2 4 #0000ff 6",
                       "AJ 1",
                       "AK 2",
                       "CG 50 50 100 80",
                       "AQ 2 2 4 #ffffff",
                       "AN 0 0 2 4 #0000ff 6",
                       "CG 200 200 210 210",
                       "AL 1 7",
                       "AM 2 4 #00ff00",
                       "CG 300 300 310 310"}));
}

TEST_F(DrawBlitTest, MaskedPatternSendsTheMaskWhoseBitsPaint)
{
    Begin();
    brushes_.push_back(qmt_EngineSolidBrush(0x0000FF));
    SURFOBJ *mask = Bitmap(32, 8, BMF_1BPP);
    memset(mask->pvScan0, 0x0F, (size_t)mask->lDelta * 8);
    POINTL maskAt = {8, 0};
    EXPECT_TRUE(Blt(nullptr, nullptr, {10, 20, 30, 28}, {0, 0}, 0xAAF0, brushes_.back(), mask, &maskAt));
    Strings drawn = Drawn();
    EXPECT_TRUE(Has(drawn, "AM 2 4 #0000ff"));
    EXPECT_EQ(Count(drawn, "CG "), 0u);
    Strings cp = Fields(drawn, "Cp");
    ASSERT_GE(cp.size(), 6u);
    // The mask is cut to its surface: 24 of the 20 pixels from x 8 fit.
    EXPECT_EQ(Strings(cp.begin() + 1, cp.begin() + 6), (Strings{"10", "20", "20", "8", "1"}));
}

TEST_F(DrawBlitTest, ReductionToTheReductionResolution)
{
    Set(1302, 1);
    Set(350, 300);
    Set(20, 600);
    Set(21, 600);
    Begin();
    SURFOBJ *src = Bitmap(200, 200, BMF_24BPP);
    RECTL dest = {0, 0, 100, 100};
    RECTL all = {0, 0, 200, 200};
    EXPECT_TRUE(
        DrvStretchBlt(surface_, src, nullptr, nullptr, nullptr, nullptr, nullptr, &dest, &all, nullptr, kColorOnColor));
    Strings drawn = Drawn();
    Strings cq = Fields(drawn, "Cq");
    ASSERT_GE(cq.size(), 11u);
    // 200 source pixels over 100 device pixels at 600 dpi, reduced to 300 dpi: 50.
    EXPECT_EQ(cq[9], "50");
    EXPECT_EQ(cq[10], "50");
}

// Page-wide colour conversion through the stand-in component: images are queued, then
// converted together and written in drawing order at the next image or at page end.
class QueuedImageTest : public DrawBlitTest
{
protected:
    void SetUp() override
    {
        JobTest::SetUp();
        driver_files::CopyIn(driver_files::HostFile(QM_STANDIN_DIR "/qmkrv50.dll"), u"qmkrv50.dll");
        standin_ = LoadLibraryW(TEXT("C:\\drv\\qmkrv50.dll"));
        ASSERT_NE(standin_, nullptr);
        typedef ColourStandinControl *(WINAPI * ControlFn)(DWORD);
        control_ = ((ControlFn)(void *)GetProcAddress(standin_, "QmColourStandinControl"))(1);
        ASSERT_NO_FATAL_FAILURE(Open("QMJOBKR"));
        Set(291, 3);
    }
    void TearDown() override
    {
        Close();
        FreeLibrary(standin_);
        DrawBlitTest::TearDown();
    }
    // A 24-bit bitmap of width x height whose bytes are all value.
    SURFOBJ *Filled(LONG width, LONG height, BYTE value)
    {
        SURFOBJ *pso = Bitmap(width, height, BMF_24BPP);
        for (LONG y = 0; y < height; ++y)
            memset((BYTE *)pso->pvScan0 + (LONG_PTR)y * pso->lDelta, value, (size_t)width * 3);
        return pso;
    }
    HMODULE standin_ = nullptr;
    ColourStandinControl *control_ = nullptr;
};

TEST_F(QueuedImageTest, ImagesGoOutConvertedInDrawingOrder)
{
    Begin();
    EXPECT_TRUE(Blt(Filled(4, 2, 0x10), nullptr, {0, 0, 4, 2}, {0, 0}));
    EXPECT_EQ(Pdev()->job.imageQueue != nullptr && ((ImageQueue *)Pdev()->job.imageQueue)->count == 1, true);
    EXPECT_TRUE(Blt(Filled(6, 3, 0x20), nullptr, {10, 10, 16, 13}, {0, 0}));
    Strings drawn = Drawn();
    ASSERT_EQ(Count(drawn, "Cq "), 2u);
    Strings first = Fields(drawn, "Cq");
    EXPECT_EQ(first[9], "4") << "drawn first, written first";
    // The stand-in complements every byte.
    bool converted = false;
    for (const std::string &line : drawn)
        converted = converted || line.find("data 24:efefef") != std::string::npos;
    EXPECT_TRUE(converted);
    EXPECT_GE(control_->converts, 2u);
}

TEST_F(QueuedImageTest, LeavingTheDestinationOnlyFlushesTheQueue)
{
    Begin();
    EXPECT_TRUE(Blt(Filled(4, 2, 0x10), nullptr, {0, 0, 4, 2}, {0, 0}));
    EXPECT_TRUE(Blt(nullptr, nullptr, {0, 0, 10, 10}, {0, 0}, 0xAAAA));
    EXPECT_EQ(((ImageQueue *)Pdev()->job.imageQueue)->count, 0u);
    Strings drawn = Drawn();
    EXPECT_EQ(Count(drawn, "Cq "), 1u);
    EXPECT_EQ(Count(drawn, "CG "), 0u);
}

TEST_F(QueuedImageTest, FailingConversionDropsThePagesImages)
{
    Begin();
    control_->script = COLOUR_CONVERT_FAILS;
    EXPECT_TRUE(Blt(Filled(4, 2, 0x10), nullptr, {0, 0, 4, 2}, {0, 0}));
    // The next image flushes the queue first: the conversion fails, the call fails.
    EXPECT_FALSE(Blt(Filled(6, 3, 0x20), nullptr, {10, 10, 16, 13}, {0, 0}));
    EXPECT_EQ(((ImageQueue *)Pdev()->job.imageQueue)->count, 0u);
    control_->script = COLOUR_NORMAL;
    Strings drawn = Drawn();
    EXPECT_EQ(Count(drawn, "Cq "), 0u);
}

TEST_F(QueuedImageTest, FailingFlushFailsPageEndAndAPath)
{
    Begin();
    EXPECT_EQ(img_FlushImageQueue(Pdev(), 0), 0) << "an empty queue flushes";
    EXPECT_TRUE(Blt(Filled(4, 2, 0x10), nullptr, {0, 0, 4, 2}, {0, 0}));
    control_->script = COLOUR_CONVERT_FAILS;
    PATHOBJ *ppo = qmt_EnginePath();
    POINTFIX corner[3] = {{160, 0}, {160, 160}, {0, 160}};
    qmt_EnginePathMoveTo(ppo, 0, 0);
    qmt_EnginePathLineTo(ppo, 3, corner);
    qmt_EnginePathClose(ppo);
    brushes_.push_back(qmt_EngineSolidBrush(0));
    EXPECT_FALSE(DrvFillPath(surface_, ppo, nullptr, brushes_.back(), nullptr, 0x0D0D, FP_ALTERNATEMODE));
    EngDeletePath(ppo);
    EXPECT_TRUE(Blt(Filled(4, 2, 0x10), nullptr, {0, 0, 4, 2}, {0, 0}));
    EXPECT_FALSE(DrvSendPage(surface_));
    control_->script = COLOUR_NORMAL;
    EndDoc();
}

} // namespace
} // namespace job_test
