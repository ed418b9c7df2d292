/* The standard controls: per class, calls and scripted user actions give exactly the
 * expected notifications and state. */
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/src/user/tests/recorder.h"
#include "platform/src/user/tests/user_test_ids.h"
#include "platform/testing/qm_testing.h"

namespace {

using Lines = std::vector<std::string>;

class ControlsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        recorder::Reset();
        recorder::SetEndOnCommand(false);
        dlg_ = CreateDialogParamW(recorder::Instance(), MAKEINTRESOURCEW(IDD_ALL), nullptr, recorder::Proc, 0);
        ASSERT_NE(dlg_, nullptr);
        recorder::Lines().clear();
    }
    void TearDown() override
    {
        DestroyWindow(dlg_);
        EXPECT_EQ(qmt_LiveWindows(), 0u);
    }
    LRESULT Send(int id, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendDlgItemMessageW(dlg_, id, msg, wParam, lParam);
    }
    std::u16string Text(int id)
    {
        WCHAR text[256];
        GetDlgItemTextW(dlg_, id, text, 256);
        return text;
    }
    HWND dlg_ = nullptr;
};

TEST_F(ControlsTest, EditTextNotificationsLimitAndPassword)
{
    struct Step {
        const char *what;
        int id;
        UINT msg;
        WPARAM wParam;
        LPCWSTR text;
        Lines expected;
    };
    const Step steps[] = {
        {"WM_SETTEXT on a single-line edit",
         IDC_NAME,
         WM_SETTEXT,
         0,
         u"xy",
         {"WM_COMMAND 1001 EN_UPDATE", "WM_COMMAND 1001 EN_CHANGE"}},
        {"EM_LIMITTEXT sends nothing", IDC_NAME, EM_LIMITTEXT, 3, nullptr, {}},
        {"a typed character within the limit",
         IDC_NAME,
         WM_CHAR,
         'z',
         nullptr,
         {"WM_COMMAND 1001 EN_UPDATE", "WM_COMMAND 1001 EN_CHANGE"}},
        {"a typed character beyond the limit", IDC_NAME, WM_CHAR, 'w', nullptr, {"WM_COMMAND 1001 EN_MAXTEXT"}},
        {"WM_SETTEXT is not cut by the limit",
         IDC_NAME,
         WM_SETTEXT,
         0,
         u"longer",
         {"WM_COMMAND 1001 EN_UPDATE", "WM_COMMAND 1001 EN_CHANGE"}},
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.what);
        recorder::Lines().clear();
        Send(s.id, s.msg, s.wParam, (LPARAM)s.text);
        EXPECT_EQ(recorder::Lines(), s.expected);
    }
    EXPECT_EQ(Text(IDC_NAME), u"longer");
    EXPECT_EQ(Send(IDC_NAME, EM_GETLIMITTEXT), 3);

    // Typing as a user replaces the whole text and stops at the limit.
    const QmtUserAction type[] = {{QMT_ACT_TYPE, IDC_NAME, u"12345", 0},
                                  {QMT_ACT_TYPE, IDC_SECRET, u"pa55", 0},
                                  {QMT_ACT_COMMAND, IDOK, nullptr, 0}};
    recorder::SetEndOnCommand(true);
    ASSERT_TRUE(qmt_ScriptDialog(0, nullptr, type, 3));
    struct Reader {
        static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
        {
            if (msg == WM_INITDIALOG) {
                SendDlgItemMessageW(hwnd, IDC_NAME, EM_LIMITTEXT, 3, 0);
                return TRUE;
            }
            if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) {
                WCHAR name[16], secret[16];
                GetDlgItemTextW(hwnd, IDC_NAME, name, 16);
                GetDlgItemTextW(hwnd, IDC_SECRET, secret, 16);
                bool ok = std::u16string(name) == u"123" && std::u16string(secret) == u"pa55" &&
                          SendDlgItemMessageW(hwnd, IDC_SECRET, EM_GETPASSWORDCHAR, 0, 0) == '*';
                EndDialog(hwnd, ok ? 10 : 20);
                return TRUE;
            }
            (void)lParam;
            return FALSE;
        }
    };
    EXPECT_EQ(DialogBoxParamW(recorder::Instance(), MAKEINTRESOURCEW(IDD_ALL), nullptr, Reader::Proc, 0), 10);

    // A multi-line edit sends nothing on WM_SETTEXT.
    HWND multi =
        CreateWindowExW(0, u"Edit", u"", WS_CHILD | ES_MULTILINE, 0, 0, 10, 10, dlg_, (HMENU)77, nullptr, nullptr);
    recorder::Lines().clear();
    SetWindowTextW(multi, u"a\r\nb");
    EXPECT_TRUE(recorder::Lines().empty());
}

