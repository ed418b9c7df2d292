/* Tooltips keep their tools; trackbars and up-down controls keep their state, notify
 * nothing from their setters, and notify as Windows does when the user moves them. */
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/testing/qm_testing.h"

namespace {

std::vector<std::string> g_lines;
bool g_refuseSecondSpin;

INT_PTR CALLBACK ControlsProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        SendDlgItemMessageW(hwnd, 110, TBM_SETRANGE, TRUE, MAKELPARAM(0, 50));
        SendDlgItemMessageW(hwnd, 112, UDM_SETRANGE32, 1, 3);
        SendDlgItemMessageW(hwnd, 112, UDM_SETPOS32, 0, 2);
        return TRUE;
    case WM_HSCROLL:
    case WM_VSCROLL:
        g_lines.push_back(std::string(msg == WM_HSCROLL ? "WM_HSCROLL " : "WM_VSCROLL ") +
                          std::to_string(LOWORD(wParam)) + " " + std::to_string(HIWORD(wParam)));
        return TRUE;
    case WM_NOTIFY: {
        const NMUPDOWN *n = (const NMUPDOWN *)lParam;
        if (n->hdr.code != UDN_DELTAPOS)
            return FALSE;
        g_lines.push_back("UDN_DELTAPOS " + std::to_string(n->iPos) + " " + std::to_string(n->iDelta));
        bool refuse = g_refuseSecondSpin && n->iPos == 3 && n->iDelta == 1;
        SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, refuse ? TRUE : FALSE);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            WCHAR text[8];
            GetDlgItemTextW(hwnd, 111, text, 8);
            g_lines.push_back("buddy " + std::string(text[0] ? 1 : 0, (char)text[0]));
            g_lines.push_back("trackbar " + std::to_string(SendDlgItemMessageW(hwnd, 110, TBM_GETPOS, 0, 0)));
            EndDialog(hwnd, IDOK);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

TEST(CommonControls, UserMovesTrackbarAndUpDown)
{
    InitCommonControls();
    const QmtUserAction actions[] = {{QMT_ACT_SLIDE, 110, nullptr, 80},
                                     {QMT_ACT_SPIN, 112, nullptr, 1},
                                     {QMT_ACT_SPIN, 112, nullptr, 1},
                                     {QMT_ACT_SPIN, 112, nullptr, -1},
                                     {QMT_ACT_COMMAND, IDOK, nullptr, 0}};
    g_refuseSecondSpin = true;
    ASSERT_TRUE(qmt_ScriptDialog(204, nullptr, actions, 5));
    EXPECT_EQ(DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(204), nullptr, ControlsProc, 0), IDOK);
    std::vector<std::string> expected = {"WM_HSCROLL 5 50",
                                         "WM_HSCROLL 4 50",
                                         "WM_HSCROLL 8 0", // the drag stops at the range's end
                                         "UDN_DELTAPOS 2 1",
                                         "WM_VSCROLL 4 3",
                                         "WM_VSCROLL 8 3",   // 2 -> 3, buddy text set
                                         "UDN_DELTAPOS 3 1", // refused
                                         "UDN_DELTAPOS 3 -1",
                                         "WM_VSCROLL 4 2",
                                         "WM_VSCROLL 8 2",
                                         "buddy 2",
                                         "trackbar 50"};
    EXPECT_EQ(g_lines, expected);
    EXPECT_EQ(qmt_LiveWindows(), 0u);
}

TEST(CommonControls, TooltipKeepsItsTools)
{
    InitCommonControls();
    HWND owner = CreateWindowExW(0, u"Static", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND tip = CreateWindowExW(
        0, TOOLTIPS_CLASSW, u"", WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, owner, nullptr, nullptr, nullptr);
    ASSERT_NE(tip, nullptr);
    TTTOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = owner;
    ti.uId = 7;
    WCHAR text[] = u"Explains the control";
    ti.lpszText = text;
    EXPECT_TRUE(SendMessageW(tip, TTM_ADDTOOLW, 0, (LPARAM)&ti));
    ti.uId = 8;
    ti.lpszText = LPSTR_TEXTCALLBACKW;
    EXPECT_TRUE(SendMessageW(tip, TTM_ADDTOOLW, 0, (LPARAM)&ti));
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 2);

    WCHAR got[80] = {};
    TTTOOLINFOW out = {};
    out.cbSize = TTTOOLINFOW_V2_SIZE;
    out.lpszText = got;
    ASSERT_TRUE(SendMessageW(tip, TTM_ENUMTOOLSW, 0, (LPARAM)&out));
    EXPECT_EQ(out.uId, 7u);
    EXPECT_EQ(out.uFlags, (UINT)(TTF_IDISHWND | TTF_SUBCLASS));
    EXPECT_EQ(std::u16string(got), u"Explains the control");
    out.lpszText = got;
    ASSERT_TRUE(SendMessageW(tip, TTM_ENUMTOOLSW, 1, (LPARAM)&out));
    EXPECT_EQ(out.lpszText, LPSTR_TEXTCALLBACKW);
    EXPECT_FALSE(SendMessageW(tip, TTM_ENUMTOOLSW, 2, (LPARAM)&out));

    ti.uId = 7;
    SendMessageW(tip, TTM_DELTOOLW, 0, (LPARAM)&ti);
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    DestroyWindow(owner); // the tooltip is owned: it goes too
    EXPECT_EQ(qmt_LiveWindows(), 0u);
}

TEST(CommonControls, SettersClampAndNotifyNothing)
{
    InitCommonControls();
    HWND parent = CreateWindowExW(0, u"Static", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND bar = CreateWindowExW(0, TRACKBAR_CLASSW, u"", WS_CHILD, 0, 0, 100, 20, parent, (HMENU)1, nullptr, nullptr);
    HWND spin = CreateWindowExW(0, UPDOWN_CLASSW, u"", WS_CHILD, 0, 0, 10, 20, parent, (HMENU)2, nullptr, nullptr);
    ASSERT_TRUE(bar && spin);
    SendMessageW(bar, TBM_SETRANGEMIN, FALSE, 10);
    SendMessageW(bar, TBM_SETRANGEMAX, FALSE, 20);
    SendMessageW(bar, TBM_SETPOS, TRUE, 99);
    EXPECT_EQ(SendMessageW(bar, TBM_GETPOS, 0, 0), 20);
    SendMessageW(bar, TBM_SETPOS, TRUE, 3);
    EXPECT_EQ(SendMessageW(bar, TBM_GETPOS, 0, 0), 10);
    EXPECT_EQ(SendMessageW(bar, TBM_SETPAGESIZE, 0, 5), 20);
    SendMessageW(spin, UDM_SETRANGE32, 5, 1); // a reversed range
    int low = 0, high = 0;
    SendMessageW(spin, UDM_GETRANGE32, (WPARAM)&low, (LPARAM)&high);
    EXPECT_EQ(low, 5);
    EXPECT_EQ(high, 1);
    SendMessageW(spin, UDM_SETPOS32, 0, 9);
    EXPECT_EQ(SendMessageW(spin, UDM_GETPOS32, 0, 0), 5);
    DestroyWindow(parent);
}

} // namespace
