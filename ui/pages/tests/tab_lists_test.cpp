/* The tabs of a sheet over sheet kind, model class, colour kind and the device-page
 * capability: tabs, templates and the descriptor array with each page's panels; the guard
 * against a 21st tab; the PROPSHEETPAGEW records of the shipped pages. */
#include "ui/driver/sheet/property_pages.h"
#include "ui/driver/sheet/tab_lists.h"
#include "ui/pages/page_descriptors.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/ddd/tests/ddd_test_support.h"
#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_text.h"
#include "platform/testing/qm_testing_user.h"
#include "core/util/module.h"
#include "core/util/resource_module.h"

namespace {

struct Model {
    std::unique_ptr<ddd_test::Pair> pair;
    DriverContext context{};
    explicit Model(const std::string &entries)
        : pair(std::make_unique<ddd_test::Pair>(ddd_test::Compile(ddd_test::Source(8192, entries, ""))))
    {
        EXPECT_EQ(DDD_OK, pair->status);
        context.model = &pair->model;
        context.base = &pair->base;
    }
};

TEST(TabLists, SheetKindClassColourAndCapability)
{
    struct Case {
        WORD kind;
        WORD modelClass;
        const char *entries;
        std::vector<WORD> templates; // of the tabs, in order
        std::vector<DWORD> array;    // panel ids of the descriptor array
    };
    const std::vector<DWORD> page1 = {1, 15, 16, 58, 28, 29, 35, 36, 22, 42, 44, 43, 55};
    const std::vector<DWORD> page2 = {2, 10, 20, 21, 37, 38, 14, 29, 28, 39, 41, 40, 48, 57};
    auto join = [](std::initializer_list<std::vector<DWORD>> parts) {
        std::vector<DWORD> all;
        for (const auto &part : parts)
            all.insert(all.end(), part.begin(), part.end());
        return all;
    };
    const Case kCases[] = {
        {2,
         1,
         "  5: 2\n",
         {520, 521, 505, 524, 504},
         join({page1, page2, {3, 11, 26, 27}, {17, 18, 19, 25}, {13, 4, 8, 56}})},
        {2,
         2,
         "  5: 1\n",
         {520, 521, 537, 524, 504}, // monochrome page 3 without panels
         join({page1, page2, {3}, {17, 18, 19, 25}, {13, 4, 8, 56}})},
        {2,
         3,
         "  5: 2\n",
         {520, 505, 521, 524, 504}, // page 52 dropped
         join({page1, {3, 11, 26, 27}, page2, {17, 18, 19, 25}, {13, 4, 8, 56}})},
        {2,
         4,
         "  5: 18\n",
         {520, 505, 521, 524, 504, 517},
         join({page1, {3, 11, 26, 27}, page2, {17, 18, 19, 25}, {13, 4, 8, 56}, {52}})},
        {1, 1, "  5: 2\n", {501, 503}, {5, 23, 24, 6}},
        {1, 4, "  5: 1\n  26: 0x2000000\n", {3580, 503}, {46, 47, 23, 24, 6}},
        {2,
         1,
         "  5: 2\n  26: 0x2000000\n",
         {520, 521, 505, 524, 504},
         join({page1, page2, {3, 11, 26, 27}, {17, 18, 19, 25}, {13, 4, 8, 56}})},
    };
    for (const Case &c : kCases) {
        SCOPED_TRACE(std::to_string(c.kind) + "/" + std::to_string(c.modelClass) + " " + c.entries);
        Model model(c.entries);
        SheetContext sheet = {};
        sheet.model = &model.context;
        WORD count = 0;
        const TabDescriptor **array = ui_BuildSheetPanelList(c.kind, &sheet, c.modelClass, &count);
        ASSERT_NE(nullptr, array);
        ASSERT_EQ(c.array.size(), count);
        ASSERT_EQ(1, ui_FillSheetPanelList(c.kind, &sheet, c.modelClass, array));
        std::vector<DWORD> ids;
        std::vector<WORD> templates;
        for (WORD i = 0; i < count; ++i) {
            ASSERT_NE(nullptr, array[i]);
            ids.push_back(array[i]->panelId);
            if (array[i]->page != nullptr) {
                templates.push_back((WORD)array[i]->page->templateId);
                EXPECT_EQ(array[i]->panelId, array[i]->page->pageNumber);
                EXPECT_EQ(9999u, array[i]->panel->helpId);
            }
        }
        EXPECT_EQ(c.array, ids);
        EXPECT_EQ(c.templates, templates);
        GlobalFree(array);
    }
    SheetContext sheet = {};
    WORD count = 7;
    EXPECT_EQ(nullptr, ui_BuildSheetPanelList(0, &sheet, 1, &count));
    EXPECT_EQ(0, count);
    EXPECT_EQ(nullptr, ui_BuildSheetPanelList(3, &sheet, 1, &count));
    const TabDescriptor *tabs[UI_MAX_TABS] = {};
    EXPECT_EQ(0, local_SetWndInfoList(3, tabs, 1, FALSE, &count));
}

TEST(TabLists, HelpIdsOfPanels)
{
    const TabDescriptor *const *panels = g_Page3.page->panels;
    for (WORD i = 0; i < 3; ++i)
        EXPECT_EQ(8888u, panels[i]->panel->helpId) << panels[i]->panelId; // 11, 26, 27
    EXPECT_EQ(9999u, g_Page13.page->panels[1]->panel->helpId);            // panel 8
    EXPECT_EQ(&g_Panel28, g_Page1.page->panels[3]);                       // one descriptor under two pages
    EXPECT_EQ(&g_Panel28, g_Page2.page->panels[7]);
    EXPECT_EQ(0x901Eu, g_Page17.page->titleFid);
}

TEST(TabLists, TheTwentyFirstTabIsRefused)
{
    std::vector<const TabDescriptor *> many(21, &g_Page1);
    many[3] = &g_Page52; // skipped below class 4: the list then fits
    const TabList list = {many.data(), 21};
    const TabDescriptor *tabs[UI_MAX_TABS + 1] = {};
    WORD count = 0;
    qmt_ResetMessageBoxes();
    EXPECT_EQ(1, ui_StoreTabs(&list, tabs, 1, &count));
    EXPECT_EQ(20, count);
    EXPECT_EQ(0u, qmt_MessageBoxCount());
    EXPECT_EQ(0, ui_StoreTabs(&list, tabs, 4, &count));
    EXPECT_EQ(20, count);
    EXPECT_EQ(nullptr, tabs[20]);
    ASSERT_EQ(1u, qmt_MessageBoxCount());
    QmtMessageBoxCall call = {};
    ASSERT_TRUE(qmt_MessageBoxLog(0, &call));
    EXPECT_EQ(nullptr, call.hWnd);
    EXPECT_EQ(std::u16string(u"Tab's number is too large.\n"), std::u16string(call.text));
    EXPECT_EQ(std::u16string(u"local_SetWndInfoList error!"), std::u16string(call.caption));
    EXPECT_EQ((UINT)MB_OK, call.type);
    qmt_ResetMessageBoxes();
}

} // namespace

