/*
 * The PDEV lifecycle over a test model: DEVMODE checks, failures that give everything
 * back, paper units and the capabilities GDI receives, the shared library binding.
 */
#include <gtest/gtest.h>

#include <cstring>
#include <vector>
#include <windows.h>
#include <winddi.h>

#include <string.h>

#include <regex>
#include <string>

#include "core/context/tests/driver_files.h"
#include "core/trace/trace.h"
#include "platform/include/qmhost_engine.h"
#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_engine.h"
#include "render/driver/binding/dma_binding.h"
#include "render/driver/binding/pdev_settings.h"
#include "render/driver/entry/tests/pdev_fixture.h"
#include "render/driver/forms/pdev_paper.h"

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\render_pdev_tests.log");
}

namespace {

using pdev_test::Counts;
using pdev_test::Now;

class PdevTest : public pdev_test::PdevFixture
{
protected:
    PdevTest() : PdevFixture(TEXT("QM Pdev"), QM_PDEV_MODEL) {}
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
    EXPECT_GT(after, 5u); // the heap, the PDEV, the DEVMODE copy, the block ...
    DrvDisablePDEV((DHPDEV)pdev);
    EXPECT_TRUE(Now() == start);
}

// A model file that is gone, a broken font record and a palette the engine refuses: each
// gives NULL and leaves every counter where it was.
TEST_F(PdevTest, InjectedFailuresGiveEverythingBack)
{
    struct Case {
        const char *what;
        const WCHAR *printer; // NULL: the fixture's printer
        const char *model;
        bool failPalette;
    };
    const Case cases[] = {
        {"missing model file", TEXT("QM Gone"), "/nonexistent/QMGONE.DDD", false},
        {"broken font record", TEXT("QM Broken font"), QM_BROKEN_MODEL, false},
        {"palette", nullptr, nullptr, true},
    };
    for (const Case &c : cases) {
        HANDLE printer = printer_;
        if (c.printer != nullptr && !OpenPrinterW((LPWSTR)c.printer, &printer, nullptr)) {
            printer = driver_files::InstallPrinter(c.printer, driver_files::HostFile(c.model));
        }
        ASSERT_NE(printer, nullptr) << c.what;
        Counts start = Now();
        if (c.failPalette) {
            qmt_EngineFailCall(QMT_ENGINE_PALETTE, 0, 1);
        }
        GDIINFO gdi = {};
        DEVINFO info = {};
        DHPDEV pdev = DrvEnablePDEV(Dm(),
                                    nullptr,
                                    0,
                                    nullptr,
                                    sizeof gdi,
                                    (ULONG *)&gdi,
                                    sizeof info,
                                    &info,
                                    (HDEV)0x1234,
                                    (LPWSTR)(c.printer ? c.printer : printerName_),
                                    printer);
        qmt_EngineReset();
        EXPECT_EQ(pdev, nullptr) << c.what;
        EXPECT_TRUE(Now() == start) << c.what;
        if (printer != printer_) {
            ClosePrinter(printer);
        }
    }
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
    EXPECT_NE(pdev->paper[1].record, nullptr); // the output paper found the A4 record by name

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
    // A4's margins 42, 50, 43, 51 (left, top, right, bottom in tenths of a millimetre)
    // turned: left = top, top = width - right, right = length - bottom, bottom = width -
    // left, each edge in 1/18432 inch counted down from tenths x 18432 / 254:
    //   50 -> 3628 (3628.3); 2100 -> 152390 (152390.6); 2057 -> 149270 (149270.2);
    //   2919 -> 211822 (211822.9); 42 -> 3047 (3047.8).
    EXPECT_EQ(page.left, 3628);
    EXPECT_EQ(page.top, 152390 - 149270);
    EXPECT_EQ(page.right, 211822);
    EXPECT_EQ(page.bottom, 152390 - 3047);
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
    Dm()->dmPaperSize = 1; // Letter, not used
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
    EXPECT_EQ(page.width, 145133); // 2000 x 100 x 18432 / 25400, truncated
    EXPECT_EQ(page.height, 181417);
    EXPECT_GE(page.left, 0);
    EXPECT_LT(page.left, page.right);
    EXPECT_LE(page.right, page.width);
    EXPECT_GE(page.top, 0);
    EXPECT_LT(page.top, page.bottom);
    EXPECT_LE(page.bottom, page.height);
    EXPECT_EQ(gdi_.szlPhysSize.cx, 4724); // 2000 x 600 / 254 = 4724.4
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

    // A record of a PDEV's size whose first signature is right and whose last is not.
    std::vector<BYTE> fake(sizeof(PDEV), 0);
    const DWORD signature = PDEV_SIGNATURE;
    memcpy(fake.data(), &signature, sizeof signature);
    SetLastError(0);
    DrvDisablePDEV((DHPDEV)fake.data());
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

// A model of another class than fax keeps its own fax settings at a reset.
TEST_F(PdevTest, ResetOfAModelWithoutFaxKeepsItsFaxSettings)
{
    PDEV *oldPdev = Enable(Dm());
    ASSERT_NE(oldPdev, nullptr);
    PDEV *newPdev = Enable(Dm());
    ASSERT_NE(newPdev, nullptr);
    EXPECT_FALSE(newPdev->faxModel);
    WORD destinations = 3;
    ASSERT_EQ(dma_CallSetValue(380, &oldPdev->devmode, oldPdev->printerData, 3, 2, &destinations), 0);
    oldPdev->flags |= PDEV_FLAG_DOC_STARTED;
    ASSERT_TRUE(DrvResetPDEV((DHPDEV)oldPdev, (DHPDEV)newPdev));
    EXPECT_EQ(pdev_GetSetting32(newPdev, 380), 0u);
    newPdev->flags = 0;
    DrvDisablePDEV((DHPDEV)oldPdev);
    DrvDisablePDEV((DHPDEV)newPdev);
}

// With the trace's entry and exit bits on, the PDEV's life leaves its exit lines: the
// PDEV as eight hex digits, and the bare line of DrvDisablePDEV.
TEST_F(PdevTest, TraceLinesOfEnableAndDisable)
{
    driver_files::WriteFileBytes(u"C:\\drv\\qmkelv.cfg", "[LOG]\r\nLog=0x3\r\n");
    PDEV *pdev = Enable(Dm());
    ASSERT_NE(pdev, nullptr);
    DrvDisablePDEV((DHPDEV)pdev);
    DeleteFileW(TEXT("C:\\drv\\qmkelv.cfg"));
    trc_Initialize();

    std::string log;
    HANDLE file = CreateFileW(TEXT("C:\\DEBUG_LOG\\WIN2000\\render_pdev_tests.log"),
                              GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr,
                              OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        log.append(buffer, read);
    }
    CloseHandle(file);
    EXPECT_TRUE(std::regex_search(
        log, std::regex("IN <<DrvEnablePDEV\n(.*\n)*OUT>>DrvEnablePDEV RetValue = 0x([0-9A-F]{8}){1,2}\n")))
        << log;
    EXPECT_NE(log.find("IN <<DrvDisablePDEV\nOUT>>DrvDisablePDEV\n"), std::string::npos) << log;
}

} // namespace
