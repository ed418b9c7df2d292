/*
 * Forms by index, the paper number of a form, and grey conversion.
 */
#include "core/stored/printer_forms.h"

#include "core/context/tests/driver_files.h"
#include "core/settings/settings.h"
#include "platform/testing/qm_testing.h"

#include <gtest/gtest.h>

#include <string>

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\FORMS_TEST_LOG.txt");
}

namespace {

class PrinterFormsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        module_ = driver_files::PinModuleDirectory();
        driver_files::CopyIn(driver_files::HostFile(QM_MODELS_DIR "/QM50C1.DDD"), u"QM50C1.DDD");
        driver_files::CopyIn(driver_files::HostFile(QM_MODELS_DIR "/QM50BASE.DDD"), u"QM50BASE.DDD");
        printer_ = driver_files::InstallPrinter(TEXT("Forms"), u"C:\\drv\\QM50C1.DDD");
        ASSERT_NE(nullptr, printer_);
    }
    void TearDown() override
    {
        ClosePrinter(printer_);
        util_SetModuleHandle(nullptr);
        FreeLibrary(module_);
    }
    HMODULE module_ = nullptr;
    HANDLE printer_ = nullptr;
};

TEST_F(PrinterFormsTest, FormNamesByIndex)
{
    DWORD blocks = qmt_LiveGlobalBlocks();
    WCHAR *name = nullptr;
    ASSERT_EQ((DWORD)FORM_FOUND, util_FindFormName(printer_, 9, &name));
    EXPECT_EQ(u"A4", std::u16string(name));
    GlobalFree(name);
    EXPECT_EQ((DWORD)FORM_PAST_END, util_FindFormName(printer_, 5000, &name));
    EXPECT_EQ(nullptr, name);
    EXPECT_EQ((DWORD)FORM_FAILED, util_FindFormName(printer_, 0, &name));
    EXPECT_EQ((DWORD)FORM_FAILED, util_FindFormName(printer_, 1, nullptr));
    qmt_FailAllocations(0, 1);
    EXPECT_EQ((DWORD)FORM_FAILED, util_FindFormName(printer_, 1, &name));
    qmt_FailAllocations(0, 0);
    /* A handle the spooler does not know: the forms cannot be listed. */
    HANDLE closed = driver_files::InstallPrinter(TEXT("Gone"), u"C:\\drv\\QM50C1.DDD");
    ClosePrinter(closed);
    EXPECT_EQ((DWORD)FORM_NO_LIST, util_FindFormName(closed, 1, &name));
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());

    name = util_GetFormNameByIndex(printer_, 5);
    EXPECT_EQ(u"Legal", std::u16string(name));
    GlobalFree(name);
    EXPECT_EQ(nullptr, util_GetFormNameByIndex(printer_, 5000));
}

TEST_F(PrinterFormsTest, PaperNumbersOfForms)
{
    DriverDevmode *devmode = dm_AllocDevmode(0);
    PrinterDataBlock block{};
    struct Case {
        DWORD index;
        DWORD result;
        WORD paper;
    };
    static const Case cases[] = {
        {1, FORM_FOUND, 1},    /* Letter */
        {9, FORM_FOUND, 9},    /* A4 */
        {5, FORM_FOUND, 5},    /* Legal, an option of the base file's paper */
        {8, FORM_FAILED, 0},   /* A3: no option of that name */
        {256, FORM_FAILED, 0}, /* user size off */
    };
    for (const Case &c : cases) {
        WORD paper = 0;
        EXPECT_EQ(c.result, opt_PaperIdFromFormIndex(printer_, devmode, &block, c.index, &paper)) << c.index;
        EXPECT_EQ(c.paper, paper) << c.index;
    }
    /* User size on, with paper length and width in dmFields. */
    WORD on = 1;
    ASSERT_EQ(0, dma_SetFunctionValue(5200, devmode, &block, VT_WORD, 2, &on));
    devmode->dm.dmFields = DM_PAPERLENGTH;
    WORD paper = 0;
    EXPECT_EQ((DWORD)FORM_FAILED, opt_PaperIdFromFormIndex(printer_, devmode, &block, 256, &paper));
    devmode->dm.dmFields = DM_PAPERLENGTH | DM_PAPERWIDTH;
    EXPECT_EQ((DWORD)FORM_FOUND, opt_PaperIdFromFormIndex(printer_, devmode, &block, 256, &paper));
    EXPECT_EQ(256, paper);
    EXPECT_EQ((DWORD)FORM_FAILED, opt_PaperIdFromFormIndex(printer_, devmode, &block, 9, nullptr));
    GlobalFree(devmode);
}

TEST(RgbToGray, GreyBytesOfPixels)
{
    struct Case {
        BYTE b0, b1, b2;
        BYTE grey;
    };
    static const Case cases[] = {
        {0, 0, 0, 0},
        {255, 255, 255, 255}, /* equal bytes keep their value; the formula would give 254 */
        {77, 77, 77, 77},
        {255, 0, 0, 84}, /* (255 x 85) >> 8 */
        {0, 255, 0, 85}, /* (255 x 86) >> 8 */
        {0, 0, 255, 84},
        {10, 20, 30, 20}, /* (40 x 85 + 20 x 86) >> 8 = 5120 >> 8 */
    };
    const int n = sizeof(cases) / sizeof(cases[0]);
    BYTE source[n * 3];
    BYTE grey[n + 1];
    for (int i = 0; i < n; ++i) {
        source[i * 3] = cases[i].b0;
        source[i * 3 + 1] = cases[i].b1;
        source[i * 3 + 2] = cases[i].b2;
    }
    grey[n] = 0xEE;
    util_RgbToGray(source, grey, 1, (WORD)n); /* one pixel per row: no row padding */
    for (int i = 0; i < n; ++i)
        EXPECT_EQ(cases[i].grey, grey[i]) << i;
    EXPECT_EQ(0xEE, grey[n]);
    util_RgbToGray(nullptr, grey, 1, 1);
}

} // namespace