namespace {

DLGPROC g_shipped = nullptr;
std::string g_picture;

// The shipped procedure of the first page, then a picture of the sheet once it is shown.
INT_PTR CALLBACK PictureProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result = g_shipped(page, message, wParam, lParam);
    if (message == WM_NOTIFY && ((const NMHDR *)lParam)->code == (UINT)PSN_SETACTIVE && !g_picture.empty()) {
        HWND sheet = GetParent(page);
        EXPECT_TRUE(qmt_RenderWindowPng(sheet, g_picture.c_str()));
        g_picture.clear();
    }
    return result;
}

TEST(TabLists, DocumentSheetOfPlaceholderPages)
{
    util_SetModuleHandle(GetModuleHandleW(nullptr)); // its string 32767 names qmkelvir.xrs
    HMODULE resources = util_GetResourceModule();
    ASSERT_NE(nullptr, resources);
    Model model("  5: 2\n");
    SheetContext sheet = {};
    sheet.model = &model.context;
    WORD count = 0;
    const TabDescriptor **array = ui_BuildSheetPanelList(UI_SHEET_DOCUMENT, &sheet, 4, &count);
    ASSERT_NE(nullptr, array);
    ASSERT_EQ(1, ui_FillSheetPanelList(UI_SHEET_DOCUMENT, &sheet, 4, array));
    WORD pages = 0;
    PROPSHEETPAGEW *records = ui_BuildPropSheetPages(array, &sheet, count, &pages);
    ASSERT_NE(nullptr, records);
    ASSERT_EQ(6, pages);
    HPROPSHEETPAGE handles[6] = {};
    g_shipped = records[0].pfnDlgProc;
    records[0].pfnDlgProc = PictureProc;
    for (WORD i = 0; i < pages; ++i) {
        records[i].hInstance = resources;
        handles[i] = CreatePropertySheetPageW(&records[i]);
        ASSERT_NE(nullptr, handles[i]);
    }
    g_picture = "ui_document_sheet.png";
    const QmtUserAction cancel[] = {{QMT_ACT_CANCEL, 0, nullptr, 0}};
    ASSERT_TRUE(qmt_ScriptDialog(0, nullptr, cancel, 1));
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_NOAPPLYNOW;
    header.pszCaption = u"Document";
    header.nPages = pages;
    header.phpage = handles;
    PropertySheetW(&header);
    EXPECT_TRUE(g_picture.empty()); // the first page was shown and pictured
    GlobalFree(records);
    GlobalFree(array);
    ui_FreePageTitles(&sheet);
    util_ReleaseResourceModule();
    util_SetModuleHandle(nullptr);
}

} // namespace
