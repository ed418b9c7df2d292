/* The recording dialog procedure of the user-area tests. */
#include "platform/src/user/tests/recorder.h"

#include <stdio.h>

namespace recorder {

namespace {

std::vector<Answer> g_answers;
bool g_endOnCommand = true;

struct Name {
    UINT message;
    const char *name;
};

const Name kNames[] = {
    {WM_SETFONT, "WM_SETFONT"},
    {WM_MEASUREITEM, "WM_MEASUREITEM"},
    {WM_INITDIALOG, "WM_INITDIALOG"},
    {WM_COMMAND, "WM_COMMAND"},
    {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
    {WM_VKEYTOITEM, "WM_VKEYTOITEM"},
    {WM_DELETEITEM, "WM_DELETEITEM"},
    {WM_CONTEXTMENU, "WM_CONTEXTMENU"},
    {WM_DESTROY, "WM_DESTROY"},
    {WM_NOTIFY, "WM_NOTIFY"},
    {WM_CTLCOLORDLG, "WM_CTLCOLORDLG"},
    {WM_USER, "WM_USER"},
};

struct Code {
    WORD code;
    const char *name;
};

const Code kEditCodes[] = {{EN_SETFOCUS, "EN_SETFOCUS"},
                           {EN_KILLFOCUS, "EN_KILLFOCUS"},
                           {EN_CHANGE, "EN_CHANGE"},
                           {EN_UPDATE, "EN_UPDATE"},
                           {EN_MAXTEXT, "EN_MAXTEXT"}};
const Code kComboCodes[] = {{CBN_SELCHANGE, "CBN_SELCHANGE"},
                            {CBN_SETFOCUS, "CBN_SETFOCUS"},
                            {CBN_KILLFOCUS, "CBN_KILLFOCUS"},
                            {CBN_EDITCHANGE, "CBN_EDITCHANGE"},
                            {CBN_EDITUPDATE, "CBN_EDITUPDATE"},
                            {CBN_DROPDOWN, "CBN_DROPDOWN"},
                            {CBN_CLOSEUP, "CBN_CLOSEUP"},
                            {CBN_SELENDOK, "CBN_SELENDOK"}};
const Code kListCodes[] = {
    {LBN_SELCHANGE, "LBN_SELCHANGE"}, {LBN_SETFOCUS, "LBN_SETFOCUS"}, {LBN_KILLFOCUS, "LBN_KILLFOCUS"}};
const Code kButtonCodes[] = {{BN_CLICKED, "BN_CLICKED"}};

std::string code_name(HWND control, WORD code)
{
    WCHAR cls[32] = {};
    if (control)
        GetClassNameW(control, cls, 32);
    const Code *table = kButtonCodes;
    size_t n = 1;
    if (lstrcmpiW(cls, u"Edit") == 0) {
        table = kEditCodes;
        n = sizeof(kEditCodes) / sizeof(kEditCodes[0]);
    } else if (lstrcmpiW(cls, u"ComboBox") == 0) {
        table = kComboCodes;
        n = sizeof(kComboCodes) / sizeof(kComboCodes[0]);
    } else if (lstrcmpiW(cls, u"ListBox") == 0) {
        table = kListCodes;
        n = sizeof(kListCodes) / sizeof(kListCodes[0]);
    }
    for (size_t i = 0; i < n; ++i)
        if (table[i].code == code)
            return table[i].name;
    return std::to_string(code);
}

} // namespace

std::vector<std::string> &Lines()
{
    static std::vector<std::string> lines;
    return lines;
}

void SetAnswer(const Answer &answer)
{
    g_answers.push_back(answer);
}

void SetEndOnCommand(bool end)
{
    g_endOnCommand = end;
}

void Reset()
{
    Lines().clear();
    g_answers.clear();
    g_endOnCommand = true;
}

HINSTANCE Instance()
{
    return GetModuleHandleW(nullptr);
}

INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const char *name = nullptr;
    for (const Name &n : kNames)
        if (n.message == msg)
            name = n.name;
    if (name) {
        std::string line = name;
        if (msg == WM_COMMAND)
            line += " " + std::to_string(LOWORD(wParam)) + " " + code_name((HWND)lParam, HIWORD(wParam));
        if (msg == WM_MEASUREITEM) {
            const MEASUREITEMSTRUCT *mi = (const MEASUREITEMSTRUCT *)lParam;
            line += " " + std::to_string(mi->CtlID) + " " + std::to_string((int)mi->itemID);
            ((MEASUREITEMSTRUCT *)lParam)->itemHeight = 20;
        }
        if (msg == WM_VKEYTOITEM)
            line += " " + std::to_string(LOWORD(wParam));
        if (msg == WM_DELETEITEM)
            line += " " + std::to_string(((const DELETEITEMSTRUCT *)lParam)->itemID);
        Lines().push_back(line);
    }
    for (const Answer &a : g_answers)
        if (a.message == msg) {
            SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, a.msgResult);
            return a.answer;
        }
    if (msg == WM_INITDIALOG)
        return TRUE;
    if (msg == WM_COMMAND && g_endOnCommand && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hwnd, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

} // namespace recorder
