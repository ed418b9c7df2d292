/* Dialogs from templates: creation order, dialog units, the result rule, modal dialogs
 * driven by scripts, broken templates and live counts. */
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/src/user/dialog_template.h"
#include "platform/src/user/tests/recorder.h"
#include "platform/src/user/tests/user_test_ids.h"
#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_gdi.h"
#include "platform/testing/qm_testing_icons.h"

namespace {

using Lines = std::vector<std::string>;

class DialogTest : public testing::Test
{
protected:
    void SetUp() override
    {
        recorder::Reset();
        qmt_ResetDialogScripts();
        qmt_ResetUserLog();
        qmt_PinDpi(96);
    }
    void TearDown() override
    {
        EXPECT_EQ(qmt_LiveWindows(), 0u);
        EXPECT_EQ(qmt_LiveGdiObjects(QMT_GDI_FONT), 0u);
        qmt_PinDpi(0);
    }
    static HWND Create(UINT id)
    {
        return CreateDialogParamW(recorder::Instance(), MAKEINTRESOURCEW(id), nullptr, recorder::Proc, 7);
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
};

TEST_F(DialogTest, CreationOrderIsFontControlsInitDialogFocus)
{
    HWND dlg = Create(IDD_ALL);
    ASSERT_NE(dlg, nullptr);
    Lines expected = {"WM_SETFONT",
                      "WM_MEASUREITEM 1008 0",
                      "WM_MEASUREITEM 1009 -1",
                      "WM_MEASUREITEM 1009 0",
                      "WM_INITDIALOG",
                      "WM_COMMAND 1001 EN_SETFOCUS"};
    EXPECT_EQ(recorder::Lines(), expected);
    EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDC_NAME));
    // The controls exist in template order and carry their texts and ids.
    HWND child = GetWindow(dlg, GW_CHILD);
    const int ids[] = {IDC_LABEL,
                       IDC_NAME,
                       IDC_SECRET,
                       IDC_CHECK,
                       IDC_ONE,
                       IDC_TWO,
                       IDC_LIST,
                       IDC_COMBO,
                       IDC_DRAWLIST,
                       IDC_DRAWCOMBO,
                       IDC_EDITCOMBO,
                       IDC_SCROLL,
                       IDC_ICON,
                       IDOK,
                       IDCANCEL};
    for (int id : ids) {
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(GetDlgCtrlID(child), id);
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr);
    WCHAR text[32];
    EXPECT_EQ(GetDlgItemTextW(dlg, IDOK, text, 32), 2u);
    EXPECT_EQ(std::u16string(text), u"OK");
    EXPECT_EQ(GetWindowTextW(dlg, text, 32), 11);
    EXPECT_EQ(std::u16string(text), u"Every class");
    // The measured height of the owner-drawn list stays the list's item height.
    EXPECT_EQ(SendDlgItemMessageW(dlg, IDC_DRAWLIST, LB_GETITEMHEIGHT, 0, 0), 20);
    EXPECT_TRUE(DestroyWindow(dlg));
}

TEST_F(DialogTest, InitDialogAnsweringFalseLeavesTheFocusAlone)
{
    recorder::SetAnswer({WM_INITDIALOG, FALSE, 0});
    HWND dlg = Create(IDD_ALL);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(recorder::Lines().back(), "WM_INITDIALOG");
    DestroyWindow(dlg);
}

TEST_F(DialogTest, ControlRectanglesFollowDialogUnitsAtEachDpi)
{
    struct Case {
        int dpi;
        int baseX;
        int baseY;
    };
    const Case cases[] = {{96, 6, 13}, {120, 7, 15}, {144, 8, 19}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.dpi);
        qmt_PinDpi(c.dpi);
        EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(c.baseX, c.baseY));
        HWND dlg = Create(IDD_ALL);
        ASSERT_NE(dlg, nullptr);
        RECT expected = {50, 5, 150, 17}; // the name edit: 50, 5, 100 x 12
        ASSERT_TRUE(MapDialogRect(dlg, &expected));
        EXPECT_EQ(expected.left, MulDiv(50, c.baseX, 4));
        EXPECT_EQ(expected.bottom, MulDiv(17, c.baseY, 8));
        RECT dialog, edit;
        GetWindowRect(dlg, &dialog);
        GetWindowRect(GetDlgItem(dlg, IDC_NAME), &edit);
        EXPECT_EQ(edit.left - dialog.left, expected.left);
        EXPECT_EQ(edit.top - dialog.top, expected.top);
        EXPECT_EQ(edit.right - edit.left, MulDiv(100, c.baseX, 4));
        EXPECT_EQ(edit.bottom - edit.top, MulDiv(12, c.baseY, 8));
        DestroyWindow(dlg);
    }
}

