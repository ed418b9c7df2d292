/*
 * The writer's life cycle and its graphics-state cache: values sent only on change, the
 * dependent clears, the resets, failed writes and the printer memory model.
 */
#include "platform/testing/qm_testing.h"
#include "render/pdl/writer/tests/writer_fixture.h"

namespace writer_test {
namespace {

using Lines = std::vector<std::string>;

class WriterCacheTest : public WriterTest
{
};

TEST_F(WriterCacheTest, AttributesAreSentOnlyOnChangeWhileTheCacheIsOn)
{
    CreateWriter();
    const BYTE red[3] = {0xFF, 0x00, 0x00};
    const Matrix2x3 identity = {1, 0, 0, 1, 0, 0};
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_EQ(pdl_SetLineCap(writer_, 2), 0);
        ASSERT_EQ(pdl_SetLineJoin(writer_, 3), 0);
        ASSERT_EQ(pdl_SetAI(writer_, 7), 0);
        ASSERT_EQ(pdl_SetFillRule(writer_, 1), 0);
        ASSERT_EQ(pdl_SetPaintMode(writer_, 2), 0);
        ASSERT_EQ(pdl_SetMiterLimit(writer_, 10.0f), 0);
        ASSERT_EQ(pdl_SetLineDash(writer_, 1, 0.0f, 0, nullptr), 0);
        ASSERT_EQ(pdl_SetColor(writer_, 2, 4, red), 0);
        ASSERT_EQ(pdl_SetTransform(writer_, &identity), 0);
        ASSERT_EQ(pdl_SelectFont(writer_, 9), 0);
        ASSERT_EQ(pdl_SetFA(writer_, 1, 600), 0);
        ASSERT_EQ(pdl_SetFH(writer_, 0, 2), 0);
        ASSERT_EQ(pdl_SetFF(writer_, 1, 1), 0);
    }
    EXPECT_EQ(Commands(),
              (Lines{"AE 2",
                     "AF 3",
                     "AI 7",
                     "AJ 1",
                     "AK 2",
                     "AG 10",
                     "AH 1",
                     "AM 2 4 #ff0000",
                     "Aa 1 0 0 1 0 0",
                     "DA 9",
                     "FA 1 600",
                     "FH 0 2",
                     "FF 5"}));

