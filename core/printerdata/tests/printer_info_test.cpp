/* The printer's and driver's information read into new blocks. */
#include "core/printerdata/printer_info.h"

#include "core/context/tests/driver_files.h"
#include "platform/testing/qm_testing.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PrinterInfo, PrinterAndDriverInformationInNewBlocks)
{
    HANDLE printer = driver_files::InstallPrinter(TEXT("Office"), u"C:\\drv\\QM50C1.DDD");
    ASSERT_NE(nullptr, printer);
    DWORD blocks = qmt_LiveGlobalBlocks();

    PRINTER_INFO_2W *info = (PRINTER_INFO_2W *)util_GetPrinterInfoAlloc(printer, 2);
    ASSERT_NE(nullptr, info);
    EXPECT_EQ(u"Office", std::u16string(info->pPrinterName));
    EXPECT_EQ(u"QM Driver", std::u16string(info->pDriverName));
    GlobalFree(info);

    DRIVER_INFO_2W *driver = (DRIVER_INFO_2W *)util_GetDriverInfoAlloc(printer, 2);
    ASSERT_NE(nullptr, driver);
    EXPECT_EQ(u"C:\\drv\\qmkelviu.dll", std::u16string(driver->pConfigFile));
    GlobalFree(driver);

    WCHAR *path = ddd_GetDriverDataFilePath(printer);
    ASSERT_NE(nullptr, path);
    EXPECT_EQ(u"C:\\drv\\QM50C1.DDD", std::u16string(path));
    GlobalFree(path);

    /* Refusals: no handle, an unknown level, no memory for the copy. */
    EXPECT_EQ(nullptr, util_GetPrinterInfoAlloc(nullptr, 2));
    EXPECT_EQ(nullptr, util_GetDriverInfoAlloc(printer, 99));
    EXPECT_EQ(nullptr, ddd_GetDriverDataFilePath(nullptr));
    qmt_FailAllocations(0, 1);
    EXPECT_EQ(nullptr, ddd_GetDriverDataFilePath(printer));
    qmt_FailAllocations(0, 0);
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());
    ClosePrinter(printer);
}

} // namespace