TEST_F(ControlsTest, ButtonsCheckSilentlyAndNotifyOnClicks)
{
    EXPECT_EQ(Send(IDC_CHECK, BM_SETCHECK, BST_CHECKED), 0);
    EXPECT_TRUE(recorder::Lines().empty());
    EXPECT_EQ(IsDlgButtonChecked(dlg_, IDC_CHECK), (UINT)BST_CHECKED);
    Send(IDC_CHECK, BM_CLICK);
    EXPECT_EQ(IsDlgButtonChecked(dlg_, IDC_CHECK), (UINT)BST_UNCHECKED);
    Send(IDC_ONE, BM_CLICK);
    Send(IDC_TWO, BM_CLICK);
    EXPECT_EQ(IsDlgButtonChecked(dlg_, IDC_ONE), (UINT)BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dlg_, IDC_TWO), (UINT)BST_CHECKED);
    // A push button has no check; a disabled button ignores the click.
    EXPECT_EQ(Send(IDOK, BM_SETCHECK, BST_CHECKED), 0);
    EXPECT_EQ(Send(IDOK, BM_GETCHECK), 0);
    EnableWindow(GetDlgItem(dlg_, IDC_CHECK), FALSE);
    Send(IDC_CHECK, BM_CLICK);
    Lines expected = {"WM_COMMAND 1003 BN_CLICKED", "WM_COMMAND 1004 BN_CLICKED", "WM_COMMAND 1005 BN_CLICKED"};
    EXPECT_EQ(recorder::Lines(), expected);
    EXPECT_EQ(IsDlgButtonChecked(dlg_, IDC_CHECK), (UINT)BST_UNCHECKED);
}

TEST_F(ControlsTest, ListBoxItemsSortingDataAndErrors)
{
    struct Call {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT expected;
    };
    const Call calls[] = {
        {LB_ADDSTRING, 0, (LPARAM)u"pear", 0},
        {LB_ADDSTRING, 0, (LPARAM)u"Apple", 0},
        {LB_ADDSTRING, 0, (LPARAM)u"banana", 1},
        {LB_INSERTSTRING, 0, (LPARAM)u"zz first", 0}, // inserting does not sort
        {LB_INSERTSTRING, 9, (LPARAM)u"far", LB_ERR},
        {LB_GETCOUNT, 0, 0, 4},
        {LB_SETITEMDATA, 2, 0x55, TRUE},
        {LB_GETITEMDATA, 2, 0, 0x55},
        {LB_GETITEMDATA, 4, 0, LB_ERR},
        {LB_GETTEXTLEN, 3, 0, 4},
        {LB_GETTEXTLEN, 4, 0, LB_ERR},
        {LB_FINDSTRING, (WPARAM)-1, (LPARAM)u"BAN", 2},
        {LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)u"ban", LB_ERR},
        {LB_GETCURSEL, 0, 0, LB_ERR},
        {LB_SETCURSEL, 3, 0, 3},
        {LB_SETCURSEL, 7, 0, LB_ERR},
        {LB_GETCURSEL, 0, 0, LB_ERR},
        {LB_SETCURSEL, 1, 0, 1},
        {LB_DELETESTRING, 0, 0, 3},
        {LB_GETCURSEL, 0, 0, 0},
        {LB_DELETESTRING, 3, 0, LB_ERR},
    };
    for (const Call &c : calls) {
        SCOPED_TRACE(testing::Message() << std::hex << c.msg << " " << c.wParam);
        EXPECT_EQ(Send(IDC_LIST, c.msg, c.wParam, c.lParam), c.expected);
    }
    EXPECT_TRUE(recorder::Lines().empty()); // the list's setters notify nothing
    WCHAR text[32];
    EXPECT_EQ(Send(IDC_LIST, LB_GETTEXT, 0, (LPARAM)text), 5);
    EXPECT_EQ(std::u16string(text), u"Apple");
}

