// The PDEV lifecycle over a test model: DEVMODE checks, failures that give everything
// back, paper units and the capabilities GDI receives, the shared library binding.
#include <gtest/gtest.h>
#include <windows.h>
#include <winddi.h>

#include <string.h>

#include <vector>

#include "core/context/driver_context.h"
#include "core/context/tests/driver_files.h"
#include "core/handlers/setting_handlers.h"
#include "platform/include/qmhost_engine.h"
#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_engine.h"
#include "platform/testing/qm_testing_files.h"
#include "render/driver/pdev/pdev.h"

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("render_pdev_tests.log");
}

namespace {

const WCHAR kPrinter[] = TEXT("QM Pdev");

// Every counter a failed enable must leave where it was.
struct Counts {
    DWORD heaps, globals, modules, palettes, surfaces;
    bool operator==(const Counts &o) const
    {
        return heaps == o.heaps && globals == o.globals && modules == o.modules && palettes == o.palettes &&
               surfaces == o.surfaces;
    }
};

Counts Now()
{
    return {qmt_LiveHeaps(), qmt_LiveGlobalBlocks(), qmt_LiveModules(), qmt_LivePalettes(), qmt_LiveSurfaces()};
}

class PdevTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        driver_files::CopyIn(driver_files::HostFile(QM_DMA_LIBRARY), u"qmkelvdm.dll");
        driver_files::CopyIn(driver_files::HostFile(QM_DMA_NAMING_MODULE), u"qmkelvim.xrs");
        module_ = LoadLibraryExW(TEXT("C:\\drv\\qmkelvim.xrs"), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr);
        util_SetModuleHandle((HINSTANCE)module_);
        // The spooler lives as long as the test program: the printer is installed once.
        if (!OpenPrinterW((LPWSTR)kPrinter, &printer_, nullptr)) {
            printer_ = driver_files::InstallPrinter(kPrinter, driver_files::HostFile(QM_PDEV_MODEL));
        }
        ASSERT_NE(printer_, nullptr);
        DriverContext *context = ddd_OpenContext(printer_);
        ASSERT_NE(context, nullptr);
        devmode_.assign(DEVMODE_WITH_TRAILER_SIZE, 0);
        opt_SetAllDefaults(context, Full(), nullptr, kPrinter);
        ddd_CloseContext(context);
        Dm()->dmSize = DM_PUBLIC_SIZE;
        Dm()->dmDriverExtra = DEVMODE_TRAILER_EXTRA;
        SetTrailerWord(DEVMODE_TRAILER_SIZE);
        Dm()->dmFields |= DM_PAPERSIZE | DM_ORIENTATION;
        Dm()->dmFields &= ~(DWORD)(DM_FORMNAME | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_SCALE);
        Dm()->dmPaperSize = 9;  // A4
        Dm()->dmOrientation = 1;
        Dm()->dmPrintQuality = 600;
        DRVENABLEDATA data = {};
        ASSERT_TRUE(DrvEnableDriver(0x20000, sizeof data, &data));
    }
    void TearDown() override
    {
        DrvDisableDriver();
        ClosePrinter(printer_);
        FreeLibrary(module_);
    }

    DriverDevmode *Full() { return (DriverDevmode *)devmode_.data(); }
    DEVMODEW *Dm() { return (DEVMODEW *)devmode_.data(); }
    void SetTrailerWord(WORD word) { memcpy(devmode_.data() + DM_FULL_SIZE, &word, sizeof word); }

    PDEV *Enable(DEVMODEW *dm)
    {
        memset(&gdi_, 0, sizeof gdi_);
        memset(&info_, 0, sizeof info_);
        return (PDEV *)DrvEnablePDEV(dm, nullptr, 0, nullptr, sizeof gdi_, (ULONG *)&gdi_, sizeof info_, &info_,
                                     (HDEV)0x1234, (LPWSTR)kPrinter, printer_);
    }

    HMODULE module_ = nullptr;
    HANDLE printer_ = nullptr;
    std::vector<BYTE> devmode_;
    GDIINFO gdi_;
    DEVINFO info_;
};

