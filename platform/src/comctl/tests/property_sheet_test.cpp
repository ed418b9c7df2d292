/* Property sheets: lazy page creation, tab changes, OK, Apply, Cancel, Help and refusals,
 * each scenario driven by a user script and checked by the order of what the pages saw. */
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/testing/qm_testing.h"

namespace {

std::vector<std::string> g_lines;

/* The answer page `page` gives to notification `code`. */
struct Answer {
    int page;
    UINT code;
    LONG_PTR result;
};
std::vector<Answer> g_answers;
int g_refuseCreate = -1; // the page whose PSPCB_CREATE answers 0

std::string PageName(LPARAM lParam)
{
    return "p" + std::to_string((int)lParam);
}

const char *NotifyName(UINT code)
{
    switch (code) {
    case PSN_SETACTIVE: return "PSN_SETACTIVE";
    case PSN_KILLACTIVE: return "PSN_KILLACTIVE";
    case PSN_APPLY: return "PSN_APPLY";
    case PSN_RESET: return "PSN_RESET";
    case PSN_HELP: return "PSN_HELP";
    case PSN_QUERYCANCEL: return "PSN_QUERYCANCEL";
    }
    return "PSN_?";
}

INT_PTR CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        const PROPSHEETPAGEW *psp = (const PROPSHEETPAGEW *)lParam;
        SetWindowLongPtrW(hwnd, DWLP_USER, psp->lParam);
        g_lines.push_back(PageName(psp->lParam) + " WM_INITDIALOG");
        return TRUE;
    }
    LPARAM page = GetWindowLongPtrW(hwnd, DWLP_USER);
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        g_lines.push_back(PageName(page) + " BN_CLICKED");
        PropSheet_Changed(GetParent(hwnd), hwnd);
        return TRUE;
    }
    if (msg != WM_NOTIFY)
        return FALSE;
    const PSHNOTIFY *n = (const PSHNOTIFY *)lParam;
    std::string line = PageName(page) + " " + NotifyName(n->hdr.code);
    if (n->hdr.code == PSN_APPLY)
        line += n->lParam ? " ok" : " apply";
    g_lines.push_back(line);
    LONG_PTR result = 0;
    for (const Answer &a : g_answers)
        if (a.page == (int)page && a.code == n->hdr.code)
            result = a.result;
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

UINT CALLBACK PageCallback(HWND hwnd, UINT msg, PROPSHEETPAGEW *psp)
{
    (void)hwnd;
    const char *names[] = {"ADDREF", "RELEASE", "CREATE"};
    g_lines.push_back(PageName(psp->lParam) + " " + names[msg]);
    return msg == PSPCB_CREATE && (int)psp->lParam == g_refuseCreate ? 0 : 1;
}

struct Scenario {
    const char *name;
    std::vector<QmtUserAction> actions;
    std::vector<Answer> answers;
    int refuseCreate;
    std::vector<std::string> expected; // between the ADDREF and RELEASE lines
    INT_PTR result;
    std::vector<std::u16string> log;
};

class PropertySheetTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_lines.clear();
        g_answers.clear();
        g_refuseCreate = -1;
        qmt_ResetDialogScripts();
        qmt_ResetUserLog();
        for (int i = 0; i < 3; ++i) {
            PROPSHEETPAGEW &p = pages_[i];
            p = PROPSHEETPAGEW();
            p.dwSize = sizeof(PROPSHEETPAGEW);
            p.dwFlags = PSP_USECALLBACK;
            p.hInstance = GetModuleHandleW(nullptr);
            p.pszTemplate = MAKEINTRESOURCEW(201 + i);
            p.pfnDlgProc = PageProc;
            p.lParam = i;
            p.pfnCallback = PageCallback;
        }
        header_ = PROPSHEETHEADERW();
        header_.dwSize = sizeof(PROPSHEETHEADERW);
        header_.dwFlags = PSH_PROPSHEETPAGE;
        header_.pszCaption = u"Sheet";
        header_.nPages = 3;
        header_.ppsp = pages_;
    }
    void TearDown() override
    {
        EXPECT_EQ(qmt_LiveWindows(), 0u);
        EXPECT_EQ(qmt_LivePropertySheetPages(), 0u);
    }
    static std::vector<std::u16string> UserLog()
    {
        std::vector<std::u16string> lines;
        for (DWORD i = 0; i < qmt_UserLogCount(); ++i) {
            WCHAR line[256];
            qmt_UserLogLine(i, line, 256);
            lines.push_back(line);
        }
        return lines;
    }
    PROPSHEETPAGEW pages_[3];
    PROPSHEETHEADERW header_;
};