TEST_F(ControlsTest, ChoicesNotifyAsTheUserMakesThem)
{
    for (LPCWSTR item : {u"one", u"two", u"three"}) {
        Send(IDC_LIST, LB_ADDSTRING, 0, (LPARAM)item);
        Send(IDC_COMBO, CB_ADDSTRING, 0, (LPARAM)item);
        Send(IDC_DRAWLIST, LB_ADDSTRING, 0, (LPARAM)item);
    }
    EXPECT_EQ(Send(IDC_COMBO, CB_SETCURSEL, 1), 1);
    EXPECT_EQ(Send(IDC_COMBO, CB_SETCURSEL, 5), CB_ERR);
    EXPECT_TRUE(recorder::Lines().empty());

    const QmtUserAction actions[] = {
        {QMT_ACT_CHOOSE, IDC_LIST, nullptr, 2},
        {QMT_ACT_CHOOSE, IDC_COMBO, nullptr, 0},
        {QMT_ACT_KEY, IDC_DRAWLIST, nullptr, 0x28},
        {QMT_ACT_TYPE, IDC_EDITCOMBO, u"ab", 0},
        {QMT_ACT_CHOOSE, IDC_COMBO, nullptr, 9},
        {QMT_ACT_RIGHT_CLICK, IDC_LIST, nullptr, 0},
        {QMT_ACT_COMMAND, IDOK, nullptr, 0},
    };
    struct Filler {
        static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
        {
            if (msg == WM_INITDIALOG)
                for (LPCWSTR item : {u"one", u"two", u"three"}) {
                    SendDlgItemMessageW(hwnd, IDC_LIST, LB_ADDSTRING, 0, (LPARAM)item);
                    SendDlgItemMessageW(hwnd, IDC_COMBO, CB_ADDSTRING, 0, (LPARAM)item);
                    SendDlgItemMessageW(hwnd, IDC_DRAWLIST, LB_ADDSTRING, 0, (LPARAM)item);
                }
            if (msg == WM_VKEYTOITEM) {
                recorder::Proc(hwnd, msg, wParam, lParam);
                return -1; // the list moves by itself
            }
            if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) {
                bool ok = SendDlgItemMessageW(hwnd, IDC_LIST, LB_GETCURSEL, 0, 0) == 2 &&
                          SendDlgItemMessageW(hwnd, IDC_COMBO, CB_GETCURSEL, 0, 0) == 0 &&
                          SendDlgItemMessageW(hwnd, IDC_DRAWLIST, LB_GETCURSEL, 0, 0) == 0;
                WCHAR text[16];
                GetDlgItemTextW(hwnd, IDC_EDITCOMBO, text, 16);
                EndDialog(hwnd, ok && std::u16string(text) == u"ab" ? IDOK : 99);
                return TRUE;
            }
            INT_PTR answer = recorder::Proc(hwnd, msg, wParam, lParam);
            return msg == WM_INITDIALOG ? FALSE : answer;
        }
    };
    SetFocus(nullptr); // the focus leaves the dialog of the fixture first
    recorder::Lines().clear();
    qmt_ResetUserLog();
    ASSERT_TRUE(qmt_ScriptDialog(IDD_ALL, nullptr, actions, 7));
    EXPECT_EQ(DialogBoxParamW(recorder::Instance(), MAKEINTRESOURCEW(IDD_ALL), nullptr, Filler::Proc, 0), IDOK);
    Lines expected = {
        "WM_SETFONT",
        "WM_MEASUREITEM 1008 0",
        "WM_MEASUREITEM 1009 -1",
        "WM_MEASUREITEM 1009 0",
        "WM_INITDIALOG",
        "WM_SHOWWINDOW",
        "WM_COMMAND 1006 LBN_SETFOCUS",
        "WM_COMMAND 1006 LBN_SELCHANGE",
        "WM_COMMAND 1006 LBN_KILLFOCUS",
        "WM_COMMAND 1007 CBN_SETFOCUS",
        "WM_COMMAND 1007 CBN_DROPDOWN",
        "WM_COMMAND 1007 CBN_SELENDOK",
        "WM_COMMAND 1007 CBN_CLOSEUP",
        "WM_COMMAND 1007 CBN_SELCHANGE",
        "WM_COMMAND 1007 CBN_KILLFOCUS",
        "WM_COMMAND 1008 LBN_SETFOCUS",
        "WM_VKEYTOITEM 40",
        "WM_COMMAND 1008 LBN_SELCHANGE", // the template's list notifies (LBS_NOTIFY by default)
        "WM_COMMAND 1008 LBN_KILLFOCUS",
        "WM_COMMAND 1010 CBN_SETFOCUS",
        "WM_COMMAND 1010 CBN_EDITUPDATE",
        "WM_COMMAND 1010 CBN_EDITCHANGE",
        "WM_COMMAND 1010 CBN_EDITUPDATE",
        "WM_COMMAND 1010 CBN_EDITCHANGE",
        "WM_COMMAND 1010 CBN_KILLFOCUS",
        "WM_COMMAND 1007 CBN_SETFOCUS",
        "WM_CONTEXTMENU",
        "WM_DESTROY",
        "WM_DELETEITEM 0",
        "WM_DELETEITEM 1",
        "WM_DELETEITEM 2",
    };
    EXPECT_EQ(recorder::Lines(), expected);
    ASSERT_EQ(qmt_UserLogCount(), 1u);
    WCHAR line[128];
    qmt_UserLogLine(0, line, 128);
    EXPECT_EQ(std::u16string(line), u"dialog 100 \"Every class\": no item 9");
}

TEST_F(ControlsTest, StaticKeepsItsIcon)
{
    HANDLE icon = (HANDLE)(ULONG_PTR)0x1234;
    EXPECT_EQ(Send(IDC_ICON, STM_SETICON, (WPARAM)icon), 0);
    EXPECT_EQ(Send(IDC_ICON, STM_GETICON), (LRESULT)icon);
    EXPECT_EQ(Send(IDC_ICON, STM_SETIMAGE, IMAGE_ICON, 0), (LRESULT)icon);
}

} // namespace
