/* PROPSHEETPAGEW records: size, help flag, templates, titles from a string id, from a
 * FunctionID's caption copy or from the template; the copies freed with the sheet. */
#include "ui/driver/sheet/property_pages.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/ddd/tests/ddd_test_support.h"
#include "platform/testing/qm_testing.h"

namespace {

const PanelInfo kPanel = {nullptr, 0, 9999, nullptr, nullptr, 0};
const PageInfo kTitled = {520, nullptr, 1, 9001, 0x901E, nullptr, 0}; // the string id wins
const PageInfo kCaption = {524, nullptr, 17, UI_NONE_ID, 0x901E, nullptr, 0};
const PageInfo kPlain = {504, nullptr, 13, UI_NONE_ID, 0, nullptr, 0};
const PageInfo kUnknown = {517, nullptr, 52, UI_NONE_ID, 0x9FFF, nullptr, 0}; // no caption
const TabDescriptor kTabs[] = {{1, &kPanel, &kTitled},
                               {17, &kPanel, &kCaption},
                               {13, &kPanel, &kPlain},
                               {52, &kPanel, &kUnknown},
                               {28, &kPanel, nullptr}};

struct Model {
    std::unique_ptr<ddd_test::Pair> pair;
    DriverContext context{};
    Model()
    {
        std::string records =
            "  - {type: 4, key: 36894, caption: \"Finishing\", control: 2, default: 1, options: [1]}\n"
            "  - {type: 14, key: 1, caption: \"On\", value: {type: 2, value: 1}}\n";
        pair = std::make_unique<ddd_test::Pair>(ddd_test::Compile(ddd_test::Source(8192, "", records)));
        EXPECT_EQ(DDD_OK, pair->status);
        context.model = &pair->model;
        context.base = &pair->base;
    }
};

TEST(PropertyPages, RecordsAndTitles)
{
    Model model;
    SheetContext sheet = {};
    sheet.model = &model.context;
    const TabDescriptor *const all[] = {&kTabs[0], &kTabs[4], &kTabs[1], &kTabs[2], &kTabs[3]};
    WORD pages = 0;
    GlobalFree(ui_BuildPropSheetPages(all, &sheet, 5, &pages)); // fills the reader's caches of first use
    ui_FreePageTitles(&sheet);
    DWORD baseline = qmt_LiveGlobalBlocks();
    PROPSHEETPAGEW *records = ui_BuildPropSheetPages(all, &sheet, 5, &pages);
    ASSERT_NE(records, nullptr);
    ASSERT_EQ(pages, 4); // the sub-dialog panel gives no page

    struct Expected {
        WORD templateId;
        DWORD flags;
    };
    static const Expected kExpected[] = {
        {520, PSP_HASHELP | PSP_USETITLE},
        {524, PSP_HASHELP | PSP_USETITLE},
        {504, PSP_HASHELP},
        {517, PSP_HASHELP},
    };
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(records[i].dwSize, sizeof(PROPSHEETPAGEW));
        EXPECT_EQ(records[i].dwFlags, kExpected[i].flags);
        EXPECT_EQ(records[i].pszTemplate, MAKEINTRESOURCEW(kExpected[i].templateId));
    }
    EXPECT_EQ(records[0].pszTitle, MAKEINTRESOURCEW(9001));
    ASSERT_NE(sheet.titleCopies, nullptr);
    EXPECT_EQ(records[1].pszTitle, sheet.titleCopies[0]);
    EXPECT_EQ(std::u16string(records[1].pszTitle), u"Finishing");
    EXPECT_EQ(sheet.titleCopies[1], nullptr);
    EXPECT_EQ(records[2].pszTitle, nullptr);

    GlobalFree(records);
    EXPECT_EQ(ui_FreePageTitles(&sheet), 1);
    EXPECT_EQ(sheet.titleCopies, nullptr);
    EXPECT_EQ(qmt_LiveGlobalBlocks(), baseline);
}

TEST(PropertyPages, FailuresLeaveNothing)
{
    Model model;
    SheetContext sheet = {};
    sheet.model = &model.context;
    const TabDescriptor *const all[] = {&kTabs[1], &kTabs[2]};
    DWORD baseline = qmt_LiveGlobalBlocks();
    WORD pages = 7;
    for (DWORD after = 0; after < 3; ++after) { // the page-info, record and title arrays
        qmt_FailAllocations(after, 1);
        EXPECT_EQ(ui_BuildPropSheetPages(all, &sheet, 2, &pages), nullptr) << after;
        qmt_FailAllocations(0, 0);
        EXPECT_EQ(pages, 0);
        EXPECT_EQ(sheet.titleCopies, nullptr);
        EXPECT_EQ(qmt_LiveGlobalBlocks(), baseline);
    }
    const TabDescriptor *const panelsOnly[] = {&kTabs[4]};
    EXPECT_EQ(ui_BuildPropSheetPages(panelsOnly, &sheet, 1, &pages), nullptr);
    EXPECT_EQ(ui_BuildPropSheetPages(all, nullptr, 2, &pages), nullptr);
    EXPECT_EQ(ui_FreePageTitles(nullptr), 0);
}

} // namespace