TEST_F(PropertySheetTest, ScenariosNotifyInWindowsOrder)
{
    const std::vector<std::string> open = {"p0 CREATE", "p0 WM_INITDIALOG", "p0 PSN_SETACTIVE"};
    auto with = [&](std::vector<std::string> rest) {
        std::vector<std::string> all = open;
        all.insert(all.end(), rest.begin(), rest.end());
        return all;
    };
    const Scenario scenarios[] = {
        {"OK at once: only the created page applies",
         {{QMT_ACT_OK, 0, nullptr, 0}},
         {},
         -1,
         with({"p0 PSN_KILLACTIVE", "p0 PSN_APPLY ok"}),
         1,
         {}},
        {"a tab change creates the next page lazily",
         {{QMT_ACT_TAB, 0, nullptr, 1}, {QMT_ACT_OK, 0, nullptr, 0}},
         {},
         -1,
         with({"p0 PSN_KILLACTIVE",
               "p1 CREATE",
               "p1 WM_INITDIALOG",
               "p1 PSN_SETACTIVE",
               "p1 PSN_KILLACTIVE",
               "p0 PSN_APPLY ok",
               "p1 PSN_APPLY ok"}),
         1,
         {}},
        {"a refused tab change keeps the page",
         {{QMT_ACT_TAB, 0, nullptr, 2}, {QMT_ACT_CANCEL, 0, nullptr, 0}},
         {{0, PSN_KILLACTIVE, TRUE}},
         -1,
         with({"p0 PSN_KILLACTIVE", "p0 PSN_QUERYCANCEL", "p0 PSN_RESET"}),
         0,
         {u"sheet: tab 2 refused"}},
        {"Apply then Cancel: the changes were saved",
         {{QMT_ACT_CLICK, 101, nullptr, 0},
          {QMT_ACT_TAB, 0, nullptr, 1},
          {QMT_ACT_CLICK, 101, nullptr, 0},
          {QMT_ACT_APPLY, 0, nullptr, 0},
          {QMT_ACT_CANCEL, 0, nullptr, 0}},
         {},
         -1,
         with({"p0 PSN_KILLACTIVE",
               "p1 CREATE",
               "p1 WM_INITDIALOG",
               "p1 PSN_SETACTIVE",
               "p1 BN_CLICKED",
               "p1 PSN_KILLACTIVE",
               "p0 PSN_APPLY apply",
               "p1 PSN_APPLY apply",
               "p1 PSN_QUERYCANCEL",
               "p0 PSN_RESET",
               "p1 PSN_RESET"}),
         1,
         {u"sheet \"Sheet\": no control 101"}},
        {"PSNRET_INVALID activates the refusing page",
         {{QMT_ACT_TAB, 0, nullptr, 1}, {QMT_ACT_OK, 0, nullptr, 0}, {QMT_ACT_CANCEL, 0, nullptr, 0}},
         {{0, PSN_APPLY, PSNRET_INVALID}},
         -1,
         with({"p0 PSN_KILLACTIVE",
               "p1 CREATE",
               "p1 WM_INITDIALOG",
               "p1 PSN_SETACTIVE",
               "p1 PSN_KILLACTIVE",
               "p0 PSN_APPLY ok",
               "p0 PSN_SETACTIVE",
               "p0 PSN_QUERYCANCEL",
               "p0 PSN_RESET",
               "p1 PSN_RESET"}),
         0,
         {}},
        {"PSNRET_INVALID_NOCHANGEPAGE stays",
         {{QMT_ACT_OK, 0, nullptr, 0}, {QMT_ACT_CANCEL, 0, nullptr, 0}},
         {{0, PSN_APPLY, PSNRET_INVALID_NOCHANGEPAGE}},
         -1,
         with({"p0 PSN_KILLACTIVE", "p0 PSN_APPLY ok", "p0 PSN_QUERYCANCEL", "p0 PSN_RESET"}),
         0,
         {}},
        {"both refusals: the sheet closes anyway, logged",
         {{QMT_ACT_OK, 0, nullptr, 0}},
         {{0, PSN_KILLACTIVE, TRUE}, {0, PSN_QUERYCANCEL, TRUE}},
         -1,
         with({"p0 PSN_KILLACTIVE", "p0 PSN_QUERYCANCEL"}),
         0,
         {u"sheet \"Sheet\": left open by its script, cancelled", u"sheet \"Sheet\": cancel refused, closed"}},
        {"Help goes to the active page",
         {{QMT_ACT_HELP, 0, nullptr, 0}, {QMT_ACT_CANCEL, 0, nullptr, 0}},
         {},
         -1,
         with({"p0 PSN_HELP", "p0 PSN_QUERYCANCEL", "p0 PSN_RESET"}),
         0,
         {}},
        {"a page refusing PSPCB_CREATE is not shown",
         {{QMT_ACT_TAB, 0, nullptr, 1}},
         {},
         1,
         with({"p0 PSN_KILLACTIVE", "p1 CREATE", "p0 PSN_QUERYCANCEL", "p0 PSN_RESET"}),
         0,
         {u"sheet: page 1 was not created",
          u"sheet: tab 1 refused",
          u"sheet \"Sheet\": left open by its script, cancelled"}},
    };
    for (const Scenario &s : scenarios) {
        SCOPED_TRACE(s.name);
        g_lines.clear();
        g_answers = s.answers;
        g_refuseCreate = s.refuseCreate;
        qmt_ResetUserLog();
        ASSERT_TRUE(qmt_ScriptDialog(0, u"Sheet", s.actions.data(), (DWORD)s.actions.size()));
        EXPECT_EQ(PropertySheetW(&header_), s.result);
        std::vector<std::string> expected = {"p0 ADDREF", "p1 ADDREF", "p2 ADDREF"};
        expected.insert(expected.end(), s.expected.begin(), s.expected.end());
        for (const char *release : {"p0 RELEASE", "p1 RELEASE", "p2 RELEASE"})
            expected.push_back(release);
        EXPECT_EQ(g_lines, expected);
        EXPECT_EQ(UserLog(), s.log);
    }
}