TEST_F(PdevTest, BrokenDevmodesAreRefusedAndLeaveNothing)
{
    struct Case {
        const char *what;
        WORD size, extra, trailer;
        bool null;
    };
    const Case cases[] = {
        {"no trailer", DM_PUBLIC_SIZE, DM_FULL_SIZE - DM_PUBLIC_SIZE, DEVMODE_TRAILER_SIZE, false},
        {"trailer word 23", DM_PUBLIC_SIZE, DEVMODE_TRAILER_EXTRA, 23, false},
        {"dmSize 222", 222, DEVMODE_TRAILER_EXTRA, DEVMODE_TRAILER_SIZE, false},
        {"NULL", DM_PUBLIC_SIZE, DEVMODE_TRAILER_EXTRA, DEVMODE_TRAILER_SIZE, true},
    };
    Counts start = Now();
    for (const Case &c : cases) {
        Dm()->dmSize = c.size;
        Dm()->dmDriverExtra = c.extra;
        SetTrailerWord(c.trailer);
        SetLastError(0);
        EXPECT_EQ(Enable(c.null ? nullptr : Dm()), nullptr) << c.what;
        EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER) << c.what;
        EXPECT_TRUE(Now() == start) << c.what;
    }
}

TEST_F(PdevTest, MissingLibraryAndEveryFailedAllocationGiveEverythingBack)
{
    Counts start = Now();
    qmt_FailModuleLoad(TEXT("qmkelvdm.dll"));
    EXPECT_EQ(Enable(Dm()), nullptr);
    qmt_FailModuleLoad(nullptr);
    EXPECT_TRUE(Now() == start);

    // Each allocation in turn fails until an enable goes through.
    PDEV *pdev = nullptr;
    DWORD after = 0;
    for (; after < 400 && pdev == nullptr; ++after) {
        qmt_FailAllocations(after, 1);
        pdev = Enable(Dm());
        qmt_FailAllocations(0, 0);
        if (pdev == nullptr) {
            ASSERT_TRUE(Now() == start) << "allocation " << after;
        }
    }
    ASSERT_NE(pdev, nullptr);
    EXPECT_GT(after, 5u);  // the heap, the PDEV, the DEVMODE copy, the block ...
    DrvDisablePDEV((DHPDEV)pdev);
    EXPECT_TRUE(Now() == start);
}

TEST_F(PdevTest, A4At600DpiAndTheSurface)
{
    Counts start = Now();
    PDEV *pdev = Enable(Dm());
    ASSERT_NE(pdev, nullptr);
    EXPECT_TRUE(pdev_IsValid(pdev));
    EXPECT_EQ(gdi_.szlPhysSize.cx, 4961);
    EXPECT_EQ(gdi_.szlPhysSize.cy, 7016);
    EXPECT_EQ(gdi_.ulLogPixelsX, 600u);
    EXPECT_EQ(gdi_.ulHTPatternSize, 7u);
    EXPECT_EQ(gdi_.ulVersion, 0x400u);
    EXPECT_EQ(info_.iDitherFormat, (ULONG)BMF_24BPP);
    EXPECT_NE(info_.hpalDefault, nullptr);
    EXPECT_EQ(info_.cFonts, 0u);
    EXPECT_EQ(pdev->paper[0].width, 152390);
    EXPECT_EQ(pdev->paper[0].height, 215523);
    EXPECT_NE(pdev->paper[1].record, nullptr);  // the output paper found the A4 record by name

    HDEV hdev = qmh_CreateDevice();
    ASSERT_TRUE(qmh_BindDevicePdev(hdev, (DHPDEV)pdev));
    DrvCompletePDEV((DHPDEV)pdev, hdev);
    EXPECT_EQ(pdev->hdev, hdev);
    HSURF surface = DrvEnableSurface((DHPDEV)pdev);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(qmt_LiveSurfaces(), start.surfaces + 1);
    DrvDisableSurface((DHPDEV)pdev);
    DrvDisablePDEV((DHPDEV)pdev);
    qmh_DeleteDevice(hdev);
    EXPECT_TRUE(Now() == start);
}

TEST_F(PdevTest, LandscapeTurnsThePageAndScaleHalvesTheLogicalResolution)
{
    Dm()->dmOrientation = 2;
    Dm()->dmFields |= DM_SCALE;
    Dm()->dmScale = 50;
    PDEV *pdev = Enable(Dm());
    ASSERT_NE(pdev, nullptr);
    const PaperDescription &page = pdev->paper[0];
    EXPECT_EQ(page.width, 215523);
    EXPECT_EQ(page.height, 152390);
    EXPECT_EQ(page.rotated, 1u);
    EXPECT_EQ(gdi_.ulLogPixelsX, 300u);
    EXPECT_EQ(gdi_.szlPhysSize.cx, 7016);
    DrvDisablePDEV((DHPDEV)pdev);
}

