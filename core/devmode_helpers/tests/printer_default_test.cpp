/*
 * The printer's default DEVMODE: the model's defaults without a stored DEVMODE, the stored
 * one's values, the enforced special settings on top, and NULL arguments.
 */
#include "core/rules/tests/rules_fixture.h"

#include "core/devmode_helpers/devmode_helpers.h"

namespace {

using rules_test::RulesFixture;

class PrinterDefaultTest : public RulesFixture
{
public:
    PRINTER_INFO_2W *Read(DriverDevmode *output, DWORD *size, BOOL *ok)
    {
        return pd_GetPrinterDefaultDevmode(printer_, context_, output, size, ok);
    }
    void Store(const DriverDevmode *devmode)
    {
        HANDLE admin = nullptr;
        PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        ASSERT_TRUE(OpenPrinterW((LPWSTR)TEXT("Sample"), &admin, &access));
        DWORD needed = 0;
        GetPrinterW(admin, 2, nullptr, 0, &needed);
        std::vector<BYTE> info(needed);
        ASSERT_TRUE(GetPrinterW(admin, 2, info.data(), needed, &needed));
        ((PRINTER_INFO_2W *)info.data())->pDevMode = (DEVMODEW *)&devmode->dm;
        ASSERT_TRUE(SetPrinterW(admin, 2, info.data(), 0));
        ClosePrinter(admin);
    }
};

TEST_F(PrinterDefaultTest, DefaultsStoredValuesAndEnforcedSettings)
{
    driver_files::WriteFileBytes(u"C:\\drv\\QM50BASE.cfg", "[Model_50_C_1]\r\nColorMode.enforced=gray\r\n");
    ASSERT_NE(nullptr, OpenSample());
    ASSERT_NE(nullptr, context_->special);
    auto output = std::make_unique<DriverDevmode>();
    DWORD size = sizeof(DriverDevmode);
    BOOL ok = FALSE;
    DWORD blocks = qmt_LiveGlobalBlocks();

    /* No stored DEVMODE: the model's defaults, with the enforced colour mode. */
    PRINTER_INFO_2W *info = Read(output.get(), &size, &ok);
    ASSERT_NE(nullptr, info);
    EXPECT_TRUE(ok);
    EXPECT_EQ(&output->dm, info->pDevMode);
    EXPECT_EQ((DWORD)DM_SHORT_SIZE, size);
    EXPECT_EQ(9, Get(FID_PAPER_SIZE, output.get()));
    EXPECT_EQ(1, Get(FID_COLOR_MODE, output.get()));
    GlobalFree(info);
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());

    /* A stored DEVMODE of this model: its values. */
    Set(FID_PAPER_SIZE, 11);
    Set(FID_COPIES, 4);
    Set(FID_COLOR_MODE, 2);
    Store(&areas_->devmode);
    size = DM_SHORT_SIZE;
    std::vector<BYTE> shortForm(DM_SHORT_SIZE + 32, 0xAB);
    info = Read((DriverDevmode *)shortForm.data(), &size, &ok);
    ASSERT_NE(nullptr, info);
    EXPECT_EQ(11, Get(FID_PAPER_SIZE, (DriverDevmode *)shortForm.data()));
    EXPECT_EQ(4, Get(FID_COPIES, (DriverDevmode *)shortForm.data()));
    EXPECT_EQ(1, Get(FID_COLOR_MODE, (DriverDevmode *)shortForm.data()));
    for (size_t i = DM_SHORT_SIZE; i < shortForm.size(); ++i)
        ASSERT_EQ(0xAB, shortForm[i]);
    GlobalFree(info);
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());

    /* Too small a buffer, and NULL arguments. */
    size = 1000;
    ok = TRUE;
    EXPECT_EQ(nullptr, Read(output.get(), &size, &ok));
    EXPECT_FALSE(ok);
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());
    EXPECT_EQ(nullptr, pd_GetPrinterDefaultDevmode(nullptr, context_, output.get(), &size, &ok));
    EXPECT_EQ(nullptr, pd_GetPrinterDefaultDevmode(printer_, nullptr, output.get(), &size, &ok));
    EXPECT_EQ(nullptr, pd_GetPrinterDefaultDevmode(printer_, context_, nullptr, &size, &ok));
    EXPECT_EQ(nullptr, pd_GetPrinterDefaultDevmode(printer_, context_, output.get(), nullptr, &ok));
    EXPECT_EQ(nullptr, pd_GetPrinterDefaultDevmode(printer_, context_, output.get(), &size, nullptr));
}

} // namespace
