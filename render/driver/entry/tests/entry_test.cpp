/*
 * The render driver's entry layer: driver enabling, the driver-information query, the
 * argument checks and DrvRealizeBrush, and the small PDEV helpers.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <winddi.h>

#include <string.h>

#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_engine.h"
#include "render/driver/entry/entry.h"
#include "render/pdl/brushes/realized_brush.h"
#include "render/driver/pdev/pdev.h"
#include "render/pdl/fonts/fonts.h"

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("render_entry_tests.log");
}

namespace {

TEST(DriverEnable, RefusesOldEnginesAndShortTablesThenHandsOutTwentyFiveEntries)
{
    DRVENABLEDATA data = {};
    SetLastError(0);
    EXPECT_FALSE(DrvEnableDriver(0x1FFFF, sizeof data, &data));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_BAD_DRIVER_LEVEL);
    SetLastError(0);
    EXPECT_FALSE(DrvEnableDriver(0x20000, sizeof data - 1, &data));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_BAD_DRIVER_LEVEL);

    DWORD blocks = qmt_LiveGlobalBlocks();
    ASSERT_TRUE(DrvEnableDriver(0x20000, sizeof data, &data));
    EXPECT_EQ(data.iDriverVersion, 0x20000UL);
    ASSERT_EQ(data.c, 25UL);
    const ULONG indices[25] = {0,  7,  1,  2,  3,  4,  18, 20, 19, 23, 26, 27, 28,
                               53, 32, 14, 15, 16, 12, 33, 35, 24, 34, 37, 69};
    for (ULONG i = 0; i < 25; ++i) {
        EXPECT_EQ(data.pdrvfn[i].iFunc, indices[i]) << i;
        EXPECT_NE(data.pdrvfn[i].pfn, nullptr);
    }
    EXPECT_EQ((void *)data.pdrvfn[0].pfn, (void *)DrvEnablePDEV);
    EXPECT_EQ((void *)data.pdrvfn[24].pfn, (void *)DrvStretchBltROP);
    DrvDisableDriver();
    EXPECT_EQ(qmt_LiveGlobalBlocks(), blocks); // the default glyph set is gone again
}

// A default glyph set that cannot be built fails the enable, and nothing stays behind.
TEST(DriverEnable, FailedGlyphSetLeavesNothing)
{
    DWORD blocks = qmt_LiveGlobalBlocks();
    qmt_EngineFailCall(QMT_ENGINE_GLYPHSET, 0, 1);
    DRVENABLEDATA data = {};
    EXPECT_FALSE(DrvEnableDriver(0x20000, sizeof data, &data));
    qmt_EngineReset();
    EXPECT_EQ(qmt_LiveGlobalBlocks(), blocks);
    ASSERT_TRUE(DrvEnableDriver(0x20000, sizeof data, &data));
    DrvDisableDriver();
}

TEST(DriverInfo, UserModeAnswerNeedsFourBytes)
{
    BYTE buffer[4] = {};
    DWORD needed = 0;
    SetLastError(0);
    EXPECT_FALSE(DrvQueryDriverInfo(DRVQUERY_USERMODE, buffer, 3, &needed));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(needed, 4u);
    EXPECT_TRUE(DrvQueryDriverInfo(DRVQUERY_USERMODE, buffer, 4, &needed));
    DWORD answer = 0;
    memcpy(&answer, buffer, 4);
    EXPECT_EQ(answer, 1u);
    SetLastError(0);
    EXPECT_FALSE(DrvQueryDriverInfo(2, buffer, 4, &needed));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
}

// A zeroed PDEV with both signature words on the process heap.
struct FakePdev {
    PDEV *pdev;
    SURFOBJ surface = {};
    FakePdev()
    {
        pdev = (PDEV *)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(PDEV));
        pdev->signature = pdev->signatureEnd = PDEV_SIGNATURE;
        pdev->heap = GetProcessHeap();
        surface.dhpdev = (DHPDEV)pdev;
        surface.iType = STYPE_DEVICE;
    }
    ~FakePdev()
    {
        HeapFree(GetProcessHeap(), 0, pdev);
    }
};

TEST(EntryChecks, MissingArgumentsAndCorruptPdevsAreRefused)
{
    FakePdev fake;
    RECTL rect = {0, 0, 10, 10};
    SetLastError(0);
    EXPECT_FALSE(
        DrvBitBlt(nullptr, nullptr, nullptr, nullptr, nullptr, &rect, nullptr, nullptr, nullptr, nullptr, 0xCCCC));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
    SetLastError(0);
    EXPECT_FALSE(DrvStretchBltROP(&fake.surface,
                                  nullptr,
                                  nullptr,
                                  nullptr,
                                  nullptr,
                                  nullptr,
                                  nullptr,
                                  &rect,
                                  nullptr,
                                  nullptr,
                                  0,
                                  nullptr,
                                  0xCCCC));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
    LINEATTRS geometric = {};
    geometric.fl = LA_GEOMETRIC;
    PATHOBJ *path = qmt_EnginePath();
    SetLastError(0);
    EXPECT_FALSE(DrvStrokePath(&fake.surface, path, nullptr, nullptr, nullptr, nullptr, &geometric, 13));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
    EngDeletePath(path);

    ULONG_PTR id = 7;
    SetLastError(0);
    EXPECT_EQ(DrvQueryFont((DHPDEV)fake.pdev, 0, 0, &id), nullptr);
    EXPECT_EQ(id, 0u);
    fake.pdev->signatureEnd = 0;
    SetLastError(0);
    EXPECT_FALSE(DrvStartPage(&fake.surface));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
}

TEST(EntryChecks, PageWorkersFollowTheDocumentFlags)
{
    FakePdev fake;
    // A PDEV without a printer context cannot start a job: DrvStartDoc keeps the job
    // identifier and fails the job (the flow of a started job: render/driver/job/tests).
    EXPECT_FALSE(DrvStartDoc(&fake.surface, (LPWSTR)TEXT("doc"), 42));
    EXPECT_EQ(fake.pdev->jobId, 42u);
    EXPECT_EQ(fake.pdev->job.jobIdSlot, 42u);
    EXPECT_NE(fake.pdev->flags & PDEV_FLAG_JOB_FAILED, 0u);

    // A failed job: pages are refused and DrvEndDoc does not report success.
    fake.pdev->flags |= PDEV_FLAG_JOB_FAILED;
    EXPECT_FALSE(DrvStartPage(&fake.surface));
    EXPECT_FALSE(DrvEndDoc(&fake.surface, 0));
    EXPECT_TRUE(DrvEndDoc(&fake.surface, ED_ABORTDOC));
}

// A 16 bpp 3x2 pattern becomes 24 bpp rows of 12 bytes: 9 data bytes, 3 padding bytes.
TEST(RealizeBrush, SixteenBitPatternBecomesPaddedTwentyFourBitRows)
{
    FakePdev fake;
    SURFOBJ *pattern = qmt_EngineBitmap(3, 2, BMF_16BPP, TRUE);
    ASSERT_NE(pattern, nullptr);
    const USHORT pixels[2][3] = {{0x001F, 0x03E0, 0x7C00}, {0x7FFF, 0x0000, 0x4210}};
    for (int y = 0; y < 2; ++y) {
        memcpy((BYTE *)pattern->pvScan0 + y * pattern->lDelta, pixels[y], sizeof pixels[y]);
    }
    XLATEOBJ *xlo = qmt_EngineXlateColors(PAL_BITFIELDS, 0x7C00, 0x03E0, 0x001F, PAL_RGB);
    BRUSHOBJ *brush = qmt_EnginePatternBrush(&fake.surface, pattern, nullptr, xlo, HS_DDI_MAX, DrvRealizeBrush);
    ASSERT_TRUE(DrvRealizeBrush(brush, &fake.surface, pattern, nullptr, xlo, HS_DDI_MAX));
    const RealizedBrush *head = (const RealizedBrush *)brush->pvRbrush;
    EXPECT_EQ(head->width, 3u);
    EXPECT_EQ(head->height, 2u);
    EXPECT_EQ(head->format, (DWORD)BMF_24BPP);
    EXPECT_EQ(head->surfaceFlags & BMF_TOPDOWN, BMF_TOPDOWN);
    EXPECT_EQ(head->paletteCount, 0u);
    EXPECT_EQ(head->palettePosition, 28u + 24u);
    const BYTE *rows = (const BYTE *)(head + 1);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            ULONG color = XLATEOBJ_iXlate(xlo, pixels[y][x]);
            EXPECT_EQ(rows[12 * y + 3 * x], (BYTE)color);
            EXPECT_EQ(rows[12 * y + 3 * x + 1], (BYTE)(color >> 8));
            EXPECT_EQ(rows[12 * y + 3 * x + 2], (BYTE)(color >> 16));
        }
        EXPECT_EQ(rows[12 * y + 9] | rows[12 * y + 10] | rows[12 * y + 11], 0);
    }
    SURFOBJ *odd = qmt_EngineBitmap(2, 2, BMF_JPEG, TRUE);
    if (odd != nullptr) {
        EXPECT_FALSE(DrvRealizeBrush(brush, &fake.surface, odd, nullptr, xlo, HS_DDI_MAX));
        qmt_EngineFreeBitmap(odd);
    }
    qmt_EngineFreeBrush(brush);
    qmt_EngineFreeXlate(xlo);
    qmt_EngineFreeBitmap(pattern);
}

TEST(PdevHelpers, HalftonePatternSizeByResolution)
{
    EXPECT_EQ(pdev_GetHalftonePatternSize(600, 600, FALSE), 7u);
    EXPECT_EQ(pdev_GetHalftonePatternSize(1200, 1200, FALSE), 11u);
    EXPECT_EQ(pdev_GetHalftonePatternSize(150, 150, FALSE), 3u);
    EXPECT_EQ(pdev_GetHalftonePatternSize(2400, 600, FALSE), 7u);
    EXPECT_EQ(pdev_GetHalftonePatternSize(2400, 2400, TRUE), 13u);
}

TEST(PdevHelpers, VectorLengthCoversTheSquareAndGlyphModeIsBits)
{
    const struct {
        LONG a, b, length;
    } cases[] = {{0, -5, 5}, {7, 0, 7}, {3, 4, 5}, {-3, 4, 5}, {1, 1, 2}, {4096, 4096, 5793}};
    for (const auto &c : cases) {
        EXPECT_EQ(fnt_VectorLength(c.a, c.b), c.length) << c.a << "," << c.b;
    }
    EXPECT_EQ(DrvGetGlyphMode(nullptr, nullptr), (ULONG)FO_GLYPHBITS);
}

} // namespace