// The spooler's A4 form by name gives the same page as paper number 9, with the record's
// margins.
TEST_F(PdevTest, FormNameFindsTheFormAndItsRecord)
{
    PDEV *byNumber = Enable(Dm());
    ASSERT_NE(byNumber, nullptr);
    Dm()->dmFields |= DM_FORMNAME;
    Dm()->dmPaperSize = 1;  // Letter, not used
    memset(Dm()->dmFormName, 0, sizeof Dm()->dmFormName);
    memcpy(Dm()->dmFormName, u"A4", 3 * sizeof(WCHAR));
    PDEV *byName = Enable(Dm());
    ASSERT_NE(byName, nullptr);
    EXPECT_EQ(gdi_.szlPhysSize.cx, 4961);
    EXPECT_EQ(byName->paper[0].width, byNumber->paper[0].width);
    EXPECT_EQ(byName->paper[0].left, byNumber->paper[0].left);
    EXPECT_EQ(byName->paper[0].bottom, byNumber->paper[0].bottom);
    EXPECT_NE(byName->paper[0].record, nullptr);
    DrvDisablePDEV((DHPDEV)byName);
    DrvDisablePDEV((DHPDEV)byNumber);
}

// A size of the DEVMODE's own takes the custom-size margins, inside the paper.
TEST_F(PdevTest, PaperOfItsOwnSizeKeepsItsPrintableAreaInside)
{
    Dm()->dmFields |= DM_PAPERLENGTH | DM_PAPERWIDTH;
    Dm()->dmPaperWidth = 2000;
    Dm()->dmPaperLength = 2500;
    PDEV *pdev = Enable(Dm());
    ASSERT_NE(pdev, nullptr);
    const PaperDescription &page = pdev->paper[0];
    EXPECT_EQ(page.width, 145133);   // 2000 x 100 x 18432 / 25400, truncated
    EXPECT_EQ(page.height, 181417);
    EXPECT_GE(page.left, 0);
    EXPECT_LT(page.left, page.right);
    EXPECT_LE(page.right, page.width);
    EXPECT_GE(page.top, 0);
    EXPECT_LT(page.top, page.bottom);
    EXPECT_LE(page.bottom, page.height);
    EXPECT_EQ(gdi_.szlPhysSize.cx, 4724);  // 2000 x 600 / 254 = 4724.4
    DrvDisablePDEV((DHPDEV)pdev);
}

TEST_F(PdevTest, TwoPdevsShareOneBindingAndACorruptPointerChangesNothing)
{
    DWORD modules = qmt_LiveModules();
    PDEV *first = Enable(Dm());
    ASSERT_NE(first, nullptr);
    DWORD bound = qmt_LiveModules();
    PDEV *second = Enable(Dm());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(qmt_LiveModules(), bound);

    DWORD fake[4] = {PDEV_SIGNATURE, 0, 0, 0};
    SetLastError(0);
    DrvDisablePDEV((DHPDEV)fake);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
    EXPECT_EQ(qmt_LiveModules(), bound);

    DrvDisablePDEV((DHPDEV)first);
    EXPECT_EQ(qmt_LiveModules(), bound);
    DrvDisablePDEV((DHPDEV)second);
    EXPECT_EQ(qmt_LiveModules(), modules);
}

TEST_F(PdevTest, ResetCarriesTheRunningJob)
{
    PDEV *oldPdev = Enable(Dm());
    ASSERT_NE(oldPdev, nullptr);
    PDEV *newPdev = Enable(Dm());
    ASSERT_NE(newPdev, nullptr);
    oldPdev->flags |= PDEV_FLAG_DOC_STARTED | PDEV_FLAG_PAGE_STARTED;
    oldPdev->jobId = 42;
    oldPdev->job.imageQueue = (void *)0x10;
    oldPdev->carryWord = 7;
    EXPECT_FALSE(DrvResetPDEV((DHPDEV)oldPdev, nullptr));
    ASSERT_TRUE(DrvResetPDEV((DHPDEV)oldPdev, (DHPDEV)newPdev));
    EXPECT_EQ(newPdev->jobId, 42u);
    EXPECT_EQ(newPdev->job.imageQueue, (void *)0x10);
    EXPECT_EQ(oldPdev->job.imageQueue, nullptr);
    EXPECT_EQ(newPdev->carryWord, 7u);
    EXPECT_EQ(newPdev->flags, PDEV_FLAG_CONTINUATION | PDEV_FLAG_DOC_STARTED | PDEV_FLAG_PAGE_STARTED);
    EXPECT_TRUE(oldPdev->flags & PDEV_FLAG_HANDED_OVER);
    newPdev->job.imageQueue = nullptr;
    newPdev->flags = 0;
    DrvDisablePDEV((DHPDEV)oldPdev);
    DrvDisablePDEV((DHPDEV)newPdev);
}

} // namespace
