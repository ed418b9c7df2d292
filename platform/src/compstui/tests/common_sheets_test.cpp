/* CommonPropertySheetUIW with a client of two callbacks and three pages: INIT, the
 * header, SET_RESULT's walk, DESTROY, the answers, and the module played by name. */
#include <gtest/gtest.h>

#include <windows.h>
#include <compstui.h>

#include <string>
#include <vector>

#include "platform/testing/qm_testing.h"

namespace {

std::vector<std::string> g_lines;
LONG g_topInit = 1;
LONG g_childSetResult = 1;
HANDLE g_child;
PFNCOMPROPSHEET g_function;
LONG_PTR g_nullPageAnswer = -5;

INT_PTR CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    (void)wParam;
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, ((const PROPSHEETPAGEW *)lParam)->lParam);
        return TRUE;
    }
    if (msg == WM_NOTIFY && ((const NMHDR *)lParam)->code == PSN_APPLY) {
        g_lines.push_back("page " + std::to_string(GetWindowLongPtrW(hwnd, DWLP_USER)) + " applies");
        LONG_PTR called = g_function(g_child, CPSFUNC_SET_RESULT, (LPARAM)hwnd, CPSUI_OK);
        g_lines.push_back(std::to_string(called) + " called");
        SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, PSNRET_NOERROR);
        return TRUE;
    }
    return FALSE;
}

LONG CALLBACK Child(PPROPSHEETUI_INFO info, LPARAM lParam)
{
    switch (info->Reason) {
    case PROPSHEETUI_REASON_INIT: {
        g_lines.push_back("child INIT " + std::to_string(info->lParamInit));
        g_child = info->hComPropSheet;
        g_function = info->pfnComPropSheet;
        for (int i = 0; i < 3; ++i) {
            PROPSHEETPAGEW p = {};
            p.dwSize = sizeof(p);
            p.hInstance = GetModuleHandleW(nullptr);
            p.pszTemplate = MAKEINTRESOURCEW(301);
            p.pfnDlgProc = PageProc;
            p.lParam = i;
            HPROPSHEETPAGE page = CreatePropertySheetPageW(&p);
            if (!info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_HPROPSHEETPAGE, (LPARAM)page, 0))
                return -1;
        }
        g_nullPageAnswer = info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_HPROPSHEETPAGE, 0, 0);
        return 1;
    }
    case PROPSHEETUI_REASON_SET_RESULT:
        g_lines.push_back("child SET_RESULT " + std::to_string(((PSETRESULT_INFO)lParam)->Result));
        return g_childSetResult;
    case PROPSHEETUI_REASON_DESTROY: g_lines.push_back("child DESTROY " + std::to_string(lParam)); return 1;
    }
    return 0;
}

WCHAR g_title[] = u"Printer";

LONG CALLBACK Top(PPROPSHEETUI_INFO info, LPARAM lParam)
{
    switch (info->Reason) {
    case PROPSHEETUI_REASON_INIT:
        g_lines.push_back("top INIT");
        if (g_topInit < 1)
            return g_topInit;
        return info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_ADD_PFNPROPSHEETUIW, (LPARAM)Child, 5) ? 1 : -1;
    case PROPSHEETUI_REASON_GET_INFO_HEADER: {
        PPROPSHEETUI_INFO_HEADER h = (PPROPSHEETUI_INFO_HEADER)lParam;
        h->pTitle = g_title;
        g_lines.push_back("top GET_INFO_HEADER " +
                          std::to_string(info->pfnComPropSheet(info->hComPropSheet, CPSFUNC_GET_PAGECOUNT, 0, 0)));
        return 1;
    }
    case PROPSHEETUI_REASON_SET_RESULT:
        g_lines.push_back("top SET_RESULT " + std::to_string(((PSETRESULT_INFO)lParam)->Result));
        info->Result = 40;
        return 1;
    case PROPSHEETUI_REASON_DESTROY:
        g_lines.push_back("top DESTROY " + std::to_string(lParam));
        info->Result += 2;
        return 1;
    }
    return 0;
}

class CommonSheetsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_lines.clear();
        g_topInit = 1;
        g_childSetResult = 1;
        qmt_ResetDialogScripts();
        qmt_ResetUserLog();
    }
    void TearDown() override
    {
        EXPECT_EQ(qmt_LiveWindows(), 0u);
        EXPECT_EQ(qmt_LivePropertySheetPages(), 0u);
    }
};

TEST_F(CommonSheetsTest, CallbackOrderAndAnswers)
{
    struct Case {
        const char *name;
        LONG topInit;
        LONG childSetResult;
        bool ok;
        LONG answer;
        DWORD result;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"OK: SET_RESULT walks up to the top",
         1,
         1,
         true,
         CPSUI_OK,
         42,
         {"top INIT",
          "child INIT 5",
          "top GET_INFO_HEADER 3",
          "page 0 applies",
          "child SET_RESULT 1",
          "top SET_RESULT 1",
          "2 called",
          "child DESTROY 1",
          "top DESTROY 1"}},
        {"a child answering 0 stops the walk",
         1,
         0,
         true,
         CPSUI_OK,
         2,
         {"top INIT",
          "child INIT 5",
          "top GET_INFO_HEADER 3",
          "page 0 applies",
          "child SET_RESULT 1",
          "1 called",
          "child DESTROY 1",
          "top DESTROY 1"}},
        {"Cancel",
         1,
         1,
         false,
         CPSUI_CANCEL,
         2,
         {"top INIT", "child INIT 5", "top GET_INFO_HEADER 3", "child DESTROY 0", "top DESTROY 0"}},
        {"the top INIT refusing", -1, 1, false, CPSUI_CANCEL, 7, {"top INIT"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        g_lines.clear();
        g_topInit = c.topInit;
        g_childSetResult = c.childSetResult;
        const QmtUserAction ok[] = {{QMT_ACT_OK, 0, nullptr, 0}};
        const QmtUserAction cancel[] = {{QMT_ACT_CANCEL, 0, nullptr, 0}};
        qmt_ResetDialogScripts();
        qmt_ScriptDialog(0, u"Printer", c.ok ? ok : cancel, 1);
        DWORD result = 7;
        EXPECT_EQ(CommonPropertySheetUIW(nullptr, Top, 0, &result), c.answer);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(g_lines, c.expected);
    }
    EXPECT_EQ(g_nullPageAnswer, 0); // a refused page is answered 0
    EXPECT_EQ(CommonPropertySheetUIW(nullptr, nullptr, 0, nullptr), ERR_CPSUI_INVALID_PDATA);
}

TEST_F(CommonSheetsTest, ModuleIsPlayedByNameAndCanBeMissing)
{
    HMODULE module = LoadLibraryW(u"compstui.dll");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ((void *)GetProcAddress(module, "CommonPropertySheetUIW"), (void *)&CommonPropertySheetUIW);
    HMODULE comctl = LoadLibraryW(u"comctl32.dll");
    ASSERT_NE(comctl, nullptr);
    EXPECT_EQ((void *)GetProcAddress(comctl, "PropertySheetW"), (void *)&PropertySheetW);
    FreeLibrary(comctl);
    FreeLibrary(module);
    qmt_FailModuleLoad(u"compstui.dll");
    EXPECT_EQ(LoadLibraryW(u"compstui.dll"), nullptr);
    qmt_FailModuleLoad(nullptr);
}

} // namespace
