/* A test fixture with one installed printer and a leak check of printer handles. */
#ifndef QM_SPOOLER_FIXTURE_H
#define QM_SPOOLER_FIXTURE_H

#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <qmhost.h>

#include "platform/testing/qm_testing.h"

class Spooler : public testing::Test
{
protected:
    void SetUp() override
    {
        handles_ = qmt_LivePrinterHandles();
        QMH_PRINTER_SETUP setup = {};
        setup.pPrinterName = TEXT("QM Test Printer");
        setup.pPortName = TEXT("LPT1:");
        setup.pDriverName = TEXT("QM Test Driver");
        setup.pDriverPath = TEXT("C:\\drivers\\qmkelvim.dll");
        setup.pDataFile = TEXT("C:\\drivers\\SAMPLE.DDD");
        setup.pConfigFile = TEXT("C:\\drivers\\qmkelviu.dll");
        setup.pHelpFile = TEXT("C:\\drivers\\qmkelv.chm");
        setup.pDependentFiles = TEXT("qmkelvdm.dll\0qmkelvir.xrs\0");
        ASSERT_TRUE(qmh_InstallPrinter(&setup));
        ASSERT_TRUE(Open(PRINTER_ALL_ACCESS, &printer_));
    }
    void TearDown() override
    {
        if (printer_) {
            EXPECT_TRUE(ClosePrinter(printer_));
        }
        qmt_SpoolerReset();
        EXPECT_EQ(qmt_LivePrinterHandles(), handles_) << "a printer handle was left open";
    }
    static BOOL Open(ACCESS_MASK access, HANDLE *out)
    {
        PRINTER_DEFAULTSW defaults = {nullptr, nullptr, access};
        return OpenPrinterW((LPWSTR)TEXT("QM Test Printer"), out, &defaults);
    }
    HANDLE printer_ = nullptr;
    DWORD handles_ = 0;
};

#endif
