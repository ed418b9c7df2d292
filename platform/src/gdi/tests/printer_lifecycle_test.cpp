/*
 * Printer DCs of CreateDCW over the installed sample printer and its render driver: the
 * device's capabilities, documents that complete or abort in the spooler, calls out of
 * order refused, and nothing left behind (driver module, PDEV surfaces, printer handles,
 * DCs).
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <qmhost.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "platform/testing/qm_testing_engine.h"
#include "platform/testing/qm_testing_files.h"
#include "platform/testing/qm_testing_icons.h"
#include "platform/testing/qm_testing_spooler.h"
#include "core/protocol/escapes.h"
#include "tools/printhost/print_host.h"

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("gdi_printer_tests.log");
}

namespace {

const WCHAR kPrinter[] = PH_PRINTER_NAME;
const WCHAR kRenderModule[] = PH_DRIVER_NAME;

// The sample printer installed with the driver files of the build, and the DEVMODE its
// user-interface driver would give (the printer's defaults with the trailer).
void InstallSample(std::vector<BYTE> *devmode)
{
    std::string error;
    ASSERT_TRUE(ph_InstallPrinter(kPrinter, QM_SAMPLE_MODEL, &error)) << error;
    HANDLE printer = NULL;
    ASSERT_TRUE(OpenPrinterW((LPWSTR)kPrinter, &printer, NULL));
    ASSERT_TRUE(ph_BuildJobDevmode(printer, kPrinter, devmode));
    ClosePrinter(printer);
}

// Makes the DEVMODE the printer's own (PRINTER_INFO_2.pDevMode).
void StorePrinterDevmode(std::vector<BYTE> *devmode)
{
    PRINTER_DEFAULTSW admin = {NULL, NULL, PRINTER_ALL_ACCESS};
    HANDLE printer = NULL;
    ASSERT_TRUE(OpenPrinterW((LPWSTR)kPrinter, &printer, &admin));
    PRINTER_INFO_2W info = {};
    info.pDevMode = (LPDEVMODEW)devmode->data();
    EXPECT_TRUE(SetPrinterW(printer, 2, (LPBYTE)&info, 0));
    ClosePrinter(printer);
}

struct LiveCounts {
    DWORD modules;
    DWORD surfaces;
    DWORD palettes;
    DWORD printers;
    DWORD dcs;
    bool operator==(const LiveCounts &o) const
    {
        return modules == o.modules && surfaces == o.surfaces && palettes == o.palettes && printers == o.printers &&
               dcs == o.dcs;
    }
};

LiveCounts CountLive()
{
    return {qmt_LiveModules(),
            qmt_LiveSurfaces(),
            qmt_LivePalettes(),
            qmt_LivePrinterHandles(),
            qmt_LiveGdiObjects(QMT_GDI_PRINTER_DC)};
}

// The last spool job of the sample printer.
QMH_JOB_INFO LastJob()
{
    QMH_JOB_INFO jobs[8] = {};
    DWORD count = qmh_EnumJobs(kPrinter, jobs, 8);
    return count == 0 || count > 8 ? QMH_JOB_INFO{} : jobs[count - 1];
}

class PrinterLifecycle : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallSample(&devmode_);
        StorePrinterDevmode(&devmode_);
        start_ = CountLive();
    }
    void TearDown() override
    {
        EXPECT_TRUE(CountLive() == start_) << "something the DCs made was left behind";
    }

    HDC Create()
    {
        return CreateDCW(TEXT("WINSPOOL"), kPrinter, NULL, NULL);
    }

    std::vector<BYTE> devmode_;
    LiveCounts start_;
    DOCINFOW doc_ = {sizeof(DOCINFOW), TEXT("Lifecycle"), NULL, NULL, 0};
};

TEST_F(PrinterLifecycle, TheDeviceAnswersFromItsDriver)
{
    HDC dc = Create();
    ASSERT_NE(dc, nullptr) << GetLastError();
    EXPECT_EQ(GetDeviceCaps(dc, TECHNOLOGY), DT_RASPRINTER);
    int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    EXPECT_GT(dpi, 96);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), dpi);
    EXPECT_GT(GetDeviceCaps(dc, HORZRES), 0);
    EXPECT_GE(GetDeviceCaps(dc, PHYSICALWIDTH), GetDeviceCaps(dc, HORZRES) + GetDeviceCaps(dc, PHYSICALOFFSETX));
    EXPECT_GE(GetDeviceCaps(dc, PHYSICALHEIGHT), GetDeviceCaps(dc, VERTRES) + GetDeviceCaps(dc, PHYSICALOFFSETY));
    // The page's printable width in millimetres agrees with its pixels at the device's dpi.
    EXPECT_NEAR(GetDeviceCaps(dc, HORZSIZE), GetDeviceCaps(dc, HORZRES) * 254 / (dpi * 10), 1);
    EXPECT_GE(GetDeviceCaps(dc, BITSPIXEL), 1);
    EXPECT_EQ(GetDeviceCaps(dc, PLANES), 1);
    // Escapes reach the driver's DrvEscape, its answer unchanged.
    WORD query = ESC_GETTECHNOLOGY;
    EXPECT_EQ(ExtEscape(dc, QUERYESCSUPPORT, sizeof query, (LPCSTR)&query, 0, NULL), ESC_EXT_CONTROL);
    query = 0x7FFF;
    EXPECT_EQ(ExtEscape(dc, QUERYESCSUPPORT, sizeof query, (LPCSTR)&query, 0, NULL), 0);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 0);
}

TEST_F(PrinterLifecycle, ADocumentOfTwoPagesCompletesItsJob)
{
    HDC dc = Create();
    ASSERT_NE(dc, nullptr);
    int job = StartDocW(dc, &doc_);
    ASSERT_GT(job, 0);
    for (int page = 0; page < 2; ++page) {
        EXPECT_GT(StartPage(dc), 0);
        EXPECT_GT(EndPage(dc), 0);
    }
    EXPECT_GT(EndDoc(dc), 0);
    QMH_JOB_INFO info = LastJob();
    EXPECT_EQ(info.JobId, (DWORD)job);
    EXPECT_EQ(info.Status, (DWORD)QMH_JOB_COMPLETED);
    EXPECT_EQ(std::u16string((const char16_t *)info.DocumentName), u"Lifecycle");
    EXPECT_GT(info.Bytes, 0u);
    // The DC takes a second document after the first.
    EXPECT_GT(StartDocW(dc, &doc_), job);
    EXPECT_GT(EndDoc(dc), 0);
    EXPECT_EQ(LastJob().Status, (DWORD)QMH_JOB_COMPLETED);
    EXPECT_TRUE(DeleteDC(dc));
}

TEST_F(PrinterLifecycle, AbortedAndAbandonedDocumentsAbortTheirJobs)
{
    struct Case {
        const char *name;
        bool abortDoc; // AbortDoc, else DeleteDC with the document open
        bool inPage;
    };
    const Case cases[] = {
        {"AbortDoc between pages", true, false},
        {"AbortDoc inside a page", true, true},
        {"DeleteDC inside a page", false, true},
        {"DeleteDC between pages", false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        HDC dc = Create();
        ASSERT_NE(dc, nullptr);
        ASSERT_GT(StartDocW(dc, &doc_), 0);
        ASSERT_GT(StartPage(dc), 0);
        if (!c.inPage) {
            ASSERT_GT(EndPage(dc), 0);
        }
        if (c.abortDoc) {
            EXPECT_GT(AbortDoc(dc), 0);
            EXPECT_EQ(EndDoc(dc), SP_ERROR); // no document any more
        }
        EXPECT_TRUE(DeleteDC(dc));
        EXPECT_EQ(LastJob().Status, (DWORD)QMH_JOB_ABORTED);
    }
}

TEST_F(PrinterLifecycle, CallsOutOfOrderAreRefused)
{
    HDC dc = Create();
    ASSERT_NE(dc, nullptr);
    SetLastError(0);
    EXPECT_EQ(StartPage(dc), SP_ERROR);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
    EXPECT_EQ(EndPage(dc), SP_ERROR);
    EXPECT_EQ(EndDoc(dc), SP_ERROR);
    EXPECT_EQ(AbortDoc(dc), SP_ERROR);
    EXPECT_EQ(StartDocW(dc, NULL), SP_ERROR);
    ASSERT_GT(StartDocW(dc, &doc_), 0);
    EXPECT_EQ(StartDocW(dc, &doc_), SP_ERROR);
    EXPECT_EQ(EndPage(dc), SP_ERROR);
    ASSERT_GT(StartPage(dc), 0);
    EXPECT_EQ(StartPage(dc), SP_ERROR);
    EXPECT_GT(EndDoc(dc), 0); // the open page is sent first
    EXPECT_EQ(LastJob().Status, (DWORD)QMH_JOB_COMPLETED);
    EXPECT_TRUE(DeleteDC(dc));
    // A deleted DC is a stale handle.
    SetLastError(0);
    EXPECT_EQ(StartDocW(dc, &doc_), SP_ERROR);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
    EXPECT_FALSE(DeleteDC(dc));
}

TEST_F(PrinterLifecycle, SpoolerFailuresFailTheDocument)
{
    HDC dc = Create();
    ASSERT_NE(dc, nullptr);
    // A job the spooler refuses: nothing reaches the driver, the DC takes the next document.
    qmt_SpoolerFailStartDoc(ERROR_ACCESS_DENIED);
    SetLastError(0);
    EXPECT_EQ(StartDocW(dc, &doc_), SP_ERROR);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
    EXPECT_EQ(StartPage(dc), SP_ERROR);
    // A write failing under the driver: the document fails and its job is aborted.
    ASSERT_GT(StartDocW(dc, &doc_), 0);
    qmt_SpoolerFailWrite(0, ERROR_DISK_FULL);
    StartPage(dc);
    EndPage(dc);
    EXPECT_EQ(EndDoc(dc), SP_ERROR);
    qmt_SpoolerReset();
    EXPECT_EQ(LastJob().Status, (DWORD)QMH_JOB_ABORTED);
    EXPECT_TRUE(DeleteDC(dc));
}

TEST_F(PrinterLifecycle, ResetBetweenPagesCarriesTheDocumentOn)
{
    HDC dc = Create();
    ASSERT_NE(dc, nullptr);
    int width = GetDeviceCaps(dc, PHYSICALWIDTH);
    int height = GetDeviceCaps(dc, PHYSICALHEIGHT);
    std::vector<BYTE> landscape = devmode_;
    DEVMODEW *dm = (DEVMODEW *)landscape.data();
    dm->dmOrientation = DMORIENT_LANDSCAPE;
    dm->dmFields |= DM_ORIENTATION;
    ASSERT_GT(StartDocW(dc, &doc_), 0);
    ASSERT_GT(StartPage(dc), 0);
    // Not inside a page: the DC stays as it was.
    SetLastError(0);
    EXPECT_EQ(ResetDCW(dc, dm), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), width);
    ASSERT_GT(EndPage(dc), 0);
    // Between pages the new PDEV takes the document on, in the new orientation.
    EXPECT_EQ(ResetDCW(dc, dm), dc);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), height);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALHEIGHT), width);
    ASSERT_GT(StartPage(dc), 0);
    ASSERT_GT(EndPage(dc), 0);
    EXPECT_GT(EndDoc(dc), 0);
    EXPECT_EQ(LastJob().Status, (DWORD)QMH_JOB_COMPLETED);
    // Outside a document, and back to the printer's DEVMODE.
    EXPECT_EQ(ResetDCW(dc, NULL), dc);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), width);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(ResetDCW(dc, NULL), nullptr);
}

TEST_F(PrinterLifecycle, TheDriverIsEnabledOncePerProcess)
{
    HDC first = Create();
    ASSERT_NE(first, nullptr);
    DWORD loaded = qmt_LiveModules();
    EXPECT_GT(loaded, start_.modules);
    HDC second = Create();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(qmt_LiveModules(), loaded); // the same module, not loaded again
    EXPECT_TRUE(DeleteDC(first));
    EXPECT_EQ(qmt_LiveModules(), loaded); // the second DC still holds it
    EXPECT_TRUE(DeleteDC(second));
    EXPECT_EQ(qmt_LiveModules(), start_.modules); // freed after its last DC
    // A new DC loads and enables it again.
    HDC third = Create();
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(qmt_LiveModules(), loaded);
    EXPECT_TRUE(DeleteDC(third));
}

TEST_F(PrinterLifecycle, FailedCreationsLeaveNothing)
{
    SetLastError(0);
    EXPECT_EQ(CreateDCW(TEXT("WINSPOOL"), TEXT("No Such Printer"), NULL, NULL), nullptr);
    EXPECT_NE(GetLastError(), 0u);
    EXPECT_EQ(CreateDCW(TEXT("SOMETHING"), kPrinter, NULL, NULL), nullptr);
    // A NULL driver name is the spooler's too.
    HDC dc = CreateDCW(NULL, kPrinter, NULL, NULL);
    ASSERT_NE(dc, nullptr);
    EXPECT_TRUE(DeleteDC(dc));
    // The application's DEVMODE where the printer has none; neither: the driver refuses.
    std::vector<BYTE> none;
    ASSERT_NO_FATAL_FAILURE(InstallSample(&none));
    dc = CreateDCW(TEXT("WINSPOOL"), kPrinter, NULL, (const DEVMODEW *)devmode_.data());
    ASSERT_NE(dc, nullptr);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(Create(), nullptr);
    StorePrinterDevmode(&devmode_);
    // A render module that does not load.
    qmt_FailModuleLoad(kRenderModule);
    EXPECT_EQ(Create(), nullptr);
    qmt_FailModuleLoad(NULL);
    // A refused PDEV (the driver's palette refused by the engine).
    qmt_EngineFailCall(QMT_ENGINE_PALETTE, 0, 1);
    EXPECT_EQ(Create(), nullptr);
    qmt_EngineFailCall(QMT_ENGINE_PALETTE, 0, 0);
}

} // namespace