TEST_F(DialogTest, ResultRulePerMessageKind)
{
    struct Case {
        UINT message;
        INT_PTR answer;
        LONG_PTR msgResult;
        LRESULT expected;
    };
    const Case cases[] = {
        {WM_COMMAND, TRUE, 0, 0},        {WM_COMMAND, TRUE, 1, 1},        {WM_COMMAND, FALSE, 1, 0},
        {WM_NOTIFY, TRUE, 1, 1},         {WM_NOTIFY, FALSE, 1, 0},        {WM_USER, TRUE, 1, 1},
        {WM_USER, FALSE, 1, 0},          {WM_CTLCOLORDLG, TRUE, 0, TRUE}, {WM_CTLCOLORDLG, 0x55, 1, 0x55},
        {WM_CTLCOLORDLG, FALSE, 1, 0},   {WM_VKEYTOITEM, -2, 1, -2},      {WM_VKEYTOITEM, FALSE, 1, 0},
        {WM_VKEYTOITEM, TRUE, 0, TRUE},  {WM_INITDIALOG, TRUE, 0, TRUE},  {WM_INITDIALOG, FALSE, 1, FALSE},
        {WM_CHARTOITEM, 3, 1, 3},        {WM_COMPAREITEM, -1, 0, -1},     {WM_QUERYDRAGICON, TRUE, 0, TRUE},
        {WM_QUERYDRAGICON, FALSE, 1, 0},
    };
    HWND dlg = Create(IDD_OLD);
    ASSERT_NE(dlg, nullptr);
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.message << " answer " << c.answer << " result "
                                        << c.msgResult);
        recorder::Reset();
        recorder::SetEndOnCommand(false);
        recorder::SetAnswer({c.message, c.answer, c.msgResult});
        EXPECT_EQ(SendMessageW(dlg, c.message, 0, 0), c.expected);
    }
    DestroyWindow(dlg);
}

TEST_F(DialogTest, ModalDialogFollowsItsScript)
{
    const QmtUserAction actions[] = {
        {QMT_ACT_TYPE, IDC_NAME, u"abc", 0},
        {QMT_ACT_CLICK, IDC_CHECK, nullptr, 0},
        {QMT_ACT_CLICK, IDOK, nullptr, 0},
    };
    ASSERT_TRUE(qmt_ScriptDialog(IDD_ALL, u"Every class", actions, 3));
    INT_PTR result = DialogBoxParamW(recorder::Instance(), MAKEINTRESOURCEW(IDD_ALL), nullptr, recorder::Proc, 0);
    EXPECT_EQ(result, IDOK);
    Lines expected = {"WM_SETFONT",
                      "WM_MEASUREITEM 1008 0",
                      "WM_MEASUREITEM 1009 -1",
                      "WM_MEASUREITEM 1009 0",
                      "WM_INITDIALOG",
                      "WM_COMMAND 1001 EN_SETFOCUS",
                      "WM_SHOWWINDOW",
                      "WM_COMMAND 1001 EN_UPDATE",
                      "WM_COMMAND 1001 EN_CHANGE",
                      "WM_COMMAND 1001 EN_UPDATE",
                      "WM_COMMAND 1001 EN_CHANGE",
                      "WM_COMMAND 1001 EN_UPDATE",
                      "WM_COMMAND 1001 EN_CHANGE",
                      "WM_COMMAND 1001 EN_KILLFOCUS",
                      "WM_COMMAND 1003 BN_CLICKED",
                      "WM_COMMAND 1 BN_CLICKED",
                      "WM_DESTROY"};
    EXPECT_EQ(recorder::Lines(), expected);
    EXPECT_EQ(qmt_UserLogCount(), 0u);
}

TEST_F(DialogTest, ScriptsMatchByTemplateAndTitle)
{
    const QmtUserAction ok[] = {{QMT_ACT_COMMAND, IDOK, nullptr, 0}};
    ASSERT_TRUE(qmt_ScriptDialog(IDD_ALL, nullptr, ok, 1));  // not for the old dialog
    ASSERT_TRUE(qmt_ScriptDialog(0, u"Other title", ok, 1)); // nor this one
    EXPECT_EQ(DialogBoxParamW(recorder::Instance(), MAKEINTRESOURCEW(IDD_OLD), nullptr, recorder::Proc, 0), IDCANCEL);
    EXPECT_EQ(DialogBoxParamW(recorder::Instance(), MAKEINTRESOURCEW(IDD_ALL), nullptr, recorder::Proc, 0), IDOK);
    std::vector<std::u16string> log = {u"dialog 101 \"Old form\": unscripted, cancelled"};
    EXPECT_EQ(UserLog(), log);
}