    Mark();
    EXPECT_EQ(pdl_SetCacheEnabled(writer_, 0), 1);
    ASSERT_EQ(pdl_SetLineCap(writer_, 2), 0);
    ASSERT_EQ(pdl_SetLineCap(writer_, 2), 0);
    EXPECT_EQ(pdl_SetCacheEnabled(writer_, 1), 0);
    ASSERT_EQ(pdl_SetLineCap(writer_, 2), 0);
    EXPECT_EQ(Commands(), (Lines{"AE 2", "AE 2"}));
}

TEST_F(WriterCacheTest, RopAndBrushesClearTheColourAndTheColourClearsThePattern)
{
    CreateWriter();
    const BYTE grey[1] = {0x80};
    const BYTE pixels[4] = {1, 2, 3, 4};
    const POINTL origin = {0, 0};
    ASSERT_EQ(pdl_SetColor(writer_, 2, 3, grey), 0);
    ASSERT_EQ(pdl_SetRop(writer_, 1, 0xCC), 0);
    ASSERT_EQ(pdl_SetRop(writer_, 1, 0xCC), 0);
    ASSERT_EQ(pdl_SetColor(writer_, 2, 3, grey), 0); // again after the ROP change
    ASSERT_EQ(pdl_SetColorPattern(writer_, &origin, 1, 4, 8, 2, 2, 1, 4, pixels), 0);
    ASSERT_EQ(pdl_SetColorPattern(writer_, &origin, 1, 4, 8, 2, 2, 1, 4, pixels), 0);
    ASSERT_EQ(pdl_SetColor(writer_, 2, 3, grey), 0);                                  // the pattern cleared it
    ASSERT_EQ(pdl_SetColorPattern(writer_, &origin, 1, 4, 8, 2, 2, 1, 4, pixels), 0); // the colour freed it
    ASSERT_EQ(pdl_SetHatchBrush(writer_, 2, 3, 6, &origin, grey), 0);
    ASSERT_EQ(pdl_SetColor(writer_, 2, 3, grey), 0); // the hatch cleared it
    EXPECT_EQ(Commands(),
              (Lines{"AM 2 3 #80",
                     "AL 1 204",
                     "AM 2 3 #80",
                     "AP 0 0 1 4 8 2 2 1 4 4:01020304",
                     "AM 2 3 #80",
                     "AP 0 0 1 4 8 2 2 1 4 4:01020304",
                     "AN 0 0 2 3 #80 6",
                     "AM 2 3 #80"}));
    int kind = 0;
    DWORD code = 0;
    pdl_GetRop(writer_, &kind, &code);
    EXPECT_EQ(kind, 1);
    EXPECT_EQ(code, 0xCCu);
}

TEST_F(WriterCacheTest, AFailedPatternCopySendsTheSamePatternAgain)
{
    CreateWriter();
    const BYTE pixels[3] = {9, 8, 7};
    const POINTL origin = {4, 5};
    qmt_FailAllocations(0, 1);
    ASSERT_EQ(pdl_SetColorPattern(writer_, &origin, 1, 4, 8, 1, 1, 1, 3, pixels), 0);
    qmt_FailAllocations(0, 0);
    ASSERT_EQ(pdl_SetColorPattern(writer_, &origin, 1, 4, 8, 1, 1, 1, 3, pixels), 0);
    ASSERT_EQ(pdl_SetColorPattern(writer_, &origin, 1, 4, 8, 1, 1, 1, 3, pixels), 0);
    EXPECT_EQ(Commands(), (Lines{"AP 4 5 1 4 8 1 1 1 3 3:090807", "AP 4 5 1 4 8 1 1 1 3 3:090807"}));
}

TEST_F(WriterCacheTest, DashKindSixIsAlwaysSentAndMakesTheNextKindGoAgain)
{
    CreateWriter();
    const float dashes[2] = {4.0f, 2.0f};
    const float halves[2] = {4.5f, 2.0f};
    ASSERT_EQ(pdl_SetLineDash(writer_, 1, 0.0f, 0, nullptr), 0);
    ASSERT_EQ(pdl_SetLineDash(writer_, 6, 1.0f, 2, dashes), 0);
    ASSERT_EQ(pdl_SetLineDash(writer_, 6, 1.0f, 2, dashes), 0);
    ASSERT_EQ(pdl_SetLineDash(writer_, 1, 0.0f, 0, nullptr), 0);
    ASSERT_EQ(pdl_SetLineDash(writer_, 6, 0.0f, 2, halves), 0);
    const LONG ints[3] = {3, 1, 40000};
    ASSERT_EQ(pdl_SetLineDashInt(writer_, 6, 2, 3, ints), 0);
    EXPECT_EQ(Commands(),
              (Lines{"AH 1", "AH 6 1 2 4 2", "AH 6 1 2 4 2", "AH 1", "Ah 6 0 2 4.5 2", "Ah 6 2 3 3 1 40000"}));
}

TEST_F(WriterCacheTest, ResetsForgetTheirRowsAndAFirstWidthZeroIsSent)
{
    CreateWriter();
    const Matrix2x3 m = {2, 0, 0, 2, 10, 20};
    ASSERT_EQ(pdl_SetLineWidth(writer_, 0.0f), 0); // unknown at creation
    ASSERT_EQ(pdl_SetLineWidth(writer_, 0.0f), 0);
    ASSERT_EQ(pdl_SetFH(writer_, 1, 2), 0);
    ASSERT_EQ(pdl_SelectFont(writer_, 5), 0);
    ASSERT_EQ(pdl_SetTransform(writer_, &m), 0);
    pdl_SetPageMode(writer_, 1, 0);
    ASSERT_EQ(pdl_ResetPage(writer_), 0); // graphics reset only
    ASSERT_EQ(pdl_SetLineWidth(writer_, 0.0f), 0);
    ASSERT_EQ(pdl_SetFH(writer_, 1, 2), 0);
    ASSERT_EQ(pdl_SelectFont(writer_, 5), 0);
    ASSERT_EQ(pdl_SetTransform(writer_, &m), 0);
    pdl_InvalidateStateCache(writer_); // page level only
    ASSERT_EQ(pdl_SetFH(writer_, 1, 2), 0);
    ASSERT_EQ(pdl_SelectFont(writer_, 5), 0);
    ASSERT_EQ(pdl_SetLineWidth(writer_, 0.0f), 0);
    EXPECT_EQ(Commands(),
              (Lines{"AD 0", "FH 1 2", "DA 5", "Aa 2 0 0 2 10 20", "AD 0", "Aa 2 0 0 2 10 20", "FH 1 2", "DA 5"}));

    Matrix2x3 out = {};
    pdl_SetCachedTransform(writer_, &m);
    pdl_GetCurrentTransform(writer_, &out);
    EXPECT_EQ(out.e, 10.0f);
    EXPECT_EQ(out.f, 20.0f);
}

TEST_F(WriterCacheTest, AFailedWriteLeavesTheCacheAsItWas)
{
    CreateWriter();
    const BYTE blue[3] = {0, 0, 0xFF};
    FailWrites(true);
    EXPECT_EQ(pdl_SetLineCap(writer_, 2), -1);
    EXPECT_EQ(pdl_SetColor(writer_, 2, 4, blue), -1);
    EXPECT_EQ(pdl_SetFH(writer_, 0, 2), -1);
    EXPECT_EQ(pdl_SetLineWidth(writer_, 4.0f), -1);
    FailWrites(false);
    ASSERT_EQ(pdl_SetLineCap(writer_, 2), 0);
    ASSERT_EQ(pdl_SetColor(writer_, 2, 4, blue), 0);
    ASSERT_EQ(pdl_SetFH(writer_, 0, 2), 0);
    ASSERT_EQ(pdl_SetLineWidth(writer_, 4.0f), 0);
    EXPECT_EQ(Commands(), (Lines{"AE 2", "AM 2 4 #0000ff", "FH 0 2", "AD 4"}));
}

TEST_F(WriterCacheTest, MemoryModelIsOpenedReopenedAtPageResetAndClosed)
{
    CreateWriter(64 * 100);
    ASSERT_EQ(pdl_IsMemoryModelOn(writer_), 1);
    EXPECT_EQ(pdl_FindDownload(writer_, 'A', 3, 33), -1);
    LONG address = pdl_AllocDownload(writer_, 'A', 3, 33, 100, FALSE);
    ASSERT_GE(address, 0);
    EXPECT_EQ(pdl_FindDownload(writer_, 'A', 3, 33), -1); // only asked
    EXPECT_EQ(pdl_AllocDownload(writer_, 'A', 3, 33, 100, TRUE), address);
    EXPECT_EQ(pdl_FindDownload(writer_, 'A', 3, 33), address);
    EXPECT_EQ(address % 64, 0);

    pdl_SetPageMode(writer_, 1, 0);
    ASSERT_EQ(pdl_ResetPage(writer_), 0);
    EXPECT_EQ(pdl_FindDownload(writer_, 'A', 3, 33), address); // kept
    pdl_SetPageMode(writer_, 1, 1);
    ASSERT_EQ(pdl_ResetPage(writer_), 0);
    EXPECT_EQ(pdl_FindDownload(writer_, 'A', 3, 33), -1); // reopened empty
    ASSERT_EQ(pdl_IsMemoryModelOn(writer_), 1);

    EXPECT_EQ(pdl_AllocDownload(writer_, 'B', 3, 33, 64 * 100, TRUE), -1); // never the whole memory
    ASSERT_EQ(pdl_FreeMemoryModel(writer_), 0);
    EXPECT_EQ(pdl_IsMemoryModelOn(writer_), 0);
    EXPECT_EQ(pdl_AllocDownload(writer_, 'A', 3, 33, 64, TRUE), -1);
    EXPECT_EQ(pdl_ResetMemoryModel(writer_), 0); // off stays off
    EXPECT_EQ(pdl_IsMemoryModelOn(writer_), 0);
}

TEST_F(WriterCacheTest, Setting1343TurnsTheModelOffAndSendsTheHatchBackgroundEveryTime)
{
    Set(1343, 1);
    CreateWriter(64 * 100);
    EXPECT_EQ(pdl_IsMemoryModelOn(writer_), 0);
    EXPECT_EQ(writer_->memorySize, 0u);
    const BYTE white[3] = {0xFF, 0xFF, 0xFF};
    ASSERT_EQ(pdl_SetHatchBackground(writer_, 1, 2, 4, white), 0);
    ASSERT_EQ(pdl_SetHatchBackground(writer_, 1, 2, 4, white), 0);
    EXPECT_EQ(Commands(), (Lines{"AQ 1 2 4 #ffffff", "AQ 1 2 4 #ffffff"}));
}

TEST_F(WriterCacheTest, HatchBackgroundIsCachedWithTheModelOn)
{
    CreateWriter(64 * 100);
    const BYTE white[3] = {0xFF, 0xFF, 0xFF};
    ASSERT_EQ(pdl_SetHatchBackground(writer_, 1, 2, 4, white), 0);
    ASSERT_EQ(pdl_SetHatchBackground(writer_, 1, 2, 4, white), 0);
    EXPECT_EQ(Commands(), (Lines{"AQ 1 2 4 #ffffff"}));
}

TEST_F(WriterCacheTest, CreationReadsTheSettingsAndFailuresLeaveNothing)
{
    Set(8205, 0x01020003);
    CreateWriter(4096);
    EXPECT_EQ(writer_->pageMode1, 1u);
    EXPECT_EQ(writer_->pageMode2, 1u);
    EXPECT_EQ(writer_->pdlVersion, 0x01020003u);
    EXPECT_EQ(writer_->glyphUnits, 1u);
    EXPECT_EQ(writer_->stream, stream_);
    EXPECT_EQ(writer_->cache->enabled, 1u);
    pdl_DestroyWriter(writer_);
    writer_ = nullptr;

    DWORD before = qmt_LiveGlobalBlocks();
    // The writer, the cache, the memory model and its first block.
    for (DWORD after = 0; after <= 4; ++after) {
        qmt_FailAllocations(after, 1);
        PdlWriter *writer = pdl_CreateWriter(pdev_->job.stream, &pdev_->devmode, pdev_->printerData, 4096);
        qmt_FailAllocations(0, 0);
        EXPECT_EQ(writer == nullptr, after < 4) << after;
        pdl_DestroyWriter(writer);
        EXPECT_EQ(qmt_LiveGlobalBlocks(), before) << after;
    }
    EXPECT_EQ(pdl_CreateWriter(pdev_->job.stream, nullptr, pdev_->printerData, 0), nullptr);
}

} // namespace
} // namespace writer_test
