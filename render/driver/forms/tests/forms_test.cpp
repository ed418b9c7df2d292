/*
 * Form lookups of the render side against the spooler's forms, paper-kind words and the
 * second-part copy.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <string.h>

#include <vector>

#include "platform/include/qmhost.h"
#include "platform/testing/qm_testing.h"
#include "render/driver/forms/forms.h"

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("render_forms_tests.log");
}

namespace {

class Forms : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QMH_PRINTER_SETUP setup = {TEXT("Forms Printer"),
                                   TEXT("LPT1:"),
                                   TEXT("QM Driver"),
                                   TEXT("C:\\drv\\qmkelvim.dll"),
                                   TEXT("C:\\drv\\QM50C1.DDD"),
                                   TEXT("C:\\drv\\qmkelviu.dll"),
                                   nullptr,
                                   nullptr,
                                   0};
        qmh_DeletePrinter(setup.pPrinterName);
        ASSERT_TRUE(qmh_InstallPrinter(&setup));
        PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        ASSERT_TRUE(OpenPrinterW((LPWSTR)TEXT("Forms Printer"), &printer, &defaults));
        blocksAtStart = qmt_LiveGlobalBlocks();
    }
    void TearDown() override
    {
        EXPECT_EQ(qmt_LiveGlobalBlocks(), blocksAtStart);
        ClosePrinter(printer);
    }
    HANDLE printer = nullptr;
    DWORD blocksAtStart = 0;
};

TEST_F(Forms, SizeOfA4ByNameAndByNumberInTenthsOfAMillimetre)
{
    FormSize size = {};
    ASSERT_EQ(util_GetFormSize(printer, TEXT("A4"), 0, &size), (DWORD)FORM_LOOKUP_FOUND);
    EXPECT_EQ(size.width, 2100);
    EXPECT_EQ(size.height, 2970);
    EXPECT_EQ(size.left, 0);
    EXPECT_EQ(size.right, 2100);
    EXPECT_EQ(size.bottom, 2970);

    FormSize byNumber = {};
    ASSERT_EQ(util_GetFormSize(printer, nullptr, DMPAPER_A4, &byNumber), (DWORD)FORM_LOOKUP_FOUND);
    EXPECT_EQ(memcmp(&size, &byNumber, sizeof size), 0);

    EXPECT_EQ(util_GetFormSize(printer, TEXT("No Such Form"), 0, &size), (DWORD)FORM_LOOKUP_NO_FORM);
    EXPECT_EQ(util_GetFormSize(printer, nullptr, 0, &size), (DWORD)FORM_LOOKUP_NO_FORM);
    EXPECT_EQ(util_GetFormSize(printer, nullptr, 100000, &size), (DWORD)FORM_LOOKUP_NO_FORM);
    EXPECT_EQ(util_GetFormSize(nullptr, TEXT("A4"), 0, &size), (DWORD)FORM_LOOKUP_BAD_ARG);
    EXPECT_EQ(util_GetFormSize(printer, TEXT("A4"), 0, nullptr), (DWORD)FORM_LOOKUP_BAD_ARG);
}

TEST_F(Forms, FormByNameIsAGlobalBlockTheCallerFrees)
{
    FORM_INFO_1W *form = nullptr;
    ASSERT_EQ(util_GetFormByName(printer, TEXT("Letter"), &form), (DWORD)FORM_LOOKUP_FOUND);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(lstrcmpW(form->pName, TEXT("Letter")), 0);
    EXPECT_EQ(form->Size.cx, 215900);
    GlobalFree(form);
    form = (FORM_INFO_1W *)1;
    EXPECT_EQ(util_GetFormByName(printer, TEXT("Nope"), &form), (DWORD)FORM_LOOKUP_NO_FORM);
    EXPECT_EQ(form, nullptr);
}

// A long form name is cut to 31 characters and terminated inside the 96-byte block.
TEST_F(Forms, FormByNumberKeepsABoundedTerminatedName)
{
    const WCHAR longName[] = TEXT("A very long user form name of forty chars");
    FORM_INFO_1W added = {FORM_USER, (LPWSTR)longName, {100000, 200000}, {0, 0, 100000, 200000}};
    ASSERT_TRUE(AddFormW(printer, 1, (LPBYTE)&added));
    DWORD needed = 0, count = 0;
    EnumFormsW(printer, 1, nullptr, 0, &needed, &count);
    std::vector<BYTE> list(needed);
    ASSERT_TRUE(EnumFormsW(printer, 1, list.data(), needed, &needed, &count));
    ASSERT_GT(count, 0u);

    FORM_INFO_1W *block = nullptr;
    ASSERT_EQ(util_GetFormByIndex(printer, count, &block), (DWORD)FORM_LOOKUP_FOUND);
    EXPECT_EQ(block->pName, (LPWSTR)(block + 1));
    EXPECT_EQ(lstrlenW(block->pName), FORM_INDEX_NAME_CHARS - 1);
    EXPECT_EQ(memcmp(block->pName, longName, (FORM_INDEX_NAME_CHARS - 1) * sizeof(WCHAR)), 0);
    EXPECT_EQ(block->Size.cy, 200000);
    GlobalFree(block);
    EXPECT_EQ(util_GetFormByIndex(printer, count + 1, &block), (DWORD)FORM_LOOKUP_NO_FORM);
    EXPECT_EQ(block, nullptr);
}

TEST(PaperRecords, PaperKindWordOnlyFromPaperRecords)
{
    DddPaper paper = {};
    paper.head.type = 10;
    paper.word1 = 0xFFFF;
    WORD word = 0;
    EXPECT_EQ(ddd_GetPaperKindWord(&paper, &word), 0);
    EXPECT_EQ(word, 0xFFFF);
    paper.head.type = 11;
    EXPECT_EQ(ddd_GetPaperKindWord(&paper, &word), 1);
    EXPECT_EQ(ddd_GetPaperKindWord(nullptr, &word), 1);
}

TEST(PaperRecords, SecondPartCopyLeavesTheShortFormAlone)
{
    static DriverDevmode from, to;
    memset(&from, 0xAB, sizeof from);
    memset(&to, 0x11, sizeof to);
    util_CopySecondPart(&to, &from);
    EXPECT_EQ(((BYTE *)&to)[DM_SHORT_SIZE - 1], 0x11);
    EXPECT_EQ(((BYTE *)&to)[DM_SHORT_SIZE], 0xAB);
    EXPECT_EQ(((BYTE *)&to)[DM_FULL_SIZE - 1], 0xAB);
}

} // namespace