TEST_F(DialogTest, UnscriptedDialogThatIgnoresCancelStillEnds)
{
    recorder::SetEndOnCommand(false);
    HWND owner = CreateWindowExW(0, u"Static", u"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    EXPECT_EQ(DialogBoxParamW(recorder::Instance(), MAKEINTRESOURCEW(IDD_OLD), owner, recorder::Proc, 0), IDCANCEL);
    std::vector<std::u16string> log = {u"dialog 101 \"Old form\": unscripted, cancelled",
                                       u"dialog 101 \"Old form\": still open, ended with IDCANCEL"};
    EXPECT_EQ(UserLog(), log);
    EXPECT_TRUE(IsWindowEnabled(owner)); // enabled again after the dialog
    DestroyWindow(owner);
}

TEST_F(DialogTest, PostedMessagesRunInTheModalLoop)
{
    struct Poster {
        static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
        {
            if (msg == WM_INITDIALOG)
                PostMessageW(hwnd, WM_USER, 5, 0);
            if (msg == WM_USER) {
                EndDialog(hwnd, (INT_PTR)wParam);
                return TRUE;
            }
            (void)lParam;
            return FALSE;
        }
    };
    EXPECT_EQ(DialogBoxParamW(recorder::Instance(), MAKEINTRESOURCEW(IDD_OLD), nullptr, Poster::Proc, 0), 5);
    EXPECT_EQ(qmt_UserLogCount(), 0u);
}

TEST_F(DialogTest, DialogDestroyingItselfEndsTheModalLoop)
{
    struct SelfDestroying {
        static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
        {
            (void)lParam;
            if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) {
                DestroyWindow(hwnd); // instead of EndDialog
                return TRUE;
            }
            return msg == WM_INITDIALOG;
        }
    };
    const QmtUserAction ok[] = {{QMT_ACT_CLICK, IDOK, nullptr, 0}, {QMT_ACT_CLICK, IDOK, nullptr, 0}};
    ASSERT_TRUE(qmt_ScriptDialog(IDD_OLD, nullptr, ok, 2));
    EXPECT_EQ(DialogBoxParamW(recorder::Instance(), MAKEINTRESOURCEW(IDD_OLD), nullptr, SelfDestroying::Proc, 0), 0);
    EXPECT_EQ(qmt_UserLogCount(), 0u);
}

TEST_F(DialogTest, MissingOrBrokenTemplatesFailCleanly)
{
    SetLastError(0);
    EXPECT_EQ(Create(999), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_RESOURCE_NAME_NOT_FOUND);
    EXPECT_EQ(DialogBoxParamW(recorder::Instance(), MAKEINTRESOURCEW(999), nullptr, recorder::Proc, 0), -1);
    // A control of an unknown class fails the whole dialog.
    EXPECT_EQ(Create(IDD_BROKEN_CLASS), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_CANNOT_FIND_WND_CLASS);
    EXPECT_TRUE(recorder::Lines().empty() || recorder::Lines().back() != "WM_INITDIALOG");

    // Every cut of a real template short of its last item is refused.
    for (UINT id : {IDD_ALL, IDD_OLD}) {
        HRSRC res = FindResourceW(recorder::Instance(), MAKEINTRESOURCEW(id), RT_DIALOG);
        ASSERT_NE(res, nullptr);
        const BYTE *data = (const BYTE *)LockResource(LoadResource(recorder::Instance(), res));
        DWORD size = SizeofResource(recorder::Instance(), res);
        qmu::DialogTemplate t;
        ASSERT_TRUE(qmu::ParseDialogTemplate(data, size, &t));
        EXPECT_EQ(t.extended, id == IDD_ALL);
        EXPECT_EQ(t.pointSize, 8);
        EXPECT_EQ(t.typeface, u"MS Shell Dlg");
        size_t shortest = size;
        for (size_t n = 0; n < size; ++n) {
            std::vector<BYTE> copy(data, data + n);
            qmu::DialogTemplate cut;
            if (qmu::ParseDialogTemplate(copy.data(), n, &cut)) {
                shortest = n;
                break;
            }
        }
        EXPECT_GE(shortest + 3, (size_t)size) << id;
    }
}

TEST_F(DialogTest, OrdinalAndOldTemplatesAndWindowLongs)
{
    HWND dlg = Create(IDD_OLD);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(dlg, DWLP_DLGPROC), (LONG_PTR)recorder::Proc);
    SetWindowLongPtrW(dlg, DWLP_USER, 0x1234);
    EXPECT_EQ(GetWindowLongPtrW(dlg, DWLP_USER), 0x1234);
    EXPECT_EQ(GetWindowLongPtrW(dlg, GWLP_HINSTANCE), (LONG_PTR)recorder::Instance());
    EXPECT_EQ(GetWindowLongPtrW(dlg, 4096), 0);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_INDEX);
    WCHAR cls[32];
    GetClassNameW(dlg, cls, 32);
    EXPECT_EQ(std::u16string(cls), u"#32770");
    GetClassNameW(GetDlgItem(dlg, IDOK), cls, 32);
    EXPECT_EQ(std::u16string(cls), u"Button");
    EXPECT_EQ(GetParent(GetDlgItem(dlg, IDOK)), dlg);
    DestroyWindow(dlg);
    EXPECT_FALSE(IsWindow(dlg));
    EXPECT_EQ(GetDlgItem(dlg, IDOK), nullptr);
}

} // namespace
