/* Windows: classes, creation and destruction order, window longs and properties, posted
 * messages, focus, subclassing, and the message box's owner. */
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "platform/testing/qm_testing.h"

namespace {

std::vector<std::string> g_lines;

/* A window procedure recording creation and destruction by the window's text. */
LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const char *name = msg == WM_NCCREATE    ? "WM_NCCREATE"
                       : msg == WM_CREATE    ? "WM_CREATE"
                       : msg == WM_DESTROY   ? "WM_DESTROY"
                       : msg == WM_NCDESTROY ? "WM_NCDESTROY"
                       : msg == WM_USER      ? "WM_USER"
                                             : nullptr;
    LRESULT result = DefWindowProcW(hwnd, msg, wParam, lParam);
    if (name) {
        WCHAR text[16] = {};
        GetWindowTextW(hwnd, text, 16);
        std::string line = name;
        line += " ";
        for (const WCHAR *p = text; *p; ++p)
            line += (char)*p;
        g_lines.push_back(line);
    }
    if (msg == WM_CREATE && lParam && ((const CREATESTRUCTW *)lParam)->lpCreateParams == (LPVOID)1)
        return -1; // refuses creation
    return result;
}

class WindowsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_lines.clear();
        WNDCLASSW wc = {};
        wc.lpfnWndProc = RecordingProc;
        wc.cbWndExtra = 8;
        wc.lpszClassName = u"QmRecording";
        atom_ = RegisterClassW(&wc);
        ASSERT_NE(atom_, 0);
    }
    void TearDown() override
    {
        EXPECT_EQ(qmt_LiveWindows(), 0u);
        EXPECT_TRUE(UnregisterClassW(u"QmRecording", nullptr));
    }
    static HWND Make(LPCWSTR text, HWND parent, DWORD style = 0, LPVOID param = nullptr)
    {
        return CreateWindowExW(0,
                               u"qmrecording",
                               text,
                               style | (parent ? WS_CHILD : WS_POPUP),
                               0,
                               0,
                               10,
                               10,
                               parent,
                               nullptr,
                               nullptr,
                               param);
    }
    ATOM atom_ = 0;
};

TEST_F(WindowsTest, CreationAndDestructionOrder)
{
    HWND top = Make(u"top", nullptr);
    HWND a = Make(u"a", top);
    HWND b = Make(u"b", a);
    HWND owned = Make(u"owned", nullptr);
    SetWindowLongPtrW(owned, GWLP_HWNDPARENT, (LONG_PTR)top);
    ASSERT_TRUE(top && a && b && owned);
    EXPECT_EQ(GetParent(b), a);
    EXPECT_EQ(GetParent(owned), top);
    EXPECT_TRUE(IsChild(top, b));
    g_lines.clear();
    EXPECT_TRUE(DestroyWindow(top));
    std::vector<std::string> expected = {"WM_DESTROY owned",
                                         "WM_NCDESTROY owned",
                                         "WM_DESTROY top",
                                         "WM_DESTROY a",
                                         "WM_DESTROY b",
                                         "WM_NCDESTROY b",
                                         "WM_NCDESTROY a",
                                         "WM_NCDESTROY top"};
    EXPECT_EQ(g_lines, expected);
    for (HWND h : {top, a, b, owned})
        EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(DestroyWindow(top));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_FALSE(UnregisterClassW(u"Button", nullptr)); // built-in classes stay
}