TEST_F(PropertySheetTest, UnscriptedSheetIsCancelledAndStartPageKept)
{
    header_.nStartPage = 2;
    header_.dwFlags |= PSH_NOAPPLYNOW;
    EXPECT_EQ(PropertySheetW(&header_), 0);
    std::vector<std::string> expected = {"p0 ADDREF",
                                         "p1 ADDREF",
                                         "p2 ADDREF",
                                         "p2 CREATE",
                                         "p2 WM_INITDIALOG",
                                         "p2 PSN_SETACTIVE",
                                         "p2 PSN_QUERYCANCEL",
                                         "p2 PSN_RESET",
                                         "p0 RELEASE",
                                         "p1 RELEASE",
                                         "p2 RELEASE"};
    EXPECT_EQ(g_lines, expected);
    EXPECT_EQ(UserLog(), std::vector<std::u16string>{u"sheet \"Sheet\": unscripted, cancelled"});
}

TEST_F(PropertySheetTest, PagesByHandleAndBadHeaders)
{
    HPROPSHEETPAGE handles[2] = {CreatePropertySheetPageW(&pages_[0]), CreatePropertySheetPageW(&pages_[1])};
    ASSERT_TRUE(handles[0] && handles[1]);
    EXPECT_EQ(qmt_LivePropertySheetPages(), 2u);
    PROPSHEETHEADERW h = header_;
    h.dwFlags = 0;
    h.nPages = 2;
    h.phpage = handles;
    const QmtUserAction ok[] = {{QMT_ACT_OK, 0, nullptr, 0}};
    qmt_ScriptDialog(0, u"Sheet", ok, 1);
    EXPECT_EQ(PropertySheetW(&h), 1); // the sheet frees the pages it was given

    PROPSHEETPAGEW small = pages_[0];
    small.dwSize = 8;
    EXPECT_EQ(CreatePropertySheetPageW(&small), nullptr);
    h.nPages = 0;
    EXPECT_EQ(PropertySheetW(&h), -1);
    EXPECT_EQ(PropertySheetW(nullptr), -1);
    HPROPSHEETPAGE unused = CreatePropertySheetPageW(&pages_[2]);
    EXPECT_TRUE(DestroyPropertySheetPage(unused));
}

} // namespace
