/* SheetContext members: a NULL sheet answers nothing, the tooltip text's ANSI limit, the
 * favorites setter's refusal, the help file and the port name of an installed printer. */
#include "ui/driver/sheet/sheet_members.h"

#include <gtest/gtest.h>

#include <string>
#include <winspool.h>

#include "platform/include/qmhost.h"
#include "platform/testing/qm_testing.h"

namespace {

TEST(SheetMembers, NullSheetAndValues)
{
    EXPECT_EQ(ui_GetUnitChoice(nullptr), -1);
    EXPECT_EQ(ui_ResetUnitChoice(nullptr), 0);
    EXPECT_EQ(ui_GetSavedChoice(nullptr), -1);
    EXPECT_EQ(ui_GetPendingTitleFid(nullptr), -1);
    EXPECT_EQ(ui_GetActivePage(nullptr), -1);
    EXPECT_EQ(ui_GetTooltipWindow(nullptr, 1), nullptr);
    EXPECT_EQ(ui_GetTooltipText(nullptr), nullptr);
    EXPECT_EQ(ui_SetSheetDone(nullptr, 1), 0);
    EXPECT_EQ(ui_SetFavorites(nullptr, (struct FavoritesState *)0x1), 0);
    EXPECT_EQ(ui_CopyPortName(nullptr), 0);
    EXPECT_EQ(ui_FreePortName(nullptr), 0);

    SheetContext sheet = {};
    sheet.measureSystem = 1;
    EXPECT_EQ(ui_ResetUnitChoice(&sheet), 1);
    EXPECT_EQ(ui_GetUnitChoice(&sheet), 1);
    EXPECT_EQ(ui_SetTooltipWindow(&sheet, 1, (HWND)0x10), 1);
    EXPECT_EQ(ui_SetTooltipWindow(&sheet, 4, (HWND)0x20), 1);
    EXPECT_EQ(ui_GetTooltipWindow(&sheet, 1), (HWND)0x10);
    EXPECT_EQ(ui_GetTooltipWindow(&sheet, 2), (HWND)0x20); // every other kind shares one
    EXPECT_EQ(ui_SetFavorites(&sheet, nullptr), 0);
    EXPECT_EQ(ui_SetFavorites(&sheet, (struct FavoritesState *)0x30), 1);
    EXPECT_EQ(ui_GetFavorites(&sheet), (struct FavoritesState *)0x30);

    std::u16string fits(127, u'a');
    std::u16string tooLong(128, u'b');
    EXPECT_EQ(ui_StoreTooltipText(&sheet, fits.c_str()), 1);
    EXPECT_EQ(std::u16string(ui_GetTooltipText(&sheet)), fits);
    EXPECT_EQ(ui_StoreTooltipText(&sheet, tooLong.c_str()), 0);
    EXPECT_EQ(std::u16string(ui_GetTooltipText(&sheet)), fits); // unchanged
    EXPECT_EQ(ui_StoreTooltipText(&sheet, nullptr), 0);
}

HANDLE Install(const WCHAR *name, const WCHAR *help)
{
    QMH_PRINTER_SETUP setup = {};
    setup.pPrinterName = name;
    setup.pPortName = u"IP_10.0.0.5";
    setup.pDriverName = u"QM Sheet Test Driver";
    setup.pDriverPath = u"C:\\drivers\\qmkelvim.dll";
    setup.pDataFile = u"C:\\drivers\\SAMPLE.DDD";
    setup.pConfigFile = u"C:\\drivers\\qmkelviu.dll";
    setup.pHelpFile = help;
    EXPECT_TRUE(qmh_InstallPrinter(&setup));
    HANDLE printer = nullptr;
    EXPECT_TRUE(OpenPrinterW((LPWSTR)name, &printer, nullptr));
    return printer;
}

TEST(SheetMembers, HelpFileAndPortName)
{
    DWORD baseline = qmt_LiveGlobalBlocks();
    HANDLE withHelp = Install(u"Sheet Printer", u"C:\\drivers\\qmkelv.chm");
    WCHAR *help = ui_GetDriverHelpFile(withHelp);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(std::u16string(help), u"C:\\drivers\\qmkelv.chm");
    GlobalFree(help);

    SheetContext sheet = {};
    sheet.printer = withHelp;
    EXPECT_EQ(ui_CopyPortName(&sheet), 1);
    ASSERT_NE(sheet.portName, nullptr);
    EXPECT_EQ(std::u16string(sheet.portName), u"IP_10.0.0.5");
    WCHAR *first = sheet.portName;
    EXPECT_EQ(ui_CopyPortName(&sheet), 1); // made once
    EXPECT_EQ(sheet.portName, first);
    EXPECT_EQ(ui_FreePortName(&sheet), 1);
    EXPECT_EQ(sheet.portName, nullptr);
    ClosePrinter(withHelp);

    HANDLE noHelp = Install(u"Sheet Printer 2", nullptr);
    EXPECT_EQ(ui_GetDriverHelpFile(noHelp), nullptr);
    ClosePrinter(noHelp);
    EXPECT_EQ(ui_GetDriverHelpFile(nullptr), nullptr);
    sheet.printer = nullptr;
    EXPECT_EQ(ui_CopyPortName(&sheet), 0);
    qmt_SpoolerReset();
    EXPECT_EQ(qmt_LiveGlobalBlocks(), baseline);
}

} // namespace