TEST_F(WindowsTest, RefusedCreationLeavesNothing)
{
    EXPECT_EQ(Make(u"no", nullptr, 0, (LPVOID)1), nullptr);
    std::vector<std::string> expected = {"WM_NCCREATE no", "WM_CREATE no", "WM_DESTROY no", "WM_NCDESTROY no"};
    EXPECT_EQ(g_lines, expected);
    EXPECT_EQ(CreateWindowExW(0, u"NoClass", u"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_CANNOT_FIND_WND_CLASS);
    EXPECT_EQ(Make(u"orphan", nullptr, WS_CHILD), nullptr);
    EXPECT_EQ(RegisterClassW(nullptr), 0);
    WNDCLASSW again = {};
    again.lpfnWndProc = RecordingProc;
    again.lpszClassName = u"QMRECORDING";
    EXPECT_EQ(RegisterClassW(&again), 0);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_CLASS_ALREADY_EXISTS);
}

TEST_F(WindowsTest, LongsPropertiesTextAndSubclassing)
{
    HWND w = Make(u"w", nullptr);
    ASSERT_NE(w, nullptr);
    struct Case {
        int index;
        LONG_PTR value;
    };
    const Case cases[] = {{GWLP_USERDATA, (LONG_PTR)0x1122334455667788LL},
                          {0, (LONG_PTR)-2},
                          {GWLP_ID, 42},
                          {GWL_EXSTYLE, WS_EX_CONTROLPARENT}};
    for (const Case &c : cases) {
        SetWindowLongPtrW(w, c.index, c.value);
        EXPECT_EQ(GetWindowLongPtrW(w, c.index), c.value) << c.index;
    }
    EXPECT_EQ(GetWindowLongW(w, 4), -1); // the high half of the extra bytes
    EXPECT_EQ(SetWindowLongPtrW(w, 1, 0), 0);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_INDEX);
    EXPECT_EQ(GetWindowLongPtrW(w, GWL_STYLE) & WS_POPUP, WS_POPUP);

    EXPECT_TRUE(SetPropW(w, u"Owner", (HANDLE)5));
    EXPECT_EQ(GetPropW(w, u"OWNER"), (HANDLE)5);
    EXPECT_EQ(RemovePropW(w, u"owner"), (HANDLE)5);
    EXPECT_EQ(GetPropW(w, u"Owner"), nullptr);

    EXPECT_TRUE(SetWindowTextW(w, u"changed"));
    EXPECT_EQ(GetWindowTextLengthW(w), 7);
    WCHAR cut[4];
    EXPECT_EQ(GetWindowTextW(w, cut, 4), 3);
    EXPECT_EQ(std::u16string(cut), u"cha");

    static WNDPROC previous;
    struct Sub {
        static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
        {
            if (msg == WM_USER + 1)
                return 99;
            return CallWindowProcW(previous, hwnd, msg, wParam, lParam);
        }
    };
    previous = (WNDPROC)SetWindowLongPtrW(w, GWLP_WNDPROC, (LONG_PTR)Sub::Proc);
    EXPECT_EQ(previous, RecordingProc);
    EXPECT_EQ(SendMessageW(w, WM_USER + 1, 0, 0), 99);
    g_lines.clear();
    SendMessageW(w, WM_USER, 0, 0);
    EXPECT_EQ(g_lines, std::vector<std::string>{"WM_USER changed"});
    DestroyWindow(w);
}

TEST_F(WindowsTest, PostedMessagesWaitForThePump)
{
    HWND w = Make(u"p", nullptr);
    HWND gone = Make(u"gone", nullptr);
    EXPECT_TRUE(PostMessageW(w, WM_USER, 0, 0));
    EXPECT_TRUE(PostMessageW(gone, WM_USER, 0, 0));
    DestroyWindow(gone); // its messages go with it
    g_lines.clear();
    EXPECT_FALSE(PostMessageW(gone, WM_USER, 0, 0));
    EXPECT_EQ(qmt_PumpMessages(), 1u);
    EXPECT_EQ(g_lines, std::vector<std::string>{"WM_USER p"});
    EXPECT_EQ(qmt_PumpMessages(), 0u);
    DestroyWindow(w);
}

TEST_F(WindowsTest, FocusSkipsDisabledWindowsAndMessageBoxesKeepTheirOwner)
{
    HWND top = Make(u"top", nullptr);
    HWND edit = CreateWindowExW(0, u"Edit", u"", WS_CHILD, 0, 0, 10, 10, top, (HMENU)5, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(SetFocus(edit), nullptr);
    EXPECT_EQ(GetFocus(), edit);
    EnableWindow(edit, FALSE); // disabling takes the focus away
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(SetFocus(edit), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);

    qmt_ResetMessageBoxes();
    const int answers[] = {IDNO};
    qmt_ScriptMessageBoxAnswers(answers, 1);
    EXPECT_EQ(MessageBoxW(top, u"Text", u"Caption", MB_YESNO | MB_ICONQUESTION), IDNO);
    QmtMessageBoxCall call;
    ASSERT_TRUE(qmt_MessageBoxLog(0, &call));
    EXPECT_EQ(call.hWnd, top);
    EXPECT_EQ(call.type, (UINT)(MB_YESNO | MB_ICONQUESTION));
    DestroyWindow(top);
}

} // namespace
